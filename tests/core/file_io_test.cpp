// Whole-file reads and writes. Faults of the system's file calls are injected by standing in for them: this
// program defines fsync, fdatasync, rename and fclose itself, records each call and can make one fail; the
// real call is made through the next definition in line.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/test_files.h"
#include "music/music_files.h"
#include "platform/file_io.h"
#include "setup/car_setup.h"

namespace {

std::vector<std::string> calls;  // "sync <path>" and "rename <from> <to>", in order
bool failNextClose = false;

std::string PathOfDescriptor(int fd) {
  char buffer[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("?");
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int fsync(int fd) {
  calls.push_back("sync " + PathOfDescriptor(fd));
  return Next<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd) {
  calls.push_back("sync " + PathOfDescriptor(fd));
  return Next<int (*)(int)>("fdatasync")(fd);
}

int rename(const char* from, const char* to) noexcept {
  calls.push_back(std::string("rename ") + from + " " + to);
  return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

int fclose(FILE* file) {
  const int result = Next<int (*)(FILE*)>("fclose")(file);
  if (!failNextClose) return result;
  failNextClose = false;
  errno = EIO;
  return EOF;
}

}  // extern "C"

namespace gw {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override { calls.clear(); }
  void TearDown() override { failNextClose = false; }
  test::TempDir dir;
  std::string folder = std::filesystem::canonical(dir.Path()).string();
};

TEST_F(FileFaults, aReplacedFileIsOnTheDiskBeforeItsRenameAndTheFolderAfterIt) {
  const std::string target = folder + "/0slot0_x.lsp";
  test::WriteBytes(target, "old");
  WriteFileReplacing(target, "new content");
  EXPECT_EQ(test::ReadBytes(target), "new content");
  ASSERT_EQ(calls.size(), 3u) << ::testing::PrintToString(calls);
  EXPECT_THAT(calls[0], StartsWith("sync " + folder + "/.0slot0_x.lsp."));
  EXPECT_EQ(calls[1], "rename " + calls[0].substr(5) + " " + target);
  EXPECT_EQ(calls[2], "sync " + folder);
}

TEST_F(FileFaults, aSetupSavedIsFlushedToo) {
  const std::string path = folder + "/s.lsp";
  test::WriteBytes(path, test::SampleSetup());
  TTOVCarSetup doc;
  doc.LoadFromFile(path);
  doc.SaveToFile();
  ASSERT_EQ(calls.size(), 3u) << ::testing::PrintToString(calls);
  EXPECT_THAT(calls[0], StartsWith("sync " + folder + "/.s.lsp."));
  EXPECT_EQ(calls[2], "sync " + folder);
}

TEST_F(FileFaults, aFailedCloseAfterAHeaderRewriteIsReported) {
  std::string bytes = "INFO" + std::string(128, '\0') + "OggS" + std::string(100, 'o');
  const std::string path = folder + "/w.ogg";
  test::WriteBytes(path, bytes);
  failNextClose = true;
  EXPECT_THAT(test::ErrorMessageOf([&] { WriteOggInfo(path, "Song", "Artist"); }),
              HasSubstr("Cannot write file = " + path));
  EXPECT_FALSE(failNextClose);
}

TEST_F(FileFaults, namesUpToTheFoldersLimitAreSaved) {
  for (std::size_t length : {240u, 248u, 251u}) {
    const std::string target = folder + "/" + std::string(length, 'n') + ".lsp";
    WriteFileReplacing(target, "first");
    WriteFileReplacing(target, "second");
    EXPECT_EQ(test::ReadBytes(target), "second") << length;
  }
  int files = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 3);  // no temporary file left
}

TEST_F(FileFaults, onlyRegularFilesAreReadAndNothingWaits) {
  const std::string pipe = folder + "/pipe.lsp";
  test::Fifo fifo(pipe);
  EXPECT_EQ(test::ErrorMessageOf([&] { ReadFileBytes(pipe); }), pipe + " is not a regular file.");
  EXPECT_FALSE(fifo.Rescued());
  EXPECT_EQ(test::ErrorMessageOf([&] { ReadFileBytes("/dev/null"); }), "/dev/null is not a regular file.");
  EXPECT_EQ(test::ErrorMessageOf([&] { ReadFileBytes(folder); }),
            "Cannot open file = " + folder + " (it is a folder)");
}

// A link whose file is not there yet (a synced folder that has not delivered it) is followed, not replaced
// by a plain file, so later saves still reach the folder the link names.
TEST_F(FileFaults, aLinkWhoseFileIsMissingIsFollowed) {
  std::filesystem::create_directory(folder + "/synced");
  const std::string link = folder + "/setup.lsp";
  std::filesystem::create_symlink("synced/setup.lsp", link);  // relative to the link's folder
  WriteFileReplacing(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::ReadBytes(folder + "/synced/setup.lsp"), "new");
  std::filesystem::create_symlink("loop.lsp", folder + "/loop.lsp");
  EXPECT_EQ(test::ErrorMessageOf([&] { WriteFileReplacing(folder + "/loop.lsp", "x"); }),
            "Cannot create file = " + folder + "/loop.lsp (its links form a loop)");
}

}  // namespace
}  // namespace gw
