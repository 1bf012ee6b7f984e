// Gravelwright: one main window; every error that ends a command is shown in a message box and the program
// carries on.
#include <QApplication>
#include <exception>

#include "editor/form_main.h"
#include "editor/settings_file.h"
#include "platform/error.h"
#include "setup/game_folders.h"
#include "widgets/local_text.h"
#include "widgets/modal_dialogs.h"

namespace {

class TApplication final : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      gw::ShowErrorBox(activeWindow(), e.what());
    } catch (...) {
      gw::ShowErrorBox(activeWindow(), "Unexpected error");
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  gw::TFormMainOptions options;
  try {
    options.installFolder = gw::GetGameInstallPath();
  } catch (const std::exception& e) {
    gw::ShowErrorBox(nullptr, e.what());  // a registry value that is no text: go on without the game
  }
  options.settingsFile = gw::SettingsFilePath(gw::FromQ(QCoreApplication::applicationFilePath()));
  if (argc > 1) options.startFile = gw::FromQ(QString::fromLocal8Bit(argv[1]));
  gw::TFormMain form(std::move(options));
  form.show();
  return app.exec();
}
