// The main window's tools: the replay, copy and game options dialogs, and starting the game.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "core/test_files.h"
#include "editor/form_copy_to_file.h"
#include "editor/form_extract.h"
#include "editor/form_main.h"
#include "editor/form_tov_option.h"
#include "editor/game_options.h"
#include "platform/desktop_shell.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

constexpr std::string_view kSetupText = "((\"CarSetup\"\n Car (\"Car\"\n MaxSteeringLock 1.2\n )\n ))";

std::string Replay(std::string_view setupText) {
  using namespace std::string_literals;
  return "RPL\x01\x7f\x00\x13GMDC\x02\x00SCOE\x05\x00"s + std::string(setupText) + "\x00\xff tail"s;
}

// Runs `act` on the dialog of type D once its modal loop runs; a dialog that `act` leaves open is cancelled.
template <typename D>
void OnDialog(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<D*>(modal);
    if (!dialog) {
      ADD_FAILURE() << "no dialog of the expected kind is open";
      if (modal) modal->close();
      return;
    }
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

float SteeringLock(const std::string& path) {
  TTOVCarSetup doc;
  doc.LoadFromFile(path);
  return doc.FindSection("Car")->FindData("MaxSteeringLock")->FloatValue();
}

class FormToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();  // boxes are recorded, never shown
    shell_calls::Record(true);
    fs::create_directories(dir.Path() / "SavedGames");
    fs::create_directories(dir.Path() / "Replays");
    for (const char* name : {"0slot1_Tarmac.lsp", "3slot0_Wet.lsp", "1slot2_Snow.lsp", "5slot0_Dry.lsp"})
      test::WriteBytes(Saved(name), test::SampleSetup());
  }
  void TearDown() override {
    shell_calls::Record(false);
    EXPECT_FALSE(modal_answers::Active()) << "an answer given in advance was not used";
  }

  std::unique_ptr<TFormMain> Form(std::string installFolder) {
    return std::make_unique<TFormMain>(
        TFormMainOptions{std::move(installFolder), dir.File("Gravelwright.ini"), {}, dir.File("history")});
  }
  std::unique_ptr<TFormMain> Form() { return Form(install); }
  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  static void Trigger(TFormMain& form, const char* action) {
    form.findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }
  static QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
    return texts;
  }

  test::TempDir dir;
  std::string install = dir.Path().string();
};

// ---- replay extraction ----

TEST_F(FormToolsTest, replayListHoldsTheInstallationsReplaysAndAClickFillsTheSource) {
  const std::string replays = GamePath(install, "\\Replays\\");
  for (const char* name : {"stage1.rpl", "Stage2.RPL"}) test::WriteBytes(replays + name, Replay(kSetupText));
  test::WriteBytes(replays + "notes.txt", "x");
  auto form = Form();
  OnDialog<TFormExtract>([&](TFormExtract& d) {
    EXPECT_TRUE(d.ListBoxReplay->isEnabled());
    EXPECT_THAT(Texts(*d.ListBoxReplay),
                UnorderedElementsAre(ToQ(replays + "stage1.rpl"), ToQ(replays + "Stage2.RPL")));
    EXPECT_TRUE(d.EditRpl->text().isEmpty() && d.EditLsp->text().isEmpty());
    QListWidgetItem* item = d.ListBoxReplay->item(1);
    QTest::mouseClick(d.ListBoxReplay->viewport(), Qt::LeftButton, {},
                      d.ListBoxReplay->visualItemRect(item).center());
    EXPECT_EQ(d.EditRpl->text(), item->text());
  });
  Trigger(*form, "MenuItemExtract");
}

