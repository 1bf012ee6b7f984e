#include "setup/game_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_files.h"
#include "platform/file_attributes.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace gw {
namespace {

struct SlotCase {
  const char* name;
  bool slot;
  const char* car;
  const char* title;
};

TEST(ParseSlotFileName, splitsCarAndTitleOfSlotNamesOnly) {
  const SlotCase cases[] = {
      {"3slot1_Test.lsp", true, "Lancer-Evo VII", "Test"},
      {"0slot0_.lsp", true, "Xsara", ""},
      {"7slot2_Gravel wet.lsp", true, "Impreza '00", "Gravel wet"},
      {"C:\\TOV\\SavedGames\\5slot0_a.b.lsp", true, "Impreza '03", "a.b"},
      {"/x/y/4slot0_z.lsp", true, "Peugeot 206", "z"},
      {"8slot0_x.lsp", false, "", "8slot0_x"},
      {"0slot3_x.lsp", false, "", "0slot3_x"},
      {"0Slot0_x.lsp", false, "", "0Slot0_x"},
      {"0slot0x.lsp", false, "", "0slot0x"},
      {"0slot0", false, "", "0slot0"},
      {"xslotslot0_.lsp", false, "", "xslotslot0_"},
      {"my setup.lsp", false, "", "my setup"},
  };
  for (const auto& c : cases) {
    std::string car = "junk", title = "junk";
    EXPECT_EQ(ParseSlotFileName(c.name, car, title), c.slot) << c.name;
    EXPECT_EQ(car, c.car) << c.name;
    EXPECT_EQ(title, c.title) << c.name;
  }
}

TEST(IsSlotFile, needsTheSavedGamesFolderInAnyLetterCase) {
  const std::string install = "/games/TOV";
  EXPECT_TRUE(IsSlotFile("/games/TOV/SavedGames/3slot1_Test.lsp", install));
  EXPECT_TRUE(IsSlotFile("/GAMES/tov/savedgames/3slot1_Test.lsp", install));
  EXPECT_TRUE(IsSlotFile("/games/TOV\\SavedGames\\3slot1_Test.lsp", install));
  EXPECT_FALSE(IsSlotFile("/games/TOV/Other/3slot1_Test.lsp", install));
  EXPECT_FALSE(IsSlotFile("/games/TOV/SavedGames/sub/3slot1_Test.lsp", install));
  EXPECT_FALSE(IsSlotFile("/games/TOV/SavedGames/mine.lsp", install));
  // A folder registered with a trailing separator never compares equal.
  EXPECT_FALSE(IsSlotFile("/games/TOV/SavedGames/3slot1_Test.lsp", "/games/TOV/"));
}

#ifdef _WIN32
TEST(GamePaths, appendFixedTextsWithTheLocalSeparator) {
  EXPECT_EQ(GamePath("C:\\g", kSavedGamesPrefix), "C:\\g\\SavedGames\\");
  EXPECT_EQ(GamePath("", kSoundTable), "\\Audio\\Sound.ini");
  EXPECT_EQ(SetupFilePath("0slot0_a.lsp", "C:\\g"), "C:\\g\\SavedGames\\0slot0_a.lsp");
  EXPECT_EQ(SetupFilePath("D:\\elsewhere\\a.lsp", "C:\\g"), "D:\\elsewhere\\a.lsp");
  EXPECT_EQ(SetupFilePath("D:/elsewhere/a.lsp", "C:\\g"), "D:/elsewhere/a.lsp");
}
#else
TEST(GamePaths, appendFixedTextsWithTheLocalSeparator) {
  EXPECT_EQ(GamePath("/g", kSavedGamesPrefix), "/g/SavedGames/");
  EXPECT_EQ(GamePath("", kSoundTable), "/Audio/Sound.ini");
  EXPECT_EQ(SetupFilePath("0slot0_a.lsp", "/g"), "/g/SavedGames/0slot0_a.lsp");
  EXPECT_EQ(SetupFilePath("/elsewhere/a.lsp", "/g"), "/elsewhere/a.lsp");
  EXPECT_EQ(SetupFilePath("sub\\a.lsp", "/g"), "sub\\a.lsp");
}
#endif

TEST(PathParts, acceptBothSeparators) {
  EXPECT_EQ(ExtractFileDir("C:\\a\\b.lsp"), "C:\\a");
  EXPECT_EQ(ExtractFileDir("/a/b/c.lsp"), "/a/b");
  EXPECT_EQ(ExtractFileDir("/c.lsp"), "/");
  EXPECT_EQ(ExtractFileDir("c.lsp"), "");
  EXPECT_EQ(ExtractFileName("a/b\\c.lsp"), "c.lsp");
  EXPECT_EQ(ExtractFileExt("a.b/c"), "");
  EXPECT_EQ(ExtractFileExt("c.tar.LSP"), ".LSP");
  EXPECT_EQ(ExtractBaseName("/x/0slot1_Tarmac.lsp"), "0slot1_Tarmac");
  EXPECT_EQ(ChangeFileExt("/x/Gravelwright", ".ini"), "/x/Gravelwright.ini");
  EXPECT_EQ(ChangeFileExt("C:\\x\\Gravelwright.exe", ".ini"), "C:\\x\\Gravelwright.ini");
}

TEST(MatchesMask, matchesWildcardsIgnoringLetterCase) {
  EXPECT_TRUE(MatchesMask("3slot1_Test.lsp", kSlotFileMask));
  EXPECT_TRUE(MatchesMask("3SLOT1_x.LSP", kSlotFileMask));
  EXPECT_TRUE(MatchesMask("0slot0_.lsp", kSlotFileMask));
  EXPECT_FALSE(MatchesMask("0slot0.lsp", kSlotFileMask));
  EXPECT_FALSE(MatchesMask("10slot0_a.lsp", kSlotFileMask));
  EXPECT_TRUE(MatchesMask("a.b.rpl", "*.rpl"));
  EXPECT_FALSE(MatchesMask("a.rpl.bak", "*.rpl"));
  EXPECT_TRUE(MatchesMask("anything", "*"));
}

TEST(FindFiles, listsMatchingEntriesOfAFolder) {
  test::TempDir dir;
  for (const char* name : {"0slot0_a.lsp", "1SLOT2_b.LSP", "other.lsp", "x.rpl"})
    test::WriteBytes(dir.File(name), "");
  auto names = FindFiles(dir.Path().string(), kSlotFileMask);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"0slot0_a.lsp", "1SLOT2_b.LSP"}));
  EXPECT_TRUE(FindFiles(dir.File("missing"), "*").empty());
}

