#pragma once
// The dialog of the copy command: which groups of values to copy and into which other setup files.

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace gw {

class TFormCopyToFile final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormCopyToFile(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(TFormCopyToFile)

  // The caption and the hint name the source; the destinations are the setup files given, in their order,
  // less the source's own name.
  void Fill(const std::string& sourcePath, const QStringList& setupFiles);
  // Indexes into CopyGroups, in table order.
  std::vector<int> SelectedGroups() const;
  // Bare file names, in list order.
  QStringList SelectedDestinations() const;

  void ButtonSelectAllClick();
  void ButtonCopyClick();

  QLabel* LabelSource = nullptr;
  QPushButton* ButtonSelectAll = nullptr;
  QListWidget* ListBoxSource = nullptr;
  QListWidget* ListBoxDest = nullptr;
  QPushButton* ButtonCopy = nullptr;
  QPushButton* ButtonCancel = nullptr;

  static constexpr int kClientWidth = 352;
  static constexpr int kClientHeight = 249;
};

}  // namespace gw
