#include "editor/game_options.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/number_text.h"
#include "platform/paths.h"

namespace gw {

bool ReadGameFlag(const ProfileIni& ini, std::string_view key, bool defaultValue) {
  const std::string value = ini.ReadString(kGameOptionsSection, key, "");
  return value.empty() ? defaultValue : SameText(value, "true");
}

void WriteGameFlag(ProfileIni& ini, std::string_view key, bool value) {
  ini.WriteString(kGameOptionsSection, key, value ? "true" : "false");
}

TGameOptions ReadGameOptions(const std::string& installFolder) {
  const ProfileIni options(GamePath(installFolder, kGameOptionsFile));
  const ProfileIni input(GamePath(installFolder, kGameInputFile));
  TGameOptions result;
  for (std::size_t i = 0; i < kGameFlags.size(); ++i) {
    const TGameFlag& flag = kGameFlags[i];
    result.flags[i] =
        ReadGameFlag(flag.file == kGameOptionsFile ? options : input, flag.key, flag.defaultValue);
  }
  const int force = options.ReadInteger(kGameOptionsSection, kForceMultiplierKey, kForceMultiplierDefault);
  result.forceMultiplier = std::clamp(force, kForceMultiplierMin, kForceMultiplierMax);
  return result;
}

void WriteGameOptions(const std::string& installFolder, const TGameOptions& values) {
  for (std::string_view file : {kGameOptionsFile, kGameInputFile}) {
    const std::string path = GamePath(installFolder, file);
    ClearReadOnly(path);
    ProfileIni ini(path);
    for (std::size_t i = 0; i < kGameFlags.size(); ++i)
      if (kGameFlags[i].file == file) WriteGameFlag(ini, kGameFlags[i].key, values.flags[i]);
    if (file == kGameOptionsFile)
      ini.WriteInteger(kGameOptionsSection, kForceMultiplierKey,
                       std::clamp(values.forceMultiplier, kForceMultiplierMin, kForceMultiplierMax));
  }
}

std::string GameExecutablePath(const std::string& installFolder, int runVariant) {
  std::string path = GamePath(installFolder, "\\");
  if (installFolder.empty()) throw Error("Not installed");
  path += kRunVariantExecutables[static_cast<std::size_t>(std::clamp(runVariant, 0, 2))];
  if (!FileExists(path)) throw Error("File not found = " + path);
  return path;
}

}  // namespace gw
