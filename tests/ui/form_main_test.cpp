#include "form_main_fixture.h"

#include <QScreen>
#include <QSet>

namespace gw {
namespace {

namespace fs = std::filesystem;
using L = TSetupList;
using test::FormMainTest;
using ::testing::ElementsAre;

TEST_F(FormMainTest, fileListIsSortedWithoutCaseAndEndsWithTheOpenEntry) {
  auto form = Form();
  EXPECT_THAT(Entries(*form),
              ElementsAre("0slot1_Tarmac.lsp", "1SLOT2_snow.lsp", "3slot0_Wet.lsp", "9slot0_x.lsp", "-"));
  EXPECT_EQ(Child<QComboBox>(*form, "ComboBoxFiles")->currentIndex(), -1);
  EXPECT_EQ(form->windowTitle(), "Gravelwright");

  fs::remove_all(dir.Path() / "SavedGames");
  form->RefreshFileList();
  EXPECT_THAT(Entries(*form), ElementsAre("-"));
}

TEST_F(FormMainTest, entriesDrawTheBoldCarOnTheLeftThreeFifthsAndTheTitleOnTheRest) {
  QImage image(200, 16, QImage::Format_RGB32);
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  auto inked = [&](int from, int to) {
    for (int x = from; x < to; ++x)
      for (int y = 0; y < 16; ++y)
        if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
  };
  auto draw = [&](const QString& entry) {
    image.fill(Qt::white);
    QPainter p(&image);
    DrawSetupFileEntry(p, QStringList{entry}, 0, QRect(0, 0, 200, 16), false, palette, QFont());
  };
  draw(QStringLiteral("0slot1_Tarmac.lsp"));  // x = (0 + 200) div 5 * 3 = 120
  EXPECT_TRUE(inked(0, 120));
  EXPECT_TRUE(inked(120, 200));
  draw(QStringLiteral("9slot0_x.lsp"));  // car digit above 7: no car, the title is the base name
  EXPECT_FALSE(inked(0, 120));
  EXPECT_TRUE(inked(120, 200));
  draw(QStringLiteral("-"));
  EXPECT_TRUE(inked(0, 200));
  for (int x = 0; x < 200; ++x) EXPECT_LT(qGray(image.pixel(x, 0)), 128) << x;  // the line along the top
}

TEST_F(FormMainTest, loadingSetsCaptionActionsValuesAndComment) {
  auto form = Form();
  EXPECT_FALSE(Enabled(*form, "ActionSave") || Enabled(*form, "ActionSaveAs") ||
               Enabled(*form, "ActionDelete"));
  EXPECT_FALSE(Enabled(*form, "MenuItemVelocity"));
  EXPECT_TRUE(Enabled(*form, "ActionReload"));

  form->LoadSetupFile("0slot1_Tarmac.lsp");
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
  EXPECT_TRUE(Enabled(*form, "ActionSave") && Enabled(*form, "ActionSaveAs") &&
              Enabled(*form, "ActionDelete"));
  EXPECT_TRUE(Enabled(*form, "MenuItemVelocity"));
  EXPECT_EQ(form->Setup().FileName(), Saved("0slot1_Tarmac.lsp"));
  auto* memo = Child<QPlainTextEdit>(*form, "MemoComment");
  EXPECT_TRUE(memo->isEnabled());
  EXPECT_EQ(memo->toPlainText(), "");
  EXPECT_FALSE(Child<QLabel>(*form, "LabelBrakeRatio")->text().isEmpty());
  EXPECT_EQ(form->List(L::CenterSpeed)->Caption(0).right(4), "km/h");
}

TEST_F(FormMainTest, aNulByteBeforeTheEndIsToldAtLoadAndSavingStaysPossible) {
  using namespace std::string_literals;
  const std::string path = Saved("0slot2_Damaged.lsp");
  test::WriteBytes(path, grid + "\0 lost tail\n"s);
  auto form = Form();
  Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
  form->LoadSetupFile("0slot2_Damaged.lsp");
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre(ToQ(path + " holds a NUL byte at offset " + std::to_string(grid.size()) +
                              ": everything after it is ignored, and saving will drop it.")));
  EXPECT_TRUE(Enabled(*form, "ActionSave"));
  form->ActionSaveExecute();
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
  EXPECT_EQ(test::ReadBytes(path).back(), '\0');
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
}

TEST_F(FormMainTest, aSlotFileNamedWithAnEqualsSignKeepsItsCommentWithoutAnError) {
  test::WriteBytes(Saved("0slot0_a=b.lsp"), grid);
  {
    auto form = Form();
    Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
    form->LoadSetupFile("0slot0_a=b.lsp");
    Child<QPlainTextEdit>(*form, "MemoComment")->setPlainText(QStringLiteral("odd name"));
    form->ActionSaveExecute();
    EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
    form->close();
  }
  auto form = Form();
  form->LoadSetupFile("0slot0_a=b.lsp");
  EXPECT_EQ(Child<QPlainTextEdit>(*form, "MemoComment")->toPlainText(), "odd name\n");
}

// A comment line of megabytes is shown in paragraphs short enough to lay out at once (the window stays
// responsive), and is stored back whole.
TEST_F(FormMainTest, aHugeCommentLineIsShownInShortParagraphsAndStoredWhole) {
  std::string huge;
  for (int i = 0; huge.size() < 3'000'000; ++i) huge += "word" + std::to_string(i % 97) + (i % 5 ? " " : "");
  const std::string stored = "[COMMENT]\r\n0slot1_Tarmac=short,\"" + huge + "\",end\r\n";
  test::WriteBytes(settings, stored);
  auto form = Form();
  Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  auto* memo = Child<QPlainTextEdit>(*form, "MemoComment");
  int longest = 0;
  for (QTextBlock b = memo->document()->firstBlock(); b.isValid(); b = b.next())
    longest = std::max(longest, b.length());
  EXPECT_LE(longest, 8192 + 1);
  EXPECT_GT(memo->document()->blockCount(), 300);

  form->ActionSaveExecute();
  form->close();
  EXPECT_EQ(test::ReadBytes(settings).substr(0, stored.size()), stored);

  // Typing and a line break inside a piece change the line just there; the rest stays whole.
  form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  const QTextDocument* document = Child<QPlainTextEdit>(*form, "MemoComment")->document();
  const auto at = static_cast<std::size_t>(document->findBlockByNumber(1).text().size() + 5);
  QTextCursor cursor(document->findBlockByNumber(2));
  cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 5);
  cursor.insertText(QStringLiteral("X"));
  cursor.insertBlock();
  form->ActionSaveExecute();
  EXPECT_EQ(ReadComment(ProfileIni(settings), "0slot1_Tarmac.lsp"),
            (std::vector<std::string>{"short", huge.substr(0, at) + "X", huge.substr(at), "end"}));
}

