#pragma once
// The number texts of the game's files and of the editor, each rule written once. None of them depends on
// the C locale or on printf rounding.

#include <cstdint>
#include <string>
#include <string_view>

namespace gw {

// The classic integer conversion: optional leading blanks, an optional sign, then decimal digits, or
// hexadecimal digits after a "$", "x", "X", "0x" or "0X" prefix. Decimal text must fit 32 signed bits;
// hexadecimal text may use all 32 bits (so "$FFFFFFFF" is -1). Nothing may follow the digits.
bool TryStrToInt(std::string_view text, int32_t& value);

// The integers of ini files (the game's options, the program's settings): as TryStrToInt, but hexadecimal
// only after "0x" or "0X"; "$10" and "x10" are no integers here.
bool TryIniStrToInt(std::string_view text, int32_t& value);

// A decimal floating-point text with the period as separator: optional sign, digits with an optional
// fraction, an optional exponent. The result is the nearest 32-bit float; text beyond the float range fails,
// text too small for it gives zero.
bool TryStrToFloat(std::string_view text, float& value);

// "%.6f" of the exact value of a float, halves rounded away from zero, and never "-0.000000".
std::string FormatFloat6(float value);

// "%d".
std::string FormatInt(int64_t value);

// A fixed-point text with `decimals` decimals: the value is first written to 18 significant digits, then
// rounded at the last shown decimal with a digit of 5 or more rounding up in magnitude. A result of zero has
// no sign.
std::string FormatFixed(double value, int decimals, char decimalSeparator = '.');

}  // namespace gw
