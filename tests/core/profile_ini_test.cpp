#include "platform/profile_ini.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "core/test_files.h"
#include "platform/error.h"

namespace gw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A file as players have it: comments, blank lines inside sections, mixed spacing, a quoted value.
const char* const kGameIni =
    "; game options\r\n"
    "[Settings]\r\n"
    "Fullscreen = true\r\n"
    "\r\n"
    "RunIntro=false\r\n"
    "  sound   =  1  \r\n"
    "Name=\"Quoted, value\"\r\n"
    "; trailing comment\r\n"
    "\r\n"
    "[Other]\r\n"
    "Fullscreen = other\r\n"
    "[settings]\r\n"
    "Late=1\r\n";

TEST(ProfileRead, matchesNamesIgnoringCaseAndBlanksAndKeepsValuesWhole) {
  const std::string text = kGameIni;
  auto read = [&](std::string_view s, std::string_view k) {
    const auto w = LocateProfileValue(text, s, k);
    return w.keyFound ? text.substr(w.valueStart, w.valueEnd - w.valueStart) : std::string("<none>");
  };
  EXPECT_EQ(read("Settings", "Fullscreen"), "true");
  EXPECT_EQ(read("SETTINGS", "SOUND"), "1");
  EXPECT_EQ(read(" settings ", "runintro"), "false");
  EXPECT_EQ(read("Settings", "Name"), "\"Quoted, value\"");
  EXPECT_EQ(read("Other", "Fullscreen"), "other");
  EXPECT_EQ(read("Settings", "Late"), "<none>");  // the first of duplicate sections wins
  EXPECT_EQ(read("Missing", "Fullscreen"), "<none>");
  EXPECT_EQ(read("Settings", "; game options"), "<none>");
}

TEST(ProfileWrite, changesOnlyTheValueBytes) {
  const std::string text = kGameIni;
  std::string out = SetProfileValue(text, "settings", "SOUND", "0");
  std::string expected = text;
  const auto at = expected.find("1  \r\n");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 3, std::string("0"));
  EXPECT_EQ(out, expected);
  EXPECT_EQ(SetProfileValue(text, "Settings", "Fullscreen", "true"), text);  // the value it holds
}

TEST(ProfileWrite, addsKeysAfterTheLastNonBlankLineOfTheirSectionAndNewSectionsAtTheEnd) {
  const std::string text = kGameIni;
  std::string out = SetProfileValue(text, "Settings", "WaitRetrace", "false");
  std::string expected = text;
  expected.insert(expected.find("\r\n\r\n[Other]"), "\r\nWaitRetrace=false");
  EXPECT_EQ(out, expected);

  out = SetProfileValue("[A]\nx=1", "B", "y", "2");
  EXPECT_EQ(out, "[A]\nx=1\n[B]\ny=2\n");
  EXPECT_EQ(SetProfileValue("", "COMMON", "Left", "10"), "[COMMON]\r\nLeft=10\r\n");
  EXPECT_EQ(SetProfileValue("[A]\rx=1\r", "A", "z", "3"), "[A]\rx=1\rz=3\r");
  EXPECT_EQ(SetProfileValue("[A]", "A", "z", "3"), "[A]\r\nz=3\r\n");
}

TEST(ProfileWrite, removesOnlyTheKeysLine) {
  EXPECT_EQ(RemoveProfileKey("[S]\nMusic00 =a\nMusic10=b\n[T]\n", "s", "music00"), "[S]\nMusic10=b\n[T]\n");
  EXPECT_EQ(RemoveProfileKey("[S]\nA=1", "S", "B"), "[S]\nA=1");
  EXPECT_EQ(RemoveProfileKey("[S]\r\nA=1\r\nB=2", "S", "B"), "[S]\r\nA=1");
}

