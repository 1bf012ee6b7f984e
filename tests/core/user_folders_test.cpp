#include "platform/user_folders.h"

#include <gtest/gtest.h>

#include <string>

#include "core/test_files.h"

namespace {

using gw::test::ScopedEnv;

#ifndef _WIN32
TEST(UserFolders, xdgVariablesWinWhenAbsolute_elseHomeDefaults) {
  ScopedEnv home("HOME", "/home/player");
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(gw::UserConfigFolder(), "/cfg/gravelwright");
    EXPECT_EQ(gw::UserDataFolder(), "/data/gravelwright");
  }
  {
    ScopedEnv config("XDG_CONFIG_HOME", "relative/cfg");
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(gw::UserConfigFolder(), "/home/player/.config/gravelwright");
    EXPECT_EQ(gw::UserDataFolder(), "/home/player/.local/share/gravelwright");
  }
}

TEST(UserFolders, noHomeAndNoXdg_givesEmpty) {
  ScopedEnv home("HOME", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  ScopedEnv data("XDG_DATA_HOME", "");
  EXPECT_EQ(gw::UserConfigFolder(), "");
  EXPECT_EQ(gw::UserDataFolder(), "");
}
#else
TEST(UserFolders, windowsFoldersComeFromAppDataAndLocalAppData) {
  ScopedEnv config("APPDATA", "C:\\Users\\player\\AppData\\Roaming");
  ScopedEnv data("LOCALAPPDATA", "C:\\Users\\player\\AppData\\Local");
  EXPECT_EQ(gw::UserConfigFolder(), "C:\\Users\\player\\AppData\\Roaming\\Gravelwright");
  EXPECT_EQ(gw::UserDataFolder(), "C:\\Users\\player\\AppData\\Local\\Gravelwright");
}

TEST(UserFolders, noAppDataGivesEmpty) {
  ScopedEnv config("APPDATA", nullptr);
  ScopedEnv data("LOCALAPPDATA", nullptr);
  EXPECT_EQ(gw::UserConfigFolder(), "");
  EXPECT_EQ(gw::UserDataFolder(), "");
}
#endif

}  // namespace
