#include "cli/setup_view.h"

#include "editor/catalogue.h"
#include "editor/setup_pages.h"
#include "platform/ascii_text.h"

namespace gw::cli {

const TValueTextFormat kTextFormat{'.', "\xC2\xB0"};

namespace {

// The velocity dialog's range: 0 to 126 steps of 2 km/h.
constexpr int32_t kMaxKmh = 252;
constexpr int32_t kKmhStep = 2;

const TCatalogueRow& RowOf(const TCompareParameter& p) {
  return CatalogueRows(p.List)[static_cast<std::size_t>(p.Item)];
}

TSetupKey VelocityKeyOf(TSetupList list) {
  for (const TVelocityAxis& axis : SpeedMapVelocityAxes)
    if (axis.List == list) return axis.Key;
  return TSetupKey::CenterSpeedMapVelocity_;
}

}  // namespace

std::string TParameter::EntryName() const {
  switch (Compare->Kind) {
    case TCompareKind::Slider: {
      const TCatalogueRow& row = RowOf(*Compare);
      return std::string(SetupSectionName(row.Section)) + "." + SetupKeyText(row.Key, row.Point);
    }
    case TCompareKind::Gear:
      return std::string(SetupSectionName(TSetupSection::Drive)) + "." +
             std::string(SetupKeyName(TSetupKey::DropGearId));
    case TCompareKind::Velocity:
      return std::string(SetupSectionName(TSetupSection::VehicleControlUnit)) + "." +
             SetupKeyText(VelocityKeyOf(Compare->List), Compare->Item);
  }
  return {};
}

std::string_view TParameter::KindName() const {
  switch (Compare->Kind) {
    case TCompareKind::Slider:
      return "slider";
    case TCompareKind::Gear:
      return "gear";
    case TCompareKind::Velocity:
      return "velocity";
  }
  return {};
}

std::vector<TParameter> ReadParameters(const TTOVCarSetup& setup) {
  const auto parameters = CompareParameters();
  const auto groups = CompareGroups();
  TSetupValues values = ValuesFromSetup(setup);
  std::vector<TParameter> result;
  result.reserve(parameters.size());
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const TCompareParameter& c = parameters[i];
    TParameter p;
    p.Compare = &c;
    p.Index = i;
    const TCompareGroup& group = groups[static_cast<std::size_t>(c.Group)];
    p.Page = group.Page;
    p.Heading = group.Heading;
    switch (c.Kind) {
      case TCompareKind::Slider:
        p.Min = RowOf(c).Min;
        p.Max = RowOf(c).Max;
        break;
      case TCompareKind::Gear:
        p.Min = kDropGearIds[0];
        p.Max = kDropGearIds[std::size(kDropGearIds) - 1];
        break;
      case TCompareKind::Velocity:
        p.Max = kMaxKmh;
        p.Step = kKmhStep;
        break;
    }
    p.Value = std::move(values[i]);
    if (p.Value.Present) p.Text = ValueTextAt(p, p.Value.Position);
    result.push_back(std::move(p));
  }
  return result;
}

std::string ValueTextAt(const TParameter& parameter, int32_t position) {
  return std::string(TrimBlanks(CompareValueText(*parameter.Compare, position, kTextFormat)));
}

void WriteParameter(TTOVCarSetup& setup, const TParameter& parameter, int32_t position) {
  const TCompareParameter& c = *parameter.Compare;
  switch (c.Kind) {
    case TCompareKind::Slider: {
      const TCatalogueRow& row = RowOf(c);
      const float value = FileFromSlider(row, position);
      GetSetupData(setup, row.Section, row.Key, row.Point).SetFloat(value);
      if (row.Mirror) GetSetupData(setup, *row.Mirror, row.Key, row.Point).SetFloat(value);
      return;
    }
    case TCompareKind::Gear:
      GetSetupData(setup, TSetupSection::Drive, TSetupKey::DropGearId).SetInteger(position);
      return;
    case TCompareKind::Velocity:
      GetSetupData(setup, TSetupSection::VehicleControlUnit, VelocityKeyOf(c.List), c.Item)
          .SetFloat(VelocityFromKmh(position));
      return;
  }
}

}  // namespace gw::cli
