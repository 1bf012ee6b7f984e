// Any file bytes: the music reader says Ogg or not without failing; a wrapped file takes a new song and
// artist and reads them back; a play copy is the file less its header.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "music/music_files.h"
#include "platform/error.h"
#include "platform/file_io.h"

namespace {
const std::string& Folder() {
  static const std::string folder = [] {
    char name[] = "/tmp/gw-music-fuzz-XXXXXX";
    if (!mkdtemp(name)) std::abort();
    return std::string(name);
  }();
  return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = Folder() + "/m.ogg";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;  // no flush to the disk: fuzzing speed
  std::string song, artist;
  const bool ogg = gw::ReadOggInfo(path, song, artist);
  if (song.size() > 64 || artist.size() > 64) std::abort();
  const bool wrapped = size >= 136 && bytes.compare(0, 4, "INFO") == 0 && bytes.compare(132, 4, "OggS") == 0;
  if (wrapped) {
    if (!ogg) std::abort();
    gw::WriteOggInfo(path, artist, song);
    std::string s2, a2;
    if (!gw::ReadOggInfo(path, s2, a2) || s2 != artist || a2 != song) std::abort();
    const std::string copy = gw::MakePlayCopy(path, Folder() + "/play");
    if (gw::ReadFileBytes(copy) != bytes.substr(132)) std::abort();
    gw::ClearPlayFolder(Folder() + "/play");
  }
  std::remove(path.c_str());
  return 0;
}
