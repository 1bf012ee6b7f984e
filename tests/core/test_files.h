#pragma once
// Files for tests: each test works in a fresh temporary folder that is removed afterwards.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace gw::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The full path of a name inside the folder, as the program's string paths are written.
  std::string File(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);

// A file of tests/data (real players' files live in tests/data/real-data), read whole.
std::string DataFile(std::string_view relativePath);

// The message of the gw::Error that f raises, or "(no error)".
std::string ErrorMessageOf(const std::function<void()>& f);

// The game-layout sample setup: every key the editor needs, about 580 lines in the game's own layout.
std::string SampleSetup();
// The sample setup with every catalogue value on its slider's grid, as the game writes it (no final NUL), so
// that a save without changes rewrites no value.
std::string GridSetup();

}  // namespace gw::test