TEST_F(FormMainTest, aSlotNameOutsideTheSavedGamesFolderGetsTheBracketPartUntilSaved) {
  const std::string elsewhere = dir.File("0slot1_Tarmac.lsp");
  test::WriteBytes(elsewhere, grid);
  auto form = Form();
  form->LoadSetupFile(elsewhere);
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac [Xsara:Tarmac]");
  EXPECT_FALSE(Child<QPlainTextEdit>(*form, "MemoComment")->isEnabled());
  EXPECT_EQ(Child<QPlainTextEdit>(*form, "MemoComment")->toPlainText(), "Can't be used.");
  Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
  form->ActionSaveExecute();
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
  EXPECT_FALSE(fs::exists(settings));  // no comment stored for a file outside the folder
}

TEST_F(FormMainTest, choosingFromTheListAndTheOpenEntry) {
  auto form = Form();
  auto* combo = Child<QComboBox>(*form, "ComboBoxFiles");
  combo->setCurrentIndex(2);
  form->ComboBoxFilesSelect(2);
  EXPECT_EQ(form->Setup().FileName(), Saved("3slot0_Wet.lsp"));

  // "-", cancelled: the current file's entry comes back.
  const int open = combo->count() - 1;
  combo->setCurrentIndex(open);
  modal_answers::PushFileName({});
  form->ComboBoxFilesSelect(open);
  EXPECT_EQ(combo->currentText(), "3slot0_Wet.lsp");

  // "-", a file chosen elsewhere: loaded, and the list keeps no selection.
  const std::string other = dir.File("other.lsp");
  test::WriteBytes(other, grid);
  combo->setCurrentIndex(open);
  modal_answers::PushFileName(ToQ(other));
  form->ComboBoxFilesSelect(open);
  EXPECT_EQ(form->Setup().FileName(), other);
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(form->windowTitle(), "Gravelwright - other");

  // Cancel again: the current file is not in the list, so nothing is selected.
  combo->setCurrentIndex(open);
  modal_answers::PushFileName({});
  form->ComboBoxFilesSelect(open);
  EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(FormMainTest, theCommandLineFileLoadsWhenTheWindowFirstShows) {
  auto form = Form(Saved("1SLOT2_snow.lsp"));
  form->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Setup().FileName().empty(); }));  // once it has drawn
  EXPECT_EQ(form->Setup().FileName(), Saved("1SLOT2_snow.lsp"));
  EXPECT_EQ(Child<QComboBox>(*form, "ComboBoxFiles")->currentIndex(), -1);

  auto missing = Form(dir.File("missing.lsp"));
  missing->show();
  QTest::qWait(50);
  EXPECT_EQ(missing->Setup().FileName(), "");
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());  // ignored without a message
}

