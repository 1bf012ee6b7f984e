#include "history/form_history.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "platform/local_text.h"
#include "platform/paths.h"
#include "widgets/dialog_parts.h"

namespace gw {

namespace {

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 408;
// Counts made before the window shows (more than a screenful), and per turn of the event loop afterwards.
constexpr std::size_t kCountsAtOnce = 40;
constexpr std::size_t kCountsPerTurn = 25;

QTreeWidget* ListView(QWidget* parent, const char* name, const QStringList& columns) {
  auto* list = NamedControl<QTreeWidget>(parent, name);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHeaderLabels(columns);
  return list;
}

}  // namespace

QString VersionLocalTimeText(int64_t timeMs) {
  return QDateTime::fromMSecsSinceEpoch(timeMs).toLocalTime().toString(
      QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

namespace {

QString SizeText(uint64_t bytes) {
  return QString::number(bytes) + QStringLiteral(" bytes");
}

// A file's values as the editor would show them; false when the file cannot be read at all. An entry the
// file lacks is a value it lacks, which the count includes.
bool ReadValues(const std::string& path, TSetupValues& values) {
  try {
    TTOVCarSetup setup;
    setup.LoadFromFile(path);
    values = ValuesFromSetup(setup);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

TFormHistory::TFormHistory(QWidget* parent, const TVersionStore& store, const std::string& filePath)
    : QDialog(parent), filePath_(filePath) {
  InitToolDialog(*this, "TFormHistory",
                 filePath.empty() ? QStringLiteral("History")
                                  : QStringLiteral("History - ") + ToQ(ExtractFileName(filePath)));
  const TDialogScale px(*this);

  auto* labelVersions = NamedControl<QLabel>(this, "LabelVersions", QStringLiteral("&Versions:"));
  ListViewVersions = ListView(
      this, "ListViewVersions",
      {QStringLiteral("Date and time"), QStringLiteral("Size"), QStringLiteral("Changed parameters")});
  auto* labelDeleted = NamedControl<QLabel>(this, "LabelDeleted", QStringLiteral("&Deleted files:"));
  ListViewDeleted = ListView(this, "ListViewDeleted",
                             {QStringLiteral("File"), QStringLiteral("Deleted"), QStringLiteral("Folder")});
  ButtonRestore = NamedControl<QPushButton>(this, "ButtonRestore", QStringLiteral("&Restore"));
  ButtonOpen = NamedControl<QPushButton>(this, "ButtonOpen", QStringLiteral("&Open"));
  ButtonCompare = NamedControl<QPushButton>(this, "ButtonCompare", QStringLiteral("Compare &with..."));
  auto* close = NamedControl<QPushButton>(this, "ButtonClose", QStringLiteral("Close"));
  labelVersions->setBuddy(ListViewVersions);
  labelDeleted->setBuddy(ListViewDeleted);
  ButtonRestore->setEnabled(false);
  ButtonOpen->setEnabled(false);
  ButtonCompare->setEnabled(false);
  close->setDefault(true);

  FillVersions(store);
  FillDeleted(store);

  connect(ListViewVersions, &QTreeWidget::itemSelectionChanged, this,
          [this] { SelectionChanged(ListViewVersions); });
  connect(ListViewDeleted, &QTreeWidget::itemSelectionChanged, this,
          [this] { SelectionChanged(ListViewDeleted); });
  connect(ListViewVersions, &QTreeWidget::itemDoubleClicked, this, &TFormHistory::ButtonOpenClick);
  connect(ButtonRestore, &QPushButton::clicked, this, &TFormHistory::ButtonRestoreClick);
  connect(ButtonOpen, &QPushButton::clicked, this, &TFormHistory::ButtonOpenClick);
  connect(ButtonCompare, &QPushButton::clicked, this, &TFormHistory::ButtonCompareClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  labelVersions->setGeometry(px({8, 8, 200, 15}));
  ListViewVersions->setGeometry(px({8, 24, 464, 200}));
  labelDeleted->setGeometry(px({8, 232, 200, 15}));
  ListViewDeleted->setGeometry(px({8, 248, 464, 116}));
  ButtonCompare->setGeometry(px({136, 375, 95, 25}));
  ButtonRestore->setGeometry(px({236, 375, 75, 25}));
  ButtonOpen->setGeometry(px({316, 375, 75, 25}));
  close->setGeometry(px({396, 375, 75, 25}));
  ListViewVersions->header()->resizeSection(0, px(180));
  ListViewVersions->header()->resizeSection(1, px(100));
  ListViewDeleted->header()->resizeSection(0, px(160));
  ListViewDeleted->header()->resizeSection(1, px(150));
  FixClientSize(*this, kClientWidth, kClientHeight);
}

void TFormHistory::FillVersions(const TVersionStore& store) {
  if (filePath_.empty()) return;
  versions_ = store.Versions(filePath_);
  // Compared as the editor shows them; a file or version the editor cannot read shows no count.
  haveCurrent_ = ReadValues(filePath_, current_);
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(versions_.size()));
  for (const TVersionInfo& v : versions_) {
    auto* item = new QTreeWidgetItem({VersionLocalTimeText(v.TimeMs), SizeText(v.Size), QString()});
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    items << item;
  }
  ListViewVersions->addTopLevelItems(items);
  CountChanges(kCountsAtOnce);
  if (CountsComplete()) return;
  countTimer_ = new QTimer(this);
  connect(countTimer_, &QTimer::timeout, this, [this] {
    CountChanges(kCountsPerTurn);
    if (CountsComplete()) countTimer_->stop();
  });
  countTimer_->start(0);
}

void TFormHistory::CountChanges(std::size_t count) {
  const std::size_t end = std::min(versions_.size(), counted_ + count);
  for (; counted_ < end; ++counted_) {
    TSetupValues old;
    const bool readable = haveCurrent_ && ReadValues(versions_[counted_].Path, old);
    ListViewVersions->topLevelItem(static_cast<int>(counted_))
        ->setText(2, readable ? QString::number(CountDifferences(old, current_)) : QStringLiteral("-"));
  }
}

void TFormHistory::FillDeleted(const TVersionStore& store) {
  deleted_ = store.DeletedFiles();
  QList<QTreeWidgetItem*> items;
  for (const TDeletedFile& d : deleted_)
    items << new QTreeWidgetItem({ToQ(ExtractFileName(d.OriginalPath)),
                                  VersionLocalTimeText(d.Versions.front().TimeMs),
                                  ToQ(ExtractFileDir(d.OriginalPath))});
  ListViewDeleted->addTopLevelItems(items);
}

void TFormHistory::SelectionChanged(QTreeWidget* from) {
  const bool selected = !from->selectedItems().isEmpty();
  // One choice at a time: a version of the open file or a deleted file.
  if (selected) {
    QTreeWidget* other = from == ListViewVersions ? ListViewDeleted : ListViewVersions;
    const QSignalBlocker block(other);
    other->clearSelection();
  }
  ButtonRestore->setEnabled(selected);
  ButtonOpen->setEnabled(selected);
  ButtonCompare->setEnabled(selected);
}

bool TFormHistory::TakeSelection() {
  if (QTreeWidgetItem* item = ListViewVersions->currentItem(); item && item->isSelected()) {
    chosen_ = versions_[static_cast<std::size_t>(ListViewVersions->indexOfTopLevelItem(item))];
    chosenFile_ = filePath_;
    return true;
  }
  if (QTreeWidgetItem* item = ListViewDeleted->currentItem(); item && item->isSelected()) {
    const TDeletedFile& d = deleted_[static_cast<std::size_t>(ListViewDeleted->indexOfTopLevelItem(item))];
    chosen_ = d.Versions.front();
    chosenFile_ = d.OriginalPath;
    return true;
  }
  return false;
}

void TFormHistory::ButtonRestoreClick() {
  if (!TakeSelection()) return;
  choice_ = TChoice::Restore;
  accept();
}

void TFormHistory::ButtonOpenClick() {
  if (!TakeSelection()) return;
  choice_ = TChoice::Open;
  accept();
}

void TFormHistory::ButtonCompareClick() {
  if (!TakeSelection()) return;
  choice_ = TChoice::Compare;
  accept();
}

}  // namespace gw
