// Undo and redo, the marks of changes since load, the unsaved-change prompts, the version history and files
// changed by another program, driven through the main window as a player would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <filesystem>
#include <functional>

#include "compare/form_compare.h"
#include "compare/take_values.h"
#include "core/test_files.h"
#include "editor/form_extract.h"
#include "editor/form_main.h"
#include "editor/form_velocity.h"
#include "history/form_history.h"
#include "platform/local_text.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using L = TSetupList;

struct TListSnapshot {
  std::vector<int32_t> values;
  QStringList texts;
  QStringList captions;
  bool operator==(const TListSnapshot&) const = default;
};

void PrintTo(const TListSnapshot& s, std::ostream* os) {
  *os << FromQ(s.texts.join(QStringLiteral(" | "))) << " / " << FromQ(s.captions.join(QStringLiteral(" ")));
}

TListSnapshot Snapshot(TSliderListBox* list) {
  TListSnapshot s;
  for (int i = 0; i < list->Count(); ++i) {
    s.values.push_back(list->Value(i));
    s.texts << list->ValueText(i);
    s.captions << list->Caption(i);
  }
  return s;
}

// Runs `act` on the modal dialog of type T once it is open.
template <typename T>
void OnDialog(const std::function<void(T&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

class FormHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();
    fs::create_directories(dir.Path() / "SavedGames");
    grid = test::GridSetup();
    for (const char* name : {"0slot1_Tarmac.lsp", "3slot0_Wet.lsp"}) test::WriteBytes(Saved(name), grid);
    form = std::make_unique<TFormMain>(TFormMainOptions{dir.Path().string(), dir.File("Gravelwright.ini"),
                                                        std::nullopt, dir.File("history")});
    form->show();
    Child<QAction>("MenuItemConfirmSave")->setChecked(false);
    form->LoadSetupFile("0slot1_Tarmac.lsp");
    tyre = form->List(L::Tyre);
    Child<QTabWidget>("PageControlGeneral")->setCurrentIndex(0);
  }
  void TearDown() override {
    EXPECT_FALSE(modal_answers::Active()) << "an answer given in advance was not used";
  }

  template <typename T = QObject>
  T* Child(const char* name) {
    T* child = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  // Saves one step right of the loaded grid, then opens the version that save kept (the grid itself).
  void OpenVersionOfLoadedFile() {
    Key(tyre, 0);
    form->ActionSaveExecute();
    OnDialog<TFormHistory>([](TFormHistory& d) {
      d.ListViewVersions->setCurrentItem(d.ListViewVersions->topLevelItem(0));
      QTest::mouseClick(d.ButtonOpen, Qt::LeftButton);
    });
    form->ActionHistoryExecute();
  }
  void Key(TSliderListBox* list, int index, Qt::Key key = Qt::Key_Right) {
    list->setFocus();
    list->SetItemIndex(index);
    QTest::keyClick(list, key);
  }
  void Drag(TSliderListBox* list, int index, int dx) {
    const QPoint start = list->ItemRect(index).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(list->viewport(), start + QPoint(dx / 3, 0));  // arms the drag
    QTest::mouseMove(list->viewport(), start + QPoint(dx / 2, 0));
    QTest::mouseMove(list->viewport(), start + QPoint(dx, 0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, start + QPoint(dx, 0));
  }
  QUndoStack* Stack() { return form->UndoStack(); }
  void Undo() { Child<QAction>("ActionUndo")->trigger(); }
  void Redo() { Child<QAction>("ActionRedo")->trigger(); }

  test::TempDir dir;
  std::string grid;
  std::unique_ptr<TFormMain> form;
  TSliderListBox* tyre = nullptr;
};

// ---- undo and redo ----

TEST_F(FormHistoryTest, aWholeDragIsOneStepThatUndoesToTheExactEarlierPositionsAndTexts) {
  const TListSnapshot before = Snapshot(tyre);
  Drag(tyre, 0, 60);
  const TListSnapshot after = Snapshot(tyre);
  ASSERT_NE(after.values[0], before.values[0]);
  EXPECT_EQ(Stack()->count(), 1);
  EXPECT_EQ(Child<QAction>("ActionUndo")->text(), "Undo Left Front Pressure");
  Undo();
  EXPECT_EQ(Snapshot(tyre), before);
  EXPECT_EQ(Child<QAction>("ActionRedo")->text(), "Redo Left Front Pressure");
  Redo();
  EXPECT_EQ(Snapshot(tyre), after);
}

TEST_F(FormHistoryTest, eachKeyAndEachWheelNotchIsAStepOfItsOwn) {
  TSliderListBox* diff = form->List(L::Diff);
  const TListSnapshot start = Snapshot(diff);
  Key(diff, 0);
  const TListSnapshot afterKey = Snapshot(diff);
  Key(diff, 0);
  const TListSnapshot afterTwoKeys = Snapshot(diff);
  QWheelEvent wheel(QPointF(5, 5), diff->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(diff->viewport(), &wheel);
  EXPECT_NE(Snapshot(diff), afterTwoKeys);
  EXPECT_EQ(Stack()->count(), 3);
  Undo();
  EXPECT_EQ(Snapshot(diff), afterTwoKeys);
  Undo();
  EXPECT_EQ(Snapshot(diff), afterKey);
  Undo();
  EXPECT_EQ(Snapshot(diff), start);
  EXPECT_FALSE(Child<QAction>("ActionUndo")->isEnabled());
  // The shortcuts of the Edit menu.
  EXPECT_EQ(Child<QAction>("ActionUndo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(Child<QAction>("ActionRedo")->shortcuts(),
            (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                 QKeySequence(QStringLiteral("Ctrl+Y"))}));
}

TEST_F(FormHistoryTest, theTyreLinkAndTheBrakeRatioBelongToTheStepThatMovedThem) {
  Child<QCheckBox>("CheckBoxTyreLink")->setChecked(true);
  const TListSnapshot before = Snapshot(tyre);
  Key(tyre, 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tyre->Value(i), before.values[2] + 10) << i;
  EXPECT_EQ(Stack()->count(), 1);
  Undo();
  EXPECT_EQ(Snapshot(tyre), before);

  auto* ratio = Child<QLabel>("LabelBrakeRatio");
  const QString ratioBefore = ratio->text();
  Key(form->List(L::Brake), 0);
  ASSERT_NE(ratio->text(), ratioBefore);
  Undo();
  EXPECT_EQ(ratio->text(), ratioBefore);
}

TEST_F(FormHistoryTest, theVelocityDialogsOkIsOneStep) {
  TSliderListBox* speed = form->List(L::FrontSpeed);
  const TListSnapshot before = Snapshot(speed);
  OnDialog<TFormVelocity>([](TFormVelocity& d) {
    d.SliderListBoxVelocity->SetValue(10, 20);  // ordering clamps inside the dialog, not here
    d.SliderListBoxVelocity->SetValue(9, 19);
    d.accept();
  });
  form->EditSpeedMapVelocity(speed);
  const TListSnapshot after = Snapshot(speed);
  ASSERT_NE(after.captions, before.captions);
  EXPECT_EQ(Stack()->count(), 1);
  EXPECT_EQ(Stack()->undoText(), "Front - Speed Velocity");
  Undo();
  EXPECT_EQ(Snapshot(speed), before);
  Redo();
  EXPECT_EQ(Snapshot(speed), after);
}

TEST_F(FormHistoryTest, aGearButtonIsOneStep) {
  auto* shortGear = Child<QRadioButton>("RadioButtonShort");
  auto* longGear = Child<QRadioButton>("RadioButtonLong");
  const bool wasShort = shortGear->isChecked(), wasLong = longGear->isChecked();
  QTest::mouseClick(longGear, Qt::LeftButton);
  ASSERT_TRUE(longGear->isChecked());
  EXPECT_EQ(Stack()->count(), wasLong ? 0 : 1);
  Undo();
  EXPECT_EQ(shortGear->isChecked(), wasShort);
  EXPECT_EQ(longGear->isChecked(), wasLong);
}

TEST_F(FormHistoryTest, loadingClearsTheStackAndUndoAfterSaveModifiesAgain) {
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
  Key(tyre, 0);
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac *");
  form->ActionSaveExecute();
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
  EXPECT_FALSE(form->IsModified());
  Undo();
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac *");
  Redo();
  EXPECT_FALSE(form->IsModified());
  form->ActionReloadExecute();
  EXPECT_EQ(Stack()->count(), 0);
  EXPECT_FALSE(Child<QAction>("ActionUndo")->isEnabled());
}

TEST_F(FormHistoryTest, valuesTakenFromTheComparisonAreOneStep) {
  const TEditorState before = form->CaptureState();
  form->ApplyPositions({TTakenValue{0, 1}, TTakenValue{1, 2}});  // the first two compared parameters
  ASSERT_EQ(Stack()->count(), 1);
  EXPECT_EQ(Stack()->undoText(), "Take Values");
  Undo();
  EXPECT_TRUE(form->CaptureState() == before);
  EXPECT_FALSE(form->IsModified());
}

TEST_F(FormHistoryTest, theMenuBarReadsFileEditViewToolAboutWithUndoAndRedoInEdit) {
  QStringList titles;
  for (QAction* a : form->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Tool", "&About"}));
  QMenu* edit = form->menuBar()->actions()[1]->menu();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->actions().size(), 2);
  EXPECT_EQ(edit->actions()[0]->objectName(), "ActionUndo");
  EXPECT_EQ(edit->actions()[1]->objectName(), "ActionRedo");
  EXPECT_EQ(Child<QAction>("ActionRedo")->shortcuts().size(), 2);
  EXPECT_EQ(Child<QAction>("ActionHistory")->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
  EXPECT_TRUE(Child<QAction>("MenuItemConfirmDiscard")->isCheckable());
}

// ---- changes since load ----

TEST_F(FormHistoryTest, changedEntriesAreMarkedAndTheirHintSaysWhatTheyWere) {
  EXPECT_FALSE(tyre->ChangedSinceLoad(0));
  const QString loadedText = tyre->ValueText(0).trimmed();
  EXPECT_EQ(form->EntryHint(L::Tyre, 0), "Left Front Pressure: " + loadedText);
  const QImage unchanged = tyre->grab().toImage();
  Key(tyre, 0);
  EXPECT_TRUE(tyre->ChangedSinceLoad(0));
  EXPECT_FALSE(tyre->ChangedSinceLoad(1));
  EXPECT_TRUE(form->EntryHint(L::Tyre, 0).endsWith("(was " + loadedText + ")"))
      << FromQ(form->EntryHint(L::Tyre, 0));
  // Moved back by hand, the entry is no longer marked.
  Key(tyre, 0, Qt::Key_Left);
  EXPECT_FALSE(tyre->ChangedSinceLoad(0));
  EXPECT_EQ(tyre->grab().toImage(), unchanged);
  Key(tyre, 0);
  EXPECT_NE(tyre->grab().toImage(), unchanged);
  form->ActionReloadExecute();  // asks: discard
}

// The status bar describes the entry under the pointer, also after a key, an undo or a load changed its
// value while the pointer stayed still.
TEST_F(FormHistoryTest, theHintOfTheEntryUnderThePointerFollowsItsValue) {
  Child<QTabWidget>("PageControlGeneral")->setCurrentIndex(0);
  form->show();
  QTest::mouseMove(tyre->viewport(), tyre->ItemRect(0).center());
  auto hint = [&] { return Child<QStatusBar>("StatusBarHint")->currentMessage(); };
  ASSERT_EQ(hint(), form->EntryHint(L::Tyre, 0));
  const QString loaded = hint();
  Key(tyre, 0);
  EXPECT_EQ(hint(), form->EntryHint(L::Tyre, 0));
  EXPECT_NE(hint(), loaded);
  form->ActionUndoExecute();
  EXPECT_EQ(hint(), loaded);
  Key(tyre, 0);
  modal_answers::PushChoice(1);  // Discard
  form->ActionReloadExecute();
  EXPECT_EQ(hint(), loaded);
  EXPECT_EQ(tyre->toolTip(), loaded);
}

TEST(SliderMarksTest, theValueTextTakesTheHighlightColourAndATickShowsTheLoadedPosition) {
  TSliderListBox list;
  list.resize(300, 40);
  list.SetCheckBox(false);
  list.SetWide(true);
  list.SetTextWidth(60);
  list.SetValueWidth(60);
  list.AddItem(QStringLiteral("Entry"));
  list.SetMax(0, 100);
  list.SetValue(0, 80);
  QPalette palette = list.palette();
  palette.setColor(QPalette::Highlight, QColor(255, 0, 0));
  palette.setColor(QPalette::Text, QColor(0, 0, 255));
  list.setPalette(palette);
  list.SetLoadedValue(0, 80);
  const QImage same = list.grab().toImage();
  list.SetLoadedValue(0, 20);
  const QImage marked = list.grab().toImage();
  auto count = [](const QImage& image, QRgb colour, int fromX, int toX) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = fromX; x < std::min(toX, image.width()); ++x) n += image.pixel(x, y) == colour;
    return n;
  };
  const int valueLeft = list.viewport()->width() - 60;
  EXPECT_EQ(count(same, qRgb(255, 0, 0), valueLeft, 10000), 0);
  EXPECT_GT(count(marked, qRgb(255, 0, 0), valueLeft, 10000), 0);  // the value text
  // The tick: text-coloured pixels on the unfilled track left of the value, where nothing was before.
  EXPECT_GT(count(marked, qRgb(0, 0, 255), 60, valueLeft), count(same, qRgb(0, 0, 255), 60, valueLeft));
}

// ---- unsaved changes ----

TEST_F(FormHistoryTest, everyDiscardPromptHonoursSaveDiscardAndCancel) {
  const QString question = "Save changes to 0slot1_Tarmac.lsp?";
  struct TCase {
    const char* name;
    std::function<void()> act;
    bool leaves;  // the command goes on to drop the open document's values
  };
  auto* combo = Child<QComboBox>("ComboBoxFiles");
  const std::vector<TCase> cases = {
      {"load", [&] { form->ComboBoxFilesSelect(combo->findText("3slot0_Wet.lsp")); }, true},
      {"drop", [&] { form->DropFiles({ToQ(Saved("3slot0_Wet.lsp"))}); }, true},
      {"reload", [&] { form->ActionReloadExecute(); }, true},
      {"close", [&] { form->close(); }, true},
  };
  for (const TCase& c : cases) {
    for (int answer : {2, 1, 0}) {  // Cancel, Discard, Save
      SCOPED_TRACE(std::string(c.name) + " answer " + std::to_string(answer));
      form->show();
      form->LoadSetupFile(Saved("0slot1_Tarmac.lsp"));
      test::WriteBytes(Saved("0slot1_Tarmac.lsp"), grid);
      form->LoadSetupFile(Saved("0slot1_Tarmac.lsp"));
      Key(tyre, 0);
      const int32_t edited = tyre->Value(0);
      modal_answers::PushChoice(answer);
      c.act();
      EXPECT_EQ(modal_answers::TakeShownTexts(), QStringList{question});
      const bool saved = test::ReadBytes(Saved("0slot1_Tarmac.lsp")) != grid;
      EXPECT_EQ(saved, answer == 0);
      if (answer == 2) {
        EXPECT_TRUE(form->IsModified());
        EXPECT_EQ(tyre->Value(0), edited);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->Setup().FileName(), Saved("0slot1_Tarmac.lsp"));
      } else if (std::string(c.name) == "close") {
        EXPECT_FALSE(form->isVisible());
      } else {
        EXPECT_FALSE(form->IsModified());
      }
    }
  }
  // Turned off, nothing is asked.
  Child<QAction>("MenuItemConfirmDiscard")->setChecked(false);
  Key(tyre, 0);
  form->ActionReloadExecute();
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
}

TEST_F(FormHistoryTest, deleteAsksAboutUnsavedChangesBeforeItsOwnConfirmation) {
  Key(tyre, 0);
  modal_answers::PushChoice(2);
  form->ActionDeleteExecute();
  EXPECT_TRUE(fs::exists(Saved("0slot1_Tarmac.lsp")));
  modal_answers::PushChoice(1);
  modal_answers::PushConfirm(true);
  form->ActionDeleteExecute();
  EXPECT_FALSE(fs::exists(Saved("0slot1_Tarmac.lsp")));
  EXPECT_EQ(modal_answers::TakeShownTexts().size(), 3);
  EXPECT_EQ(form->windowTitle(), "Gravelwright");
  EXPECT_EQ(Stack()->count(), 0);
  // The deleted file kept its version.
  const auto deleted = form->History().DeletedFiles();
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(test::ReadBytes(deleted[0].Versions[0].Path), grid);
}

// ---- versions ----

TEST_F(FormHistoryTest, fortySavesKeepTheNewestThirtyVersionsByteForByte) {
  std::vector<std::string> overwritten;
  for (int i = 0; i < 40; ++i) {
    overwritten.insert(overwritten.begin(), test::ReadBytes(Saved("0slot1_Tarmac.lsp")));
    Key(tyre, i % 4, i % 8 < 4 ? Qt::Key_Right : Qt::Key_Left);
    form->ActionSaveExecute();
  }
  overwritten.resize(30);
  const auto versions = form->History().Versions(Saved("0slot1_Tarmac.lsp"));
  ASSERT_EQ(versions.size(), 30u);
  for (std::size_t i = 0; i < versions.size(); ++i)
    EXPECT_EQ(test::ReadBytes(versions[i].Path), overwritten[i]) << i;
}

TEST_F(FormHistoryTest, historyThatCannotBeWrittenIsReportedOnceAndSavesGoOn) {
  test::WriteBytes(dir.File("blocked"), "");
  form = std::make_unique<TFormMain>(TFormMainOptions{dir.Path().string(), dir.File("Gravelwright.ini"),
                                                      std::nullopt, dir.File("blocked") + "/history"});
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  Child<QAction>("MenuItemConfirmSave")->setChecked(false);
  for (int i = 0; i < 2; ++i) {
    Key(form->List(L::Tyre), 0);
    form->ActionSaveExecute();
  }
  const QStringList shown = modal_answers::TakeShownTexts();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].startsWith("History is off: ")) << FromQ(shown[0]);
  EXPECT_NE(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);
  EXPECT_FALSE(form->IsModified());
}

