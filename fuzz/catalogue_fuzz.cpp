// Any document that loads either goes through both transfers, or they raise gw::Error; nothing else may
// escape, and the value texts of whatever the sliders hold must be formed without a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/setup_controls_model.h"
#include "editor/catalogue.h"
#include "editor/value_text.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gw::TTOVCarSetup doc;
  try {
    doc.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.lsp");
  } catch (const gw::Error&) {
    return 0;
  }
  gw::test::TPlainSetupControls controls;
  try {
    gw::SetupToSliders(doc, controls);
  } catch (const gw::Error&) {
  }
  const gw::TValueTextFormat format{',', "\xB0"};
  for (int l = 0; l < gw::kSetupListCount; ++l) {
    const auto& list = controls.Lists[static_cast<std::size_t>(l)];
    for (int32_t i = 0; i < list.Count(); ++i)
      gw::SliderValueText(static_cast<gw::TSetupList>(l), i, list.Value(i), format);
  }
  const auto& brake = controls.List(gw::TSetupList::Brake);
  gw::BrakeRatioText(brake.Value(0), brake.Value(1), '.');
  try {
    gw::SlidersToSetup(doc, controls);
    doc.SaveToBytes();
  } catch (const gw::Error&) {
  }
  return 0;
}
