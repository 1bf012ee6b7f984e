#include "editor/settings_file.h"

#include <gtest/gtest.h>

#include "core/test_files.h"

namespace gw {
namespace {

using Lines = std::vector<std::string>;

TEST(CommentBoxText, aFinalLineBreakAddsNoEmptyLine) {
  EXPECT_EQ(CommentTextToLines(""), Lines{});
  EXPECT_EQ(CommentTextToLines("\n"), (Lines{""}));
  EXPECT_EQ(CommentTextToLines("a b\n\n"), (Lines{"a b", ""}));
  EXPECT_EQ(CommentTextToLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(LinesToCommentText({"a b", ""}), "a b\n\n");
}

class SettingsFile : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string path = SettingsFilePath(dir.File("Gravelwright"));
};

TEST_F(SettingsFile, liesBesideTheProgramWithTheIniExtension) {
  EXPECT_EQ(SettingsFilePath("/opt/gw/Gravelwright"), "/opt/gw/Gravelwright.ini");
  EXPECT_EQ(SettingsFilePath("C:\\Tools\\Gravelwright.exe"), "C:\\Tools\\Gravelwright.ini");
}

TEST_F(SettingsFile, missingAndUnusableValuesGiveTheDefaults) {
  TMainSettings s = ReadMainSettings(ProfileIni(path));
  EXPECT_EQ(s.left, -1);
  EXPECT_EQ(s.top, -1);
  EXPECT_TRUE(s.confirmSave);
  EXPECT_EQ(s.runTOV, 0);

  test::WriteBytes(path, "[COMMON]\nLeft=abc\nTop=0x10\nConfirmSave=0x0\nRunTOV=7\n");
  s = ReadMainSettings(ProfileIni(path));
  EXPECT_EQ(s.left, -1);
  EXPECT_EQ(s.top, 16);
  EXPECT_FALSE(s.confirmSave);
  EXPECT_EQ(s.runTOV, 0);
  test::WriteBytes(path, "[COMMON]\nConfirmSave=2\nRunTOV=-1\n");
  EXPECT_TRUE(ReadMainSettings(ProfileIni(path)).confirmSave);
  test::WriteBytes(path, "[COMMON]\nConfirmSave=yes\nRunTOV=2\n");
  s = ReadMainSettings(ProfileIni(path));
  EXPECT_TRUE(s.confirmSave);
  EXPECT_EQ(s.runTOV, 2);
}

TEST_F(SettingsFile, settingsAndCommentsSurviveARestart) {
  {
    ProfileIni ini(path);
    WriteMainSettings(ini, TMainSettings{120, 80, false, 1});
    WriteComment(ini, "/g/SavedGames/0slot1_Tarmac.lsp", {"a b", ""});
    WriteComment(ini, "/g/SavedGames/1slot0_Snow.lsp", {});
  }
  EXPECT_EQ(test::ReadBytes(path),
            "[COMMON]\r\nLeft=120\r\nTop=80\r\nConfirmSave=0\r\nRunTOV=1\r\n"
            "[COMMENT]\r\n0slot1_Tarmac=\"a b\",\r\n1slot0_Snow=\r\n");
  ProfileIni ini(path);
  const TMainSettings s = ReadMainSettings(ini);
  EXPECT_EQ(s.left, 120);
  EXPECT_EQ(s.top, 80);
  EXPECT_FALSE(s.confirmSave);
  EXPECT_EQ(s.runTOV, 1);
  // Keyed by the bare name: the same name in another folder reads the same comment.
  EXPECT_EQ(ReadComment(ini, "/elsewhere/0slot1_Tarmac.lsp"), (Lines{"a b", ""}));
  EXPECT_EQ(ReadComment(ini, "0slot2_none.lsp"), Lines{});
}

TEST_F(SettingsFile, theCompareWindowSizeCountsOnlyWhole) {
  EXPECT_EQ(ReadCompareSettings(ProfileIni(path)).width, -1);
  {
    ProfileIni ini(path);
    WriteCompareSettings(ini, TCompareSettings{900, 640});
  }
  EXPECT_EQ(test::ReadBytes(path), "[COMPARE]\r\nWidth=900\r\nHeight=640\r\n");
  const TCompareSettings s = ReadCompareSettings(ProfileIni(path));
  EXPECT_EQ(s.width, 900);
  EXPECT_EQ(s.height, 640);
  test::WriteBytes(path, "[COMPARE]\nWidth=900\nHeight=0\n");
  EXPECT_EQ(ReadCompareSettings(ProfileIni(path)).width, -1);
}

TEST_F(SettingsFile, namesThatCannotBeKeysAreStoredUnderAnEscapedKeyAndReadBack) {
  {
    ProfileIni ini(path);
    WriteComment(ini, "/g/SavedGames/0slot0_a=b.lsp", {"equals", "sign"});
    WriteComment(ini, "/g/SavedGames/0slot0_a%3Db.lsp", {"percent"});  // never taken for the one above
    WriteComment(ini, "/g/SavedGames/0slot1_x\nline.lsp", {"break"});
  }
  EXPECT_EQ(test::ReadBytes(path),
            "[COMMENT]\r\n%0slot0_a%3Db=equals,sign\r\n0slot0_a%3Db=percent\r\n%0slot1_x%0Aline=break\r\n");
  ProfileIni ini(path);
  EXPECT_EQ(ReadComment(ini, "0slot0_a=b.lsp"), (Lines{"equals", "sign"}));
  EXPECT_EQ(ReadComment(ini, "0slot0_a%3Db.lsp"), (Lines{"percent"}));
  EXPECT_EQ(ReadComment(ini, "0slot1_x\nline.lsp"), (Lines{"break"}));
}

}  // namespace
}  // namespace gw
