// Load, change 150 entries and save a setup of the size the game writes, next to a plain read and write of
// the same bytes (the floor).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

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

void BM_PlainReadWrite(benchmark::State& state) {
  Files f;
  for (auto _ : state) {
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
  }
}
BENCHMARK(BM_PlainReadWrite);

void BM_LoadChangeSave(benchmark::State& state) {
  Files f;
  int round = 0;
  for (auto _ : state) {
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
  }
}
BENCHMARK(BM_LoadChangeSave);

}  // namespace
