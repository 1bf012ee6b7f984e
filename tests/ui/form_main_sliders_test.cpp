// The main window's sliders: linked entries, the wheel and hover, the map tabs and the velocity dialog.
#include "form_main_fixture.h"

namespace gw {
namespace {

using L = TSetupList;
using test::FormMainTest;

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
