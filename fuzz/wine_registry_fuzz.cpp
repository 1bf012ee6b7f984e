// Any registry text: the reader gives a string or raises gw::Error, never anything else.
#include <cstdint>
#include <string_view>

#include "platform/error.h"
#include "platform/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    (void)gw::ReadWineRegistryDefault(text, gw::kInstallPathKey);
  } catch (const gw::Error&) {
  }
  return 0;
}