TEST_F(FormHistoryTest, theHistoryWindowRestoresAVersionOverTheFile) {
  Key(tyre, 0);
  form->ActionSaveExecute();  // keeps the grid
  const std::string firstSave = test::ReadBytes(Saved("0slot1_Tarmac.lsp"));
  Key(tyre, 1);
  form->ActionSaveExecute();  // keeps the first save
  int rows = 0;
  QString changed;
  OnDialog<TFormHistory>([&](TFormHistory& d) {
    EXPECT_EQ(d.windowTitle(), "History - 0slot1_Tarmac.lsp");
    rows = d.ListViewVersions->topLevelItemCount();
    changed = d.ListViewVersions->topLevelItem(1)->text(2);
    d.ListViewVersions->setCurrentItem(d.ListViewVersions->topLevelItem(1));  // the oldest: the grid
    QTest::mouseClick(d.ButtonRestore, Qt::LeftButton);
  });
  form->ActionHistoryExecute();
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(changed, "2");  // two tyre pressures differ from the file as it is now
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
  EXPECT_FALSE(tyre->ChangedSinceLoad(0));
  // The restore kept what it overwrote.
  const auto versions = form->History().Versions(Saved("0slot1_Tarmac.lsp"));
  ASSERT_EQ(versions.size(), 3u);
  EXPECT_NE(test::ReadBytes(versions[0].Path), firstSave);
  EXPECT_NE(test::ReadBytes(versions[0].Path), grid);
}

