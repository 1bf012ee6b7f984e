#include "music/music_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "setup/game_folders.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gw {

namespace {

constexpr std::size_t kProbeSize = 136;  // the header and the first four bytes of the stream

// Opens an existing regular file for rewriting its header; a read-only file is refused whoever runs.
FilePtr OpenForUpdate(const std::string& path) {
  if (DirectoryExists(path)) throw Error("Cannot open file = " + path + " (it is a folder)");
  std::error_code ec;
  if (std::filesystem::exists(ToFsPath(path), ec) && !FileExists(path))
    throw Error(path + " is not a regular file.");
  RefuseReadOnly(path, "Cannot write file");
  FilePtr f(std::fopen(path.c_str(), "r+b"));
  if (!f) throw Error("Cannot open file = " + path + " (" + LastErrorText() + ")");
  return f;
}

bool IsPlain(const char* bytes) {
  return std::memcmp(bytes, "OggS", 4) == 0;
}

bool IsWrapped(const char* bytes) {
  return std::memcmp(bytes, "INFO", 4) == 0 && std::memcmp(bytes + kInfoHeaderSize, "OggS", 4) == 0;
}

std::string ReadField(const char* field) {
  const void* nul = std::memchr(field, '\0', kInfoFieldSize);
  return std::string(field, nul ? static_cast<const char*>(nul) - field : kInfoFieldSize);
}

void PutField(char* field, std::string_view text) {
  std::memset(field, 0, kInfoFieldSize);
  std::memcpy(field, text.data(), std::min(text.size(), kInfoFieldSize));
}

// Copies the rest of `in` into `out` in blocks, after `first` (what was read already).
void CopyRest(std::FILE* in, std::FILE* out, const char* first, std::size_t firstSize,
              const std::string& source, const std::string& target) {
  if (firstSize && std::fwrite(first, 1, firstSize, out) != firstSize)
    throw Error("Cannot write file = " + target + " (" + LastErrorText() + ")");
  std::vector<char> block(kMusicBlockSize);
  for (;;) {
    const std::size_t n = std::fread(block.data(), 1, block.size(), in);
    if (n == 0) {
      if (std::ferror(in)) throw Error("Cannot read file = " + source + " (" + LastErrorText() + ")");
      return;
    }
    if (std::fwrite(block.data(), 1, n, out) != n)
      throw Error("Cannot write file = " + target + " (" + LastErrorText() + ")");
  }
}

// Creates `target` (a new file: nothing already there is followed or overwritten), fills it, and removes it
// again when anything fails.
template <typename Fill>
void CreateFilled(const std::string& target, Fill fill) {
  FilePtr out = CreateNewFile(target);
  if (!out && errno == EEXIST) throw Error("The file already exists.");
  if (!out) throw Error("Cannot create file = " + target + " (" + LastErrorText() + ")");
  try {
    fill(out.get());
    if (std::fclose(out.release()) != 0)
      throw Error("Cannot write file = " + target + " (" + LastErrorText() + ")");
  } catch (...) {
    out.reset();
    std::remove(target.c_str());
    throw;
  }
}

// The play folder must be ours: a folder (not a link) owned by this user, so nothing is written or deleted
// through a path someone else prepared.
bool IsPrivateFolder(const std::string& folder) {
#ifdef _WIN32
  return DirectoryExists(folder);
#else
  struct stat st {};
  return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
#endif
}

void EnsurePlayFolder(const std::string& folder) {
  std::error_code ec;
  const auto path = ToFsPath(folder);
#ifdef _WIN32
  std::filesystem::create_directories(path, ec);
  if (!DirectoryExists(folder)) throw Error("Folder was not able to create.");
#else
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) {
    std::filesystem::create_directories(path.parent_path(), ec);
    if (::mkdir(folder.c_str(), 0700) != 0) throw Error("Folder was not able to create.");
  }
  if (!IsPrivateFolder(folder))
    throw Error("The play folder " + folder + " is not a private folder of this user; it is left alone.");
#endif
}

// Song and artist from the first bytes of a file; false when they are no Ogg stream.
bool ParseProbe(const char* probe, std::size_t got, std::string& song, std::string& artist) {
  if (got < kProbeSize) return false;
  if (IsPlain(probe)) return true;
  if (!IsWrapped(probe)) return false;
  song = ReadField(probe + 4);
  artist = ReadField(probe + 4 + kInfoFieldSize);
  return true;
}

}  // namespace

bool ReadOggInfo(const std::string& path, std::string& song, std::string& artist) {
  song.clear();
  artist.clear();
  FilePtr f = OpenFileForReading(path);
  char probe[kProbeSize];
  return ParseProbe(probe, std::fread(probe, 1, kProbeSize, f.get()), song, artist);
}

