#include "editor/form_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "core/test_files.h"
#include "editor/form_file_list.h"
#include "editor/form_velocity.h"
#include "editor/settings_file.h"
#include "platform/ascii_text.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using L = TSetupList;
using ::testing::ElementsAre;

class FormMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();  // boxes are recorded, never shown
    fs::create_directories(dir.Path() / "SavedGames");
    grid = test::GridSetup();
    for (const char* name : {"3slot0_Wet.lsp", "0slot1_Tarmac.lsp", "1SLOT2_snow.lsp", "9slot0_x.lsp"})
      test::WriteBytes(Saved(name), grid);
    test::WriteBytes(Saved("notes.lsp"), grid);  // not a slot name: not listed
  }
  void TearDown() override {
    EXPECT_FALSE(modal_answers::Active()) << "an answer given in advance was not used";
  }

  std::unique_ptr<TFormMain> Form(std::optional<std::string> start = std::nullopt) {
    return std::make_unique<TFormMain>(
        TFormMainOptions{install, settings, std::move(start), dir.File("history")});
  }
  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  template <typename T>
  static T* Child(QObject& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static QStringList Entries(TFormMain& form) {
    return Child<TFileComboBox>(form, "ComboBoxFiles")->Entries();
  }
  static bool Enabled(TFormMain& form, const char* action) {
    return Child<QAction>(form, action)->isEnabled();
  }

  test::TempDir dir;
  std::string install = dir.Path().string();
  std::string settings = dir.File("Gravelwright.ini");
  std::string grid;
};

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

TEST_F(FormMainTest, tyreLinkMovesAllFourOnlyWhenChecked) {
  auto form = Form();
  form->show();
  TSliderListBox* tyre = form->List(L::Tyre);
  tyre->setFocus();
  tyre->SetItemIndex(0);
  std::vector<int32_t> before;
  for (int i = 0; i < 4; ++i) before.push_back(tyre->Value(i));
  QTest::keyClick(tyre, Qt::Key_Right);
  EXPECT_EQ(tyre->Value(0), before[0] + 10);  // 5 % of 100..300
  EXPECT_EQ(tyre->Value(1), before[1]);

  Child<QCheckBox>(*form, "CheckBoxTyreLink")->setChecked(true);
  QTest::keyClick(tyre, Qt::Key_Right);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tyre->Value(i), before[0] + 20) << i;
}

TEST_F(FormMainTest, brakeRatioFollowsTheBrakeSliders) {
  auto form = Form();
  form->show();
  TSliderListBox* brake = form->List(L::Brake);
  brake->SetValue(0, 100);
  brake->SetValue(1, 700);
  brake->setFocus();
  brake->SetItemIndex(1);
  QTest::keyClick(brake, Qt::Key_Right, Qt::ShiftModifier);
  const QString sep(QChar::fromLatin1(LocalDecimalSeparator()));
  // 100 against 701.
  EXPECT_EQ(Child<QLabel>(*form, "LabelBrakeRatio")->text(), "Front 0" + sep + "12 / Rear 0" + sep + "88");
}

