#pragma once
// The dialog that edits a speed map's velocity axis: one velocity per map point, in steps of 2 km/h, kept in
// order by the user's moves.

#include <QDialog>
#include <cstdint>
#include <vector>

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

  // Opens at these velocities (km/h). A point the player does not move keeps its velocity exactly, odd
  // or beyond the slider's reach; a moved point takes twice its position.
  void SetVelocities(const std::vector<int32_t>& kmh);
  std::vector<int32_t> Velocities() const;

 private:
  void SliderListBoxVelocityBeginSlide(int index, int32_t& newValue) const;
  int32_t Velocity(int index) const;

  std::vector<int32_t> openedKmh_, openedPosition_;
};

}  // namespace gw
