#include "compare/compare_export.h"

#include <string_view>

namespace gw {

namespace {

bool Shown(const TCompareRow& row, const TCompareExport& how) {
  return row.Differs || !how.DifferencesOnly;
}

std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  return quoted + '"';
}

}  // namespace

std::string ComparisonText(const TComparison& comparison, const TCompareExport& how) {
  std::string text = "Parameter";
  for (const std::string& header : how.Headers) text += '\t' + header;
  text += '\n';
  const auto parameters = CompareParameters();
  int32_t group = -1;
  for (const TCompareRow& row : comparison.Rows) {
    if (!Shown(row, how)) continue;
    const TCompareParameter& p = parameters[row.Parameter];
    if (p.Group != group) {
      group = p.Group;
      text += CompareGroups()[static_cast<std::size_t>(group)].Title + '\n';
    }
    text += p.Caption;
    for (const TCompareCell& cell : row.Cells) text += '\t' + cell.Text;
    text += '\n';
  }
  return text;
}

std::string ComparisonCsv(const TComparison& comparison, const TCompareExport& how) {
  std::string csv = "Group,Parameter";
  for (const std::string& header : how.Headers) csv += ',' + CsvField(header);
  csv += "\r\n";
  const auto parameters = CompareParameters();
  for (const TCompareRow& row : comparison.Rows) {
    if (!Shown(row, how)) continue;
    const TCompareParameter& p = parameters[row.Parameter];
    csv += CsvField(CompareGroups()[static_cast<std::size_t>(p.Group)].Title) + ',' + CsvField(p.Caption);
    for (const TCompareCell& cell : row.Cells) csv += ',' + CsvField(cell.Text);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace gw
