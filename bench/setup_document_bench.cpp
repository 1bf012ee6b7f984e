// Load, change 150 entries and save a setup of the size the game writes, next to a plain read of the same
// bytes and the same safe write (flushed to disk, then renamed over the file) of them (the floor); and
// loading a 10 MB file of distinct sections next to a plain read of it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_summary.h"

#include "core/test_files.h"
#include "platform/file_io.h"
#include "setup/car_setup.h"

namespace {

struct Files {
  gw::test::TempDir dir;
  std::string path = dir.File("0slot0_bench.lsp");
  std::string bytes = gw::test::SampleSetup();
  Files() { gw::test::WriteBytes(path, bytes); }
};

using gw::bench::Goal;
using gw::bench::MsSince;
using gw::bench::Record;
using Clock = std::chrono::steady_clock;

void BM_PlainReadWrite(benchmark::State& state) {
  Files f;
  for (auto _ : state) {
    const auto start = Clock::now();
    std::string content;
    {
      std::FILE* in = std::fopen(f.path.c_str(), "rb");
      char buffer[65536];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, n);
      std::fclose(in);
    }
    std::FILE* out = std::fopen(f.path.c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
    benchmark::DoNotOptimize(content);
    Record("plainrw", MsSince(start));
  }
}
BENCHMARK(BM_PlainReadWrite);

// The floor of a save that survives a power cut: what the document adds to it is what is measured.
void BM_PlainReadSafeWrite(benchmark::State& state) {
  Files f;
  for (auto _ : state) {
    const auto start = Clock::now();
    std::string content = gw::ReadFileBytes(f.path);
    gw::WriteFileReplacing(f.path, content);
    benchmark::DoNotOptimize(content);
    Record("plainsafe", MsSince(start));
  }
}
BENCHMARK(BM_PlainReadSafeWrite);

void BM_LoadChangeSave(benchmark::State& state) {
  Files f;
  int round = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    gw::TTOVCarSetup doc;
    doc.LoadFromFile(f.path);
    int changed = 0;
    ++round;
    for (int s = 0; s < doc.SectionCount() && changed < 150; ++s) {
      gw::TTOVCarSetupSection* section = doc.GetSection(s);
      for (int i = 0; i < section->Count() && changed < 150; ++i, ++changed) {
        gw::TTOVCarSetupData* d = section->GetData(i);
        if (d->IsFloat())
          d->SetFloat(d->FloatValue() + static_cast<float>(round % 2 ? 1 : -1));
        else
          d->SetInteger(d->IntValue() + (round % 2 ? 1 : -1));
      }
    }
    doc.SaveToFile();
    Record("lcs", MsSince(start));
  }
}
BENCHMARK(BM_LoadChangeSave);
GW_BENCH_GOAL(Goal{"load, change 150 entries, save", "lcs", "plainsafe", 3});

// A file of 10 MB whose sections all have names of their own: the game's heading, then sections of five
// entries each, as a generated or hand-merged file may hold.
struct ManySections {
  gw::test::TempDir dir;
  std::string path = dir.File("0slot0_sections.lsp");
  int sections = 0;
  explicit ManySections(int megabytes) {
    std::string bytes = "((\"Setup\"\n Car (\"Xsara\")\n";
    while (bytes.size() < static_cast<std::size_t>(megabytes) * 1'000'000) {
      const std::string n = std::to_string(sections++);
      bytes += " Section" + n + " (\"Part " + n + "\")\n";
      for (int k = 0; k < 5; ++k)
        bytes += "  Key" + std::to_string(k) + " " + std::to_string(k * 10 + 5) + "\n";
      bytes += "  Float 0.500000\n )\n";
    }
    bytes += ")\n";
    gw::test::WriteBytes(path, bytes);
  }
};

// The argument is the file's size in MB.
void BM_PlainReadMB(benchmark::State& state) {
  ManySections f(static_cast<int>(state.range(0)));
  const std::string key = "read" + std::to_string(state.range(0)) + "mb";
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(gw::ReadFileBytes(f.path));
    Record(key, MsSince(start));
  }
}
BENCHMARK(BM_PlainReadMB)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_LoadMBOfDistinctSections(benchmark::State& state) {
  ManySections f(static_cast<int>(state.range(0)));
  const std::string key = "load" + std::to_string(state.range(0)) + "mb";
  for (auto _ : state) {
    const auto start = Clock::now();
    gw::TTOVCarSetup doc;
    doc.LoadFromFile(f.path);
    if (doc.SectionCount() != f.sections + 1) state.SkipWithError("sections were lost");
    Record(key, MsSince(start));
  }
  state.counters["sections"] = f.sections;
}
BENCHMARK(BM_LoadMBOfDistinctSections)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
GW_BENCH_GOAL(Goal{"load 1 MB of distinct sections", "load1mb", "", 6});
GW_BENCH_GOAL(Goal{"load 10 MB of distinct sections", "load10mb", "", 60});
GW_BENCH_GOAL(Goal{"  (plain read of the same 10 MB)", "read10mb", "", 60});

}  // namespace
