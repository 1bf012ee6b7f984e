#include "setup/game_folders.h"

#include <array>

#include "platform/paths.h"
#include "platform/registry.h"

namespace gw {

namespace {

constexpr std::array<std::string_view, 8> kCarNames = {
    "Xsara", "Accent", "ZR", "Lancer-Evo VII", "Peugeot 206", "Impreza '03", "Corolla", "Impreza '00",
};

}  // namespace

std::string GetGameInstallPath() {
  return ReadInstallPath();
}

std::string_view CarName(int carDigit) {
  return carDigit >= 0 && carDigit < static_cast<int>(kCarNames.size())
             ? kCarNames[static_cast<std::size_t>(carDigit)]
             : std::string_view();
}

bool ParseSlotFileName(const std::string& name, std::string& car, std::string& title) {
  const std::string base = ExtractBaseName(name);
  car.clear();
  title = base;
  const bool slotName = base.size() >= 7 && base.find("slot") == 1 && base[5] >= '0' && base[5] <= '2' &&
                        base[6] == '_' && base[0] >= '0' && base[0] <= '7';
  if (!slotName) return false;
  car = CarName(base[0] - '0');
  title = base.substr(7);
  return true;
}

bool IsSlotFile(const std::string& path, const std::string& installFolder) {
  if (!SameFolder(ExtractFileDir(path), GamePath(installFolder, kSavedGamesFolder))) return false;
  std::string car, title;
  return ParseSlotFileName(ExtractFileName(path), car, title);
}

std::string SetupFilePath(const std::string& pathOrName, const std::string& installFolder) {
  return HasNoFolder(pathOrName) ? GamePath(installFolder, kSavedGamesPrefix) + pathOrName : pathOrName;
}

std::string GetTempFolder() {
  return TempFolder();
}

}  // namespace gw
