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
#endif

}  // namespace
