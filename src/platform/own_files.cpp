#include "platform/own_files.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace gw {

namespace fs = std::filesystem;

bool IsWritableFolder(const std::string& folder) {
  if (!DirectoryExists(folder)) return false;
#ifdef _WIN32
  // The folder's attributes say nothing about its access list (Program Files has no read-only flag), so a
  // file is made and dropped again.
  const std::string probe = folder + "\\.gravelwright-" + std::to_string(GetCurrentProcessId()) + ".tmp";
  HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
#else
  return access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

std::string OwnFilePath(const std::string& besideProgram, const std::string& userFolder,
                        std::string_view userFileName) {
  if (userFolder.empty() || FileExists(besideProgram)) return besideProgram;
  const fs::path folder = ToFsPath(besideProgram).parent_path();
  if (IsWritableFolder(folder.empty() ? std::string(".") : FromFsPath(folder))) return besideProgram;

  std::error_code ec;  // a folder that cannot be made is reported when the file is written, not here
  if (fs::create_directories(ToFsPath(userFolder), ec))
    fs::permissions(ToFsPath(userFolder), fs::perms::owner_all, ec);  // private, as the desktop expects
  return userFolder + kPathSeparator + std::string(userFileName);
}

}  // namespace gw
