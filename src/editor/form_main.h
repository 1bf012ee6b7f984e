#pragma once
// The main window: the file list on the toolbar, the setup's sliders on three pages, the comment box, and
// the file workflow (load, save, save as, reload, delete, drop, the command line).

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/catalogue.h"
#include "editor/form_slider_list.h"
#include "editor/settings_file.h"
#include "history/undo_commands.h"
#include "history/version_store.h"
#include "setup/car_setup.h"
#include "widgets/modal_dialogs.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QTabBar;
class QTabWidget;
class QToolButton;
class QFrame;
class QUndoStack;

namespace gw {

class TFileComboBox;
class TFormCompare;
class TSliderListBox;
struct TTakenValue;

// What the window is started with; the program passes its installation, its settings file and its first
// command-line argument, tests pass their own.
struct TFormMainOptions {
  std::string installFolder;
  std::string settingsFile;
  std::optional<std::string> startFile;
  // Where versions of overwritten and deleted setups are kept; none given: the per-user data folder's
  // "history" (tests give a folder of their own).
  std::optional<std::string> historyFolder;
};

class TFormMain final : public QMainWindow, public TSetupControls, public TEditorChangeTarget {
  Q_OBJECT

 public:
  explicit TFormMain(TFormMainOptions options, QWidget* parent = nullptr);
  ~TFormMain() override;
  Q_DISABLE_COPY_MOVE(TFormMain)

  // --- The file workflow.
  void LoadSetupFile(const std::string& fileName);
  void SaveSetupFile(const std::string& fileName);
  void RefreshFileList();
  void ListSetupFiles(QStringList& target) const;
  void SelectFileEntry(const std::string& fileName);
  int SelectedRunVariant() const;

  // --- Commands.
  void ComboBoxFilesSelect(int index);
  void ActionSaveExecute();
  void ActionSaveAsExecute();
  QString DialogFolder() const;  // where Open and Save as start: the open file's folder, else SavedGames
  void ActionReloadExecute();
  void ActionDeleteExecute();
  void MenuItemExitClick();
  void ool1Click();
  void MenuItemAboutClick();
  void MenuItemVelocityClick();
  void MenuItemMusicClick();
  void EditSpeedMapVelocity(TSliderListBox* list);
  // The tools (form_main_tools.cpp).
  void MenuItemExtractClick();
  void MenuItemCopyToFileClick();
  void ActionRunTOVExecute();
  void ActionTOVOptionExecute();
  void OpenTOVfolder1Click();
  void TabControlDiffChange();
  // Comparing setups (form_main_compare.cpp): the compare window, shown and raised; the values taken from it.
  void ActionCompareExecute();
  TFormCompare& CompareWindow();
  void ApplyPositions(const std::vector<TTakenValue>& values);
  // Adds a kept version of filePath as a column of the compare window and shows it.
  void CompareWithVersion(const TVersionInfo& version, const std::string& filePath);
  // Files dropped onto the window: only the first counts.
  void DropFiles(const QStringList& paths);

  // --- Undo, changes since load, unsaved changes, versions, files changed on disk (form_main_history.cpp).
  void ActionUndoExecute();
  void ActionRedoExecute();
  void ActionHistoryExecute();
  // Slider edits not yet saved, or a comment typed since the file was loaded or saved.
  bool IsModified() const;
  bool CommentModified() const;
  // Before unsaved changes would be lost: asks to save them; false when the user cancels.
  bool MaySaveOrDiscard();
  // The open file was written by another program: reloads it when nothing is unsaved.
  void CheckFileChangedOnDisk();
  bool ChangedOnDisk() const;
  // Asks whether to overwrite, reload (then false) or cancel (false).
  bool MayOverwriteChangedFile();
  // Loads a kept version into the sliders; the file it belongs to is not touched until a save as.
  void OpenVersion(const TVersionInfo& version, const std::string& originalPath);
  void ShowVersion(const TVersionInfo& version, const std::string& originalPath);  // without asking
  void RestoreVersion(const TVersionInfo& version, const std::string& targetPath);
  // The hint of an entry: its name and value, and for a changed entry the loaded value.
  QString EntryHint(TSetupList list, int index);
  // The hint of the entry under the pointer, again after its value changed under a still pointer.
  void RefreshHoverHint();
  // Ends the user's gesture: what changed since the last step becomes one undo step named by text.
  void CommitEdit(QString text);
  TEditorState CaptureState() const;
  void ApplyEditorChange(const TEditorChange& change, bool undo) override;
  QUndoStack* UndoStack() const { return undoStack_; }
  TVersionStore& History() { return *history_; }

  // --- Settings and comments.
  void ReadSettings();
  void WriteSettings();
  void LoadComment();
  void SaveComment();

  // --- TSetupControls: what the catalogue transfers work on.
  TSliderList& SliderList(TSetupList list) override;
  bool GearChecked(TGearButton button) const override;
  void SetGearChecked(TGearButton button, bool checked) override;

  // The client area at 96 dots per inch.
  static constexpr int kClientWidth = 554;
  static constexpr int kClientHeight = 456;

  // --- Read access for the tools and for tests.
  TTOVCarSetup& Setup() { return setup_; }
  const std::string& InstallFolder() const { return installFolder_; }
  TSliderListBox* List(TSetupList list) const { return lists_[static_cast<std::size_t>(list)]; }
  void FitAllSliderLists();

