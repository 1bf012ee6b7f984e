#pragma once
// The dialog that edits a speed map's velocity axis: one velocity per map point, in steps of 2 km/h, kept in
// order by the user's moves.

#include <QDialog>

namespace gw {

class TSliderListBox;

class TFormVelocity final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormVelocity(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(TFormVelocity)

  TSliderListBox* SliderListBoxVelocity = nullptr;

  // The velocity of a position: twice its value.
  static constexpr int kMaxPosition = 126;

 private:
  void SliderListBoxVelocityBeginSlide(int index, int32_t& newValue) const;
};

}  // namespace gw
