// The safety net's costs: a save through the main window with history on next to one with history off
// (goal: within 1.3 times), undoing one step (goal: under 1 ms), and opening the history window on a file
// with 1,000 versions (goal: under 100 ms).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>
#include <string>

#include "core/test_files.h"
#include "editor/form_main.h"
#include "history/form_history.h"
#include "platform/file_io.h"
#include "qt_bench_app.h"
#include "widgets/slider_list_box.h"

namespace {

using gw::bench::App;
namespace fs = std::filesystem;

struct Installation {
  gw::test::TempDir dir;
  std::string folder = dir.Path().string();
  std::string file = (dir.Path() / "SavedGames" / "0slot1_Tarmac.lsp").string();
  Installation() {
    fs::create_directories(dir.Path() / "SavedGames");
    gw::test::WriteBytes(file, gw::test::SampleSetup());
  }
  // The file with 1,000 versions of itself behind it.
  gw::TVersionStore ThousandVersions() {
    gw::TVersionStore store(dir.File("history"), (dir.Path() / "SavedGames").string(), 1000);
    const std::string setup = gw::test::SampleSetup();
    for (int i = 0; i < 1000; ++i) {
      gw::test::WriteBytes(file,
                           setup + std::string(static_cast<std::size_t>(i % 7 + 1), ' ') + std::to_string(i));
      store.KeepVersion(file);
    }
    gw::test::WriteBytes(file, setup);
    return store;
  }
  std::unique_ptr<gw::TFormMain> Form(int depth) {
    gw::test::WriteBytes(dir.File("Gravelwright.ini"),
                         "[COMMON]\nConfirmSave=0\nHistoryDepth=" + std::to_string(depth) + "\n");
    auto form = std::make_unique<gw::TFormMain>(
        gw::TFormMainOptions{folder, dir.File("Gravelwright.ini"), std::nullopt, dir.File("history")});
    form->LoadSetupFile(file);
    return form;
  }
};

// Every save writes a value that differs from the last one, as a player's saves do.
void SaveLoop(benchmark::State& state, int depth) {
  App();
  Installation install;
  auto form = install.Form(depth);
  gw::TSliderListBox* tyre = form->List(gw::TSetupList::Tyre);
  int step = 0;
  for (auto _ : state) {
    tyre->SetValue(0, 150 + (step++ % 100));
    form->ActionSaveExecute();
  }
}

void BM_SaveHistoryOff(benchmark::State& state) {
  SaveLoop(state, 0);
}
BENCHMARK(BM_SaveHistoryOff)->Unit(benchmark::kMicrosecond);

void BM_SaveHistoryOn(benchmark::State& state) {
  SaveLoop(state, 30);
}
BENCHMARK(BM_SaveHistoryOn)->Unit(benchmark::kMicrosecond);

// The parts of a save with history on: keeping the version, and the save's own write of the file.
void BM_KeepVersionOnly(benchmark::State& state) {
  Installation install;
  gw::TVersionStore store(install.dir.File("history"), (install.dir.Path() / "SavedGames").string(), 30);
  const std::string setup = gw::test::SampleSetup();
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    gw::test::WriteBytes(install.file, setup + std::to_string(step++));
    state.ResumeTiming();
    store.KeepVersion(install.file);
  }
}
BENCHMARK(BM_KeepVersionOnly)->Unit(benchmark::kMicrosecond);

void BM_WriteFileReplacingOnly(benchmark::State& state) {
  Installation install;
  const std::string setup = gw::test::SampleSetup();
  for (auto _ : state) gw::WriteFileReplacing(install.file, setup);
}
BENCHMARK(BM_WriteFileReplacingOnly)->Unit(benchmark::kMicrosecond);

// One step undone (and redone, so that every iteration finds a step to undo): half of each pair.
void BM_UndoOneStep(benchmark::State& state) {
  App();
  Installation install;
  auto form = install.Form(30);
  gw::TSliderListBox* tyre = form->List(gw::TSetupList::Tyre);
  tyre->SetItemIndex(0);
  for (int i = 0; i < 20; ++i) {
    int key = Qt::Key_Right;
    tyre->KeyDown(key, {});
  }
  for (auto _ : state) {
    form->ActionUndoExecute();
    form->ActionRedoExecute();
  }
  state.counters["per undo us"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * 2, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoOneStep)->Unit(benchmark::kMicrosecond);

void BM_HistoryWindowWith1000Versions(benchmark::State& state) {
  App();
  Installation install;
  gw::TVersionStore store = install.ThousandVersions();
  if (store.Versions(install.file).size() != 1000) state.SkipWithError("the versions were not all kept");
  for (auto _ : state) {
    gw::TFormHistory window(nullptr, store, install.file);
    window.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.ListViewVersions->topLevelItemCount());
  }
}
BENCHMARK(BM_HistoryWindowWith1000Versions)->Unit(benchmark::kMillisecond);

// Until the last version's count is in: the window stays usable meanwhile.
void BM_HistoryWindowWith1000VersionsAllCounted(benchmark::State& state) {
  App();
  Installation install;
  gw::TVersionStore store = install.ThousandVersions();
  for (auto _ : state) {
    gw::TFormHistory window(nullptr, store, install.file);
    window.show();
    while (!window.CountsComplete()) QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_HistoryWindowWith1000VersionsAllCounted)->Unit(benchmark::kMillisecond);

}  // namespace
