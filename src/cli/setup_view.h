#pragma once
// A setup as the main window shows it, without a window: every parameter with its page, heading, caption,
// slider position and value text, read through the catalogue's own transfer. Parameters are named by their
// path, the heading (with the axle side where two lists share one) and the caption: "Tyre/Left Front
// Pressure", "Damper Front/Bump", "Center - Speed/40km/h", "Gear/Gear Set".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/catalogue.h"
#include "setup/car_setup.h"

namespace gw::cli {

struct TParameter {
  const TCatalogueRow* Row = nullptr;  // null for the gear set
  std::string_view Page;
  std::string Heading;  // ListTitle of the row's list, or "Gear"
  std::string Caption;
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Position = 0;  // the gear set: 0 Short, 1 Medium, 2 Long, -1 for a DropGearId of none of them
  std::string Value;     // the value text without the blanks the window pads it with

  std::string Path() const { return Heading + "/" + Caption; }
  // Where the file keeps it: "Drive.CenterDiffMaxTorque" (the left wheel for a row that writes both).
  std::string EntryName() const;
};

inline constexpr std::string_view kGearCaption = "Gear Set";

// Every parameter in the window's order: the general page (lists, then the gear set), the suspension page,
// the maps. Raises the transfer's error ("invalid data: ...") when the document lacks an entry.
std::vector<TParameter> ReadParameters(const TTOVCarSetup& setup);

// The value text of a parameter at another position (the gear set: the button's caption).
std::string ValueTextAt(const TParameter& parameter, int32_t position);

// Writes one parameter's position into the document the way the window's save does (both wheels of an
// axle); the document marks the entries only when their value really changes.
void WriteParameter(TTOVCarSetup& setup, const TParameter& parameter, int32_t position);

}  // namespace gw::cli
