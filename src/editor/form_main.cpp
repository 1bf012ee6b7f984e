#include "editor/form_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QUrl>
#include <algorithm>

#include "editor/form_comment_box.h"
#include "editor/form_file_list.h"
#include "music/music_files.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "platform/user_folders.h"
#include "setup/game_folders.h"
#include "widgets/dialog_parts.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {

namespace {

constexpr const char* kSetupFileFilter = "TOV File (*.lsp)|*.lsp|All|*";
constexpr const char* kNoComment = "Can't be used.";

using L = TSetupList;

}  // namespace

TFormMain::TFormMain(TFormMainOptions options, QWidget* parent)
    : QMainWindow(parent),
      installFolder_(std::move(options.installFolder)),
      settingsFile_(std::move(options.settingsFile)),
      startFile_(std::move(options.startFile)),
      valueFormat_(LocalValueTextFormat()) {
  setObjectName(QStringLiteral("FormMain"));
  // A fixed-size window: system menu and minimise only.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  setAcceptDrops(true);
  // The layout was drawn for an 11-pixel Tahoma.
  QFont general(WindowFontFamily());
  general.setPixelSize(Px(11));
  setFont(general);

  CreateActions();
  CreateMenus();
  CreateViewMenu();
  CreateToolBar();
  CreatePages();
  statusBar()->setObjectName(QStringLiteral("StatusBarHint"));
  statusBar()->setSizeGripEnabled(false);
  ReadSettings();
  const std::string userData = UserDataFolder();
  const std::string historyFolder = options.historyFolder
                                        ? *options.historyFolder
                                        : (userData.empty() ? userData : GamePath(userData, "\\history"));
  history_ = std::make_unique<TVersionStore>(historyFolder, GamePath(installFolder_, kSavedGamesFolder),
                                             historyDepth_);
  undoBase_ = CaptureState();
  FitAllSliderLists();
  SizeListColumns();
  TabControlDiffChange();
  RefreshFileList();
  ComboBoxFiles->setFixedWidth(2 * logicalDpiX());
  MemoComment->setFont(font());
  setFixedSize(Px(kClientWidth),
               menuBar()->sizeHint().height() + Px(kClientHeight) + statusBar()->sizeHint().height());
}

TFormMain::~TFormMain() {
  // The undo stack announces its emptied texts while Qt deletes the children, when this window is only a
  // QWidget any more: its handlers here must not hear that.
  if (undoStack_) QObject::disconnect(undoStack_, nullptr, this, nullptr);
}

int TFormMain::Px(int pixels) const {
  return TDialogScale(*this)(pixels);
}

// ---- linked editing and value texts ----

void TFormMain::SliderCustomValue(TSliderListBox* sender, TSetupList list, int index, QString& s,
                                  uint32_t& f) {
  const TValueText text = SliderValueText(list, index, sender->Value(index), valueFormat_);
  s = ToQ(text.Text);
  f = text.Flags;
}

void TFormMain::SliderListBoxTyreSlide(int index) {
  if (!CheckBoxTyreLink->isChecked()) return;
  TSliderListBox* tyre = List(L::Tyre);
  const int32_t value = tyre->Value(index);
  for (int i = 0; i < tyre->Count(); ++i)
    if (i != index) tyre->SetValue(i, value);
}

void TFormMain::SliderListBoxBrakeSlide() {
  RefreshBrakeRatio();
}

void TFormMain::RefreshBrakeRatio() {
  TSliderListBox* brake = List(L::Brake);
  LabelBrakeRatio->setText(
      ToQ(BrakeRatioText(brake->Value(0), brake->Value(1), valueFormat_.DecimalSeparator)));
}

// ---- TSetupControls ----

TSliderList& TFormMain::SliderList(TSetupList list) {
  return *adapters_[static_cast<std::size_t>(list)];
}

bool TFormMain::GearChecked(TGearButton button) const {
  return gearButtons_[static_cast<std::size_t>(button)]->isChecked();
}

void TFormMain::SetGearChecked(TGearButton button, bool checked) {
  QRadioButton* radio = gearButtons_[static_cast<std::size_t>(button)];
  // An exclusive radio button cannot be unchecked by itself; a file with an unknown gear unchecks all three.
  radio->setAutoExclusive(checked);
  radio->setChecked(checked);
  radio->setAutoExclusive(true);
}

// ---- the file workflow ----

void TFormMain::SetFileActionsEnabled(bool enabled) {
  ActionSave->setEnabled(enabled);
  ActionSaveAs->setEnabled(enabled);
  ActionDelete->setEnabled(enabled);
}

void TFormMain::SetCaptionForFile(bool withSlotPart) {
  const std::string& path = setup_.FileName();
  std::string caption = std::string(kProgramTitle) + " - " + ExtractBaseName(path);
  std::string car, title;
  if (withSlotPart && !IsSlotFile(path, installFolder_) &&
      ParseSlotFileName(ExtractFileName(path), car, title))
    caption += " [" + car + ":" + title + "]";
  captionFile_ = caption;
  captionVersion_.clear();
  UpdateCaption();
}

