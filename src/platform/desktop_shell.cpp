#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "platform/paths.h"

namespace gw {

namespace {

struct Recorder {
  bool on = false;
  std::vector<std::string> calls;
};

Recorder& Calls() {
  static Recorder recorder;
  return recorder;
}

}  // namespace

void ShellOpen(const std::string& path) {
  if (Calls().on) {
    Calls().calls.push_back("open " + path);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQ(path)));
}

void ShellStart(const std::string& program, const std::string& workingFolder) {
  if (Calls().on) {
    Calls().calls.push_back("start " + program + " in " + workingFolder);
    return;
  }
#ifdef _WIN32
  const bool started = QProcess::startDetached(ToQ(program), {}, ToQ(workingFolder));
#else
  bool started = false;
  if (SameText(ExtractFileExt(program), ".exe")) {
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty())
      throw Error("Wine is needed to start " + ExtractFileName(program) +
                  ", and it was not found on this system");
    started = QProcess::startDetached(wine, {ToQ(program)}, ToQ(workingFolder));
  } else {
    started = QProcess::startDetached(ToQ(program), {}, ToQ(workingFolder));
  }
#endif
  if (!started) throw Error("Cannot start " + program);
}

namespace shell_calls {

void Record(bool on) {
  Calls().on = on;
  Calls().calls.clear();
}

std::vector<std::string> Take() {
  std::vector<std::string> calls = std::move(Calls().calls);
  Calls().calls.clear();
  return calls;
}

}  // namespace shell_calls

}  // namespace gw
