#include "widgets/slider_items_text.h"

#include "platform/error.h"
#include "platform/number_text.h"

namespace gw {

std::string WriteSliderEntry(std::string_view caption, const TSliderListBoxDataWrapper& r) {
  std::string line;
  AppendCommaField(line, caption);
  for (const int64_t v : {int64_t{r.Min}, int64_t{r.Max}, int64_t{r.Value}, int64_t{r.Checked() ? 1 : 0},
                          int64_t{r.Enabled ? 1 : 0}}) {
    line.push_back(',');
    line += FormatInt(v);
  }
  return line;
}

const std::string& CommaField(const std::vector<std::string>& fields, std::size_t i) {
  if (i >= fields.size())
    throw Error("List index out of bounds (" + FormatInt(static_cast<int64_t>(i)) + ")");
  return fields[i];
}

namespace {

int32_t IntField(const std::vector<std::string>& fields, std::size_t i) {
  const std::string& text = CommaField(fields, i);
  int32_t v = 0;
  if (!TryStrToInt(text, v)) throw Error("'" + text + "' is not a valid integer value");
  return v;
}

}  // namespace

void ReadSliderEntryFields(const std::vector<std::string>& fields, TSliderListBoxDataWrapper& r) {
  r.SetMin(IntField(fields, 1));
  r.SetMax(IntField(fields, 2));
  r.SetValue(IntField(fields, 3));
  r.SetChecked(IntField(fields, 4) != 0);
  r.Enabled = IntField(fields, 5) != 0;
}

}  // namespace gw
