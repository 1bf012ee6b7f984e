// The main window's safety net: undo and redo of every edit, the marks of changes since the load, the
// question before unsaved changes are lost, the versions kept before a file is overwritten or deleted, and
// files that another program (the game) rewrote while they were open.
#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QUndoStack>
#include <filesystem>
#include <functional>

#include "editor/form_main.h"
#include "editor/value_text.h"
#include "history/form_history.h"
#include "platform/file_io.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "setup/game_folders.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {

namespace {

using L = TSetupList;

bool IsSpeedMap(L list) {
  for (const TVelocityAxis& axis : SpeedMapVelocityAxes)
    if (axis.List == list) return true;
  return false;
}

}  // namespace

void TFormMain::CreateHistoryActions() {
  auto action = [this](const char* name, const QString& text) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    addAction(a);
    return a;
  };
  undoStack_ = new QUndoStack(this);
  ActionUndo = action("ActionUndo", QStringLiteral("Undo"));
  ActionUndo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  ActionUndo->setEnabled(false);
  ActionRedo = action("ActionRedo", QStringLiteral("Redo"));
  ActionRedo->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  ActionRedo->setEnabled(false);
  ActionHistory = action("ActionHistory", QStringLiteral("&History..."));
  ActionHistory->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
  MenuItemConfirmDiscard = action("MenuItemConfirmDiscard", QStringLiteral("Confirm &discard"));
  MenuItemConfirmDiscard->setCheckable(true);
  MenuItemConfirmDiscard->setChecked(true);

  connect(undoStack_, &QUndoStack::canUndoChanged, ActionUndo, &QAction::setEnabled);
  connect(undoStack_, &QUndoStack::canRedoChanged, ActionRedo, &QAction::setEnabled);
  connect(undoStack_, &QUndoStack::undoTextChanged, this, [this](const QString& text) {
    ActionUndo->setText(text.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + text);
  });
  connect(undoStack_, &QUndoStack::redoTextChanged, this, [this](const QString& text) {
    ActionRedo->setText(text.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + text);
  });
  connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { UpdateCaption(); });
  connect(ActionUndo, &QAction::triggered, this, [this] { Run([this] { ActionUndoExecute(); }); });
  connect(ActionRedo, &QAction::triggered, this, [this] { Run([this] { ActionRedoExecute(); }); });
  connect(ActionHistory, &QAction::triggered, this, [this] { Run([this] { ActionHistoryExecute(); }); });
}

// ---- undo ----

TEditorState TFormMain::CaptureState() const {
  TEditorState state;
  for (std::size_t l = 0; l < lists_.size(); ++l) {
    const TSliderListBox* list = lists_[l];
    auto& values = state.Values[l];
    values.resize(static_cast<std::size_t>(list->Count()));
    for (int i = 0; i < list->Count(); ++i) values[static_cast<std::size_t>(i)] = list->Value(i);
    if (IsSpeedMap(static_cast<L>(l)))
      for (int i = 0; i < list->Count(); ++i) state.Captions[l] << list->Caption(i);
  }
  for (std::size_t g = 0; g < gearButtons_.size(); ++g) state.Gear[g] = gearButtons_[g]->isChecked();
  return state;
}

void TFormMain::CommitEdit(QString text) {
  pendingStep_.clear();
  TEditorState now = CaptureState();
  TEditorChange change = EditorDifference(undoBase_, now);
  undoBase_ = std::move(now);
  if (change.Empty()) return;
  undoStack_->push(new TEditorCommand(*this, std::move(change), std::move(text)));
}

void TFormMain::ApplyEditorChange(const TEditorChange& change, bool undo) {
  for (const TEditorChange::Value& v : change.Values)
    List(v.List)->SetValue(v.Index, undo ? v.Before : v.After);
  for (const TEditorChange::Caption& c : change.Captions)
    List(c.List)->SetCaption(c.Index, undo ? c.Before : c.After);
  const std::array<bool, 3>& gear = undo ? change.GearBefore : change.GearAfter;
  for (std::size_t g = 0; g < gear.size(); ++g)
    if (gearButtons_[g]->isChecked() != gear[g]) SetGearChecked(static_cast<TGearButton>(g), gear[g]);
  RefreshBrakeRatio();
  undoBase_ = CaptureState();
  RefreshHoverHint();
}

void TFormMain::ActionUndoExecute() {
  if (!pendingStep_.isEmpty()) CommitEdit(pendingStep_);  // a drag still held ends here
  undoStack_->undo();
}

