#pragma once
// A setup as the main window shows it, without a window: every parameter of the comparison (the sliders,
// the gear set and the speed maps' velocities) with its page, heading, caption, position and value text.
// Parameters are named by their path, the heading, a slash and the caption: "Tyre/Left Front Pressure",
// "Damper/Front Bump", "Gear/Gear set", "Center - Speed/Point 3 velocity".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compare/comparison.h"
#include "setup/car_setup.h"

namespace gw::cli {

// The texts go to terminals and JSON: the degree sign in UTF-8 and a period whatever the locale, so that
// scripts read the same text everywhere.
extern const TValueTextFormat kTextFormat;

struct TParameter {
  const TCompareParameter* Compare = nullptr;
  std::size_t Index = 0;  // into CompareParameters()
  std::string_view Page;
  std::string_view Heading;
  int32_t Min = 0;  // the range of positions: slider positions, DropGearIds, kilometres per hour
  int32_t Max = 0;
  int32_t Step = 1;  // velocities move in steps of 2 km/h, as in the velocity dialog
  TSetupValue Value;
  std::string Text;  // the value text without the blanks the window pads it with; empty when missing

  const std::string& Caption() const { return Compare->Caption; }
  std::string Path() const { return std::string(Heading) + "/" + Compare->Caption; }
  // Where the file keeps it: "Drive.CenterDiffMaxTorque" (the left wheel for a row that writes both).
  std::string EntryName() const;
  // "slider", "gear" or "velocity".
  std::string_view KindName() const;
};

// Every parameter of a loaded setup, in the main window's order. Never raises: an entry the setup lacks
// gives a missing value with the reason.
std::vector<TParameter> ReadParameters(const TTOVCarSetup& setup);

// The value text of a parameter at a position.
std::string ValueTextAt(const TParameter& parameter, int32_t position);

// Writes one parameter's position into the document the way the window's save does (both wheels of an
// axle); the document marks the entries only when their value really changes.
void WriteParameter(TTOVCarSetup& setup, const TParameter& parameter, int32_t position);

}  // namespace gw::cli
