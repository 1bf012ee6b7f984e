#pragma once
// The parameter catalogue: which setup entries each slider of the editor stands for, and how a file value
// becomes a slider position and back. The catalogue is one constant table; the transfers and the windows
// that build their lists read it, so captions, ranges and conversions exist once.
//
// The transfers work on small abstract controls (TSliderList, TSetupControls) so that they run without any
// window: the slider list box implements them in the program, plain vectors do in the tests.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "setup/car_setup.h"

namespace gw {

// ---- names of the file ----

// clang-format off
// Positions in SetupSectionNames.
enum class TSetupSection : uint8_t {
  Car, Drive, VehicleControlUnit,
  WheelLF, WheelRF, WheelLB, WheelRB,
  SpringDamperLF, SpringDamperRF, SpringDamperLB, SpringDamperRB,
  TyreLF, TyreRF, TyreLB, TyreRB,
};
inline constexpr std::string_view SetupSectionNames[] = {
    "Car", "Drive", "VehicleControlUnit",
    "WheelLF", "WheelRF", "WheelLB", "WheelRB",
    "SpringDamperLF", "SpringDamperRF", "SpringDamperLB", "SpringDamperRB",
    "TyreLF", "TyreRF", "TyreLB", "TyreRB",
};

// Positions in SetupKeyNames. Keys that end in "_" name a map of 11 points, suffixed "00" to "10".
enum class TSetupKey : uint8_t {
  MaxSteeringLock, FrontRollBarStiffness, RearRollBarStiffness,
  CenterDiffMaxTorque, FrontDiffMaxTorque, RearDiffMaxTorque,
  MaxBrakePressureFront, MaxBrakePressureRear, DropGearId,
  CenterDiffHandbrakeRelease, LeftFootBrakeThreshold,
  CenterDiffThrottle_, CenterDiffBrake_, CenterSpeedMapVelocity_, CenterSpeedMapFactor_,
  LFCenterDiffThrottle_, LFCenterDiffBrake_, LFCenterSpeedMapVelocity_, LFCenterSpeedMapFactor_,
  FrontDiffThrottle_, FrontDiffBrake_, FrontSpeedMapVelocity_, FrontSpeedMapFactor_,
  RearDiffThrottle_, RearDiffBrake_, RearSpeedMapVelocity_, RearSpeedMapFactor_,
  TopMountSlot, SteeringRodLength, StrutPlatformHeight, WheelAxisInclination,
  SpringLength, SpringStiffness, HelperSpringLength, HelperSpringStiffness,
  DampingBump, DampingRebound, BumpHighSpeedBreak, DampingBumpHighSpeed,
  Pressure,
};
inline constexpr std::string_view SetupKeyNames[] = {
    "MaxSteeringLock", "FrontRollBarStiffness", "RearRollBarStiffness",
    "CenterDiffMaxTorque", "FrontDiffMaxTorque", "RearDiffMaxTorque",
    "MaxBrakePressureFront", "MaxBrakePressureRear", "DropGearId",
    "CenterDiffHandbrakeRelease", "LeftFootBrakeThreshold",
    "CenterDiffThrottle_", "CenterDiffBrake_", "CenterSpeedMapVelocity_", "CenterSpeedMapFactor_",
    "LFCenterDiffThrottle_", "LFCenterDiffBrake_", "LFCenterSpeedMapVelocity_", "LFCenterSpeedMapFactor_",
    "FrontDiffThrottle_", "FrontDiffBrake_", "FrontSpeedMapVelocity_", "FrontSpeedMapFactor_",
    "RearDiffThrottle_", "RearDiffBrake_", "RearSpeedMapVelocity_", "RearSpeedMapFactor_",
    "TopMountSlot", "SteeringRodLength", "StrutPlatformHeight", "WheelAxisInclination",
    "SpringLength", "SpringStiffness", "HelperSpringLength", "HelperSpringStiffness",
    "DampingBump", "DampingRebound", "BumpHighSpeedBreak", "DampingBumpHighSpeed",
    "Pressure",
};
// clang-format on

constexpr std::string_view SetupSectionName(TSetupSection s) {
  return SetupSectionNames[static_cast<int>(s)];
}
constexpr std::string_view SetupKeyName(TSetupKey k) {
  return SetupKeyNames[static_cast<int>(k)];
}

inline constexpr int32_t kNoPoint = -1;
inline constexpr int32_t kMapPointCount = 11;

// The key text of an entry: the key, and for a map point the point written with "%.2d" (Throttle_00).
std::string SetupKeyText(TSetupKey key, int32_t point = kNoPoint);

// ---- the controls ----

// clang-format off
// The slider lists of the main window.
enum class TSetupList : uint8_t {
  Diff, Brake, Tyre, Steering,
  DamperFront, DamperRear, SpringFront, SpringRear, GeometryFront, GeometryRear, Rollbar,
  CenterThrottle, CenterBrake, CenterSpeed,
  LFCenterThrottle, LFCenterBrake, LFCenterSpeed,
  FrontThrottle, FrontBrake, FrontSpeed,
  RearThrottle, RearBrake, RearSpeed,
};
inline constexpr int kSetupListCount = 23;
// The control names ("SliderListBoxDiff", ...).
inline constexpr std::string_view SetupListNames[kSetupListCount] = {
    "SliderListBoxDiff", "SliderListBoxBrake", "SliderListBoxTyre", "SliderListBoxSteering",
    "SliderListBoxDamperFront", "SliderListBoxDamperRear", "SliderListBoxSpringFront",
    "SliderListBoxSpringRear", "SliderListBoxGeometryFront", "SliderListBoxGeometryRear",
    "SliderListBoxRollbar",
    "SliderListBoxCenterThrottle", "SliderListBoxCenterBrake", "SliderListBoxCenterSpeed",
    "SliderListBoxLFCenterThrottle", "SliderListBoxLFCenterBrake", "SliderListBoxLFCenterSpeed",
    "SliderListBoxFrontThrottle", "SliderListBoxFrontBrake", "SliderListBoxFrontSpeed",
    "SliderListBoxRearThrottle", "SliderListBoxRearBrake", "SliderListBoxRearSpeed",
};
// clang-format on
constexpr std::string_view SetupListName(TSetupList l) {
  return SetupListNames[static_cast<int>(l)];
}

// One slider list as the transfers see it. Indexes are 0 .. Count() - 1.
class TSliderList {
 public:
  virtual ~TSliderList() = default;
  virtual int32_t Count() const = 0;
  virtual int32_t Min(int32_t index) const = 0;
  virtual int32_t Max(int32_t index) const = 0;
  virtual int32_t Value(int32_t index) const = 0;
  // Clamps into [Min, Max] silently and fires no slide events.
  virtual void SetValue(int32_t index, int32_t value) = 0;
  virtual std::string Caption(int32_t index) const = 0;
  virtual void SetCaption(int32_t index, const std::string& caption) = 0;
  // A batch of changes that the list repaints once, at the outermost EndUpdate.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
};

// Repaints a list once for a batch of changes, also when a change fails halfway.
class TUpdateBatch {
 public:
  explicit TUpdateBatch(TSliderList& list) : list_(list) { list_.BeginUpdate(); }
  ~TUpdateBatch() { list_.EndUpdate(); }
  TUpdateBatch(const TUpdateBatch&) = delete;
  TUpdateBatch& operator=(const TUpdateBatch&) = delete;

