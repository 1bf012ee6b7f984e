#include "widgets/slider_entry.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace gw {

void TSliderListBoxDataWrapper::SetMin(int32_t m) {
  Min = m;
  if (Max < m) SetMax(m);
  if (Value < m) SetValue(m);
}

void TSliderListBoxDataWrapper::SetMax(int32_t m) {
  Max = m;
  if (m < Min) SetMin(m);
  if (m < Value) SetValue(m);
}

void TSliderListBoxDataWrapper::SetValue(int32_t v) {
  Value = std::max(std::min(v, Max), Min);
}

namespace {

// A value m * 2^e whose m holds at most 64 significant bits.
struct Extended {
  uint64_t m = 0;
  int e = 0;
};

void RoundUp(Extended& x) {
  if (++x.m == 0) {
    x.m = uint64_t{1} << 63;
    ++x.e;
  }
}

// a / b rounded to 64 significant bits, halves to even, by binary long division.
Extended Quotient(uint64_t a, uint64_t b) {
  Extended x;
  if (a == 0) return x;
  x.m = a / b;
  uint64_t rem = a % b;
  int bits = static_cast<int>(std::bit_width(x.m));
  while (bits < 64) {
    rem <<= 1;
    uint64_t bit = 0;
    if (rem >= b) {
      rem -= b;
      bit = 1;
    }
    x.m = (x.m << 1) | bit;
    --x.e;
    if (bits > 0 || bit != 0) ++bits;
  }
  rem <<= 1;
  const bool guard = rem >= b;
  if (guard) rem -= b;
  if (guard && (rem != 0 || (x.m & 1) != 0)) RoundUp(x);
  return x;
}

// x * c rounded to 64 significant bits, halves to even.
Extended Times(Extended x, uint64_t c) {
  const uint64_t p0 = (x.m & 0xFFFFFFFFu) * c;
  const uint64_t p1 = (x.m >> 32) * c;
  const uint64_t lo = p0 + (p1 << 32);
  const uint64_t hi = (p1 >> 32) + (lo < p0 ? 1 : 0);
  if (hi == 0) return {lo, x.e};
  const int s = static_cast<int>(std::bit_width(hi));
  Extended r{(lo >> s) | (hi << (64 - s)), x.e + s};
  const uint64_t dropped = lo & ((uint64_t{1} << s) - 1);
  const uint64_t half = uint64_t{1} << (s - 1);
  if (dropped > half || (dropped == half && (r.m & 1) != 0)) RoundUp(r);
  return r;
}

uint64_t Trunc(Extended x) {
  if (x.e >= 0) return x.m << x.e;
  return x.e <= -64 ? 0 : x.m >> -x.e;
}

uint64_t RoundHalfEven(Extended x) {
  if (x.e >= 0) return x.m << x.e;
  if (x.e < -64) return 0;
  const int s = -x.e;
  const uint64_t whole = s == 64 ? 0 : x.m >> s;
  const uint64_t fraction = s == 64 ? x.m : x.m & ((uint64_t{1} << s) - 1);
  const uint64_t half = uint64_t{1} << (s - 1);
  return (fraction > half || (fraction == half && (whole & 1) != 0)) ? whole + 1 : whole;
}

}  // namespace

uint64_t ExtendedQuotientTimesTrunc(uint64_t a, uint64_t b, uint64_t c) {
  return Trunc(Times(Quotient(a, b), c));
}

uint64_t ExtendedQuotientTimesRound(uint64_t a, uint64_t b, uint64_t c) {
  return RoundHalfEven(Times(Quotient(a, b), c));
}

// Ranges and offsets are taken in 64 bits: Max - Min of two 32-bit values does not fit 32 bits.
int32_t SliderPercent(const TSliderListBoxDataWrapper& r) {
  const int64_t range = int64_t{r.Max} - r.Min;
  if (range <= 0) return 0;
  const int64_t offset = int64_t{r.Value} - r.Min;
  return static_cast<int32_t>(
      ExtendedQuotientTimesTrunc(static_cast<uint64_t>(offset), static_cast<uint64_t>(range), 100));
}