TEST(ProfileWrite, aKeyAddedAndRemovedLeavesTheSameBytesWhateverTheLineBreaks) {
  // A file that ended without a break keeps the break its new last line brought, as with Windows.
  for (const auto& [text, after] :
       std::vector<std::pair<std::string, std::string>>{{"[A]\rx=1\r[S]\n\n", "[A]\rx=1\r[S]\n\n"},
                                                        {"[S]\r\nA=1\r\n", "[S]\r\nA=1\r\n"},
                                                        {"[S]\rA=1", "[S]\rA=1\r"},
                                                        {"[S]", "[S]\r\n"},
                                                        {"[T]\n[S]\r\n\r\n[U]\n", "[T]\n[S]\r\n\r\n[U]\n"}}) {
    const std::string added = SetProfileValue(text, "S", "k", "v");
    EXPECT_EQ(RemoveProfileKey(added, "S", "k"), after) << added;
  }
}

// The four rare cases where the Windows profile functions were recorded doing something else than a plain
// reading of the file would suggest; the game reads its files through them.
TEST(ProfileAsWindows, aKeyAddedToAFinalSectionWithoutLineBreakEndsWithTheFilesBreak) {
  EXPECT_EQ(SetProfileValue("[S]\r\nA=1", "S", "B", "2"), "[S]\r\nA=1\r\nB=2\r\n");
  EXPECT_EQ(SetProfileValue("[S]\nA=1\n[T]\nX=1", "T", "Y", "2"), "[S]\nA=1\n[T]\nX=1\nY=2\n");
  EXPECT_EQ(SetProfileValue("[S]", "S", "A", "1"), "[S]\r\nA=1\r\n");
  // Adding a section already ends with a break.
  EXPECT_EQ(SetProfileValue("[S]\nA=1", "T", "B", "2"), "[S]\nA=1\n[T]\nB=2\n");
}

TEST(ProfileAsWindows, anOpeningBracketWithoutClosingOneIsAnOrdinaryLine) {
  const std::string text = "[S]\r\n[C\r\nA=1\r\n";
  const auto where = LocateProfileValue(text, "S", "A");
  ASSERT_TRUE(where.keyFound);
  EXPECT_EQ(text.substr(where.valueStart, where.valueEnd - where.valueStart), "1");
  EXPECT_FALSE(LocateProfileValue(text, "C", "A").sectionFound);
  EXPECT_EQ(SetProfileValue(text, "S", "B", "2"), "[S]\r\n[C\r\nA=1\r\nB=2\r\n");
}

TEST(ProfileAsWindows, aSectionNameRunsToTheLastClosingBracket) {
  const std::string text = "[a]b]\r\nK=v\r\n";
  EXPECT_TRUE(LocateProfileValue(text, "a]b", "K").keyFound);
  EXPECT_FALSE(LocateProfileValue(text, "a", "K").sectionFound);
  EXPECT_TRUE(LocateProfileValue("[ x ] ; note ]\nK=v\n", "x ] ; note", "K").keyFound);
}

class ProfileIniFile : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("Gravelwright.ini");
};

TEST_F(ProfileIniFile, missingFileReadsDefaultsAndWritingCreatesIt) {
  ProfileIni ini(path);
  EXPECT_EQ(ini.ReadString("COMMON", "Left", "-1"), "-1");
  EXPECT_EQ(ini.ReadInteger("COMMON", "Left", -1), -1);
  ini.WriteInteger("COMMON", "Left", 120);
  ini.WriteString("COMMENT", "0slot1_Tarmac", "\"a b\",");
  EXPECT_EQ(ReadBytes(path), "[COMMON]\r\nLeft=120\r\n[COMMENT]\r\n0slot1_Tarmac=\"a b\",\r\n");
  EXPECT_EQ(ProfileIni(path).ReadString("comment", "0SLOT1_TARMAC", ""), "\"a b\",");
}

TEST_F(ProfileIniFile, aDefaultsTrailingBlanksAreTrimmedAsWindowsDoes) {
  WriteBytes(path, "[C]\na=stored  \n");
  ProfileIni ini(path);
  EXPECT_EQ(ini.ReadString("C", "missing", "def  "), "def");
  EXPECT_EQ(ini.ReadString("C", "missing", "  two words  "), "  two words");
  EXPECT_EQ(ini.ReadString("C", "a", "def  "), "stored");
}

