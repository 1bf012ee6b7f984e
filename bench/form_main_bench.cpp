// The main window as a player meets it: start-up until the window has painted, next to a program that
// shows one empty window (the floor), and the time from picking a file to every slider painted.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another (xcb under xvfb-run, for example).
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>

#include <QTabWidget>
#include <filesystem>
#include <string>
#include <vector>
#include "qt_bench_app.h"

#include "core/test_files.h"
#include "editor/form_main.h"
#include "widgets/slider_list_box.h"

extern char** environ;

namespace {

using gw::bench::App;

namespace fs = std::filesystem;

// An installation with a saved-games folder of realistic size.
struct Installation {
  gw::test::TempDir dir;
  std::string folder = dir.Path().string();
  std::string settings = dir.File("Gravelwright.ini");
  Installation() {
    fs::create_directories(dir.Path() / "SavedGames");
    const std::string setup = gw::test::SampleSetup();
    for (int car = 0; car < 8; ++car)
      for (int slot = 0; slot < 3; ++slot)
        gw::test::WriteBytes(
            (dir.Path() / "SavedGames" / (std::to_string(car) + "slot" + std::to_string(slot) + "_Stage.lsp"))
                .string(),
            setup);
  }
};

void RunProbe(benchmark::State& state, std::vector<std::string> args) {
  const std::string probe = GW_STARTUP_PROBE;
  args.insert(args.begin(), probe);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, probe.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start the probe");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the probe failed");
  }
}

void BM_StartupEmptyWindow(benchmark::State& state) {
  RunProbe(state, {"empty"});
}
BENCHMARK(BM_StartupEmptyWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupOneLabel(benchmark::State& state) {
  RunProbe(state, {"label"});
}
BENCHMARK(BM_StartupOneLabel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupMainWindow(benchmark::State& state) {
  Installation install;
  RunProbe(state, {"main", install.folder, install.settings});
}
BENCHMARK(BM_StartupMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// Picking a file: load, every slider moved, then every list of the shown page painted at once. The
// page with the most lists is shown: the map tab with six lists of eleven entries.
void BM_PickFileToSlidersPainted(benchmark::State& state) {
  App();
  Installation install;
  gw::TFormMain form(
      gw::TFormMainOptions{install.folder, install.settings, std::nullopt, install.folder + "/history"});
  form.show();
  QApplication::processEvents();
  const QList<gw::TSliderListBox*> lists = form.findChildren<gw::TSliderListBox*>();
  int i = 0;
  for (auto _ : state) {
    form.LoadSetupFile(std::to_string(i % 8) + "slot" + std::to_string(i / 8 % 3) + "_Stage.lsp");
    ++i;
    for (gw::TSliderListBox* list : lists)
      if (list->isVisible()) list->viewport()->repaint();
  }
}
BENCHMARK(BM_PickFileToSlidersPainted)->Unit(benchmark::kMillisecond);

}  // namespace
