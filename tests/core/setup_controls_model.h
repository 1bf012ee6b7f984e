#pragma once
// The editor's controls as plain vectors: what the transfers need of the slider lists and gear buttons,
// built from the catalogue the way the main window builds its lists.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "editor/catalogue.h"

namespace gw::test {

class TPlainSliderList final : public TSliderList {
 public:
  struct Entry {
    std::string Caption;
    int32_t Min = 0;
    int32_t Max = 10;
    int32_t Value = 0;
  };

  std::vector<Entry> Entries;
  int32_t UpdateCount = 0;
  int32_t Batches = 0;  // outermost EndUpdate calls: the list repaints once for each

  int32_t Count() const override { return static_cast<int32_t>(Entries.size()); }
  int32_t Min(int32_t i) const override { return At(i).Min; }
  int32_t Max(int32_t i) const override { return At(i).Max; }
  int32_t Value(int32_t i) const override { return At(i).Value; }
  void SetValue(int32_t i, int32_t v) override { At(i).Value = std::max(std::min(v, At(i).Max), At(i).Min); }
  std::string Caption(int32_t i) const override { return At(i).Caption; }
  void SetCaption(int32_t i, const std::string& caption) override { At(i).Caption = caption; }
  void BeginUpdate() override { ++UpdateCount; }
  void EndUpdate() override {
    if (--UpdateCount == 0) ++Batches;
  }

  std::vector<int32_t> Values() const {
    std::vector<int32_t> values;
    for (const Entry& e : Entries) values.push_back(e.Value);
    return values;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const Entry& e : Entries) captions.push_back(e.Caption);
    return captions;
  }

 private:
  Entry& At(int32_t i) { return Entries.at(static_cast<std::size_t>(i)); }
  const Entry& At(int32_t i) const { return Entries.at(static_cast<std::size_t>(i)); }
};

class TPlainSetupControls final : public TSetupControls {
 public:
  std::array<TPlainSliderList, kSetupListCount> Lists;
  std::array<bool, 3> Gear{};

  // Captions, ranges and first values from the catalogue; no gear checked.
  TPlainSetupControls() {
    for (const TCatalogueRow& row : CatalogueRows())
      List(row.List).Entries.push_back({std::string(row.Caption), row.Min, row.Max, row.First});
  }

  TPlainSliderList& List(TSetupList list) { return Lists.at(static_cast<std::size_t>(list)); }
  const TPlainSliderList& List(TSetupList list) const { return Lists.at(static_cast<std::size_t>(list)); }

  TSliderList& SliderList(TSetupList list) override { return List(list); }
  bool GearChecked(TGearButton b) const override { return Gear.at(static_cast<std::size_t>(b)); }
  void SetGearChecked(TGearButton b, bool checked) override {
    Gear.at(static_cast<std::size_t>(b)) = checked;
  }
};

}  // namespace gw::test