TEST_F(FormToolsTest, withoutAnInstallationTheListIsDisabledAndTheFileDialogsFillTheEdits) {
  TFormExtract d(nullptr, "");
  EXPECT_FALSE(d.ListBoxReplay->isEnabled());
  EXPECT_EQ(d.ListBoxReplay->count(), 0);
  EXPECT_EQ(d.ListBoxReplay->palette().color(QPalette::Base), d.palette().color(QPalette::Window));
  modal_answers::PushFileName(QStringLiteral("/games/a.rpl"));
  d.Button1Click();
  modal_answers::PushFileName(QStringLiteral("/games/a.lsp"));
  d.Button2Click();
  modal_answers::PushFileName({});  // Cancel keeps the path
  d.Button2Click();
  EXPECT_EQ(d.EditRpl->text(), "/games/a.rpl");
  EXPECT_EQ(d.EditLsp->text(), "/games/a.lsp");
}

TEST_F(FormToolsTest, extractWritesTheSetupAndSaysSuccessfulWhileErrorsKeepTheDialogAsItWas) {
  const std::string replay = dir.File("good.rpl"), broken = dir.File("broken.rpl"), lsp = dir.File("out.lsp");
  test::WriteBytes(replay, Replay(kSetupText));
  test::WriteBytes(broken, "GMDC only");
  TFormExtract d(nullptr, install);
  d.show();
  d.EditRpl->setText(ToQ(replay));
  d.EditLsp->setText(ToQ(lsp));
  QTest::keyClick(d.EditLsp, Qt::Key_Return);  // Enter presses "&Extract"
  EXPECT_EQ(test::ReadBytes(lsp), std::string(kSetupText) + '\0');
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre("Successful"));

  d.EditRpl->setText(ToQ(broken));
  QTest::mouseClick(d.ButtonExtract, Qt::LeftButton);
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre(ToQ("Invalid file (1) = " + broken + ".")));
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.EditRpl->text(), ToQ(broken));

  // Onto the replay itself: refused, the replay survives.
  d.EditRpl->setText(ToQ(replay));
  d.EditLsp->setText(ToQ(replay));
  QTest::mouseClick(d.ButtonExtract, Qt::LeftButton);
  const QStringList shown = modal_answers::TakeShownTexts();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("The destination is the replay itself")));
  EXPECT_EQ(test::ReadBytes(replay), Replay(kSetupText));

  d.EditLsp->clear();
  QTest::mouseClick(d.ButtonExtract, Qt::LeftButton);  // an empty destination: the file error, no success
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre(::testing::Not("Successful")));
}

// The demo installation's replay holds a whole setup that the editor loads.
TEST_F(FormToolsTest, theDemoReplayGivesALoadableSetup) {
  const std::string replay = std::string(GW_SOURCE_DIR) + "/demo/template/Finland_SS3.rpl";
  TFormExtract d(nullptr, install);
  d.EditRpl->setText(ToQ(replay));
  d.EditLsp->setText(ToQ(Saved("3slot3_Finland.lsp")));
  d.ButtonExtractClick();
  auto form = Form();
  form->LoadSetupFile("3slot3_Finland.lsp");
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 3slot3_Finland");
}

// ---- copying values ----

TEST_F(FormToolsTest, copyDialogNamesTheSourceAndOffersEveryOtherSetup) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  QStringList files;
  form->ListSetupFiles(files);
  files.removeAll(QStringLiteral("0slot1_Tarmac.lsp"));
  OnDialog<TFormCopyToFile>([&](TFormCopyToFile& d) {
    EXPECT_EQ(d.windowTitle(), "Copy to file - Xsara[Tarmac]");
    EXPECT_EQ(d.LabelSource->toolTip(), ToQ(Saved("0slot1_Tarmac.lsp")));
    EXPECT_EQ(Texts(*d.ListBoxDest), files);  // the search's order, not sorted
    ASSERT_EQ(d.ListBoxSource->count(), 22);
    EXPECT_EQ(d.ListBoxSource->item(17)->text(), "Diff.Map - Front ");
  });
  Trigger(*form, "MenuItemCopyToFile");

  // A file elsewhere: its bare name leaves out the saved-games file of that name, whatever its case.
  const std::string other = dir.File("3slot0_WET.lsp"), plain = dir.File("base.lsp");
  test::WriteBytes(other, test::SampleSetup());
  test::WriteBytes(plain, test::SampleSetup());
  form->LoadSetupFile(other);
  OnDialog<TFormCopyToFile>([&](TFormCopyToFile& d) {
    EXPECT_EQ(d.windowTitle(), "Copy to file - Lancer-Evo VII[WET]");
    EXPECT_FALSE(Texts(*d.ListBoxDest).contains(QStringLiteral("3slot0_Wet.lsp")));
    EXPECT_EQ(d.ListBoxDest->count(), 3);
  });
  Trigger(*form, "MenuItemCopyToFile");
  form->LoadSetupFile(plain);
  OnDialog<TFormCopyToFile>(
      [](TFormCopyToFile& d) { EXPECT_EQ(d.windowTitle(), "Copy to file - base.lsp"); });
  Trigger(*form, "MenuItemCopyToFile");
}

