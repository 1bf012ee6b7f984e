#include "music/form_music.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "core/test_files.h"
#include "editor/form_main.h"
#include "music/form_audio_edit.h"
#include "platform/desktop_shell.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// An Ogg stream as far as the music files care: the capture pattern, then some bytes.
std::string Plain(std::size_t size = 300) {
  std::string bytes = "OggS";
  for (std::size_t i = 4; i < size; ++i) bytes.push_back(static_cast<char>('a' + i % 26));
  return bytes;
}

std::string Field(std::string_view text) {
  std::string field(text);
  field.resize(kInfoFieldSize, '\0');
  return field;
}

std::string Wrapped(std::string_view song, std::string_view artist) {
  return "INFO" + Field(song) + Field(artist) + Plain();
}

QStringList Column(const QTreeWidget& list, int column) {
  QStringList texts;
  for (int i = 0; i < list.topLevelItemCount(); ++i) texts << list.topLevelItem(i)->text(column);
  return texts;
}

QStringList Row(const QTreeWidget& list, int row) {
  QStringList texts;
  for (int c = 0; c < list.columnCount(); ++c) texts << list.topLevelItem(row)->text(c);
  return texts;
}

// Answers the song-and-artist dialog as soon as it shows.
void AnswerAudioEdit(std::function<void(TFormAudioEdit&)> act, bool ok) {
  QTimer::singleShot(0, [act = std::move(act), ok] {
    auto* dialog = qobject_cast<TFormAudioEdit*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
    ok ? dialog->accept() : dialog->reject();
  });
}

void TypeInfo(const QString& song, const QString& artist, bool ok = true) {
  AnswerAudioEdit(
      [song, artist](TFormAudioEdit& d) {
        d.EditSong->setText(song);
        d.EditArtist->setText(artist);
      },
      ok);
}

class FormMusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();  // boxes are recorded, never shown
    shell_calls::Record(true);
    shell_calls::Take();
    fs::create_directories(dir.Path() / "Audio" / "Music");
  }
  void TearDown() override {
    EXPECT_FALSE(modal_answers::Active()) << "an answer given in advance was not used";
    shell_calls::Record(false);
  }

  std::string Music(std::string_view name) const {
    return (dir.Path() / "Audio" / "Music" / std::string(name)).string();
  }
  std::string SoundIni() const { return (dir.Path() / "Audio" / "Sound.ini").string(); }
  void WriteSlots(std::string_view keys) {
    test::WriteBytes(
        SoundIni(),
        "[MUSICPC::FRONTEND]\r\nMusic =Audio\\Music\\ba.ogg\r\n\r\n[MUSICPC::REPLAY]\r\nRandom = true\r\n" +
            std::string(keys));
  }
  std::unique_ptr<TFormMusic> Form() { return std::make_unique<TFormMusic>(install, nullptr, play); }
  static void Select(QTreeWidget* list, int row) {
    list->setCurrentItem(row < 0 ? nullptr : list->topLevelItem(row));
  }
  static int Selected(const QTreeWidget* list) {
    const auto rows = list->selectedItems();
    return rows.isEmpty() ? -1 : list->indexOfTopLevelItem(rows.front());
  }
  static int RowOf(const QTreeWidget* list, const QString& file, int column) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (list->topLevelItem(i)->text(column) == file) return i;
    return -1;
  }

  test::TempDir dir;
  std::string install = dir.Path().string();
  std::string play = dir.File("play");
};

