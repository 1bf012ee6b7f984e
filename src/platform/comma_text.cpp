#include "platform/comma_text.h"

namespace gw {

namespace {

// Bytes compare unsigned: 8-bit letters are never separators.
constexpr bool IsSeparator(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

constexpr bool EndsBareField(char c) {
  return static_cast<unsigned char>(c) <= 32 || c == ',';
}

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

std::string JoinCommaText(const std::vector<std::string>& fields) {
  if (fields.size() == 1 && fields.front().empty()) return "\"\"";
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text.push_back(',');
    AppendCommaField(text, fields[i]);
  }
  return text;
}

}  // namespace gw
