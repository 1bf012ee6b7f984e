#pragma once
// Where the program keeps a file it writes for itself (its settings): beside the executable when it can, so
// that an unpacked folder stays portable as players of the Windows tool expect; otherwise (an installed
// program cannot write to /usr/bin or C:\Program Files) in a per-user folder.

#include <string>
#include <string_view>

namespace gw {

// `besideProgram` when that file exists or its folder is writable; else `userFolder` joined with
// `userFileName`, the folder created when missing. Never raises: a user folder that cannot be made still
// gives its path (writing there later raises the usual error naming the file), and an empty `userFolder`
// (no home at all) gives `besideProgram`.
std::string OwnFilePath(const std::string& besideProgram, const std::string& userFolder,
                        std::string_view userFileName);

// This process can make a new file in the folder (a missing folder cannot take one).
bool IsWritableFolder(const std::string& folder);

}  // namespace gw