TEST_F(FormHistoryTest, anOpenedVersionIsShownBesideItsFileAndSavedUnderANewName) {
  const int32_t loaded = tyre->Value(0);
  OpenVersionOfLoadedFile();
  EXPECT_EQ(tyre->Value(0), loaded);
  const auto version = form->History().Versions(Saved("0slot1_Tarmac.lsp")).front();
  EXPECT_EQ(form->windowTitle(),
            "Gravelwright - 0slot1_Tarmac (version of " + VersionLocalTimeText(version.TimeMs) + ")");
  EXPECT_FALSE(Child<QAction>("ActionDelete")->isEnabled());
  const std::string saved = test::ReadBytes(Saved("0slot1_Tarmac.lsp"));
  modal_answers::PushFileName(ToQ(Saved("0slot1_Older")));
  form->ActionSaveExecute();
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Older.lsp")), grid + '\0');  // nothing changed: the grid
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), saved);
  EXPECT_EQ(test::ReadBytes(version.Path), grid);  // the version itself is never written
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Older");
}

TEST_F(FormHistoryTest, reloadingAnOpenedVersionWithUnsavedChangesAsksOnce) {
  const int32_t loaded = tyre->Value(0);
  OpenVersionOfLoadedFile();
  modal_answers::TakeShownTexts();
  Key(tyre, 0);
  modal_answers::PushChoice(1);  // Discard
  form->ActionReloadExecute();
  EXPECT_EQ(modal_answers::TakeShownTexts(), QStringList{"Save changes to 0slot1_Tarmac.lsp?"});
  EXPECT_EQ(tyre->Value(0), loaded);
  EXPECT_TRUE(form->windowTitle().contains("(version of ")) << FromQ(form->windowTitle());
}

