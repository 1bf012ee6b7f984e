#include "editor/form_file_list.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "editor/form_slider_list.h"
#include "setup/game_folders.h"
#include "widgets/local_text.h"

namespace gw {

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
      canvas.drawText(QRect(x, rect.top(), right - x, rect.height()),
                      kTextFlags | Qt::AlignLeft | Qt::AlignVCenter, ToQ(title));
      QFont bold(ArialFamily());
      bold.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize());
      bold.setBold(true);
      canvas.setFont(bold);
      canvas.drawText(QRect(left, rect.top(), x - left, rect.height()), kTextFlags | Qt::AlignCenter,
                      ToQ(car));
    }
  }
  canvas.restore();
}

void TSetupFileDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  // Only this entry's text is needed; the list of one keeps the index 0.
  const QStringList entry{index.data().toString()};
  DrawSetupFileEntry(*painter, entry, 0, option.rect, option.state.testFlag(QStyle::State_Selected),
                     option.palette, option.font);
}

QSize TSetupFileDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QSize(QStyledItemDelegate::sizeHint(option, index).width(), entryHeight_);
}

TFileComboBox::TFileComboBox(QWidget* parent, int entryHeight) : QComboBox(parent) {
  setItemDelegate(new TSetupFileDelegate(this, entryHeight));
  setMaxVisibleItems(30);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
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
  DrawSetupFileEntry(painter, QStringList{currentText()}, index < 0 ? -1 : 0, field, hasFocus(), palette(),
                     font());
}

}  // namespace gw
