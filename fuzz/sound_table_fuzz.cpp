// Any sound table: the ten slots read without failing, and each slot name holds no path separator.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "music/sound_table.h"

namespace {
const std::string& Install() {
  static const std::string folder = [] {
    char name[] = "/tmp/gw-sound-fuzz-XXXXXX";
    if (!mkdtemp(name)) std::abort();
    std::filesystem::create_directories(std::string(name) + "/Audio/Music");
    return std::string(name);
  }();
  return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Written plainly, without the flush to the disk of the program's own writes: fuzzing speed.
  std::ofstream(Install() + "/Audio/Sound.ini", std::ios::binary | std::ios::trunc)
      << std::string(reinterpret_cast<const char*>(data), size);
  for (const std::string& name : gw::LoadSlotTable(Install()))
    if (name.find_first_of("\\:") != std::string::npos) std::abort();
  return 0;
}
