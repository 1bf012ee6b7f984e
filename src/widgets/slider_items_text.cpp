#include "widgets/slider_items_text.h"

#include "platform/error.h"
#include "platform/number_text.h"

namespace gw {

namespace {

// Bytes compare unsigned: 8-bit letters are never separators.
constexpr bool IsSeparator(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

constexpr bool EndsBareField(char c) { return static_cast<unsigned char>(c) <= 32 || c == ','; }

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
  // Everything after a character 0 is ignored, as the form's text always was.
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::string> fields;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsSeparator(text[i])) ++i;
  while (i < n) {
    std::string field;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            field.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field.push_back(text[i++]);
      }
    } else {
      const std::size_t start = i;
      while (i < n && !EndsBareField(text[i])) ++i;
      field.assign(text.substr(start, i - start));
    }
    fields.push_back(std::move(field));
    while (i < n && IsSeparator(text[i])) ++i;
    if (i < n && text[i] == ',') {
      if (i + 1 == n) fields.emplace_back();
      ++i;
      while (i < n && IsSeparator(text[i])) ++i;
    }
  }
  return fields;
}

void AppendCommaField(std::string& text, std::string_view field) {
  bool quote = false;
  for (const char c : field) quote = quote || static_cast<unsigned char>(c) <= 32 || c == '"' || c == ',';
  if (!quote) {
    text.append(field);
    return;
  }
  text.push_back('"');
  for (const char c : field) {
    if (c == '"') text.push_back('"');
    text.push_back(c);
  }
  text.push_back('"');
}

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
  if (i >= fields.size()) throw Error("List index out of bounds (" + FormatInt(static_cast<int64_t>(i)) + ")");
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
