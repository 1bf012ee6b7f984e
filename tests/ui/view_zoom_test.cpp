// View > Zoom: the stored percentage, the keys, and a window that keeps everything across a zoom.
#include <gtest/gtest.h>

#include <QAction>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <filesystem>

#include "compare/form_compare.h"
#include "core/test_files.h"
#include "editor/form_main.h"
#include "editor/settings_file.h"
#include "platform/profile_ini.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"
#include "widgets/view_zoom.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

TEST(ZoomFromTextTest, aWholeNumberIsClampedAndSteppedAnythingElseIs100) {
  EXPECT_EQ(ZoomFromText(QStringLiteral("150")), 150);
  EXPECT_EQ(ZoomFromText(QStringLiteral(" 175 ")), 175);
  EXPECT_EQ(ZoomFromText(QStringLiteral("130")), 125);
  EXPECT_EQ(ZoomFromText(QStringLiteral("138")), 150);
  EXPECT_EQ(ZoomFromText(QStringLiteral("250")), 200);
  EXPECT_EQ(ZoomFromText(QStringLiteral("50")), 100);
  EXPECT_EQ(ZoomFromText(QStringLiteral("-150")), 100);
  for (const char* bad : {"", "big", "150%", "1.5", "0x96"})
    EXPECT_EQ(ZoomFromText(QString::fromLatin1(bad)), 100) << bad;
}

class ViewZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    fs::create_directories(dir.Path() / "SavedGames");
    test::WriteBytes((dir.Path() / "SavedGames" / "0slot1_Tarmac.lsp").string(), test::GridSetup());
    form = std::make_unique<TFormMain>(TFormMainOptions{dir.Path().string(), dir.File("Gravelwright.ini"),
                                                        std::nullopt, dir.File("history")});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    SetViewZoom(100);  // the next test starts unzoomed
    EXPECT_FALSE(modal_answers::Active());
  }
  void Keys(const QKeySequence& keys) {
    QTest::keySequence(form.get(), keys);
    QApplication::processEvents();
  }
  std::string Stored() const {
    return ProfileIni(dir.File("Gravelwright.ini")).ReadString(kSectionCommon, kKeyZoom, "none");
  }
  TFormCompare* OpenCompare() {
    Action("ActionCompare")->trigger();
    return form->findChild<TFormCompare*>();
  }
  QAction* Action(const char* name) const { return form->findChild<QAction*>(QString::fromLatin1(name)); }

  test::TempDir dir;
  std::unique_ptr<TFormMain> form;
};

