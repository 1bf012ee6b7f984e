#include "widgets/slider_list_box.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "platform/error.h"
#include "ui_test_app.h"

namespace gw {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr int H = 24;

// A control whose pixels are easy to read: no frame, white entries, red bars, no texts, no check column,
// and a 100-pixel track (2 pixels of margin each side).
struct Box {
  TSliderListBox box;
  std::map<int, int> paints;  // entries composed, by index
  std::vector<std::string> log;

  explicit Box(int entries, int width = 104) {
    box.setFrameShape(QFrame::NoFrame);
    box.SetColor(TColor::Rgb(255, 255, 255));
    box.SetSliderColor(TColor::Rgb(255, 0, 0));
    box.SetCheckBox(false);
    box.SetCounterStyle(TCounterStyle::csCustom);
    box.OnSliderCustomValue = [](TSliderListBox*, int, QString&, uint32_t&) {};
    box.OnAdvancedDrawItem = [this](TSliderListBox*, QPainter&, int Index, const QRect&, TOwnerDrawState,
                                    TSliderDrawStage Stage, bool&) {
      if (Stage == TSliderDrawStage::dsClear) ++paints[Index];
    };
    for (int i = 0; i < entries; ++i) box.AddItem(QString());
    box.resize(width, entries * H);
  }
  void Show() {
    box.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    QCoreApplication::processEvents();
    paints.clear();
  }
  void Focus() {
    Show();
    box.activateWindow();
    box.setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    EXPECT_TRUE(box.hasFocus());
    QCoreApplication::processEvents();
    paints.clear();
  }
  void Log() {
    QObject::connect(&box, &TSliderListBox::OnChange, &box, [this] { log.push_back("Change"); });
    QObject::connect(&box, &TSliderListBox::OnClick, &box, [this] { log.push_back("Click"); });
    QObject::connect(&box, &TSliderListBox::OnClickCheckBox, &box,
                     [this] { log.push_back("ClickCheckBox"); });
    box.OnMouseDown = [this](TSliderListBox*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      log.push_back("MouseDown");
    };
    box.OnMouseMove = [this](TSliderListBox*, Qt::KeyboardModifiers, int, int) {
      log.push_back("MouseMove");
    };
    box.OnMouseUp = [this](TSliderListBox*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      log.push_back("MouseUp");
    };
    box.OnKeyDown = [this](TSliderListBox*, int&, Qt::KeyboardModifiers) { log.push_back("KeyDown"); };
    box.OnBeginSlide = [this](TSliderListBox*, int i, int32_t o, int32_t& n) {
      log.push_back("BeginSlide " + std::to_string(i) + " " + std::to_string(o) + "->" + std::to_string(n));
    };
    box.OnSlide = [this](TSliderListBox*, int i, int32_t o, int32_t& n) {
      log.push_back("Slide " + std::to_string(i) + " " + std::to_string(o) + "->" + std::to_string(n));
    };
  }
  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }
  QImage Shot() { return box.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QWidget* Area() { return box.viewport(); }
};

int CountInRow(const QImage& img, int y, QRgb c) {
  int n = 0;
  for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == c;
  return n;
}

int FirstInRow(const QImage& img, int y, QRgb c) {
  for (int x = 0; x < img.width(); ++x)
    if (img.pixel(x, y) == c) return x;
  return -1;
}

// Rows [first, last] in which column x has colour c.
std::pair<int, int> RowsOf(const QImage& img, int x, QRgb c) {
  int first = -1, last = -1;
  for (int y = 0; y < img.height(); ++y)
    if (img.pixel(x, y) == c) {
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

// The bounding box of the pixels that are not the background inside a rectangle.
QRect InkBox(const QImage& img, const QRect& area, QRgb background) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (img.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

// ---------------------------------------------------------------------------------------------------
// Entries

TEST(SliderListBoxEntries, freshEntryReadsDefaultsAndDefaultWritesCreateNothing) {
  Box b(1);
  TSliderListBox& box = b.box;
  EXPECT_EQ((std::tuple{0, 10, 0, false, TCheckBoxState::cbUnchecked, true, 0u}),
            std::tuple(box.Min(0), box.Max(0), box.Value(0), box.Checked(0), box.State(0),
                       box.EntryEnabled(0), box.Data(0)));
  b.Show();
  box.SetMax(0, 10);
  box.SetValue(0, 0);
  box.SetEntryEnabled(0, true);
  EXPECT_FALSE(box.HasRecord(0));
  EXPECT_TRUE(b.paints.empty());
  box.SetPercent(0, 200);
  EXPECT_EQ(10, box.Value(0));
  EXPECT_TRUE(box.HasRecord(0));
}

TEST(SliderListBoxEntries, checkStatesAndToggle) {
  Box b(3);
  b.Log();
  TSliderListBox& box = b.box;
  box.SetChecked(0, true);  // CheckBox is false: ignored
  EXPECT_FALSE(box.Checked(0));
  box.SetState(0, TCheckBoxState::cbChecked);  // not gated
  EXPECT_TRUE(box.Checked(0));

  box.SetState(1, TCheckBoxState::cbGrayed);
  box.ToggleCheck(1);
  EXPECT_EQ(TCheckBoxState::cbChecked, box.State(1));
  box.ToggleCheck(1);
  EXPECT_EQ(TCheckBoxState::cbUnchecked, box.State(1));
  EXPECT_EQ((std::vector<std::string>{"ClickCheckBox", "ClickCheckBox"}), b.TakeLog());

  box.SetEntryEnabled(2, false);
  box.ToggleCheck(2);
  box.ToggleCheck(-1);
  box.ToggleCheck(3);
  EXPECT_EQ(TCheckBoxState::cbUnchecked, box.State(2));
  EXPECT_TRUE(b.TakeLog().empty());

  box.SetItemIndex(0);
  box.ToggleCheck(0);  // also reports the selection change that the owner has not heard of yet
  EXPECT_EQ((std::vector<std::string>{"Change", "ClickCheckBox"}), b.TakeLog());
}

// Records move with their entries, and the list never rebuilds, so not even a grayed state is lost.
TEST(SliderListBoxEntries, recordsStayWithTheirEntries) {
  Box b(3);
  TSliderListBox& box = b.box;
  for (int i = 0; i < 3; ++i) box.SetValue(i, i + 1);
  box.SetState(1, TCheckBoxState::cbGrayed);
  box.SetData(1, 0xDEADBEEF);
  box.SetCaption(1, QStringLiteral("Rebound"));
  box.DeleteItem(0);
  box.InsertItem(0, QStringLiteral("new"));
  box.Exchange(1, 2);
  box.Move(2, 0);
  box.SetItemHeight(22);
  ASSERT_EQ(3, box.Count());
  EXPECT_EQ((std::tuple{QStringLiteral("Rebound"), 2, TCheckBoxState::cbGrayed, 0xDEADBEEFu}),
            std::tuple(box.Caption(0), box.Value(0), box.State(0), box.Data(0)));
  EXPECT_FALSE(box.HasRecord(1));
  EXPECT_EQ(3, box.Value(2));
}

TEST(SliderListBoxStates, assignCopiesTheCommonEntriesButNotCaptions) {
  Box four(4), six(6);
  for (int i = 0; i < 6; ++i) {
    six.box.SetCaption(i, QString::number(i));
    six.box.SetMin(i, -i);
    six.box.SetMax(i, 50 + i);
    six.box.SetValue(i, 20 + i);
    six.box.SetState(i, i == 1 ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
    six.box.SetEntryEnabled(i, i % 2 == 0);
  }
  four.Show();
  four.box.SetStates(six.box.States());
  EXPECT_EQ((std::map<int, int>{{0, 1}, {1, 1}, {2, 1}, {3, 1}}), four.paints);  // one batch
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ((std::tuple{QString(), -i, 50 + i, 20 + i, i != 1, i % 2 == 0}),
              std::tuple(four.box.Caption(i), four.box.Min(i), four.box.Max(i), four.box.Value(i),
                         four.box.Checked(i), four.box.EntryEnabled(i)));
  six.box.States().Assign(four.box.States());
  EXPECT_EQ(TCheckBoxState::cbUnchecked, six.box.State(1));  // the grayed look is not copied
  EXPECT_EQ(24, six.box.Value(4));

  // One view, re-pointed by every call.
  TSliderListBoxItem& view = six.box.States().Items(2);
  EXPECT_EQ(&view, &six.box.States().Items(3));
  EXPECT_EQ(3, view.Index());
}

TEST(SliderListBoxStates, streamedFormRoundTripsAndFailsLikeTheReader) {
  Box b(0);
  TSliderListBox& box = b.box;
  EXPECT_TRUE(box.States().WriteItems().empty());
  const std::vector<std::string> lines{"\"Max Steering Lock\",50,110,50,0,1",
                                       "\"Wheel Axis Inclination\",-200,0,-200,1,0", "Crossed,20,20,20,0,1"};
  box.States().ReadItems(lines);
  ASSERT_EQ(3, box.Count());
  EXPECT_EQ(QStringLiteral("Wheel Axis Inclination"), box.Caption(1));
  box.AddItem(QStringLiteral("Fresh"));
  std::vector<std::string> expected = lines;
  expected.push_back("Fresh,0,10,0,0,1");
  EXPECT_EQ(expected, box.States().WriteItems());
  EXPECT_TRUE(box.HasRecord(3));  // writing gave the fresh entry its record

  EXPECT_THROW(box.States().ReadItems({"A,1,5,3,1,1", "B,2,8,x,1,1", "C,0,1,0,0,1"}), Error);
  ASSERT_EQ(2, box.Count());
  EXPECT_EQ(3, box.Value(0));
  EXPECT_EQ((std::tuple{QStringLiteral("B"), 2, 8, 2}),
            std::tuple(box.Caption(1), box.Min(1), box.Max(1), box.Value(1)));
  EXPECT_THROW(box.States().ReadItems({""}), Error);
  EXPECT_EQ(0, box.Count());
}

// ---------------------------------------------------------------------------------------------------
// Painting

TEST(SliderListBoxPainting, onlyTheChangedEntryRepaintsAtOnce) {
  Box b(3);
  b.Show();
  b.box.SetValue(1, 5);
  EXPECT_EQ((std::map<int, int>{{1, 1}}), b.paints);
  b.paints.clear();
  b.box.SetValue(1, 5);
  b.box.SetSliderColor(TColor::Rgb(255, 0, 0));
  EXPECT_TRUE(b.paints.empty());
  b.box.SetWide(false);  // unchanged, but repaints all
  EXPECT_EQ((std::map<int, int>{{0, 1}, {1, 1}, {2, 1}}), b.paints);
}

TEST(SliderListBoxPainting, batchPaintsEachEntryOnceAtItsEnd) {
  Box b(3);
  b.Show();
  TSliderListBoxItems& states = b.box.States();
  states.BeginUpdate();
  b.box.SetValue(0, 1);
  b.box.SetValue(1, 2);
  states.BeginUpdate();
  b.box.SetValue(2, 3);
  b.box.SetSliderStyle(TSliderStyle::ssLine);
  b.box.update();
  QCoreApplication::processEvents();
  states.EndUpdate();
  EXPECT_TRUE(b.paints.empty());
  states.EndUpdate();
  EXPECT_EQ((std::map<int, int>{{0, 1}, {1, 1}, {2, 1}}), b.paints);
}

TEST(SliderListBoxPainting, barFillAndBandGeometry) {
  Box b(4);
  for (int i = 0; i < 4; ++i) b.box.SetMax(i, 8);
  b.box.SetValue(0, 1);  // 12.5 pixels: halves go to the even neighbour
  b.box.SetValue(1, 3);  // 37.5
  b.box.SetValue(2, 8);
  QImage img = b.Shot();
  EXPECT_EQ(2, FirstInRow(img, 18, kRed));
  EXPECT_EQ(12, CountInRow(img, 18, kRed));
  EXPECT_EQ(38, CountInRow(img, H + 18, kRed));
  EXPECT_EQ(100, CountInRow(img, 2 * H + 18, kRed));
  EXPECT_EQ(0, CountInRow(img, 3 * H + 18, kRed));
  EXPECT_EQ((std::pair{2 * H + 16, 2 * H + 20}), RowsOf(img, 50, kRed));  // y 16 to 22, less the bottom row

  b.box.SetItemHeight(22);
  EXPECT_EQ((std::pair{2 * 22 + 14, 2 * 22 + 18}), RowsOf(b.Shot(), 50, kRed));
  b.box.SetItemHeight(24);
  b.box.SetWide(true);
  b.box.SetTextWidth(20);
  b.box.SetValueWidth(10);
  img = b.Shot();
  EXPECT_EQ((std::pair{2 * H + 6, 2 * H + 16}), RowsOf(img, 50, kRed));
  EXPECT_EQ(22, FirstInRow(img, 2 * H + 10, kRed));
  EXPECT_EQ(104 - 4 - 30, CountInRow(img, 2 * H + 10, kRed));

  b.box.SetWide(false);
  b.box.SetCheckBox(true);
  const int cw = TSliderListBox::CW();
  EXPECT_EQ(cw + 2, b.box.CheckColumnWidth());
  img = b.Shot();
  EXPECT_EQ(cw + 2 + 2, FirstInRow(img, 2 * H + 18, kRed));
  EXPECT_EQ(104 - cw - 2 - 4, CountInRow(img, 2 * H + 18, kRed));
  EXPECT_TRUE(InkBox(img, QRect(0, 0, cw + 2, H), kWhite).isValid());  // the glyph
  b.box.SetEntryEnabled(0, false);
  EXPECT_FALSE(InkBox(b.Shot(), QRect(0, 0, cw + 2, H), kWhite).isValid());
}

TEST(SliderListBoxPainting, lineStyleAndEmptyRange) {
  Box b(3);
  b.box.SetSliderStyle(TSliderStyle::ssLine);
  b.box.SetMax(0, 50);
  b.box.SetValue(0, 1);  // f = 2: a track without a bar
  b.box.SetValue(1, 10);
  b.box.SetMax(2, 0);
  const QImage img = b.Shot();
  EXPECT_EQ(0, CountInRow(img, 18, kRed));
  EXPECT_NE(kWhite, img.pixel(2, 16));  // the sunken border
  EXPECT_EQ((std::pair{H + 17, H + 19}), RowsOf(img, 50, kRed));
  EXPECT_EQ(3, FirstInRow(img, H + 18, kRed));
  EXPECT_EQ(98, CountInRow(img, H + 18, kRed));
  EXPECT_EQ(0, CountInRow(img, 2 * H + 18, kRed));
}

TEST(SliderListBoxPainting, counterTextsAndTheirFlags) {
  Box b(1);
  TSliderListBox& box = b.box;
  box.OnSliderCustomValue = nullptr;
  box.SetMin(0, -300);
  box.SetMax(0, 300);
  box.SetValue(0, 255);
  uint32_t flags = 0;
  EXPECT_EQ(QStringLiteral(" 255"), box.ValueText(0, &flags));  // csCustom without a handler
  EXPECT_EQ(2085u, flags);
  box.SetCounterStyle(TCounterStyle::csHex);
  EXPECT_EQ(QStringLiteral(" FF"), box.ValueText(0));
  box.SetValue(0, -200);
  EXPECT_EQ(QStringLiteral(" FFFFFF38"), box.ValueText(0));
  box.SetCounterStyle(TCounterStyle::csPercent);
  EXPECT_EQ(QStringLiteral(" 16%"), box.ValueText(0));
  box.SetMax(0, -300);
  EXPECT_EQ(QStringLiteral(" 0%"), box.ValueText(0));

  // The main window's three sets; vertical alignment needs the single-line bit.
  EXPECT_EQ(Qt::AlignHCenter | Qt::AlignTop, QtTextFlags(2053));
  EXPECT_EQ(Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextShowMnemonic, QtTextFlags(41));
  EXPECT_EQ(Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, QtTextFlags(2085));
  EXPECT_EQ(Qt::AlignRight | Qt::AlignTop | Qt::TextShowMnemonic, QtTextFlags(2 | 4 | 8));
}

TEST(SliderListBoxPainting, valueTextAlignmentFollowsTheFlags) {
  Box b(1, 204);
  TSliderListBox& box = b.box;
  box.resize(204, 48);
  box.SetItemHeight(48);
  box.SetWide(true);
  box.SetValueWidth(100);  // value rectangle: x 104..201, the whole height
  uint32_t format = 0;
  box.OnSliderCustomValue = [&format](TSliderListBox*, int, QString& S, uint32_t& F) {
    S = QStringLiteral("Ag");
    F = format;
  };
  const QRect valueRect(104, 0, 98, 48);
  auto ink = [&](uint32_t F) {
    format = F;
    return InkBox(b.Shot(), valueRect, kWhite);
  };
  const QRect topLeft = ink(0);
  ASSERT_TRUE(topLeft.isValid());
  EXPECT_LE(topLeft.left() - valueRect.left(), 2);
  EXPECT_LE(topLeft.top(), 6);
  const QRect rightMiddle = ink(tfRight | tfVCenter | tfSingleLine);
  EXPECT_LE(valueRect.right() - rightMiddle.right(), 3);
  EXPECT_NEAR((rightMiddle.top() + rightMiddle.bottom()) / 2, 24, 5);
  const QRect centreBottom = ink(tfCenter | tfBottom | tfSingleLine);
  EXPECT_NEAR((centreBottom.left() + centreBottom.right()) / 2, valueRect.center().x(), 3);
  EXPECT_GE(centreBottom.bottom(), 40);
  EXPECT_EQ(topLeft, ink(tfBottom));
}

TEST(SliderListBoxPainting, temperatureColours) {
  Box b(3);
  b.box.SetSliderColorStyle(TSliderColorStyle::csTemperature);
  for (int i = 0; i < 3; ++i) b.box.SetMax(i, 100);
  b.box.SetValue(0, 25);
  b.box.SetValue(1, 50);
  b.box.SetValue(2, 100);
  const QImage img = b.Shot();
  EXPECT_EQ(qRgb(127, 255, 0), img.pixel(5, 18));
  EXPECT_EQ(qRgb(255, 255, 0), img.pixel(5, H + 18));
  EXPECT_EQ(qRgb(255, 0, 0), img.pixel(5, 2 * H + 18));
}

TEST(SliderListBoxPainting, focusRectanglesCancelAndSelectionColours) {
  Box b(2);
  TSliderListBox& box = b.box;
  box.SetItemIndex(0);
  box.SetFocusedStyle(TSliderSelectedStyle::ssFocus);
  box.SetSelectedStyle(TSliderSelectedStyle::ssFocus);
  b.Focus();
  QImage img = b.Shot();
  EXPECT_EQ(kWhite, img.pixel(0, 0));
  EXPECT_EQ(kWhite, img.pixel(2, 0));

  box.SetSelectedStyle(TSliderSelectedStyle::ssClear);  // the program's setting
  img = b.Shot();
  EXPECT_EQ(qRgb(0, 0, 0), img.pixel(0, 0));  // dotted: every other pixel inverted
  EXPECT_EQ(kWhite, img.pixel(1, 0));
  EXPECT_EQ(qRgb(0, 0, 0), img.pixel(2, 0));
  EXPECT_EQ(qRgb(0, 0, 0), img.pixel(1, H - 1));
  EXPECT_EQ(kWhite, img.pixel(0, H));  // the next entry is not selected

  box.SetFocusedStyle(TSliderSelectedStyle::ssSolid);
  box.SetSelectedStyle(TSliderSelectedStyle::ssSolid);
  box.SetFocusedColor(TColor::Rgb(0, 0, 255));
  box.SetSelectedColor(TColor::Rgb(0, 255, 0));
  EXPECT_EQ(qRgb(0, 255, 0), b.Shot().pixel(50, 2));
  box.SetSelectedStyle(TSliderSelectedStyle::ssDblFrame);
  img = b.Shot();
  EXPECT_EQ(qRgb(0, 0, 255), img.pixel(50, 2));
  EXPECT_EQ(qRgb(0, 255, 0), img.pixel(50, 0));
  EXPECT_EQ(qRgb(0, 255, 0), img.pixel(1, 5));

  box.clearFocus();
  QCoreApplication::processEvents();
  box.SetFocusedStyle(TSliderSelectedStyle::ssFocus);
  box.SetSelectedStyle(TSliderSelectedStyle::ssClear);
  EXPECT_EQ(kWhite, b.Shot().pixel(0, 0));  // an unfocused selection shows nothing
}

TEST(SliderListBoxPainting, ownerDrawing) {
  Box b(1);
  b.box.SetValue(0, 10);
  b.box.SetSliderStyle(TSliderStyle::ssButton);
  std::vector<TSliderDrawStage> stages;
  b.box.OnAdvancedDrawItem = [&](TSliderListBox*, QPainter& Canvas, int, const QRect& R, TOwnerDrawState,
                                 TSliderDrawStage Stage, bool& DefaultDraw) {
    stages.push_back(Stage);
    if (Stage == TSliderDrawStage::dsSlider) {
      EXPECT_EQ(QRect(2, 16, 100, 6), R);
      Canvas.fillRect(R, Qt::red);
      DefaultDraw = false;
    }
  };
  EXPECT_EQ(100, CountInRow(b.Shot(), 21, kRed));  // the owner's bar, full height, no button edge
  EXPECT_EQ((std::vector{TSliderDrawStage::dsClear, TSliderDrawStage::dsSlider, TSliderDrawStage::dsText,
                         TSliderDrawStage::dsValue}),
            stages);

  stages.clear();
  b.box.OnDrawItem = [](TSliderListBox*, QPainter& Canvas, int, const QRect& Rect, TOwnerDrawState) {
    Canvas.fillRect(Rect, Qt::blue);
  };
  EXPECT_EQ(104, CountInRow(b.Shot(), 18, qRgb(0, 0, 255)));
  EXPECT_TRUE(stages.empty());
}

// ---------------------------------------------------------------------------------------------------
// Pointer

// Entry i's bar band is y 16..22 of its row; with 10 units on 100 pixels, x = 10k + 2 is value k's mark.
QPoint Bar(int entry, int x) {
  return {x, entry * H + 18};
}

TEST(SliderListBoxPointer, clickWithoutMovingOnlySelects) {
  Box b(2);
  b.Log();
  b.Show();
  QTest::mousePress(b.Area(), Qt::LeftButton, {}, Bar(1, 80));
  EXPECT_TRUE(b.box.Sliding());
  EXPECT_EQ(Bar(1, 80), b.box.DragStart());
  QTest::mouseRelease(b.Area(), Qt::LeftButton, {}, Bar(1, 80));
  EXPECT_FALSE(b.box.Sliding());
  EXPECT_EQ(0, b.box.Value(1));
  EXPECT_EQ(1, b.box.ItemIndex());
  EXPECT_EQ((std::vector<std::string>{"Change", "Click", "MouseDown", "Click", "MouseUp"}), b.TakeLog());
}

TEST(SliderListBoxPointer, dragArmsAfterThreePixelsAndThenFollowsThePointer) {
  Box b(2);
  b.Log();
  b.Show();
  b.box.SetItemIndex(1);
  QTest::mousePress(b.Area(), Qt::LeftButton, {}, Bar(1, 40));
  QTest::mouseMove(b.Area(), Bar(1, 43));
  QTest::mouseMove(b.Area(), QPoint(37, 40));  // vertical movement does not count
  EXPECT_EQ(QPoint(40, H + 18), b.box.DragStart());
  QTest::mouseMove(b.Area(), Bar(1, 44));  // the 4th pixel starts the slide, without a value
  EXPECT_EQ(QPoint(-1, -1), b.box.DragStart());
  EXPECT_EQ(Qt::SizeHorCursor, QGuiApplication::overrideCursor()->shape());
  EXPECT_EQ(0, b.box.Value(1));
  EXPECT_EQ((std::vector<std::string>{"MouseDown", "MouseMove", "MouseMove", "MouseMove"}), b.TakeLog());

  QTest::mouseMove(b.Area(), Bar(1, 70));  // t = 68: the value jumps to 7
  EXPECT_EQ(7, b.box.Value(1));
  EXPECT_EQ((std::vector<std::string>{"BeginSlide 1 0->7", "Slide 1 0->7", "MouseMove"}), b.TakeLog());
  QTest::mouseMove(b.Area(), Bar(1, 71));  // still 7: no events
  EXPECT_EQ((std::vector<std::string>{"MouseMove"}), b.TakeLog());
  QTest::mouseMove(b.Area(), QPoint(-300, -50));  // outside the control, left and above
  EXPECT_EQ(0, b.box.Value(1));
  QTest::mouseMove(b.Area(), QPoint(900, 400));
  EXPECT_EQ(10, b.box.Value(1));
  EXPECT_EQ(0, b.box.Value(0));
  b.TakeLog();
  QTest::mouseRelease(b.Area(), Qt::LeftButton, {}, QPoint(900, 400));
  EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
  EXPECT_EQ((std::vector<std::string>{"Change", "Click", "MouseUp"}), b.TakeLog());

  // An entry without a range never slides.
  b.box.SetMax(0, 0);
  QTest::mousePress(b.Area(), Qt::LeftButton, {}, Bar(0, 10));
  QTest::mouseMove(b.Area(), Bar(0, 60));
  QTest::mouseMove(b.Area(), Bar(0, 90));
  QTest::mouseRelease(b.Area(), Qt::LeftButton, {}, Bar(0, 90));
  for (const std::string& e : b.TakeLog()) EXPECT_EQ(std::string::npos, e.find("Slide")) << e;
}

TEST(SliderListBoxPointer, checkColumnTogglesEnabledEntries) {
  Box b(2);
  b.Log();
  b.box.SetCheckBox(true);
  b.Show();
  const QPoint check1(3, H + 12);
  QTest::mouseClick(b.Area(), Qt::LeftButton, {}, check1);
  EXPECT_TRUE(b.box.Checked(1));
  EXPECT_FALSE(b.box.Sliding());
  EXPECT_EQ((std::vector<std::string>{"Change", "Click", "MouseDown", "ClickCheckBox", "MouseUp"}),
            b.TakeLog());
  QTest::mouseClick(b.Area(), Qt::RightButton, {}, check1);  // other buttons do not toggle
  EXPECT_TRUE(b.box.Checked(1));
  b.box.SetEntryEnabled(0, false);
  QTest::mouseClick(b.Area(), Qt::LeftButton, {}, QPoint(3, 12));
  EXPECT_FALSE(b.box.Checked(0));
  EXPECT_EQ(0, b.box.ItemIndex());
}

TEST(SliderListBoxPointer, cursorShowsTheBarBand) {
  Box b(1);
  b.box.SetCheckBox(true);
  b.Show();
  auto hover = [&](QPoint p) {
    QMouseEvent move(QEvent::MouseMove, p, b.Area()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(b.Area(), &move);
    return b.Area()->cursor().shape();
  };
  const int left = b.box.CheckColumnWidth() + 2;
  EXPECT_EQ(Qt::SizeHorCursor, hover({left, 16}));
  EXPECT_EQ(Qt::ArrowCursor, hover({left - 1, 16}));
  EXPECT_EQ(Qt::ArrowCursor, hover({left, 22}));
  EXPECT_EQ(Qt::SizeHorCursor, hover({101, 21}));
  EXPECT_EQ(Qt::ArrowCursor, hover({102, 21}));
}

TEST(SliderListBoxPointer, beginSlideCanClampOrVeto) {
  Box b(1);
  b.Log();
  b.Show();
  auto log = b.box.OnBeginSlide;
  b.box.OnBeginSlide = [&](TSliderListBox* s, int i, int32_t o, int32_t& n) {
    n = std::min(n, 6);  // a neighbour's limit
    log(s, i, o, n);
  };
  QTest::mousePress(b.Area(), Qt::LeftButton, {}, Bar(0, 10));
  QTest::mouseMove(b.Area(), Bar(0, 20));
  QTest::mouseMove(b.Area(), Bar(0, 92));
  EXPECT_EQ(6, b.box.Value(0));
  QTest::mouseMove(b.Area(), Bar(0, 100));  // vetoed back to 6: OnSlide still tells
  QTest::mouseRelease(b.Area(), Qt::LeftButton, {}, Bar(0, 100));
  EXPECT_EQ(6, b.box.Value(0));
  EXPECT_EQ((std::vector<std::string>{"Change", "Click", "MouseDown", "MouseMove", "BeginSlide 0 0->6",
                                      "Slide 0 0->6", "MouseMove", "BeginSlide 0 6->6", "Slide 0 6->6",
                                      "MouseMove", "Click", "MouseUp"}),
            b.TakeLog());

  // Keys: a veto raises no OnSlide.
  QTest::keyClick(&b.box, Qt::Key_Right);
  EXPECT_EQ(6, b.box.Value(0));
  EXPECT_EQ((std::vector<std::string>{"KeyDown", "BeginSlide 0 6->6"}), b.TakeLog());
  QTest::keyClick(&b.box, Qt::Key_Left);
  EXPECT_EQ(5, b.box.Value(0));
  EXPECT_EQ((std::vector<std::string>{"KeyDown", "BeginSlide 0 6->5", "Slide 0 6->5"}), b.TakeLog());
}

// ---------------------------------------------------------------------------------------------------
// Keys and wheel

TEST(SliderListBoxKeys, arrowStepsAreFivePercentOrOne) {
  Box b(3);
  b.Focus();
  b.box.SetMax(0, 90);
  b.box.SetMax(1, 20);
  b.box.SetMax(2, 1000);
  for (const auto& [index, step] : {std::pair{0, 4}, std::pair{1, 1}, std::pair{2, 50}}) {
    b.box.SetItemIndex(index);
    QTest::keyClick(&b.box, Qt::Key_Right);
    EXPECT_EQ(step, b.box.Value(index)) << index;
    QTest::keyClick(&b.box, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&b.box, Qt::Key_Left);
    EXPECT_EQ(1, b.box.Value(index)) << index;
    EXPECT_EQ(index, b.box.ItemIndex());
  }
}

TEST(SliderListBoxKeys, boundsNoSelectionAndOwnerKeys) {
  Box b(2);
  b.Log();
  b.Focus();
  QTest::keyClick(&b.box, Qt::Key_Right);  // no selection: the list takes the key and selects
  EXPECT_EQ(0, b.box.ItemIndex());
  EXPECT_EQ(0, b.box.Value(0));
  EXPECT_EQ((std::vector<std::string>{"KeyDown", "Change", "Click"}), b.TakeLog());

  b.box.SetValue(0, 10);
  QTest::keyClick(&b.box, Qt::Key_Right);  // at Max: no event and the selection stays
  EXPECT_EQ(0, b.box.ItemIndex());
  EXPECT_EQ((std::vector<std::string>{"KeyDown"}), b.TakeLog());
  QTest::keyClick(&b.box, Qt::Key_Down);
  EXPECT_EQ(1, b.box.ItemIndex());

  b.box.OnKeyDown = [](TSliderListBox*, int& Key, Qt::KeyboardModifiers) { Key = 0; };
  QTest::keyClick(&b.box, Qt::Key_Right);
  QTest::keyClick(&b.box, Qt::Key_Up);
  EXPECT_EQ(0, b.box.Value(1));
  EXPECT_EQ(1, b.box.ItemIndex());
}

TEST(SliderListBoxKeys, spaceTogglesEvenWithoutCheckBoxes) {
  Box b(1);
  b.Log();
  b.Focus();
  b.box.SetItemIndex(0);
  const QImage before = b.Shot();
  QTest::keyClick(&b.box, Qt::Key_Space);
  EXPECT_TRUE(b.box.Checked(0));
  EXPECT_EQ((std::vector<std::string>{"KeyDown", "Change", "ClickCheckBox"}), b.TakeLog());
  EXPECT_EQ(before, b.Shot());
}

TEST(SliderListBoxKeys, wheelGoesToTheOwnerFirst) {
  Box b(10);
  b.box.resize(104, 3 * H);
  b.Show();
  bool handle = true;
  std::vector<int> deltas;
  b.box.OnMouseWheel = [&](TSliderListBox* Sender, Qt::KeyboardModifiers Shift, Qt::MouseButtons Buttons,
                           int Delta, QPoint, bool& Handled) {
    deltas.push_back(Delta);
    Handled = handle;
    if (!handle) return;
    // The main window's way: a wheel turn becomes an arrow key on the selected entry.
    int key = Delta > 0 ? Qt::Key_Right : Qt::Key_Left;
    Sender->KeyDown(key, Shift | (Buttons & Qt::RightButton ? Qt::ShiftModifier : Qt::NoModifier));
  };
  b.box.SetItemIndex(0);
  auto wheel = [&](int delta, Qt::MouseButtons buttons = Qt::NoButton) {
    QWheelEvent e(QPointF(50, 10), b.Area()->mapToGlobal(QPointF(50, 10)), QPoint(), QPoint(0, delta),
                  buttons, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(b.Area(), &e);
  };
  wheel(120);
  wheel(240, Qt::RightButton);
  EXPECT_EQ(2, b.box.Value(0));
  EXPECT_EQ(0, b.box.TopIndex());
  handle = false;
  wheel(-120);
  EXPECT_GT(b.box.TopIndex(), 0);  // unhandled: the list scrolls
  EXPECT_EQ((std::vector{120, 240, -120}), deltas);
}

}  // namespace
}  // namespace gw
