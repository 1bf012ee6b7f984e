// Any ini text: reading never fails; a written value reads back exactly; removing a key that was added
// restores the text (but for a final line break it may bring); a write changes nothing before the value it
// sets.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line names the section, key and value; the rest is the file.
  const auto a = input.find('\n');
  if (a == std::string_view::npos) return 0;
  const std::string_view head = input.substr(0, a);
  const std::string_view text = input.substr(a + 1);
  const auto b = head.find('|'), c = head.rfind('|');
  if (b == std::string_view::npos || b == c) return 0;
  const std::string_view section = head.substr(0, b), key = head.substr(b + 1, c - b - 1),
                         value = head.substr(c + 1);
  for (std::string_view part : {section, key, value})
    if (part.find_first_of("\r\n\0", 0, 3) != std::string_view::npos) return 0;
  if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) return 0;
  auto trim = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  };
  if (trim(section).empty() || trim(key).empty() || trim(key).front() == '[' || trim(value) != value)
    return 0;

  const gw::ProfileLocation before = gw::LocateProfileValue(text, section, key);
  const std::string written = gw::SetProfileValue(text, section, key, value);
  const gw::ProfileLocation after = gw::LocateProfileValue(written, section, key);
  if (!after.keyFound) std::abort();
  if (written.substr(after.valueStart, after.valueEnd - after.valueStart) != value) std::abort();
  if (before.keyFound) {
    if (written.compare(0, before.valueStart, text, 0, before.valueStart) != 0) std::abort();
  } else if (!text.empty() && before.sectionFound) {
    // Removing the added key restores the text, but for the line break a key added at the very end of a
    // file without one brought with it (as Windows writes it).
    const std::string removed = gw::RemoveProfileKey(written, section, key);
    const bool endsWithBreak = text.back() == '\n' || text.back() == '\r';
    const bool gainedFinalBreak =
        !endsWithBreak && removed.compare(0, text.size(), text) == 0 &&
        (removed.substr(text.size()) == "\r\n" || removed.substr(text.size()) == "\n" ||
         removed.substr(text.size()) == "\r");
    if (removed != text && !gainedFinalBreak) std::abort();
  }
  return 0;
}
