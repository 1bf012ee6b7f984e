#include "compare/form_compare.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <filesystem>

#include "compare/form_add_setups.h"
#include "core/test_files.h"
#include "editor/form_file_list.h"
#include "editor/form_main.h"
#include "platform/local_text.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using L = TSetupList;
using ::testing::ElementsAre;

const QString kUp = QStringLiteral(" \u25B2");
const QString kDown = QStringLiteral(" \u25BC");

// An installation whose saved games hold two of the players' setups and a hand-trimmed one; the main window
// has the first open.
class FormCompareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();
    fs::create_directories(dir.Path() / "SavedGames");
    test::WriteBytes(Saved("0slot1_Gravel.lsp"), test::DataFile("real-data/setups/game-saved-1.lsp"));
    test::WriteBytes(Saved("3slot2_Tarmac.lsp"),
                     test::DataFile("real-data/setups/game-saved-2-reindented.lsp"));
    test::WriteBytes(Saved("5slot0_Trimmed.lsp"), test::DataFile("real-data/setups/hand-trimmed-1.lsp"));
    main =
        std::make_unique<TFormMain>(TFormMainOptions{install, settings, std::nullopt, dir.File("history")});
    main->LoadSetupFile("0slot1_Gravel.lsp");
    form = &main->CompareWindow();
  }
  void TearDown() override {
    EXPECT_FALSE(modal_answers::Active()) << "an answer given in advance was not used";
  }

  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  QTreeWidget& Table() const { return *form->TableCompare; }
  // The item of a group title and parameter caption (an empty caption gives the group's heading).
  QTreeWidgetItem* Item(const QString& group, const QString& caption = {}) const {
    for (int g = 0; g < Table().topLevelItemCount(); ++g) {
      QTreeWidgetItem* heading = Table().topLevelItem(g);
      if (heading->text(0) != group) continue;
      if (caption.isEmpty()) return heading;
      for (int c = 0; c < heading->childCount(); ++c)
        if (heading->child(c)->text(0) == caption) return heading->child(c);
    }
    ADD_FAILURE() << group.toStdString() << " / " << caption.toStdString();
    return nullptr;
  }
  void Select(const QString& group, const QString& caption, int column,
              QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect) {
    Table().setCurrentItem(Item(group, caption), column, how);
  }
  int ShownRows() const {
    int shown = 0;
    for (QTreeWidgetItem* item :
         Table().findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive))
      shown += item->parent() && !item->isHidden();
    return shown;
  }
  void Take() { form->ButtonTake->click(); }

  test::TempDir dir;
  std::string install = dir.Path().string();
  std::string settings = dir.File("Gravelwright.ini");
  std::unique_ptr<TFormMain> main;
  TFormCompare* form = nullptr;
};

