#pragma once
// The texts beside the sliders, in the units of the display, and the front/rear brake-ratio text. Pure
// functions of list, item and position: the window's custom-value handlers only pass them on.

#include <cstdint>
#include <string>

#include "editor/catalogue.h"

namespace gw {

// Text-format flags, with the bit values of the Windows DrawText format.
inline constexpr uint32_t kDrawTextCenter = 0x1;
inline constexpr uint32_t kDrawTextVCenter = 0x4;
inline constexpr uint32_t kDrawTextBottom = 0x8;
inline constexpr uint32_t kDrawTextSingleLine = 0x20;
inline constexpr uint32_t kDrawTextNoPrefix = 0x800;

// Centred both ways on one line, "&" shown as itself (2085).
inline constexpr uint32_t kValueCentred =
    kDrawTextCenter | kDrawTextVCenter | kDrawTextSingleLine | kDrawTextNoPrefix;
// Centred on the bottom edge, one line (41).
inline constexpr uint32_t kValueBottom = kDrawTextCenter | kDrawTextBottom | kDrawTextSingleLine;
// Centred, laid out from the top (vertical centring needs a single line), "&" as itself (2053).
inline constexpr uint32_t kValueTop = kDrawTextCenter | kDrawTextVCenter | kDrawTextNoPrefix;

// What the texts take from the user's system.
struct TValueTextFormat {
  char DecimalSeparator = '.';  // the locale's
  std::string DegreeSign;       // U+00B0 in the system's 8-bit text ("\xB0" in Windows-1252)
};

struct TValueText {
  std::string Text;
  uint32_t Flags = kValueCentred;
};

// The value text of an item of a list at a position. An item the list does not have gets an empty text.
TValueText SliderValueText(TSetupList list, int32_t item, int32_t position, const TValueTextFormat& format);

// "Front 0.60 / Rear 0.40": each brake's share of the two positions; empty when both are 0.
std::string BrakeRatioText(int32_t front, int32_t rear, char decimalSeparator);

}  // namespace gw
