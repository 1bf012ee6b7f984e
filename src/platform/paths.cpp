#include "platform/paths.h"

#include <cstdlib>
#include <memory>
#include <system_error>

#include "platform/ascii_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

namespace gw {

std::string GamePath(std::string_view folder, std::string_view fixedText) {
  std::string path(folder);
  for (char c : fixedText) path.push_back(c == '\\' ? kPathSeparator : c);
  return path;
}

namespace {

std::size_t LastSeparator(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (IsPathSeparator(path[i - 1])) return i - 1;
  return std::string_view::npos;
}

}  // namespace

std::string ExtractFileDir(std::string_view path) {
  const auto sep = LastSeparator(path);
  if (sep == std::string_view::npos) return {};
  if (sep == 0) return std::string(path.substr(0, 1));  // the root folder keeps its separator
  return std::string(path.substr(0, sep));
}

std::string ExtractFileName(std::string_view path) {
  const auto sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ExtractBaseName(std::string_view path) {
  std::string name = ExtractFileName(path);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  const std::string ext = ExtractFileExt(path);
  std::string out(path.substr(0, path.size() - ext.size()));
  out += extension;
  return out;
}

bool HasNoFolder(std::string_view path) {
  return LastSeparator(path) == std::string_view::npos;
}

bool SameFolder(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsPathSeparator(a[i]) && IsPathSeparator(b[i])) continue;
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

#ifdef _WIN32
// Program texts are in the system code page, as the game's own files and the "A" functions use it.
std::filesystem::path ToFsPath(const std::string& path) {
  if (path.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), n);
  return std::filesystem::path(wide);
}

std::string FromFsPath(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), n, nullptr,
                      nullptr);
  return narrow;
}
#else
std::filesystem::path ToFsPath(const std::string& path) {
  return std::filesystem::path(path);
}

std::string FromFsPath(const std::filesystem::path& path) {
  return path.string();
}
#endif

std::string WindowsReservedName(std::string_view path) {
  const std::string name = ExtractFileName(path);
  std::string_view stem = name;
  stem = stem.substr(0, stem.find('.'));
  while (!stem.empty() && (stem.back() == ' ' || stem.back() == ':')) stem.remove_suffix(1);
  std::string upper;
  for (char c : stem) upper.push_back(AsciiUpper(c));
  static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : kDevices)
    if (upper == device) return std::string(stem);
  const bool numbered = upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
                        upper[3] >= '1' && upper[3] <= '9';
  return numbered ? std::string(stem) : std::string();
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(ToFsPath(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(ToFsPath(path), ec);
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  // Iterative wildcard match with one back-track point for the last "*".
  std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || AsciiUpper(mask[m]) == AsciiUpper(name[n]))) {
      ++n, ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::vector<std::string> FindFiles(const std::string& folder, std::string_view mask) {
  std::vector<std::string> names;
#ifndef _WIN32
  // The entries' names straight from the system: a directory iterator makes a whole path of every entry,
  // which a folder of thousands of files feels.
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name != "." && name != ".." && MatchesMask(name, mask)) names.emplace_back(name);
  }
  return names;
#else
  std::error_code ec;
  std::filesystem::directory_iterator it(ToFsPath(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = FromFsPath(it->path().filename());
    if (MatchesMask(name, mask)) names.push_back(std::move(name));
  }
  return names;
#endif
}

std::string FindNameIgnoringCase(const std::string& folder, std::string_view name) {
  if (name.empty()) return {};
  std::error_code ec;
  const std::filesystem::path base = ToFsPath(folder);
  if (std::filesystem::exists(base / ToFsPath(std::string(name)), ec)) return std::string(name);
  std::filesystem::directory_iterator it(base, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string entry = FromFsPath(it->path().filename());
    if (SameText(entry, name)) return entry;
  }
  return {};
}

std::string TempFolder() {
#ifdef _WIN32
  char buffer[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n > MAX_PATH) return {};
  return std::string(buffer, n);
#else
  for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* value = std::getenv(name);
    if (value && *value) {
      std::string folder(value);
      if (folder.back() != '/') folder.push_back('/');
      return folder;
    }
  }
  return "/tmp/";
#endif
}

}  // namespace gw