 private:
  TSliderList& list_;
};

enum class TGearButton : uint8_t { Short, Medium, Long };  // RadioButtonShort, ...Medium, ...Long

// Every control a transfer touches: the slider lists and the three gear buttons.
class TSetupControls {
 public:
  virtual ~TSetupControls() = default;
  virtual TSliderList& SliderList(TSetupList list) = 0;
  virtual bool GearChecked(TGearButton button) const = 0;
  // Unchecking must work on a radio button too: a file with an unknown gear unchecks all three.
  virtual void SetGearChecked(TGearButton button, bool checked) = 0;
};

// ---- the catalogue ----

enum class TConversion : uint8_t {
  // Integer read. Slider = n div Scale; file = v × Scale.
  Quotient,
  // Float read. Slider = round((f × Scale − Offset) / Step); file = (v × Step + Offset) × Unit.
  Product,
  // Float read. Slider = round((f × Scale − Offset) / Step); file = (v × Step + Offset) / Scale.
  RodLength,
};

struct TCatalogueRow {
  TSetupList List = TSetupList::Diff;
  int32_t Item = 0;
  std::string_view Caption;  // empty for the speed-map points, whose captions hold the velocities
  int32_t Min = 0;
  int32_t Max = 10;
  int32_t First = 0;                           // shown until the first file is loaded
  TSetupSection Section = TSetupSection::Car;  // read, and written first
  std::optional<TSetupSection> Mirror;         // written after Section: the right-hand wheel of the axle
  TSetupKey Key = TSetupKey::MaxSteeringLock;
  int32_t Point = kNoPoint;
  TConversion Conversion = TConversion::Quotient;
  int32_t Scale = 1;
  int32_t Offset = 0;
  int32_t Step = 1;
  double Unit = 1;
};

// Every row, list by list in TSetupList order, items in index order.
std::span<const TCatalogueRow> CatalogueRows();
// The rows of one list; row i is item i.
std::span<const TCatalogueRow> CatalogueRows(TSetupList list);

// The velocity axis of a speed map: held in the captions of the speed list's points.
struct TVelocityAxis {
  TSetupList List;
  TSetupKey Key;
};
inline constexpr TVelocityAxis SpeedMapVelocityAxes[] = {
    {TSetupList::CenterSpeed, TSetupKey::CenterSpeedMapVelocity_},
    {TSetupList::LFCenterSpeed, TSetupKey::LFCenterSpeedMapVelocity_},
    {TSetupList::FrontSpeed, TSetupKey::FrontSpeedMapVelocity_},
    {TSetupList::RearSpeed, TSetupKey::RearSpeedMapVelocity_},
};

// The gear buttons and the DropGearId each stands for.
inline constexpr int32_t kDropGearIds[] = {10, 11, 12};  // Short, Medium, Long

// ---- conversions ----

// The slider position of a file value (an integer read for Quotient rows, else a float read).
int32_t SliderFromInt(const TCatalogueRow& row, int32_t n);
int32_t SliderFromFloat(const TCatalogueRow& row, float f);
// The file value of a slider position, rounded to the float that SetFloat receives.
float FileFromSlider(const TCatalogueRow& row, int32_t v);

// A speed-map point caption: the whole kilometres per hour followed by "km/h".
std::string KmhCaption(int32_t kmh);
// The kilometres per hour of a caption (its text without the last four characters); false when that
// text is no integer.
bool KmhFromCaption(std::string_view caption, int32_t& kmh);
// File velocity (metres per second) to kilometres per hour and back.
int32_t KmhFromVelocity(float metresPerSecond);
float VelocityFromKmh(int32_t kmh);

// ---- reading and writing the document ----

// The entry of a section and key (with the point suffix unless point is kNoPoint); raises
// "invalid section: " or "invalid data: " when the document lacks it.
TTOVCarSetupData& GetSetupData(const TTOVCarSetup& setup, TSetupSection section, TSetupKey key,
                               int32_t point = kNoPoint);
// An integer entry's value, or a float entry's value rounded half to even.
int32_t ReadSetupInt(const TTOVCarSetup& setup, TSetupSection section, TSetupKey key);
// A float entry's value; an integer entry raises "invalid data: " and its key as spelled in the file.
float ReadSetupFloat(const TTOVCarSetup& setup, TSetupSection section, TSetupKey key,
                     int32_t point = kNoPoint);

// Document to controls, right after a load. A failure stops at that point and leaves the controls set so
// far; the caller refreshes the brake-ratio label afterwards (setting positions fires no slide events).
void SetupToSliders(const TTOVCarSetup& setup, TSetupControls& controls);
// Controls to document, before a save or a copy. Every catalogue value is written; the document marks only
// the entries whose value really differs. A failure stops at that point; nothing is rolled back.
void SlidersToSetup(TTOVCarSetup& setup, TSetupControls& controls);

}  // namespace gw
