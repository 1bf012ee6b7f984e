// diff FILE FILE... [--all] [--json]: setups side by side against the first, as the compare window shows
// them.
#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "platform/paths.h"

namespace gw::cli {

namespace {

struct TDiffOptions {
  std::vector<std::string> Files;
  bool All = false;
  bool Json = false;
};

// A cell as the compare window shows it: the value, and an arrow where it is higher or lower than the first.
std::string CellText(const TCompareCell& cell) {
  std::string text = cell.Text;
  if (cell.Direction > 0) text += " \xE2\x86\x91";  // up arrow
  if (cell.Direction < 0) text += " \xE2\x86\x93";  // down arrow
  if (!cell.Direction && cell.Differs) text += " *";
  return text;
}

void PrintText(const TDiffOptions& options, const TComparison& comparison,
               const std::vector<TParameter>& names) {
  std::vector<std::vector<std::string>> table;
  std::vector<std::string> header{"parameter"};
  for (const std::string& f : options.Files) header.push_back(ExtractFileName(f));
  table.push_back(std::move(header));
  for (const TCompareRow& row : comparison.Rows) {
    if (!options.All && !row.Differs) continue;
    std::vector<std::string> line{names[row.Parameter].Path()};
    for (const TCompareCell& cell : row.Cells) line.push_back(CellText(cell));
    table.push_back(std::move(line));
  }
  std::vector<std::size_t> widths(table.front().size(), 0);
  for (const auto& line : table)
    for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], Columns(line[c]));
  for (const auto& line : table) {
    std::string out;
    for (std::size_t c = 0; c < line.size(); ++c) {
      out += line[c];
      if (c + 1 < line.size()) out.append(widths[c] + 2 - Columns(line[c]), ' ');
    }
    std::cout << out << '\n';
  }
  std::cout << DifferenceCountText(comparison) << '\n';
}

void PrintComparisonJson(const TDiffOptions& options, const TComparison& comparison,
                         const std::vector<TParameter>& names) {
  using json = nlohmann::ordered_json;
  json rows = json::array();
  for (const TCompareRow& row : comparison.Rows) {
    if (!options.All && !row.Differs) continue;
    const TParameter& p = names[row.Parameter];
    json cells = json::array();
    for (const TCompareCell& cell : row.Cells)
      cells.push_back({{"value", cell.Present ? json(cell.Text) : json()},
                       {"position", cell.Present ? json(cell.Position) : json()},
                       {"missing", cell.Present ? json() : json(cell.Text)},
                       {"direction", cell.Direction},
                       {"differs", cell.Differs}});
    rows.push_back({{"path", p.Path()},
                    {"page", p.Page},
                    {"heading", p.Heading},
                    {"caption", p.Caption()},
                    {"kind", p.KindName()},
                    {"differs", row.Differs},
                    {"cells", cells}});
  }
  const json document = {{"schema", 1},
                         {"files", options.Files},
                         {"differ", comparison.DifferCount},
                         {"parameters", comparison.Rows.size()},
                         {"rows", rows}};
  PrintJson(document);
}

void RunDiff(const TDiffOptions& options) {
  std::vector<TSetupValues> values;
  std::vector<TParameter> names;
  for (const std::string& file : options.Files) {
    TTOVCarSetup setup;
    LoadSetup(setup, file);
    if (names.empty()) names = ReadParameters(setup);
    values.push_back(ValuesFromSetup(setup));
  }
  TComparison comparison = CompareSetups(values, kTextFormat);
  for (TCompareRow& row : comparison.Rows)
    for (TCompareCell& cell : row.Cells)
      if (cell.Present) cell.Text = ValueTextAt(names[row.Parameter], cell.Position);
  if (options.Json)
    PrintComparisonJson(options, comparison, names);
  else
    PrintText(options, comparison, names);
}

}  // namespace

void AddDiffCommand(CLI::App& app, TCliContext&) {
  auto options = std::make_shared<TDiffOptions>();
  CLI::App* diff = app.add_subcommand(
      "diff", "Compare setups against the first: the parameters that differ (arrows: higher or lower)");
  diff->add_option("FILE", options->Files, "Two or more setup files; the first is the one compared against")
      ->required()
      ->expected(2, -1);
  diff->add_flag("--all", options->All, "Every parameter, not only those that differ");
  diff->add_flag("--json", options->Json, "Print JSON (the schema is in the README)");
  diff->callback([options] { RunDiff(*options); });
}

}  // namespace gw::cli