namespace {

#ifndef _WIN32
// Reads the file of the open folder into `file`; false when it is to be left out. The type the listing gave
// saves a look at a regular file's type of its own.
bool ProbeEntry(int folder, unsigned char type, const std::string& folderPath, TListedMusicFile& file) {
  // Only a regular file is opened: opening a FIFO or a device has effects of its own. A link, or an entry
  // whose type the file system does not give, is looked at first; the look after opening guards against
  // a swap in between.
  const char* name = file.name.c_str();
  if (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN) return false;
  if (type != DT_REG) {
    struct stat st {};
    if (::fstatat(folder, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return false;
  }
  // Without waiting, as every read here: a FIFO put in the file's place would otherwise block.
  const int fd = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const std::string reason = LastErrorText();
    struct stat st {};
    if (::fstatat(folder, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return false;
    file.failure = "Cannot open file = " + folderPath + file.name + " (" + reason + ")";
    return true;
  }
  if (type != DT_REG) {  // a link, or a file system that does not say
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return false;
    }
  }
  char probe[kProbeSize];
  std::size_t got = 0;
  while (got < kProbeSize) {
    const ssize_t n = ::read(fd, probe + got, kProbeSize - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a file that cannot be read up to its stream is no music file, as for ReadOggInfo
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return ParseProbe(probe, got, file.song, file.artist);
}
// Calls run(from, to) for `parts` runs that cover 0..count, each but the first on a thread of its own; a
// thread that cannot be started leaves its run to this one. The first error of any run is raised here.
template <typename Run>
void RunInParts(std::size_t count, std::size_t parts, const Run& run) {
  std::vector<std::exception_ptr> failures(parts);
  const auto part = [&](std::size_t p) {
    try {
      run(count * p / parts, count * (p + 1) / parts);
    } catch (...) {
      failures[p] = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(parts);
  std::size_t started = 1;
  try {
    for (; started < parts; ++started) helpers.emplace_back(part, started);
  } catch (const std::system_error&) {
  }
  for (std::size_t p = started; p < parts; ++p) part(p);
  part(0);
  for (std::thread& helper : helpers) helper.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}
#endif

// The files in the order Windows lists them. Each name's key is made once, the first eight bytes of it as
// a number that orders as the bytes do (most comparisons end there), and the files move as indexes.
std::vector<TListedMusicFile> InWindowsOrder(std::vector<TListedMusicFile> files) {
  struct Key {
    std::uint64_t head = 0;
    std::size_t index = 0;
  };
  std::vector<std::string> keys;
  keys.reserve(files.size());
  std::vector<Key> order;
  order.reserve(files.size());
  for (const TListedMusicFile& file : files) {
    keys.push_back(AsciiUpperCase(file.name));
    order.push_back({OrderingHead(keys.back()), order.size()});
  }
  std::sort(order.begin(), order.end(), [&](const Key& a, const Key& b) {
    if (a.head != b.head) return a.head < b.head;
    const int byKey = keys[a.index].compare(keys[b.index]);
    return byKey < 0 || (byKey == 0 && files[a.index].name < files[b.index].name);
  });
  std::vector<TListedMusicFile> sorted;
  sorted.reserve(files.size());
  for (const Key& key : order) sorted.push_back(std::move(files[key.index]));
  return sorted;
}

}  // namespace

std::vector<TListedMusicFile> ListMusicFiles(const std::string& musicFolder) {
  std::vector<TListedMusicFile> files;
#ifdef _WIN32
  for (std::string& name : FindFiles(musicFolder, "*.ogg")) {
    TListedMusicFile file;
    file.name = std::move(name);
    const std::string path = musicFolder + file.name;
    if (!FileExists(path)) continue;  // a folder of such a name
    try {
      if (!ReadOggInfo(path, file.song, file.artist)) continue;
    } catch (const Error& e) {
      file.failure = e.what();
    }
    files.push_back(std::move(file));
  }
#else
  const std::unique_ptr<DIR, int (*)(DIR*)> folderHandle(::opendir(musicFolder.c_str()), ::closedir);
  DIR* folder = folderHandle.get();
  if (!folder) return files;
  std::vector<unsigned char> types;
  while (const dirent* entry = ::readdir(folder)) {
    if (!MatchesMask(entry->d_name, "*.ogg")) continue;
    files.emplace_back().name = entry->d_name;
    types.push_back(entry->d_type);
  }
  // Opening and reading the files is the system's work, most of the time of a large folder: it is shared
  // out over the processor's cores, each taking a run of the files.
  std::vector<unsigned char> keep(files.size());
  constexpr std::size_t kFilesPerThread = 512;  // below this a thread costs more than it saves
  const std::size_t parts = std::clamp<std::size_t>(files.size() / kFilesPerThread, 1,
                                                    std::max(1u, std::thread::hardware_concurrency()));
  RunInParts(files.size(), parts, [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      keep[i] = ProbeEntry(::dirfd(folder), types[i], musicFolder, files[i]);
  });
  std::size_t kept = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!keep[i]) continue;
    if (i != kept) files[kept] = std::move(files[i]);
    ++kept;
  }
  files.resize(kept);
#endif
  return InWindowsOrder(std::move(files));
}

void WriteOggInfo(const std::string& path, std::string_view song, std::string_view artist) {
  FilePtr f = OpenForUpdate(path);
  char header[kProbeSize];
  if (std::fread(header, 1, kProbeSize, f.get()) < kProbeSize)
    throw Error("Cannot read file = " + path + " (it is too short)");
  if (std::memcmp(header, "INFO", 4) != 0) throw Error("Header not found.");
  if (std::memcmp(header + kInfoHeaderSize, "OggS", 4) != 0) throw Error("Invalid file.");
  PutField(header + 4, song);
  PutField(header + 4 + kInfoFieldSize, artist);
  if (std::fseek(f.get(), 0, SEEK_SET) != 0 || std::fwrite(header, 1, kProbeSize, f.get()) != kProbeSize ||
      std::fflush(f.get()) != 0)
    throw Error("Cannot write file = " + path + " (" + LastErrorText() + ")");
  // Some file systems report a failed write only when the file is closed.
  if (std::fclose(f.release()) != 0)
    throw Error("Cannot write file = " + path + " (" + LastErrorText() + ")");
}

std::string ImportMusicFile(const std::string& source, const std::string& musicFolder) {
  FilePtr in = OpenFileForReading(source);
  const std::string name = ExtractFileName(source);
  const std::string target = musicFolder + name;
  if (FileExists(target) || DirectoryExists(target)) throw Error("The file already exists.");

  std::vector<char> first(kMusicBlockSize);
  const std::size_t got = std::fread(first.data(), 1, first.size(), in.get());
  if (std::ferror(in.get())) throw Error("Cannot read file = " + source + " (" + LastErrorText() + ")");
  const bool wrapped = got > kProbeSize && IsWrapped(first.data());
  const bool plain = got >= 4 && IsPlain(first.data());
  // A short source that does not even start like Ogg is refused too: a few stray bytes are no music.
  if (!wrapped && !plain) throw Error("Invalid file = " + source);
  const bool wrap = !wrapped;

  CreateFilled(target, [&](std::FILE* out) {
    if (wrap) {
      char header[kInfoHeaderSize] = {'I', 'N', 'F', 'O'};
      if (std::fwrite(header, 1, sizeof header, out) != sizeof header)
        throw Error("Cannot write file = " + target + " (" + LastErrorText() + ")");
    }
    CopyRest(in.get(), out, first.data(), got, source, target);
  });
  return name;
}

std::string FindMusicFile(const std::string& musicFolder, const std::string& name) {
  if (name.empty()) return {};
  if (FileExists(musicFolder + name)) return musicFolder + name;
  const std::string found = FindNameIgnoringCase(musicFolder, name);
  return !found.empty() && FileExists(musicFolder + found) ? musicFolder + found : std::string();
}

std::string PlayFolder() {
  return GamePath(GetTempFolder(), "\\Gravelwrighttemp");
}

std::string MakePlayCopy(const std::string& path, const std::string& playFolder) {
  EnsurePlayFolder(playFolder);
  const std::string copy = GamePath(playFolder, "\\") + ExtractFileName(path);
  if (!FileExists(copy)) {
    FilePtr in = OpenFileForReading(path);
    char probe[kProbeSize];
    const std::size_t got = std::fread(probe, 1, kProbeSize, in.get());
    std::size_t skip = 0;
    if (got == kProbeSize && IsWrapped(probe)) skip = kInfoHeaderSize;
    CreateFilled(copy,
                 [&](std::FILE* out) { CopyRest(in.get(), out, probe + skip, got - skip, path, copy); });
  }
  if (!FileExists(copy)) throw Error("File not found = " + copy);
  return copy;
}

void ClearPlayFolder(const std::string& playFolder) {
  if (!IsPrivateFolder(playFolder)) return;
  for (const std::string& name : FindFiles(playFolder, "*")) {
    const std::string path = GamePath(playFolder, "\\") + name;
    if (!DirectoryExists(path)) std::remove(path.c_str());
  }
  std::error_code ec;
  std::filesystem::remove(ToFsPath(playFolder), ec);
}

int DefaultMusicIndex(std::string_view fileName) {
  if (fileName.empty()) return -1;  // the empty rows name no file
  for (std::size_t i = 0; i < kDefaultMusicFiles.size(); ++i)
    if (SameText(kDefaultMusicFiles[i], fileName)) return static_cast<int>(i);
  return -1;
}

}  // namespace gw
