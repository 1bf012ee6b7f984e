#pragma once
// The one QApplication of a benchmark program, on Qt's offscreen platform unless QT_QPA_PLATFORM names
// another (xcb under xvfb-run, for example).

#include <QApplication>

namespace gw::bench {

inline QApplication& App() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "gw-bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace gw::bench
