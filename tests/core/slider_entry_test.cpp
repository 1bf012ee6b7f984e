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
  EXPECT_EQ((TSliderListBoxDataWrapper{0, TCheckBoxState::cbUnchecked, true, 20, 20, 20}), Entry(50, 20, 30));
  TSliderListBoxDataWrapper r = Entry(0, 100, 50);
  r.SetMin(120);
  EXPECT_EQ((std::tuple{120, 120, 120}), std::tuple(r.Min, r.Max, r.Value));
  r = Entry(0, 100, 50);
  r.SetMax(-5);
  EXPECT_EQ((std::tuple{-5, -5, -5}), std::tuple(r.Min, r.Max, r.Value));
  EXPECT_EQ(90, Entry(0, 90, 500).Value);
  EXPECT_EQ(0, Entry(0, 90, -3).Value);
}

TEST(SliderEntry, percentTruncatesTheExtendedResult) {
  EXPECT_EQ(52, SliderPercent(Entry(0, 100, 53)));
  EXPECT_EQ(58, SliderPercent(Entry(0, 100, 59)));
  EXPECT_EQ(100, SliderPercent(Entry(-7, 13, 13)));
  EXPECT_EQ(0, SliderPercent(Entry(5, 5, 5)));
  // The widest range fits: Max - Min and range * percent are taken in 64 bits.
  EXPECT_EQ(100, SliderPercent(Entry(INT32_MIN, INT32_MAX, INT32_MAX)));
  EXPECT_EQ(49, SliderPercent(Entry(INT32_MIN, INT32_MAX, -1)));
  EXPECT_EQ(-25, SliderValueFromPercent(Entry(-100, 50, 0), 50));
  EXPECT_EQ(INT32_MIN + int64_t{UINT32_MAX} * 255 / 100,
            SliderValueFromPercent(Entry(INT32_MIN, INT32_MAX, 0), 255));
}

// The emulation must match the x87 extended type wherever the compiler has one.
TEST(SliderEntry, extendedArithmeticMatchesLongDouble) {
  if constexpr (std::numeric_limits<long double>::digits != 64) GTEST_SKIP() << "no 64-bit long double here";
  auto check = [](uint64_t a, uint64_t b, uint64_t c) {
    const long double p =
        static_cast<long double>(a) / static_cast<long double>(b) * static_cast<long double>(c);
    ASSERT_EQ(static_cast<uint64_t>(std::trunc(p)), ExtendedQuotientTimesTrunc(a, b, c))
        << a << "/" << b << "*" << c;
    ASSERT_EQ(static_cast<uint64_t>(std::nearbyint(p)), ExtendedQuotientTimesRound(a, b, c))
        << a << "/" << b << "*" << c;
  };
  for (uint64_t b = 1; b <= 300; ++b)
    for (uint64_t a = 0; a <= b; ++a) {
      check(a, b, 100);    // percent
      check(b, a + 1, a);  // track width / range * offset
    }
  std::mt19937_64 rng(7);
  for (int i = 0; i < 200000; ++i) {
    const uint64_t b = (rng() >> 32) + 1;
    check(rng() % (b + 1), b, 100);
    check(rng() >> 52, b, rng() % (b + 1));
  }
}

TEST(SliderEntry, columnWidthsBeyondAnyScreenDoNotWrap) {
  EXPECT_GT(GetSliderRect({0, 0, 200, 24}, 24, {true, UINT32_MAX, 0}).Left, 0);
  EXPECT_LT(GetSliderRect({0, 0, 200, 24}, 24, {true, 0, UINT32_MAX}).Right, 0);
}

TEST(SliderEntry, valueFromPointerOffset) {
  // 10 pixels per unit: value Min + k from t = 10k - 2 to 10k + 7.
  const TSliderListBoxDataWrapper r = Entry(5, 15, 5);
  for (int k = 1; k <= 9; ++k) {
    EXPECT_EQ(5 + k - 1, SliderValueFromOffset(r, 100, 10 * k - 3)) << k;
    EXPECT_EQ(5 + k, SliderValueFromOffset(r, 100, 10 * k - 2)) << k;
    EXPECT_EQ(5 + k, SliderValueFromOffset(r, 100, 10 * k + 7)) << k;
  }
  EXPECT_EQ(5, SliderValueFromOffset(r, 100, -500));
  EXPECT_EQ(15, SliderValueFromOffset(r, 100, 5000));
  EXPECT_EQ(7, SliderValueFromOffset(Entry(5, 15, 7), 0, 50));  // no track: nothing to divide by
  EXPECT_EQ(7, SliderValueFromOffset(Entry(5, 15, 7), -9, 50));
  EXPECT_EQ(INT32_MAX, SliderValueFromOffset(Entry(INT32_MIN, INT32_MAX, 0), 3, 1000));
}

}  // namespace
}  // namespace gw