TEST_F(FormMusicTest, opensWithTheLibrarySortedAndTenSlotRows) {
  test::WriteBytes(Music("Gravel Dawn.ogg"), Wrapped("Gravel Dawn", "The Hairpins"));
  test::WriteBytes(Music("cy.ogg"), Plain());
  test::WriteBytes(Music("fake.ogg"), "RIFF" + std::string(200, 'x'));  // named like music, but is not
  test::WriteBytes(Music("short.ogg"), "OggS");                         // too short to be read as Ogg
  test::WriteBytes(Music("notes.txt"), Plain());
  fs::create_directories(Music("folder.ogg"));
  WriteSlots(
      "Music00 =Audio\\Music\\Gravel Dawn.ogg\r\nMusic10 =cy.ogg\r\nMusic30 =Audio\\Music\\gone.ogg\r\n");
  auto form = Form();

  QTreeWidget* top = form->ListViewTop;
  QTreeWidget* bottom = form->ListViewBottom;

  ASSERT_EQ(bottom->topLevelItemCount(), 2);
  EXPECT_THAT(Row(*bottom, 0), ElementsAre("cy", "", ""));
  EXPECT_THAT(Row(*bottom, 1), ElementsAre("Gravel Dawn", "Gravel Dawn", "The Hairpins"));
  EXPECT_EQ(TFormMusic::HiddenName(*bottom->topLevelItem(1)), "Gravel Dawn.ogg");

  ASSERT_EQ(top->topLevelItemCount(), 10);
  EXPECT_THAT(Column(*top, 0), ElementsAre("1", "2", "3", "4", "5", "6", "7", "8", "9", "10"));
  EXPECT_THAT(Row(*top, 0), ElementsAre("1", "Gravel Dawn", "Gravel Dawn", "The Hairpins"));
  EXPECT_THAT(Row(*top, 1), ElementsAre("2", "cy", "", ""));
  EXPECT_THAT(Row(*top, 2), ElementsAre("3", "", "", ""));
  EXPECT_THAT(Row(*top, 3), ElementsAre("4", "gone", "", ""));  // a missing file keeps its name
  EXPECT_EQ(form->SlotNames()[3], "gone.ogg");
}

TEST_F(FormMusicTest, emptyMusicFolderAndMissingSoundTableStillGiveTenEmptySlots) {
  auto form = Form();
  EXPECT_EQ(form->ListViewBottom->topLevelItemCount(), 0);
  ASSERT_EQ(form->ListViewTop->topLevelItemCount(), 10);
  for (const std::string& name : form->SlotNames()) EXPECT_EQ(name, "");
}

TEST_F(FormMusicTest, theArtistColumnIsAsWideAsTheListsOwnMeasureMakesIt) {
  // Shared and distinct artists, one far wider than the column, one missing.
  const char* artists[] = {"A", "The Very Long Named Touring Orchestra Of Gravel", "A", "B", ""};
  for (int i = 0; i < 40; ++i)
    test::WriteBytes(Music("t" + std::to_string(10 + i) + ".ogg"), Wrapped("S", artists[i % 5]));
  auto form = Form();
  QTreeWidget* bottom = form->ListViewBottom;
  const int opened = bottom->columnWidth(2);
  bottom->setColumnWidth(2, 10);
  bottom->resizeColumnToContents(2);
  EXPECT_EQ(opened, bottom->columnWidth(2));
  EXPECT_GT(opened, bottom->fontMetrics().horizontalAdvance(QStringLiteral("The Very Long Named")));
}