void TFormMain::ListSetupFiles(QStringList& target) const {
  target.clear();
  const std::vector<std::string> names =
      FindFiles(GamePath(installFolder_, kSavedGamesPrefix), kSlotFileMask);
  target.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) {
    // ASCII reads alike in every code page, and Latin-1 is the cheap way to say so.
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    target << (ascii ? QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) : ToQ(name));
  }
}

void TFormMain::RefreshFileList() {
  QStringList names;
  ListSetupFiles(names);
  SortIgnoringCase(names);
  names << QStringLiteral("-");
  ComboBoxFiles->SetEntries(names);
}

void TFormMain::SelectFileEntry(const std::string& fileName) {
  const QString name = ToQ(ExtractFileName(fileName));
  int found = -1;
  for (int i = 0; i < ComboBoxFiles->count() && found < 0; ++i)
    if (QString::compare(ComboBoxFiles->itemText(i), name, Qt::CaseInsensitive) == 0) found = i;
  ComboBoxFiles->setCurrentIndex(found);
}

int TFormMain::SelectedRunVariant() const {
  for (std::size_t i = 0; i < runVariants_.size(); ++i)
    if (runVariants_[i]->isChecked()) return static_cast<int>(i);
  return 0;
}

void TFormMain::ComboBoxFilesSelect(int index) {
  if (!ComboBoxFiles->hasFocus()) ComboBoxFiles->setFocus();
  if (index < 0) return;
  if (!MaySaveOrDiscard()) {
    SelectFileEntry(setup_.FileName());
    return;
  }
  const QString entry = ComboBoxFiles->itemText(index);
  if (entry != QLatin1String("-")) {
    LoadSetupFile(FromQ(entry));
    return;
  }
  ComboBoxFiles->setCurrentIndex(-1);
  const QString path = AskOpenFileName(this, QString::fromLatin1(kSetupFileFilter), DialogFolder());
  if (!path.isEmpty())
    LoadSetupFile(FromQ(path));
  else
    SelectFileEntry(setup_.FileName());
}

void TFormMain::LoadSetupFile(const std::string& fileName) {
  SetFileActionsEnabled(false);
  MenuItemVelocity->setEnabled(false);
  const std::string path = SetupFilePath(fileName, installFolder_);
  versionOf_.reset();
  try {
    setup_.LoadFromFile(path);
  } catch (...) {
    ComboBoxFiles->setCurrentIndex(-1);
    setup_.Clear();
    ResetUndo(false);
    throw;
  }
  try {
    SetupToSliders(setup_, *this);
  } catch (...) {
    ResetUndo(false);
    throw;
  }
  ResetUndo(true);
  diskStamp_ = StampOf(path);
  SetCaptionForFile(true);
  SetFileActionsEnabled(true);
  MenuItemVelocity->setEnabled(true);
  RefreshBrakeRatio();
  LoadComment();
  // Damage after a crash: the player learns before a save drops the rest.
  if (setup_.NulOffset() >= 0) ShowMessageBox(this, ToQ(NulByteNotice(path, setup_.NulOffset())));
}

void TFormMain::SaveSetupFile(const std::string& fileName) {
  if (fileName.empty() && (setup_.FileName().empty() || versionOf_)) return;
  SlidersToSetup(setup_, *this);
  KeepVersion(fileName.empty() ? setup_.FileName() : fileName);
  setup_.SaveToFile(fileName);
  FileWritten();
  SetCaptionForFile(false);
  if (!fileName.empty()) SelectFileEntry(fileName);
  SaveComment();  // last: the setup is written even when its comment cannot be stored
}

void TFormMain::ActionSaveExecute() {
  // A version is never written back over itself: it is saved under a new name.
  if (versionOf_) {
    ActionSaveAsExecute();
    return;
  }
  // Overwriting another program's changes was confirmed by that question.
  if (ChangedOnDisk()) {
    if (!MayOverwriteChangedFile()) return;
  } else if (MenuItemConfirmSave->isChecked() &&
             !ConfirmAtPointer(this, QStringLiteral("Save overwrite the file.")))
    return;
  SaveSetupFile({});
}

QString TFormMain::DialogFolder() const {
  // Where the open file lies, else the game's saved setups: where a player's setups are.
  const std::string file = versionOf_ ? *versionOf_ : setup_.FileName();
  if (!file.empty()) return ToQ(ExtractFileDir(file));
  return installFolder_.empty() ? QString() : ToQ(GamePath(installFolder_, kSavedGamesFolder));
}

void TFormMain::ActionSaveAsExecute() {
  const QString chosen = AskSaveFileName(this, QString::fromLatin1(kSetupFileFilter), DialogFolder());
  if (chosen.isEmpty()) return;
  std::string name = FromQ(chosen);
  if (ExtractFileExt(name).empty()) name += ".lsp";
  SaveSetupFile(name);
}

void TFormMain::ActionReloadExecute() {
  if (!MaySaveOrDiscard()) return;
  if (versionOf_) {
    ShowVersion(openVersion_, std::string(*versionOf_));  // asked above
    return;
  }
  const std::string name = setup_.FileName();
  if (FileExists(name)) LoadSetupFile(name);
  RefreshFileList();
  if (!name.empty()) SelectFileEntry(name);
}

