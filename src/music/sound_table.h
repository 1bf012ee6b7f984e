#pragma once
// The game's sound table: which music files it plays in its ten replay-music slots.

#include <array>
#include <string>

namespace gw {

inline constexpr const char* kReplayMusicSection = "MUSICPC::REPLAY";
inline constexpr int kMusicSlotCount = 10;

using TSlotTable = std::array<std::string, kMusicSlotCount>;

// "Music00" .. "Music90".
std::string MusicSlotKey(int slotIndex);

// The file name of each slot (the value after its last "\" or ":"), empty for an empty slot.
TSlotTable LoadSlotTable(const std::string& installFolder);

// Writes "Audio\Music\" + name for each slot whose file exists in the music folder (found ignoring ASCII
// case, as the game finds it) and removes the others.
void SaveSlotTable(const std::string& installFolder, const TSlotTable& names);

}  // namespace gw
