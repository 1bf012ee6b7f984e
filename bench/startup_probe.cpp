// A program that starts, shows one window and quits as soon as that window has painted: either an empty
// window of the main window's client size (the floor any Qt Widgets program pays) or Gravelwright's main
// window on an installation. On the way out it prints the CLOCK_MONOTONIC time at which the first paint
// had ended, in nanoseconds, so that the benchmark can tell start-up to first paint from the whole process.
//
//   startup_probe empty
//   startup_probe label          (one window with one line of text: the font set-up every text pays)
//   startup_probe main INSTALL_FOLDER SETTINGS_FILE
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "editor/form_main.h"

namespace {

long long painted = 0;

long long MonotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Quits at the end of the first paint of the window (the window paints its children in the same pass).
class TPaintWatch final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !armed_) {
      armed_ = true;
      QTimer::singleShot(0, qApp, [] {
        painted = MonotonicNs();
        QCoreApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool armed_ = false;
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
    window->resize(gw::TFormMain::kClientWidth, gw::TFormMain::kClientHeight);
  }
  window->installEventFilter(&watch);
  window->show();
  const int result = app.exec();
  std::printf("%lld\n", painted);
  return result;
}
