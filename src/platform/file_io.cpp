#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gw {

std::string LastErrorText() {
  return std::strerror(errno);
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void Fail(const char* what, const std::string& path, const std::string& reason) {
  throw Error(std::string(what) + " = " + path + " (" + reason + ")");
}

#ifdef _WIN32
// The game keeps a setup open while it reads it; such a file is usually free again a moment later.
constexpr DWORD kInUseWaitMs = 1000;
constexpr DWORD kInUseStepMs = 50;

[[noreturn]] void FailInUse(const std::string& path) {
  throw Error(path + " is in use by another program.");
}

// Windows opens the device, not a file, for a name such as "nul.lsp"; say so instead of failing oddly.
void RefuseReservedName(const char* what, const std::string& path) {
  const std::string device = WindowsReservedName(path);
  if (!device.empty())
    Fail(what, path, "\"" + device + "\" is a device name that Windows reserves; choose another file name");
}

// True when another program holds the file open so that it may be neither replaced nor deleted. Opening
// for deletion conflicts with every handle that does not share deletion (which the game's handles do not).
bool InUse(const std::string& path) {
  const HANDLE h = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return false;
  }
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Calls attempt until it succeeds, fails for a reason other than the file being in use, or the file stays
// in use for a second. Returns false only in the last case; raises nothing, so that the caller can clean
// up first and report any other failure as its own.
template <typename Attempt>
bool RetryWhileInUse(const std::string& path, Attempt attempt) {
  for (DWORD waited = 0;; waited += kInUseStepMs) {
    if (attempt()) return true;
    if (!InUse(path)) return true;
    if (waited >= kInUseWaitMs) return false;
    Sleep(kInUseStepMs);
  }
}

// The attributes a player set on a setup (hidden, system, not indexed) go over to the file that replaces
// it; the archive mark is set, as on every write.
void CarryAttributes(const std::string& from, const std::string& to) {
  const DWORD old = GetFileAttributesA(from.c_str());
  if (old == INVALID_FILE_ATTRIBUTES) return;
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  SetFileAttributesA(to.c_str(), (old & kept) | FILE_ATTRIBUTE_ARCHIVE);
}

// Puts temp in the place of target. False when target stayed in use for a second.
bool ReplaceWithRetry(const std::string& temp, const std::string& target, bool& replaced) {
  replaced = false;
  return RetryWhileInUse(target, [&] {
    replaced = MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    return replaced;
  });
}
#endif

}  // namespace

std::string ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) throw Error("Cannot open file: the path is empty");
  if (DirectoryExists(path)) Fail("Cannot open file", path, "it is a folder");
#ifdef _WIN32
  RefuseReservedName("Cannot open file", path);
  FilePtr file;
  int openError = 0;
  const bool released = RetryWhileInUse(path, [&] {
    file.reset(std::fopen(path.c_str(), "rb"));
    openError = errno;
    return file != nullptr;
  });
  if (!released) FailInUse(path);
  errno = openError;
#else
  FilePtr file(std::fopen(path.c_str(), "rb"));
#endif
  if (!file) Fail("Cannot open file", path, LastErrorText());
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
    const std::size_t got = std::fread(buffer, 1, want, file.get());
    bytes.append(buffer, got);
    if (got < want) {
      if (std::ferror(file.get())) Fail("Cannot read file", path, LastErrorText());
      break;
    }
  }
  return bytes;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  if (path.empty()) throw Error("Cannot create file: the path is empty");
#ifdef _WIN32
  RefuseReservedName("Cannot create file", path);
#endif
  std::error_code ec;
  fs::path target = ToFsPath(path);
  // Write through a link to the file it names, so that the link stays a link.
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const bool exists = fs::exists(target, ec);
  if (exists && fs::is_directory(target, ec)) Fail("Cannot create file", path, "it is a folder");
  if (exists && IsReadOnly(FromFsPath(target))) Fail("Cannot create file", path, "the file is read-only");

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string name = FromFsPath(target.filename());

#ifdef _WIN32
  char tempName[MAX_PATH];
  if (GetTempFileNameA(FromFsPath(folder).c_str(), "gw", 0, tempName) == 0)
    Fail("Cannot create file", path, "no temporary file can be made in its folder");
  const std::string temp = tempName;
  FilePtr file(std::fopen(temp.c_str(), "wb"));
  if (!file) {
    const std::string reason = LastErrorText();
    DeleteFileA(temp.c_str());
    Fail("Cannot create file", path, reason);
  }
#else
  std::string temp = FromFsPath(folder / ("." + name + ".XXXXXX"));
  const int fd = mkstemp(temp.data());
  if (fd < 0) Fail("Cannot create file", path, LastErrorText());
  FilePtr file(fdopen(fd, "wb"));
  if (!file) {
    const std::string reason = LastErrorText();
    ::close(fd);
    ::unlink(temp.c_str());
    Fail("Cannot create file", path, reason);
  }
#endif

  auto discard = [&](const std::string& reason) {
    file.reset();
    std::remove(temp.c_str());
    Fail("Cannot write file", path, reason);
  };
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
    discard(LastErrorText());
  if (std::fflush(file.get()) != 0) discard(LastErrorText());

#ifdef _WIN32
  file.reset();
  const std::string targetName = FromFsPath(target);
  if (exists) CarryAttributes(targetName, temp);
  bool replaced = false;
  const bool released = ReplaceWithRetry(temp, targetName, replaced);
  if (!replaced) {
    DeleteFileA(temp.c_str());
    if (!released) FailInUse(path);
    Fail("Cannot write file", path, "the file could not be replaced");
  }
#else
  // The new file keeps the permissions of the one it replaces; a new file gets the usual ones.
  struct stat st {};
  mode_t mode = 0;
  if (exists && ::stat(FromFsPath(target).c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fileno(file.get()), mode) != 0) discard(LastErrorText());
  if (std::fclose(file.release()) != 0) {
    std::remove(temp.c_str());
    Fail("Cannot write file", path, LastErrorText());
  }
  if (std::rename(temp.c_str(), FromFsPath(target).c_str()) != 0) {
    const std::string reason = LastErrorText();
    std::remove(temp.c_str());
    Fail("Cannot write file", path, reason);
  }
#endif
}

}  // namespace gw
