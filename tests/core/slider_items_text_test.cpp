#include "widgets/slider_items_text.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/error.h"

namespace gw {
namespace {

using Fields = std::vector<std::string>;

std::string ErrorOf(const std::string& line, TSliderListBoxDataWrapper& r) {
  try {
    ReadSliderEntryFields(SplitCommaText(line), r);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(SliderItemsText, writesQuotingOnlyWhereNeeded) {
  TSliderListBoxDataWrapper r;
  EXPECT_EQ("X,0,10,0,0,1", WriteSliderEntry("X", r));
  r.SetMin(-10);
  r.State = TCheckBoxState::cbGrayed;  // written as unchecked
  r.Enabled = false;
  EXPECT_EQ("Bump,-10,10,0,0,0", WriteSliderEntry("Bump", r));
  EXPECT_EQ("\"Max Steering Lock\",-10,10,0,0,0", WriteSliderEntry("Max Steering Lock", r));
  EXPECT_EQ("\"say \"\"hi\"\", a\tb\",-10,10,0,0,0", WriteSliderEntry("say \"hi\", a\tb", r));
  EXPECT_EQ(",-10,10,0,0,0", WriteSliderEntry("", r));
  EXPECT_EQ("D\xE9part,-10,10,0,0,0", WriteSliderEntry("D\xE9part", r));  // 8-bit letters stay bare
}

TEST(SliderItemsText, splitsLikeTheFormReader) {
  EXPECT_EQ((Fields{"Wheel Axis Inclination", "-200", "0"}),
            SplitCommaText("\"Wheel Axis Inclination\",-200,0"));
  EXPECT_EQ((Fields{"a", "b", "c"}), SplitCommaText("  a b ,\t c"));  // blanks separate fields as well
  EXPECT_EQ((Fields{"a", ""}), SplitCommaText("a,"));                 // only a final comma adds a field
  EXPECT_EQ((Fields{"a"}), SplitCommaText("a, "));
  EXPECT_EQ((Fields{"", "x"}), SplitCommaText(",x"));
  EXPECT_EQ((Fields{"say \"hi\"", "ab", "cd"}), SplitCommaText("\"say \"\"hi\"\"\",\"ab\"cd"));
  EXPECT_EQ((Fields{"open end"}), SplitCommaText("\"open end"));
  EXPECT_EQ((Fields{"a", "b"}), SplitCommaText(std::string("a,b\0,c", 7)));
  EXPECT_TRUE(SplitCommaText(" \r\n").empty());
}

TEST(SliderItemsText, readsFieldsThroughTheSettersAndKeepsThemOnError) {
  TSliderListBoxDataWrapper r;
  EXPECT_EQ("no error", ErrorOf("X,50,20,30,0,1", r));
  EXPECT_EQ((std::tuple{20, 20, 20}), std::tuple(r.Min, r.Max, r.Value));
  EXPECT_EQ("no error", ErrorOf("X,$10,0x20,\" 24\",7,0", r));
  EXPECT_EQ((std::tuple{16, 32, 24, true, false}), std::tuple(r.Min, r.Max, r.Value, r.Checked(), r.Enabled));

  r = {};
  EXPECT_EQ("'abc' is not a valid integer value", ErrorOf("X,5,50,abc,1,1", r));
  EXPECT_EQ((std::tuple{5, 50, 5, false}), std::tuple(r.Min, r.Max, r.Value, r.Checked()));
  EXPECT_EQ("List index out of bounds (5)", ErrorOf("X,1,2,2,1", r));
  EXPECT_TRUE(r.Checked());
  EXPECT_EQ("'' is not a valid integer value", ErrorOf("X,,2,2,1,1", r));
  EXPECT_EQ("'99999999999' is not a valid integer value", ErrorOf("X,99999999999,2,2,1,1", r));
  EXPECT_THROW(CommaField(SplitCommaText(""), 0), Error);
}

TEST(SliderItemsText, roundTripsAnyCaption) {
  std::mt19937 rng(3);
  for (int i = 0; i < 2000; ++i) {
    std::string caption(rng() % 12, ' ');
    for (char& c : caption) c = static_cast<char>(1 + rng() % 255);  // every byte but 0
    TSliderListBoxDataWrapper r;
    r.SetMin(static_cast<int32_t>(rng()));
    r.SetMax(static_cast<int32_t>(rng()));
    r.SetValue(static_cast<int32_t>(rng()));
    r.SetChecked(rng() % 2 == 0);
    r.Enabled = rng() % 2 == 0;
    const Fields fields = SplitCommaText(WriteSliderEntry(caption, r));
    ASSERT_EQ(6u, fields.size()) << caption;
    EXPECT_EQ(caption, fields[0]);
    TSliderListBoxDataWrapper back;
    ReadSliderEntryFields(fields, back);
    EXPECT_EQ(r, back);
  }
}

}  // namespace
}  // namespace gw