TEST_F(FormMainTest, droppingLoadsTheFirstFileAndSelectsItsEntry) {
  auto form = Form();
  const std::string elsewhere = dir.File("3slot0_Wet.lsp");
  test::WriteBytes(elsewhere, grid);
  form->DropFiles({ToQ(elsewhere), ToQ(Saved("0slot1_Tarmac.lsp"))});
  EXPECT_EQ(form->Setup().FileName(), elsewhere);
  EXPECT_EQ(Child<QComboBox>(*form, "ComboBoxFiles")->currentText(), "3slot0_Wet.lsp");
  EXPECT_TRUE(form->acceptDrops());
}

TEST_F(FormMainTest, saveAsksFirstOnlyWhenConfirmationIsOn) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  TSliderListBox* steering = form->List(L::Steering);
  steering->SetValue(0, steering->Value(0) + 1);

  modal_answers::PushConfirm(false);
  form->ActionSaveExecute();
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre("Save overwrite the file."));
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);

  modal_answers::PushConfirm(true);
  form->ActionSaveExecute();
  const std::string saved = test::ReadBytes(Saved("0slot1_Tarmac.lsp"));
  // Only the steering lock's line changed; the file now ends with one NUL.
  const auto before = SplitLines(grid), after = SplitLines(saved.substr(0, saved.size() - 1));
  ASSERT_EQ(before.size(), after.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < before.size(); ++i)
    if (before[i] != after[i]) changed.push_back(after[i]);
  EXPECT_THAT(changed, ElementsAre(::testing::HasSubstr("MaxSteeringLock")));

  Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
  steering->SetValue(0, steering->Value(0) + 1);
  form->ActionSaveExecute();  // no question
  EXPECT_NE(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), saved);
}

TEST_F(FormMainTest, saveAsAddsTheExtensionAndMovesTheDocument) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  modal_answers::PushFileName({});  // cancelled
  form->ActionSaveAsExecute();
  modal_answers::PushFileName(ToQ(Saved("4slot0_New")));
  form->ActionSaveAsExecute();
  EXPECT_TRUE(fs::exists(Saved("4slot0_New.lsp")));
  EXPECT_EQ(form->Setup().FileName(), Saved("4slot0_New.lsp"));
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 4slot0_New");
  modal_answers::PushFileName(ToQ(dir.File("x.txt")));
  form->ActionSaveAsExecute();
  EXPECT_TRUE(fs::exists(dir.File("x.txt")));
}

TEST_F(FormMainTest, saveAsFromAFileWithoutCommentStoresNoPlaceholder) {
  const std::string elsewhere = dir.File("mine.lsp");
  test::WriteBytes(elsewhere, grid);
  auto form = Form();
  form->LoadSetupFile(elsewhere);
  modal_answers::PushFileName(ToQ(Saved("2slot0_Copy.lsp")));
  form->ActionSaveAsExecute();
  EXPECT_EQ(ProfileIni(settings).Read("COMMENT", "2slot0_Copy"), std::nullopt);
}

TEST_F(FormMainTest, commentsAreKeptPerSlotFileAcrossARestart) {
  {
    auto form = Form();
    Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
    form->LoadSetupFile("0slot1_Tarmac.lsp");
    Child<QPlainTextEdit>(*form, "MemoComment")->setPlainText(QStringLiteral("fast on gravel\n\n"));
    form->ActionSaveExecute();
    form->close();
  }
  auto form = Form();
  EXPECT_FALSE(Child<QAction>(*form, "MenuItemConfirmSave")->isChecked());  // settings survived too
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  EXPECT_EQ(Child<QPlainTextEdit>(*form, "MemoComment")->toPlainText(), "fast on gravel\n\n");
  form->LoadSetupFile("3slot0_Wet.lsp");
  EXPECT_EQ(Child<QPlainTextEdit>(*form, "MemoComment")->toPlainText(), "");
}

