#pragma once
// Comma text: a list of lines kept as one value (an ini value, a streamed slider entry), in the classic
// form: fields separated by commas, quoted with double quotes when they hold a blank, a control
// character, a quote or a comma. Bytes of a double-byte code page never fall on those characters, so
// walking byte by byte steps over its characters whole.

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// Splits a comma text. Blanks and control characters separate fields as commas do; a field in double
// quotes may hold them, with "" for one quote. A comma that ends the text adds an empty field, and a
// character 0 ends the text.
std::vector<std::string> SplitCommaText(std::string_view text);
// Appends a field, in double quotes when it holds a blank, a control character, a quote or a comma.
void AppendCommaField(std::string& text, std::string_view field);
// The fields joined by commas; exactly one empty field is written as "" so that it reads back.
std::string JoinCommaText(const std::vector<std::string>& fields);

}  // namespace gw
