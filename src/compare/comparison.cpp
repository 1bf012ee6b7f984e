#include "compare/comparison.h"

#include <algorithm>
#include <exception>
#include <iterator>

#include "editor/setup_pages.h"
#include "platform/error.h"
#include "platform/number_text.h"

namespace gw {

namespace {

using L = TSetupList;

bool IsSpeedList(L list) {
  return std::any_of(std::begin(SpeedMapVelocityAxes), std::end(SpeedMapVelocityAxes),
                     [list](const TVelocityAxis& axis) { return axis.List == list; });
}

TSetupKey VelocityKey(L list) {
  for (const TVelocityAxis& axis : SpeedMapVelocityAxes)
    if (axis.List == list) return axis.Key;
  throw Error("no velocity axis: " + std::string(SetupListName(list)));
}

std::string PointText(int32_t point) {
  return "Point " + FormatInt(point);
}

struct TTables {
  std::vector<TCompareGroup> Groups;
  std::vector<TCompareParameter> Parameters;

  // A new group for a page and heading not met just before, else the current one.
  int32_t GroupOf(std::string_view page, std::string_view heading) {
    if (Groups.empty() || Groups.back().Page != page || Groups.back().Heading != heading)
      Groups.push_back({page, heading, std::string(page) + " / " + std::string(heading)});
    return static_cast<int32_t>(Groups.size()) - 1;
  }

  void AddList(L list) {
    const TSetupListPlace& place = SetupListPlace(list);
    const int32_t group = GroupOf(place.Page, place.Heading);
    const bool speed = IsSpeedList(list);
    for (const TCatalogueRow& row : CatalogueRows(list)) {
      if (speed) {
        Parameters.push_back(
            {TCompareKind::Velocity, list, row.Item, group, PointText(row.Item) + " velocity"});
        Parameters.push_back({TCompareKind::Slider, list, row.Item, group, PointText(row.Item) + " factor"});
        continue;
      }
      std::string caption(row.Caption);
      if (!place.Side.empty()) caption = std::string(place.Side) + " " + caption;
      Parameters.push_back({TCompareKind::Slider, list, row.Item, group, std::move(caption)});
    }
  }

