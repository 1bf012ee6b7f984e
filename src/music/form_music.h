#pragma once
// The music manager: which files the game plays in its ten replay-music slots, and the music folder's files
// with their song and artist. Files are imported, deleted and re-tagged at once; the slots are written to the
// sound table when the window closes.

#include <QDialog>

#include <string>
#include "widgets/modal_dialogs.h"

#include "music/music_files.h"
#include "music/sound_table.h"

class QAction;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace gw {

class TFormMusic final : public QDialog {
  Q_OBJECT

 public:
  // Fills both lists from the installation's music folder and sound table; raises gw::Error when that fails
  // (the window is then not shown). Play copies go to playFolder.
  explicit TFormMusic(const std::string& installFolder, QWidget* parent = nullptr,
                      std::string playFolder = PlayFolder());
  Q_DISABLE_COPY_MOVE(TFormMusic)

  // --- Commands; each raises gw::Error on failure, leaving the lists as they were at the failing step.
  void MenuItemAssignClick();
  void MenuItemEraseClick();
  void ButtonLoadDefaultClick();
  void MenuItemDeleteClick();
  void MenuItemEditClick();
  void ButtonInportClick();
  void Play1Click();  // the library list's file
  void Play2Click();  // the slot list's file
  // Writes the sound table and clears the play folder; the window closes only when both are done.
  void FormClose();

  // --- Context-menu enabling, computed as a menu opens.
  void PopupMenuTopPopup();
  void PopupMenuBottomPopup();

  // The file name (with its extension) each row works with; empty for an empty slot.
  static std::string HiddenName(const QTreeWidgetItem& row);
  // A row whose file could not be read: it shows its name only, greyed, with the reason as its tip.
  static bool IsUnreadable(const QTreeWidgetItem& row);
  TSlotTable SlotNames() const;
  const std::string& MusicFolder() const { return musicFolder_; }

  // The client area at 96 dots per inch.
  static constexpr int kClientWidth = 487;
  static constexpr int kClientHeight = 387;

  QTreeWidget* ListViewTop = nullptr;
  QTreeWidget* ListViewBottom = nullptr;
  QPushButton* ButtonInport = nullptr;
  QPushButton* ButtonLoadDefault = nullptr;
  QPushButton* ButtonClose = nullptr;
  QMenu* PopupMenuTop = nullptr;
  QMenu* PopupMenuBottom = nullptr;
  QAction* MenuItemErase = nullptr;
  QAction* Play2 = nullptr;
  QAction* MenuItemAssign = nullptr;
  QAction* MenuItemDelete = nullptr;
  QAction* MenuItemEdit = nullptr;
  QAction* Play1 = nullptr;

 public slots:
  // Close, Escape and the close box all come here.
  void reject() override;

 private:
  int Px(int pixels) const;  // pixels at 96 dots per inch on this screen
  QTreeWidget* CreateList(const char* name, const QStringList& headers,
                          const std::initializer_list<int>& widths);
  void CreateMenus();
  void FillLibraryList();
  void FillSlotList();
  void ListViewTopSelectItem();
  void PlayRow(const QTreeWidgetItem* row);
  void SetHiddenName(QTreeWidgetItem& row, const std::string& name);
  void RefreshSlotRow(QTreeWidgetItem& row);
  void RefreshLibraryRow(QTreeWidgetItem& row);
  void RefreshSlotRowsNamed(const std::string& name, bool erase);
  QTreeWidgetItem* AddLibraryRow(const std::string& name);
  // The row's file as the game finds it, ignoring letter case; a slot's file may be named in any case.
  std::string PathOf(const QTreeWidgetItem& row) const;
  // Runs a command of a control; an error it raises is shown as every error is and ends the command.
  template <typename F>
  void Run(F&& command) {
    RunCommand(this, std::forward<F>(command));
  }

  std::string installFolder_;
  std::string musicFolder_;
  std::string playFolder_;
};

}  // namespace gw
