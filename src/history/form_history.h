#pragma once
// The history window: the kept versions of the open file, newest first, with how many parameters each
// differs from the file as it is now, and the files that were deleted. It only reports the user's choice;
// the main window restores or opens.

#include <QDialog>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "history/version_store.h"

class QPushButton;
class QTimer;
class QTreeWidget;

namespace gw {

// A version's time as the player reads it: local date and time to the millisecond.
QString VersionLocalTimeText(int64_t timeMs);

class TFormHistory final : public QDialog {
  Q_OBJECT

 public:
  enum class TChoice { None, Restore, Open, Compare };

  // filePath: the open file ("" for none: only the deleted files are listed).
  TFormHistory(QWidget* parent, const TVersionStore& store, const std::string& filePath);
  Q_DISABLE_COPY_MOVE(TFormHistory)

  QTreeWidget* ListViewVersions = nullptr;  // date and time, size, changed parameters
  QTreeWidget* ListViewDeleted = nullptr;   // file, deleted, folder
  QPushButton* ButtonRestore = nullptr;
  QPushButton* ButtonOpen = nullptr;
  QPushButton* ButtonCompare = nullptr;  // adds the version as a column of the compare window

  TChoice Choice() const { return choice_; }
  // The version chosen and the file it belongs to (a deleted file: its old path and newest version).
  const TVersionInfo& ChosenVersion() const { return chosen_; }
  const std::string& ChosenFile() const { return chosenFile_; }

  void ButtonRestoreClick();
  void ButtonOpenClick();
  void ButtonCompareClick();

  // The changed-parameter counts are filled in newest first: the first screen at once, the rest while the
  // window is already open.
  bool CountsComplete() const { return counted_ >= versions_.size(); }
  void CountChanges(std::size_t count);

 private:
  void FillVersions(const TVersionStore& store);
  void FillDeleted(const TVersionStore& store);
  void SelectionChanged(QTreeWidget* from);
  bool TakeSelection();

  std::string filePath_;
  std::vector<TVersionInfo> versions_;
  std::vector<TDeletedFile> deleted_;
  TSetupValues current_;
  bool haveCurrent_ = false;
  std::size_t counted_ = 0;
  QTimer* countTimer_ = nullptr;
  TChoice choice_ = TChoice::None;
  TVersionInfo chosen_;
  std::string chosenFile_;
};

}  // namespace gw
