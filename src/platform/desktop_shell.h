#pragma once
// The desktop shell: opening a file or folder with its default application, and starting the game. On
// Linux the game's executables are started with Wine, in the environment (and so the prefix) Gravelwright
// itself runs in.

#include <string>
#include <vector>

namespace gw {

// Opens a file or folder with the desktop's default application; the answer is not checked.
void ShellOpen(const std::string& path);

// Starts a program in a working folder without waiting for it. Raises gw::Error when it cannot be started
// (on Linux: when Wine is not there to start a Windows program).
void ShellStart(const std::string& program, const std::string& workingFolder);

// The test seam: while recording, calls are noted ("open <path>", "start <program> in <folder>") instead of
// performed.
namespace shell_calls {
void Record(bool on);
std::vector<std::string> Take();
}  // namespace shell_calls

}  // namespace gw
