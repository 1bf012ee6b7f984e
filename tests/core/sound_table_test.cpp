#include "music/sound_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_files.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class SoundTable : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.Path() / "Audio" / "Music");
    for (const char* name : {"ba.ogg", "cy.ogg", "mine.ogg"}) test::WriteBytes(music + name, "OggS");
  }
  test::TempDir dir;
  std::string install = dir.Path().string();
  std::string music = install + "/Audio/Music/";
  std::string table = install + "/Audio/Sound.ini";
};

TEST_F(SoundTable, slotsShowTheNameAfterTheLastSeparator) {
  test::WriteBytes(table,
                   "[MUSICPC::REPLAY]\r\nMusic00 =Audio\\Music\\x.ogg\r\nMusic10=bare.ogg\r\n"
                   "music20 = C:y.ogg\r\n#Music30=Audio\\Music\\off.ogg\r\n");
  const TSlotTable slots = LoadSlotTable(install);
  EXPECT_EQ(slots[0], "x.ogg");
  EXPECT_EQ(slots[1], "bare.ogg");
  EXPECT_EQ(slots[2], "y.ogg");
  for (int n = 3; n < 10; ++n) EXPECT_EQ(slots[static_cast<std::size_t>(n)], "") << n;
  EXPECT_EQ(MusicSlotKey(9), "Music90");
}

TEST_F(SoundTable, savingWritesExistingFilesAndDropsTheRest) {
  const std::string original = test::DataFile("real-data/ini/Sound.ini");
  test::WriteBytes(table, original);
  TSlotTable slots;
  slots[0] = "ba.ogg";    // unchanged
  slots[1] = "mine.ogg";  // new key
  slots[2] = "gone.ogg";  // file missing: key removed
  SaveSlotTable(install, slots);
  const std::string now = test::ReadBytes(table);
  EXPECT_NE(now.find("Music00 =Audio\\Music\\ba.ogg\n"), std::string::npos);
  EXPECT_NE(now.find("Music10=Audio\\Music\\mine.ogg"), std::string::npos);
  for (const char* gone : {"\nMusic20", "\nMusic40", "\nMusic60", "\nMusic80"})
    EXPECT_EQ(now.find(gone), std::string::npos) << gone;
  EXPECT_NE(now.find("#Music20 =Audio\\Music\\juice.ogg"), std::string::npos);  // comments stay
  EXPECT_EQ(now.substr(0, 60), original.substr(0, 60));
  const TSlotTable back = LoadSlotTable(install);
  EXPECT_EQ(back[0], "ba.ogg");
  EXPECT_EQ(back[1], "mine.ogg");
  EXPECT_EQ(back[2], "");
}

TEST_F(SoundTable, slotsFindTheirFilesIgnoringLetterCaseAndKeepTheirNames) {
  test::WriteBytes(table,
                   "[MUSICPC::REPLAY]\r\nMusic00=Audio\\Music\\BA.OGG\r\nMusic10=Audio\\Music\\Mine.Ogg\r\n");
  SaveSlotTable(install, LoadSlotTable(install));
  EXPECT_EQ(test::ReadBytes(table),
            "[MUSICPC::REPLAY]\r\nMusic00=Audio\\Music\\BA.OGG\r\nMusic10=Audio\\Music\\Mine.Ogg\r\n");
}

TEST_F(SoundTable, aMissingTableReadsEmptyAndIsCreated) {
  EXPECT_EQ(LoadSlotTable(install), TSlotTable{});
  TSlotTable slots;
  slots[9] = "cy.ogg";
  SaveSlotTable(install, slots);
  EXPECT_EQ(test::ReadBytes(table), "[MUSICPC::REPLAY]\r\nMusic90=Audio\\Music\\cy.ogg\r\n");
}

}  // namespace
}  // namespace gw