TEST_F(FormHistoryTest, compareWithAddsTheChosenVersionAsAColumnOfTheCompareWindow) {
  Key(tyre, 0);
  form->ActionSaveExecute();
  OnDialog<TFormHistory>([](TFormHistory& d) {
    d.ListViewVersions->setCurrentItem(d.ListViewVersions->topLevelItem(0));
    QTest::mouseClick(d.ButtonCompare, Qt::LeftButton);
  });
  form->ActionHistoryExecute();
  const TFormCompare& compare = form->CompareWindow();
  EXPECT_TRUE(compare.isVisible());
  ASSERT_EQ(compare.TableCompare->columnCount(), 3);  // captions, the open setup, the version
  const auto version = form->History().Versions(Saved("0slot1_Tarmac.lsp")).front();
  EXPECT_EQ(compare.TableCompare->headerItem()->text(2).toStdString(),
            "0slot1_Tarmac.lsp (" + VersionLocalTimeText(version.TimeMs).toStdString() + ")");
}

TEST_F(FormHistoryTest, aFileCutShortByANulByteKeepsItsWholeOriginalAsAVersionWhenSaved) {
  const std::string damaged = grid + '\0' + "((\"Left over\"\n";  // what a crash may leave after the end
  test::WriteBytes(Saved("3slot0_Wet.lsp"), damaged);
  form->LoadSetupFile("3slot0_Wet.lsp");
  ASSERT_EQ(modal_answers::TakeShownTexts().size(), 1);  // the notice about the NUL byte
  form->ActionSaveExecute();
  const auto versions = form->History().Versions(Saved("3slot0_Wet.lsp"));
  ASSERT_EQ(versions.size(), 1u);
  EXPECT_EQ(test::ReadBytes(versions[0].Path), damaged);
}

