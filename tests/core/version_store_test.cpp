#include "history/version_store.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_files.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

// 2026-12-08 10:15:30.123 UTC.
constexpr int64_t kTime = 1796724930123;

class VersionStoreTest : public ::testing::Test {
 protected:
  VersionStoreTest() { fs::create_directories(dir.Path() / "SavedGames"); }

  TVersionStore Store(int depth = 30) {
    return TVersionStore(dir.File("history"), dir.File("SavedGames"), depth, [this] { return now; });
  }
  std::string Saved(const std::string& name) const {
    return FromFsPath(dir.Path() / "SavedGames" / ToFsPath(name));
  }
  static std::vector<std::string> Contents(const std::vector<TVersionInfo>& versions) {
    std::vector<std::string> bytes;
    for (const TVersionInfo& v : versions) bytes.push_back(test::ReadBytes(v.Path));
    return bytes;
  }

  test::TempDir dir;
  int64_t now = kTime;
};

TEST(VersionNameTest, namesSortByTimeAndParseBack) {
  EXPECT_EQ(VersionFileName(kTime), "20261208T101530.123Z.lsp");
  EXPECT_EQ(VersionFileName(0), "19700101T000000.000Z.lsp");
  EXPECT_EQ(VersionTimeText(kTime), "2026-12-08 10:15:30.123");
  int64_t t = 0;
  ASSERT_TRUE(ParseVersionFileName("20261208T101530.123Z.lsp", t));
  EXPECT_EQ(t, kTime);
  EXPECT_LT(VersionFileName(kTime + 999), VersionFileName(kTime + 1000));
  EXPECT_LT(VersionFileName(kTime - 1), VersionFileName(kTime));
  for (const char* bad : {"20261208T101530.123Z.ls", "20261308T101530.123Z.lsp", "20261208T251530.123Z.lsp",
                          "2026120xT101530.123Z.lsp", "20261208T101530.123Z.txt", "origin"})
    EXPECT_FALSE(ParseVersionFileName(bad, t)) << bad;
}

TEST_F(VersionStoreTest, keepsTheOldBytesUnderTheFileNameFolder) {
  TVersionStore store = Store();
  const std::string file = Saved("0slot1_Tarmac.lsp");
  EXPECT_TRUE(store.KeepVersion(file));  // no file yet: nothing to keep
  EXPECT_TRUE(store.Versions(file).empty());
  test::WriteBytes(file, "first");
  EXPECT_TRUE(store.KeepVersion(file));
  const auto versions = store.Versions(file);
  ASSERT_EQ(versions.size(), 1u);
  EXPECT_EQ(fs::path(versions[0].Path),
            dir.Path() / "history" / "0slot1_Tarmac.lsp" / "20261208T101530.123Z.lsp");
  EXPECT_EQ(versions[0].TimeMs, kTime);
  EXPECT_EQ(versions[0].Size, 5u);
  EXPECT_EQ(test::ReadBytes(versions[0].Path), "first");
  EXPECT_TRUE(store.IsOn());
}

TEST_F(VersionStoreTest, twoVersionsInOneMillisecondGetNamesThatStillSortByTime) {
  TVersionStore store = Store();
  const std::string file = Saved("0slot1_Tarmac.lsp");
  for (const char* bytes : {"a", "b", "c"}) {
    test::WriteBytes(file, bytes);
    ASSERT_TRUE(store.KeepVersion(file));
  }
  now -= 5000;  // a clock set back still sorts the next version last
  test::WriteBytes(file, "d");
  ASSERT_TRUE(store.KeepVersion(file));
  const auto versions = store.Versions(file);
  ASSERT_EQ(versions.size(), 4u);
  EXPECT_EQ(Contents(versions), (std::vector<std::string>{"d", "c", "b", "a"}));
  EXPECT_EQ(fs::path(versions[0].Path).filename(), "20261208T101530.126Z.lsp");
  EXPECT_EQ(fs::path(versions[3].Path).filename(), "20261208T101530.123Z.lsp");
}

TEST_F(VersionStoreTest, theSameBytesAgainKeepNoSecondVersion) {
  TVersionStore store = Store();
  const std::string file = Saved("0slot1_Tarmac.lsp");
  test::WriteBytes(file, "same");
  ASSERT_TRUE(store.KeepVersion(file));
  now += 10;
  ASSERT_TRUE(store.KeepVersion(file));
  EXPECT_EQ(store.Versions(file).size(), 1u);
}

TEST_F(VersionStoreTest, pruningKeepsTheNewestUpToTheDepth) {
  TVersionStore store = Store(3);
  const std::string file = Saved("0slot1_Tarmac.lsp");
  for (int i = 0; i < 6; ++i) {
    test::WriteBytes(file, std::to_string(i));
    now += 1000;
    ASSERT_TRUE(store.KeepVersion(file));
  }
  EXPECT_EQ(Contents(store.Versions(file)), (std::vector<std::string>{"5", "4", "3"}));
  // A smaller depth later prunes on the next version.
  TVersionStore smaller = Store(1);
  smaller.Prune(file);
  EXPECT_EQ(Contents(smaller.Versions(file)), (std::vector<std::string>{"5"}));
}

TEST_F(VersionStoreTest, depthZeroKeepsNothingAndSaysWhy) {
  TVersionStore store = Store(0);
  const std::string file = Saved("0slot1_Tarmac.lsp");
  test::WriteBytes(file, "x");
  EXPECT_TRUE(store.KeepVersion(file));
  EXPECT_FALSE(store.IsOn());
  EXPECT_EQ(store.OffReason(), "HistoryDepth is 0");
  EXPECT_FALSE(fs::exists(dir.Path() / "history"));
}

