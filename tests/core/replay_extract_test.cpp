#include "setup/replay_extract.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/test_files.h"
#include "platform/error.h"
#include "setup/car_setup.h"

namespace gw {
namespace {

const std::string kSetup = "((\"CarSetup\"\n Car             (\"Car\"\n MaxSteeringLock 1.205958\n )\n ))";

std::string Replay(const std::string& before, const std::string& after = "\x01\x02tail data") {
  return "RPL\x00\x01" + before + "GMDC\x10\x20header SCOE" + std::string(40, '\x7f') + kSetup + after;
}

TEST(FindMarker, findsWholeMarkersAtOrAfterTheStart) {
  EXPECT_EQ(FindMarker("ab", "xxabxab", 1), 3u);
  EXPECT_EQ(FindMarker("ab", "xxabxab", 3), 3u);
  EXPECT_EQ(FindMarker("ab", "xxabxab", 4), 6u);
  EXPECT_EQ(FindMarker("ab", "xxabxa", 4), 0u);  // must lie wholly inside
  EXPECT_EQ(FindMarker("", "abc", 1), 0u);
  EXPECT_EQ(FindMarker("a", "abc", 9), 0u);
}

TEST(ExtractSetupText, takesTheSetupThroughTheEndMarkerPlusOneNul) {
  const std::string text = ExtractSetupText(Replay(""), "r.rpl");
  EXPECT_EQ(text, kSetup + '\0');
  TTOVCarSetup doc;
  doc.LoadFromBytes(text, "x.lsp");
  EXPECT_NE(doc.FindSection("Car"), nullptr);
}

TEST(ExtractSetupText, namesTheFirstMissingMarker) {
  const std::string path = "C:\\r.rpl";
  auto message = [&](const std::string& bytes) {
    return test::ErrorMessageOf([&] { ExtractSetupText(bytes, path); });
  };
  EXPECT_EQ(message("no markers at all"), "Invalid file (0) = " + path);
  EXPECT_EQ(message("SCOE then GMDC ((\"x\n Car\n)\n ))"), "Invalid file (1) = " + path);
  EXPECT_EQ(message("GMDC SCOE no start"), "Invalid file (2) = " + path);
  EXPECT_EQ(message("GMDC SCOE ((\"x\nCar)\n ))"), "Invalid file (3) = " + path);
  EXPECT_EQ(message("GMDC SCOE ((\"x\n Car\n)\n )"), "Invalid file (4) = " + path);
  // The end marker is searched from the start itself: one before the car line still counts.
  EXPECT_EQ(ExtractSetupText("GMDCSCOE((\"a)\n ))\n Car", path), std::string("((\"a)\n ))") + '\0');
}

class ReplayFiles : public ::testing::Test {
 protected:
  test::TempDir dir;
};

TEST_F(ReplayFiles, onlyTheFirstMebibyteIsSearched) {
  const std::string path = dir.File("far.rpl");
  test::WriteBytes(path, std::string(kReplaySearchSize - 6, '.') + "GMDC SCOE" + kSetup);
  EXPECT_EQ(test::ErrorMessageOf([&] { ExtractSetupFromReplay(path, dir.File("o.lsp")); }),
            "Invalid file (1) = " + path);
  test::WriteBytes(path, std::string(kReplaySearchSize - 70, '.') + "GMDC SCOE" + kSetup);
  EXPECT_EQ(test::ErrorMessageOf([&] { ExtractSetupFromReplay(path, dir.File("o.lsp")); }),
            "Invalid file (4) = " + path);
  test::WriteBytes(path, std::string(kReplaySearchSize - 200, '.') + "GMDC SCOE" + kSetup);
  ExtractSetupFromReplay(path, dir.File("o.lsp"));
  EXPECT_EQ(test::ReadBytes(dir.File("o.lsp")), kSetup + '\0');
}

TEST_F(ReplayFiles, replacesAnExistingDestinationButNeverTheReplay) {
  const std::string replay = dir.File("r.rpl");
  test::WriteBytes(replay, Replay(std::string(1000, 'z')));
  const std::string out = dir.File("out.lsp");
  test::WriteBytes(out, std::string(100000, 'o'));
  ExtractSetupFromReplay(replay, out);
  EXPECT_EQ(test::ReadBytes(out), kSetup + '\0');

  EXPECT_THAT(test::ErrorMessageOf([&] { ExtractSetupFromReplay(replay, replay); }),
              ::testing::HasSubstr("replay itself"));
  EXPECT_EQ(test::ReadBytes(replay), Replay(std::string(1000, 'z')));

  test::WriteBytes(out, "old");
  EXPECT_THAT(test::ErrorMessageOf([&] { ExtractSetupFromReplay(dir.File("missing.rpl"), out); }),
              ::testing::HasSubstr("missing.rpl"));
  EXPECT_EQ(test::ReadBytes(out), "old");  // nothing touched on failure
}

TEST_F(ReplayFiles, aReplayThatIsNoRegularFileIsRefusedWithoutWaiting) {
  const std::string fifo = dir.File("pipe.rpl");
  test::Fifo pipe(fifo);
  EXPECT_EQ(test::ErrorMessageOf([&] { ExtractSetupFromReplay(fifo, dir.File("o.lsp")); }),
            fifo + " is not a regular file.");
  EXPECT_FALSE(pipe.Rescued());
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.lsp")));
  EXPECT_EQ(test::ErrorMessageOf([&] { ExtractSetupFromReplay("/dev/zero", dir.File("o.lsp")); }),
            "/dev/zero is not a regular file.");
}

}  // namespace
}  // namespace gw