TEST_F(FormHistoryTest, aDeletedFileIsListedAndRestoredUnderItsOldName) {
  modal_answers::PushConfirm(true);
  form->ActionDeleteExecute();
  ASSERT_FALSE(fs::exists(Saved("0slot1_Tarmac.lsp")));
  QString listed;
  OnDialog<TFormHistory>([&](TFormHistory& d) {
    EXPECT_EQ(d.ListViewVersions->topLevelItemCount(), 0);
    ASSERT_EQ(d.ListViewDeleted->topLevelItemCount(), 1);
    listed = d.ListViewDeleted->topLevelItem(0)->text(0);
    d.ListViewDeleted->setCurrentItem(d.ListViewDeleted->topLevelItem(0));
    QTest::mouseClick(d.ButtonRestore, Qt::LeftButton);
  });
  form->ActionHistoryExecute();
  EXPECT_EQ(listed, "0slot1_Tarmac.lsp");
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);
  EXPECT_EQ(form->windowTitle(), "Gravelwright - 0slot1_Tarmac");
  EXPECT_EQ(Child<QComboBox>("ComboBoxFiles")->currentText(), "0slot1_Tarmac.lsp");
}

TEST_F(FormHistoryTest, copyToOtherFilesKeepsTheDestinationsVersions) {
  Key(tyre, 0);
  modal_answers::TakeShownTexts();
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* source = dialog->findChild<QListWidget*>(QStringLiteral("ListBoxSource"));
    auto* dest = dialog->findChild<QListWidget*>(QStringLiteral("ListBoxDest"));
    source->item(0)->setSelected(true);
    dest->item(0)->setSelected(true);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ButtonCopy")), Qt::LeftButton);
  });
  form->MenuItemCopyToFileClick();
  const auto versions = form->History().Versions(Saved("3slot0_Wet.lsp"));
  ASSERT_EQ(versions.size(), 1u);
  EXPECT_EQ(test::ReadBytes(versions[0].Path), grid);
  form->ActionSaveExecute();
}

