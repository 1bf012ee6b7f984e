#include "history/setup_positions.h"

#include <algorithm>

namespace gw {

void TPositionList::SetValue(int32_t i, int32_t value) {
  Entry& e = Entries[static_cast<std::size_t>(i)];
  e.Value = std::clamp(value, e.Min, std::max(e.Min, e.Max));
}

TSetupPositions::TSetupPositions() {
  for (const TCatalogueRow& row : CatalogueRows())
    Lists[static_cast<std::size_t>(row.List)].Entries.push_back(
        {std::string(row.Caption), row.Min, row.Max, row.First});
}

bool ReadSetupPositions(const std::string& path, TSetupPositions& positions) {
  try {
    TTOVCarSetup setup;
    setup.LoadFromFile(path);
    SetupToSliders(setup, positions);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

int CountChangedParameters(const TSetupPositions& a, const TSetupPositions& b) {
  int changed = 0;
  for (std::size_t l = 0; l < a.Lists.size(); ++l) {
    const auto& x = a.Lists[l].Entries;
    const auto& y = b.Lists[l].Entries;
    for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i)
      changed += (x[i].Value != y[i].Value) + (x[i].Caption != y[i].Caption);
  }
  if (a.Gear != b.Gear) ++changed;
  return changed;
}

}  // namespace gw