TEST_F(FormToolsTest, copyAsksForSourceThenDestinationAndEnterCancels) {
  TFormCopyToFile d;
  d.Fill(Saved("0slot1_Tarmac.lsp"), {QStringLiteral("0slot1_Tarmac.lsp"), QStringLiteral("3slot0_Wet.lsp")});
  d.show();
  QTest::mouseClick(d.ButtonCopy, Qt::LeftButton);
  d.ListBoxSource->item(4)->setSelected(true);
  QTest::mouseClick(d.ButtonCopy, Qt::LeftButton);
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre("Select the source.", "Select the file of destination."));
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.SelectedGroups(), std::vector<int>{4});  // a report keeps the selections

  QTest::mouseClick(d.ButtonSelectAll, Qt::LeftButton);
  EXPECT_EQ(d.SelectedGroups().size(), 22u);
  d.ListBoxDest->item(0)->setSelected(true);
  d.ListBoxDest->setFocus();
  QTest::keyClick(d.ListBoxDest, Qt::Key_Return);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST_F(FormToolsTest, copyWritesWhatTheSlidersShowIntoEachChosenFileButNotTheOwnFile) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  TSliderListBox* steering = form->List(TSetupList::Steering);
  steering->SetValue(0, steering->Value(0) + 7);  // not saved
  const float before = SteeringLock(Saved("3slot0_Wet.lsp"));

  OnDialog<TFormCopyToFile>([](TFormCopyToFile&) {});  // Cancel: nothing happens
  Trigger(*form, "MenuItemCopyToFile");
  EXPECT_EQ(test::ReadBytes(Saved("3slot0_Wet.lsp")), test::SampleSetup());

  OnDialog<TFormCopyToFile>([](TFormCopyToFile& d) {
    d.ListBoxSource->item(4)->setSelected(true);  // "Steering"
    for (const char* name : {"3slot0_Wet.lsp", "5slot0_Dry.lsp"})
      d.ListBoxDest->findItems(QString::fromLatin1(name), Qt::MatchExactly).front()->setSelected(true);
    QTest::mouseClick(d.ButtonCopy, Qt::LeftButton);
  });
  Trigger(*form, "MenuItemCopyToFile");
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
  const float shown = form->Setup().FindSection("Car")->FindData("MaxSteeringLock")->FloatValue();
  EXPECT_NE(shown, before);
  EXPECT_EQ(SteeringLock(Saved("3slot0_Wet.lsp")), shown);
  EXPECT_EQ(SteeringLock(Saved("5slot0_Dry.lsp")), shown);
  EXPECT_EQ(test::ReadBytes(Saved("1slot2_Snow.lsp")), test::SampleSetup());
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), test::SampleSetup());
}

