#include "music/music_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "setup/game_folders.h"

#ifndef _WIN32
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

}  // namespace

bool ReadOggInfo(const std::string& path, std::string& song, std::string& artist) {
  song.clear();
  artist.clear();
  FilePtr f = OpenFileForReading(path);
  char probe[kProbeSize];
  if (std::fread(probe, 1, kProbeSize, f.get()) < kProbeSize) return false;
  if (IsPlain(probe)) return true;
  if (!IsWrapped(probe)) return false;
  song = ReadField(probe + 4);
  artist = ReadField(probe + 4 + kInfoFieldSize);
  return true;
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