TEST_F(ProfileIniFile, integersReadDecimalOrHexAfterZeroXOnlyAndJunkAsTheDefault) {
  WriteBytes(path, "[C]\na=0x0\nb=2\nc=yes\nd=0X1F\ne=\nf=$10\ng=x10\nh=X10\ni=-0x10\n");
  ProfileIni ini(path);
  EXPECT_EQ(ini.ReadInteger("C", "a", 1), 0);
  EXPECT_EQ(ini.ReadInteger("C", "b", 1), 2);
  EXPECT_EQ(ini.ReadInteger("C", "c", 1), 1);
  EXPECT_EQ(ini.ReadInteger("C", "d", 1), 31);
  EXPECT_EQ(ini.ReadInteger("C", "e", 1), 1);
  // The other prefixes of the setup files' integers are no integers here.
  EXPECT_EQ(ini.ReadInteger("C", "f", 1), 1);
  EXPECT_EQ(ini.ReadInteger("C", "g", 1), 1);
  EXPECT_EQ(ini.ReadInteger("C", "h", 1), 1);
  EXPECT_EQ(ini.ReadInteger("C", "i", 1), -16);
}

TEST_F(ProfileIniFile, longValuesAreNeverCut) {
  const std::string longValue(5000, 'x');
  ProfileIni(path).WriteString("COMMENT", "k", longValue);
  EXPECT_EQ(ProfileIni(path).ReadString("COMMENT", "k", ""), longValue);
}

TEST_F(ProfileIniFile, realGameFilesSurviveOneWriteUnchangedElsewhere) {
  for (const char* file : {"real-data/ini/game-options-1.ini", "real-data/ini/game-options-2.ini"}) {
    const std::string original = test::DataFile(file);
    const auto where = LocateProfileValue(original, "Settings", "Fullscreen");
    ASSERT_TRUE(where.keyFound) << file;
    WriteBytes(path, original);
    ProfileIni(path).WriteString("settings", "fullscreen", "false");
    std::string expected = original;
    expected.replace(where.valueStart, where.valueEnd - where.valueStart, "false");
    EXPECT_EQ(ReadBytes(path), expected) << file;
  }
  // A key added and removed again leaves the sound table as it was, but for the line break its last line
  // gained with the key (the file ended without one), as Windows leaves it.
  const std::string sound = test::DataFile("real-data/ini/Sound.ini");
  WriteBytes(path, sound);
  ProfileIni ini(path);
  ini.WriteString("MUSICPC::REPLAY", "Music90", "Audio\\Music\\x.ogg");
  EXPECT_EQ(ProfileIni(path).ReadString("MUSICPC::REPLAY", "Music90", ""), "Audio\\Music\\x.ogg");
  ini.DeleteKey("MUSICPC::REPLAY", "Music90");
  ASSERT_NE(sound.back(), '\n');
  EXPECT_EQ(ReadBytes(path), sound + "\n");
  EXPECT_EQ(ini.ReadString("MUSICPC::REPLAY", "Music80", ""), "Audio\\Music\\gt.ogg");
}

TEST_F(ProfileIniFile, writingTheStoredValueWritesNothing) {
  WriteBytes(path, "[S]\nk = v\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ProfileIni ini(path);
  EXPECT_NO_THROW(ini.WriteString("S", "k", "v"));
  EXPECT_NO_THROW(ini.DeleteKey("S", "missing"));
  EXPECT_THROW(ini.WriteString("S", "k", "w"), Error);  // read-only: refused, file unchanged
  EXPECT_EQ(ReadBytes(path), "[S]\nk = v\n");
}

TEST_F(ProfileIniFile, namesAndValuesThatWouldBreakTheFileAreRefused) {
  ProfileIni ini(path);
  try {
    ini.WriteString("S", "a=b", "1");
    FAIL();
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr(path));
  }
  EXPECT_THROW(ini.WriteString("S]", "k", "1"), Error);
  EXPECT_THROW(ini.WriteString("S", "", "1"), Error);
  EXPECT_THROW(ini.WriteString("S", "k", "two\nlines"), Error);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ProfileIniFile, anUnreadableFileIsNeverOverwritten) {
  std::filesystem::create_directory(path);  // a folder where the file should be
  ProfileIni ini(path);
  EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");
  EXPECT_THROW(ini.WriteString("S", "k", "v"), Error);
}

}  // namespace
}  // namespace gw
