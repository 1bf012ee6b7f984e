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
  return {{"path", p.Path()},     {"page", p.Page},   {"heading", p.Heading},
          {"caption", p.Caption}, {"value", p.Value}, {"position", p.Position},
          {"min", p.Min},         {"max", p.Max},     {"entry", p.EntryName()}};
}

// The columns a UTF-8 text takes on a terminal (the degree sign is two bytes, one column).
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void Pad(std::string& line, std::string_view text, std::size_t width) {
  line += text;
  line.append(width + 2 - std::min(width, Columns(text)), ' ');
}

void PrintText(const std::vector<TParameter>& parameters) {
  std::size_t pathWidth = 0, valueWidth = 0;
  for (const TParameter& p : parameters) {
    pathWidth = std::max(pathWidth, Columns(p.Path()));
    valueWidth = std::max(valueWidth, Columns(p.Value));
  }
  std::string line;
  for (const TParameter& p : parameters) {
    line.clear();
    Pad(line, p.Path(), pathWidth);
    Pad(line, p.Value, valueWidth);
    line += std::to_string(p.Position);
    line += '\n';
    std::cout << line;
  }
}

void RunShow(const TShowOptions& options) {
  TTOVCarSetup setup;
  LoadSetup(setup, options.File);
  const std::vector<TParameter> parameters = LoadParameters(setup);
  if (!options.Json) return PrintText(parameters);
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const TParameter& p : parameters) list.push_back(ParameterJson(p));
  const nlohmann::ordered_json document = {{"schema", 1}, {"file", options.File}, {"parameters", list}};
  std::cout << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

void AddShowCommand(CLI::App& app, TCliContext&) {
  auto options = std::make_shared<TShowOptions>();
  CLI::App* show = app.add_subcommand(
      "show", "Print every parameter of a setup: its path (heading/caption), value text and slider position");
  show->add_option("FILE", options->File, "The setup file (.lsp)")->required();
  show->add_flag("--json", options->Json, "Print JSON (the schema is in the README)");
  show->callback([options] { RunShow(*options); });
}

}  // namespace gw::cli