TEST_F(FormHistoryTest, extractingOntoTheOpenFileAsksFirstKeepsAVersionAndReloads) {
  TTOVCarSetup changed;
  changed.LoadFromBytes(grid, "replay.lsp");
  changed.FindSection("TyreLF")->FindData("Pressure")->SetFloat(123000.0f);
  std::string text = changed.SaveToBytes();
  text.pop_back();
  using namespace std::string_literals;
  test::WriteBytes(dir.File("stage.rpl"), "RPL\x01GMDC\x02\x00SCOE\x05\x00"s + text + "\x00\xff tail"s);
  auto extract = [&](int answer) {
    Key(tyre, 0);
    modal_answers::PushChoice(answer);
    OnDialog<TFormExtract>([&](TFormExtract& d) {
      d.EditRpl->setText(ToQ(dir.File("stage.rpl")));
      d.EditLsp->setText(ToQ(Saved("0slot1_Tarmac.lsp")));
      QTest::mouseClick(d.ButtonExtract, Qt::LeftButton);
      d.reject();
    });
    form->MenuItemExtractClick();
    return modal_answers::TakeShownTexts();
  };
  EXPECT_EQ(extract(2), QStringList{"Save changes to 0slot1_Tarmac.lsp?"});  // Cancel: nothing written
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);
  EXPECT_TRUE(form->IsModified());

  EXPECT_EQ(extract(1), (QStringList{"Save changes to 0slot1_Tarmac.lsp?", "Successful"}));
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), text + '\0');
  EXPECT_EQ(test::ReadBytes(form->History().Versions(Saved("0slot1_Tarmac.lsp")).front().Path), grid);
  EXPECT_EQ(tyre->Value(0), 123);  // the open file was reloaded
  EXPECT_FALSE(form->IsModified());
}

