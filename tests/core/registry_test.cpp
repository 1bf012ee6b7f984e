#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/test_files.h"
#include "platform/error.h"
#include "setup/game_folders.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteBytes;

std::string Hive(std::string_view body) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" +
         std::string(body);
}

TEST(WineRegistryText, readsTheDefaultValueOfTheKeyOrItsWow6432Twin) {
  EXPECT_EQ(kInstallPathKey, "SOFTWARE\\Toven Games\\Toven Rally\\InstallPath");
  const std::string native = Hive(
      "[Software\\\\Toven Games\\\\Toven Rally\\\\InstallPath] 1700000000\n#time=1d9\n"
      "\"Other\"=\"x\"\n@=\"C:\\\\Games\\\\Toven Rally\"\n");
  EXPECT_EQ(ReadWineRegistryDefault(native, kInstallPathKey), "C:\\Games\\Toven Rally");

  const std::string wow = Hive(
      "[Software\\\\Wow6432Node\\\\Toven Games\\\\Toven Rally\\\\InstallPath] 1700000000\n"
      "@=\"D:\\\\TOV\"\n");
  EXPECT_EQ(ReadWineRegistryDefault(wow, kInstallPathKey), "D:\\TOV");

  EXPECT_EQ(ReadWineRegistryDefault(Hive("[Software\\\\Other] 1\n@=\"x\"\n"), kInstallPathKey), "");
  EXPECT_EQ(
      ReadWineRegistryDefault(
          Hive("[Software\\\\Toven Games\\\\Toven Rally\\\\InstallPath] 1\n\"A\"=\"b\"\n"), kInstallPathKey),
      "");
}

TEST(WineRegistryText, decodesWineEscapesAndStringKinds) {
  auto read = [](std::string_view value) {
    return ReadWineRegistryDefault(
        Hive("[Software\\\\Toven Games\\\\Toven Rally\\\\InstallPath] 1\r\n@=" + std::string(value) + "\r\n"),
        kInstallPathKey);
  };
  EXPECT_EQ(read("\"C:\\\\Spiele\\\\Tov \\\"1\\\"\""), "C:\\Spiele\\Tov \"1\"");
  EXPECT_EQ(read("\"C:\\\\Caf\\xe9\""), "C:\\Caf\xC3\xA9");                    // UTF-16 units become UTF-8
  EXPECT_EQ(read("str(2):\"%ProgramFiles%\\\\TOV\""), "%ProgramFiles%\\TOV");  // expandable, unexpanded
  EXPECT_EQ(read("hex(2):43,00,3a,00,5c,00,\\\n  54,00,00,00"), "C:\\T");
  EXPECT_EQ(read("\"C:\\\\A\\0B\""), "C:\\A");  // up to the first NUL
  EXPECT_THROW(read("dword:00000001"), Error);
  EXPECT_THROW(read("hex:01,02"), Error);
}

class WinePrefix : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.Path() / "drive_c" / "Program Files" / "Toven Games" / "Toven Rally");
    fs::create_directories(dir.Path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir.Path() / "dosdevices" / "c:");
  }
  void Register(std::string_view windowsPath) {
    std::string escaped;
    for (char c : windowsPath) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    WriteBytes(dir.File("system.reg"),
               Hive("[Software\\\\Wow6432Node\\\\Toven Games\\\\Toven Rally\\\\InstallPath] 1\n@=\"" +
                    escaped + "\"\n"));
  }
  std::string Installed() const {
    return fs::canonical(dir.Path() / "drive_c" / "Program Files" / "Toven Games" / "Toven Rally").string();
  }
  TempDir dir;
};

TEST_F(WinePrefix, translatesTheWindowsPathThroughTheDriveLinks) {
  Register("C:\\Program Files\\Toven Games\\Toven Rally");
  EXPECT_EQ(ReadWineInstallPath(dir.Path().string()), Installed());
  Register("c:\\PROGRAM FILES\\toven GAMES\\Toven Rally\\");  // letter case as Wine ignores it
  EXPECT_EQ(ReadWineInstallPath(dir.Path().string()), Installed());
}

TEST_F(WinePrefix, dotDotStopsAtTheDriveRootAsWineDoes) {
  const std::string prefix = dir.Path().string();
  const std::string root = fs::canonical(dir.Path() / "drive_c").string();
  EXPECT_EQ(WindowsPathToLocal(prefix, "C:\\..\\..\\etc"), root + "/etc");
  EXPECT_EQ(WindowsPathToLocal(prefix, "C:\\.."), root);
  EXPECT_EQ(WindowsPathToLocal(prefix, "C:\\Program Files\\..\\..\\.\\program files\\Toven Games\\.\\x\\.."),
            root + "/Program Files/Toven Games");
  EXPECT_EQ(WindowsPathToLocal(prefix, "C:/a/../../Program Files/"), root + "/Program Files");
}

TEST_F(WinePrefix, aPathOfManyPartsIsTranslatedWhole) {
  std::string windowsPath = "C:\\Program Files";
  std::string expected = fs::canonical(dir.Path() / "drive_c" / "Program Files").string();
  for (int i = 0; i < 20000; ++i) {
    windowsPath += "\\p";
    expected += "/p";
  }
  EXPECT_EQ(WindowsPathToLocal(dir.Path().string(), windowsPath), expected);
}

TEST_F(WinePrefix, missingPrefixKeyOrDriveGivesNothing) {
  EXPECT_EQ(ReadWineInstallPath(dir.Path().string()), "");  // no system.reg
  EXPECT_EQ(ReadWineInstallPath((dir.Path() / "nowhere").string()), "");
  Register("E:\\Games\\TOV");  // no link for drive E
  EXPECT_EQ(ReadWineInstallPath(dir.Path().string()), "");
  Register("\\\\server\\share");
  EXPECT_EQ(ReadWineInstallPath(dir.Path().string()), "");
}

TEST_F(WinePrefix, gameInstallPathComesFromThePrefixInWinePrefix) {
  Register("C:\\Program Files\\Toven Games\\Toven Rally");
  const char* old = std::getenv("WINEPREFIX");
  const std::string saved = old ? old : "";
  setenv("WINEPREFIX", dir.Path().c_str(), 1);
  EXPECT_EQ(GetGameInstallPath(), Installed());
  setenv("WINEPREFIX", (dir.Path() / "empty").c_str(), 1);
  EXPECT_EQ(GetGameInstallPath(), "");
  if (old)
    setenv("WINEPREFIX", saved.c_str(), 1);
  else
    unsetenv("WINEPREFIX");
}

}  // namespace
}  // namespace gw
