// How files behave on Windows: device names, attributes that survive a save, files held open by the game.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "core/test_files.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "setup/car_setup.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace gw {
namespace {

using ::testing::HasSubstr;

TEST(WindowsReservedName, findsDeviceNamesWhateverTheCaseExtensionOrFolder) {
  EXPECT_EQ(WindowsReservedName("nul.lsp"), "nul");
  EXPECT_EQ(WindowsReservedName("C:\\Games\\TOV\\SavedGames\\CON.lsp"), "CON");
  EXPECT_EQ(WindowsReservedName("/home/p/Com1 .txt"), "Com1");
  EXPECT_EQ(WindowsReservedName("lpt9"), "lpt9");
  EXPECT_EQ(WindowsReservedName("aux.tar.gz"), "aux");
  EXPECT_EQ(WindowsReservedName("conout$.lsp"), "conout$");
  for (const char* free : {"null.lsp", "console.lsp", "com0.lsp", "com10.lsp", "lpt.lsp", "a.nul",
                           "nul\\x.lsp", "0slot1_Tarmac.lsp", ""})
    EXPECT_EQ(WindowsReservedName(free), "") << free;
}

#ifdef _WIN32
const char* const kSetup = "((\"CarSetup\"\n Car (\"Car\"\n MaxSteeringLock 1.205958\n ))";

class WindowsFiles : public ::testing::Test {
 protected:
  test::TempDir dir;
};

// The manifest makes UTF-8 the code page of every 8-bit name; under code page 932 the second byte of
// "表" (E8 A1 A8 in UTF-8, 95 5C in code page 932) would read as a backslash and cut the folder in two.
TEST_F(WindowsFiles, namesInAnyScriptWorkThroughTheUtf8CodePage) {
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  const std::string folder = dir.Path().string() + "\\\xE8\xA1\xA8 setups";
  ASSERT_TRUE(std::filesystem::create_directory(ToFsPath(folder)));
  const std::string path = folder + "\\caf\xC3\xA9.lsp";
  WriteFileReplacing(path, "x");
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadFileBytes(path), "x");
  EXPECT_EQ(FindFiles(folder, "*.lsp"), std::vector<std::string>{"caf\xC3\xA9.lsp"});
}

TEST_F(WindowsFiles, reservedNamesAreRefusedWithAMessageThatSaysSo) {
  const std::string path = dir.File("nul.lsp");
  const std::string message = test::ErrorMessageOf([&] { WriteFileReplacing(path, "x"); });
  EXPECT_THAT(message, HasSubstr(path));
  EXPECT_THAT(message, HasSubstr("\"nul\" is a device name that Windows reserves"));
  EXPECT_THAT(test::ErrorMessageOf([&] { ReadFileBytes(dir.File("COM3.lsp")); }),
              HasSubstr("\"COM3\" is a device name that Windows reserves"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));  // no temporary file left
}

TEST_F(WindowsFiles, savingKeepsHiddenAndArchivedSetupsSo) {
  const std::string path = dir.File("0slot1_Tarmac.lsp");
  test::WriteBytes(path, kSetup);
  const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), marks));
  TTOVCarSetup doc;
  doc.LoadFromFile(path);
  doc.FindSection("Car")->FindData("MaxSteeringLock")->SetFloat(2.0f);
  doc.SaveToFile();
  EXPECT_THAT(test::ReadBytes(path), HasSubstr("MaxSteeringLock 2.000000"));
  EXPECT_EQ(GetFileAttributesA(path.c_str()) & (marks | FILE_ATTRIBUTE_READONLY), marks);
}

// Holds a file open the way the game does: no sharing at all.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldOpen() { Release(); }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST_F(WindowsFiles, aFileTheGameHoldsIsRefusedAfterASecondAndNothingIsLost) {
  const std::string path = dir.File("0slot1_Tarmac.lsp");
  test::WriteBytes(path, kSetup);
  HeldOpen game(path);
  ASSERT_TRUE(game.Held());

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(test::ErrorMessageOf([&] { WriteFileReplacing(path, "new"); }),
            path + " is in use by another program.");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_EQ(test::ErrorMessageOf([&] { ReadFileBytes(path); }), path + " is in use by another program.");

  game.Release();
  EXPECT_EQ(test::ReadBytes(path), kSetup);
  int files = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1);  // no temporary file left
}

TEST_F(WindowsFiles, aFileTheGameReleasesWithinTheSecondIsSaved) {
  const std::string path = dir.File("0slot1_Tarmac.lsp");
  test::WriteBytes(path, kSetup);
  HeldOpen game(path);
  ASSERT_TRUE(game.Held());
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    game.Release();
  });
  EXPECT_NO_THROW(WriteFileReplacing(path, "new"));
  release.join();
  EXPECT_EQ(test::ReadBytes(path), "new");
}
#endif

}  // namespace
}  // namespace gw