// ---- files changed by another program ----

TEST_F(FormHistoryTest, savingOverAFileChangedOnDiskAsksOverwriteReloadOrCancel) {
  const std::string game = grid + "\n";  // the game wrote it again
  Key(tyre, 0);
  const int32_t edited = tyre->Value(0);
  test::WriteBytes(Saved("0slot1_Tarmac.lsp"), game);
  const QString question = "0slot1_Tarmac.lsp was changed by another program since it was loaded.";

  modal_answers::PushChoice(2);
  form->ActionSaveExecute();
  EXPECT_EQ(modal_answers::TakeShownTexts(), QStringList{question});
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), game);
  EXPECT_TRUE(form->IsModified());

  modal_answers::PushChoice(0);
  form->ActionSaveExecute();
  EXPECT_EQ(modal_answers::TakeShownTexts(), QStringList{question});
  EXPECT_NE(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), game);
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(test::ReadBytes(form->History().Versions(Saved("0slot1_Tarmac.lsp")).front().Path), game);

  Key(tyre, 1);
  test::WriteBytes(Saved("0slot1_Tarmac.lsp"), grid);
  modal_answers::PushChoice(1);
  form->ActionSaveExecute();
  EXPECT_EQ(modal_answers::TakeShownTexts(), QStringList{question});
  EXPECT_EQ(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);
  EXPECT_NE(tyre->Value(0), edited);  // reloaded from the grid
  EXPECT_FALSE(form->IsModified());
}