int64_t SliderValueFromPercent(const TSliderListBoxDataWrapper& r, uint8_t percent) {
  const int64_t range = int64_t{r.Max} - r.Min;
  return r.Min + range * percent / 100;
}

namespace {

int Saturate(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
}

}  // namespace

TRect GetSliderRect(const TRect& R, int H, const TSliderColumns& c) {
  TRect S{R.Left + 2, 0, R.Right - 2, 0};
  if (c.Wide) {
    S.Left = Saturate(int64_t{S.Left} + c.TextWidth);
    S.Right = Saturate(int64_t{S.Right} - c.ValueWidth);
    S.Top = R.Top + H / 4;
    S.Bottom = R.Bottom - H / 4;
  } else {
    S.Top = R.Top + (H / 3) * 2;
    S.Bottom = S.Top + (H - 4) / 3;
  }
  return S;
}

TRect CheckGlyphRect(const TRect& R, int cw) {
  const int left = R.Left + (R.Width() - cw) / 2;
  const int top = R.Top + (R.Height() - cw) / 2;
  return {left, top, left + cw, top + cw};
}

int SliderFillWidth(int w, int64_t range, int64_t offset) {
  if (range <= 0 || offset <= 0 || w <= 0) return 0;
  return static_cast<int>(ExtendedQuotientTimesRound(static_cast<uint64_t>(w), static_cast<uint64_t>(range),
                                                     static_cast<uint64_t>(offset)));
}

TRect SliderLineTrack(const TRect& S, bool wide) {
  return wide ? TRect{S.Left, S.Top + 1, S.Right, S.Bottom - 1} : TRect{S.Left, S.Top, S.Right, S.Bottom - 1};
}

TRect SliderLineBar(const TRect& track, int fillRight) {
  const int left = track.Left + 1;
  return {left, track.Top + 1, std::max(fillRight - 1, left), track.Bottom - 1};
}

TRect SliderCaptionRect(const TRect& R, const TRect& S, bool wide) {
  return wide ? TRect{R.Left + 2, R.Top, S.Left - 2, R.Bottom} : TRect{S.Left, R.Top, S.Right, S.Top - 1};
}

TRect SliderValueRect(const TRect& R, const TRect& S, bool wide, int valueTextWidth, int checkColumnWidth) {
  if (wide) return {S.Right + 2, R.Top, R.Right - 2, R.Bottom};
  return {std::max(S.Right - valueTextWidth - 1, checkColumnWidth), R.Top, S.Right, S.Top - 1};
}

TRgb TemperatureColor(int32_t percent) {
  const int64_t p = percent;
  return {static_cast<uint8_t>(std::clamp<int64_t>(p * 255 / 50, 0, 255)),
          static_cast<uint8_t>(std::clamp<int64_t>((100 - p) * 255 / 50, 0, 255)), 0};
}

int32_t SliderValueFromOffset(const TSliderListBoxDataWrapper& r, int w, int t) {
  const int64_t range = int64_t{r.Max} - r.Min;
  if (range <= 0) return r.Value;
  // The pixels per unit are a single-precision number; a track without width cannot be divided by.
  const auto ppu = static_cast<float>(static_cast<double>(w) / static_cast<double>(range));
  if (!(ppu > 0)) return r.Value;
  const auto bias = static_cast<int64_t>(ppu * 0.25f);
  const double units = std::trunc(static_cast<double>(t + bias) / static_cast<double>(ppu));
  const double v =
      std::clamp(static_cast<double>(r.Min) + units, static_cast<double>(r.Min), static_cast<double>(r.Max));
  return static_cast<int32_t>(v);
}

int64_t SliderKeyStep(int64_t range, bool shift) {
  const auto step = static_cast<int64_t>(static_cast<double>(range) * 0.05);
  return (shift || step == 0) ? 1 : step;
}

}  // namespace gw
