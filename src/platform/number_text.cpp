#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace gw {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool ParseInt(std::string_view s, bool shortHexPrefixes, int32_t& value) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (shortHexPrefixes && i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;

  uint64_t magnitude = 0;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  for (; i < s.size(); ++i) {
    const int d = hex ? HexDigit(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (d < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(d);
    if (magnitude > limit) return false;
  }
  // Hexadecimal text names a bit pattern; the sign then negates the 32-bit value.
  const auto bits = static_cast<uint32_t>(magnitude);
  const uint32_t result = negative ? 0u - bits : bits;
  value = static_cast<int32_t>(result);
  return true;
}

}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) {
  return ParseInt(text, true, value);
}

bool TryIniStrToInt(std::string_view text, int32_t& value) {
  return ParseInt(text, false, value);
}

bool TryStrToFloat(std::string_view s, float& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t numberStart = i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != s.size()) return false;

  const char* first = s.data() + numberStart;
  const char* last = s.data() + s.size();
  float f = 0;
  const auto [ptr, ec] = std::from_chars(first, last, f, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Out of range is either an overflow (refused) or an underflow, which the game reads as zero.
    double d = 0;
    const auto r = std::from_chars(first, last, d, std::chars_format::general);
    if (r.ec == std::errc() && std::fabs(d) < 1.0) {
      f = 0;
    } else if (r.ec == std::errc::result_out_of_range) {
      // Beyond even a double: only the exponent's sign tells big from small.
      const auto e = std::string_view(first, static_cast<std::size_t>(last - first)).find_first_of("eE");
      if (e == std::string_view::npos || s.find('-', numberStart + e) == std::string_view::npos) return false;
      f = 0;
    } else {
      return false;
    }
  } else if (ec != std::errc() || ptr != last) {
    return false;
  }
  value = negative ? -f : f;
  return true;
}

std::string FormatInt(int64_t value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::string FormatFloat6(float v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  const double magnitude = std::fabs(static_cast<double>(v));
  std::string text;
  // A float times 10^6 is exact in a double (24 + 14 significant bits), so adding one half and flooring
  // rounds the exact value with halves away from zero.
  const double scaled = magnitude * 1e6;
  if (scaled < 9e18) {
    const double r = scaled >= 4503599627370496.0 ? scaled : std::floor(scaled + 0.5);
    const auto units = static_cast<uint64_t>(r);
    if (units == 0) return "0.000000";
    std::string digits = std::to_string(units);
    if (digits.size() < 7) digits.insert(0, 7 - digits.size(), '0');
    text = digits.substr(0, digits.size() - 6) + "." + digits.substr(digits.size() - 6);
  } else {
    // Floats this large are whole numbers: their digits are exact without rounding.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, 0);
    text = std::string(buf, r.ptr) + ".000000";
  }
  return v < 0 ? "-" + text : text;
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
  if (decimals < 0) decimals = 0;
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  // 18 significant digits: d.ddddddddddddddddde±x
  std::string digits;
  int exponent = 0;  // value = 0.d1d2...d18 * 10^exponent
  if (value != 0) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    const auto e = sci.find('e');
    digits.push_back(sci[0]);
    digits.append(sci.substr(2, e - 2));
    int exp10 = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp10);
    exponent = exp10 + 1;
  }

  // Round at the last shown decimal: keep the digits before it, look at the first dropped one.
  const int keep = exponent + decimals;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int i = keep - 1;
      while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
        digits[static_cast<std::size_t>(i--)] = '0';
      if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
      } else {
        digits.insert(digits.begin(), '1');
        ++exponent;
      }
    }
  }
  bool zero = true;
  for (char c : digits) zero = zero && c == '0';

  // Lay the kept digits out around the separator.
  std::string integerPart;
  std::string fraction;
  for (int pos = 0; pos < exponent + decimals; ++pos) {
    const char d = pos < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(pos)] : '0';
    (pos < exponent ? integerPart : fraction).push_back(d);
  }
  if (exponent < 0) fraction.insert(0, static_cast<std::size_t>(std::min(-exponent, decimals)), '0');
  fraction.resize(static_cast<std::size_t>(decimals), '0');
  const auto nonZero = integerPart.find_first_not_of('0');
  integerPart = nonZero == std::string::npos ? "0" : integerPart.substr(nonZero);

  std::string text = (value < 0 && !zero) ? "-" : "";
  text += integerPart;
  if (decimals > 0) {
    text.push_back(decimalSeparator);
    text += fraction;
  }
  return text;
}

}  // namespace gw