TEST_F(FormMainTest, settingsRestoreTheRunVariantAndPosition) {
  {
    auto form = Form();
    Child<QAction>(*form, "NoSSE1")->trigger();
    form->move(40, 30);
    form->close();
  }
  EXPECT_EQ(ProfileIni(settings).ReadString("COMMON", "RunTOV", ""), "2");
  auto form = Form();
  EXPECT_EQ(form->SelectedRunVariant(), 2);
  EXPECT_TRUE(Child<QAction>(*form, "NoSSE1")->isChecked());
  EXPECT_FALSE(Child<QAction>(*form, "Default1")->isChecked());
  EXPECT_EQ(form->pos(), QPoint(40, 30));
}

// A position kept from a screen that is gone (an unplugged monitor) is not used: the window stays where the
// system put it, on a screen.
TEST_F(FormMainTest, aStoredPositionOffEveryScreenIsNotUsed) {
  test::WriteBytes(settings, "[COMMON]\r\nLeft=100000\r\nTop=80000\r\n");
  auto form = Form();
  EXPECT_NE(form->pos(), QPoint(100000, 80000));
  EXPECT_NE(QGuiApplication::screenAt(form->pos() + QPoint(form->width() / 2, 8)), nullptr);
}

// Each menu reaches each of its items by a letter of its own: Alt+T, M must not stop at two items.
TEST_F(FormMainTest, noMenuGivesTwoItemsTheSameLetter) {
  auto form = Form();
  for (QMenu* menu : form->findChildren<QMenu*>()) {
    QSet<QChar> letters;
    for (QAction* action : menu->actions()) {
      const QString text = action->text();
      const qsizetype amp = text.indexOf(QLatin1Char('&'));
      if (amp < 0 || amp + 1 >= text.size()) continue;
      const QChar letter = text[amp + 1].toLower();
      EXPECT_FALSE(letters.contains(letter)) << FromQ(menu->title()) << ": " << FromQ(text);
      letters.insert(letter);
    }
  }
}

TEST_F(FormMainTest, aSettingsFileThatCannotBeWrittenIsReportedAndTheWindowClosesAnyway) {
  settings = dir.File("no such folder/Gravelwright.ini");
  auto form = Form();
  form->show();
  EXPECT_TRUE(form->close());
  const QStringList shown = modal_answers::TakeShownTexts();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown.front().contains(ToQ(settings))) << FromQ(shown.front());
  EXPECT_FALSE(form->isVisible());
}

TEST_F(FormMainTest, reloadAfterTheFileVanishedOnlyRebuildsTheList) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  const int32_t value = form->List(L::Steering)->Value(0);
  form->List(L::Steering)->SetValue(0, value + 3);
  fs::remove(Saved("0slot1_Tarmac.lsp"));
  form->ActionReloadExecute();
  EXPECT_EQ(form->List(L::Steering)->Value(0), value + 3);
  EXPECT_THAT(Entries(*form), ElementsAre("1SLOT2_snow.lsp", "3slot0_Wet.lsp", "9slot0_x.lsp", "-"));
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");

  form->LoadSetupFile("3slot0_Wet.lsp");
  form->List(L::Steering)->SetValue(0, value + 3);
  form->ActionReloadExecute();  // drops the change, selects the file
  EXPECT_EQ(form->List(L::Steering)->Value(0), value);
  EXPECT_EQ(Child<QComboBox>(*form, "ComboBoxFiles")->currentText(), "3slot0_Wet.lsp");
}

