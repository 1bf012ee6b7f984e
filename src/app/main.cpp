// Gravelwright: one main window; every error that ends a command is shown in a message box and the program
// carries on.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <exception>

#include "app/close_on_signal.h"
#include "editor/form_main.h"
#include "editor/settings_file.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "platform/profile_ini.h"
#include "setup/game_folders.h"
#include "widgets/modal_dialogs.h"
#include "widgets/view_zoom.h"

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

// "--version" anywhere on the command line prints the version and ends; no window system is needed for it.
bool PrintVersionIfAsked(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Gravelwright %s\n", GW_VERSION);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (PrintVersionIfAsked(argc, argv)) return 0;
  gw::CatchTerminationSignals();
  TApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Gravelwright"));
  QCoreApplication::setApplicationVersion(QStringLiteral(GW_VERSION));
  // The desktop groups the window with the menu entry of this name and shows the same icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.gravelwright.Gravelwright"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gravelwright.svg")));
  gw::TFormMainOptions options;
  try {
    options.installFolder = gw::GetGameInstallPath();
  } catch (const std::exception& e) {
    gw::ShowErrorBox(nullptr, e.what());  // a registry value that is no text: go on without the game
  }
  options.settingsFile = gw::SettingsFileLocation(gw::FromQ(QCoreApplication::applicationFilePath()));
  // Windows are laid out at the zoom they are created with: set it before the first one.
  gw::SetViewZoom(gw::ZoomFromText(
      gw::ToQ(gw::ProfileIni(options.settingsFile).ReadString(gw::kSectionCommon, gw::kKeyZoom, "100"))));
  if (argc > 1) options.startFile = gw::FromQ(QString::fromLocal8Bit(argv[1]));
  gw::TFormMain form(std::move(options));
  gw::FitViewZoom(form);  // a zoom kept from a larger screen: the window is not cut
  gw::CloseOnTerminationSignals(&form);
  form.show();
  return app.exec();
}
