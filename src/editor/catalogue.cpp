#include "editor/catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/number_text.h"

namespace gw {

namespace {

using L = TSetupList;
using S = TSetupSection;
using K = TSetupKey;

// ---- the table ----

constexpr TCatalogueRow Row(L list, int32_t item, std::string_view caption, int32_t min, int32_t max,
                            S section, K key, TConversion conversion, int32_t scale) {
  TCatalogueRow row;
  row.List = list;
  row.Item = item;
  row.Caption = caption;
  row.Min = min;
  row.Max = max;
  row.First = min;  // every list starts at the low end of its range
  row.Section = section;
  row.Key = key;
  row.Conversion = conversion;
  row.Scale = scale;
  return row;
}

// Integer read: slider = n div scale, file = v × scale.
constexpr TCatalogueRow Quotient(L list, int32_t item, std::string_view caption, int32_t min, int32_t max,
                                 S section, K key, int32_t scale) {
  return Row(list, item, caption, min, max, section, key, TConversion::Quotient, scale);
}

// Float read: slider = round(f × scale), file = v × unit.
constexpr TCatalogueRow Product(L list, int32_t item, std::string_view caption, int32_t min, int32_t max,
                                S section, K key, int32_t scale, double unit) {
  TCatalogueRow row = Row(list, item, caption, min, max, section, key, TConversion::Product, scale);
  row.Unit = unit;
  return row;
}

// Float read of a length above a base: slider = round((f × 1000 − base) / 5), file = (v × 5 + base) × 0.001.
constexpr TCatalogueRow Length(L list, int32_t item, std::string_view caption, int32_t min, int32_t max,
                               S section, K key, int32_t base) {
  TCatalogueRow row = Product(list, item, caption, min, max, section, key, 1000, 0.001);
  row.Offset = base;
  row.Step = 5;
  return row;
}

// The steering rod, in steps of 0.05 mm above a base: file = (v × 5 + base) / 100000.
constexpr TCatalogueRow RodLength(L list, int32_t item, int32_t max, S section, int32_t base) {
  TCatalogueRow row = Row(list, item, "Steering Rod Length", 0, max, section, K::SteeringRodLength,
                          TConversion::RodLength, 100000);
  row.Offset = base;
  row.Step = 5;
  return row;
}

// The suspension lists read the left wheel and write the left and then the right wheel of the axle.
constexpr TCatalogueRow Axle(TCatalogueRow row, S right) {
  row.Mirror = right;
  return row;
}

constexpr std::string_view kMapPointCaptions[kMapPointCount] = {"0%",  "10%", "20%", "30%", "40%", "50%",
                                                                "60%", "70%", "80%", "90%", "100%"};

constexpr K kMapKeys[] = {
    K::CenterDiffThrottle_,  K::CenterDiffBrake_,        K::CenterSpeedMapFactor_, K::LFCenterDiffThrottle_,
    K::LFCenterDiffBrake_,   K::LFCenterSpeedMapFactor_, K::FrontDiffThrottle_,    K::FrontDiffBrake_,
    K::FrontSpeedMapFactor_, K::RearDiffThrottle_,       K::RearDiffBrake_,        K::RearSpeedMapFactor_,
};

constexpr std::size_t kMapRows = std::size(kMapKeys) * kMapPointCount;
constexpr std::size_t kRowCount = 37 + kMapRows;

constexpr void AddDamper(std::array<TCatalogueRow, kRowCount>& rows, std::size_t& n, L list, S left,
                         S right) {
  rows[n++] = Axle(Quotient(list, 0, "Bump", 10, 100, left, K::DampingBump, 100), right);
  rows[n++] = Axle(Quotient(list, 1, "Rebound", 10, 100, left, K::DampingRebound, 100), right);
  rows[n++] = Axle(Quotient(list, 2, "Fast Bump", 10, 100, left, K::DampingBumpHighSpeed, 100), right);
  rows[n++] =
      Axle(Product(list, 3, "Fast Bump Threshold", 0, 50, left, K::BumpHighSpeedBreak, 10, 0.1), right);
}

constexpr void AddSpring(std::array<TCatalogueRow, kRowCount>& rows, std::size_t& n, L list, S left,
                         S right) {
  rows[n++] = Axle(Length(list, 0, "Spring Length", 0, 40, left, K::SpringLength, 150), right);
  rows[n++] = Axle(Quotient(list, 1, "Spring Stiffness", 15, 90, left, K::SpringStiffness, 1000), right);
  rows[n++] = Axle(Length(list, 2, "Helper Length", 0, 30, left, K::HelperSpringLength, 50), right);
  rows[n++] = Axle(Quotient(list, 3, "Helper Stiffness", 5, 30, left, K::HelperSpringStiffness, 1000), right);
}

constexpr std::array<TCatalogueRow, kRowCount> BuildCatalogue() {
  std::array<TCatalogueRow, kRowCount> rows{};
  std::size_t n = 0;

  rows[n++] = Quotient(L::Diff, 0, "Max Center Diff. Torque", 0, 90, S::Drive, K::CenterDiffMaxTorque, 10);
  rows[n++] = Quotient(L::Diff, 1, "Max Front Diff. Torque", 0, 90, S::Drive, K::FrontDiffMaxTorque, 10);
  rows[n++] = Quotient(L::Diff, 2, "Max Rear Diff. Torque", 0, 90, S::Drive, K::RearDiffMaxTorque, 10);
  rows[n++] = Product(L::Diff, 3, "Center Diff Handbrake Release", 0, 20, S::VehicleControlUnit,
                      K::CenterDiffHandbrakeRelease, 20, 0.05);
  rows[n++] = Product(L::Diff, 4, "Leftfoot Brake Threshold", 0, 20, S::VehicleControlUnit,
                      K::LeftFootBrakeThreshold, 20, 0.05);

  rows[n++] = Quotient(L::Brake, 0, "Max Front Pressure", 0, 1000, S::Drive, K::MaxBrakePressureFront, 10000);
  rows[n++] = Quotient(L::Brake, 1, "Max Rear Pressure", 0, 1000, S::Drive, K::MaxBrakePressureRear, 10000);

  rows[n++] = Quotient(L::Tyre, 0, "Left Front Pressure", 100, 300, S::TyreLF, K::Pressure, 1000);
  rows[n++] = Quotient(L::Tyre, 1, "Right Front Pressure", 100, 300, S::TyreRF, K::Pressure, 1000);
  rows[n++] = Quotient(L::Tyre, 2, "Left Rear Pressure", 100, 300, S::TyreLB, K::Pressure, 1000);
  rows[n++] = Quotient(L::Tyre, 3, "Right Rear Pressure", 100, 300, S::TyreRB, K::Pressure, 1000);

  rows[n++] = Product(L::Steering, 0, "Max Steering Lock", 50, 110, S::Car, K::MaxSteeringLock, 50, 0.02);

  AddDamper(rows, n, L::DamperFront, S::SpringDamperLF, S::SpringDamperRF);
  AddDamper(rows, n, L::DamperRear, S::SpringDamperLB, S::SpringDamperRB);
  AddSpring(rows, n, L::SpringFront, S::SpringDamperLF, S::SpringDamperRF);
  AddSpring(rows, n, L::SpringRear, S::SpringDamperLB, S::SpringDamperRB);

  rows[n++] = Axle(RodLength(L::GeometryFront, 0, 400, S::WheelLF, 33500), S::WheelRF);
  rows[n++] = Axle(Product(L::GeometryFront, 1, "Strut Platform Height", 0, 50, S::WheelLF,
                           K::StrutPlatformHeight, 1000, 0.001),
                   S::WheelRF);
  rows[n++] = Axle(Product(L::GeometryFront, 2, "Wheel Axis Inclination", -200, 0, S::WheelLF,
                           K::WheelAxisInclination, 1000, 0.001),
                   S::WheelRF);
  rows[n++] = Axle(Quotient(L::GeometryFront, 3, "Top Mount Position", 0, 6, S::WheelLF, K::TopMountSlot, 1),
                   S::WheelRF);
  // The rear wheels' TopMountSlot is neither read nor written.
  rows[n++] = Axle(RodLength(L::GeometryRear, 0, 200, S::WheelLB, 44500), S::WheelRB);
  rows[n++] = Axle(Product(L::GeometryRear, 1, "Strut Platform Height", 0, 50, S::WheelLB,
                           K::StrutPlatformHeight, 1000, 0.001),
                   S::WheelRB);
  rows[n++] = Axle(Product(L::GeometryRear, 2, "Wheel Axis Inclination", -100, 50, S::WheelLB,
                           K::WheelAxisInclination, 1000, 0.001),
                   S::WheelRB);

  rows[n++] =
      Quotient(L::Rollbar, 0, "Front Rollbar Stiffness", 0, 250, S::Car, K::FrontRollBarStiffness, 200);
  rows[n++] = Quotient(L::Rollbar, 1, "Rear Rollbar Stiffness", 0, 250, S::Car, K::RearRollBarStiffness, 200);

  for (std::size_t m = 0; m < std::size(kMapKeys); ++m) {
    const auto list = static_cast<L>(static_cast<int>(L::CenterThrottle) + static_cast<int>(m));
    const bool speed = m % 3 == 2;  // the speed maps' captions hold their velocity axis instead
    for (int32_t p = 0; p < kMapPointCount; ++p) {
      TCatalogueRow row = Product(list, p, speed ? "" : kMapPointCaptions[p], 0, 100, S::VehicleControlUnit,
                                  kMapKeys[m], 100, 0.01);
      row.Point = p;
      rows[n++] = row;
    }
  }
  return rows;
}

constexpr std::array<TCatalogueRow, kRowCount> kCatalogue = BuildCatalogue();

struct TRowRange {
  std::size_t First = 0;
  std::size_t Count = 0;
};

// Where each list's rows lie; the table holds them list by list, item by item.
constexpr std::array<TRowRange, kSetupListCount> BuildRanges() {
  std::array<TRowRange, kSetupListCount> ranges{};
  for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
    auto& r = ranges[static_cast<std::size_t>(kCatalogue[i].List)];
    if (r.Count == 0) r.First = i;
    ++r.Count;
  }
  return ranges;
}

constexpr std::array<TRowRange, kSetupListCount> kRanges = BuildRanges();

constexpr bool TableIsOrdered() {
  for (std::size_t l = 0; l < kRanges.size(); ++l) {
    if (kRanges[l].Count == 0) return false;
    for (std::size_t i = 0; i < kRanges[l].Count; ++i) {
      const TCatalogueRow& row = kCatalogue[kRanges[l].First + i];
      if (static_cast<std::size_t>(row.List) != l || row.Item != static_cast<int32_t>(i)) return false;
    }
  }
  return true;
}
static_assert(TableIsOrdered(), "every list needs rows, item by item, without gaps");

// ---- arithmetic ----

// A result far outside any slider range still has to be some integer; the slider clamps it.
int32_t Saturate(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (x <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(x);
}

// To the nearest integer, ties to the even neighbour (the default rounding mode).
int32_t RoundHalfEven(double x) {
  return Saturate(std::nearbyint(x));
}

// ---- finding entries ----

// Finds the entries of one transfer. The catalogue asks for keys mostly in the order the game writes them,
// so each section's search starts after the entry found last and wraps around. That finds what a search
// from the start finds, because the document never holds two keys of a section that are equal ignoring
// case; it turns the few hundred look-ups of a transfer from a scan each into a step each.
class TEntryFinder {
 public:
  explicit TEntryFinder(const TTOVCarSetup& setup) : setup_(setup) {}

  TTOVCarSetupData& Find(TSetupSection section, TSetupKey key, int32_t point) {
    const auto s = static_cast<std::size_t>(section);
    const std::string_view sectionName = SetupSectionNames[s];
    if (!sections_[s]) {
      sections_[s] = setup_.FindSection(sectionName);
      if (!sections_[s]) throw Error("invalid section: " + std::string(sectionName));
    }
    const TTOVCarSetupSection& found = *sections_[s];
    const std::string keyText = SetupKeyText(key, point);
    const int32_t count = found.Count();
    for (int32_t n = 0, i = next_[s]; n < count; ++n, i = i + 1 < count ? i + 1 : 0) {
      TTOVCarSetupData* data = found.GetData(i);
      if (!SameText(data->Name(), keyText)) continue;
      next_[s] = i + 1 < count ? i + 1 : 0;
      return *data;
    }
    throw Error("invalid data: " + std::string(sectionName) + "." + keyText);
  }

  int32_t ReadInt(TSetupSection section, TSetupKey key) {
    const TTOVCarSetupData& data = Find(section, key, kNoPoint);
    return data.IsFloat() ? RoundHalfEven(data.FloatValue()) : data.IntValue();
  }

  float ReadFloat(TSetupSection section, TSetupKey key, int32_t point) {
    const TTOVCarSetupData& data = Find(section, key, point);
    if (!data.IsFloat()) throw Error("invalid data: " + std::string(data.Name()));
    return data.FloatValue();
  }

 private:
  const TTOVCarSetup& setup_;
  std::array<const TTOVCarSetupSection*, std::size(SetupSectionNames)> sections_{};
  std::array<int32_t, std::size(SetupSectionNames)> next_{};
};

// ---- transfers ----

// The items a list and its rows have in common: the lists are built from the rows, so normally all.
int32_t ItemCount(const TSliderList& list, std::span<const TCatalogueRow> rows) {
  return std::clamp<int32_t>(list.Count(), 0, static_cast<int32_t>(rows.size()));
}

int32_t PointCount(const TSliderList& list) {
  return std::clamp<int32_t>(list.Count(), 0, kMapPointCount);
}

void ListFromSetup(TEntryFinder& finder, TSetupControls& controls, TSetupList list) {
  TSliderList& sliders = controls.SliderList(list);
  const auto rows = CatalogueRows(list);
  const int32_t count = ItemCount(sliders, rows);
  for (int32_t i = 0; i < count; ++i) {
    const TCatalogueRow& row = rows[static_cast<std::size_t>(i)];
    const int32_t v = row.Conversion == TConversion::Quotient
                          ? SliderFromInt(row, finder.ReadInt(row.Section, row.Key))
                          : SliderFromFloat(row, finder.ReadFloat(row.Section, row.Key, row.Point));
    sliders.SetValue(i, v);
  }
}

void ListToSetup(TEntryFinder& finder, TSetupControls& controls, TSetupList list) {
  TSliderList& sliders = controls.SliderList(list);
  const auto rows = CatalogueRows(list);
  const int32_t count = ItemCount(sliders, rows);
  for (int32_t i = 0; i < count; ++i) {
    const TCatalogueRow& row = rows[static_cast<std::size_t>(i)];
    const float value = FileFromSlider(row, sliders.Value(i));
    finder.Find(row.Section, row.Key, row.Point).SetFloat(value);
    if (row.Mirror) finder.Find(*row.Mirror, row.Key, row.Point).SetFloat(value);
  }
}

constexpr TGearButton kGearButtons[] = {TGearButton::Short, TGearButton::Medium, TGearButton::Long};

constexpr L kMapLists[] = {L::CenterThrottle, L::CenterBrake,   L::CenterSpeed,   L::LFCenterThrottle,
                           L::LFCenterBrake,  L::LFCenterSpeed, L::FrontThrottle, L::FrontBrake,
                           L::FrontSpeed,     L::RearThrottle,  L::RearBrake,     L::RearSpeed};

}  // namespace

std::span<const TCatalogueRow> CatalogueRows() {
  return kCatalogue;
}

std::span<const TCatalogueRow> CatalogueRows(TSetupList list) {
  const TRowRange& r = kRanges.at(static_cast<std::size_t>(list));
  return std::span<const TCatalogueRow>(kCatalogue).subspan(r.First, r.Count);
}

std::string SetupKeyText(TSetupKey key, int32_t point) {
  std::string text(SetupKeyName(key));
  if (point == kNoPoint) return text;
  // "%.2d": at least two digits, the sign before them.
  std::string digits = FormatInt(std::abs(static_cast<int64_t>(point)));
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  if (point < 0) text.push_back('-');
  return text + digits;
}

int32_t SliderFromInt(const TCatalogueRow& row, int32_t n) {
  return n / row.Scale;
}

int32_t SliderFromFloat(const TCatalogueRow& row, float f) {
  return RoundHalfEven((static_cast<double>(f) * row.Scale - row.Offset) / row.Step);
}

float FileFromSlider(const TCatalogueRow& row, int32_t v) {
  // The whole step count is formed first, then scaled into file units.
  const auto steps = static_cast<double>(static_cast<int64_t>(v) * row.Step + row.Offset);
  switch (row.Conversion) {
    case TConversion::Quotient:
      return static_cast<float>(static_cast<double>(v) * row.Scale);
    case TConversion::Product:
      return static_cast<float>(steps * row.Unit);
    case TConversion::RodLength:
      return static_cast<float>(steps / row.Scale);
  }
  return 0;
}

std::string KmhCaption(int32_t kmh) {
  return FormatInt(kmh) + "km/h";
}

bool KmhFromCaption(std::string_view caption, int32_t& kmh) {
  if (caption.size() < 4) return false;
  return TryStrToInt(caption.substr(0, caption.size() - 4), kmh);
}

int32_t KmhFromVelocity(float metresPerSecond) {
  return RoundHalfEven(static_cast<double>(metresPerSecond) * 3.6);
}

float VelocityFromKmh(int32_t kmh) {
  return static_cast<float>(kmh / 3.6);
}

TTOVCarSetupData& GetSetupData(const TTOVCarSetup& setup, TSetupSection section, TSetupKey key,
                               int32_t point) {
  return TEntryFinder(setup).Find(section, key, point);
}

int32_t ReadSetupInt(const TTOVCarSetup& setup, TSetupSection section, TSetupKey key) {
  return TEntryFinder(setup).ReadInt(section, key);
}

float ReadSetupFloat(const TTOVCarSetup& setup, TSetupSection section, TSetupKey key, int32_t point) {
  return TEntryFinder(setup).ReadFloat(section, key, point);
}

void SetupToSliders(const TTOVCarSetup& setup, TSetupControls& controls) {
  TEntryFinder finder(setup);
  ListFromSetup(finder, controls, L::Diff);
  ListFromSetup(finder, controls, L::Brake);
  ListFromSetup(finder, controls, L::Tyre);

  const int32_t gear = finder.ReadInt(S::Drive, K::DropGearId);
  for (std::size_t b = 0; b < std::size(kGearButtons); ++b)
    controls.SetGearChecked(kGearButtons[b], gear == kDropGearIds[b]);

  for (L list : {L::Steering, L::DamperFront, L::DamperRear, L::SpringFront, L::SpringRear, L::GeometryFront,
                 L::GeometryRear, L::Rollbar})
    ListFromSetup(finder, controls, list);
  for (L list : kMapLists) ListFromSetup(finder, controls, list);

  for (const TVelocityAxis& axis : SpeedMapVelocityAxes) {
    TSliderList& sliders = controls.SliderList(axis.List);
    TUpdateBatch batch(sliders);
    const int32_t count = PointCount(sliders);
    for (int32_t p = 0; p < count; ++p)
      sliders.SetCaption(p,
                         KmhCaption(KmhFromVelocity(finder.ReadFloat(S::VehicleControlUnit, axis.Key, p))));
  }
}

void SlidersToSetup(TTOVCarSetup& setup, TSetupControls& controls) {
  TEntryFinder finder(setup);
  for (L list : {L::Diff, L::Brake, L::Steering, L::Tyre}) ListToSetup(finder, controls, list);

  for (std::size_t b = 0; b < std::size(kGearButtons); ++b) {
    if (!controls.GearChecked(kGearButtons[b])) continue;
    finder.Find(S::Drive, K::DropGearId, kNoPoint).SetInteger(kDropGearIds[b]);
    break;
  }

  for (L list : {L::DamperFront, L::DamperRear, L::SpringFront, L::SpringRear, L::GeometryFront,
                 L::GeometryRear, L::Rollbar})
    ListToSetup(finder, controls, list);
  for (L list : kMapLists) ListToSetup(finder, controls, list);

  for (const TVelocityAxis& axis : SpeedMapVelocityAxes) {
    TSliderList& sliders = controls.SliderList(axis.List);
    const int32_t count = PointCount(sliders);
    for (int32_t p = 0; p < count; ++p) {
      TTOVCarSetupData& data = finder.Find(S::VehicleControlUnit, axis.Key, p);
      const std::string caption = sliders.Caption(p);
      int32_t kmh = 0;
      // Only a list that never received a file's velocities has captions that are no numbers.
      if (!KmhFromCaption(caption, kmh)) throw Error("invalid velocity: " + caption);
      data.SetFloat(VelocityFromKmh(kmh));
    }
  }
}

}  // namespace gw
