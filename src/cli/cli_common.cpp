#include "cli/cli_common.h"

#include <iostream>

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

void LoadSetup(TTOVCarSetup& setup, const std::string& path) {
  try {
    setup.LoadFromFile(path);
  } catch (const Error& e) {
    throw FileError(path, e.what());
  }
}

std::vector<TParameter> LoadParameters(const TTOVCarSetup& setup) {
  try {
    return ReadParameters(setup);
  } catch (const Error& e) {
    throw FileError(setup.FileName(), e.what());
  }
}

void SaveSetup(TTOVCarSetup& setup, const TCliContext& context) {
  KeepVersion(setup.FileName(), context);
  try {
    setup.SaveToFile();
  } catch (const Error& e) {
    throw FileError(setup.FileName(), e.what());
  }
}

void KeepVersion(const std::string& path, const TCliContext& context) {
  (void)path;
  (void)context;
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
