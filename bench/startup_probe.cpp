// A program that starts, shows one window and quits as soon as that window has painted: either an empty
// window (the floor any Qt Widgets program pays) or Gravelwright's main window on an installation.
//
//   startup_probe empty
//   startup_probe label          (one window with one line of text: the font set-up every text pays)
//   startup_probe main INSTALL_FOLDER SETTINGS_FILE
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <memory>

#include "editor/form_main.h"

namespace {

// Quits at the end of the first paint of the window.
class TPaintWatch final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  QApplication app(argc, argv);
  TPaintWatch watch;
  std::unique_ptr<QWidget> window;
  if (std::strcmp(argv[1], "main") == 0 && argc >= 4) {
    window =
        std::make_unique<gw::TFormMain>(gw::TFormMainOptions{argv[2], argv[3], std::nullopt, std::string()});
  } else if (std::strcmp(argv[1], "label") == 0) {
    window = std::make_unique<QLabel>(QStringLiteral("Gravelwright"));
  } else {
    window = std::make_unique<QWidget>();
  }
  window->installEventFilter(&watch);
  window->show();
  return app.exec();
}