TEST_F(FormMusicTest, anUnreadableFileIsListedMarkedAndEverythingElseWorks) {
  test::WriteBytes(Music("a.ogg"), Wrapped("Song A", "Artist A"));
  test::WriteBytes(Music("locked.ogg"), Wrapped("Hidden", "Hidden"));
  fs::permissions(Music("locked.ogg"), fs::perms::none);
  WriteSlots("Music00 =Audio\\Music\\locked.ogg\r\nMusic10 =Audio\\Music\\a.ogg\r\n");
  test::OpenToOthers(dir.Path());
  test::AsOrdinaryUser user;

  std::unique_ptr<TFormMusic> form;
  ASSERT_NO_THROW(form = Form());
  QTreeWidget* bottom = form->ListViewBottom;
  ASSERT_EQ(bottom->topLevelItemCount(), 2);
  EXPECT_THAT(Row(*bottom, 0), ElementsAre("a", "Song A", "Artist A"));
  EXPECT_FALSE(TFormMusic::IsUnreadable(*bottom->topLevelItem(0)));
  EXPECT_THAT(Row(*bottom, 1), ElementsAre("locked", "", ""));
  EXPECT_TRUE(TFormMusic::IsUnreadable(*bottom->topLevelItem(1)));
  EXPECT_THAT(bottom->topLevelItem(1)->toolTip(0).toStdString(), ::testing::HasSubstr("locked.ogg"));
  EXPECT_THAT(Row(*form->ListViewTop, 0), ElementsAre("1", "locked", "", ""));
  EXPECT_TRUE(TFormMusic::IsUnreadable(*form->ListViewTop->topLevelItem(0)));
  EXPECT_THAT(Row(*form->ListViewTop, 1), ElementsAre("2", "a", "Song A", "Artist A"));

  // Its own commands fail with the reason; the others go on as usual.
  Select(bottom, 1);
  form->MenuItemEdit->trigger();
  const QStringList shown = modal_answers::TakeShownTexts();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown.front().contains(QStringLiteral("locked.ogg"))) << shown.front().toStdString();
  Select(form->ListViewTop, 2);
  Select(bottom, 0);
  form->MenuItemAssign->trigger();
  EXPECT_EQ(form->SlotNames()[2], "a.ogg");
}

TEST_F(FormMusicTest, slotsFindTheirFilesIgnoringCaseAsTheGameDoes) {
  test::WriteBytes(Music("ba.ogg"), Wrapped("Default", "Game"));
  WriteSlots("Music00 =Audio\\Music\\BA.OGG\r\n");
  auto form = Form();
  EXPECT_THAT(Row(*form->ListViewTop, 0), ElementsAre("1", "BA", "Default", "Game"));
  form->reject();
  EXPECT_THAT(test::ReadBytes(SoundIni()), ::testing::HasSubstr("Music00 =Audio\\Music\\BA.OGG\r\n"));
}

TEST_F(FormMusicTest, selectingASlotSelectsItsLibraryRowIgnoringCase) {
  for (const char* name : {"a.ogg", "b.ogg", "c.ogg"}) test::WriteBytes(Music(name), Plain());
  WriteSlots("Music00 =Audio\\Music\\B.OGG\r\nMusic20 =Audio\\Music\\gone.ogg\r\n");
  auto form = Form();
  QTreeWidget* bottom = form->ListViewBottom;

  Select(form->ListViewTop, 0);
  EXPECT_EQ(Selected(bottom), 1);
  Select(bottom, 2);
  Select(form->ListViewTop, 2);  // a file that is not in the library: the library selection stays
  EXPECT_EQ(Selected(bottom), 2);
  Select(form->ListViewTop, 1);  // an empty slot: nothing selected below
  EXPECT_EQ(Selected(bottom), -1);
}

TEST_F(FormMusicTest, contextMenusEnableByTheSelectionAndProtectDefaultFilesInAnyCase) {
  for (const char* name : {"GT.OGG", "Ba.Ogg", "ba2.ogg"}) test::WriteBytes(Music(name), Plain());
  WriteSlots("Music00 =Audio\\Music\\ba2.ogg\r\n");
  auto form = Form();
  auto enabled = [&](std::initializer_list<QAction*> actions) {
    std::vector<bool> out;
    for (QAction* a : actions) out.push_back(a->isEnabled());
    return out;
  };

  form->PopupMenuTopPopup();
  form->PopupMenuBottomPopup();
  EXPECT_THAT(enabled({form->MenuItemErase, form->Play2}), ElementsAre(false, false));
  EXPECT_THAT(enabled({form->MenuItemAssign, form->MenuItemDelete, form->MenuItemEdit, form->Play1}),
              ElementsAre(false, false, false, false));

  Select(form->ListViewTop, 1);  // empty
  form->PopupMenuTopPopup();
  EXPECT_THAT(enabled({form->MenuItemErase, form->Play2}), ElementsAre(true, false));
  Select(form->ListViewTop, 0);
  form->PopupMenuTopPopup();
  EXPECT_THAT(enabled({form->MenuItemErase, form->Play2}), ElementsAre(true, true));
  EXPECT_EQ(form->PopupMenuTop->defaultAction(), form->Play2);

  for (const char* name : {"GT", "Ba"}) {
    Select(form->ListViewBottom, RowOf(form->ListViewBottom, QString::fromLatin1(name), 0));
    form->PopupMenuBottomPopup();
    EXPECT_THAT(enabled({form->MenuItemAssign, form->MenuItemDelete, form->MenuItemEdit, form->Play1}),
                ElementsAre(true, false, true, true))
        << name;
  }
  Select(form->ListViewBottom, RowOf(form->ListViewBottom, QStringLiteral("ba2"), 0));
  form->PopupMenuBottomPopup();
  EXPECT_TRUE(form->MenuItemDelete->isEnabled());
}

