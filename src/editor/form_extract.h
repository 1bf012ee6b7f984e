#pragma once
// The dialog that takes the setup out of a replay: the installation's replays, the source and destination
// paths with their file dialogs, and the Extract button.

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace gw {

class TFormExtract final : public QDialog {
  Q_OBJECT

 public:
  // Lists the replays of the installation; without one the list stays empty and disabled.
  TFormExtract(QWidget* parent, const std::string& installFolder);
  Q_DISABLE_COPY_MOVE(TFormExtract)

  QListWidget* ListBoxReplay = nullptr;
  QLineEdit* EditRpl = nullptr;
  QLineEdit* EditLsp = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonExtract = nullptr;
  QPushButton* Button4 = nullptr;

  void ListBoxReplayClick();
  void Button1Click();
  void Button2Click();
  // Raises what the extraction raises; the dialog stays open with its contents.
  void ButtonExtractClick();
  // Called with the destination before it is written; false stops the extraction.
  std::function<bool(const std::string& destination)> BeforeExtract;

  static constexpr int kClientWidth = 430;
  static constexpr int kClientHeight = 253;

 private:
  void FillReplayList(const std::string& installFolder);
  QString GameFolder(std::string_view folder) const;  // a folder of the installation; empty without one
  std::string installFolder_;  // the file dialogs open in its replays and saved-games folders
};

}  // namespace gw
