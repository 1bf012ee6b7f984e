#include "editor/game_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_files.h"
#include "platform/error.h"
#include "platform/file_attributes.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class GameOptions : public ::testing::Test {
 protected:
  std::string Options() const { return dir.File("TovenRally.ini"); }
  std::string Input() const { return dir.File("input.ini"); }
  test::TempDir dir;
  std::string install = dir.Path().string();
};

TEST_F(GameOptions, missingFilesGiveEveryDefault) {
  const TGameOptions o = ReadGameOptions(install);
  for (std::size_t i = 0; i < kGameFlags.size(); ++i) EXPECT_EQ(o.flags[i], kGameFlags[i].defaultValue) << i;
  EXPECT_EQ(o.forceMultiplier, -60);
  EXPECT_TRUE(o.flags[0] && o.flags[1] && !o.flags[2] && o.flags[3] && !o.flags[4]);
}

TEST_F(GameOptions, flagsAreTrueInAnyCaseEmptyIsTheDefaultAndTheRestIsOff) {
  test::WriteBytes(Options(),
                   "[Settings]\nFullscreen = TRUE\nRunIntro=1\nSound=\nWaitRetrace=True\n"
                   "UseSoftwareAudio=yes\nConstantForceMultiplier=0x10\n");
  test::WriteBytes(Input(), "[settings]\ninvertsteeringaxis=true\n");
  const TGameOptions o = ReadGameOptions(install);
  EXPECT_TRUE(o.flags[0]);   // TRUE
  EXPECT_FALSE(o.flags[1]);  // 1 is not true
  EXPECT_TRUE(o.flags[2]);   // True
  EXPECT_TRUE(o.flags[3]);   // empty: the default
  EXPECT_FALSE(o.flags[4]);  // yes is not true
  EXPECT_TRUE(o.flags[5]);
  EXPECT_EQ(o.forceMultiplier, 0);  // 16, out of range: the nearer bound
}

TEST_F(GameOptions, forceMultiplierReadsDecimalOrHexAndClampsToItsRange) {
  for (const auto& [text, expected] : std::vector<std::pair<std::string, int>>{{"-60", -60},
                                                                               {"-150", -150},
                                                                               {"junk", -60},
                                                                               {"-500", -200},
                                                                               {"25", 0},
                                                                               {"0X0", 0},
                                                                               {"", -60},
                                                                               {"-0x3C", -60},
                                                                               {"$10", -60},
                                                                               {"x10", -60},
                                                                               {"X10", -60},
                                                                               {"-$10", -60}}) {
    test::WriteBytes(Options(), "[Settings]\r\nConstantForceMultiplier=" + text + "\r\n");
    EXPECT_EQ(ReadGameOptions(install).forceMultiplier, expected) << text;
  }
}

TEST_F(GameOptions, writingSetsAllTwelveKeysAndKeepsEveryOtherLine) {
  const std::string original = test::DataFile("real-data/ini/game-options-2.ini");
  test::WriteBytes(Options(), original);
  test::WriteBytes(Input(), "; axes\r\n[Settings]\r\nInvertBrakeAxis = TRUE\r\n\r\n[Keys]\r\nA=1\r\n");
  fs::permissions(Input(), fs::perms::owner_write, fs::perm_options::remove);

  TGameOptions o = ReadGameOptions(install);
  o.forceMultiplier = -300;  // never written outside the range
  WriteGameOptions(install, o);

  EXPECT_FALSE(IsReadOnly(Input()));
  EXPECT_EQ(test::ReadBytes(Input()),
            "; axes\r\n[Settings]\r\nInvertBrakeAxis = "
            "true\r\nInvertSteeringAxis=false\r\nInvertThrottleAxis=false\r\n"
            "InvertCombinedAxis=false\r\nInvertHandbrakeAxis=false\r\nInvertClutchAxis=false\r\n\r\n[Keys]"
            "\r\nA=1\r\n");
  const ProfileIni options(Options());
  EXPECT_EQ(options.ReadString("Settings", "ConstantForceMultiplier", ""), "-200");
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_EQ(options.ReadString("Settings", kGameFlags[i].key, ""), o.flags[i] ? "true" : "false");
  // Outside the twelve keys nothing moved: the [NGP] section before them is untouched.
  const auto settings = original.find("[Settings]");
  EXPECT_EQ(test::ReadBytes(Options()).substr(0, settings), original.substr(0, settings));
  EXPECT_EQ(ReadGameOptions(install).flags, o.flags);
}

TEST_F(GameOptions, runVariantsNeedAnInstallationAndTheirExecutable) {
  EXPECT_THROW(
      {
        try {
          GameExecutablePath("", 0);
        } catch (const Error& e) {
          EXPECT_STREQ(e.what(), "Not installed");
          throw;
        }
      },
      Error);
  test::WriteBytes(dir.File("TovenRally.exe"), "MZ");
  EXPECT_EQ(GameExecutablePath(install, 0), dir.File("TovenRally.exe"));
  try {
    GameExecutablePath(install, 1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "File not found = " + dir.File("TovenRally_SSE.exe"));
  }
}

}  // namespace
}  // namespace gw