// Runs `act` on the add dialog once it is open.
void OnAddDialog(std::function<void(TFormAddSetups&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    auto* dialog = qobject_cast<TFormAddSetups*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

TEST_F(FormCompareTest, theToolMenusCompareOpensOneWindowOnTheOpenSetupsUnsavedPositions) {
  auto* action = main->findChild<QAction*>(QStringLiteral("ActionCompare"));
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
  EXPECT_TRUE(main->findChild<QMenu*>(QStringLiteral("ool1"))->actions().contains(action));

  main->List(L::Brake)->SetValue(0, 777);  // not saved
  action->trigger();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->objectName(), "FormCompare");
  EXPECT_EQ(form->windowTitle(), "Compare");
  EXPECT_EQ(main->findChildren<TFormCompare*>().size(), 1);
  action->trigger();
  EXPECT_EQ(main->findChildren<TFormCompare*>().size(), 1) << "shown again, not a second one";

  EXPECT_EQ(Table().objectName(), "TableCompare");
  EXPECT_EQ(Table().headerItem()->text(0), "Parameter");
  EXPECT_EQ(Table().headerItem()->text(1), "0slot1_Gravel.lsp");
  EXPECT_EQ(Item("General / Brake", "Max Front Pressure")->text(1), "7770kPa");
  for (const char* name : {"CheckBoxDifferencesOnly", "LabelDifferenceCount", "ButtonAddSetups", "ButtonTake",
                           "ButtonCopyText", "ButtonSaveCsv"})
    EXPECT_NE(form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(FormCompareTest, setupsComeFromTheSavedGamesListByBrowsingByDroppingAndFromHistory) {
  // The saved games: several at once, each entry drawn with its car's name.
  QStringList listed;
  OnAddDialog([&](TFormAddSetups& d) {
    for (int i = 0; i < d.ListBoxSetups->count(); ++i) listed << d.ListBoxSetups->item(i)->text();
    EXPECT_NE(dynamic_cast<TSetupFileDelegate*>(d.ListBoxSetups->itemDelegate()), nullptr);
    d.ListBoxSetups->item(1)->setSelected(true);
    d.ListBoxSetups->item(2)->setSelected(true);
    d.ButtonAdd->click();
  });
  form->ButtonAddSetups->click();
  EXPECT_THAT(listed, ElementsAre("0slot1_Gravel.lsp", "3slot2_Tarmac.lsp", "5slot0_Trimmed.lsp"));
  ASSERT_EQ(form->SetupCount(), 3);
  EXPECT_EQ(Table().headerItem()->text(2), "3slot2_Tarmac.lsp");
  EXPECT_EQ(Table().headerItem()->text(3), "5slot0_Trimmed.lsp");

  // Browsing: any file anywhere.
  const std::string elsewhere = dir.File("friend's tarmac.lsp");
  test::WriteBytes(elsewhere, test::DataFile("real-data/setups/game-saved-2-reindented.lsp"));
  modal_answers::PushFileName(ToQ(elsewhere));
  OnAddDialog([](TFormAddSetups& d) { d.ButtonBrowse->click(); });
  form->ButtonAddSetups->click();
  ASSERT_EQ(form->SetupCount(), 4);
  EXPECT_EQ(Table().headerItem()->text(4), "friend's tarmac.lsp");
  EXPECT_EQ(Table().headerItem()->toolTip(4).toStdString(), elsewhere);

  // Dropping: a file that is no setup is reported, the others still come.
  const std::string bad = dir.File("hand-written.lsp");
  test::WriteBytes(bad, test::DataFile("real-data/setups/hand-written-1.lsp"));
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(ToQ(bad)), QUrl::fromLocalFile(ToQ(Saved("0slot1_Gravel.lsp")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &drop);
  EXPECT_EQ(form->SetupCount(), 5);
  EXPECT_EQ(Table().headerItem()->text(5), "0slot1_Gravel.lsp");
  EXPECT_THAT(modal_answers::TakeShownTexts(), ::testing::SizeIs(1));

  // A history version: any file under a header of its own.
  form->AddSetupFile(Saved("3slot2_Tarmac.lsp"), QStringLiteral("3slot2_Tarmac.lsp (yesterday 18:02)"));
  EXPECT_EQ(Table().headerItem()->text(6), "3slot2_Tarmac.lsp (yesterday 18:02)");

  // Nothing chosen: the dialog says so and stays open.
  OnAddDialog([](TFormAddSetups& d) {
    d.ListBoxSetups->clearSelection();
    d.ButtonAdd->click();
    EXPECT_TRUE(d.isVisible());
    d.reject();
  });
  form->ButtonAddSetups->click();
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre("Select the setups to add."));
  EXPECT_EQ(form->SetupCount(), 6);
}

TEST_F(FormCompareTest, differencesOnlyIsOnAtFirstAndTheCountFollowsTheColumns) {
  EXPECT_TRUE(form->CheckBoxDifferencesOnly->isChecked());
  EXPECT_EQ(form->LabelDifferenceCount->text(), "0 of 214 differ");
  EXPECT_EQ(ShownRows(), 0);

  form->AddSetupFile(Saved("3slot2_Tarmac.lsp"));
  EXPECT_EQ(form->LabelDifferenceCount->text(), "31 of 214 differ");
  EXPECT_EQ(ShownRows(), 31);
  EXPECT_TRUE(Item("General / Differential")->isHidden()) << "no row of it differs";
  EXPECT_FALSE(Item("General / Brake")->isHidden());
  EXPECT_EQ(Item("General / Tyre")->text(2), "4 differ");

  form->CheckBoxDifferencesOnly->click();
  EXPECT_EQ(ShownRows(), 214);
  EXPECT_EQ(form->LabelDifferenceCount->text(), "31 of 214 differ");
  form->CheckBoxDifferencesOnly->click();
  EXPECT_EQ(ShownRows(), 31);

  form->RemoveSetup(1);
  EXPECT_EQ(form->LabelDifferenceCount->text(), "0 of 214 differ");
}

// Opened on the open setup alone, every row is hidden; shown later, the captions are not cut.
TEST_F(FormCompareTest, parameterCaptionsFitOnceTheRowsAreShown) {
  ASSERT_EQ(ShownRows(), 0);
  form->CheckBoxDifferencesOnly->click();
  int widest = 0;
  for (QTreeWidgetItemIterator it(form->TableCompare); *it; ++it)
    if ((*it)->parent())
      widest = std::max(widest, form->TableCompare->fontMetrics().horizontalAdvance((*it)->text(0)));
  EXPECT_GT(form->TableCompare->columnWidth(0), widest + 2 * form->TableCompare->indentation());
}

TEST_F(FormCompareTest, differingCellsCarryAnArrowAndATintMissingOnesTheReason) {
  form->AddSetupFile(Saved("3slot2_Tarmac.lsp"));
  QTreeWidgetItem* front = Item("General / Brake", "Max Front Pressure");
  QTreeWidgetItem* rear = Item("General / Brake", "Max Rear Pressure");
  EXPECT_EQ(front->text(1), "5300kPa");
  EXPECT_EQ(front->text(2), "6600kPa" + kUp);
  EXPECT_EQ(rear->text(2), "2800kPa" + kDown);
  EXPECT_EQ(front->toolTip(2), "Higher than in 0slot1_Gravel.lsp");
  EXPECT_NE(front->background(2), QBrush());
  EXPECT_EQ(front->background(1), QBrush()) << "the open setup is the reference";

  form->CheckBoxDifferencesOnly->click();
  QTreeWidgetItem* same = Item("General / Differential", "Max Front Diff. Torque");
  EXPECT_EQ(same->text(2), same->text(1));
  EXPECT_EQ(same->background(2), QBrush());

  // A setup that lacks an entry: the cell says which and why, in the main window's words.
  std::string bytes = test::DataFile("real-data/setups/game-saved-1.lsp");
  const std::size_t at = bytes.find("DropGearId");
  bytes.erase(at, bytes.find('\n', at) - at);
  test::WriteBytes(dir.File("no-gear.lsp"), bytes);
  form->AddSetupFile(dir.File("no-gear.lsp"));
  QTreeWidgetItem* gear = Item("General / Gear", "Gear set");
  EXPECT_EQ(gear->text(1), "Medium");
  EXPECT_EQ(gear->text(3), "missing: invalid data: Drive.DropGearId");
  EXPECT_NE(gear->background(3), QBrush());
}

TEST_F(FormCompareTest, takingACellARowAndAGroupSetsTheSlidersAndWritesNothing) {
  const std::string before = test::ReadBytes(Saved("0slot1_Gravel.lsp"));
  form->AddSetupFile(Saved("3slot2_Tarmac.lsp"));
  EXPECT_FALSE(form->ButtonTake->isEnabled()) << "nothing selected";

  // A cell.
  Select("General / Brake", "Max Front Pressure", 2);
  EXPECT_TRUE(form->ButtonTake->isEnabled());
  Take();
  EXPECT_EQ(main->List(L::Brake)->Value(0), 660);
  EXPECT_EQ(main->List(L::Brake)->Value(1), 620);
  EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("LabelBrakeRatio"))->text(), "Front 0.52 / Rear 0.48");
  EXPECT_EQ(Item("General / Brake", "Max Front Pressure")->text(1), "6600kPa") << "the first column follows";

  // A row: its caption, with one other setup to take it from.
  Select("Suspension / Geometry", "Front Steering Rod Length", 0);
  Take();
  EXPECT_EQ(main->List(L::GeometryFront)->Value(0), 257);

  // A group: its heading's cell in the other setup's column, every row of it (shown or not).
  Select("Suspension / Spring", {}, 2);
  Take();
  EXPECT_THAT(
      (std::vector<int32_t>{main->List(L::SpringFront)->Value(0), main->List(L::SpringFront)->Value(1),
                            main->List(L::SpringFront)->Value(2), main->List(L::SpringFront)->Value(3),
                            main->List(L::SpringRear)->Value(0), main->List(L::SpringRear)->Value(3)}),
      ElementsAre(34, 56, 0, 5, 30, 5));

  // Map points and velocities, from two setups at once (each value from one of them).
  TTOVCarSetup faster;
  faster.LoadFromFile(Saved("0slot1_Gravel.lsp"));
  GetSetupData(faster, TSetupSection::VehicleControlUnit, TSetupKey::FrontSpeedMapVelocity_, 7)
      .SetFloat(25.0f);
  faster.SaveToFile(dir.File("faster.lsp"));
  form->AddSetupFile(dir.File("faster.lsp"));
  Select("Differential - Map / Rear - Throttle", "0%", 2);
  Select("Differential - Map / Front - Speed", "Point 7 velocity", 3, QItemSelectionModel::Select);
  Take();
  EXPECT_EQ(main->List(L::RearThrottle)->Value(0), 60);
  EXPECT_EQ(main->List(L::FrontSpeed)->Caption(7), "90km/h");

  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Gravel.lsp")), before) << "nothing is written until a save";
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
}

TEST_F(FormCompareTest, takingKeepsTheTyreLinkAndRefusesTwoSetupsForOneValue) {
  form->AddSetupFile(Saved("3slot2_Tarmac.lsp"));
  form->AddSetupFile(Saved("5slot0_Trimmed.lsp"));
  main->findChild<QCheckBox*>(QStringLiteral("CheckBoxTyreLink"))->setChecked(true);
  Select("General / Tyre", "Left Rear Pressure", 2);
  Take();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(main->List(L::Tyre)->Value(i), 300);

  Select("General / Brake", "Max Front Pressure", 2);
  Select("General / Brake", "Max Front Pressure", 3, QItemSelectionModel::Select);
  EXPECT_FALSE(form->ButtonTake->isEnabled());
  form->ButtonTakeClick();
  EXPECT_THAT(modal_answers::TakeShownTexts(), ElementsAre("Select each value from one setup only."));
  EXPECT_EQ(main->List(L::Brake)->Value(0), 530);

  // The open setup's own cells take nothing.
  Select("General / Brake", "Max Front Pressure", 1);
  EXPECT_FALSE(form->ButtonTake->isEnabled());
}

TEST_F(FormCompareTest, theKeyboardAloneReachesFoldsAndTakes) {
  form->AddSetupFile(Saved("3slot2_Tarmac.lsp"));
  form->show();
  QTreeWidget& table = Table();
  table.setFocus();
  // To the Brake heading, fold it with Enter, open it again, go down into its first row and right twice.
  table.setCurrentItem(Item("General / Brake"), 0);
  QTest::keyClick(&table, Qt::Key_Return);
  EXPECT_FALSE(Item("General / Brake")->isExpanded());
  QTest::keyClick(&table, Qt::Key_Return);
  EXPECT_TRUE(Item("General / Brake")->isExpanded());
  QTest::keyClick(&table, Qt::Key_Down);
  QTest::keyClick(&table, Qt::Key_Right);
  QTest::keyClick(&table, Qt::Key_Right);
  EXPECT_EQ(table.currentItem(), Item("General / Brake", "Max Front Pressure"));
  EXPECT_EQ(table.currentColumn(), 2);
  QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&table, Qt::Key_Return);
  EXPECT_EQ(main->List(L::Brake)->Value(0), 660);
  EXPECT_EQ(main->List(L::Brake)->Value(1), 280);

  // Double-click takes too.
  QTreeWidgetItem* rollbar = Item("Suspension / Rollbar", "Rear Rollbar Stiffness");
  table.scrollToItem(rollbar);
  const QPoint at(table.header()->sectionViewportPosition(2) + 4, table.visualItemRect(rollbar).center().y());
  ASSERT_EQ(table.itemAt(at), rollbar);
  QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, at);  // a double-click's first press
  QTest::mouseDClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(main->List(L::Rollbar)->Value(1), 90);
}

