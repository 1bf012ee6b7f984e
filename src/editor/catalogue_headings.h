#pragma once
// Where the main window shows each slider list: its page, the heading above it and, for the suspension
// lists that share a heading, the side of the axle. The window builds its pages and labels from this
// table, so every other view of the parameters (the command-line program) names them the same way.

#include <string>
#include <string_view>

#include "editor/catalogue.h"

namespace gw {

// The tab captions of the main window's pages, left to right.
inline constexpr std::string_view SetupPageNames[] = {"General", "Suspension", "Differential - Map"};

struct TListHeading {
  std::string_view Page;
  std::string_view Heading;
  std::string_view Side;  // "Front" or "Rear" for two lists under one heading, else empty
};

const TListHeading& ListHeading(TSetupList list);

// The heading and, after a blank, the side: "Tyre", "Damper Front", "Center - Throttle".
std::string ListTitle(TSetupList list);

// The gear buttons' group box on the general page, and the buttons' captions in TGearButton order.
inline constexpr std::string_view kGearHeading = "Gear";
inline constexpr std::string_view GearButtonCaptions[] = {"Short", "Medium", "Long"};

}  // namespace gw
