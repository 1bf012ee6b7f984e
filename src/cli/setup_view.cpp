#include "cli/setup_view.h"

#include <algorithm>
#include <array>

#include "editor/catalogue_headings.h"
#include "editor/value_text.h"
#include "platform/ascii_text.h"

namespace gw::cli {

namespace {

// The texts go to terminals and JSON, so the degree sign is written in UTF-8 and the separator is a period
// whatever the locale: scripts read the same text everywhere.
const TValueTextFormat kTextFormat{'.', "\xC2\xB0"};

class TVectorSliderList final : public TSliderList {
 public:
  struct TEntry {
    std::string Caption;
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Value = 0;
  };
  std::vector<TEntry> Entries;

  int32_t Count() const override { return static_cast<int32_t>(Entries.size()); }
  int32_t Min(int32_t i) const override { return At(i).Min; }
  int32_t Max(int32_t i) const override { return At(i).Max; }
  int32_t Value(int32_t i) const override { return At(i).Value; }
  void SetValue(int32_t i, int32_t v) override { At(i).Value = std::clamp(v, At(i).Min, At(i).Max); }
  std::string Caption(int32_t i) const override { return At(i).Caption; }
  void SetCaption(int32_t i, const std::string& caption) override { At(i).Caption = caption; }
  void BeginUpdate() override {}
  void EndUpdate() override {}

 private:
  TEntry& At(int32_t i) { return Entries.at(static_cast<std::size_t>(i)); }
  const TEntry& At(int32_t i) const { return Entries.at(static_cast<std::size_t>(i)); }
};

// The window's controls as plain vectors, built from the catalogue as the window builds its lists.
class TVectorControls final : public TSetupControls {
 public:
  std::array<TVectorSliderList, kSetupListCount> Lists;
  std::array<bool, 3> Gear{};

  TVectorControls() {
    for (const TCatalogueRow& row : CatalogueRows())
      Lists.at(static_cast<std::size_t>(row.List))
          .Entries.push_back({std::string(row.Caption), row.Min, row.Max, row.First});
  }
  TSliderList& SliderList(TSetupList list) override { return Lists.at(static_cast<std::size_t>(list)); }
  bool GearChecked(TGearButton b) const override { return Gear.at(static_cast<std::size_t>(b)); }
  void SetGearChecked(TGearButton b, bool checked) override {
    Gear.at(static_cast<std::size_t>(b)) = checked;
  }
};

constexpr int32_t kGearCount = static_cast<int32_t>(std::size(GearButtonCaptions));

TParameter GearParameter(const TVectorControls& controls) {
  TParameter p;
  p.Page = SetupPageNames[0];
  p.Heading = kGearHeading;
  p.Caption = kGearCaption;
  p.Max = kGearCount - 1;
  p.Position = -1;
  for (int32_t b = 0; b < kGearCount; ++b)
    if (controls.Gear.at(static_cast<std::size_t>(b))) p.Position = b;
  p.Value = ValueTextAt(p, p.Position);
  return p;
}

}  // namespace

std::string TParameter::EntryName() const {
  if (!Row)
    return std::string(SetupSectionName(TSetupSection::Drive)) + "." +
           std::string(SetupKeyName(TSetupKey::DropGearId));
  return std::string(SetupSectionName(Row->Section)) + "." + SetupKeyText(Row->Key, Row->Point);
}

std::vector<TParameter> ReadParameters(const TTOVCarSetup& setup) {
  TVectorControls controls;
  SetupToSliders(setup, controls);
  std::vector<TParameter> parameters;
  parameters.reserve(CatalogueRows().size() + 1);
  for (const TCatalogueRow& row : CatalogueRows()) {
    const auto& entry =
        controls.Lists.at(static_cast<std::size_t>(row.List)).Entries.at(static_cast<std::size_t>(row.Item));
    TParameter p;
    p.Row = &row;
    p.Page = ListHeading(row.List).Page;
    p.Heading = ListTitle(row.List);
    p.Caption = entry.Caption;
    p.Min = row.Min;
    p.Max = row.Max;
    p.Position = entry.Value;
    p.Value = ValueTextAt(p, p.Position);
    parameters.push_back(std::move(p));
    // The gear buttons close the general page.
    if (row.List == TSetupList::Steering &&
        static_cast<std::size_t>(row.Item) + 1 == CatalogueRows(TSetupList::Steering).size())
      parameters.push_back(GearParameter(controls));
  }
  return parameters;
}

std::string ValueTextAt(const TParameter& parameter, int32_t position) {
  if (!parameter.Row)
    return position >= 0 && position < kGearCount ? std::string(GearButtonCaptions[position]) : std::string();
  const TValueText text = SliderValueText(parameter.Row->List, parameter.Row->Item, position, kTextFormat);
  return std::string(TrimBlanks(text.Text));
}

void WriteParameter(TTOVCarSetup& setup, const TParameter& parameter, int32_t position) {
  if (!parameter.Row) {
    GetSetupData(setup, TSetupSection::Drive, TSetupKey::DropGearId).SetInteger(kDropGearIds[position]);
    return;
  }
  const TCatalogueRow& row = *parameter.Row;
  const float value = FileFromSlider(row, position);
  GetSetupData(setup, row.Section, row.Key, row.Point).SetFloat(value);
  if (row.Mirror) GetSetupData(setup, *row.Mirror, row.Key, row.Point).SetFloat(value);
}

}  // namespace gw::cli
