#pragma once
// Any number of setups side by side through the parameter catalogue: every slider of the main window, the
// gear set and the velocity axes of the four speed maps, grouped by the main window's pages and headings,
// with the slider position and the value text each setup gives and whether it differs from the first.
//
// Plain data and functions: the compare window shows a comparison, a command line can print one.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/catalogue.h"
#include "editor/value_text.h"
#include "setup/car_setup.h"

namespace gw {

// ---- what is compared ----

enum class TCompareKind : uint8_t {
  Slider,    // an item of a slider list: its position
  Gear,      // the gear set: the DropGearId
  Velocity,  // a point of a speed map's velocity axis: whole kilometres per hour
};

struct TCompareGroup {
  std::string_view Page;
  std::string_view Heading;
  std::string Title;  // "General / Differential"
};

struct TCompareParameter {
  TCompareKind Kind = TCompareKind::Slider;
  TSetupList List = TSetupList::Diff;  // the slider list; for a velocity the speed map's list
  int32_t Item = 0;                    // the item; for a velocity the map point
  int32_t Group = 0;                   // index into CompareGroups()
  std::string Caption;                 // "Max Center Diff. Torque", "Front Bump", "Point 3 velocity"
};

// Every group in the main window's order, and every parameter group by group.
std::span<const TCompareGroup> CompareGroups();
std::span<const TCompareParameter> CompareParameters();

// ---- one setup's values ----

// One parameter of one setup: its position, or why the setup has none.
struct TSetupValue {
  bool Present = false;
  int32_t Position = 0;
  std::string Missing;  // the reason, when not present ("invalid data: Drive.DropGearId")
};

// One value per parameter, in CompareParameters() order.
using TSetupValues = std::vector<TSetupValue>;

// A document's values as the main window would show them after loading it: positions clamped into the
// sliders' ranges. An entry the document lacks gives a missing value with the reason; nothing raises.
TSetupValues ValuesFromSetup(const TTOVCarSetup& setup);
// What the controls show now, saved or not. No gear button checked, or a speed point without a velocity,
// gives a missing value.
TSetupValues ValuesFromControls(TSetupControls& controls);

// The value text of a position, exactly as the main window shows it.
std::string CompareValueText(const TCompareParameter& parameter, int32_t position,
                             const TValueTextFormat& format);

// ---- the comparison ----

struct TCompareCell {
  bool Present = false;
  int32_t Position = 0;
  std::string Text;       // the value text, or "missing: " and the reason
  int32_t Direction = 0;  // against the first setup: 1 higher, -1 lower, 0 equal or not comparable
  bool Differs = false;   // from the first setup (presence counts); never for the first setup itself
};

struct TCompareRow {
  std::size_t Parameter = 0;  // index into CompareParameters()
  bool Differs = false;       // some setup differs from the first
  std::vector<TCompareCell> Cells;
};

struct TComparison {
  std::vector<TCompareRow> Rows;  // one per parameter, in order
  int32_t DifferCount = 0;
};

// Setups compared against the first one. All value lists must hold one value per parameter.
TComparison CompareSetups(std::span<const TSetupValues> setups, const TValueTextFormat& format);

// How many parameters two setups show differently (a value one lacks and the other has counts), without
// value texts: for a count alone, as the history window gives one per kept version.
int32_t CountDifferences(const TSetupValues& a, const TSetupValues& b);

// "12 of 214 differ".
std::string DifferenceCountText(const TComparison& comparison);

}  // namespace gw
