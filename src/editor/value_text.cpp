#include "editor/value_text.h"

#include <numbers>

#include "platform/number_text.h"

namespace gw {

namespace {

std::string Fixed(double value, int decimals, const TValueTextFormat& format) {
  return FormatFixed(value, decimals, format.DecimalSeparator);
}

std::string Int(int64_t value) {
  return FormatInt(value);
}

// The angle texts: a blank, the degrees, the degree sign.
std::string Degrees(double degrees, int decimals, const TValueTextFormat& format) {
  std::string text = " ";
  text += Fixed(degrees, decimals, format);
  return text += format.DegreeSign;
}

// "%.2f" of num / den from the exact quotient, halves away from zero. A double quotient would turn a tie
// such as 75 / 1000 into 0.07499999999999999722 and show 0.07 instead of 0.08.
std::string ShareText(int64_t num, int64_t den, char decimalSeparator) {
  if (den < 0) num = -num, den = -den;
  const bool negative = num < 0;
  const auto magnitude = static_cast<uint64_t>(negative ? -num : num);
  const auto d = static_cast<uint64_t>(den);
  const uint64_t hundredths = (200 * magnitude + d) / (2 * d);
  std::string text = negative && hundredths != 0 ? "-" : "";
  text += Int(static_cast<int64_t>(hundredths / 100));
  text.push_back(decimalSeparator);
  text.push_back(static_cast<char>('0' + hundredths % 100 / 10));
  text.push_back(static_cast<char>('0' + hundredths % 10));
  return text;
}

TValueText GeometryText(bool front, int32_t item, int64_t v, const TValueTextFormat& format) {
  switch (item) {
    case 0:
      return {Fixed(static_cast<double>(v * 5 + (front ? 33500 : 44500)) / 100, 2, format) + "mm"};
    case 1:
      return {Int(v) + "mm"};
    case 2:
      return {Degrees(static_cast<double>(v) * 0.001 * 180 / std::numbers::pi, 2, format)};
    case 3:
      return {Int(v)};
    default:
      return {};
  }
}

}  // namespace

TValueText SliderValueText(TSetupList list, int32_t item, int32_t position, const TValueTextFormat& format) {
  const int64_t v = position;  // products of a position never overflow
  const auto d = static_cast<double>(position);
  switch (list) {
    case TSetupList::Diff:
      if (item >= 0 && item <= 2) return {Int(v * 10) + "Nm", kValueBottom};
      if (item == 3 || item == 4) return {Int(v * 5) + "%", kValueBottom};
      return {};
    case TSetupList::Brake:
      return {Int(v * 10) + "kPa"};
    case TSetupList::Tyre:
      return {Int(v) + "kPa"};
    case TSetupList::Steering:
      return {Degrees(d / 50 * 360, 0, format)};
    case TSetupList::DamperFront:
    case TSetupList::DamperRear:
      if (item >= 0 && item <= 2) return {Fixed(d * 0.1, 1, format) + "kN/m/s"};
      if (item == 3) return {Fixed(d * 0.1, 1, format) + "m/s"};
      return {};
    case TSetupList::SpringFront:
    case TSetupList::SpringRear:
      if (item == 0) return {Int(v * 5 + 150) + "mm"};
      if (item == 1 || item == 3) return {Int(v) + "kN/m"};
      if (item == 2) return {Int(v * 5 + 50) + "mm"};
      return {};
    case TSetupList::GeometryFront:
      return GeometryText(true, item, v, format);
    case TSetupList::GeometryRear:
      return GeometryText(false, item, v, format);
    case TSetupList::Rollbar:
      return {Fixed(d * 0.2, 1, format) + "kN/m"};
    default:
      return {Int(v) + "%", kValueTop};  // the twelve map lists
  }
}

std::string BrakeRatioText(int32_t front, int32_t rear, char decimalSeparator) {
  const int64_t sum = static_cast<int64_t>(front) + rear;
  if (sum == 0) return {};
  return "Front " + ShareText(front, sum, decimalSeparator) + " / Rear " +
         ShareText(rear, sum, decimalSeparator);
}

}  // namespace gw
