// set FILE NAME=VALUE... [--dry-run]: sets parameters by their path, in the units the window shows.
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>

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

// The gear set by the caption of its button.
int32_t GearPosition(const TParameter& p, const std::string& value, const std::string& where) {
  std::string names;
  for (int32_t id = p.Min; id <= p.Max; ++id) {
    if (SameText(value, ValueTextAt(p, id))) return id;
    names += (names.empty() ? "" : id == p.Max ? " or " : ", ") + ValueTextAt(p, id);
  }
  throw Error(where + ": \"" + value + "\" is no gear set: use " + names);
}

// The position a value text stands for: the one whose text is nearest, halves away from zero. Refuses a
// value outside the range and a unit other than the one the window shows.
int32_t PositionOf(const TParameter& p, const std::string& value, const std::string& where) {
  if (p.Compare->Kind == TCompareKind::Gear) return GearPosition(p, value, where);
  const std::string minText = ValueTextAt(p, p.Min);
  double x = 0, shown = 0;
  std::string_view unit, shownUnit;
  SplitNumber(minText, shown, shownUnit);
  if (!SplitNumber(value, x, unit) || (!unit.empty() && !SameText(unit, shownUnit)))
    throw Error(where + ": \"" + value + "\" is no value in " +
                (shownUnit.empty() ? std::string("numbers") : std::string(shownUnit)) + " (for example " +
                (p.Value.Present ? p.Text : minText) + ")");
  const double low = std::min(NumberAt(p, p.Min), NumberAt(p, p.Max));
  const double high = std::max(NumberAt(p, p.Min), NumberAt(p, p.Max));
  if (!(x >= low - 1e-9 && x <= high + 1e-9))
    throw Error(where + ": " + value + " is outside the range " + minText + " to " + ValueTextAt(p, p.Max));
  int32_t best = p.Min;
  double bestDistance = INFINITY;
  for (int32_t v = p.Min; v <= p.Max; v += p.Step) {
    const double n = NumberAt(p, v), d = std::fabs(n - x);
    if (d < bestDistance - 1e-9 ||
        (d <= bestDistance + 1e-9 && std::fabs(n) > std::fabs(NumberAt(p, best)))) {
      best = v;
      bestDistance = d;
    }
  }
  return best;
}

// The parameter a path names, ignoring letter case.
const TParameter& FindParameter(const std::vector<TParameter>& parameters, const std::string& path,
                                const std::string& file) {
  for (const TParameter& p : parameters)
    if (SameText(p.Path(), path)) return p;
  throw Error(file + ": no parameter \"" + path + "\" (\"" + std::string(kProgramName) + " show " + file +
              "\" lists them)");
}

struct TChange {
  const TParameter* Parameter = nullptr;
  int32_t Position = 0;
};

// The position a parameter has once the changes are made.
int32_t PositionAfter(const TParameter& p, const std::vector<TChange>& changes) {
  for (const TChange& c : changes)
    if (c.Parameter == &p) return c.Position;
  return p.Value.Position;
}

// A speed map's velocities stay in order, as the velocity dialog keeps them: no point below the one before
// it or above the one after it (points whose velocity the file lacks bound nothing).
void CheckVelocityOrder(const std::vector<TParameter>& parameters, const std::vector<TChange>& changes,
                        const std::string& file) {
  for (const TChange& c : changes) {
    const TParameter& p = *c.Parameter;
    if (p.Compare->Kind != TCompareKind::Velocity) continue;
    for (const TParameter& q : parameters) {
      if (q.Compare->Kind != TCompareKind::Velocity || q.Compare->List != p.Compare->List || !q.Value.Present)
        continue;
      const int32_t mine = PositionAfter(p, changes), theirs = PositionAfter(q, changes);
      if ((q.Compare->Item == p.Compare->Item - 1 && theirs > mine) ||
          (q.Compare->Item == p.Compare->Item + 1 && theirs < mine))
        throw Error(file + ": " + p.Path() + ": " + ValueTextAt(p, mine) +
                    " would put the velocities out of order (" + q.Path() + " is " + ValueTextAt(q, theirs) +
                    ")");
    }
  }
}

void RunSet(const TSetOptions& options, TCliContext& context) {
  std::vector<TAssignment> assignments;
  for (const std::string& text : options.Assignments) assignments.push_back(SplitAssignment(text));

  TTOVCarSetup setup;
  LoadSetup(setup, options.File);
  const std::vector<TParameter> parameters = ReadParameters(setup);

  // Every assignment is checked before anything is written; all refusals are reported.
  std::vector<TChange> changes;
  std::vector<std::string> refusals;
  for (const TAssignment& a : assignments) {
    try {
      const TParameter& p = FindParameter(parameters, a.Path, options.File);
      const std::string where = options.File + ": " + p.Path();
      if (!p.Value.Present) throw Error(where + ": " + p.Value.Missing);
      for (const TChange& c : changes)
        if (c.Parameter == &p) throw Error(where + ": given more than once");
      const int32_t position = PositionOf(p, a.Value, where);
      const std::string text = ValueTextAt(p, position);
      double asked = 0, set = 0;
      std::string_view unit;
      if (SplitNumber(a.Value, asked, unit) && SplitNumber(text, set, unit) && std::fabs(asked - set) > 1e-9)
        PrintNote(where + ": " + a.Value + " snapped to the slider's step: " + text);
      changes.push_back({&p, position});
    } catch (const Error& e) {
      refusals.push_back(e.what());
    }
  }
  if (refusals.empty()) {
    try {
      CheckVelocityOrder(parameters, changes, options.File);
    } catch (const Error& e) {
      refusals.push_back(e.what());
    }
  }
  if (!refusals.empty()) {
    for (const std::string& r : refusals) PrintError(r);
    throw Error(options.File + ": nothing written");
  }

  // What changed is printed once it is written (or, for a dry run, once it would be).
  std::string report;
  for (const TChange& c : changes) {
    const TParameter& p = *c.Parameter;
    if (c.Position == p.Value.Position) {
      report += p.Path() + ": " + p.Text + " (unchanged)\n";
      continue;
    }
    report += p.Path() + ": " + p.Text + " -> " + ValueTextAt(p, c.Position) + '\n';
    try {
      WriteParameter(setup, p, c.Position);
    } catch (const Error& e) {
      throw FileError(options.File, std::string(e.what()) + "; nothing written");
    }
  }
  if (options.DryRun) {
    std::cout << report << "dry run: " << options.File << " not written\n";
    return;
  }
  if (ChangedEntryCount(setup) > 0) SaveSetup(setup, context);
  std::cout << report;
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
