// show FILE [--json]: every parameter of a setup as the main window shows it.
#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/commands.h"

namespace gw::cli {

namespace {

struct TShowOptions {
  std::string File;
  bool Json = false;
};

nlohmann::ordered_json ParameterJson(const TParameter& p) {
  const bool present = p.Value.Present;
  return {{"path", p.Path()},
          {"page", p.Page},
          {"heading", p.Heading},
          {"caption", p.Caption()},
          {"kind", p.KindName()},
          {"value", present ? nlohmann::ordered_json(p.Text) : nlohmann::ordered_json()},
          {"position", present ? nlohmann::ordered_json(p.Value.Position) : nlohmann::ordered_json()},
          {"min", p.Min},
          {"max", p.Max},
          {"entry", p.EntryName()},
          {"missing", present ? nlohmann::ordered_json() : nlohmann::ordered_json(p.Value.Missing)}};
}

void Pad(std::string& line, std::string_view text, std::size_t width) {
  line += text;
  line.append(width + 2 - std::min(width, Columns(text)), ' ');
}

void PrintText(const std::vector<TParameter>& parameters) {
  std::size_t pathWidth = 0, valueWidth = 0;
  for (const TParameter& p : parameters) {
    pathWidth = std::max(pathWidth, Columns(p.Path()));
    valueWidth = std::max(valueWidth, Columns(p.Text));
  }
  std::string line;
  for (const TParameter& p : parameters) {
    line.clear();
    Pad(line, p.Path(), pathWidth);
    if (!p.Value.Present) {
      line += "missing: " + p.Value.Missing + '\n';
      std::cout << line;
      continue;
    }
    Pad(line, p.Text, valueWidth);
    line += std::to_string(p.Value.Position);
    line += '\n';
    std::cout << line;
  }
}

void RunShow(const TShowOptions& options, TCliContext& context) {
  TTOVCarSetup setup;
  LoadSetup(setup, options.File);
  const std::vector<TParameter> parameters = ReadParameters(setup);
  if (options.Json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TParameter& p : parameters) list.push_back(ParameterJson(p));
    const nlohmann::ordered_json document = {{"schema", 1}, {"file", options.File}, {"parameters", list}};
    PrintJson(document);
  } else {
    PrintText(parameters);
  }
  // Everything the file has is shown; what it lacks is refused with the file and the entry.
  for (const TParameter& p : parameters) {
    if (p.Value.Present) continue;
    Refuse(context, options.File + ": " + p.Path() + ": " + p.Value.Missing);
  }
}

}  // namespace

void AddShowCommand(CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TShowOptions>();
  CLI::App* show = app.add_subcommand(
      "show", "Print every parameter of a setup: its path (heading/caption), value text and slider position");
  show->add_option("FILE", options->File, "The setup file (.lsp)")->required();
  show->add_flag("--json", options->Json, "Print JSON (the schema is in the README)");
  show->callback([options, &context] { RunShow(*options, context); });
}

}  // namespace gw::cli
