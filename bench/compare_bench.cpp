// Comparing setups: building the comparison of ten of the players' setups (goal: under 20 ms), and the
// compare window with five columns from its creation until it has painted (goal: under 100 ms).
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another (xcb under xvfb-run, for example).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/form_compare.h"
#include "core/test_files.h"
#include "qt_bench_app.h"

namespace {

// The three real setups the editor loads, in turn.
const char* const kRealSetups[] = {"game-saved-1.lsp", "game-saved-2-reindented.lsp", "hand-trimmed-1.lsp"};

std::string RealSetup(int i) {
  return gw::test::DataFile(std::string("real-data/setups/") + kRealSetups[i % 3]);
}

const gw::TValueTextFormat kFormat{'.', "\xB0"};

// Documents already loaded: what the window keeps per column, read and compared.
void BM_CompareTenLoadedSetups(benchmark::State& state) {
  std::vector<std::unique_ptr<gw::TTOVCarSetup>> docs;
  for (int i = 0; i < 10; ++i) {
    docs.push_back(std::make_unique<gw::TTOVCarSetup>());
    docs.back()->LoadFromBytes(RealSetup(i), "s.lsp");
  }
  for (auto _ : state) {
    std::vector<gw::TSetupValues> setups;
    for (const auto& doc : docs) setups.push_back(gw::ValuesFromSetup(*doc));
    benchmark::DoNotOptimize(gw::CompareSetups(setups, kFormat));
  }
}
BENCHMARK(BM_CompareTenLoadedSetups)->Unit(benchmark::kMillisecond);

// From the files' bytes: parsing the ten documents as well.
void BM_ParseAndCompareTenSetups(benchmark::State& state) {
  std::vector<std::string> files;
  for (int i = 0; i < 10; ++i) files.push_back(RealSetup(i));
  for (auto _ : state) {
    std::vector<gw::TSetupValues> setups;
    for (const std::string& bytes : files) {
      gw::TTOVCarSetup doc;
      doc.LoadFromBytes(bytes, "s.lsp");
      setups.push_back(gw::ValuesFromSetup(doc));
    }
    benchmark::DoNotOptimize(gw::CompareSetups(setups, kFormat));
  }
}
BENCHMARK(BM_ParseAndCompareTenSetups)->Unit(benchmark::kMillisecond);

// The window with the open setup and four files, from its creation until the table has painted, with
// "Differences only" on (as it opens) and off (every row laid out).
void BM_CompareWindowFiveColumnsPainted(benchmark::State& state) {
  gw::bench::App();
  gw::test::TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i) {
    paths.push_back(dir.File("setup" + std::to_string(i) + ".lsp"));
    gw::test::WriteBytes(paths.back(), RealSetup(i + 1));
  }
  gw::TTOVCarSetup open;
  open.LoadFromBytes(RealSetup(0), dir.File("open.lsp"));
  const gw::TSetupValues openValues = gw::ValuesFromSetup(open);
  const bool differencesOnly = state.range(0) != 0;
  for (auto _ : state) {
    auto form = std::make_unique<gw::TFormCompare>(dir.Path().string(), dir.File("Gravelwright.ini"));
    form->OnReadOpenSetup = [&] { return gw::TOpenSetup{open.FileName(), openValues}; };
    form->RefreshOpenSetup();
    for (const std::string& path : paths) form->AddSetupFile(path);
    if (!differencesOnly) form->CheckBoxDifferencesOnly->setChecked(false);
    form->show();
    QApplication::processEvents();
    form->repaint();
    state.PauseTiming();
    form.reset();  // closing writes the window's size: not part of opening it
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CompareWindowFiveColumnsPainted)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