TEST_F(FormMainTest, wheelStepsTheSelectedEntryAndHoverSelects) {
  auto form = Form();
  form->show();
  Child<QTabWidget>(*form, "PageControlGeneral")->setCurrentIndex(0);
  TSliderListBox* diff = form->List(L::Diff);
  diff->SetValue(0, 40);
  auto wheel = [&](int delta, Qt::MouseButtons buttons = Qt::NoButton) {
    QWheelEvent event(QPointF(5, 5), diff->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                      buttons, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(diff->viewport(), &event);
  };
  wheel(120);
  EXPECT_EQ(diff->Value(0), 44);  // 5 % of 0..90 is 4
  wheel(-120);
  wheel(-1);
  EXPECT_EQ(diff->Value(0), 36);
  wheel(120, Qt::RightButton);  // the right button makes it a fine step
  EXPECT_EQ(diff->Value(0), 37);

  const QRect second = diff->ItemRect(2);
  QTest::mouseMove(diff->viewport(), second.center());
  EXPECT_EQ(diff->ItemIndex(), 2);
  EXPECT_TRUE(diff->hasFocus());
}

TEST_F(FormMainTest, listsAreFittedToWholeEntries) {
  auto form = Form();
  for (TSliderListBox* list : form->findChildren<TSliderListBox*>()) {
    EXPECT_EQ(list->contentsRect().height(), list->ItemHeight() * list->Count()) << FromQ(list->objectName());
    EXPECT_EQ(list->ItemIndex(), 0);
  }
  EXPECT_EQ(form->List(L::Diff)->TextWidth(), static_cast<uint32_t>(qRound(1.9 * form->logicalDpiX())));
}

// ---- the map page ----

TEST_F(FormMainTest, eachMapTabShowsItsPanelsInTheirSlots) {
  auto form = Form();
  form->show();
  auto* tabs = Child<QTabBar>(*form, "TabControlDiffTabs");
  const std::vector<std::vector<const char*>> layout = {
      {"PanelCenterThrottle", "PanelCenterBrake", "PanelCenterSpeed", "PanelLFCenterThrottle",
       "PanelLFCenterBrake", "PanelLFCenterSpeed"},
      {"PanelFrontThrottle", "PanelFrontBrake", "PanelFrontSpeed", "PanelRearThrottle", "PanelRearBrake",
       "PanelRearSpeed"},
      {"PanelCenterThrottle", "PanelLFCenterThrottle", nullptr, "PanelFrontThrottle", "PanelRearThrottle",
       nullptr},
      {"PanelCenterBrake", "PanelLFCenterBrake", nullptr, "PanelFrontBrake", "PanelRearBrake", nullptr},
      {"PanelCenterSpeed", "PanelLFCenterSpeed", nullptr, "PanelFrontSpeed", "PanelRearSpeed", nullptr},
  };
  auto* first = Child<QWidget>(*form, "PanelCenterThrottle");
  const int w = first->width(), h = first->height();
  for (int tab = 0; tab < 5; ++tab) {
    tabs->setCurrentIndex(tab);
    int visible = 0;
    for (QWidget* panel :
         Child<QWidget>(*form, "TabControlDiff")->findChildren<QFrame*>(Qt::FindDirectChildrenOnly))
      visible += panel->isVisible();
    int expected = 0;
    for (int slot = 0; slot < 6; ++slot) {
      if (!layout[tab][slot]) continue;
      ++expected;
      auto* panel = Child<QWidget>(*form, layout[tab][slot]);
      EXPECT_TRUE(panel->isVisible()) << layout[tab][slot];
      EXPECT_EQ(panel->pos(), QPoint((slot % 3) * w + 4, (slot / 3) * h + qRound(form->logicalDpiX() / 4.0)));
    }
    EXPECT_EQ(visible, expected) << tab;
  }
}

// Runs `act` on the velocity dialog once it is open, then closes it with `ok`.
void OnVelocityDialog(const std::function<void(TFormVelocity&)>& act, bool ok) {
  QTimer::singleShot(0, [act, ok] {
    auto* dialog = qobject_cast<TFormVelocity*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
    ok ? dialog->accept() : dialog->reject();
  });
}

TEST_F(FormMainTest, velocityDialogOpensAtHalfTheSpeedAndWritesCaptionsOnOk) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  TSliderListBox* speed = form->List(L::FrontSpeed);
  speed->SetCaption(3, QStringLiteral("45km/h"));
  speed->SetCaption(10, QStringLiteral("300km/h"));
  std::vector<int32_t> opened;
  OnVelocityDialog(
      [&](TFormVelocity& d) {
        for (int p = 0; p < 11; ++p) opened.push_back(d.SliderListBoxVelocity->Value(p));
      },
      false);
  form->EditSpeedMapVelocity(speed);
  ASSERT_EQ(opened.size(), 11u);
  EXPECT_EQ(opened[3], 22);
  EXPECT_EQ(opened[10], 126);
  EXPECT_EQ(speed->Caption(3), "45km/h");  // Cancel changes nothing

  // OK without a touch keeps every velocity exactly; a moved point takes twice its position.
  OnVelocityDialog([](TFormVelocity&) {}, true);
  form->EditSpeedMapVelocity(speed);
  EXPECT_EQ(speed->Caption(3), "45km/h");
  EXPECT_EQ(speed->Caption(10), "300km/h");
  OnVelocityDialog(
      [](TFormVelocity& d) {
        d.SliderListBoxVelocity->SetValue(3, 22);
        d.SliderListBoxVelocity->SetValue(10, 126);
      },
      true);
  form->EditSpeedMapVelocity(speed);
  EXPECT_EQ(speed->Caption(3), "45km/h");  // back where it opened: unmoved
  EXPECT_EQ(speed->Caption(10), "300km/h");
  OnVelocityDialog(
      [](TFormVelocity& d) {
        d.SliderListBoxVelocity->SetValue(3, 21);
        d.SliderListBoxVelocity->SetValue(10, 125);
      },
      true);
  form->EditSpeedMapVelocity(speed);
  EXPECT_EQ(speed->Caption(3), "42km/h");
  EXPECT_EQ(speed->Caption(10), "250km/h");

  // Saved and reloaded, the velocity comes back as the same caption.
  Child<QAction>(*form, "MenuItemConfirmSave")->setChecked(false);
  form->ActionSaveExecute();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  EXPECT_EQ(form->List(L::FrontSpeed)->Caption(3), "42km/h");
  EXPECT_EQ(form->List(L::FrontSpeed)->Caption(10), "250km/h");
}