TEST_F(FormHistoryTest, activationReloadsAChangedFileSilentlyOnlyWithoutUnsavedChanges) {
  TTOVCarSetup changed;
  changed.LoadFromBytes(grid, Saved("0slot1_Tarmac.lsp"));
  changed.FindSection("TyreLF")->FindData("Pressure")->SetFloat(123000.0f);
  std::string bytes = changed.SaveToBytes();
  bytes.pop_back();
  test::WriteBytes(Saved("0slot1_Tarmac.lsp"), bytes);

  Key(tyre, 1);  // unsaved: left alone
  const int32_t before = tyre->Value(0);
  form->CheckFileChangedOnDisk();
  EXPECT_EQ(tyre->Value(0), before);
  Undo();
  QEvent activation(QEvent::ActivationChange);
  QApplication::sendEvent(form.get(), &activation);
  form->CheckFileChangedOnDisk();  // offscreen windows may not report themselves active
  EXPECT_EQ(tyre->Value(0), 123);
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());
  EXPECT_EQ(form->statusBar()->currentMessage(),
            "0slot1_Tarmac.lsp was changed by another program and has been reloaded.");
}

// A comment typed for a slot file is stored only by a save; switching to another file asks first, as for
// every other unsaved edit.
TEST_F(FormHistoryTest, aTypedCommentIsAnUnsavedChange) {
  auto* memo = Child<QPlainTextEdit>("MemoComment");
  ASSERT_TRUE(memo->isEnabled());
  memo->setFocus();
  QTest::keyClicks(memo, "soft rear for the hairpins");
  EXPECT_TRUE(form->windowTitle().endsWith(" *"));
  auto* combo = Child<QComboBox>("ComboBoxFiles");
  form->ComboBoxFilesSelect(combo->findText("3slot0_Wet.lsp"));  // the question is answered Cancel
  EXPECT_EQ(modal_answers::TakeShownTexts(), QStringList{"Save changes to 0slot1_Tarmac.lsp?"});
  EXPECT_EQ(form->Setup().FileName(), Saved("0slot1_Tarmac.lsp"));
  EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("soft rear for the hairpins")));
}

// "Save" in the unsaved-changes question asks before writing over a file the game rewrote meanwhile, as
// the Save command does.
TEST_F(FormHistoryTest, savingFromTheUnsavedChangesQuestionAsksAboutAFileChangedOnDisk) {
  const std::string game = grid + "\n";  // the game wrote it again
  Key(tyre, 0);
  test::WriteBytes(Saved("0slot1_Tarmac.lsp"), game);
  modal_answers::PushChoice(0);  // Save changes? Save (any later question is answered Cancel)
  auto* combo = Child<QComboBox>("ComboBoxFiles");
  form->ComboBoxFilesSelect(combo->findText("3slot0_Wet.lsp"));
  EXPECT_TRUE(modal_answers::TakeShownTexts().contains(
      "0slot1_Tarmac.lsp was changed by another program since it was loaded."));
  EXPECT_TRUE(test::ReadBytes(Saved("0slot1_Tarmac.lsp")) == game) << "the game's bytes were overwritten";
}

// The setup file is written, then its comment cannot be stored (a read-only settings file): the error is
// shown, but the written file counts as saved, not as unsaved nor as changed by another program.
TEST_F(FormHistoryTest, aCommentThatCannotBeStoredLeavesTheWrittenFileSaved) {
  test::WriteBytes(dir.File("Gravelwright.ini"), "[COMMENT]\r\n");
  fs::permissions(dir.File("Gravelwright.ini"), fs::perms::owner_read | fs::perms::group_read,
                  fs::perm_options::replace);
  Key(tyre, 0);
  EXPECT_THROW(form->ActionSaveExecute(), Error);
  EXPECT_NE(test::ReadBytes(Saved("0slot1_Tarmac.lsp")), grid);  // the setup itself was written
  EXPECT_FALSE(form->IsModified());
  EXPECT_FALSE(form->ChangedOnDisk());
  fs::permissions(dir.File("Gravelwright.ini"), fs::perms::owner_all, fs::perm_options::replace);
}

}  // namespace
}  // namespace gw
