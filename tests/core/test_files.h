#pragma once
// Files for tests: each test works in a fresh temporary folder that is removed afterwards.

#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

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

// A FIFO at the path, for readers and writers that must refuse it. Should one block on it anyway, a watchdog
// opens the other end after a few seconds, so the test fails instead of hanging.
class Fifo {
 public:
  explicit Fifo(std::string path);
  ~Fifo();
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;
  // True when the watchdog had to free a blocked opener.
  bool Rescued() const { return rescued_; }

 private:
  std::string path_;
  std::thread watchdog_;
  bool stop_ = false;
  std::atomic<bool> rescued_ = false;
};

// While alive, the test runs with the permissions of an ordinary user even when it was started as root, so
// that a file without read or write permission is refused as it is for players. The folder must be open to
// others (see OpenToOthers).
class AsOrdinaryUser {
 public:
  AsOrdinaryUser();
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

 private:
  bool switched_ = false;
};
// Lets every user enter and read the folder and everything in it.
void OpenToOthers(const std::filesystem::path& folder);

// Sets an environment variable (nullptr: removes it) for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The game-layout sample setup: every key the editor needs, about 580 lines in the game's own layout.
std::string SampleSetup();

}  // namespace gw::test