TEST_F(FormToolsTest, aFailingDestinationEndsTheCopyAfterTheFilesListedAboveIt) {
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  form->List(TSetupList::Steering)->SetValue(0, form->List(TSetupList::Steering)->Value(0) + 7);
  QStringList order;  // the destinations in the dialog's order; the middle one gets an integer entry
  OnDialog<TFormCopyToFile>([&](TFormCopyToFile& d) { order = Texts(*d.ListBoxDest); });
  Trigger(*form, "MenuItemCopyToFile");
  ASSERT_EQ(order.size(), 3);
  std::string bad = test::SampleSetup();
  const auto at = bad.find("MaxSteeringLock ");
  bad.replace(at, bad.find('\n', at) - at, "MaxSteeringLock 1");
  test::WriteBytes(Saved(FromQ(order[1])), bad);

  OnDialog<TFormCopyToFile>([](TFormCopyToFile& d) {
    d.ListBoxSource->item(4)->setSelected(true);
    d.ListBoxDest->selectAll();
    QTest::mouseClick(d.ButtonCopy, Qt::LeftButton);
  });
  Trigger(*form, "MenuItemCopyToFile");
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre(ToQ("Invalid data.\nThe value mode is different.\nDestFile = " +
                              Saved(FromQ(order[1])) + "\nKey = MaxSteeringLock.")));
  EXPECT_NE(test::ReadBytes(Saved(FromQ(order[0]))), test::SampleSetup());
  EXPECT_EQ(test::ReadBytes(Saved(FromQ(order[1]))), bad);
  EXPECT_EQ(test::ReadBytes(Saved(FromQ(order[2]))), test::SampleSetup());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // the dialog is gone
}

// ---- the game ----

TEST_F(FormToolsTest, runStartsTheCheckedVariantInItsFolderAndOpenFolderShowsTheInstallation) {
  const std::string folder = ExtractFileDir(GamePath(install, "\\TovenRally.exe"));
  test::WriteBytes(GamePath(install, "\\TovenRally.exe"), "MZ");
  auto form = Form();
  Trigger(*form, "ActionRunTOV");
  EXPECT_THAT(shell_calls::Take(),
              ElementsAre("start " + GamePath(install, "\\TovenRally.exe") + " in " + folder));

  Trigger(*form, "SSE1");
  Trigger(*form, "ActionRunTOV");
  EXPECT_TRUE(shell_calls::Take().empty());
  EXPECT_THAT(modal_answers::TakeShownTexts(),
              ElementsAre(ToQ("File not found = " + GamePath(install, "\\TovenRally_SSE.exe") + ".")));
  test::WriteBytes(GamePath(install, "\\TovenRally_SSE.exe"), "MZ");
  Trigger(*form, "ActionRunTOV");
  EXPECT_THAT(shell_calls::Take(),
              ElementsAre("start " + GamePath(install, "\\TovenRally_SSE.exe") + " in " + folder));

  Trigger(*form, "OpenTOVfolder1");
  EXPECT_THAT(shell_calls::Take(), ElementsAre("open " + install));
}

TEST_F(FormToolsTest, withoutAnInstallationRunAndOptionsSayNotInstalledAndOpenFolderDoesNothing) {
  for (const std::string& folder : {std::string(), dir.File("gone")}) {
    auto form = Form(folder);
    Trigger(*form, "ActionRunTOV");
    Trigger(*form, "ActionTOVOption");
    Trigger(*form, "OpenTOVfolder1");
    const QString run = folder.empty()
                            ? QStringLiteral("Not installed.")
                            : ToQ("File not found = " + GamePath(folder, "\\TovenRally.exe") + ".");
    EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre(run, "Not installed."));
    EXPECT_TRUE(shell_calls::Take().empty());
  }
}

