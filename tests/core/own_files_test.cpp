#include "platform/own_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_files.h"
#include "editor/settings_file.h"
#include "platform/paths.h"
#include "platform/profile_ini.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class OwnFiles : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir.Path() / "program"); }

  // Makes the program's folder read-only for this process; false where permissions do not bind (root).
  bool MakeProgramFolderReadOnly() {
    fs::permissions(dir.Path() / "program", fs::perms::owner_read | fs::perms::owner_exec);
    return !IsWritableFolder(dir.File("program"));
  }

  test::TempDir dir;
  std::string beside = dir.File("program/gravelwright.ini");
  std::string user = dir.File("config/gravelwright");
};

TEST_F(OwnFiles, aWritableProgramFolderKeepsTheFileBesideTheProgram_andMakesNoUserFolder) {
  EXPECT_EQ(OwnFilePath(beside, user, "gravelwright.ini"), beside);
  EXPECT_FALSE(fs::exists(user));
}

TEST_F(OwnFiles, aMissingProgramFolder_usesTheUserFolderAndMakesItPrivate) {
  const std::string missing = dir.File("gone/gravelwright.ini");
  EXPECT_EQ(OwnFilePath(missing, user, "gravelwright.ini"), user + kPathSeparator + "gravelwright.ini");
  EXPECT_TRUE(fs::is_directory(user));
#ifndef _WIN32
  EXPECT_EQ(fs::status(user).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
}

TEST_F(OwnFiles, aReadOnlyProgramFolder_usesTheUserFolder) {
  if (!MakeProgramFolderReadOnly()) GTEST_SKIP() << "folder permissions do not bind for this user";
  EXPECT_EQ(OwnFilePath(beside, user, "gravelwright.ini"), user + kPathSeparator + "gravelwright.ini");
  EXPECT_TRUE(fs::is_directory(user));
  EXPECT_FALSE(fs::exists(beside));
}

TEST_F(OwnFiles, aFileAlreadyBesideTheProgramStaysInUseInAReadOnlyFolder) {
  test::WriteBytes(beside, "[COMMON]\r\n");
  if (!MakeProgramFolderReadOnly()) GTEST_SKIP() << "folder permissions do not bind for this user";
  EXPECT_EQ(OwnFilePath(beside, user, "gravelwright.ini"), beside);
  EXPECT_FALSE(fs::exists(user));
}

TEST_F(OwnFiles, aUserFolderThatCannotBeMade_isNoFailureUntilTheFileIsWritten) {
  test::WriteBytes(dir.File("config"), "a file where the folder should be");
  const std::string missing = dir.File("gone/gravelwright.ini");
  std::string path;
  ASSERT_NO_THROW(path = OwnFilePath(missing, user, "gravelwright.ini"));
  EXPECT_EQ(path, user + kPathSeparator + "gravelwright.ini");

  ProfileIni ini(path);
  EXPECT_EQ(ini.ReadInteger("COMMON", "Left", -1), -1);  // reading gives the defaults
  EXPECT_NE(test::ErrorMessageOf([&] { ini.WriteInteger("COMMON", "Left", 3); }).find(path),
            std::string::npos);
}

TEST_F(OwnFiles, noUserFolderAtAll_keepsTheFileBesideTheProgram) {
  const std::string missing = dir.File("gone/gravelwright.ini");
  EXPECT_EQ(OwnFilePath(missing, "", "gravelwright.ini"), missing);
}

#ifndef _WIN32
TEST_F(OwnFiles, theSettingsFileGoesToTheConfigFolderOfTheEnvironment) {
  test::ScopedEnv config("XDG_CONFIG_HOME", dir.File("xdg").c_str());
  EXPECT_EQ(SettingsFileLocation(dir.File("program/gravelwright")), beside);
  EXPECT_EQ(SettingsFileLocation(dir.File("gone/gravelwright")),
            dir.File("xdg/gravelwright/gravelwright.ini"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "xdg" / "gravelwright"));
}
#endif

}  // namespace
}  // namespace gw
