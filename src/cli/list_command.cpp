// list [--game DIR] [--car NAME] [--json]: the game's save-slot setup files, as the window's file list.
#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "platform/ascii_text.h"
#include "platform/paths.h"
#include "setup/game_folders.h"

namespace gw::cli {

namespace {

struct TListOptions {
  std::string Game;
  std::string Car;
  bool Json = false;
};

struct TSlotFile {
  std::string Slot;  // the save slot's digit, empty for a name that is no slot-file name
  std::string Car;
  std::string Title;
  std::string Name;
  std::string Path;
};

std::vector<std::string> CarNames() {
  std::vector<std::string> names;
  for (int d = 0; !CarName(d).empty(); ++d) names.emplace_back(CarName(d));
  return names;
}

void RunList(const TListOptions& options) {
  const std::string install = options.Game.empty() ? GetGameInstallPath() : options.Game;
  if (install.empty())
    throw Error(
        "the game's installation is not registered (no registry value, no Wine prefix): give its "
        "folder with --game DIR");
  const std::string folder = GamePath(install, kSavedGamesPrefix);
  if (!DirectoryExists(folder)) throw Error(folder + ": no such folder");

  std::vector<std::string> names = FindFiles(folder, kSlotFileMask);
  // The window's order: by name, ignoring letter case.
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return AsciiUpperCase(a) < AsciiUpperCase(b); });
  std::vector<TSlotFile> files;
  for (const std::string& name : names) {
    if (!FileExists(folder + name)) continue;  // a folder whose name matches
    TSlotFile f;
    f.Name = name;
    f.Path = folder + name;
    if (ParseSlotFileName(name, f.Car, f.Title)) f.Slot = name.substr(5, 1);
    if (!options.Car.empty() && !SameText(f.Car, options.Car)) continue;
    files.push_back(std::move(f));
  }

  if (options.Json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TSlotFile& f : files)
      list.push_back(
          {{"slot", f.Slot.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(std::stoi(f.Slot))},
           {"car", f.Car},
           {"title", f.Title},
           {"file", f.Name},
           {"path", f.Path}});
    const nlohmann::ordered_json document = {{"schema", 1}, {"folder", folder}, {"files", list}};
    PrintJson(document);
    return;
  }
  // Tab-separated: car names and titles hold blanks.
  for (const TSlotFile& f : files)
    std::cout << f.Slot << '\t' << f.Car << '\t' << f.Title << '\t' << f.Path << '\n';
}

}  // namespace

void AddListCommand(CLI::App& app, TCliContext&) {
  auto options = std::make_shared<TListOptions>();
  CLI::App* list = app.add_subcommand(
      "list", "List the game's setup files (slot, car, title, file), tab-separated, sorted by name");
  list->add_option("--game", options->Game,
                   "The game's installation folder (default: the registry, or the Wine prefix's registry)");
  list->add_option("--car", options->Car, "Only the files of this car")
      ->check(CLI::IsMember(CarNames(), CLI::ignore_case));
  list->add_flag("--json", options->Json, "Print JSON");
  list->callback([options] { RunList(*options); });
}

}  // namespace gw::cli