TEST_F(FormToolsTest, optionsDialogShowsTheFilesAndOkWritesAllTwelveKeys) {
  const std::string options = GamePath(install, "\\TovenRally.ini"), input = GamePath(install, "\\input.ini");
  const std::string optionsBytes =
      "[NGP]\r\nphysicsUpdateRate = 150\r\n[Settings]\r\nFullscreen=TRUE\r\nRunIntro=1\r\n"
      "Sound=\r\nConstantForceMultiplier=-300\r\n";
  const std::string inputBytes = "[Settings]\nInvertBrakeAxis = true\n\n[Keyboard]\nShiftUp=A\n";
  test::WriteBytes(options, optionsBytes);
  test::WriteBytes(input, inputBytes);
  fs::permissions(input, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  auto form = Form();

  OnDialog<TFormTOVOption>([](TFormTOVOption& d) {
    auto checked = [&d](const char* name) {
      return d.findChild<QCheckBox*>(QString::fromLatin1(name))->isChecked();
    };
    EXPECT_TRUE(checked("CheckBoxFullscreen"));  // TRUE
    EXPECT_FALSE(checked("CheckBoxRunIntro"));   // 1 is not true
    EXPECT_TRUE(checked("CheckBoxSound"));       // empty: the default
    EXPECT_FALSE(checked("CheckBoxWaitSync"));
    EXPECT_TRUE(checked("CheckBoxBrake"));
    EXPECT_FALSE(checked("CheckBoxClutch"));
    EXPECT_EQ(d.Edit1->text(), "-200");  // the nearer bound
    d.findChild<QCheckBox*>(QStringLiteral("CheckBoxClutch"))->setChecked(true);
  });
  Trigger(*form, "ActionTOVOption");  // cancelled: nothing written
  EXPECT_EQ(test::ReadBytes(options), optionsBytes);
  EXPECT_EQ(test::ReadBytes(input), inputBytes);

  OnDialog<TFormTOVOption>([](TFormTOVOption& d) {
    d.findChild<QCheckBox*>(QStringLiteral("CheckBoxClutch"))->setChecked(true);
    d.UpDownForce->setValue(-75);
    d.Edit1->selectAll();
    QTest::keyClicks(d.Edit1, QStringLiteral("5-x"));  // no number in range: the value stays -75
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("ButtonOK")), Qt::LeftButton);
  });
  Trigger(*form, "ActionTOVOption");
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
  EXPECT_EQ(
      test::ReadBytes(options),
      "[NGP]\r\nphysicsUpdateRate = 150\r\n[Settings]\r\nFullscreen=true\r\nRunIntro=false\r\nSound=true\r\n"
      "ConstantForceMultiplier=-75\r\nWaitRetrace=false\r\nUseSoftwareAudio=false\r\n");
  EXPECT_EQ(test::ReadBytes(input),
            "[Settings]\nInvertBrakeAxis = true\nInvertSteeringAxis=false\nInvertThrottleAxis=false\n"
            "InvertCombinedAxis=false\nInvertHandbrakeAxis=false\nInvertClutchAxis=true\n\n[Keyboard]"
            "\nShiftUp=A\n");
}

// The three dialogs as a player sees them, with the main window's font, written to gallery/ for a look.
TEST_F(FormToolsTest, galleryOfTheToolDialogs) {
  for (const char* name : {"Rally Finland SS3.rpl", "Monte Carlo night.rpl", "Safari.rpl"})
    test::WriteBytes(GamePath(install, "\\Replays\\") + name, Replay(kSetupText));
  auto form = Form();
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  QDir().mkpath(QStringLiteral("gallery"));

  TFormExtract extract(form.get(), install);
  extract.ListBoxReplay->setCurrentRow(1);
  extract.EditLsp->setText(ToQ(Saved("0slot3_Night.lsp")));
  EXPECT_TRUE(extract.grab().save(QStringLiteral("gallery/tools-extract.png")));
  TFormExtract noGame(form.get(), "");
  EXPECT_TRUE(noGame.grab().save(QStringLiteral("gallery/tools-extract-no-game.png")));

  TFormCopyToFile copy(form.get());
  QStringList files;
  form->ListSetupFiles(files);
  copy.Fill(form->Setup().FileName(),
            files + QStringList{QStringLiteral("7slot1_Loose gravel.lsp"), QStringLiteral("9slot0_x.lsp")});
  copy.ListBoxSource->item(7)->setSelected(true);
  copy.ListBoxDest->item(1)->setSelected(true);
  EXPECT_TRUE(copy.grab().save(QStringLiteral("gallery/tools-copy.png")));

  TFormTOVOption options(form.get());
  options.SetOptions(ReadGameOptions(install));
  EXPECT_TRUE(options.grab().save(QStringLiteral("gallery/tools-options.png")));
}

}  // namespace
}  // namespace gw
