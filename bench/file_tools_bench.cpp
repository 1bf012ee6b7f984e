// The file tools next to their floors: extracting the setup from a 1 MiB replay next to a plain read of
// the same file, importing a 50 MB music file next to a plain copy, and translating a Windows path of
// 100,000 parts through a Wine prefix (the goal: well under 50 ms).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/test_files.h"
#include "music/music_files.h"
#include "platform/file_io.h"
#include "platform/registry.h"
#include "setup/replay_extract.h"

namespace {

std::string ReplayBytes() {
  std::string bytes(0x100000, '\x11');
  const std::string setup = gw::test::SampleSetup();
  const std::string head = "GMDC....SCOE....";
  bytes.replace(600000, head.size(), head);
  bytes.replace(600000 + head.size(), setup.size(), setup);
  return bytes;
}

void BM_ReplayPlainRead(benchmark::State& state) {
  gw::test::TempDir dir;
  const std::string path = dir.File("r.rpl");
  gw::test::WriteBytes(path, ReplayBytes());
  for (auto _ : state) benchmark::DoNotOptimize(gw::ReadFileBytes(path));
}
BENCHMARK(BM_ReplayPlainRead)->Unit(benchmark::kMicrosecond);

void BM_ReplayExtract(benchmark::State& state) {
  gw::test::TempDir dir;
  const std::string path = dir.File("r.rpl");
  gw::test::WriteBytes(path, ReplayBytes());
  for (auto _ : state) gw::ExtractSetupFromReplay(path, dir.File("out.lsp"));
}
BENCHMARK(BM_ReplayExtract)->Unit(benchmark::kMicrosecond);

constexpr std::size_t kMusicSize = 50'000'000;

std::string MakeMusic(const gw::test::TempDir& dir) {
  const std::string path = dir.File("song.ogg");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::vector<char> block(1 << 20, '\x5a');
  block[0] = 'O', block[1] = 'g', block[2] = 'g', block[3] = 'S';
  for (std::size_t written = 0; written < kMusicSize; written += block.size()) {
    std::fwrite(block.data(), 1, std::min(block.size(), kMusicSize - written), f);
    block[0] = 'x';
  }
  std::fclose(f);
  return path;
}

void BM_MusicPlainCopy(benchmark::State& state) {
  gw::test::TempDir dir;
  const std::string source = MakeMusic(dir);
  for (auto _ : state) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    std::FILE* out = std::fopen(dir.File("copy.ogg").c_str(), "wb");
    std::vector<char> block(65536);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), in)) > 0) std::fwrite(block.data(), 1, n, out);
    std::fclose(in);
    std::fclose(out);
    std::remove(dir.File("copy.ogg").c_str());
  }
}
BENCHMARK(BM_MusicPlainCopy)->Unit(benchmark::kMillisecond);

void BM_MusicImport(benchmark::State& state) {
  gw::test::TempDir dir;
  const std::string source = MakeMusic(dir);
  std::filesystem::create_directory(dir.Path() / "Music");
  const std::string music = (dir.Path() / "Music").string() + "/";
  for (auto _ : state) {
    gw::ImportMusicFile(source, music);
    std::remove((music + "song.ogg").c_str());
  }
}
BENCHMARK(BM_MusicImport)->Unit(benchmark::kMillisecond);

// A registered path of 100,000 parts, all but the first missing below the drive.
void BM_WinePathOfManyParts(benchmark::State& state) {
  gw::test::TempDir dir;
  std::filesystem::create_directories(dir.Path() / "drive_c" / "Games");
  std::filesystem::create_directories(dir.Path() / "dosdevices");
  std::filesystem::create_directory_symlink("../drive_c", dir.Path() / "dosdevices" / "c:");
  std::string path = "C:\\GAMES";
  for (int i = 0; i < 100000; ++i) path += "\\part";
  for (auto _ : state) benchmark::DoNotOptimize(gw::WindowsPathToLocal(dir.Path().string(), path));
}
BENCHMARK(BM_WinePathOfManyParts)->Unit(benchmark::kMillisecond);

}  // namespace