TEST_F(FormMusicTest, assignEraseAndLoadDefaultAreWrittenOnlyWhenTheWindowCloses) {
  for (const char* name : {"ba.ogg", "cy.ogg", "go.ogg", "creep.ogg", "mine.ogg"})
    test::WriteBytes(Music(name), Plain());
  test::WriteBytes(Music("mine.ogg"), Wrapped("Mine", "Me"));
  WriteSlots("Music10 =Audio\\Music\\gone.ogg\r\nMusic90 =Audio\\Music\\mine.ogg\r\n");
  const std::string before = test::ReadBytes(SoundIni());
  fs::create_directories(play);
  test::WriteBytes(play + "/old.ogg", "x");
  auto form = Form();
  form->show();

  form->ButtonLoadDefaultClick();
  EXPECT_THAT(Column(*form->ListViewTop, 1),
              ElementsAre("ba", "", "cy", "", "go", "", "creep", "", "gt", ""));
  Select(form->ListViewTop, 1);
  Select(form->ListViewBottom, RowOf(form->ListViewBottom, QStringLiteral("mine"), 0));
  form->MenuItemAssignClick();
  EXPECT_THAT(Row(*form->ListViewTop, 1), ElementsAre("2", "mine", "Mine", "Me"));
  Select(form->ListViewTop, 2);
  form->MenuItemEraseClick();
  EXPECT_EQ(form->SlotNames()[2], "");
  EXPECT_EQ(test::ReadBytes(SoundIni()), before);  // nothing written yet

  QTest::mouseClick(form->ButtonClose, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(
      test::ReadBytes(SoundIni()),
      "[MUSICPC::FRONTEND]\r\nMusic =Audio\\Music\\ba.ogg\r\n\r\n[MUSICPC::REPLAY]\r\nRandom = true\r\n"
      "Music10 =Audio\\Music\\mine.ogg\r\nMusic00=Audio\\Music\\ba.ogg\r\nMusic40=Audio\\Music\\go.ogg\r\n"
      "Music60=Audio\\Music\\creep.ogg\r\n");  // gt.ogg is not there: its key goes too
  EXPECT_FALSE(fs::exists(play));
}

TEST_F(FormMusicTest, aSoundTableThatCannotBeWrittenKeepsTheWindowOpen) {
  WriteSlots("");
  fs::permissions(SoundIni(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  test::WriteBytes(Music("ba.ogg"), Plain());
  auto form = Form();
  form->show();
  form->ButtonLoadDefaultClick();
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  const QStringList shown = modal_answers::TakeShownTexts();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].contains(ToQ(SoundIni()))) << shown[0].toStdString();

  fs::permissions(SoundIni(), fs::perms::owner_write, fs::perm_options::add);
  form->close();  // the close box
  EXPECT_FALSE(form->isVisible());
  EXPECT_NE(test::ReadBytes(SoundIni()).find("Music00=Audio\\Music\\ba.ogg"), std::string::npos);
}

TEST_F(FormMusicTest, deleteAsksThenRemovesTheFileAndEmptiesEverySlotThatUsedIt) {
  test::WriteBytes(Music("mine.ogg"), Plain());
  test::WriteBytes(Music("ba.ogg"), Plain());
  WriteSlots("Music20 =mine.ogg\r\nMusic40 =Audio\\Music\\mine.ogg\r\nMusic50 =MINE.ogg\r\n");
  auto form = Form();
  QTreeWidget* bottom = form->ListViewBottom;

  Select(bottom, RowOf(bottom, QStringLiteral("ba"), 0));
  form->MenuItemDeleteClick();  // a default file: not even asked
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
  EXPECT_TRUE(fs::exists(Music("ba.ogg")));

  Select(bottom, RowOf(bottom, QStringLiteral("mine"), 0));
  modal_answers::PushConfirm(false);
  form->MenuItemDeleteClick();
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre(QStringLiteral("Delete file ") + ToQ(Music("mine.ogg"))));
  EXPECT_TRUE(fs::exists(Music("mine.ogg")));
  EXPECT_EQ(bottom->topLevelItemCount(), 2);

  modal_answers::PushConfirm(true);
  form->MenuItemDeleteClick();
  modal_answers::TakeShownTexts();
  EXPECT_FALSE(fs::exists(Music("mine.ogg")));
  EXPECT_THAT(Column(*bottom, 0), ElementsAre("ba"));
  const TSlotTable names = form->SlotNames();
  EXPECT_EQ(names[2], "");
  EXPECT_EQ(names[4], "");
  EXPECT_EQ(names[5], "MINE.ogg");  // another name, even if only by letter case
  EXPECT_EQ(form->ListViewTop->topLevelItem(4)->text(1), "");

  // A file that became a non-empty folder behind the window's back cannot be deleted: its row stays.
  test::WriteBytes(Music("mine2.ogg"), Plain());
  auto again = Form();
  fs::remove(Music("mine2.ogg"));
  fs::create_directories(Music("mine2.ogg"));
  test::WriteBytes((fs::path(Music("mine2.ogg")) / "inside").string(), "x");
  Select(again->ListViewBottom, RowOf(again->ListViewBottom, QStringLiteral("mine2"), 0));
  modal_answers::PushConfirm(true);
  again->PopupMenuBottomPopup();
  again->MenuItemDelete->trigger();
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre(QStringLiteral("Delete file ") + ToQ(Music("mine2.ogg")),
                          QStringLiteral("Can't delete the file.")));
  EXPECT_EQ(again->ListViewBottom->topLevelItemCount(), 2);
}

