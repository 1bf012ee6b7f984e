#include "editor/copy_values.h"

#include <algorithm>

#include "platform/error.h"
#include "setup/game_folders.h"

namespace gw {

namespace {

using S = TSetupSection;
using K = TSetupKey;

constexpr TCopyGroup Group(std::string_view caption, std::initializer_list<S> sections,
                           std::initializer_list<K> keys) {
  TCopyGroup g{caption};
  for (S s : sections) g.Sections[static_cast<std::size_t>(g.SectionCount++)] = s;
  for (K k : keys) g.Keys[static_cast<std::size_t>(g.KeyCount++)] = k;
  return g;
}

constexpr auto kCenterMap = {K::CenterDiffThrottle_, K::CenterDiffBrake_, K::CenterSpeedMapVelocity_,
                             K::CenterSpeedMapFactor_};

}  // namespace

// The captions are the dialog's texts as players know them, odd spacing included.
const std::array<TCopyGroup, kCopyGroupCount> CopyGroups = {{
    Group("Diff. Torque", {S::Drive}, {K::CenterDiffMaxTorque, K::FrontDiffMaxTorque, K::RearDiffMaxTorque}),
    Group("Handbrake Release", {S::VehicleControlUnit}, {K::CenterDiffHandbrakeRelease}),
    Group("Leftfoot Brake", {S::VehicleControlUnit}, {K::LeftFootBrakeThreshold}),
    Group("Brake Pressure", {S::Drive}, {K::MaxBrakePressureFront, K::MaxBrakePressureRear}),
    Group("Steering", {S::Car}, {K::MaxSteeringLock}),
    Group("Tyre Pressure", {S::TyreLF, S::TyreRF, S::TyreLB, S::TyreRB}, {K::Pressure}),
    Group("Gear", {S::Drive}, {K::DropGearId}),
    Group("Damper - Front", {S::SpringDamperLF, S::SpringDamperRF},
          {K::DampingBump, K::DampingRebound, K::DampingBumpHighSpeed, K::BumpHighSpeedBreak}),
    Group("Damper - Rear", {S::SpringDamperLB, S::SpringDamperRB},
          {K::DampingBump, K::DampingRebound, K::DampingBumpHighSpeed, K::BumpHighSpeedBreak}),
    Group("Spring - Front", {S::SpringDamperLF, S::SpringDamperRF},
          {K::SpringLength, K::SpringStiffness, K::HelperSpringLength, K::HelperSpringStiffness}),
    Group("Spring - Rear", {S::SpringDamperLB, S::SpringDamperRB},
          {K::SpringLength, K::SpringStiffness, K::HelperSpringLength, K::HelperSpringStiffness}),
    Group("Geometry - Front", {S::WheelLF, S::WheelRF},
          {K::SteeringRodLength, K::StrutPlatformHeight, K::WheelAxisInclination, K::TopMountSlot}),
    Group("Geometry -Rear", {S::WheelLB, S::WheelRB},
          {K::SteeringRodLength, K::StrutPlatformHeight, K::WheelAxisInclination}),
    Group("Rollbar - Front", {S::Car}, {K::FrontRollBarStiffness}),
    Group("Rollbar - Rear", {S::Car}, {K::RearRollBarStiffness}),
    Group("Diff.Map - Center", {S::VehicleControlUnit}, kCenterMap),
    Group("Diff.Map - L.F Center", {S::VehicleControlUnit},
          {K::LFCenterDiffThrottle_, K::LFCenterDiffBrake_, K::LFCenterSpeedMapVelocity_,
           K::LFCenterSpeedMapFactor_}),
    Group("Diff.Map - Front ", {S::VehicleControlUnit},
          {K::FrontDiffThrottle_, K::FrontDiffBrake_, K::FrontSpeedMapVelocity_, K::FrontSpeedMapFactor_}),
    Group("Diff.Map - Rear", {S::VehicleControlUnit},
          {K::RearDiffThrottle_, K::RearDiffBrake_, K::RearSpeedMapVelocity_, K::RearSpeedMapFactor_}),
    Group("Diff.Map - Throttle", {S::VehicleControlUnit},
          {K::CenterDiffThrottle_, K::LFCenterDiffThrottle_, K::FrontDiffThrottle_, K::RearDiffThrottle_}),
    Group("Diff.Map - Brake", {S::VehicleControlUnit},
          {K::CenterDiffBrake_, K::LFCenterDiffBrake_, K::FrontDiffBrake_, K::RearDiffBrake_}),
    Group("Diff.Map - Speed", {S::VehicleControlUnit},
          {K::CenterSpeedMapVelocity_, K::CenterSpeedMapFactor_, K::LFCenterSpeedMapVelocity_,
           K::LFCenterSpeedMapFactor_, K::FrontSpeedMapVelocity_, K::FrontSpeedMapFactor_,
           K::RearSpeedMapVelocity_, K::RearSpeedMapFactor_}),
}};

std::vector<TCopyPair> BuildCopyList(const std::vector<int>& selectedGroups) {
  std::vector<TCopyPair> list;
  for (int g = 0; g < kCopyGroupCount; ++g) {
    if (std::find(selectedGroups.begin(), selectedGroups.end(), g) == selectedGroups.end()) continue;
    const TCopyGroup& group = CopyGroups[static_cast<std::size_t>(g)];
    for (int s = 0; s < group.SectionCount; ++s)
      for (int k = 0; k < group.KeyCount; ++k)
        list.push_back(
            {group.Sections[static_cast<std::size_t>(s)], group.Keys[static_cast<std::size_t>(k)]});
  }
  return list;
}

void CopyEntryValue(const TTOVCarSetupData& source, TTOVCarSetupData& dest, const std::string& destPath) {
  if (source.IsFloat() != dest.IsFloat())
    throw Error("Invalid data.\nThe value mode is different.\nDestFile = " + destPath +
                "\nKey = " + std::string(dest.Name()));
  if (source.IsFloat())
    dest.SetFloat(source.FloatValue());
  else
    dest.SetInteger(source.IntValue());
}

namespace {

// An entry the copy needs; a missing one is reported with the file it is missing from.
TTOVCarSetupData& Entry(const TTOVCarSetup& setup, std::string_view section, const std::string& key,
                        const char* fileLabel, const std::string& path) {
  const TTOVCarSetupSection* s = setup.FindSection(section);
  TTOVCarSetupData* data = s ? s->FindData(key) : nullptr;
  if (!data)
    throw Error("Invalid data.\nThe key is missing.\n" + std::string(fileLabel) + " = " + path +
                "\nKey = " + std::string(section) + "." + key);
  return *data;
}

}  // namespace

void CopyValues(const TTOVCarSetup& source, TTOVCarSetup& dest, const std::vector<TCopyPair>& copyList) {
  const std::string& path = dest.FileName();
  for (const TCopyPair& pair : copyList) {
    const std::string_view section = SetupSectionName(pair.Section);
    const bool map = SetupKeyName(pair.Key).back() == '_';
    const int32_t first = map ? 0 : kNoPoint, last = map ? kMapPointCount - 1 : kNoPoint;
    for (int32_t p = first; p <= last; ++p) {
      const std::string key = SetupKeyText(pair.Key, p);
      TTOVCarSetupData& to = Entry(dest, section, key, "DestFile", path);
      const TTOVCarSetupData& from = Entry(source, section, key, "SourceFile", source.FileName());
      CopyEntryValue(from, to, path);
    }
  }
}

void CopyValuesToFile(const TTOVCarSetup& source, const std::string& installFolder,
                      const std::string& destName, const std::vector<TCopyPair>& copyList,
                      const std::function<void(const std::string& path)>& beforeSave) {
  TTOVCarSetup dest;
  dest.LoadFromFile(SetupFilePath(destName, installFolder));
  CopyValues(source, dest, copyList);
  if (beforeSave) beforeSave(dest.FileName());
  dest.SaveToFile();
}

}  // namespace gw
