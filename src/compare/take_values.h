#pragma once
// Taking values of another setup into the open one: the chosen positions go into the editor's controls,
// keeping the rules the controls keep when the player moves them. Nothing is written to any file.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "compare/comparison.h"

namespace gw {

// A position for one parameter (an index into CompareParameters()).
struct TTakenValue {
  std::size_t Parameter = 0;
  int32_t Position = 0;

  bool operator==(const TTakenValue&) const = default;
};

// Sets the controls to the taken positions, each list repainted once:
// - sliders are clamped into their ranges as any slider value is;
// - with the tyre link on, a taken tyre pressure moves all four tyres, as a slide of that tyre would (taken
//   tyres are applied in parameter order, so the last one wins);
// - a gear set checks its button, an id no button stands for unchecks all three, as loading it would;
// - velocities stay in order: taken points are placed in point order, each no lower than the point before
//   it and no higher than the next point that is not taken (the velocity dialog's rule).
void ApplyTakenValues(TSetupControls& controls, std::span<const TTakenValue> values, bool tyreLink);

// The velocities of an axis after taking some of its points: `current` is what the axis holds (a point
// without a readable velocity is unknown and bounds nothing), `taken` the new value of each taken point.
std::vector<std::optional<int32_t>> OrderTakenVelocities(std::span<const std::optional<int32_t>> current,
                                                         std::span<const std::optional<int32_t>> taken);

}  // namespace gw
