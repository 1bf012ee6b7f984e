#include "compare/form_compare.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "compare/compare_export.h"
#include "compare/form_add_setups.h"
#include "editor/form_slider_list.h"
#include "editor/settings_file.h"
#include "platform/file_io.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "widgets/dialog_parts.h"
#include "widgets/modal_dialogs.h"

namespace gw {

namespace {

constexpr const char* kCsvFilter = "CSV File (*.csv)|*.csv|All|*";
// Items carry what they stand for: a parameter index, or a group index for a heading.
constexpr int kParameterRole = Qt::UserRole;
constexpr int kGroupRole = Qt::UserRole + 1;

// The arrow beside a value that differs: never colour alone.
const QString kHigher = QStringLiteral(" \u25B2");
const QString kLower = QStringLiteral(" \u25BC");

// A warm tint under the palette's text colour: light on a light palette, dark on a dark one, so the text
// keeps its contrast.
QColor DifferenceTint(const QPalette& palette) {
  const bool dark = palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
  return dark ? QColor(92, 72, 24) : QColor(255, 226, 160);
}

}  // namespace

TFormCompare::TFormCompare(std::string installFolder, std::string settingsFile, QWidget* parent)
    : QDialog(parent),
      installFolder_(std::move(installFolder)),
      settingsFile_(std::move(settingsFile)),
      format_(LocalValueTextFormat()) {
  InitToolDialog(*this, "FormCompare", QStringLiteral("Compare"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  setAcceptDrops(true);

  ButtonAddSetups = NamedControl<QPushButton>(this, "ButtonAddSetups", QStringLiteral("&Add setups..."));
  CheckBoxDifferencesOnly =
      NamedControl<QCheckBox>(this, "CheckBoxDifferencesOnly", QStringLiteral("&Differences only"));
  LabelDifferenceCount = NamedControl<QLabel>(this, "LabelDifferenceCount");
  CreateTable();
  ButtonTake = NamedControl<QPushButton>(this, "ButtonTake", QStringLiteral("&Take into open setup"));
  ButtonRemoveColumn =
      NamedControl<QPushButton>(this, "ButtonRemoveColumn", QStringLiteral("&Remove column"));
  ButtonMoveLeft = NamedControl<QPushButton>(this, "ButtonMoveLeft", QStringLiteral("Move &left"));
  ButtonMoveRight = NamedControl<QPushButton>(this, "ButtonMoveRight", QStringLiteral("Move ri&ght"));
  ButtonCopyText = NamedControl<QPushButton>(this, "ButtonCopyText", QStringLiteral("&Copy as text"));
  ButtonSaveCsv = NamedControl<QPushButton>(this, "ButtonSaveCsv", QStringLiteral("&Save as CSV..."));
  ButtonClose = NamedControl<QPushButton>(this, "ButtonClose", QStringLiteral("Close"));

  CheckBoxDifferencesOnly->setChecked(true);
  ButtonTake->setToolTip(QStringLiteral("Set the open setup's sliders to the selected values (Enter)"));
  // Enter in the table takes; elsewhere it presses the focused button, never a default one.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

  auto run = [this](void (TFormCompare::*command)()) {
    return [this, command] { RunCommand(this, [this, command] { (this->*command)(); }); };
  };
  connect(ButtonAddSetups, &QPushButton::clicked, this, run(&TFormCompare::ButtonAddSetupsClick));
  connect(ButtonTake, &QPushButton::clicked, this, run(&TFormCompare::ButtonTakeClick));
  connect(ButtonCopyText, &QPushButton::clicked, this, run(&TFormCompare::ButtonCopyTextClick));
  connect(ButtonSaveCsv, &QPushButton::clicked, this, run(&TFormCompare::ButtonSaveCsvClick));
  connect(ButtonRemoveColumn, &QPushButton::clicked, this, run(&TFormCompare::ButtonRemoveColumnClick));
  connect(ButtonMoveLeft, &QPushButton::clicked, this, run(&TFormCompare::ButtonMoveLeftClick));
  connect(ButtonMoveRight, &QPushButton::clicked, this, run(&TFormCompare::ButtonMoveRightClick));
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);
  connect(CheckBoxDifferencesOnly, &QCheckBox::toggled, this, &TFormCompare::CheckBoxDifferencesOnlyClick);

  auto* top = new QHBoxLayout;
  top->addWidget(ButtonAddSetups);
  top->addSpacing(TDialogScale(*this)(12));
  top->addWidget(CheckBoxDifferencesOnly);
  top->addStretch();
  top->addWidget(LabelDifferenceCount);
  auto* bottom = new QHBoxLayout;
  for (QPushButton* b : {ButtonTake, ButtonRemoveColumn, ButtonMoveLeft, ButtonMoveRight})
    bottom->addWidget(b);
  bottom->addStretch();
  for (QPushButton* b : {ButtonCopyText, ButtonSaveCsv, ButtonClose}) bottom->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(TableCompare, 1);
  layout->addLayout(bottom);
  setTabOrder(ButtonAddSetups, CheckBoxDifferencesOnly);
  setTabOrder(CheckBoxDifferencesOnly, TableCompare);
  setTabOrder(TableCompare, ButtonTake);

  columns_.push_back({{}, QStringLiteral("(no setup open)"), {}});
  columns_.front().Values.assign(CompareParameters().size(), TSetupValue{false, 0, "no setup open"});
  ReadSettings();
  Recompare();
  TableCompare->setFocus();
}

TFormCompare::~TFormCompare() {
  // Closed together with the main window: the size still counts. A settings file that cannot be written
  // was already reported when the main window wrote its own settings.
  try {
    WriteSettings();
  } catch (...) {
  }
}

// ---- building ----

void TFormCompare::CreateTable() {
  TableCompare = NamedControl<QTreeWidget>(this, "TableCompare");
  TableCompare->setSelectionMode(QAbstractItemView::ExtendedSelection);
  TableCompare->setSelectionBehavior(QAbstractItemView::SelectItems);
  TableCompare->setExpandsOnDoubleClick(false);
  TableCompare->setUniformRowHeights(true);
  TableCompare->setAlternatingRowColors(true);
  TableCompare->setAllColumnsShowFocus(false);
  TableCompare->header()->setSectionsMovable(true);
  TableCompare->header()->setStretchLastSection(true);  // header and highlight reach the right edge
  TableCompare->setColumnCount(2);
  TableCompare->installEventFilter(this);

  QFont bold = TableCompare->font();
  bold.setBold(true);
  const auto groups = CompareGroups();
  for (std::size_t g = 0; g < groups.size(); ++g) {
    auto* item = new QTreeWidgetItem(TableCompare, QStringList(ToQ(groups[g].Title)));
    item->setData(0, kGroupRole, static_cast<int>(g));
    item->setFont(0, bold);
    item->setFirstColumnSpanned(false);
    groupItems_.push_back(item);
  }
  const auto parameters = CompareParameters();
  for (std::size_t p = 0; p < parameters.size(); ++p) {
    QTreeWidgetItem* group = groupItems_[static_cast<std::size_t>(parameters[p].Group)];
    auto* item = new QTreeWidgetItem(group, QStringList(ToQ(parameters[p].Caption)));
    item->setData(0, kParameterRole, static_cast<int>(p));
    parameterItems_.push_back(item);
  }
  TableCompare->expandAll();

  connect(TableCompare, &QTreeWidget::itemExpanded, this, [this] { FitParameterColumn(); });
  connect(TableCompare, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int column) { TakeAt(item, column); });
  connect(TableCompare->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TFormCompare::UpdateButtons);
  connect(TableCompare->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TFormCompare::UpdateButtons);
  connect(TableCompare->header(), &QHeaderView::sectionMoved, this, &TFormCompare::HeaderSectionMoved);
}

// ---- columns ----

void TFormCompare::RefreshOpenSetup() {
  if (!OnReadOpenSetup) return;
  TOpenSetup open = OnReadOpenSetup();
  TColumn& column = columns_.front();
  column.Path = open.FileName;
  column.Header =
      open.FileName.empty() ? QStringLiteral("(no setup open)") : ToQ(ExtractFileName(open.FileName));
  column.Values = std::move(open.Values);
  Recompare();
}

void TFormCompare::AddSetupFile(const std::string& path, const QString& header) {
  TTOVCarSetup setup;
  setup.LoadFromFile(path);
  columns_.push_back({path, header.isEmpty() ? ToQ(ExtractFileName(path)) : header, ValuesFromSetup(setup)});
  Recompare();
}

void TFormCompare::AddSetupFiles(const QStringList& paths) {
  for (const QString& path : paths) RunCommand(this, [&] { AddSetupFile(FromQ(path)); });
}

void TFormCompare::RemoveSetup(int setup) {
  if (setup < 1 || setup >= SetupCount()) return;
  TableCompare->clearSelection();
  columns_.erase(columns_.begin() + setup);
  Recompare();
}

void TFormCompare::MoveSetup(int from, int to) {
  // The open setup stays first: every other setup is compared with it.
  if (from < 1 || to < 1 || from >= SetupCount() || to >= SetupCount() || from == to) return;
  TColumn column = std::move(columns_[static_cast<std::size_t>(from)]);
  columns_.erase(columns_.begin() + from);
  columns_.insert(columns_.begin() + to, std::move(column));
  TableCompare->clearSelection();
  Recompare();
  // The current cell follows the setup, so that moving it again takes one more key press.
  const QModelIndex current = TableCompare->currentIndex();
  const QModelIndex followed = current.isValid() ? current.siblingAtColumn(to + 1) : QModelIndex();
  if (followed.isValid())
    TableCompare->selectionModel()->setCurrentIndex(followed, QItemSelectionModel::NoUpdate);
}

QString TFormCompare::SetupHeader(int setup) const {
  return columns_.at(static_cast<std::size_t>(setup)).Header;
}

std::vector<std::string> TFormCompare::Headers() const {
  std::vector<std::string> headers;
  for (const TColumn& c : columns_) headers.push_back(FromQ(c.Header));
  return headers;
}

int TFormCompare::CurrentSetup() const {
  const QModelIndex current = TableCompare->currentIndex();
  return current.isValid() ? SetupOfColumn(current.column()) : -1;
}

void TFormCompare::HeaderSectionMoved(int, int oldVisual, int newVisual) {
  // The table's columns always stand in setup order: a dragged header moves the setup itself.
  QHeaderView* header = TableCompare->header();
  {
    const QSignalBlocker blocker(header);
    header->moveSection(newVisual, oldVisual);
  }
  MoveSetup(SetupOfColumn(oldVisual), SetupOfColumn(newVisual));
}

// ---- showing ----

void TFormCompare::Recompare() {
  std::vector<TSetupValues> setups;
  setups.reserve(columns_.size());
  for (const TColumn& c : columns_) setups.push_back(c.Values);
  comparison_ = CompareSetups(setups, format_);
  ShowCells();
  ShowFilter();
  UpdateButtons();
}

void TFormCompare::ShowCells() {
  const int columnCount = SetupCount() + 1;
  QStringList labels(QStringLiteral("Parameter"));
  for (const TColumn& c : columns_) labels << c.Header;
  TableCompare->setColumnCount(columnCount);
  TableCompare->setHeaderLabels(labels);
  QTreeWidgetItem* header = TableCompare->headerItem();
  for (int s = 0; s < SetupCount(); ++s) {
    const TColumn& c = columns_[static_cast<std::size_t>(s)];
    header->setToolTip(s + 1,
                       s == 0 ? QStringLiteral("The open setup, with its unsaved changes") : ToQ(c.Path));
  }

  const QBrush tint(DifferenceTint(TableCompare->palette()));
  const QBrush none;
  const QBrush missingText(palette().color(QPalette::Disabled, QPalette::Text));
  QFont italic = TableCompare->font();
  italic.setItalic(true);
  std::vector<std::vector<int>> groupDiffers(groupItems_.size(), std::vector<int>(columnCount, 0));
  const QString& first = columns_.front().Header;
  for (const TCompareRow& row : comparison_.Rows) {
    QTreeWidgetItem* item = parameterItems_[row.Parameter];
    const auto group = static_cast<std::size_t>(CompareParameters()[row.Parameter].Group);
    for (std::size_t s = 0; s < row.Cells.size(); ++s) {
      const TCompareCell& cell = row.Cells[s];
      const int column = static_cast<int>(s) + 1;
      QString text = ToQ(cell.Text);
      QString tip;
      if (cell.Direction > 0) text += kHigher, tip = QStringLiteral("Higher than in ") + first;
      if (cell.Direction < 0) text += kLower, tip = QStringLiteral("Lower than in ") + first;
      if (cell.Differs && cell.Direction == 0) tip = QStringLiteral("Differs from ") + first;
      item->setText(column, text);
      item->setToolTip(column, tip);
      item->setBackground(column, cell.Differs ? tint : none);
      item->setForeground(column, cell.Present ? QBrush() : missingText);
      item->setFont(column, cell.Present ? TableCompare->font() : italic);
      if (cell.Differs) ++groupDiffers[group][static_cast<std::size_t>(column)];
    }
  }
  for (std::size_t g = 0; g < groupItems_.size(); ++g)
    for (int column = 1; column < columnCount; ++column) {
      const int n = groupDiffers[g][static_cast<std::size_t>(column)];
      groupItems_[g]->setText(column, n > 0 ? QStringLiteral("%1 differ").arg(n) : QString());
      groupItems_[g]->setToolTip(column, QStringLiteral("Select to take the whole group from this setup"));
    }

  LabelDifferenceCount->setText(ToQ(DifferenceCountText(comparison_)));
  FitParameterColumn();
  const int minimum = TDialogScale(*this)(110);
  for (int column = 1; column < columnCount; ++column) {
    TableCompare->resizeColumnToContents(column);
    if (TableCompare->columnWidth(column) < minimum) TableCompare->setColumnWidth(column, minimum);
  }
}

void TFormCompare::ShowFilter() {
  const bool only = CheckBoxDifferencesOnly->isChecked();
  std::vector<bool> groupShown(groupItems_.size(), false);
  for (const TCompareRow& row : comparison_.Rows) {
    const bool shown = row.Differs || !only;
    parameterItems_[row.Parameter]->setHidden(!shown);
    if (shown) groupShown[static_cast<std::size_t>(CompareParameters()[row.Parameter].Group)] = true;
  }
  for (std::size_t g = 0; g < groupItems_.size(); ++g) groupItems_[g]->setHidden(!groupShown[g]);
  FitParameterColumn();
}

void TFormCompare::FitParameterColumn() {
  // Only rows on show are measured: the column grows as rows appear and never shrinks under a caption.
  const int before = TableCompare->columnWidth(0);
  TableCompare->resizeColumnToContents(0);
  if (TableCompare->columnWidth(0) < before) TableCompare->setColumnWidth(0, before);
}

void TFormCompare::UpdateButtons() {
  std::vector<TTakenValue> values;
  ButtonTake->setEnabled(!columns_.front().Path.empty() && SelectedValues(values) && !values.empty());
  const int setup = CurrentSetup();
  ButtonRemoveColumn->setEnabled(setup >= 1);
  ButtonMoveLeft->setEnabled(setup >= 2);
  ButtonMoveRight->setEnabled(setup >= 1 && setup + 1 < SetupCount());
}

// ---- taking ----

bool TFormCompare::SelectedValues(std::vector<TTakenValue>& values) const {
  values.clear();
  std::map<std::size_t, int> chosen;  // parameter -> setup
  bool single = true;
  auto choose = [&](std::size_t parameter, int setup) {
    if (setup < 1 || setup >= SetupCount()) return;
    const auto [it, added] = chosen.emplace(parameter, setup);
    if (!added && it->second != setup) single = false;
  };
  const int current = CurrentSetup();
  // A caption stands for its row in the current column's setup, or in the only other one.
  const int rowSetup = current >= 1 ? current : SetupCount() == 2 ? 1 : -1;
  for (const QModelIndex& index : TableCompare->selectionModel()->selectedIndexes()) {
    const QTreeWidgetItem* item = TableCompare->itemFromIndex(index);
    if (!item) continue;
    const int setup = index.column() == 0 ? rowSetup : SetupOfColumn(index.column());
    const QVariant group = item->data(0, kGroupRole);
    if (group.isValid()) {
      // Rows hidden as equal hold the first setup's values already: taking them changes nothing.
      for (int c = 0; c < item->childCount(); ++c)
        choose(static_cast<std::size_t>(item->child(c)->data(0, kParameterRole).toInt()), setup);
    } else {
      choose(static_cast<std::size_t>(item->data(0, kParameterRole).toInt()), setup);
    }
  }
  for (const auto& [parameter, setup] : chosen) {
    const TSetupValue& v = columns_[static_cast<std::size_t>(setup)].Values[parameter];
    if (v.Present) values.push_back({parameter, v.Position});  // a missing value has nothing to take
  }
  return single;
}

void TFormCompare::ButtonTakeClick() {
  if (columns_.front().Path.empty()) {
    ShowMessageBox(this, QStringLiteral("Open a setup in the main window first."));
    return;
  }
  std::vector<TTakenValue> values;
  if (!SelectedValues(values)) {
    ShowMessageBox(this, QStringLiteral("Select each value from one setup only."));
    return;
  }
  if (values.empty()) {
    ShowMessageBox(this, QStringLiteral("Select values of another setup to take."));
    return;
  }
  if (OnTake) OnTake(values);
  RefreshOpenSetup();
}

void TFormCompare::TakeAt(QTreeWidgetItem* item, int column) {
  if (!item) return;
  if (column == 0 && item->childCount() > 0) {
    item->setExpanded(!item->isExpanded());
    return;
  }
  if (SetupOfColumn(column) < 1) return;
  TableCompare->setCurrentItem(item, column, QItemSelectionModel::ClearAndSelect);
  RunCommand(this, [this] { ButtonTakeClick(); });
}

// ---- the other commands ----

void TFormCompare::ButtonAddSetupsClick() {
  TFormAddSetups dialog(installFolder_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  AddSetupFiles(dialog.SelectedPaths());
}

std::string TFormCompare::ComparisonTextNow() const {
  return ComparisonText(comparison_, {Headers(), CheckBoxDifferencesOnly->isChecked()});
}

std::string TFormCompare::ComparisonCsvNow() const {
  return ComparisonCsv(comparison_, {Headers(), CheckBoxDifferencesOnly->isChecked()});
}

void TFormCompare::ButtonCopyTextClick() {
  QApplication::clipboard()->setText(ToQ(ComparisonTextNow()));
}

void TFormCompare::ButtonSaveCsvClick() {
  const QString chosen =
      AskSaveFileName(this, QString::fromLatin1(kCsvFilter), {}, QStringLiteral("csv"), true);
  if (chosen.isEmpty()) return;
  std::string path = FromQ(chosen);
  if (ExtractFileExt(path).empty()) path += ".csv";
  WriteFileReplacing(path, ComparisonCsvNow());
}

void TFormCompare::ButtonRemoveColumnClick() {
  RemoveSetup(CurrentSetup());
}

void TFormCompare::ButtonMoveLeftClick() {
  const int setup = CurrentSetup();
  MoveSetup(setup, setup - 1);
}

void TFormCompare::ButtonMoveRightClick() {
  const int setup = CurrentSetup();
  MoveSetup(setup, setup + 1);
}

void TFormCompare::CheckBoxDifferencesOnlyClick() {
  ShowFilter();
  UpdateButtons();
}

// ---- settings ----

void TFormCompare::ReadSettings() {
  const TCompareSettings s = ReadCompareSettings(ProfileIni(settingsFile_));
  const TDialogScale px(*this);
  resize(s.width > 0 ? s.width : px(kDefaultWidth), s.height > 0 ? s.height : px(kDefaultHeight));
  sizeChanged_ = false;
}

void TFormCompare::WriteSettings() {
  if (!sizeChanged_) return;
  ProfileIni ini(settingsFile_);
  WriteCompareSettings(ini, TCompareSettings{width(), height()});
  sizeChanged_ = false;
}

// ---- events ----

void TFormCompare::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // Back from the main window: its sliders may have moved. Only while that window is shown: when it closes
  // (and is being destroyed) this window may become the active one, and there is nothing left to read.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && parentWidget() &&
      parentWidget()->isVisible())
    RefreshOpenSetup();
}

void TFormCompare::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  RunCommand(this, [this] { WriteSettings(); });
}

void TFormCompare::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  sizeChanged_ = true;
}

void TFormCompare::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormCompare::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << QDir::toNativeSeparators(url.toLocalFile());
  event->acceptProposedAction();
  AddSetupFiles(paths);
}

bool TFormCompare::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TableCompare && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      QTreeWidgetItem* item = TableCompare->currentItem();
      const int column = TableCompare->currentColumn();
      if (item && column == 0 && item->childCount() > 0) {
        item->setExpanded(!item->isExpanded());
      } else {
        RunCommand(this, [this] { ButtonTakeClick(); });
      }
      return true;
    }
    if (key->key() == Qt::Key_Delete) {
      RunCommand(this, [this] { ButtonRemoveColumnClick(); });
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace gw
