#include "widgets/slider_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace gw {
namespace {

TSliderListBoxDataWrapper Entry(int32_t min, int32_t max, int32_t value) {
  TSliderListBoxDataWrapper r;
  r.SetMin(min);
  r.SetMax(max);
  r.SetValue(value);
  return r;
}

TEST(SliderEntry, settersClampInTheirOrder) {
  TSliderListBoxDataWrapper r;
  r.SetMin(50);
  r.SetMax(20);
  r.SetValue(30);
  EXPECT_EQ((TSliderListBoxDataWrapper{0, TCheckBoxState::cbUnchecked, true, 20, 20, 20}), r);

  r = Entry(0, 100, 50);
  r.SetMin(120);
  EXPECT_EQ(120, r.Min);
  EXPECT_EQ(120, r.Max);
  EXPECT_EQ(120, r.Value);

  r = Entry(0, 100, 50);
  r.SetMax(-5);
  EXPECT_EQ(-5, r.Min);
  EXPECT_EQ(-5, r.Max);
  EXPECT_EQ(-5, r.Value);

  r = Entry(0, 90, 0);
  r.SetValue(500);
  EXPECT_EQ(90, r.Value);
  r.SetValue(-3);
  EXPECT_EQ(0, r.Value);
}

TEST(SliderEntry, percentTruncatesTheExtendedResult) {
  EXPECT_EQ(52, SliderPercent(Entry(0, 100, 53)));
  EXPECT_EQ(58, SliderPercent(Entry(0, 100, 59)));
  EXPECT_EQ(50, SliderPercent(Entry(0, 100, 50)));
  EXPECT_EQ(100, SliderPercent(Entry(-7, 13, 13)));
  EXPECT_EQ(0, SliderPercent(Entry(5, 5, 5)));
  // The widest range does not overflow.
  EXPECT_EQ(100, SliderPercent(Entry(INT32_MIN, INT32_MAX, INT32_MAX)));
  EXPECT_EQ(49, SliderPercent(Entry(INT32_MIN, INT32_MAX, -1)));

  EXPECT_EQ(-25, SliderValueFromPercent(Entry(-100, 50, 0), 50));
  EXPECT_EQ(200, SliderValueFromPercent(Entry(0, 100, 0), 200));
  EXPECT_EQ(INT32_MIN + (int64_t{UINT32_MAX} * 255) / 100, SliderValueFromPercent(Entry(INT32_MIN, INT32_MAX, 0), 255));
}

// The emulation must match the x87 extended type wherever the compiler has one.
TEST(SliderEntry, extendedArithmeticMatchesLongDouble) {
  if constexpr (std::numeric_limits<long double>::digits != 64) GTEST_SKIP() << "no 64-bit long double here";
  auto check = [](uint64_t a, uint64_t b, uint64_t c) {
    const long double q = static_cast<long double>(a) / static_cast<long double>(b);
    const long double p = q * static_cast<long double>(c);
    ASSERT_EQ(static_cast<uint64_t>(std::trunc(p)), ExtendedQuotientTimesTrunc(a, b, c)) << a << "/" << b << "*" << c;
    ASSERT_EQ(static_cast<uint64_t>(std::nearbyint(p)), ExtendedQuotientTimesRound(a, b, c))
        << a << "/" << b << "*" << c;
  };
  for (uint64_t b = 1; b <= 300; ++b)
    for (uint64_t a = 0; a <= b; ++a) {
      check(a, b, 100);
      check(b, a + 1, a);  // track width / range * offset, also with offsets beyond the range
    }
  std::mt19937_64 rng(7);
  for (int i = 0; i < 200000; ++i) {
    const uint64_t b = (rng() >> 32) + 1;
    check(rng() % (b + 1), b, 100);
    check(rng() >> 52, b, rng() % (b + 1));
  }
}

TEST(SliderEntry, sliderRectForBothLayouts) {
  const TRect R{0, 0, 200, 24};
  EXPECT_EQ((TRect{42, 6, 168, 18}), GetSliderRect(R, 24, {true, 40, 30}));
  EXPECT_EQ((TRect{2, 16, 198, 22}), GetSliderRect(R, 24, {false, 40, 30}));
  EXPECT_EQ((TRect{2, 14 + 44, 198, 20 + 44}), GetSliderRect({0, 44, 200, 66}, 22, {}));
  // Column widths beyond any screen must not wrap around.
  EXPECT_GT(GetSliderRect(R, 24, {true, UINT32_MAX, 0}).Left, 0);
}

TEST(SliderEntry, textRectangles) {
  const TRect R{16, 0, 216, 24};
  const TRect wide = GetSliderRect(R, 24, {true, 0, 40});
  EXPECT_LT(SliderCaptionRect(R, wide, true).Width(), 0);  // TextWidth 0: no room for a caption
  EXPECT_EQ((TRect{176, 0, 214, 24}), SliderValueRect(R, wide, true, 0, 16));
  const TRect two = GetSliderRect(R, 24, {});
  EXPECT_EQ((TRect{18, 0, 214, 15}), SliderCaptionRect(R, two, false));
  EXPECT_EQ((TRect{183, 0, 214, 15}), SliderValueRect(R, two, false, 30, 16));
  EXPECT_EQ((TRect{16, 0, 214, 15}), SliderValueRect(R, two, false, 500, 16));
  EXPECT_EQ((TRect{2, 3, 15, 16}), CheckGlyphRect({0, 0, 17, 20}, 13));
}

TEST(SliderEntry, fillWidthRoundsHalvesToEven) {
  EXPECT_EQ(12, SliderFillWidth(100, 8, 1));  // 12.5
  EXPECT_EQ(38, SliderFillWidth(100, 8, 3));  // 37.5
  EXPECT_EQ(100, SliderFillWidth(100, 8, 8));
  EXPECT_EQ(0, SliderFillWidth(100, 8, 0));
  EXPECT_EQ(0, SliderFillWidth(100, 0, 0));
  EXPECT_EQ(0, SliderFillWidth(-6, 8, 4));
  EXPECT_EQ(33, SliderFillWidth(100, 3, 1));
}

TEST(SliderEntry, lineBarNeverInvertsItself) {
  const TRect L = SliderLineTrack({10, 6, 110, 18}, true);
  EXPECT_EQ((TRect{10, 7, 110, 17}), L);
  EXPECT_EQ((TRect{11, 8, 11, 16}), SliderLineBar(L, 12));  // f = 2: the bar has no width
  EXPECT_EQ((TRect{11, 8, 109, 16}), SliderLineBar(L, 110));
  EXPECT_EQ((TRect{10, 16, 110, 21}), SliderLineTrack({10, 16, 110, 22}, false));
}

TEST(SliderEntry, temperatureColours) {
  EXPECT_EQ((TRgb{0, 255, 0}), TemperatureColor(0));
  EXPECT_EQ((TRgb{127, 255, 0}), TemperatureColor(25));
  EXPECT_EQ((TRgb{255, 255, 0}), TemperatureColor(50));
  EXPECT_EQ((TRgb{255, 0, 0}), TemperatureColor(100));
}

TEST(SliderEntry, valueFromPointerOffset) {
  // 10 pixels per unit: value Min + k from t = 10k - 2 to 10k + 7.
  const TSliderListBoxDataWrapper r = Entry(5, 15, 5);
  for (int k = 1; k <= 9; ++k) {
    EXPECT_EQ(5 + k, SliderValueFromOffset(r, 100, 10 * k - 2)) << k;
    EXPECT_EQ(5 + k, SliderValueFromOffset(r, 100, 10 * k + 7)) << k;
    EXPECT_EQ(5 + k - 1, SliderValueFromOffset(r, 100, 10 * k - 3)) << k;
  }
  EXPECT_EQ(5, SliderValueFromOffset(r, 100, -500));
  EXPECT_EQ(15, SliderValueFromOffset(r, 100, 5000));
  EXPECT_EQ(7, SliderValueFromOffset(Entry(5, 15, 7), 0, 50));   // no track: no change
  EXPECT_EQ(7, SliderValueFromOffset(Entry(7, 7, 7), 100, 50));  // no range: no change
  EXPECT_EQ(INT32_MAX, SliderValueFromOffset(Entry(INT32_MIN, INT32_MAX, 0), 3, 1000));
}

TEST(SliderEntry, keyStep) {
  EXPECT_EQ(4, SliderKeyStep(90, false));
  EXPECT_EQ(1, SliderKeyStep(20, false));
  EXPECT_EQ(50, SliderKeyStep(1000, false));
  EXPECT_EQ(1, SliderKeyStep(1000, true));
  EXPECT_EQ(1, SliderKeyStep(0, false));
  for (const int64_t r : {int64_t{20}, int64_t{39}, int64_t{41}, int64_t{12345}, (int64_t{1} << 26) - 1}) EXPECT_EQ(r / 20, SliderKeyStep(r, false)) << r;
}

}  // namespace
}  // namespace gw