TEST_F(ViewZoomTest, theKeysStepBy25AsFarAsTheWindowFitsItsScreenAndTheFileRemembersTheZoom) {
  EXPECT_EQ(Action("ActionZoomIn")->text(), "Zoom &In");
  EXPECT_EQ(Action("ActionZoomOut")->text(), "Zoom &Out");
  EXPECT_EQ(Action("ActionZoomReset")->text(), "&Reset Zoom");
  EXPECT_TRUE(Action("MenuItemZoom100")->isChecked());
  EXPECT_FALSE(Action("ActionZoomOut")->isEnabled());
  int largest = kZoomMinimum;
  while (largest < kZoomMaximum && FitsAtZoom(*form, largest + kZoomStep)) largest += kZoomStep;
  if (largest < 125) GTEST_SKIP() << "a screen too small for any zoom";

  Keys(QKeySequence(QStringLiteral("Ctrl++")));
  EXPECT_EQ(ViewZoom(), 125);
  EXPECT_EQ(Stored(), "125");
  EXPECT_TRUE(Action("MenuItemZoom125")->isChecked());
  EXPECT_DOUBLE_EQ(form->devicePixelRatio(), 1.25 * qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
  Keys(QKeySequence(QStringLiteral("Ctrl+-")));
  EXPECT_EQ(ViewZoom(), 100);
  Keys(QKeySequence(QStringLiteral("Ctrl+=")));  // the plus key without Shift
  EXPECT_EQ(ViewZoom(), 125);
  for (int i = 0; i < 5; ++i) Keys(QKeySequence(QStringLiteral("Ctrl++")));
  EXPECT_EQ(ViewZoom(), largest);
  EXPECT_EQ(Stored(), std::to_string(largest));
  EXPECT_FALSE(Action("ActionZoomIn")->isEnabled());
  EXPECT_TRUE(form->screen()->availableGeometry().contains(form->frameGeometry()));
  if (largest < kZoomMaximum) {
    // The next step would cut the window: it is left out of the menu as well.
    QAction* next = form->findChild<QAction*>(QStringLiteral("MenuItemZoom%1").arg(largest + kZoomStep));
    EXPECT_FALSE(next->isEnabled());
    next->trigger();
    EXPECT_EQ(ViewZoom(), largest);
  }
  Keys(QKeySequence(QStringLiteral("Ctrl+0")));
  EXPECT_EQ(ViewZoom(), 100);
  EXPECT_EQ(Stored(), "100");
  EXPECT_TRUE(Action("MenuItemZoom100")->isChecked());
}

TEST_F(ViewZoomTest, aStoredZoomTooLargeForTheScreenIsLoweredUntilTheWindowFits) {
  SetViewZoom(kZoomMaximum);
  if (FitsAtZoom(*form, kZoomMaximum)) GTEST_SKIP() << "a screen large enough for every zoom";
  FitViewZoom(*form);
  EXPECT_LT(ViewZoom(), kZoomMaximum);
  EXPECT_TRUE(FitsAtZoom(*form, ViewZoom()));
  EXPECT_FALSE(FitsAtZoom(*form, ViewZoom() + kZoomStep));
}

TEST_F(ViewZoomTest, aZoomKeepsTheOpenFileItsUnsavedPositionsAndTheUndoStack) {
  if (!FitsAtZoom(*form, 125)) GTEST_SKIP() << "a screen too small for any zoom";
  form->LoadSetupFile("0slot1_Tarmac.lsp");
  TSliderListBox* tyre = form->List(TSetupList::Tyre);
  form->findChild<QTabWidget*>(QStringLiteral("PageControlGeneral"))->setCurrentIndex(0);
  tyre->setFocus();
  tyre->SetItemIndex(0);
  QTest::keyClick(tyre, Qt::Key_Right);
  const int32_t moved = tyre->Value(0);
  const QString title = form->windowTitle();
  const QSize size = form->size();
  const QImage before = form->grab().toImage();
  ASSERT_EQ(form->UndoStack()->count(), 1);

  Keys(QKeySequence(QStringLiteral("Ctrl++")));
  ASSERT_EQ(ViewZoom(), 125);
  EXPECT_EQ(form->List(TSetupList::Tyre), tyre);
  EXPECT_EQ(tyre->Value(0), moved);
  EXPECT_EQ(form->windowTitle(), title);
  EXPECT_EQ(form->UndoStack()->count(), 1);
  // The same size in device-independent pixels, so the window grows on the screen as far as it fits.
  const QSize frame = form->frameGeometry().size() - form->size();
  const QSize room = form->screen()->availableGeometry().size() - frame;
  EXPECT_EQ(form->size(), size.boundedTo(room));
  // Drawn again at the new scale, not stretched: a quarter more pixels on each side.
  const QImage after = form->grab().toImage();
  const QSize expected = (before.size() * 1.25).boundedTo(room * after.devicePixelRatio());
  EXPECT_NEAR(after.width(), expected.width(), 1);  // rounding at fractional scales
  EXPECT_NEAR(after.height(), expected.height(), 1);

  form->findChild<QAction*>(QStringLiteral("ActionUndo"))->trigger();
  EXPECT_NE(tyre->Value(0), moved);
}

TEST_F(ViewZoomTest, theKeysWorkInTheCompareWindowAndZoomItToo) {
  if (!FitsAtZoom(*form, 125)) GTEST_SKIP() << "a screen too small for any zoom";
  TFormCompare* compare = OpenCompare();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(compare));
  QApplication::setActiveWindow(compare);
  const QSize size = compare->size();
  const qreal ratio = compare->devicePixelRatio();
  QTest::keySequence(compare, QKeySequence(QStringLiteral("Ctrl++")));
  QApplication::processEvents();
  EXPECT_EQ(ViewZoom(), 125);
  EXPECT_DOUBLE_EQ(compare->devicePixelRatio(), ratio * 1.25);
  const QSize frame = compare->frameGeometry().size() - compare->size();
  EXPECT_EQ(compare->size(), size.boundedTo(compare->screen()->availableGeometry().size() - frame));
}

// Squeezed by the screen at a large zoom, a window grows back to what its controls need at a smaller one.
TEST_F(ViewZoomTest, aWindowSqueezedByALargeZoomNeverStaysBelowItsMinimumSize) {
  TFormCompare* compare = OpenCompare();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(compare));
  const QSize minimum = compare->minimumSize();
  ASSERT_FALSE(minimum.isEmpty());
  SetViewZoom(kZoomMaximum);
  QApplication::processEvents();
  SetViewZoom(100);
  QApplication::processEvents();
  EXPECT_GE(compare->width(), minimum.width());
  EXPECT_GE(compare->height(), minimum.height());
}

TEST_F(ViewZoomTest, aMaximizedWindowStaysMaximizedAndIsLaidOutAgainAtItsNewSize) {
  TFormCompare* compare = OpenCompare();
  compare->showMaximized();
  QApplication::processEvents();
  SetViewZoom(150);
  QApplication::processEvents();
  EXPECT_TRUE(compare->isMaximized());
  const QSize room = compare->screen()->availableGeometry().size();
  const QSize frame = compare->frameGeometry().size() - compare->size();
  EXPECT_EQ(compare->size(), room - frame);
  EXPECT_LT(compare->TableCompare->geometry().right(), compare->width());  // laid out within it
}

TEST_F(ViewZoomTest, aWindowHiddenDuringTheZoomShowsAgainAtTheNewScale) {
  TFormCompare* compare = OpenCompare();
  QApplication::processEvents();
  const QSize size = compare->size();
  compare->hide();
  SetViewZoom(150);
  compare->show();
  QApplication::processEvents();
  EXPECT_EQ(compare->size(), size);
  const QImage shot = compare->grab().toImage();
  EXPECT_NEAR(shot.width(), size.width() * compare->devicePixelRatio(), 1);
}

}  // namespace
}  // namespace gw
