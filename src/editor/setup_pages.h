#pragma once
// Where each slider list stands in the main window: its page, the heading above it (for a map list the label
// of its panel) and, for the suspension lists that stand beside their axle's twin, the side. The main window
// builds its map panels from this table and the comparison groups its rows by it, so both say the same.

#include <string_view>

#include "editor/catalogue.h"

namespace gw {

// The main window's pages, in tab order.
inline constexpr std::string_view kPageGeneral = "General";
inline constexpr std::string_view kPageSuspension = "Suspension";
inline constexpr std::string_view kPageMap = "Differential - Map";

struct TSetupListPlace {
  std::string_view Page;
  std::string_view Heading;
  std::string_view Side;  // "Front" or "Rear" where a list and its twin share one heading; else empty
};

// Indexed by TSetupList.
inline constexpr TSetupListPlace SetupListPlaces[kSetupListCount] = {
    {kPageGeneral, "Differential", ""},
    {kPageGeneral, "Brake", ""},
    {kPageGeneral, "Tyre", ""},
    {kPageGeneral, "Steering", ""},
    {kPageSuspension, "Damper", "Front"},
    {kPageSuspension, "Damper", "Rear"},
    {kPageSuspension, "Spring", "Front"},
    {kPageSuspension, "Spring", "Rear"},
    {kPageSuspension, "Geometry", "Front"},
    {kPageSuspension, "Geometry", "Rear"},
    {kPageSuspension, "Rollbar", ""},
    {kPageMap, "Center - Throttle", ""},
    {kPageMap, "Center - Brake", ""},
    {kPageMap, "Center - Speed", ""},
    {kPageMap, "L.Foot Center - Throttle", ""},
    {kPageMap, "L.Foot Center - Brake", ""},
    {kPageMap, "L.Foot Center - Speed", ""},
    {kPageMap, "Front - Throttle", ""},
    {kPageMap, "Front - Brake", ""},
    {kPageMap, "Front - Speed", ""},
    {kPageMap, "Rear - Throttle", ""},
    {kPageMap, "Rear - Brake", ""},
    {kPageMap, "Rear - Speed", ""},
};

constexpr const TSetupListPlace& SetupListPlace(TSetupList list) {
  return SetupListPlaces[static_cast<int>(list)];
}

// The gear set: a group box on the general page with one radio button per DropGearId of kDropGearIds.
inline constexpr std::string_view kGearHeading = "Gear";
inline constexpr std::string_view GearButtonCaptions[] = {"Short", "Medium", "Long"};

}  // namespace gw
