// The main of the benchmark programs with windows: the one QApplication lives on main's stack, so it is
// gone before the exit handlers destroy Qt's own globals (a static one crashed there on the offscreen
// platform). Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "bench_summary.h"

namespace {

// The offscreen platform says so for every window that asks it to raise, grab or size itself.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support")) ||
      message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
    return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  if (!gw::bench::InitBenchmarks(argc, argv)) return 1;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return gw::bench::RunBenchmarks();
}