void TFormMain::ActionDeleteExecute() {
  const std::string path = setup_.FileName();
  if (path.empty() || !FileExists(path) || versionOf_) return;
  if (!MaySaveOrDiscard()) return;
  if (!ConfirmAtPointer(this, QStringLiteral("Delete file ") + ToQ(path))) return;
  KeepVersion(path);
  if (std::remove(path.c_str()) != 0) throw Error("Can't delete the file.");
  RefreshFileList();
  setup_.Clear();
  captionFile_ = kProgramTitle;
  captionVersion_.clear();
  SetFileActionsEnabled(false);
  ResetAllSliders();
  ResetUndo(false);
}

void TFormMain::ResetAllSliders() {
  for (TSliderListBox* list : findChildren<TSliderListBox*>()) {
    list->States().BeginUpdate();
    for (int i = 0; i < list->Count(); ++i) list->SetValue(i, list->Min(i));
    list->States().EndUpdate();
  }
  for (QRadioButton* radio : findChildren<QRadioButton*>()) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  }
}

void TFormMain::MenuItemExitClick() {
  close();
}

void TFormMain::ool1Click() {
  MenuItemCopyToFile->setEnabled(!setup_.FileName().empty());
  MenuItemMusic->setEnabled(DirectoryExists(GamePath(installFolder_, "\\Audio\\Music")));
  MenuItemExtract->setEnabled(true);
}

void TFormMain::MenuItemAboutClick() {
  // The program sets its version (from the build) on the application object at start.
  ShowMessageBox(this,
                 QStringLiteral("Gravelwright %1\nA setup editor for Toven Rally.\n\n"
                                "Free software under the GNU General Public License, version 3 or later.")
                     .arg(QCoreApplication::applicationVersion()));
}

// ---- settings and comments ----

void TFormMain::ReadSettings() {
  const TMainSettings s = ReadMainSettings(ProfileIni(settingsFile_));
  QPoint position = pos();
  if (s.left != -1) position.setX(s.left);
  if (s.top != -1) position.setY(s.top);
  // A position from a screen that is gone (an unplugged monitor): the system places the window instead.
  const QPoint titleBar = position + QPoint(width() / 2, 8);
  if (position != pos() && QGuiApplication::screenAt(titleBar)) move(position);
  MenuItemConfirmSave->setChecked(s.confirmSave);
  runVariants_[static_cast<std::size_t>(s.runTOV)]->setChecked(true);
  const THistorySettings h = ReadHistorySettings(ProfileIni(settingsFile_));
  MenuItemConfirmDiscard->setChecked(h.confirmDiscard);
  historyDepth_ = h.historyDepth;
}

void TFormMain::WriteSettings() {
  ProfileIni ini(settingsFile_);
  WriteMainSettings(ini, TMainSettings{x(), y(), MenuItemConfirmSave->isChecked(), SelectedRunVariant()});
  WriteHistorySettings(ini, THistorySettings{MenuItemConfirmDiscard->isChecked(), historyDepth_});
}

void TFormMain::LoadComment() {
  if (IsSlotFile(setup_.FileName(), installFolder_)) {
    MemoComment->setEnabled(true);
    MemoComment->setBackgroundRole(QPalette::Base);
    SetCommentBoxText(*MemoComment,
                      ToQ(LinesToCommentText(ReadComment(ProfileIni(settingsFile_), setup_.FileName()))));
  } else {
    MemoComment->setEnabled(false);
    MemoComment->setBackgroundRole(QPalette::Window);
    MemoComment->setPlainText(QString::fromLatin1(kNoComment));
  }
  MemoComment->document()->setModified(false);
  UpdateCaption();  // the star follows the box, whatever filling it signalled
}

void TFormMain::SaveComment() {
  // A box that shows the placeholder holds no comment of the file: nothing is stored for it.
  if (!IsSlotFile(setup_.FileName(), installFolder_) || !MemoComment->isEnabled()) return;
  ProfileIni ini(settingsFile_);
  WriteComment(ini, setup_.FileName(), CommentTextToLines(FromQ(CommentBoxText(*MemoComment))));
  MemoComment->document()->setModified(false);
  UpdateCaption();
}

// ---- window events ----

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  LoadStartFileOverWindow();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  Run([this, &mayClose] { mayClose = MaySaveOrDiscard(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  ClearPlayFolder();
  setAcceptDrops(false);
  // The window closes even when its settings cannot be stored; the player is told why.
  Run([this] { WriteSettings(); });
  event->accept();
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << QDir::toNativeSeparators(url.toLocalFile());
  event->acceptProposedAction();  // released whether or not the load succeeds
  Run([this, &paths] { DropFiles(paths); });
}

void TFormMain::DropFiles(const QStringList& paths) {
  if (paths.isEmpty() || !MaySaveOrDiscard()) return;
  LoadSetupFile(FromQ(paths.front()));  // the whole path, however long
  SelectFileEntry(setup_.FileName());
}

}  // namespace gw
