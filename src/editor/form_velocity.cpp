#include "editor/form_velocity.h"

#include <QPushButton>

#include "editor/catalogue.h"
#include "editor/form_slider_list.h"
#include "editor/value_text.h"
#include "platform/local_text.h"
#include "widgets/dialog_parts.h"
#include "widgets/slider_list_box.h"

namespace gw {

TFormVelocity::TFormVelocity(QWidget* parent) : QDialog(parent) {
  InitToolDialog(*this, "FormVelocity", QStringLiteral("Edit velocity"));
  const int ppi = logicalDpiX();
  const TDialogScale px(*this);

  SliderListBoxVelocity = new TSliderListBox(this);
  SliderListBoxVelocity->setObjectName(QStringLiteral("SliderListBoxVelocity"));
  SliderListBoxVelocity->setGeometry(px(8), px(8), px(233), px(11 * 16 + 4));
  ApplyEditorListSettings(*SliderListBoxVelocity);  // the same line tracks as the main window's lists
  SliderListBoxVelocity->SetTextWidth(static_cast<uint32_t>(PpiWidth(0.2, ppi)));
  SliderListBoxVelocity->SetValueWidth(static_cast<uint32_t>(PpiWidth(0.6, ppi)));
  for (int p = 0; p < kMapPointCount; ++p) {
    SliderListBoxVelocity->AddItem(QString::number(p));
    SliderListBoxVelocity->SetMax(p, kMaxPosition);
  }
  FitSliderList(*SliderListBoxVelocity);

  SliderListBoxVelocity->OnSliderCustomValue = [this](TSliderListBox*, int index, QString& s, uint32_t& f) {
    s = ToQ(KmhCaption(Velocity(index)));
    f = kValueTop;
  };
  SliderListBoxVelocity->OnBeginSlide = [this](TSliderListBox*, int index, int32_t, int32_t& newValue) {
    SliderListBoxVelocityBeginSlide(index, newValue);
  };
  // Every wheel notch is one 2 km/h step.
  SliderListBoxVelocity->OnMouseWheel = [](TSliderListBox* sender, Qt::KeyboardModifiers shift,
                                           Qt::MouseButtons buttons, int delta, QPoint, bool& handled) {
    SliderListWheel(*sender, shift, buttons, delta, true);
    handled = true;
  };
  SliderListBoxVelocity->OnMouseMove = [](TSliderListBox* sender, Qt::KeyboardModifiers, int x, int y) {
    SliderListHover(*sender, x, y);
  };

  const int buttonsTop = SliderListBoxVelocity->geometry().bottom() + px(10);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ButtonOk"));
  ok->setDefault(true);
  ok->setGeometry(px(86), buttonsTop, px(75), px(25));
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("ButtonCancel"));
  cancel->setGeometry(px(166), buttonsTop, px(75), px(25));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);  // Escape rejects a dialog as well
  setFixedSize(px(249), buttonsTop + px(25) + px(8));
}

void TFormVelocity::SetVelocities(const std::vector<int32_t>& kmh) {
  openedKmh_ = kmh;
  openedPosition_.clear();
  for (std::size_t p = 0; p < kmh.size() && static_cast<int>(p) < SliderListBoxVelocity->Count(); ++p) {
    SliderListBoxVelocity->SetValue(static_cast<int>(p), kmh[p] / 2);
    openedPosition_.push_back(SliderListBoxVelocity->Value(static_cast<int>(p)));  // as the slider holds it
  }
  SliderListBoxVelocity->update();
}

std::vector<int32_t> TFormVelocity::Velocities() const {
  std::vector<int32_t> kmh;
  for (int p = 0; p < SliderListBoxVelocity->Count(); ++p) kmh.push_back(Velocity(p));
  return kmh;
}

int32_t TFormVelocity::Velocity(int index) const {
  const int32_t position = SliderListBoxVelocity->Value(index);
  const auto i = static_cast<std::size_t>(index);
  if (i < openedPosition_.size() && position == openedPosition_[i]) return openedKmh_[i];
  return position * 2;
}

void TFormVelocity::SliderListBoxVelocityBeginSlide(int index, int32_t& newValue) const {
  const int32_t lower = index > 0 ? SliderListBoxVelocity->Value(index - 1) : 0;
  const int32_t upper =
      index + 1 < SliderListBoxVelocity->Count() ? SliderListBoxVelocity->Value(index + 1) : kMaxPosition;
  if (newValue < lower)
    newValue = lower;
  else if (newValue > upper)
    newValue = upper;
}

}  // namespace gw
