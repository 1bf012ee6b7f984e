// The gallery: every style combination of the slider list box rendered into PNG files under gallery/
// (beside the test program), for a person to look at. The test checks only that each picture was made.

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTest>
#include <functional>
#include <memory>

#include "ui_test_app.h"
#include "widgets/slider_list_box.h"

namespace gw {
namespace {

constexpr int kCellWidth = 300;
constexpr int kLabel = 16;

void FillEntries(TSliderListBox& box) {
  box.States().ReadItems({"\"Unchecked 0\",0,10,0,0,1", "\"Checked 3\",0,10,3,1,1",
                          "\"Grayed & 7\",0,10,7,0,1", "\"Disabled 10\",0,10,10,0,0"});
  box.SetState(2, TCheckBoxState::cbGrayed);
  box.SetItemIndex(1);
  box.resize(kCellWidth, box.Count() * box.ItemHeight() + 2 * box.frameWidth());
}

// Renders one control per cell, rows by columns, each configured by its callback.
class Sheet {
 public:
  Sheet(int columns, int rows, int cellHeight)
      : cellHeight_(cellHeight),
        image_((kCellWidth + 8) * columns + 8, (cellHeight + kLabel + 8) * rows + 8, QImage::Format_RGB32) {
    image_.fill(Qt::lightGray);
    window_.resize(kCellWidth + 20, cellHeight + 20);
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  void Cell(int column, int row, const QString& label, const std::function<void(TSliderListBox&)>& configure,
            bool focus = false) {
    auto box = std::make_unique<TSliderListBox>(&window_);
    box->move(10, 10);
    box->show();
    configure(*box);
    if (focus) box->setFocus();
    QCoreApplication::processEvents();
    const int x = 8 + column * (kCellWidth + 8), y = 8 + row * (cellHeight_ + kLabel + 8);
    QPainter p(&image_);
    p.drawText(QRect(x, y, kCellWidth, kLabel), Qt::AlignLeft | Qt::AlignVCenter, label);
    p.drawPixmap(x, y + kLabel, box->grab());
  }

  bool Save(const QString& name) {
    QDir().mkpath(QStringLiteral("gallery"));
    return image_.save(QStringLiteral("gallery/") + name);
  }

 private:
  QWidget window_;
  int cellHeight_;
  QImage image_;
};

const char* const kSliderStyles[] = {"ssNormal", "ssButton", "ssLine", "ssThumb", "ssCustom"};
const char* const kSelectedStyles[] = {"ssFocus", "ssFrame", "ssDblFrame", "ssSolid", "ssClear"};
const char* const kCounterStyles[] = {"csInteger", "csHex", "csPercent", "csCustom"};

TEST(SliderListBoxGallery, slidersChecksAndLayouts) {
  Sheet sheet(6, 10, 4 * 24 + 4);
  for (int style = 0; style < 5; ++style)
    for (int colour = 0; colour < 2; ++colour)
      for (int wide = 0; wide < 2; ++wide)
        for (int check = 0; check < 3; ++check) {
          const QString label = QStringLiteral("%1 %2 %3 %4")
                                    .arg(QLatin1String(kSliderStyles[style]),
                                         colour ? "csTemperature" : "csNormal", wide ? "Wide" : "two-line",
                                         check == 0   ? "no check"
                                         : check == 1 ? "check"
                                                      : "check Flat");
          sheet.Cell(wide * 3 + check, style * 2 + colour, label, [&](TSliderListBox& box) {
            box.SetSliderStyle(static_cast<TSliderStyle>(style));
            box.SetSliderColorStyle(static_cast<TSliderColorStyle>(colour));
            box.SetWide(wide == 1);
            box.SetTextWidth(100);
            box.SetValueWidth(40);
            box.SetCheckBox(check > 0);
            box.SetFlat(check == 2);
            FillEntries(box);
          });
        }
  EXPECT_TRUE(sheet.Save(QStringLiteral("sliders.png")));
}

TEST(SliderListBoxGallery, countersAndCustomTexts) {
  Sheet sheet(2, 7, 4 * 24 + 4);
  struct Custom {
    const char* label;
    uint32_t flags;
  };
  const Custom customs[] = {{"csCustom 2053", 2053},
                            {"csCustom 41 (&& is a mnemonic)", 41},
                            {"csCustom 2085", 2085},
                            {"csCustom 0 (top left, two lines)", 0}};
  for (int wide = 0; wide < 2; ++wide) {
    for (int counter = 0; counter < 3; ++counter)
      sheet.Cell(wide, counter, QLatin1String(kCounterStyles[counter]) + (wide ? " Wide" : " two-line"),
                 [&](TSliderListBox& box) {
                   box.SetCounterStyle(static_cast<TCounterStyle>(counter));
                   box.SetWide(wide == 1);
                   box.SetTextWidth(100);
                   box.SetValueWidth(70);
                   FillEntries(box);
                   box.SetMin(0, -200);
                   box.SetValue(0, -200);
                   box.SetCaption(3, QStringLiteral("A long caption that runs under the value text"));
                 });
    for (int i = 0; i < 4; ++i) {
      if (i == 3 && wide == 0) continue;
      sheet.Cell(wide, 3 + i, QLatin1String(customs[i].label) + (wide ? " Wide" : " two-line"),
                 [&](TSliderListBox& box) {
                   box.SetCounterStyle(TCounterStyle::csCustom);
                   box.SetSliderStyle(TSliderStyle::ssLine);
                   box.SetCheckBox(false);
                   box.SetWide(wide == 1);
                   box.SetTextWidth(100);
                   box.SetValueWidth(70);
                   const uint32_t flags = customs[i].flags;
                   box.OnSliderCustomValue = [flags](TSliderListBox* Sender, int Index, QString& S,
                                                     uint32_t& F) {
                     S = QStringLiteral("%1 k&&Pa").arg(Sender->States().Items(Index).Value() * 10);
                     if (flags == 0) S += QStringLiteral("\nline 2");
                     F = flags;
                   };
                   FillEntries(box);
                 });
    }
  }
  EXPECT_TRUE(sheet.Save(QStringLiteral("counters.png")));
}

TEST(SliderListBoxGallery, focusAndSelectionMarks) {
  Sheet sheet(5, 10, 2 * 24 + 4);
  for (int focused = 0; focused < 5; ++focused)
    for (int selected = 0; selected < 5; ++selected)
      for (int hasFocus = 0; hasFocus < 2; ++hasFocus)
        sheet.Cell(
            focused, selected * 2 + hasFocus,
            QStringLiteral("F %1 / S %2 %3")
                .arg(QLatin1String(kSelectedStyles[focused]), QLatin1String(kSelectedStyles[selected]),
                     hasFocus ? "focused" : "unfocused"),
            [&](TSliderListBox& box) {
              box.SetFocusedStyle(static_cast<TSliderSelectedStyle>(focused));
              box.SetSelectedStyle(static_cast<TSliderSelectedStyle>(selected));
              box.SetSelectedColor(TColor::Rgb(0xC0, 0x30, 0x30));
              box.SetSliderStyle(TSliderStyle::ssLine);
              box.States().ReadItems({"Selected,0,10,4,0,1", "Other,0,10,6,1,1"});
              box.SetItemIndex(0);
              box.resize(kCellWidth, 48 + 2 * box.frameWidth());
            },
            hasFocus == 1);
  EXPECT_TRUE(sheet.Save(QStringLiteral("marks.png")));
}

}  // namespace
}  // namespace gw