TEST_F(FormMainTest, deleteAsksEvenWithoutConfirmationAndResetsEverySlider) {
  auto form = Form();
  Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  modal_answers::PushConfirm(false);
  form->ActionDeleteExecute();
  EXPECT_TRUE(fs::exists(Saved("0slot1_Tarmac.lsp")));
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre(ToQ("Delete file " + Saved("0slot1_Tarmac.lsp"))));

  modal_answers::PushConfirm(true);
  form->ActionDeleteExecute();
  EXPECT_FALSE(fs::exists(Saved("0slot1_Tarmac.lsp")));
  EXPECT_EQ(form->windowTitle(), "Gravelwright");
  EXPECT_FALSE(Enabled(*form, "ActionSave") || Enabled(*form, "ActionSaveAs") ||
               Enabled(*form, "ActionDelete"));
  EXPECT_TRUE(Enabled(*form, "MenuItemVelocity"));  // keeps its state
  EXPECT_EQ(Entries(*form).size(), 4);
  for (TSliderListBox* list : form->findChildren<TSliderListBox*>())
    for (int i = 0; i < list->Count(); ++i)
      EXPECT_EQ(list->Value(i), list->Min(i)) << FromQ(list->objectName());
  for (QRadioButton* radio : form->findChildren<QRadioButton*>()) EXPECT_FALSE(radio->isChecked());
}

TEST_F(FormMainTest, aFailedLoadClearsTheDocumentAndSelection) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  const int32_t steering = form->List(L::Steering)->Value(0);
  test::WriteBytes(Saved("3slot0_Wet.lsp"), "not a setup");
  auto* combo = Child<QComboBox>(*form, "ComboBoxFiles");
  combo->setCurrentIndex(2);
  try {
    form->ComboBoxFilesSelect(2);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid file = " + Saved("3slot0_Wet.lsp"));
  }
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(form->Setup().FileName(), "");
  EXPECT_FALSE(Enabled(*form, "ActionSave"));
  EXPECT_EQ(form->List(L::Steering)->Value(0), steering);  // the sliders keep the last file's values
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
}

TEST_F(FormMainTest, aFileLackingACatalogueKeyLoadsPartlyWithSaveDisabled) {
  std::string trimmed = grid;
  const auto at = trimmed.find(" LeftFootBrakeThreshold ");
  trimmed.erase(at, trimmed.find('\n', at) - at + 1);
  test::WriteBytes(Saved("3slot0_Wet.lsp"), trimmed);
  auto form = Form();
  try {
    form->LoadSetupFile("3slot0_Wet.lsp");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "invalid data: VehicleControlUnit.LeftFootBrakeThreshold");
  }
  EXPECT_EQ(form->Setup().FileName(), Saved("3slot0_Wet.lsp"));
  EXPECT_FALSE(Enabled(*form, "ActionSave"));
  EXPECT_EQ(form->windowTitle(), "Gravelwright");
}

TEST_F(FormMainTest, errorsOfACommandAreShownWithTheFullStopRule) {
  auto form = Form();
  test::WriteBytes(Saved("3slot0_Wet.lsp"), "junk");
  auto* combo = Child<QComboBox>(*form, "ComboBoxFiles");
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre(ToQ("Invalid file = " + Saved("3slot0_Wet.lsp") + ".")));
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Ends with a blank "), "Ends with a blank ");
  EXPECT_EQ(ErrorBoxText("a\nb"), "a\nb.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST_F(FormMainTest, toolMenuEnablesCopyWithAFileAndMusicWithTheMusicFolder) {
  auto form = Form();
  form->ool1Click();
  EXPECT_FALSE(Enabled(*form, "MenuItemCopyToFile"));
  EXPECT_FALSE(Enabled(*form, "MenuItemMusic"));
  EXPECT_TRUE(Enabled(*form, "MenuItemExtract"));
  fs::create_directories(dir.Path() / "Audio" / "Music");
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  form->ool1Click();
  EXPECT_TRUE(Enabled(*form, "MenuItemCopyToFile"));
  EXPECT_TRUE(Enabled(*form, "MenuItemMusic"));
}

// "gravelwright 0slot1_Tarmac.lsp" typed in a folder holding that file opens that file, not the game's
// saved-games file of the same name (which a later save would overwrite).
TEST_F(FormMainTest, aCommandLineFileWithoutAFolderIsTheOneInTheWorkingFolder) {
  const std::filesystem::path own = dir.Path() / "mine";
  std::filesystem::create_directories(own);
  test::WriteBytes((own / "0slot1_Tarmac.lsp").string(), grid);
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(own);
  auto form = Form(std::string("0slot1_Tarmac.lsp"));
  form->show();
  const bool loaded = QTest::qWaitFor([&] { return !form->Setup().FileName().empty(); });
  std::filesystem::current_path(before);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(std::filesystem::equivalent(form->Setup().FileName(), own / "0slot1_Tarmac.lsp"))
      << form->Setup().FileName();
}

}  // namespace
}  // namespace gw
