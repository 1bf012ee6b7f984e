#include "compare/take_values.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace gw {

namespace {

using L = TSetupList;

void TakeGear(TSetupControls& controls, int32_t dropGearId) {
  for (std::size_t b = 0; b < std::size(kDropGearIds); ++b)
    controls.SetGearChecked(static_cast<TGearButton>(b), kDropGearIds[b] == dropGearId);
}

void TakeSlider(TSliderList& list, const TCompareParameter& p, int32_t position, bool tyreLink) {
  if (p.Item >= list.Count()) return;
  list.SetValue(p.Item, position);
  if (p.List != L::Tyre || !tyreLink) return;
  const int32_t value = list.Value(p.Item);  // clamped
  for (int32_t i = 0; i < list.Count(); ++i)
    if (i != p.Item) list.SetValue(i, value);
}

void TakeVelocities(TSliderList& list, const std::map<int32_t, int32_t>& points) {
  const int32_t count = list.Count();
  std::vector<std::optional<int32_t>> current(static_cast<std::size_t>(count));
  std::vector<std::optional<int32_t>> taken(static_cast<std::size_t>(count));
  for (int32_t p = 0; p < count; ++p) {
    int32_t kmh = 0;
    if (KmhFromCaption(list.Caption(p), kmh)) current[static_cast<std::size_t>(p)] = kmh;
  }
  for (const auto& [point, kmh] : points)
    if (point < count) taken[static_cast<std::size_t>(point)] = kmh;
  const auto placed = OrderTakenVelocities(current, taken);
  for (int32_t p = 0; p < count; ++p)
    if (taken[static_cast<std::size_t>(p)])
      list.SetCaption(p, KmhCaption(*placed[static_cast<std::size_t>(p)]));
}

}  // namespace

std::vector<std::optional<int32_t>> OrderTakenVelocities(std::span<const std::optional<int32_t>> current,
                                                         std::span<const std::optional<int32_t>> taken) {
  const std::size_t count = current.size();
  std::vector<std::optional<int32_t>> axis(current.begin(), current.end());
  for (std::size_t p = 0; p < count && p < taken.size(); ++p) {
    if (!taken[p]) continue;
    int32_t v = *taken[p];
    const std::optional<int32_t> lower = p == 0 ? std::optional<int32_t>(0) : axis[p - 1];
    std::optional<int32_t> upper;
    for (std::size_t n = p + 1; n < count; ++n)
      if (n >= taken.size() || !taken[n]) {
        upper = axis[n];
        break;
      }
    if (lower && v < *lower)
      v = *lower;
    else if (upper && v > *upper)
      v = *upper;
    axis[p] = v;
  }
  return axis;
}

void ApplyTakenValues(TSetupControls& controls, std::span<const TTakenValue> values, bool tyreLink) {
  const auto parameters = CompareParameters();
  // Sliders and gear in parameter order; velocities collected per axis, placed together.
  std::map<L, std::map<int32_t, int32_t>> velocities;
  std::map<L, std::vector<TTakenValue>> sliders;
  for (const TTakenValue& v : values) {
    if (v.Parameter >= parameters.size()) continue;
    const TCompareParameter& p = parameters[v.Parameter];
    switch (p.Kind) {
      case TCompareKind::Gear:
        TakeGear(controls, v.Position);
        break;
      case TCompareKind::Velocity:
        velocities[p.List][p.Item] = v.Position;
        break;
      case TCompareKind::Slider:
        sliders[p.List].push_back(v);
        break;
    }
  }
  for (auto& [list, taken] : sliders) {
    TSliderList& sliderList = controls.SliderList(list);
    TUpdateBatch batch(sliderList);
    std::stable_sort(taken.begin(), taken.end(),
                     [](const TTakenValue& a, const TTakenValue& b) { return a.Parameter < b.Parameter; });
    for (const TTakenValue& v : taken) TakeSlider(sliderList, parameters[v.Parameter], v.Position, tyreLink);
  }
  for (const auto& [list, points] : velocities) {
    TSliderList& sliderList = controls.SliderList(list);
    TUpdateBatch batch(sliderList);
    TakeVelocities(sliderList, points);
  }
}

}  // namespace gw
