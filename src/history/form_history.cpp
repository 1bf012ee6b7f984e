#include "history/form_history.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "history/setup_positions.h"
#include "platform/paths.h"
#include "widgets/dialog_parts.h"
#include "widgets/local_text.h"

namespace gw {

namespace {

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 408;

QTreeWidget* ListView(QWidget* parent, const char* name, const QStringList& columns) {
  auto* list = NamedControl<QTreeWidget>(parent, name);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHeaderLabels(columns);
  return list;
}

QString SizeText(uint64_t bytes) {
  return QString::number(bytes) + QStringLiteral(" bytes");
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
  auto* close = NamedControl<QPushButton>(this, "ButtonClose", QStringLiteral("Close"));
  labelVersions->setBuddy(ListViewVersions);
  labelDeleted->setBuddy(ListViewDeleted);
  ButtonRestore->setEnabled(false);
  ButtonOpen->setEnabled(false);
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
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  labelVersions->setGeometry(px({8, 8, 200, 15}));
  ListViewVersions->setGeometry(px({8, 24, 464, 200}));
  labelDeleted->setGeometry(px({8, 232, 200, 15}));
  ListViewDeleted->setGeometry(px({8, 248, 464, 116}));
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
  TSetupPositions current;
  const bool haveCurrent = ReadSetupPositions(filePath_, current);
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(versions_.size()));
  for (const TVersionInfo& v : versions_) {
    QString changed = QStringLiteral("-");
    TSetupPositions old;
    if (haveCurrent && ReadSetupPositions(v.Path, old))
      changed = QString::number(CountChangedParameters(old, current));
    auto* item = new QTreeWidgetItem({ToQ(VersionTimeText(v.TimeMs)), SizeText(v.Size), changed});
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    items << item;
  }
  ListViewVersions->addTopLevelItems(items);
}

void TFormHistory::FillDeleted(const TVersionStore& store) {
  deleted_ = store.DeletedFiles();
  QList<QTreeWidgetItem*> items;
  for (const TDeletedFile& d : deleted_)
    items << new QTreeWidgetItem({ToQ(ExtractFileName(d.OriginalPath)),
                                  ToQ(VersionTimeText(d.Versions.front().TimeMs)),
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

}  // namespace gw
