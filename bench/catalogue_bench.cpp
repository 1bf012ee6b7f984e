// Both transfers on the game-layout sample: the load and save workflows run them once per file.
// Goal: SetupToSliders and SlidersToSetup together under 100 microseconds.
#include <benchmark/benchmark.h>

#include "core/setup_controls_model.h"
#include "core/test_files.h"
#include "editor/catalogue.h"

namespace {

void BM_SetupToSliders(benchmark::State& state) {
  gw::TTOVCarSetup doc;
  doc.LoadFromBytes(gw::test::SampleSetup(), "sample.lsp");
  gw::test::TPlainSetupControls controls;
  for (auto _ : state) {
    gw::SetupToSliders(doc, controls);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SetupToSliders)->Unit(benchmark::kMicrosecond);

void BM_SlidersToSetup(benchmark::State& state) {
  gw::TTOVCarSetup doc;
  doc.LoadFromBytes(gw::test::SampleSetup(), "sample.lsp");
  gw::test::TPlainSetupControls controls;
  gw::SetupToSliders(doc, controls);
  for (auto _ : state) {
    gw::SlidersToSetup(doc, controls);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SlidersToSetup)->Unit(benchmark::kMicrosecond);

void BM_BothTransfers(benchmark::State& state) {
  gw::TTOVCarSetup doc;
  doc.LoadFromBytes(gw::test::SampleSetup(), "sample.lsp");
  gw::test::TPlainSetupControls controls;
  for (auto _ : state) {
    gw::SetupToSliders(doc, controls);
    gw::SlidersToSetup(doc, controls);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BothTransfers)->Unit(benchmark::kMicrosecond);

}  // namespace
