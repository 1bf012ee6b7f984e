#pragma once
// The game's installation folder as its installer registered it.

#include <string>
#include <string_view>

namespace gw {

// The registry key the game's installer writes, under HKEY_LOCAL_MACHINE; its default value is the folder.
inline constexpr std::string_view kInstallPathKey = "SOFTWARE\\Toven Games\\Toven Rally\\InstallPath";

// Windows: the default value of the key in the 32-bit view of the registry. Elsewhere: the same value in
// the Wine prefix ($WINEPREFIX, else ~/.wine), as a local path. Empty when nothing is registered; a value
// that is not a string raises gw::Error.
std::string ReadInstallPath();

// The Wine side, with the prefix folder given: reads <prefix>/system.reg and translates the Windows path
// through <prefix>/dosdevices. Empty when the prefix, key or value is missing or unreadable.
std::string ReadWineInstallPath(const std::string& prefixFolder);

// The default value of a key in the text of a Wine registry file (keys relative to HKEY_LOCAL_MACHINE),
// also found under "Software\Wow6432Node". Empty when the key or value is missing; raises gw::Error for a
// value that is not a string. The result is UTF-8.
std::string ReadWineRegistryDefault(std::string_view regText, std::string_view keyPath);

// A Windows path ("C:\Games\Toven Rally") as a local path through the prefix's drive links; empty when the
// drive has no link. As Wine does: "." parts are dropped, ".." goes up one part but never above the drive's
// root, and folder names that differ only in letter case are found. Linear in the length of the path.
std::string WindowsPathToLocal(const std::string& prefixFolder, std::string_view windowsPath);

}  // namespace gw
