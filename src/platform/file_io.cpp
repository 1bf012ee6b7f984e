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

}  // namespace

std::string ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) throw Error("Cannot open file: the path is empty");
  if (DirectoryExists(path)) Fail("Cannot open file", path, "it is a folder");
  FilePtr file(std::fopen(path.c_str(), "rb"));
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
  if (!MoveFileExA(temp.c_str(), FromFsPath(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temp.c_str());
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
