#include "core/test_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <mutex>

#include <random>
#include <sstream>
#include <stdexcept>
#include "platform/error.h"

namespace gw::test {

namespace {
void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
#endif
}
}  // namespace

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  SetEnvironment(name, value);
}

ScopedEnv::~ScopedEnv() {
  SetEnvironment(name_, old_ ? old_->c_str() : nullptr);
}

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

namespace {
std::mutex fifoMutex;
std::condition_variable fifoStop;
}  // namespace

Fifo::Fifo(std::string path) : path_(std::move(path)) {
  if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("cannot make the FIFO " + path_);
  std::signal(SIGPIPE, SIG_IGN);  // a freed writer then gets an error instead of a signal
  watchdog_ = std::thread([this] {
    std::unique_lock lock(fifoMutex);
    if (fifoStop.wait_for(lock, std::chrono::seconds(3), [this] { return stop_; })) return;
    rescued_ = true;
    // Both ends at once: frees a reader and a writer blocked in open; closing again ends their transfer.
    const int fd = ::open(path_.c_str(), O_RDWR | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  });
}

Fifo::~Fifo() {
  {
    std::lock_guard lock(fifoMutex);
    stop_ = true;
  }
  fifoStop.notify_all();
  watchdog_.join();
}

AsOrdinaryUser::AsOrdinaryUser() {
  if (::geteuid() != 0) return;
  constexpr uid_t kNobody = 65534;
  if (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0) throw std::runtime_error("cannot drop privileges");
  switched_ = true;
}

AsOrdinaryUser::~AsOrdinaryUser() {
  if (!switched_) return;
  if (::seteuid(0) != 0 || ::setegid(0) != 0) std::abort();
}

void OpenToOthers(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  const auto open =
      fs::perms::others_read | fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec;
  fs::permissions(folder, open, fs::perm_options::add);
  for (auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_directory()) fs::permissions(entry.path(), open, fs::perm_options::add);
}

std::string SampleSetup() {
  return ReadBytes(std::string(GW_SOURCE_DIR) + "/tests/data/game-layout-setup.lsp");
}

}  // namespace gw::test
