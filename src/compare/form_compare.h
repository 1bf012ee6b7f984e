#pragma once
// The compare window: the open setup beside any number of other setups, one row per parameter under the
// main window's headings, and taking values from them into the open setup.
//
// The window holds no document of the main window: it asks for the open setup's values through
// OnReadOpenSetup (when it is activated and after every take) and hands the values the player takes to
// OnTake, which sets the main window's sliders.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/take_values.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace gw {

// The setup the main window shows: its file (empty when none is open) and the values of its controls.
struct TOpenSetup {
  std::string FileName;
  TSetupValues Values;
};

class TFormCompare final : public QDialog {
  Q_OBJECT

 public:
  TFormCompare(std::string installFolder, std::string settingsFile, QWidget* parent = nullptr);
  ~TFormCompare() override;
  Q_DISABLE_COPY_MOVE(TFormCompare)

  std::function<TOpenSetup()> OnReadOpenSetup;
  // The taken positions, in parameter order, at most one per parameter.
  std::function<void(const std::vector<TTakenValue>&)> OnTake;

  // --- Columns. Setup 0 is the open setup; the others are numbered from 1 in column order.
  // Reads the open setup again (a no-op without OnReadOpenSetup).
  void RefreshOpenSetup();
  // Loads a setup file into a new last column headed by its file name, or by `header` when one is given (a
  // version from the history, for example). Raises the document's error when the file cannot be loaded.
  void AddSetupFile(const std::string& path, const QString& header = {});
  // Adds each file; one that fails is reported and the others are still added.
  void AddSetupFiles(const QStringList& paths);
  void RemoveSetup(int setup);
  void MoveSetup(int from, int to);
  int SetupCount() const { return static_cast<int>(columns_.size()); }
  QString SetupHeader(int setup) const;
  const TComparison& Comparison() const { return comparison_; }

  // --- What the selection takes: each selected cell of another setup, a heading's cell standing for its
  // whole group, a parameter's caption for the setup of the current column. False when two cells name the
  // same parameter in different setups.
  bool SelectedValues(std::vector<TTakenValue>& values) const;

  // --- Commands.
  void ButtonAddSetupsClick();
  void ButtonTakeClick();
  void ButtonCopyTextClick();
  void ButtonSaveCsvClick();
  void ButtonRemoveColumnClick();
  void ButtonMoveLeftClick();
  void ButtonMoveRightClick();
  void CheckBoxDifferencesOnlyClick();
  // The text Copy as text puts on the clipboard and the bytes Save as CSV writes.
  std::string ComparisonTextNow() const;
  std::string ComparisonCsvNow() const;

  QTreeWidget* TableCompare = nullptr;
  QCheckBox* CheckBoxDifferencesOnly = nullptr;
  QLabel* LabelDifferenceCount = nullptr;
  QPushButton* ButtonAddSetups = nullptr;
  QPushButton* ButtonTake = nullptr;
  QPushButton* ButtonCopyText = nullptr;
  QPushButton* ButtonSaveCsv = nullptr;
  QPushButton* ButtonRemoveColumn = nullptr;
  QPushButton* ButtonMoveLeft = nullptr;
  QPushButton* ButtonMoveRight = nullptr;
  QPushButton* ButtonClose = nullptr;

  // The size at 96 dots per inch until the player chooses one.
  static constexpr int kDefaultWidth = 860;
  static constexpr int kDefaultHeight = 560;

 protected:
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TColumn {
    std::string Path;
    QString Header;
    TSetupValues Values;
  };

  void CreateTable();
  void Recompare();
  void ShowCells();
  void ShowFilter();
  void FitParameterColumn();
  void UpdateButtons();
  void ReadSettings();
  void WriteSettings();
  // The setup a table column shows (column 0 is the captions: -1).
  static int SetupOfColumn(int column) { return column - 1; }
  int CurrentSetup() const;
  void TakeAt(QTreeWidgetItem* item, int column);
  void HeaderSectionMoved(int logical, int oldVisual, int newVisual);
  std::vector<std::string> Headers() const;

  std::string installFolder_;
  std::string settingsFile_;
  std::vector<TColumn> columns_;
  TComparison comparison_;
  TValueTextFormat format_;
  std::vector<QTreeWidgetItem*> groupItems_;
  std::vector<QTreeWidgetItem*> parameterItems_;
  bool sizeChanged_ = false;
};

}  // namespace gw