#ifdef _WIN32
TEST(ReadOnly, clearingTouchesOnlyTheReadOnlyAttribute) {
  test::TempDir dir;
  const std::string path = dir.File("input.ini");
  test::WriteBytes(path, "x");
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), kept));
  ClearReadOnly(path);  // writable already: unchanged
  EXPECT_EQ(GetFileAttributesA(path.c_str()), kept);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), kept | FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsReadOnly(path));
  ClearReadOnly(path);
  EXPECT_FALSE(IsReadOnly(path));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), kept);
  EXPECT_NO_THROW(ClearReadOnly(dir.File("missing")));
}
#else
TEST(ReadOnly, clearingTouchesOnlyTheWriteMark) {
  namespace fs = std::filesystem;
  test::TempDir dir;
  const std::string path = dir.File("input.ini");
  test::WriteBytes(path, "x");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ClearReadOnly(path);  // writable already: unchanged
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_TRUE(IsReadOnly(path));
  ClearReadOnly(path);
  EXPECT_FALSE(IsReadOnly(path));
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_NO_THROW(ClearReadOnly(dir.File("missing")));
}
#endif

TEST(TempFolder, endsWithTheSeparator) {
  const std::string folder = GetTempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), kPathSeparator);
}

}  // namespace
}  // namespace gw
