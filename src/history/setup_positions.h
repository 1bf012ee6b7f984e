#pragma once
// The editor's positions of one setup without any window: every slider position, the speed maps' velocity
// captions and the gear. Versions are compared through it, parameter by parameter, as the editor sees them.

#include <array>
#include <string>
#include <vector>

#include "editor/catalogue.h"

namespace gw {

class TPositionList final : public TSliderList {
 public:
  struct Entry {
    std::string Caption;
    int32_t Min = 0;
    int32_t Max = 10;
    int32_t Value = 0;
    bool operator==(const Entry&) const = default;
  };
  std::vector<Entry> Entries;

  int32_t Count() const override { return static_cast<int32_t>(Entries.size()); }
  int32_t Min(int32_t i) const override { return Entries[static_cast<std::size_t>(i)].Min; }
  int32_t Max(int32_t i) const override { return Entries[static_cast<std::size_t>(i)].Max; }
  int32_t Value(int32_t i) const override { return Entries[static_cast<std::size_t>(i)].Value; }
  void SetValue(int32_t i, int32_t value) override;
  std::string Caption(int32_t i) const override { return Entries[static_cast<std::size_t>(i)].Caption; }
  void SetCaption(int32_t i, const std::string& caption) override {
    Entries[static_cast<std::size_t>(i)].Caption = caption;
  }
  void BeginUpdate() override {}
  void EndUpdate() override {}
};

class TSetupPositions final : public TSetupControls {
 public:
  // Captions, ranges and first values from the catalogue; no gear checked.
  TSetupPositions();

  std::array<TPositionList, kSetupListCount> Lists;
  std::array<bool, 3> Gear{};

  TSliderList& SliderList(TSetupList list) override { return Lists[static_cast<std::size_t>(list)]; }
  bool GearChecked(TGearButton button) const override { return Gear[static_cast<std::size_t>(button)]; }
  void SetGearChecked(TGearButton button, bool checked) override {
    Gear[static_cast<std::size_t>(button)] = checked;
  }
};

// The positions of a setup file as the editor would show them; false when the file cannot be read or lacks an
// entry the editor needs.
bool ReadSetupPositions(const std::string& path, TSetupPositions& positions);

// How many parameters the editor would show differently: slider positions, velocities and the gear each
// count one.
int CountChangedParameters(const TSetupPositions& a, const TSetupPositions& b);

}  // namespace gw
