#pragma once
// The compare window's "Add setups" dialog: the game's saved setups with their car names, several at a time,
// or any setup file by browsing.

#include <QDialog>
#include <QStringList>
#include <string>

class QListWidget;
class QPushButton;

namespace gw {

class TFormAddSetups final : public QDialog {
  Q_OBJECT

 public:
  TFormAddSetups(const std::string& installFolder, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(TFormAddSetups)

  // The chosen files as full paths: the selected saved setups in list order, or the browsed file.
  QStringList SelectedPaths() const;

  void ButtonAddClick();
  void ButtonBrowseClick();

  QListWidget* ListBoxSetups = nullptr;
  QPushButton* ButtonAdd = nullptr;
  QPushButton* ButtonBrowse = nullptr;
  QPushButton* ButtonCancel = nullptr;

 private:
  std::string installFolder_;
  QString browsed_;
};

}  // namespace gw
