#include "music/sound_table.h"

#include "music/music_files.h"
#include "platform/paths.h"
#include "platform/profile_ini.h"
#include "setup/game_folders.h"

namespace gw {

std::string MusicSlotKey(int slotIndex) {
  return "Music" + std::to_string(slotIndex) + "0";
}

TSlotTable LoadSlotTable(const std::string& installFolder) {
  const ProfileIni ini(GamePath(installFolder, kSoundTable));
  TSlotTable names;
  for (int n = 0; n < kMusicSlotCount; ++n) {
    const std::string value = ini.ReadString(kReplayMusicSection, MusicSlotKey(n), "");
    const auto sep = value.find_last_of("\\:");
    names[static_cast<std::size_t>(n)] = sep == std::string::npos ? value : value.substr(sep + 1);
  }
  return names;
}

void SaveSlotTable(const std::string& installFolder, const TSlotTable& names) {
  ProfileIni ini(GamePath(installFolder, kSoundTable));
  const std::string musicFolder = GamePath(installFolder, kMusicFolder);
  for (int n = 0; n < kMusicSlotCount; ++n) {
    const std::string& name = names[static_cast<std::size_t>(n)];
    if (!FindMusicFile(musicFolder, name).empty())
      ini.WriteString(kReplayMusicSection, MusicSlotKey(n), "Audio\\Music\\" + name);
    else
      ini.DeleteKey(kReplayMusicSection, MusicSlotKey(n));
  }
}

}  // namespace gw
