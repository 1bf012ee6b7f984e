#include "editor/form_file_list.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QListView>
#include <QPainter>
#include <QProxyStyle>
#include <QStringListModel>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolTip>
#include <algorithm>
#include <string_view>
#include <vector>

#include "editor/form_slider_list.h"
#include "platform/ascii_text.h"
#include "platform/local_text.h"
#include "setup/game_folders.h"

namespace gw {

namespace {

// The list drops down below the box and shows up to 30 entries at a time, whatever the style. Styles that
// open a combo box's list as a menu over the box (Fusion) show every entry, and measure every entry's text
// each time the list opens, which a large saved-games folder makes slow.
class TDropDownListStyle final : public QProxyStyle {
 public:
  explicit TDropDownListStyle(QObject* owner)
      : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
    setParent(owner);
  }
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void SortIgnoringCase(QStringList& names) {
  struct Key {
    QByteArray folded;  // the ASCII name in lower case; empty when `ascii` is false
    bool ascii = true;
    const QString* name = nullptr;
    // The first sixteen folded bytes as two ordering heads: names of one car and slot share their first
    // eight, and most comparisons end within the sixteen.
    quint64 head[2] = {0, 0};
  };
  std::vector<Key> keys;
  keys.reserve(static_cast<std::size_t>(names.size()));
  for (const QString& name : names) {
    Key key{QByteArray(name.size(), Qt::Uninitialized), true, &name};
    char* folded = key.folded.data();
    const QChar* text = name.constData();
    for (qsizetype i = 0; i < name.size() && key.ascii; ++i) {
      const char16_t c = text[i].unicode();
      key.ascii = c < 0x80;
      folded[i] = static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
    }
    if (!key.ascii) key.folded.clear();
    const std::string_view bytes(key.folded.constData(), static_cast<std::size_t>(key.folded.size()));
    key.head[0] = OrderingHead(bytes);
    key.head[1] = OrderingHead(bytes, 8);
    keys.push_back(std::move(key));
  }
  // For ASCII names the folded bytes order exactly as the case-insensitive comparison does; the same
  // sort on the same order with the same answers gives the same result as sorting the names themselves.
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.ascii && b.ascii) {
      if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
      if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
      return a.folded < b.folded;
    }
    return QString::compare(*a.name, *b.name, Qt::CaseInsensitive) < 0;
  });
  QStringList sorted;
  sorted.reserve(names.size());
  for (const Key& key : keys) sorted << *key.name;
  names = std::move(sorted);
}

void DrawSetupFileEntry(QPainter& canvas, const QStringList& entries, int index, const QRect& rect,
                        bool selected, const QPalette& palette, const QFont& font) {
  canvas.save();
  canvas.fillRect(rect, palette.brush(selected ? QPalette::Highlight : QPalette::Base));
  canvas.setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  canvas.setFont(font);
  const int left = rect.left(), right = rect.left() + rect.width();  // right edge exclusive
  constexpr int kTextFlags = Qt::TextSingleLine;                     // "&" stays as it is
  if (index >= 0 && index < entries.size()) {
    if (entries[index] == QLatin1String("-")) {
      canvas.drawLine(left, rect.top(), right - 1, rect.top());
      canvas.drawText(QRect(left + 3, rect.top(), right - left - 3, rect.height()),
                      kTextFlags | Qt::AlignCenter, QStringLiteral("Open other file..."));
    } else {
      std::string car, title;
      ParseSlotFileName(FromQ(entries[index]), car, title);
      const int x = ((left + right) / 5) * 3;
      // A long title or car name ends in "…" inside its own part; the whole name is the entry's tooltip.
      canvas.drawText(QRect(x, rect.top(), right - x, rect.height()),
                      kTextFlags | Qt::AlignLeft | Qt::AlignVCenter,
                      canvas.fontMetrics().elidedText(ToQ(title), Qt::ElideRight, right - x));
      QFont bold(ArialFamily());
      bold.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize());
      bold.setBold(true);
      canvas.setFont(bold);
      canvas.drawText(QRect(left, rect.top(), x - left, rect.height()), kTextFlags | Qt::AlignCenter,
                      canvas.fontMetrics().elidedText(ToQ(car), Qt::ElideRight, x - left));
    }
  }
  canvas.restore();
}

void TSetupFileDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  // Only this entry's text is needed; the list of one keeps the index 0.
  const QStringList entry{index.data().toString()};
  // Drawn within the visible width: a long name ends in "…" before a vertical scroll bar, not under it.
  QRect rect = option.rect;
  if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
    rect.setRight(std::min(rect.right(), view->viewport()->width() - 1));
  DrawSetupFileEntry(*painter, entry, 0, rect, option.state.testFlag(QStyle::State_Selected), option.palette,
                     option.font);
}

bool TSetupFileDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip || !index.isValid()) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  QToolTip::showText(event->globalPos(), EntryToolTip(index.data().toString()), view, option.rect);
  return true;
}

QString EntryToolTip(const QString& entry) {
  return entry == QLatin1String("-") ? QStringLiteral("Open other file...") : entry;
}

QSize TSetupFileDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QSize(QStyledItemDelegate::sizeHint(option, index).width(), entryHeight_);
}

TFileComboBox::TFileComboBox(QWidget* parent, int entryHeight) : QComboBox(parent) {
  setStyle(new TDropDownListStyle(this));  // before the list is made: it asks the style how to look
  setModel(new QStringListModel(this));
  setItemDelegate(new TSetupFileDelegate(this, entryHeight));
  // Every entry is one line of the same height: the list need not measure each of a large folder's files
  // before it opens.
  if (auto* list = qobject_cast<QListView*>(view())) list->setUniformItemSizes(true);
  setMaxVisibleItems(30);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(this, &QComboBox::currentIndexChanged, this,
          [this](int index) { setToolTip(index < 0 ? QString() : EntryToolTip(itemText(index))); });
}

void TFileComboBox::SetEntries(const QStringList& entries) {
  static_cast<QStringListModel*>(model())->setStringList(entries);
  setCurrentIndex(-1);
}

QStringList TFileComboBox::Entries() const {
  QStringList entries;
  for (int i = 0; i < count(); ++i) entries << itemText(i);
  return entries;
}

void TFileComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  const int index = currentIndex();
  // With nothing chosen the field stays blank, focused or not: an empty highlighted bar reads as a choice.
  DrawSetupFileEntry(painter, QStringList{currentText()}, index < 0 ? -1 : 0, field, hasFocus() && index >= 0,
                     palette(), font());
}

}  // namespace gw