TEST_F(VersionStoreTest, restoreKeepsTheCurrentBytesFirst) {
  TVersionStore store = Store(2);
  const std::string file = Saved("0slot1_Tarmac.lsp");
  test::WriteBytes(file, "old");
  ASSERT_TRUE(store.KeepVersion(file));
  now += 1000;
  test::WriteBytes(file, "middle");
  ASSERT_TRUE(store.KeepVersion(file));
  now += 1000;
  test::WriteBytes(file, "now");
  // The oldest version is pruned by the restore's own version, yet it is what gets restored.
  const TVersionInfo oldest = store.Versions(file).back();
  store.Restore(oldest, file);
  EXPECT_EQ(test::ReadBytes(file), "old");
  EXPECT_EQ(Contents(store.Versions(file)), (std::vector<std::string>{"now", "middle"}));
}

TEST_F(VersionStoreTest, anUnwritableHistoryFolderTurnsHistoryOffButFailsNothing) {
  test::WriteBytes(dir.File("blocked"), "a file where the folder should be");
  TVersionStore store(dir.File("blocked") + "/history", dir.File("SavedGames"), 30, [this] { return now; });
  const std::string file = Saved("0slot1_Tarmac.lsp");
  test::WriteBytes(file, "x");
  EXPECT_FALSE(store.KeepVersion(file));
  EXPECT_FALSE(store.IsOn());
  EXPECT_NE(store.OffReason().find("blocked"), std::string::npos) << store.OffReason();
  EXPECT_TRUE(store.Versions(file).empty());
  EXPECT_TRUE(store.DeletedFiles().empty());

  TVersionStore nowhere("", dir.File("SavedGames"), 30);
  EXPECT_FALSE(nowhere.KeepVersion(file));
  EXPECT_EQ(nowhere.OffReason(), "no per-user data folder is known");
}

TEST_F(VersionStoreTest, filesOutsideTheSavedGamesFolderGetAHashedFolderName) {
  TVersionStore store = Store();
  fs::create_directories(dir.Path() / "a");
  fs::create_directories(dir.Path() / "b");
  const std::string inside = Saved("0slot1_Tarmac.lsp");
  const std::string a = dir.File("a/0slot1_Tarmac.lsp"), b = dir.File("b/0slot1_Tarmac.lsp");
  const std::string fa = fs::path(store.VersionFolder(a)).filename().string();
  const std::string fb = fs::path(store.VersionFolder(b)).filename().string();
  EXPECT_EQ(fs::path(store.VersionFolder(inside)).filename(), "0slot1_Tarmac.lsp");
  EXPECT_NE(fa, fb);
  EXPECT_EQ(fa.rfind("0slot1_Tarmac.lsp-", 0), 0u) << fa;
  EXPECT_EQ(fa.size(), std::string("0slot1_Tarmac.lsp-").size() + 8);
  EXPECT_EQ(store.VersionFolder(a), store.VersionFolder(dir.File("a/../a/0slot1_Tarmac.lsp")));
  test::WriteBytes(a, "in a");
  test::WriteBytes(b, "in b");
  ASSERT_TRUE(store.KeepVersion(a));
  ASSERT_TRUE(store.KeepVersion(b));
  EXPECT_EQ(Contents(store.Versions(a)), std::vector<std::string>{"in a"});
  EXPECT_EQ(Contents(store.Versions(b)), std::vector<std::string>{"in b"});
}

TEST_F(VersionStoreTest, namesWithSpacesAndEightBitBytesWork) {
  TVersionStore store = Store();
  const std::string file = Saved("0slot1_R\xc3\xa9glage d'hiver.lsp");
  test::WriteBytes(file, "bytes");
  ASSERT_TRUE(store.KeepVersion(file));
  const auto versions = store.Versions(file);
  ASSERT_EQ(versions.size(), 1u);
  // Through the program's own path conversion: the system code page on Windows.
  EXPECT_EQ(FromFsPath(ToFsPath(versions[0].Path).parent_path().filename()),
            "0slot1_R\xc3\xa9glage d'hiver.lsp");
  fs::remove(ToFsPath(file));
  const auto deleted = store.DeletedFiles();
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0].OriginalPath, FromFsPath(fs::absolute(ToFsPath(file)).lexically_normal()));
  store.Restore(deleted[0].Versions.front(), deleted[0].OriginalPath);
  EXPECT_EQ(test::ReadBytes(file), "bytes");
  EXPECT_TRUE(store.DeletedFiles().empty());
}

TEST_F(VersionStoreTest, fortySavesLeaveTheNewestThirtyByteForByte) {
  TVersionStore store = Store();
  const std::string file = Saved("0slot1_Tarmac.lsp");
  std::vector<std::string> overwritten;
  for (int i = 0; i < 40; ++i) {
    const std::string bytes = "save " + std::to_string(i) + std::string(static_cast<std::size_t>(i), '\0');
    overwritten.insert(overwritten.begin(), bytes);
    test::WriteBytes(file, bytes);
    now += 7;
    ASSERT_TRUE(store.KeepVersion(file));
  }
  overwritten.resize(30);
  EXPECT_EQ(Contents(store.Versions(file)), overwritten);
}

}  // namespace
}  // namespace gw
