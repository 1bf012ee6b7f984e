// copy SOURCE DEST... --groups G,... [--dry-run]: the Tool menu's copy to other files, from a script.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "editor/copy_values.h"
#include "platform/ascii_text.h"

namespace gw::cli {

namespace {

struct TCopyOptions {
  std::string Source;
  std::vector<std::string> Destinations;
  std::vector<std::string> Groups;
  bool DryRun = false;
};

// Captions compare ignoring letter case and blanks: the dialog's own texts have odd spacing
// ("Geometry -Rear", "Diff.Map - Front ").
std::string GroupKey(std::string_view caption) {
  std::string key;
  for (char c : caption)
    if (!IsBlank(c)) key.push_back(AsciiUpper(c));
  return key;
}

std::string GroupCaptions() {
  std::string text;
  for (const TCopyGroup& g : CopyGroups) {
    if (!text.empty()) text += ", ";
    text += "\"" + std::string(TrimBlanks(g.Caption)) + "\"";
  }
  return text;
}

std::vector<int> SelectGroups(const std::vector<std::string>& captions) {
  std::vector<int> selected;
  for (const std::string& caption : captions) {
    int found = -1;
    for (int g = 0; g < kCopyGroupCount; ++g)
      if (GroupKey(CopyGroups[static_cast<std::size_t>(g)].Caption) == GroupKey(caption)) found = g;
    if (found < 0)
      throw TUsageError("--groups: no copy group \"" + caption + "\"; the groups: " + GroupCaptions());
    selected.push_back(found);
  }
  return selected;
}

// The parameters a copy changed, as "path: before -> after" lines.
void PrintParameterChanges(const std::vector<TParameter>& before, const std::vector<TParameter>& after) {
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    const TParameter &b = before[i], &a = after[i];
    if (b.Value.Present == a.Value.Present && b.Value.Position == a.Value.Position) continue;
    std::cout << "  " << b.Path() << ": " << (b.Value.Present ? b.Text : "missing") << " -> "
              << (a.Value.Present ? a.Text : "missing") << '\n';
  }
}

void CopyInto(const TTOVCarSetup& source, const std::string& path, const std::vector<TCopyPair>& copyList,
              bool dryRun, TCliContext& context) {
  TTOVCarSetup dest;
  LoadSetup(dest, path);
  const std::vector<TParameter> before = ReadParameters(dest);
  try {
    CopyValues(source, dest, copyList);
  } catch (const Error& e) {
    throw FileError(path, std::string(e.what()) + (dryRun ? "" : "\nnothing written"));
  }
  const int changed = ChangedEntryCount(dest);
  if (!dryRun && changed > 0) SaveSetup(dest, context);  // reported only once written
  std::cout << path << ": " << changed << (changed == 1 ? " entry " : " entries ")
            << (dryRun ? "would change" : "changed") << '\n';
  PrintParameterChanges(before, ReadParameters(dest));
}

void RunCopy(const TCopyOptions& options, TCliContext& context) {
  const std::vector<TCopyPair> copyList = BuildCopyList(SelectGroups(options.Groups));
  TTOVCarSetup source;
  LoadSetup(source, options.Source);
  // Each destination stands alone: one that fails is reported and the others are still written.
  for (const std::string& dest : options.Destinations) {
    try {
      CopyInto(source, dest, copyList, options.DryRun, context);
    } catch (const Error& e) {
      Refuse(context, e.what());
    }
  }
}

}  // namespace

void AddCopyCommand(CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TCopyOptions>();
  CLI::App* copy = app.add_subcommand(
      "copy", "Copy groups of values from one setup into others, as the Tool menu's \"Copy to other files\"");
  copy->add_option("SOURCE", options->Source, "The setup to copy from")->required();
  copy->add_option("DEST", options->Destinations, "The setups to copy into")->required();
  copy->add_option("--groups", options->Groups,
                   "The copy groups by their captions, comma-separated: \"Tyre Pressure,Damper - Front\"")
      ->required()
      ->delimiter(',');
  copy->add_flag("--dry-run", options->DryRun,
                 "Print per destination which values would change; write nothing");
  copy->callback([options, &context] { RunCopy(*options, context); });
}

}  // namespace gw::cli
