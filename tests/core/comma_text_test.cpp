#include "platform/comma_text.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using Lines = std::vector<std::string>;

TEST(CommaText, joinsAndSplitsTheDocumentedExamples) {
  EXPECT_EQ(JoinCommaText({"a b", ""}), "\"a b\",");
  EXPECT_EQ(SplitCommaText("\"a b\","), (Lines{"a b", ""}));
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  EXPECT_EQ(SplitCommaText("\"\""), (Lines{""}));
  EXPECT_EQ(JoinCommaText({"plain"}), "plain");
  EXPECT_EQ(JoinCommaText({"say \"hi\""}), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), (Lines{"say \"hi\""}));
  EXPECT_EQ(JoinCommaText({}), "");
  EXPECT_EQ(SplitCommaText(""), Lines{});
}

TEST(CommaText, splitsLikeTheClassicReader) {
  EXPECT_EQ(SplitCommaText("  a, b ,c"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(SplitCommaText("a b"), (Lines{"a", "b"}));  // unquoted blanks separate too
  EXPECT_EQ(SplitCommaText(",,"), (Lines{"", "", ""}));
  EXPECT_EQ(SplitCommaText("\"ab\"cd"), (Lines{"ab", "cd"}));
  EXPECT_EQ(SplitCommaText("\"open"), (Lines{"open"}));
  EXPECT_EQ(SplitCommaText("a,  "), (Lines{"a"}));  // the comma is not the last character
}

TEST(CommaText, everyListOfLinesSurvivesTheRoundTrip) {
  const Lines cases[] = {
      {"a", "b"}, {"", "x", ""},          {"tab\there", "comma,here"}, {"\"", "\"\""},
      {"", ""},   {"caf\xE9 \xE0 8-bit"}, {"ends with blank "},        {"x", "", "", "y"},
  };
  for (const auto& lines : cases)
    EXPECT_EQ(SplitCommaText(JoinCommaText(lines)), lines) << JoinCommaText(lines);
}

}  // namespace
}  // namespace gw
