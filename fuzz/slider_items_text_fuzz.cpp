// The streamed entry form of a slider list: any line either reads into an entry that keeps its bounds in
// order and writes back to the same entry, or fails with gw::Error, never anything else.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/error.h"
#include "widgets/slider_items_text.h"

namespace {

bool Ordered(const gw::TSliderListBoxDataWrapper& r) {
  return r.Min <= r.Value && r.Value <= r.Max;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> fields = gw::SplitCommaText(line);
  gw::TSliderListBoxDataWrapper r;
  try {
    gw::CommaField(fields, 0);
    gw::ReadSliderEntryFields(fields, r);
  } catch (const gw::Error&) {
    if (!Ordered(r)) std::abort();
    return 0;
  }
  if (!Ordered(r)) std::abort();
  const std::vector<std::string> again = gw::SplitCommaText(gw::WriteSliderEntry(fields[0], r));
  if (again.size() != 6 || again[0] != fields[0]) std::abort();
  gw::TSliderListBoxDataWrapper back;
  gw::ReadSliderEntryFields(again, back);
  if (!(back == r)) std::abort();
  return 0;
}