std::string EditError(TFormMusic& form) {
  try {
    form.MenuItemEditClick();
  } catch (const Error& e) {
    return e.what();
  }
  return {};
}

TEST_F(FormMusicTest, editInfoRewritesTheHeaderAndRefreshesTheRowAndItsSlots) {
  test::WriteBytes(Music("mine.ogg"), Wrapped("Old song", "Old artist"));
  WriteSlots("Music00 =mine.ogg\r\nMusic30 =mine.ogg\r\n");
  auto form = Form();
  Select(form->ListViewBottom, 0);

  QString shownSong, shownArtist;
  AnswerAudioEdit(
      [&](TFormAudioEdit& d) {
        shownSong = d.EditSong->text();
        shownArtist = d.EditArtist->text();
      },
      false);
  EXPECT_EQ(EditError(*form), "");
  EXPECT_EQ(shownSong, "Old song");
  EXPECT_EQ(shownArtist, "Old artist");
  EXPECT_EQ(test::ReadBytes(Music("mine.ogg")), Wrapped("Old song", "Old artist"));  // Cancel changes nothing

  const QString song64(64, QLatin1Char('s'));
  TypeInfo(song64, QStringLiteral("Me"));
  EXPECT_EQ(EditError(*form), "");
  EXPECT_EQ(test::ReadBytes(Music("mine.ogg")), Wrapped(FromQ(song64), "Me"));
  EXPECT_THAT(Row(*form->ListViewBottom, 0), ElementsAre("mine", song64, "Me"));
  EXPECT_THAT(Row(*form->ListViewTop, 0), ElementsAre("1", "mine", song64, "Me"));
  EXPECT_THAT(Row(*form->ListViewTop, 3), ElementsAre("4", "mine", song64, "Me"));
}

