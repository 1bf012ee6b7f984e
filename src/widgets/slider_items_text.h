#pragma once
// The streamed form of a slider list's entries: one comma text per entry,
// Caption,Min,Max,Value,Checked,Enabled, for example "Max Steering Lock",50,110,50,0,1.

#include <string>
#include <string_view>
#include <vector>

#include "platform/comma_text.h"
#include "widgets/slider_entry.h"

namespace gw {

// One entry's line.
std::string WriteSliderEntry(std::string_view caption, const TSliderListBoxDataWrapper& r);

// Field i of a split line, or gw::Error "List index out of bounds (i)".
const std::string& CommaField(const std::vector<std::string>& fields, std::size_t i);
// Stores fields 1 to 5 in the record, in order, through its setters. A missing or non-integer field raises
// gw::Error; the fields before it are kept.
void ReadSliderEntryFields(const std::vector<std::string>& fields, TSliderListBoxDataWrapper& r);

}  // namespace gw
