#include "widgets/slider_items_text.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/error.h"

namespace gw {
namespace {

using Fields = std::vector<std::string>;

TSliderListBoxDataWrapper Read(const std::string& line) {
  TSliderListBoxDataWrapper r;
  ReadSliderEntryFields(SplitCommaText(line), r);
  return r;
}

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
  r.SetMin(10);
  r.SetMax(100);
  EXPECT_EQ("Bump,10,100,10,0,1", WriteSliderEntry("Bump", r));
  EXPECT_EQ("\"Max Steering Lock\",10,100,10,0,1", WriteSliderEntry("Max Steering Lock", r));
  EXPECT_EQ("\"say \"\"hi\"\"\",10,100,10,0,1", WriteSliderEntry("say \"hi\"", r));
  EXPECT_EQ("\"a,b\",10,100,10,0,1", WriteSliderEntry("a,b", r));
  EXPECT_EQ("\"tab\there\",10,100,10,0,1", WriteSliderEntry("tab\there", r));
  EXPECT_EQ(",10,100,10,0,1", WriteSliderEntry("", r));
  EXPECT_EQ("D\xE9part,10,100,10,0,1", WriteSliderEntry("D\xE9part", r));  // 8-bit letters stay bare

  r = TSliderListBoxDataWrapper{};
  r.SetMin(-200);
  r.SetMax(0);
  r.State = TCheckBoxState::cbGrayed;
  r.Enabled = false;
  EXPECT_EQ("G,-200,0,0,0,0", WriteSliderEntry("G", r));
  r.State = TCheckBoxState::cbChecked;
  EXPECT_EQ("G,-200,0,0,1,0", WriteSliderEntry("G", r));
}

TEST(SliderItemsText, splitsLikeTheFormReader) {
  EXPECT_EQ((Fields{"Wheel Axis Inclination", "-200", "0", "-200", "0", "1"}),
            SplitCommaText("\"Wheel Axis Inclination\",-200,0,-200,0,1"));
  EXPECT_EQ((Fields{"a", "b", "c"}), SplitCommaText("  a b ,\t c"));  // blanks separate fields as well
  EXPECT_EQ((Fields{"a", ""}), SplitCommaText("a,"));                 // a final comma adds an empty field
  EXPECT_EQ((Fields{"a"}), SplitCommaText("a, "));
  EXPECT_EQ((Fields{"", "x"}), SplitCommaText(",x"));
  EXPECT_EQ((Fields{"say \"hi\"", "1"}), SplitCommaText("\"say \"\"hi\"\"\",1"));
  EXPECT_EQ((Fields{"ab", "cd"}), SplitCommaText("\"ab\"cd"));
  EXPECT_EQ((Fields{"open end"}), SplitCommaText("\"open end"));
  EXPECT_EQ((Fields{"a", "b"}), SplitCommaText(std::string("a,b\0,c", 7)));
  EXPECT_EQ((Fields{"D\xE9part"}), SplitCommaText("D\xE9part"));
  EXPECT_TRUE(SplitCommaText("").empty());
  EXPECT_TRUE(SplitCommaText(" \r\n").empty());
}

TEST(SliderItemsText, readsFieldsThroughTheSetters) {
  const TSliderListBoxDataWrapper wheel = Read("\"Wheel Axis Inclination\",-200,0,-200,0,1");
  EXPECT_EQ(-200, wheel.Min);
  EXPECT_EQ(0, wheel.Max);
  EXPECT_EQ(-200, wheel.Value);
  EXPECT_FALSE(wheel.Checked());
  EXPECT_TRUE(wheel.Enabled);

  const TSliderListBoxDataWrapper crossed = Read("X,50,20,30,0,1");
  EXPECT_EQ(20, crossed.Min);
  EXPECT_EQ(20, crossed.Max);
  EXPECT_EQ(20, crossed.Value);

  const TSliderListBoxDataWrapper hex = Read("X,$10,0x20,\" 24\",7,0");
  EXPECT_EQ(16, hex.Min);
  EXPECT_EQ(32, hex.Max);
  EXPECT_EQ(24, hex.Value);
  EXPECT_TRUE(hex.Checked());
  EXPECT_FALSE(hex.Enabled);
}

TEST(SliderItemsText, badFieldsRaiseAndKeepWhatWasRead) {
  TSliderListBoxDataWrapper r;
  EXPECT_EQ("'abc' is not a valid integer value", ErrorOf("X,5,50,abc,1,1", r));
  EXPECT_EQ(5, r.Min);
  EXPECT_EQ(50, r.Max);
  EXPECT_EQ(5, r.Value);
  EXPECT_FALSE(r.Checked());

  r = {};
  EXPECT_EQ("List index out of bounds (5)", ErrorOf("X,1,2,2,1", r));
  EXPECT_TRUE(r.Checked());
  EXPECT_EQ("'' is not a valid integer value", ErrorOf("X,,2,2,1,1", r));
  EXPECT_EQ("'12x' is not a valid integer value", ErrorOf("X,12x,2,2,1,1", r));
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
