// Lays out a demo installation of the game inside a Wine-style prefix, so that the editor can be tried
// without the game: the registry key, the drive link, the saved-games folder with setups of every car in
// several slots, a few files that are not slot files, the game's option files and its music folder.
//
//   make_demo TEMPLATE_FOLDER PREFIX_FOLDER
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_io.h"
#include "setup/car_setup.h"

namespace fs = std::filesystem;

namespace {

// Each car gets a few slots with its own titles; values move a little so that files differ visibly.
struct Slot {
  int car, slot;
  const char* title;
};
constexpr Slot kSlots[] = {
    {0, 0, "Tarmac"},      {0, 1, "Gravel"},  {0, 2, "Snow"},          {1, 0, "Gravel"},
    {1, 1, "Tarmac"},      {2, 0, "Sweden"},  {3, 0, "Rally Finland"}, {3, 1, "Wet"},
    {3, 2, "Monte Carlo"}, {4, 0, "Tarmac"},  {4, 1, "Gravel"},        {5, 0, "Safari"},
    {5, 2, "Snow"},        {6, 0, "Corsica"}, {7, 0, "Acropolis"},     {7, 1, "Loose"},
};

// Differential maps with some shape: throttle maps rise, brake maps fall, speed maps ease off.
float MapFactor(const std::string& key, int point, int seed) {
  const float p = static_cast<float>(point) / 10.0f;
  const float lift = static_cast<float>(seed % 5) * 0.03f;
  if (key.find("Throttle_") != std::string::npos) return 0.15f + lift + 0.6f * p;
  if (key.find("Brake_") != std::string::npos) return 0.7f - 0.5f * p + lift;
  if (key.find("SpeedMapFactor_") != std::string::npos) return 0.9f - 0.6f * p * p + lift;
  return -1;
}

void WriteVaried(const std::string& templatePath, const std::string& target, int seed) {
  gw::TTOVCarSetup doc;
  doc.LoadFromFile(templatePath);
  for (int s = 0; s < doc.SectionCount(); ++s) {
    gw::TTOVCarSetupSection* section = doc.GetSection(s);
    for (int i = 0; i < section->Count(); ++i) {
      gw::TTOVCarSetupData* d = section->GetData(i);
      if (!d->IsFloat()) continue;
      const std::string key(d->Name());
      if (key.size() > 3 && key[key.size() - 3] == '_') {
        const float factor = MapFactor(key, std::stoi(key.substr(key.size() - 2)), seed);
        if (factor >= 0) d->SetFloat(std::round(factor * 100.0f) / 100.0f);
        continue;
      }
      if (d->FloatValue() == 0) continue;
      // Up to 6 % either way, different for every file and entry.
      const int step = ((seed * 7 + s * 13 + i * 5) % 13) - 6;
      d->SetFloat(d->FloatValue() * (1.0f + static_cast<float>(step) / 100.0f));
    }
  }
  doc.SaveToFile(target);
}

void Copy(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_demo TEMPLATE_FOLDER PREFIX_FOLDER\n");
    return 2;
  }
  try {
    const fs::path templates = argv[1];
    const fs::path prefix = argv[2];
    const fs::path game = prefix / "drive_c" / "Games" / "Toven Rally";
    fs::create_directories(game / "SavedGames");
    fs::create_directories(game / "Replays");
    fs::create_directories(game / "Audio" / "Music");
    fs::create_directories(prefix / "dosdevices");
    if (!fs::exists(fs::symlink_status(prefix / "dosdevices" / "c:")))
      fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    gw::WriteFileReplacing(
        (prefix / "system.reg").string(),
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
        "[Software\\\\Wow6432Node\\\\Toven Games\\\\Toven Rally\\\\InstallPath] 1700000000\n"
        "#time=1da0000000000000\n@=\"C:\\\\Games\\\\Toven Rally\"\n");

    const std::string setupTemplate = (templates / "setup-template.lsp").string();
    int seed = 1;
    for (const Slot& s : kSlots) {
      const std::string name =
          std::to_string(s.car) + "slot" + std::to_string(s.slot) + "_" + s.title + ".lsp";
      WriteVaried(setupTemplate, (game / "SavedGames" / name).string(), seed++);
    }
    // Files the list shows without a car, or does not list at all.
    WriteVaried(setupTemplate, (game / "SavedGames" / "9slot0_Prototype.lsp").string(), seed++);
    WriteVaried(setupTemplate, (game / "SavedGames" / "My gravel base.lsp").string(), seed++);
    gw::WriteFileReplacing((game / "SavedGames" / "notes.txt").string(), "Setups for the club rally.\r\n");

    Copy(templates / "TovenRally.ini", game / "TovenRally.ini");
    Copy(templates / "input.ini", game / "input.ini");
    Copy(templates / "Sound.ini", game / "Audio" / "Sound.ini");
    for (const auto& entry : fs::directory_iterator(templates)) {
      if (entry.path().extension() == ".ogg")
        Copy(entry.path(), game / "Audio" / "Music" / entry.path().filename());
      if (entry.path().extension() == ".rpl") Copy(entry.path(), game / "Replays" / entry.path().filename());
    }
    std::printf("%s\n", game.string().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_demo: %s\n", e.what());
    return 1;
  }
  return 0;
}
