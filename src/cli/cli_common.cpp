#include "cli/cli_common.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>

#include "platform/paths.h"
#include "platform/user_folders.h"
#include "setup/game_folders.h"

namespace gw::cli {

Error FileError(const std::string& file, const std::string& message) {
  if (message.find(file) != std::string::npos) return Error(message);
  return Error(file + ": " + message);
}

void PrintError(std::string_view message) {
  std::cerr << kProgramName << ": " << message << '\n';
}

void PrintNote(std::string_view message) {
  std::cerr << kProgramName << ": note: " << message << '\n';
}

void Refuse(TCliContext& context, std::string_view message) {
  PrintError(message);
  context.ExitStatus = kExitRefused;
}

std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void PrintJson(const nlohmann::ordered_json& document) {
  std::cout << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void LoadSetup(TTOVCarSetup& setup, const std::string& path) {
  try {
    setup.LoadFromFile(path);
  } catch (const Error& e) {
    throw FileError(path, e.what());
  }
  if (setup.NulOffset() >= 0) PrintNote(NulByteNotice(path, setup.NulOffset()));
}

void SaveSetup(TTOVCarSetup& setup, TCliContext& context) {
  KeepVersion(setup.FileName(), context);
  try {
    setup.SaveToFile();
  } catch (const Error& e) {
    throw FileError(setup.FileName(), e.what());
  }
}

void KeepVersion(const std::string& path, TCliContext& context) {
  if (!context.History) {
    std::string folder = context.HistoryFolder;
    if (folder.empty() && !UserDataFolder().empty()) folder = GamePath(UserDataFolder(), "\\history");
    // Setups of the game's saved-games folder keep their versions under their own names, as in the window.
    const std::string install = GetGameInstallPath();
    const std::string savedGames = install.empty() ? std::string() : GamePath(install, kSavedGamesFolder);
    // The window's HistoryDepth lives in its own settings file, which this tool cannot know: it keeps every
    // version and leaves pruning to the window's next save of the file, so no version is lost to a depth the
    // player never chose.
    context.History = std::make_unique<TVersionStore>(
        folder, savedGames, context.NoHistory ? 0 : std::numeric_limits<int>::max());
  }
  TVersionStore& store = *context.History;
  if (store.Depth() == 0) return;
  if (!store.KeepVersion(path) && !context.HistoryOffSaid) {
    PrintNote("history is off, no version of " + path + " was kept: " + store.OffReason());
    context.HistoryOffSaid = true;
  }
}

int ChangedEntryCount(const TTOVCarSetup& setup) {
  int count = 0;
  for (int32_t s = 0; s < setup.SectionCount(); ++s) {
    const TTOVCarSetupSection& section = *setup.GetSection(s);
    for (int32_t i = 0; i < section.Count(); ++i)
      if (section.GetData(i)->Changed()) ++count;
  }
  return count;
}

}  // namespace gw::cli