TEST_F(FormMainTest, velocityMovesStayBetweenTheirNeighbours) {
  TFormVelocity dialog;
  dialog.show();
  TSliderListBox* list = dialog.SliderListBoxVelocity;
  for (int p = 0; p < 11; ++p) list->SetValue(p, p * 10);
  list->SetValue(4, 40);
  list->SetValue(6, 50);
  list->SetValue(5, 45);
  list->setFocus();
  list->SetItemIndex(5);
  for (int i = 0; i < 3; ++i) QTest::keyClick(list, Qt::Key_Left);  // 6 a step, stops at 40
  EXPECT_EQ(list->Value(5), 40);
  for (int i = 0; i < 5; ++i) QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(list->Value(5), 50);

  // A pointer drag far to the right of the last entry ends at 126, of the first at 0.
  const QRect last = list->ItemRect(10);
  list->SetValue(10, 100);
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, last.center());
  QTest::mouseMove(list->viewport(), QPoint(last.right() + 100, last.center().y()));  // arms the drag
  QTest::mouseMove(list->viewport(), QPoint(last.right() + 200, last.center().y()));
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, QPoint(last.right() + 200, last.center().y()));
  EXPECT_EQ(list->Value(10), 126);
  EXPECT_EQ(list->ValueText(10), "252km/h");
}

TEST_F(FormMainTest, onlySpeedListsOfferTheVelocityMenu) {
  auto form = Form();
  EXPECT_EQ(form->List(L::CenterSpeed)->contextMenuPolicy(), Qt::CustomContextMenu);
  EXPECT_NE(form->List(L::CenterThrottle)->contextMenuPolicy(), Qt::CustomContextMenu);
  EXPECT_NE(form->List(L::RearBrake)->contextMenuPolicy(), Qt::CustomContextMenu);
}

}  // namespace
}  // namespace gw

namespace gw {
namespace {

// The window as a player sees it: every page and map tab with a file loaded, written to gallery/ for a look.
TEST_F(FormMainTest, galleryOfEveryPage) {
  auto form = Form();
  form->show();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  Child<QPlainTextEdit>(*form, "MemoComment")->setPlainText(QStringLiteral("Tarmac rally, dry."));
  QDir().mkpath(QStringLiteral("gallery"));
  auto* pages = Child<QTabWidget>(*form, "PageControlGeneral");
  auto* tabs = Child<QTabBar>(*form, "TabControlDiffTabs");
  for (int page = 0; page < 3; ++page) {
    pages->setCurrentIndex(page);
    for (int tab = 0; tab < (page == 2 ? 5 : 1); ++tab) {
      tabs->setCurrentIndex(tab);
      const QImage image = form->grab().toImage();
      EXPECT_TRUE(image.save(QStringLiteral("gallery/main-%1-%2.png").arg(page).arg(tab)));
    }
  }
}

}  // namespace
}  // namespace gw
