#include "editor/value_text.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using L = TSetupList;

const TValueTextFormat kWindows1252{'.', "\xB0"};

std::string Text(L list, int32_t item, int32_t v, const TValueTextFormat& format = kWindows1252) {
  return SliderValueText(list, item, v, format).Text;
}
uint32_t Flags(L list, int32_t item, int32_t v = 0) {
  return SliderValueText(list, item, v, kWindows1252).Flags;
}

TEST(ValueText, flagSetsHaveTheirDrawTextValues) {
  EXPECT_EQ(kValueCentred, 2085u);
  EXPECT_EQ(kValueBottom, 41u);
  EXPECT_EQ(kValueTop, 2053u);
  EXPECT_EQ(Flags(L::Diff, 0), kValueBottom);
  EXPECT_EQ(Flags(L::Diff, 4), kValueBottom);
  EXPECT_EQ(Flags(L::Brake, 1), kValueCentred);
  EXPECT_EQ(Flags(L::GeometryRear, 2), kValueCentred);
  EXPECT_EQ(Flags(L::RearSpeed, 10), kValueTop);
}

TEST(ValueText, wholeNumberTexts) {
  EXPECT_EQ(Text(L::Diff, 0, 45), "450Nm");
  EXPECT_EQ(Text(L::Diff, 2, 90), "900Nm");
  EXPECT_EQ(Text(L::Diff, 3, 7), "35%");
  EXPECT_EQ(Text(L::Brake, 0, 483), "4830kPa");
  EXPECT_EQ(Text(L::Tyre, 3, 242), "242kPa");
  EXPECT_EQ(Text(L::SpringFront, 0, 0), "150mm");
  EXPECT_EQ(Text(L::SpringRear, 1, 49), "49kN/m");
  EXPECT_EQ(Text(L::SpringFront, 2, 30), "200mm");
  EXPECT_EQ(Text(L::SpringRear, 3, 5), "5kN/m");
  EXPECT_EQ(Text(L::GeometryFront, 1, 32), "32mm");
  EXPECT_EQ(Text(L::GeometryFront, 3, 6), "6");
  EXPECT_EQ(Text(L::CenterThrottle, 0, 55), "55%");
  EXPECT_EQ(Text(L::Diff, 5, 1), "");  // no such item
}

TEST(ValueText, fixedPointTextsRoundHalfAwayFromZeroWithTheLocaleSeparator) {
  EXPECT_EQ(Text(L::Steering, 0, 50), " 360\xB0");
  EXPECT_EQ(Text(L::Steering, 0, 75), " 540\xB0");
  EXPECT_EQ(Text(L::Steering, 0, 110), " 792\xB0");
  EXPECT_EQ(Text(L::GeometryFront, 0, 0), "335.00mm");
  EXPECT_EQ(Text(L::GeometryFront, 0, 400), "355.00mm");
  EXPECT_EQ(Text(L::GeometryRear, 0, 200), "455.00mm");
  EXPECT_EQ(Text(L::GeometryRear, 0, 1), "445.05mm");
  EXPECT_EQ(Text(L::GeometryFront, 2, 0), " 0.00\xB0");
  EXPECT_EQ(Text(L::GeometryRear, 2, -100), " -5.73\xB0");
  EXPECT_EQ(Text(L::GeometryFront, 2, -200), " -11.46\xB0");
  EXPECT_EQ(Text(L::DamperFront, 0, 25), "2.5kN/m/s");
  EXPECT_EQ(Text(L::DamperRear, 3, 0), "0.0m/s");
  EXPECT_EQ(Text(L::DamperRear, 3, 50), "5.0m/s");
  EXPECT_EQ(Text(L::Rollbar, 1, 250), "50.0kN/m");
  EXPECT_EQ(Text(L::Rollbar, 0, 3), "0.6kN/m");

  const TValueTextFormat german{',', "\xC2\xB0"};  // a UTF-8 system
  EXPECT_EQ(Text(L::GeometryRear, 0, 1, german), "445,05mm");
  EXPECT_EQ(Text(L::GeometryRear, 2, 50, german), " 2,86\xC2\xB0");
  EXPECT_EQ(Text(L::DamperFront, 1, 25, german), "2,5kN/m/s");
  EXPECT_EQ(Text(L::Steering, 0, 75, german), " 540\xC2\xB0");
}

TEST(ValueText, everyPositionOfEveryListHasAText) {
  for (const TCatalogueRow& row : CatalogueRows())
    for (int32_t v = row.Min; v <= row.Max; ++v)
      ASSERT_FALSE(Text(row.List, row.Item, v).empty())
          << SetupListName(row.List) << " " << row.Item << " " << v;
}

TEST(BrakeRatio, sharesOfTheTwoPressures) {
  EXPECT_EQ(BrakeRatioText(0, 0, '.'), "");
  EXPECT_EQ(BrakeRatioText(1000, 0, '.'), "Front 1.00 / Rear 0.00");
  EXPECT_EQ(BrakeRatioText(100, 700, '.'), "Front 0.13 / Rear 0.88");
  EXPECT_EQ(BrakeRatioText(600, 400, ','), "Front 0,60 / Rear 0,40");
  EXPECT_EQ(BrakeRatioText(1, 2, '.'), "Front 0.33 / Rear 0.67");
}

// 75 / 1000 is exactly halfway; its nearest double lies just below and would show 0.07.
TEST(BrakeRatio, exactHalvesRoundUpEvenWhenNoDoubleHoldsThem) {
  EXPECT_EQ(BrakeRatioText(75, 925, '.'), "Front 0.08 / Rear 0.93");
  EXPECT_EQ(BrakeRatioText(1, 199, '.'), "Front 0.01 / Rear 1.00");
  EXPECT_EQ(BrakeRatioText(-1, 0, '.'), "Front 1.00 / Rear 0.00");
  EXPECT_EQ(BrakeRatioText(2147483647, 2147483647, '.'), "Front 0.50 / Rear 0.50");
}

}  // namespace
}  // namespace gw