 protected:
  void showEvent(QShowEvent* event) override;
  // The command-line file loads once the window has drawn, so any message about it shows over the window.
  void LoadStartFileOverWindow();
  // View menu: the colour theme, Light / Dark / System, kept in the settings file.
  void CreateViewMenu();
  void ApplyTheme(const QString& theme);
  // View > Zoom: 100 to 200 %, for every window, kept in the settings file.
  void CreateZoomMenu(QMenu* view);
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int Px(int pixels) const;  // pixels at 96 dots per inch on this screen
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreatePages();
  QWidget* CreateGeneralPage();
  QWidget* CreateSuspensionPage();
  QWidget* CreateMapPage();
  TSliderListBox* CreateList(QWidget* parent, TSetupList which, QRect geometry96);
  QLabel* CreateHeading(QWidget* parent, const QString& text, QRect geometry96, bool arial);
  void ConnectListEvents(TSliderListBox& list, TSetupList which);
  void SizeListColumns();

  void CreateHistoryActions();
  void SetFileActionsEnabled(bool enabled);
  void UpdateCaption();
  void ResetUndo(bool loaded);  // after a load (marks at the loaded positions) or a delete (no marks)
  void KeepVersion(const std::string& path);
  void FileWritten();  // the open file now holds what the sliders show
  QString StepName(TSetupList list, int index) const;
  void SliderSlid(TSliderListBox* sender, TSetupList list, int index);
  bool SameAsOpenFile(const std::string& path) const;
  void SetCaptionForFile(bool withSlotPart);
  void RefreshBrakeRatio();
  void ResetAllSliders();
  // Runs a command; an error it raises is shown as every error is and ends the command.
  template <typename F>
  void Run(F&& command) {
    RunCommand(this, std::forward<F>(command));
  }

  void SliderCustomValue(TSliderListBox* sender, TSetupList list, int index, QString& s, uint32_t& f);
  void SliderListBoxTyreSlide(int index);
  void SliderListBoxBrakeSlide();

  std::string installFolder_;
  std::string settingsFile_;
  std::optional<std::string> startFile_;
  bool shown_ = false;
  TTOVCarSetup setup_;
  TValueTextFormat valueFormat_;

  std::array<TSliderListBox*, kSetupListCount> lists_{};
  std::array<std::unique_ptr<TSliderListAdapter>, kSetupListCount> adapters_;
  std::array<QRadioButton*, 3> gearButtons_{};

  QAction* ActionSave = nullptr;
  QAction* ActionSaveAs = nullptr;
  QAction* ActionDelete = nullptr;
  QAction* ActionReload = nullptr;
  QAction* ActionRunTOV = nullptr;
  QAction* ActionTOVOption = nullptr;
  QAction* OpenTOVfolder1 = nullptr;
  QAction* MenuItemExit = nullptr;
  QAction* MenuItemCopyToFile = nullptr;
  QAction* MenuItemExtract = nullptr;
  QAction* MenuItemMusic = nullptr;
  QAction* MenuItemConfirmSave = nullptr;
  QAction* MenuItemAbout = nullptr;
  QAction* MenuItemVelocity = nullptr;
  QAction* ActionUndo = nullptr;
  QAction* ActionRedo = nullptr;
  QAction* ActionHistory = nullptr;
  QAction* MenuItemConfirmDiscard = nullptr;
  QAction* ActionCompare = nullptr;
  std::array<QAction*, 3> runVariants_{};  // Default1, SSE1, NoSSE1
  QActionGroup* runVariantGroup_ = nullptr;
  QMenu* ool1 = nullptr;
  QMenu* PopupMenuRunTOV = nullptr;
  QMenu* PopupMenuVelocity = nullptr;
  TSliderListBox* velocityMenuList_ = nullptr;  // the speed list whose context menu is open

  TFileComboBox* ComboBoxFiles = nullptr;
  QTabWidget* PageControlGeneral = nullptr;
  QCheckBox* CheckBoxTyreLink = nullptr;
  QLabel* LabelBrakeRatio = nullptr;
  QPlainTextEdit* MemoComment = nullptr;
  QWidget* TabControlDiff = nullptr;
  QTabBar* tabBarDiff_ = nullptr;
  std::array<QFrame*, 12> mapPanels_{};  // in the order of the map lists

  // Undo: the controls as the last step left them, and the gesture not yet made a step.
  QUndoStack* undoStack_ = nullptr;
  TEditorState undoBase_;
  QString pendingStep_;
  std::optional<std::pair<TSetupList, int>> hovered_;  // the entry the status bar describes
  // The caption: "Gravelwright - name [car:title]", the star of unsaved changes, the version part.
  std::string captionFile_;
  std::string captionVersion_;
  // An open version: the file it belongs to and the version itself.
  std::optional<std::string> versionOf_;
  TVersionInfo openVersion_;
  std::unique_ptr<TVersionStore> history_;
  int historyDepth_ = kDefaultHistoryDepth;
  bool historyOffShown_ = false;
  // The open file as it was loaded or saved, to notice another program's writes.
  struct TDiskStamp {
    bool Exists = false;
    uintmax_t Size = 0;
    int64_t Time = 0;
    std::size_t Hash = 0;
    bool operator==(const TDiskStamp&) const = default;
  };
  static TDiskStamp StampOf(const std::string& path);
  TDiskStamp diskStamp_;
};

}  // namespace gw