void TFormMain::ActionRedoExecute() {
  if (!pendingStep_.isEmpty()) CommitEdit(pendingStep_);
  undoStack_->redo();
}

QString TFormMain::StepName(TSetupList list, int index) const {
  const TSliderListBox* box = List(list);
  const QString caption = box->Caption(index);
  if (list >= L::CenterThrottle) {
    const QFrame* panel =
        mapPanels_[static_cast<std::size_t>(list) - static_cast<std::size_t>(L::CenterThrottle)];
    const QLabel* label = panel->findChild<QLabel*>();
    return (label ? label->text() + QLatin1Char(' ') : QString()) + caption;
  }
  switch (list) {
    case L::DamperFront:
    case L::SpringFront:
    case L::GeometryFront:
      return QStringLiteral("Front ") + caption;
    case L::DamperRear:
    case L::SpringRear:
    case L::GeometryRear:
      return QStringLiteral("Rear ") + caption;
    default:
      return caption;
  }
}

void TFormMain::SliderSlid(TSliderListBox* sender, TSetupList list, int index) {
  pendingStep_ = StepName(list, index);
  // A key or a wheel notch is a step of its own; a drag becomes one when the button is released.
  if (!sender->Sliding()) CommitEdit(pendingStep_);
  RefreshHoverHint();
}

void TFormMain::ResetUndo(bool loaded) {
  pendingStep_.clear();
  undoStack_->clear();
  for (TSliderListBox* list : lists_)
    for (int i = 0; i < list->Count(); ++i)
      list->SetLoadedValue(i, loaded ? std::optional<int32_t>(list->Value(i)) : std::nullopt);
  undoBase_ = CaptureState();
  UpdateCaption();
  RefreshHoverHint();  // a load changed the values under the pointer
}

void TFormMain::RefreshHoverHint() {
  if (!hovered_) return;
  const auto [list, index] = *hovered_;
  const QString hint = index >= 0 && index < List(list)->Count() ? EntryHint(list, index) : QString();
  List(list)->setToolTip(hint);
  statusBar()->showMessage(hint);
}

bool TFormMain::IsModified() const {
  return !undoStack_->isClean() || CommentModified();
}

bool TFormMain::CommentModified() const {
  // Only a comment the file can keep counts: after Save as outside the saved-games folder it cannot.
  return MemoComment->document()->isModified() && MemoComment->isEnabled() &&
         IsSlotFile(setup_.FileName(), installFolder_);
}

// ---- changes since load ----

QString TFormMain::EntryHint(TSetupList list, int index) {
  TSliderListBox* box = List(list);
  QString hint = StepName(list, index) + QStringLiteral(": ") + box->ValueText(index).trimmed();
  if (box->ChangedSinceLoad(index)) {
    const TValueText was = SliderValueText(list, index, *box->LoadedValue(index), valueFormat_);
    hint += QStringLiteral(" (was ") + ToQ(was.Text).trimmed() + QLatin1Char(')');
  }
  return hint;
}

void TFormMain::UpdateCaption() {
  if (captionFile_.empty()) captionFile_ = kProgramTitle;
  std::string caption = captionFile_;
  if (IsModified() && !setup_.FileName().empty()) caption += " *";
  setWindowTitle(ToQ(caption + captionVersion_));
}

// ---- unsaved changes ----

