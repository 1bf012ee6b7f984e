#include "editor/catalogue_headings.h"

#include <array>

namespace gw {

namespace {

constexpr std::string_view kGeneral = SetupPageNames[0];
constexpr std::string_view kSuspension = SetupPageNames[1];
constexpr std::string_view kMap = SetupPageNames[2];

// In TSetupList order.
constexpr std::array<TListHeading, kSetupListCount> kHeadings = {{
    {kGeneral, "Differential", ""},
    {kGeneral, "Brake", ""},
    {kGeneral, "Tyre", ""},
    {kGeneral, "Steering", ""},
    {kSuspension, "Damper", "Front"},
    {kSuspension, "Damper", "Rear"},
    {kSuspension, "Spring", "Front"},
    {kSuspension, "Spring", "Rear"},
    {kSuspension, "Geometry", "Front"},
    {kSuspension, "Geometry", "Rear"},
    {kSuspension, "Rollbar", ""},
    {kMap, "Center - Throttle", ""},
    {kMap, "Center - Brake", ""},
    {kMap, "Center - Speed", ""},
    {kMap, "L.Foot Center - Throttle", ""},
    {kMap, "L.Foot Center - Brake", ""},
    {kMap, "L.Foot Center - Speed", ""},
    {kMap, "Front - Throttle", ""},
    {kMap, "Front - Brake", ""},
    {kMap, "Front - Speed", ""},
    {kMap, "Rear - Throttle", ""},
    {kMap, "Rear - Brake", ""},
    {kMap, "Rear - Speed", ""},
}};

}  // namespace

const TListHeading& ListHeading(TSetupList list) {
  return kHeadings.at(static_cast<std::size_t>(list));
}

std::string ListTitle(TSetupList list) {
  const TListHeading& h = ListHeading(list);
  std::string title(h.Heading);
  if (!h.Side.empty()) (title += ' ') += h.Side;
  return title;
}

}  // namespace gw
