#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gw {
namespace {

TEST(TryStrToInt, readsDecimalAndEveryHexPrefix) {
  const std::pair<const char*, int32_t> cases[] = {
      {"0", 0},
      {"-3", -3},
      {"+12", 12},
      {"1234567", 1234567},
      {"$10", 16},
      {"x1f", 31},
      {"X1F", 31},
      {"0x10", 16},
      {"0X10", 16},
      {"-$10", -16},
      {"  42", 42},
      {"2147483646", 2147483646},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"$FFFFFFFF", -1},
      {"0x7FFFFFFF", 2147483647},
  };
  for (const auto& [text, expected] : cases) {
    int32_t v = 99;
    EXPECT_TRUE(TryStrToInt(text, v)) << text;
    EXPECT_EQ(v, expected) << text;
  }
}

TEST(TryStrToInt, refusesJunkOverflowAndEmptyDigits) {
  for (const char* text : {"", "-", "$", "0x", "1.5", "540.0", "12a", "2147483648", "-2147483649",
                           "$100000000", "1 ", "0x-1", "--1", "abc"}) {
    int32_t v = 7;
    EXPECT_FALSE(TryStrToInt(text, v)) << text;
    EXPECT_EQ(v, 7) << text;
  }
}

TEST(TryIniStrToInt, takesHexOnlyAfterZeroX) {
  int32_t v = 7;
  EXPECT_TRUE(TryIniStrToInt("0x10", v));
  EXPECT_EQ(v, 16);
  EXPECT_TRUE(TryIniStrToInt("-0X10", v));
  EXPECT_EQ(v, -16);
  EXPECT_TRUE(TryIniStrToInt("-60", v));
  EXPECT_EQ(v, -60);
  for (const char* text : {"$10", "x10", "X10", "-$10", "+x1", "0x", "1 "}) {
    v = 7;
    EXPECT_FALSE(TryIniStrToInt(text, v)) << text;
    EXPECT_EQ(v, 7) << text;
  }
}

TEST(TryStrToFloat, readsDecimalTextToTheNearestFloat) {
  float v = 0;
  ASSERT_TRUE(TryStrToFloat("0.500000", v));
  EXPECT_EQ(v, 0.5f);
  ASSERT_TRUE(TryStrToFloat("-16.700001", v));
  EXPECT_EQ(v, -16.700001f);
  ASSERT_TRUE(TryStrToFloat("+1.5e3", v));
  EXPECT_EQ(v, 1500.0f);
  ASSERT_TRUE(TryStrToFloat(".25", v));
  EXPECT_EQ(v, 0.25f);
  ASSERT_TRUE(TryStrToFloat("3.", v));
  EXPECT_EQ(v, 3.0f);
  ASSERT_TRUE(TryStrToFloat("1.0e-60", v));  // below the float range reads as zero
  EXPECT_EQ(v, 0.0f);
}

TEST(TryStrToFloat, refusesWhatIsNoDecimalNumber) {
  for (const char* text : {"", ".", "-.", "1,5", "1.5x", "1e", "1e+", "inf", "nan", "0x1.0p3", "1.0e60",
                           "1.2.3", " 1.5", "1.5 "}) {
    float v = 7;
    EXPECT_FALSE(TryStrToFloat(text, v)) << text;
    EXPECT_EQ(v, 7.0f) << text;
  }
}

TEST(FormatFloat6, roundsTheExactFloatWithHalvesAwayFromZero) {
  EXPECT_EQ(FormatFloat6(0.25f), "0.250000");
  EXPECT_EQ(FormatFloat6(0.0078125f), "0.007813");
  EXPECT_EQ(FormatFloat6(-0.0078125f), "-0.007813");
  EXPECT_EQ(FormatFloat6(-0.0000001f), "0.000000");
  EXPECT_EQ(FormatFloat6(-0.0f), "0.000000");
  EXPECT_EQ(FormatFloat6(16.700001f), "16.700001");
  EXPECT_EQ(FormatFloat6(4831478.860261f), "4831479.000000");
  EXPECT_EQ(FormatFloat6(1e20f), "100000002004087734272.000000");
  EXPECT_EQ(FormatFloat6(std::numeric_limits<float>::max()),
            "340282346638528859811704183484516925440.000000");
  EXPECT_EQ(FormatFloat6(1.5e-6f), "0.000002");  // 1.50000005e-6 exactly: above the half
}

TEST(FormatFloat6, agreesWithTheExactExpansionAcrossMagnitudes) {
  // Every text must read back as the nearest float of the printed value and always carry six decimals.
  for (float v = 1e-7f; v < 1e12f; v *= 1.37f) {
    for (float s : {v, -v}) {
      const std::string text = FormatFloat6(s);
      ASSERT_EQ(text.size() - text.find('.'), 7u) << text;
      float back = 0;
      ASSERT_TRUE(TryStrToFloat(text, back)) << text;
      EXPECT_NEAR(back, s, 5e-7 + std::fabs(s) * 1e-7) << text;
    }
  }
}

TEST(FormatFixed, writesEighteenDigitsThenRoundsHalfAwayFromZero) {
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
  EXPECT_EQ(FormatFixed(-0.125, 2), "-0.13");
  EXPECT_EQ(FormatFixed(2.5, 0), "3");
  EXPECT_EQ(FormatFixed(0.35, 1), "0.3");  // the double is 0.349999999999999977...
  EXPECT_EQ(FormatFixed(2.675, 2), "2.67");
  EXPECT_EQ(FormatFixed(9.96, 1), "10.0");
  EXPECT_EQ(FormatFixed(0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(0.006, 2), "0.01");
  EXPECT_EQ(FormatFixed(0, 1), "0.0");
  EXPECT_EQ(FormatFixed(123456.0, 0), "123456");
  EXPECT_EQ(FormatFixed(1.05, 1, ','), "1,1");
  EXPECT_EQ(FormatFixed(1e-30, 3), "0.000");
  EXPECT_EQ(FormatFixed(12.5, 3), "12.500");
}

TEST(FormatInt, writesPlainDecimal) {
  EXPECT_EQ(FormatInt(-3), "-3");
  EXPECT_EQ(FormatInt(0), "0");
  EXPECT_EQ(FormatInt(2147483647), "2147483647");
}

}  // namespace
}  // namespace gw
