#include "editor/copy_values.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_files.h"
#include "platform/error.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

int GroupIndex(std::string_view caption) {
  for (int i = 0; i < kCopyGroupCount; ++i)
    if (CopyGroups[static_cast<std::size_t>(i)].Caption == caption) return i;
  return -1;
}

// Counts the entries a copy list writes (a map key counts eleven times).
int EntryCount(const std::vector<TCopyPair>& list) {
  int n = 0;
  for (const auto& pair : list) n += SetupKeyName(pair.Key).back() == '_' ? kMapPointCount : 1;
  return n;
}

TEST(CopyGroups, captionsAndSizesAreThePlayersOwn) {
  ASSERT_EQ(GroupIndex("Diff. Torque"), 0);
  EXPECT_EQ(GroupIndex("Diff.Map - Front "), 17);
  EXPECT_EQ(GroupIndex("Geometry -Rear"), 12);
  EXPECT_EQ(GroupIndex("Diff.Map - Speed"), 21);
  EXPECT_EQ(EntryCount(BuildCopyList({11})), 8);
  EXPECT_EQ(EntryCount(BuildCopyList({21})), 88);
  const auto front = BuildCopyList({7});
  ASSERT_EQ(front.size(), 8u);
  EXPECT_EQ(front[0].Section, TSetupSection::SpringDamperLF);
  EXPECT_EQ(front[3].Key, TSetupKey::BumpHighSpeedBreak);
  EXPECT_EQ(front[4].Section, TSetupSection::SpringDamperRF);
  // Groups in table order whatever the order of the selection; shared pairs twice.
  const auto both = BuildCopyList({19, 15});
  ASSERT_EQ(both.size(), 8u);
  EXPECT_EQ(both[0].Key, TSetupKey::CenterDiffThrottle_);
  EXPECT_EQ(both[4].Key, TSetupKey::CenterDiffThrottle_);
}

class CopyToFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.Path() / "SavedGames");
    source.LoadFromBytes(test::SampleSetup(), Saved("0slot0_Source.lsp"));
    // A clearly different destination: every float value of the sample halved.
    TTOVCarSetup other;
    other.LoadFromBytes(test::SampleSetup(), "x");
    for (int s = 0; s < other.SectionCount(); ++s)
      for (int i = 0; i < other.GetSection(s)->Count(); ++i) {
        TTOVCarSetupData* d = other.GetSection(s)->GetData(i);
        if (d->IsFloat())
          d->SetFloat(d->FloatValue() / 2 + 1);
        else
          d->SetInteger(d->IntValue() + 1);
      }
    destBytes = other.SaveToBytes();
    for (const char* name : {"0slot1_A.lsp", "0slot2_B.lsp", "1slot0_C.lsp"})
      test::WriteBytes(Saved(name), destBytes);
  }
  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  const TTOVCarSetupData& In(const TTOVCarSetup& doc, std::string_view s, std::string_view k) const {
    return *doc.FindSection(s)->FindData(k);
  }

  test::TempDir dir;
  std::string install = dir.Path().string();
  TTOVCarSetup source;
  std::string destBytes;
};

TEST_F(CopyToFiles, copiesTheChosenEntriesAndChangesNothingElse) {
  CopyValuesToFile(source, install, "0slot1_A.lsp", BuildCopyList({GroupIndex("Geometry - Front")}));
  TTOVCarSetup before, after;
  before.LoadFromBytes(destBytes, "before");
  after.LoadFromFile(Saved("0slot1_A.lsp"));
  int changedLines = 0;
  for (std::size_t i = 0; i < before.Lines().size(); ++i)
    changedLines += before.Lines()[i] != after.Lines()[i];
  EXPECT_EQ(changedLines, 8);
  for (const char* wheel : {"WheelLF", "WheelRF"})
    for (const char* key : {"SteeringRodLength", "StrutPlatformHeight", "WheelAxisInclination"})
      EXPECT_EQ(In(after, wheel, key).FloatValue(), In(source, wheel, key).FloatValue()) << wheel << key;
  EXPECT_EQ(In(after, "WheelLF", "TopMountSlot").IntValue(),
            In(source, "WheelLF", "TopMountSlot").IntValue());
}

TEST_F(CopyToFiles, equalValuesLeaveTheLinesButTheFileIsWritten) {
  const std::string path = Saved("0slot1_A.lsp");
  test::WriteBytes(path, test::SampleSetup());
  CopyValuesToFile(source, install, "0slot1_A.lsp",
                   BuildCopyList({GroupIndex("Diff.Map - Center"), GroupIndex("Diff.Map - Throttle")}));
  std::string sample = test::SampleSetup();
  EXPECT_EQ(test::ReadBytes(path), sample + '\0');  // rewritten in the document's layout, values unchanged
}

TEST_F(CopyToFiles, valueModeErrorNamesFileAndKeyAndStopsBeforeTheFailingFile) {
  // The second destination holds an integer where the source has a float.
  std::string bad = destBytes;
  const auto at = bad.find("FrontRollBarStiffness ");
  bad.replace(at, bad.find('\n', at) - at, "FrontRollBarStiffness 12");
  test::WriteBytes(Saved("0slot2_B.lsp"), bad);

  const auto list = BuildCopyList({GroupIndex("Rollbar - Front")});
  std::string message;
  for (const char* name : {"0slot1_A.lsp", "0slot2_B.lsp", "1slot0_C.lsp"}) {
    message = test::ErrorMessageOf([&] { CopyValuesToFile(source, install, name, list); });
    if (message != "(no error)") break;
  }
  EXPECT_EQ(message, "Invalid data.\nThe value mode is different.\nDestFile = " + Saved("0slot2_B.lsp") +
                         "\nKey = FrontRollBarStiffness");
  EXPECT_NE(test::ReadBytes(Saved("0slot1_A.lsp")), destBytes);  // written before the failure
  EXPECT_EQ(test::ReadBytes(Saved("0slot2_B.lsp")), bad);        // the failing one untouched
  EXPECT_EQ(test::ReadBytes(Saved("1slot0_C.lsp")), destBytes);  // after it: never reached
}

TEST_F(CopyToFiles, aMissingEntryIsReportedWithItsFileSectionAndKey) {
  std::string trimmed = destBytes;
  const auto at = trimmed.find(" RearRollBarStiffness ");
  trimmed.erase(at, trimmed.find('\n', at) - at + 1);
  test::WriteBytes(Saved("0slot1_A.lsp"), trimmed);
  EXPECT_EQ(
      test::ErrorMessageOf([&] { CopyValuesToFile(source, install, "0slot1_A.lsp", BuildCopyList({14})); }),
      "Invalid data.\nThe key is missing.\nDestFile = " + Saved("0slot1_A.lsp") +
          "\nKey = Car.RearRollBarStiffness");
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_A.lsp")), trimmed);

  TTOVCarSetup empty;
  EXPECT_THAT(
      test::ErrorMessageOf([&] { CopyValuesToFile(empty, install, "0slot2_B.lsp", BuildCopyList({4})); }),
      HasSubstr("SourceFile = \nKey = Car.MaxSteeringLock"));
  EXPECT_THAT(
      test::ErrorMessageOf([&] { CopyValuesToFile(source, install, "9slot9_none.lsp", BuildCopyList({4})); }),
      HasSubstr("File not found = "));
}

}  // namespace
}  // namespace gw