TEST_F(FormCompareTest, columnsAreRemovedAndReorderedButTheOpenSetupStaysFirst) {
  for (const char* name : {"3slot2_Tarmac.lsp", "5slot0_Trimmed.lsp", "0slot1_Gravel.lsp"})
    form->AddSetupFile(Saved(name));
  form->CheckBoxDifferencesOnly->click();  // every row
  auto headers = [&] {
    QStringList h;
    for (int s = 0; s < form->SetupCount(); ++s) h << Table().headerItem()->text(s + 1);
    return h;
  };
  Select("General / Brake", "Max Front Pressure", 2);
  EXPECT_FALSE(form->ButtonMoveLeft->isEnabled());
  form->ButtonMoveRight->click();
  EXPECT_THAT(headers(), ElementsAre("0slot1_Gravel.lsp", "5slot0_Trimmed.lsp", "3slot2_Tarmac.lsp",
                                     "0slot1_Gravel.lsp"));
  EXPECT_EQ(Table().currentColumn(), 3) << "the current cell moves with its setup";
  form->ButtonMoveRight->click();
  EXPECT_FALSE(form->ButtonMoveRight->isEnabled());
  form->ButtonMoveLeft->click();
  EXPECT_EQ(Table().currentColumn(), 3);

  // Dragging a header moves the setup; the open setup's header does not move.
  Table().header()->moveSection(4, 2);
  EXPECT_THAT(headers(), ElementsAre("0slot1_Gravel.lsp", "0slot1_Gravel.lsp", "5slot0_Trimmed.lsp",
                                     "3slot2_Tarmac.lsp"));
  Table().header()->moveSection(2, 1);
  EXPECT_THAT(headers(), ElementsAre("0slot1_Gravel.lsp", "0slot1_Gravel.lsp", "5slot0_Trimmed.lsp",
                                     "3slot2_Tarmac.lsp"));
  EXPECT_EQ(Table().header()->visualIndex(1), 1);

  Table().setCurrentItem(Item("General / Gear", "Gear set"), 3);
  QTest::keyClick(&Table(), Qt::Key_Delete);
  EXPECT_THAT(headers(), ElementsAre("0slot1_Gravel.lsp", "0slot1_Gravel.lsp", "3slot2_Tarmac.lsp"));
  Table().setCurrentItem(Item("General / Gear", "Gear set"), 1);
  EXPECT_FALSE(form->ButtonRemoveColumn->isEnabled());
}

