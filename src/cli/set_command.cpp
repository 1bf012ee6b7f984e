// set FILE NAME=VALUE... [--dry-run]: sets parameters by their path, in the units the window shows.
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "platform/ascii_text.h"

namespace gw::cli {

namespace {

struct TSetOptions {
  std::string File;
  std::vector<std::string> Assignments;
  bool DryRun = false;
};

struct TAssignment {
  std::string Path;
  std::string Value;
};

TAssignment SplitAssignment(const std::string& text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0)
    throw TUsageError("\"" + text + "\": expected NAME=VALUE, for example \"Tyre/Left Front Pressure=250\"");
  return {std::string(TrimBlanks(std::string_view(text).substr(0, eq))),
          std::string(TrimBlanks(std::string_view(text).substr(eq + 1)))};
}

// The number at the start of a text and the unit after it ("2.5kN/m/s": 2.5 and "kN/m/s").
bool SplitNumber(std::string_view text, double& number, std::string_view& unit) {
  text = TrimBlanks(text);
  const char* first = text.data();
  if (!text.empty() && text.front() == '+') ++first;
  const auto [end, ec] = std::from_chars(first, text.data() + text.size(), number, std::chars_format::fixed);
  if (ec != std::errc()) return false;
  unit = TrimBlanks(text.substr(static_cast<std::size_t>(end - text.data())));
  return true;
}

double NumberAt(const TParameter& p, int32_t position) {
  double number = 0;
  std::string_view unit;
  SplitNumber(ValueTextAt(p, position), number, unit);
  return number;
}

// The slider position a value text stands for: the position whose text is nearest, halves away from zero.
// Refuses a value outside the range and a unit other than the one the window shows.
int32_t PositionOf(const TParameter& p, const std::string& value, const std::string& where) {
  if (!p.Row) {
    for (int32_t b = p.Min; b <= p.Max; ++b)
      if (SameText(value, ValueTextAt(p, b))) return b;
    throw Error(where + ": \"" + value + "\" is no gear set: use " + ValueTextAt(p, 0) + ", " +
                ValueTextAt(p, 1) + " or " + ValueTextAt(p, 2));
  }
  double x = 0;
  std::string_view unit;
  double shown = 0;
  std::string_view shownUnit;
  const std::string minText = ValueTextAt(p, p.Min);
  SplitNumber(minText, shown, shownUnit);
  if (!SplitNumber(value, x, unit) || (!unit.empty() && !SameText(unit, shownUnit)))
    throw Error(where + ": \"" + value + "\" is no value in " +
                (shownUnit.empty() ? std::string("numbers") : std::string(shownUnit)) + " (for example " +
                ValueTextAt(p, p.Position) + ")");
  const double low = std::min(NumberAt(p, p.Min), NumberAt(p, p.Max));
  const double high = std::max(NumberAt(p, p.Min), NumberAt(p, p.Max));
  if (!(x >= low - 1e-9 && x <= high + 1e-9))
    throw Error(where + ": " + value + " is outside the range " + ValueTextAt(p, p.Min) + " to " +
                ValueTextAt(p, p.Max));
  int32_t best = p.Min;
  double bestDistance = INFINITY;
  for (int32_t v = p.Min; v <= p.Max; ++v) {
    const double n = NumberAt(p, v), d = std::fabs(n - x);
    if (d < bestDistance - 1e-9 ||
        (d <= bestDistance + 1e-9 && std::fabs(n) > std::fabs(NumberAt(p, best)))) {
      best = v;
      bestDistance = d;
    }
  }
  return best;
}

// The parameter a path names, ignoring letter case; refuses an unknown or ambiguous path.
const TParameter& FindParameter(const std::vector<TParameter>& parameters, const std::string& path,
                                const std::string& file) {
  const TParameter* found = nullptr;
  for (const TParameter& p : parameters) {
    if (!SameText(p.Path(), path)) continue;
    if (found)
      throw Error(file + ": \"" + path + "\" names two parameters (" + found->EntryName() + " and " +
                  p.EntryName() + ")");
    found = &p;
  }
  if (!found)
    throw Error(file + ": no parameter \"" + path + "\" (\"" + std::string(kProgramName) + " show " + file +
                "\" lists them)");
  return *found;
}

struct TChange {
  const TParameter* Parameter = nullptr;
  int32_t Position = 0;
};

void RunSet(const TSetOptions& options, const TCliContext& context) {
  std::vector<TAssignment> assignments;
  for (const std::string& text : options.Assignments) assignments.push_back(SplitAssignment(text));

  TTOVCarSetup setup;
  LoadSetup(setup, options.File);
  const std::vector<TParameter> parameters = LoadParameters(setup);

  // Every assignment is checked before anything is written; all refusals are reported.
  std::vector<TChange> changes;
  std::vector<std::string> refusals;
  for (const TAssignment& a : assignments) {
    try {
      const TParameter& p = FindParameter(parameters, a.Path, options.File);
      const std::string where = options.File + ": " + p.Path();
      for (const TChange& c : changes)
        if (c.Parameter == &p) throw Error(where + ": given more than once");
      const int32_t position = PositionOf(p, a.Value, where);
      const std::string text = ValueTextAt(p, position);
      double asked = 0, set = 0;
      std::string_view unit;
      if (p.Row && SplitNumber(a.Value, asked, unit) && SplitNumber(text, set, unit) &&
          std::fabs(asked - set) > 1e-9)
        PrintNote(where + ": " + a.Value + " snapped to the slider's step: " + text);
      changes.push_back({&p, position});
    } catch (const Error& e) {
      refusals.push_back(e.what());
    }
  }
  if (!refusals.empty()) {
    for (const std::string& r : refusals) PrintError(r);
    throw Error(options.File + ": nothing written");
  }

  for (const TChange& c : changes) {
    const TParameter& p = *c.Parameter;
    if (c.Position == p.Position) {
      std::cout << p.Path() << ": " << p.Value << " (unchanged)\n";
      continue;
    }
    std::cout << p.Path() << ": " << p.Value << " -> " << ValueTextAt(p, c.Position) << '\n';
    try {
      WriteParameter(setup, p, c.Position);
    } catch (const Error& e) {
      throw FileError(options.File, std::string(e.what()) + "; nothing written");
    }
  }
  if (options.DryRun) {
    std::cout << "dry run: " << options.File << " not written\n";
    return;
  }
  if (ChangedEntryCount(setup) == 0) return;
  SaveSetup(setup, context);
}

}  // namespace

void AddSetCommand(CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TSetOptions>();
  CLI::App* set = app.add_subcommand(
      "set", "Set parameters by path, in the units the window shows: \"Tyre/Left Front Pressure=250\"");
  set->add_option("FILE", options->File, "The setup file (.lsp) to change")->required();
  set->add_option(
         "NAME=VALUE", options->Assignments,
         "Heading/Caption=value, as \"show\" prints them; the value is snapped to the slider's step, "
         "a value outside the range is refused and nothing is written")
      ->required();
  set->add_flag("--dry-run", options->DryRun, "Print what would change; write nothing");
  set->callback([options, &context] { RunSet(*options, context); });
}

}  // namespace gw::cli
