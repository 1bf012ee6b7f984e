#pragma once
// The streamed form of a slider list's entries: one comma text per entry,
// Caption,Min,Max,Value,Checked,Enabled, for example "Max Steering Lock",50,110,50,0,1.

#include <string>
#include <string_view>
#include <vector>

#include "widgets/slider_entry.h"

namespace gw {

// Splits a comma text. Blanks and control characters separate fields as commas do; a field in double
// quotes may hold them, with "" for one quote. A comma that ends the text adds an empty field, and a
// character 0 ends the text.
std::vector<std::string> SplitCommaText(std::string_view text);
// Appends a field, in double quotes when it holds a blank, a control character, a quote or a comma.
void AppendCommaField(std::string& text, std::string_view field);

// One entry's line.
std::string WriteSliderEntry(std::string_view caption, const TSliderListBoxDataWrapper& r);

// Field i of a split line, or gw::Error "List index out of bounds (i)".
const std::string& CommaField(const std::vector<std::string>& fields, std::size_t i);
// Stores fields 1 to 5 in the record, in order, through its setters. A missing or non-integer field raises
// gw::Error; the fields before it are kept.
void ReadSliderEntryFields(const std::vector<std::string>& fields, TSliderListBoxDataWrapper& r);

}  // namespace gw
