#pragma once
// The numbers of one slider list entry, free of any window: the entry record with its clamping setters,
// the percent conversions, and the geometry and arithmetic that drawing and pointer input share.
// Rectangles here are (Left, Top, Right, Bottom) with Right and Bottom exclusive.

#include <cstdint>

namespace gw {

enum class TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

// One entry's slider state. The setters keep Min <= Value <= Max.
struct TSliderListBoxDataWrapper {
  uint32_t Data = 0;
  TCheckBoxState State = TCheckBoxState::cbUnchecked;
  bool Enabled = true;
  int32_t Min = 0;
  int32_t Max = 10;
  int32_t Value = 0;

  // Min then Max then Value: a later bound drags the others along, so the order of the calls decides.
  void SetMin(int32_t m);
  void SetMax(int32_t m);
  void SetValue(int32_t v);
  bool Checked() const { return State == TCheckBoxState::cbChecked; }
  void SetChecked(bool b) { State = b ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked; }

  bool operator==(const TSliderListBoxDataWrapper&) const = default;
};

// The position as 0..100 of the range, truncated. Computed as the 64-bit-significand arithmetic the format
// was defined with, so 53 of 100 gives 52 on every compiler.
int32_t SliderPercent(const TSliderListBoxDataWrapper& r);
// The value for a percentage (255 allowed), not yet clamped.
int64_t SliderValueFromPercent(const TSliderListBoxDataWrapper& r, uint8_t percent);

// trunc(a / b * c) and round-half-even(a / b * c), each step rounded to a 64-bit significand, for
// 0 <= a, c <= 2^32 and 0 < b <= 2^32.
uint64_t ExtendedQuotientTimesTrunc(uint64_t a, uint64_t b, uint64_t c);
uint64_t ExtendedQuotientTimesRound(uint64_t a, uint64_t b, uint64_t c);

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  TRect Inset(int n) const { return {Left + n, Top + n, Right - n, Bottom - n}; }
  bool operator==(const TRect&) const = default;
};

struct TSliderColumns {
  bool Wide = false;
  uint32_t TextWidth = 0;
  uint32_t ValueWidth = 0;
};

// The bar band of an entry rectangle R in a list of entry height H.
TRect GetSliderRect(const TRect& R, int H, const TSliderColumns& c);
// The check-box glyph of size cw centred in the check column R.
TRect CheckGlyphRect(const TRect& R, int cw);
// Filled width of a track w pixels wide: w / range * offset, halves to even; 0 for an empty range.
int SliderFillWidth(int w, int64_t range, int64_t offset);
// The sunken track of the line style and the bar inside it (its right side never left of its left side).
TRect SliderLineTrack(const TRect& S, bool wide);
TRect SliderLineBar(const TRect& track, int fillRight);
// Caption and value rectangles; valueTextWidth is used by the two-line layout only.
TRect SliderCaptionRect(const TRect& R, const TRect& S, bool wide);
TRect SliderValueRect(const TRect& R, const TRect& S, bool wide, int valueTextWidth, int checkColumnWidth);

struct TRgb {
  uint8_t R = 0, G = 0, B = 0;
  bool operator==(const TRgb&) const = default;
};
// Green at the low end, yellow in the middle, red at the high end.
TRgb TemperatureColor(int32_t percent);

// The value under pointer offset t from the track's left end, w the track width in pixels. A quarter unit
// of bias makes the value change a little before the pointer reaches its mark. Returns the value clamped
// to the range; `value` itself when the range is empty or the track has no width.
int32_t SliderValueFromOffset(const TSliderListBoxDataWrapper& r, int w, int t);

// The arrow-key step: 5 % of the range, truncated, at least 1; 1 with Shift.
int64_t SliderKeyStep(int64_t range, bool shift);

}  // namespace gw
