#include "compare/compare_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/test_files.h"

namespace gw {
namespace {

// The sample and a copy whose front brake and rear rollbar differ.
TComparison TwoSetups(char decimalSeparator) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(test::SampleSetup(), "a.lsp");
  std::vector<TSetupValues> setups{ValuesFromSetup(doc)};
  GetSetupData(doc, TSetupSection::Drive, TSetupKey::MaxBrakePressureFront).SetFloat(7000000.0f);
  GetSetupData(doc, TSetupSection::Car, TSetupKey::RearRollBarStiffness).SetFloat(1500.0f);
  setups.push_back(ValuesFromSetup(doc));
  return CompareSetups(setups, TValueTextFormat{decimalSeparator, "\xB0"});
}

TEST(ComparisonText, differencesOnlyGiveTheGroupsWithTheirDifferingRows) {
  const TComparison c = TwoSetups('.');
  const TCompareExport how{{"0slot1_Gravel.lsp", "3slot2_Tarmac.lsp"}, true};
  const std::string brakeBefore = c.Rows[5].Cells[0].Text;  // the sample's own front brake
  const std::string rollbarBefore = c.Rows[37].Cells[0].Text;
  ASSERT_EQ(CompareParameters()[5].Caption, "Max Front Pressure");
  ASSERT_EQ(CompareParameters()[37].Caption, "Rear Rollbar Stiffness");
  EXPECT_EQ(ComparisonText(c, how),
            "Parameter\t0slot1_Gravel.lsp\t3slot2_Tarmac.lsp\n"
            "General / Brake\n"
            "Max Front Pressure\t" +
                brakeBefore +
                "\t7000kPa\n"
                "Suspension / Rollbar\n"
                "Rear Rollbar Stiffness\t" +
                rollbarBefore + "\t1.4kN/m\n");

  // Everything: every group title once and one line per parameter.
  const std::string all = ComparisonText(c, {how.Headers, false});
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'),
            static_cast<std::ptrdiff_t>(1 + CompareGroups().size() + CompareParameters().size()));
  EXPECT_NE(all.find("\nGeneral / Gear\nGear set\t"), std::string::npos);
}

TEST(ComparisonCsv, quotesWhatWouldBreakAFieldAndEndsRecordsWithCrLf) {
  const TComparison c = TwoSetups(',');  // a decimal comma puts commas into value texts
  const TCompareExport how{{"open, unsaved.lsp", "the \"fast\" one.lsp"}, true};
  const std::string brakeBefore = c.Rows[5].Cells[0].Text;
  const std::string rollbarBefore = c.Rows[37].Cells[0].Text;
  ASSERT_NE(rollbarBefore.find(','), std::string::npos);
  EXPECT_EQ(ComparisonCsv(c, how),
            "Group,Parameter,\"open, unsaved.lsp\",\"the \"\"fast\"\" one.lsp\"\r\n"
            "General / Brake,Max Front Pressure," +
                brakeBefore +
                ",7000kPa\r\n"
                "Suspension / Rollbar,Rear Rollbar Stiffness,\"" +
                rollbarBefore + "\",\"1,4kN/m\"\r\n");
  const std::string all = ComparisonCsv(c, {how.Headers, false});
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'),
            static_cast<std::ptrdiff_t>(1 + CompareParameters().size()));
}

}  // namespace
}  // namespace gw
