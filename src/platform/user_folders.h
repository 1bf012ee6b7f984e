#pragma once
// Where the program keeps files of its own that are not the game's: the per-user configuration folder (for
// settings when the program's folder cannot hold them) and the per-user data folder (for kept versions of
// setups). Both are read from the environment as each system defines it.

#include <string>

namespace gw {

// Windows: %APPDATA%\Gravelwright. Elsewhere: $XDG_CONFIG_HOME/gravelwright when that is an absolute path,
// else ~/.config/gravelwright. No trailing separator; "" when the environment names no home at all.
std::string UserConfigFolder();

// Windows: %LOCALAPPDATA%\Gravelwright. Elsewhere: $XDG_DATA_HOME/gravelwright when that is an absolute path,
// else ~/.local/share/gravelwright. No trailing separator; "" when the environment names no home at all.
std::string UserDataFolder();

}  // namespace gw
