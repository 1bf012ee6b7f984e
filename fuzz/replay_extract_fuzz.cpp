// Any replay bytes: one of the five numbered failures, or a setup text that starts with the head characters
// and ends with the end marker and one NUL.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/error.h"
#include "setup/replay_extract.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const std::string text = gw::ExtractSetupText(bytes, "r.rpl");
    if (text.size() < 9 || text.compare(0, 3, "((\"") != 0) std::abort();
    if (text.compare(text.size() - 6, 6, std::string_view(")\n ))\0", 6)) != 0) std::abort();
    if (bytes.find(std::string_view(text.data(), text.size() - 1)) == std::string_view::npos) std::abort();
  } catch (const gw::Error& e) {
    const std::string_view m = e.what();
    if (m.size() != 24 || m.substr(0, 14) != "Invalid file (" || m[14] < '0' || m[14] > '4' ||
        m.substr(15) != ") = r.rpl")
      std::abort();
  }
  return 0;
}
