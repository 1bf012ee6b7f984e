#pragma once
// Game paths are written as the game's own documentation writes them: the installation folder followed by
// a fixed text such as "\SavedGames\". The helpers here turn such texts into local paths and pick paths
// apart, accepting both "\" and "/" as separators on every system.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

constexpr bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

// folder + fixedText, with the backslashes of fixedText turned into the local separator. The folder is
// used as it is: nothing is added to or removed from it.
std::string GamePath(std::string_view folder, std::string_view fixedText);

// The folder part without its trailing separator ("" when there is none).
std::string ExtractFileDir(std::string_view path);
// The part after the last separator.
std::string ExtractFileName(std::string_view path);
// The extension of the file name with its period, or "" when the name has none.
std::string ExtractFileExt(std::string_view path);
// The file name without folder and without extension.
std::string ExtractBaseName(std::string_view path);
// The path with its extension replaced (or appended when it has none).
std::string ChangeFileExt(std::string_view path, std::string_view extension);
// True when the path has no folder part.
bool HasNoFolder(std::string_view path);

// Two folder texts name the same folder: equal ignoring ASCII case, with "\" and "/" alike.
bool SameFolder(std::string_view a, std::string_view b);

// A program path as the operating system's file functions take it (the system code page on Windows).
std::filesystem::path ToFsPath(const std::string& path);
std::string FromFsPath(const std::filesystem::path& path);

bool FileExists(const std::string& path);       // a file, not a folder
bool DirectoryExists(const std::string& path);  // a folder

// "?" stands for one character and "*" for any run; letters match ignoring ASCII case.
bool MatchesMask(std::string_view name, std::string_view mask);
// Names of the entries in a folder (files and folders) that match the mask, in the order the system
// lists them. A missing folder lists nothing.
std::vector<std::string> FindFiles(const std::string& folder, std::string_view mask);

// The name of the folder's entry that equals the name ignoring ASCII case, the exact name first; "" when
// there is none.
std::string FindNameIgnoringCase(const std::string& folder, std::string_view name);

// The user's temporary folder, ending with the separator; "" when the system gives none.
std::string TempFolder();

}  // namespace gw