  TTables() {
    for (L list : {L::Diff, L::Brake, L::Tyre, L::Steering}) AddList(list);
    Parameters.push_back({TCompareKind::Gear, L::Diff, 0, GroupOf(kPageGeneral, kGearHeading), "Gear set"});
    // The suspension lists and the twelve maps follow in the main window's order.
    for (int l = static_cast<int>(L::DamperFront); l < kSetupListCount; ++l) AddList(static_cast<L>(l));
  }
};

const TTables& Tables() {
  static const TTables tables;
  return tables;
}

TSetupValue Missing(std::string reason) {
  TSetupValue v;
  v.Missing = std::move(reason);
  return v;
}

TSetupValue Present(int32_t position) {
  TSetupValue v;
  v.Present = true;
  v.Position = position;
  return v;
}

int32_t SliderPosition(const TTOVCarSetup& setup, const TCatalogueRow& row) {
  const int32_t v = row.Conversion == TConversion::Quotient
                        ? SliderFromInt(row, ReadSetupInt(setup, row.Section, row.Key))
                        : SliderFromFloat(row, ReadSetupFloat(setup, row.Section, row.Key, row.Point));
  return std::clamp(v, row.Min, row.Max);  // as the slider stores it
}

TSetupValue ValueFromSetup(const TTOVCarSetup& setup, const TCompareParameter& p) {
  try {
    switch (p.Kind) {
      case TCompareKind::Slider:
        return Present(SliderPosition(setup, CatalogueRows(p.List)[static_cast<std::size_t>(p.Item)]));
      case TCompareKind::Gear:
        return Present(ReadSetupInt(setup, TSetupSection::Drive, TSetupKey::DropGearId));
      case TCompareKind::Velocity:
        return Present(KmhFromVelocity(
            ReadSetupFloat(setup, TSetupSection::VehicleControlUnit, VelocityKey(p.List), p.Item)));
    }
  } catch (const std::exception& e) {
    return Missing(e.what());
  }
  return Missing("unknown parameter");
}

TSetupValue ValueFromControls(TSetupControls& controls, const TCompareParameter& p) {
  if (p.Kind == TCompareKind::Gear) {
    for (std::size_t b = 0; b < std::size(kDropGearIds); ++b)
      if (controls.GearChecked(static_cast<TGearButton>(b))) return Present(kDropGearIds[b]);
    return Missing("no gear set chosen");
  }
  TSliderList& list = controls.SliderList(p.List);
  if (p.Item >= list.Count()) return Missing("no slider: " + p.Caption);
  if (p.Kind == TCompareKind::Slider) return Present(list.Value(p.Item));
  const std::string caption = list.Caption(p.Item);
  int32_t kmh = 0;
  if (!KmhFromCaption(caption, kmh)) return Missing("invalid velocity: " + caption);
  return Present(kmh);
}

TCompareCell Cell(const TCompareParameter& parameter, const TSetupValue& value,
                  const TValueTextFormat& format) {
  TCompareCell cell;
  cell.Present = value.Present;
  cell.Position = value.Position;
  cell.Text =
      value.Present ? CompareValueText(parameter, value.Position, format) : "missing: " + value.Missing;
  return cell;
}

// A value differs from another by its position, or by being there when the other is not.
bool Differ(const TSetupValue& a, const TSetupValue& b) {
  return a.Present != b.Present || (a.Present && a.Position != b.Position);
}

}  // namespace

std::span<const TCompareGroup> CompareGroups() {
  return Tables().Groups;
}

std::span<const TCompareParameter> CompareParameters() {
  return Tables().Parameters;
}

TSetupValues ValuesFromSetup(const TTOVCarSetup& setup) {
  TSetupValues values;
  values.reserve(CompareParameters().size());
  for (const TCompareParameter& p : CompareParameters()) values.push_back(ValueFromSetup(setup, p));
  return values;
}

TSetupValues ValuesFromControls(TSetupControls& controls) {
  TSetupValues values;
  values.reserve(CompareParameters().size());
  for (const TCompareParameter& p : CompareParameters()) values.push_back(ValueFromControls(controls, p));
  return values;
}

std::string CompareValueText(const TCompareParameter& parameter, int32_t position,
                             const TValueTextFormat& format) {
  switch (parameter.Kind) {
    case TCompareKind::Slider:
      return SliderValueText(parameter.List, parameter.Item, position, format).Text;
    case TCompareKind::Gear:
      for (std::size_t b = 0; b < std::size(kDropGearIds); ++b)
        if (kDropGearIds[b] == position) return std::string(GearButtonCaptions[b]);
      return "DropGearId " + FormatInt(position);  // no button of the main window stands for it
    case TCompareKind::Velocity:
      return KmhCaption(position);
  }
  return {};
}

TComparison CompareSetups(std::span<const TSetupValues> setups, const TValueTextFormat& format) {
  const auto parameters = CompareParameters();
  for (const TSetupValues& values : setups)
    if (values.size() != parameters.size()) throw Error("a setup's values do not match the parameters");
  TComparison comparison;
  comparison.Rows.resize(parameters.size());
  for (std::size_t r = 0; r < parameters.size(); ++r) {
    TCompareRow& row = comparison.Rows[r];
    row.Parameter = r;
    row.Cells.reserve(setups.size());
    for (const TSetupValues& values : setups) {
      TCompareCell cell = Cell(parameters[r], values[r], format);
      if (!row.Cells.empty()) {
        const TCompareCell& first = row.Cells.front();
        cell.Differs = Differ(setups.front()[r], values[r]);
        if (first.Present && cell.Present)
          cell.Direction = (cell.Position > first.Position) - (cell.Position < first.Position);
      }
      row.Differs = row.Differs || cell.Differs;
      row.Cells.push_back(std::move(cell));
    }
    if (row.Differs) ++comparison.DifferCount;
  }
  return comparison;
}

int32_t CountDifferences(const TSetupValues& a, const TSetupValues& b) {
  if (a.size() != b.size()) throw Error("a setup's values do not match the parameters");
  int32_t count = 0;
  for (std::size_t i = 0; i < a.size(); ++i) count += Differ(a[i], b[i]);
  return count;
}

std::string DifferenceCountText(const TComparison& comparison) {
  return FormatInt(comparison.DifferCount) + " of " +
         FormatInt(static_cast<int64_t>(comparison.Rows.size())) + " differ";
}

}  // namespace gw
