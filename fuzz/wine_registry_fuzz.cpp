// Any registry text: the reader gives a string or raises gw::Error, never anything else. The whole lookup
// (the prefix's system.reg, the value, its path through the drive links) and the translation of any text
// as a Windows path never leave the drive the path names.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/error.h"
#include "platform/registry.h"

namespace {

namespace fs = std::filesystem;

struct Prefix {
  std::string folder;
  std::string driveRoot;
  Prefix() {
    char name[] = "/tmp/gw-wine-fuzz-XXXXXX";
    if (!mkdtemp(name)) std::abort();
    folder = name;
    fs::create_directories(folder + "/drive_c/Games/Toven Rally");
    fs::create_directories(folder + "/dosdevices");
    fs::create_directory_symlink("../drive_c", folder + "/dosdevices/c:");
    driveRoot = fs::canonical(folder + "/drive_c").string();
  }
};

const Prefix& ThePrefix() {
  static const Prefix prefix;
  return prefix;
}

void CheckOnDrive(const std::string& local) {
  const std::string& root = ThePrefix().driveRoot;
  if (local.empty()) return;
  if (local.compare(0, root.size(), root) != 0) std::abort();
  if (local.size() > root.size() && local[root.size()] != '/') std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Prefix& prefix = ThePrefix();
  try {
    (void)gw::ReadWineRegistryDefault(text, gw::kInstallPathKey);
  } catch (const gw::Error&) {
  }
  {
    std::ofstream reg(prefix.folder + "/system.reg", std::ios::binary | std::ios::trunc);
    reg.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  try {
    CheckOnDrive(gw::ReadWineInstallPath(prefix.folder));
  } catch (const gw::Error&) {
  }
  CheckOnDrive(gw::WindowsPathToLocal(prefix.folder, text));
  return 0;
}