TEST_F(FormMusicTest, editInfoCountsTheStoredBytesAndRefusesPlainAndMissingFiles) {
  test::WriteBytes(Music("mine.ogg"), Wrapped("Song", "Artist"));
  test::WriteBytes(Music("plain.ogg"), Plain());
  auto form = Form();
  const std::string original = test::ReadBytes(Music("mine.ogg"));
  Select(form->ListViewBottom, 0);

  TypeInfo(QString(65, QLatin1Char('s')), QStringLiteral("Me"));
  EXPECT_EQ(EditError(*form), "The maximum length is 64.");
  TypeInfo(QStringLiteral("Me"), QString(65, QLatin1Char('a')));
  EXPECT_EQ(EditError(*form), "The maximum length is 64.");
  // 33 characters, 66 bytes as stored: one of them would be cut in two.
  TypeInfo(QString(33, QChar(0xE9)), QStringLiteral("Me"));
  EXPECT_EQ(EditError(*form), "The maximum length is 64.");
  EXPECT_EQ(test::ReadBytes(Music("mine.ogg")), original);
  TypeInfo(QString(32, QChar(0xE9)), QStringLiteral("Me"));
  EXPECT_EQ(EditError(*form), "");
  EXPECT_EQ(test::ReadBytes(Music("mine.ogg")), Wrapped(FromQ(QString(32, QChar(0xE9))), "Me"));

  Select(form->ListViewBottom, 1);
  TypeInfo(QStringLiteral("Song"), QStringLiteral("Me"));
  EXPECT_EQ(EditError(*form), "Header not found.");
  EXPECT_EQ(test::ReadBytes(Music("plain.ogg")), Plain());

  fs::remove(Music("plain.ogg"));
  EXPECT_EQ(EditError(*form), "File not found.");  // no dialog opens
}

TEST_F(FormMusicTest, editInfoKeepsTheBytesOfATextLeftAsItWas) {
  const std::string artist = "Caf\xE9 Noir";  // written by a system whose code page is not this one's
  test::WriteBytes(Music("mine.ogg"), Wrapped("Song", artist));
  auto form = Form();
  Select(form->ListViewBottom, 0);
  AnswerAudioEdit([](TFormAudioEdit& d) { d.EditSong->setText(QStringLiteral("New song")); }, true);
  EXPECT_EQ(EditError(*form), "");
  EXPECT_EQ(test::ReadBytes(Music("mine.ogg")), Wrapped("New song", artist));
}

TEST_F(FormMusicTest, importAddsTheNewFileAtTheEndOrShowsWhyNot) {
  test::WriteBytes(Music("zz.ogg"), Plain());
  const std::string source = dir.File("tune.mp3");  // Ogg inside, whatever the name says
  test::WriteBytes(source, Plain(1000));
  const std::string notOgg = dir.File("song.ogg");
  test::WriteBytes(notOgg, std::string(500, 'x'));
  auto form = Form();

  modal_answers::PushFileName({});
  form->ButtonInportClick();  // cancelled
  EXPECT_EQ(form->ListViewBottom->topLevelItemCount(), 1);

  modal_answers::PushFileName(ToQ(source));
  QTest::mouseClick(form->ButtonInport, Qt::LeftButton);
  EXPECT_THAT(Column(*form->ListViewBottom, 0), ElementsAre("zz", "tune"));
  EXPECT_EQ(TFormMusic::HiddenName(*form->ListViewBottom->topLevelItem(1)), "tune.mp3");
  EXPECT_EQ(test::ReadBytes(Music("tune.mp3")), "INFO" + std::string(128, '\0') + Plain(1000));

  modal_answers::PushFileName(ToQ(source));
  QTest::mouseClick(form->ButtonInport, Qt::LeftButton);
  modal_answers::PushFileName(ToQ(notOgg));
  QTest::mouseClick(form->ButtonInport, Qt::LeftButton);
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre("The file already exists.", ToQ("Invalid file = " + notOgg + ".")));
  EXPECT_EQ(form->ListViewBottom->topLevelItemCount(), 2);
  EXPECT_FALSE(fs::exists(Music("song.ogg")));
}

