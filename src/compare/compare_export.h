#pragma once
// A comparison written out: tab-separated text to paste into a forum post, and CSV for a spreadsheet.
// Both hold the rows the window shows (with "Differences only" just the rows that differ) and the texts of
// its cells.

#include <string>
#include <vector>

#include "compare/comparison.h"

namespace gw {

struct TCompareExport {
  std::vector<std::string> Headers;  // one per setup, in column order
  bool DifferencesOnly = false;
};

// A header line ("Parameter", then the setups), then for each group that has rows its title on a line of
// its own followed by one line per parameter. Lines end with "\n".
std::string ComparisonText(const TComparison& comparison, const TCompareExport& how);

// "Group,Parameter" and the setups, then one record per parameter. Fields holding a comma, a quote or a
// line break are quoted, quotes doubled; records end with CR LF.
std::string ComparisonCsv(const TComparison& comparison, const TCompareExport& how);

}  // namespace gw
