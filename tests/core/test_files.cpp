#include "core/test_files.h"

#include "core/setup_controls_model.h"
#include "setup/car_setup.h"

#include <fstream>

#include <random>
#include <sstream>
#include <stdexcept>
#include "platform/error.h"

namespace gw::test {

TempDir::TempDir() {
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("gw-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary test folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only files left by a test must not keep the folder alive.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::File(std::string_view name) const {
  return (path_ / std::string(name)).string();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string DataFile(std::string_view relativePath) {
  return ReadBytes(std::string(GW_SOURCE_DIR) + "/tests/data/" + std::string(relativePath));
}

std::string ErrorMessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

std::string SampleSetup() {
  return ReadBytes(std::string(GW_SOURCE_DIR) + "/tests/data/game-layout-setup.lsp");
}

std::string GridSetup() {
  TTOVCarSetup doc;
  doc.LoadFromBytes(SampleSetup(), "grid.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  SlidersToSetup(doc, controls);
  std::string bytes = doc.SaveToBytes();
  bytes.pop_back();
  return bytes;
}

}  // namespace gw::test