bool TFormMain::MaySaveOrDiscard() {
  if (!pendingStep_.isEmpty()) CommitEdit(pendingStep_);
  if (!IsModified() || !MenuItemConfirmDiscard->isChecked() || setup_.FileName().empty()) return true;
  const std::string name = ExtractFileName(versionOf_ ? *versionOf_ : setup_.FileName());
  const int answer = AskChoice(this, ToQ("Save changes to " + name + "?"),
                               {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")});
  if (answer == 1) return true;
  if (answer != 0) return false;
  if (versionOf_)
    ActionSaveAsExecute();
  else if (!ChangedOnDisk() || MayOverwriteChangedFile())  // as the Save command asks
    SaveSetupFile({});
  else
    return false;
  return !IsModified();
}

// ---- versions ----

void TFormMain::KeepVersion(const std::string& path) {
  if (history_->KeepVersion(path) || historyOffShown_) return;
  // Said once: the save goes on without its version.
  historyOffShown_ = true;
  ShowMessageBox(this, ToQ("History is off: " + history_->OffReason()));
}

void TFormMain::FileWritten() {
  undoStack_->setClean();
  versionOf_.reset();
  diskStamp_ = StampOf(setup_.FileName());
  UpdateCaption();
}

bool TFormMain::SameAsOpenFile(const std::string& path) const {
  if (setup_.FileName().empty() || versionOf_) return false;
  std::error_code ec;
  return std::filesystem::equivalent(ToFsPath(path), ToFsPath(setup_.FileName()), ec);
}

void TFormMain::ActionHistoryExecute() {
  if (!pendingStep_.isEmpty()) CommitEdit(pendingStep_);
  const std::string file = versionOf_ ? *versionOf_ : setup_.FileName();
  TFormHistory dialog(this, *history_, file);
  if (dialog.exec() != QDialog::Accepted) return;
  const TVersionInfo version = dialog.ChosenVersion();
  const std::string target = dialog.ChosenFile();
  if (dialog.Choice() == TFormHistory::TChoice::Restore)
    RestoreVersion(version, target);
  else if (dialog.Choice() == TFormHistory::TChoice::Open)
    OpenVersion(version, target);
  else if (dialog.Choice() == TFormHistory::TChoice::Compare)
    CompareWithVersion(version, target);
}

void TFormMain::RestoreVersion(const TVersionInfo& version, const std::string& targetPath) {
  if (!MaySaveOrDiscard()) return;
  history_->Restore(version, targetPath);
  if (!history_->IsOn() && !historyOffShown_) {
    historyOffShown_ = true;
    ShowMessageBox(this, ToQ("History is off: " + history_->OffReason()));
  }
  LoadSetupFile(targetPath);
  RefreshFileList();
  SelectFileEntry(targetPath);
}

void TFormMain::OpenVersion(const TVersionInfo& version, const std::string& originalPath) {
  if (MaySaveOrDiscard()) ShowVersion(version, originalPath);
}

void TFormMain::ShowVersion(const TVersionInfo& version, const std::string& originalPath) {
  LoadSetupFile(version.Path);
  versionOf_ = originalPath;
  openVersion_ = version;
  ActionDelete->setEnabled(false);
  captionFile_ = std::string(kProgramTitle) + " - " + ExtractBaseName(originalPath);
  captionVersion_ = " (version of " + FromQ(VersionLocalTimeText(version.TimeMs)) + ")";
  UpdateCaption();
  SelectFileEntry({});
}

// ---- files changed on disk ----

TFormMain::TDiskStamp TFormMain::StampOf(const std::string& path) {
  TDiskStamp stamp;
  if (path.empty() || !FileExists(path)) return stamp;
  std::error_code ec;
  const std::filesystem::path p = ToFsPath(path);
  stamp.Exists = true;
  stamp.Size = std::filesystem::file_size(p, ec);
  stamp.Time = static_cast<int64_t>(std::filesystem::last_write_time(p, ec).time_since_epoch().count());
  try {
    stamp.Hash = std::hash<std::string>{}(ReadFileBytes(path));
  } catch (const std::exception&) {
    stamp.Hash = 0;  // unreadable now: only size and time tell
  }
  return stamp;
}

bool TFormMain::ChangedOnDisk() const {
  if (setup_.FileName().empty() || versionOf_ || !diskStamp_.Exists) return false;
  const TDiskStamp now = StampOf(setup_.FileName());
  return now.Exists && !(now == diskStamp_);
}

bool TFormMain::MayOverwriteChangedFile() {
  const std::string path = setup_.FileName();
  const int answer =
      AskChoice(this, ToQ(ExtractFileName(path) + " was changed by another program since it was loaded."),
                {QStringLiteral("Overwrite"), QStringLiteral("Reload"), QStringLiteral("Cancel")});
  if (answer == 1) {
    LoadSetupFile(path);
    SelectFileEntry(path);
  }
  return answer == 0;
}

void TFormMain::CheckFileChangedOnDisk() {
  if (IsModified() || !ChangedOnDisk()) return;
  const std::string path = setup_.FileName();
  // Tried once per change: a file the game left unreadable must not raise an error at every activation.
  diskStamp_ = StampOf(path);
  LoadSetupFile(path);
  SelectFileEntry(path);
  statusBar()->showMessage(
      ToQ(ExtractFileName(path) + " was changed by another program and has been reloaded."));
}

void TFormMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && shown_)
    Run([this] { CheckFileChangedOnDisk(); });
}

}  // namespace gw
