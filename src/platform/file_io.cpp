#include "platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
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

[[noreturn]] void Fail(const char* what, const std::string& path, const std::string& reason) {
  throw Error(std::string(what) + " = " + path + " (" + reason + ")");
}

[[noreturn]] void FailNotRegular(const std::string& path) {
  throw Error(path + " is not a regular file.");
}

#ifndef _WIN32
// Flushes the folder's entries, so that a rename in it survives a power cut. A file system that cannot
// flush folders has nothing to flush.
void SyncFolder(const std::string& folder, const std::string& path) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // a folder we may write but not read: nothing more we can do
  const bool failed = ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP;
  const std::string reason = failed ? LastErrorText() : std::string();
  ::close(fd);
  if (failed) Fail("Cannot write file", path, "its folder could not be flushed to the disk: " + reason);
}

// A temporary name beside the target that keeps within the folder's limit on name lengths, however long
// the target's own name is.
std::string TemporaryNameFor(const std::string& folder, const std::string& name) {
  constexpr std::size_t kSuffix = 7;  // ".XXXXXX"
  long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (limit <= static_cast<long>(kSuffix) + 1) limit = 255;
  std::string stem = "." + name;
  stem.resize(std::min(stem.size(), static_cast<std::size_t>(limit) - kSuffix));
  return stem + ".XXXXXX";
}
#endif

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
    replaced =
        MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    return replaced;
  });
}
#endif

}  // namespace

void RefuseReadOnly(const std::string& path, const char* what) {
  if (IsReadOnly(path)) Fail(what, path, "the file is read-only");
}

FilePtr OpenFileForReading(const std::string& path) {
  if (path.empty()) throw Error("Cannot open file: the path is empty");
#ifdef _WIN32
  if (DirectoryExists(path)) Fail("Cannot open file", path, "it is a folder");
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
  if (!file) Fail("Cannot open file", path, LastErrorText());
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get())))) != FILE_TYPE_DISK)
    FailNotRegular(path);
  return file;
#else
  // Without waiting: opening a FIFO for reading would otherwise block until someone writes to it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const std::string reason = LastErrorText();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) FailNotRegular(path);
    Fail("Cannot open file", path, reason);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const std::string reason = LastErrorText();
    ::close(fd);
    if (st.st_mode == 0) Fail("Cannot open file", path, reason);
    if (S_ISDIR(st.st_mode)) Fail("Cannot open file", path, "it is a folder");
    FailNotRegular(path);
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FilePtr file(::fdopen(fd, "rb"));
  if (!file) {
    const std::string reason = LastErrorText();
    ::close(fd);
    Fail("Cannot open file", path, reason);
  }
  return file;
#endif
}

std::uint64_t OpenFileSize(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 st {};
  return _fstat64(_fileno(file), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
#else
  struct stat st {};
  return ::fstat(fileno(file), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
#endif
}

void ReadMore(std::FILE* file, const std::string& path, std::size_t maxBytes, std::string& bytes) {
  char buffer[65536];
  std::size_t done = 0;
  while (done < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - done);
    const std::size_t got = std::fread(buffer, 1, want, file);
    bytes.append(buffer, got);
    done += got;
    if (got < want) {
      if (std::ferror(file)) Fail("Cannot read file", path, LastErrorText());
      break;
    }
  }
}

std::string ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  FilePtr file = OpenFileForReading(path);
  std::string bytes;
  const std::uint64_t size = OpenFileSize(file.get());
  if (size > 0 && size < maxBytes) bytes.reserve(static_cast<std::size_t>(size));
  ReadMore(file.get(), path, maxBytes, bytes);
  return bytes;
}

FilePtr CreateNewFile(const std::string& path) {
#ifdef _WIN32
  const HANDLE handle = CreateFileW(ToFsPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    errno = (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? EEXIST : EACCES;
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  FilePtr file(_fdopen(fd, "wb"));
  if (!file) _close(fd);
  return file;
#else
  // Exclusive: a name taken by anything (a dangling link, a FIFO, a file made a moment ago) fails.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  FilePtr file(::fdopen(fd, "wb"));
  if (!file) {
    const int error = errno;
    ::close(fd);
    ::unlink(path.c_str());
    errno = error;
  }
  return file;
#endif
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  if (path.empty()) throw Error("Cannot create file: the path is empty");
#ifdef _WIN32
  RefuseReservedName("Cannot create file", path);
#endif
  std::error_code ec;
  fs::path target = ToFsPath(path);
  // Write through a link to the file it names, so that the link stays a link: also when that file is not
  // there yet (a synced folder that has not delivered it), which resolving the whole path would not follow.
  for (int hops = 0; fs::is_symlink(target, ec); ++hops) {
    if (hops == 40) Fail("Cannot create file", path, "its links form a loop");
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  const bool exists = fs::exists(target, ec);
  if (exists && fs::is_directory(target, ec)) Fail("Cannot create file", path, "it is a folder");
  if (exists) RefuseReadOnly(FromFsPath(target), "Cannot create file");

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
  std::string temp = FromFsPath(folder / TemporaryNameFor(FromFsPath(folder), name));
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
  // On the disk before it takes the target's place, and the move itself written through.
  if (!FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get())))))
    discard("the file could not be flushed to the disk");
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
  // On the disk before it takes the target's place: after a power cut the target is old or new, never empty.
  if (::fdatasync(fileno(file.get())) != 0) discard(LastErrorText());
  if (std::fclose(file.release()) != 0) {
    std::remove(temp.c_str());
    Fail("Cannot write file", path, LastErrorText());
  }
  if (std::rename(temp.c_str(), FromFsPath(target).c_str()) != 0) {
    const std::string reason = LastErrorText();
    std::remove(temp.c_str());
    Fail("Cannot write file", path, reason);
  }
  SyncFolder(FromFsPath(folder), path);
#endif
}

}  // namespace gw