TEST_F(FormCompareTest, copyAsTextAndSaveAsCsvHoldTheShownRows) {
  // A second setup that differs from the open one in two values only.
  TTOVCarSetup edited;
  edited.LoadFromFile(Saved("0slot1_Gravel.lsp"));
  GetSetupData(edited, TSetupSection::TyreRB, TSetupKey::Pressure).SetFloat(190000.0f);
  GetSetupData(edited, TSetupSection::VehicleControlUnit, TSetupKey::RearSpeedMapVelocity_, 10)
      .SetFloat(50.0f);
  edited.SaveToFile(dir.File("edited, softer.lsp"));
  form->AddSetupFile(dir.File("edited, softer.lsp"));

  form->ButtonCopyText->click();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Parameter\t0slot1_Gravel.lsp\tedited, softer.lsp\n"
            "General / Tyre\n"
            "Right Rear Pressure\t220kPa\t190kPa\n"
            "Differential - Map / Rear - Speed\n"
            "Point 10 velocity\t200km/h\t180km/h\n");

  modal_answers::PushFileName(ToQ(dir.File("diff")));
  form->ButtonSaveCsv->click();
  EXPECT_EQ(test::ReadBytes(dir.File("diff.csv")),
            "Group,Parameter,0slot1_Gravel.lsp,\"edited, softer.lsp\"\r\n"
            "General / Tyre,Right Rear Pressure,220kPa,190kPa\r\n"
            "Differential - Map / Rear - Speed,Point 10 velocity,200km/h,180km/h\r\n");

  form->CheckBoxDifferencesOnly->click();
  modal_answers::PushFileName(ToQ(dir.File("all.csv")));
  form->ButtonSaveCsv->click();
  const std::string all = test::ReadBytes(dir.File("all.csv"));
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 215);
  modal_answers::PushFileName({});  // Cancel writes nothing
  form->ButtonSaveCsv->click();
}

TEST_F(FormCompareTest, theWindowRemembersItsSizeInTheSettingsFile) {
  form->show();
  form->resize(900, 640);
  form->close();
  EXPECT_NE(test::ReadBytes(settings).find("[COMPARE]\r\nWidth=900\r\nHeight=640\r\n"), std::string::npos);
  TFormCompare again(install, settings);
  EXPECT_EQ(again.size(), QSize(900, 640));
}

}  // namespace
}  // namespace gw
