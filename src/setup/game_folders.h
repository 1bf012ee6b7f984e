#pragma once
// The game's installation folder, the folders below it, and the names of its save-slot setup files.

#include <string>
#include <string_view>

#include "platform/file_attributes.h"  // ClearReadOnly, which the game-file writers call

namespace gw {

// The fixed texts that follow the installation folder.
inline constexpr std::string_view kSavedGamesFolder = "\\SavedGames";
inline constexpr std::string_view kSavedGamesPrefix = "\\SavedGames\\";
inline constexpr std::string_view kReplaysFolder = "\\Replays\\";
inline constexpr std::string_view kMusicFolder = "\\Audio\\Music\\";
inline constexpr std::string_view kSoundTable = "\\Audio\\Sound.ini";
inline constexpr std::string_view kSlotFileMask = "?slot?_*.lsp";

// The installation folder as the game's installer registered it; empty when the game is not registered.
std::string GetGameInstallPath();

// The car name of a car digit 0..7 ("Xsara" .. "Impreza '00").
std::string_view CarName(int carDigit);

// Splits a save-slot file name ("3slot1_Test.lsp": car "Lancer-Evo VII", title "Test"). When the name is no
// slot-file name the result is false, the car is empty and the title is the whole base name.
bool ParseSlotFileName(const std::string& name, std::string& car, std::string& title);

// True when the file lies directly in the installation's saved-games folder and has a slot-file name.
bool IsSlotFile(const std::string& path, const std::string& installFolder);

// A setup path as the editor opens it: a bare file name means the file of that name in the saved-games
// folder.
std::string SetupFilePath(const std::string& pathOrName, const std::string& installFolder);

// The user's temporary folder with its trailing separator; empty when the system gives none.
std::string GetTempFolder();

}  // namespace gw