TEST_F(FormMusicTest, playOpensAHeaderlessCopyMadeOnceAndSkipsEmptyOrMissingFiles) {
  test::WriteBytes(Music("mine.ogg"), Wrapped("Song", "Artist"));
  WriteSlots("Music00 =mine.ogg\r\nMusic20 =gone.ogg\r\n");
  auto form = Form();
  form->show();
  QTreeWidget* top = form->ListViewTop;
  const std::string copy = play + "/mine.ogg";

  const QRect first = top->visualItemRect(top->topLevelItem(0));
  QTest::mouseClick(top->viewport(), Qt::LeftButton, {}, first.center());
  QTest::mouseDClick(top->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_THAT(shell_calls::Take(), ElementsAre("open " + copy));
  EXPECT_EQ(test::ReadBytes(copy), Plain());

  test::WriteBytes(copy, "still playing");
  Select(form->ListViewBottom, 0);
  form->Play1Click();
  EXPECT_THAT(shell_calls::Take(), ElementsAre("open " + copy));
  EXPECT_EQ(test::ReadBytes(copy), "still playing");  // the first copy is used again

  for (int slot : {1, 2}) {  // empty, and a file that is not there
    Select(top, slot);
    form->Play2Click();
  }
  EXPECT_TRUE(shell_calls::Take().empty());
}

TEST_F(FormMusicTest, theToolMenuCommandShowsTheWindowModally) {
  test::WriteBytes(Music("ba.ogg"), Plain());
  WriteSlots("");
  TFormMain main(TFormMainOptions{install, dir.File("Gravelwright.ini"), std::nullopt, dir.File("history")});
  int rows = -1;
  QTimer::singleShot(0, [&rows] {
    auto* music = qobject_cast<TFormMusic*>(QApplication::activeModalWidget());
    ASSERT_NE(music, nullptr);
    rows = music->ListViewBottom->topLevelItemCount();
    music->ButtonLoadDefaultClick();
    music->reject();
  });
  main.findChild<QAction*>(QStringLiteral("MenuItemMusic"))->trigger();
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(main.findChild<TFormMusic*>(), nullptr);  // destroyed when it closed
  EXPECT_NE(test::ReadBytes(SoundIni()).find("Music00=Audio\\Music\\ba.ogg"), std::string::npos);
}

// A read-only sound table (as the game's installer leaves its files) whose slot names a file no longer in
// the music folder: closing must delete that key and cannot. The player may stay, or close and leave the
// table as it was; the window never holds them for good.
TEST_F(FormMusicTest, aSoundTableThatCannotBeWrittenMayBeLeftAsItWas) {
  WriteSlots("Music00=Audio\\Music\\gone.ogg\r\n");
  const std::string before = test::ReadBytes(SoundIni());
  fs::permissions(SoundIni(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  auto form = Form();
  form->show();
  QTest::keyClick(form.get(), Qt::Key_Escape);  // Cancel: the window stays
  EXPECT_TRUE(form->isVisible());
  const QStringList asked = modal_answers::TakeShownTexts();
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(asked[0].endsWith("Close without saving the music slots?")) << asked[0].toStdString();
  modal_answers::PushChoice(0);  // Close
  QTest::mouseClick(form->ButtonClose, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(test::ReadBytes(SoundIni()), before);
  fs::permissions(SoundIni(), fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace gw
