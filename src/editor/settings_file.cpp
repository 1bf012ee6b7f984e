#include "editor/settings_file.h"

#include "platform/paths.h"

namespace gw {

std::string SettingsFilePath(const std::string& executablePath) { return ChangeFileExt(executablePath, ".ini"); }

TMainSettings ReadMainSettings(const ProfileIni& ini) {
  TMainSettings s;
  s.left = ini.ReadInteger(kSectionCommon, kKeyLeft, -1);
  s.top = ini.ReadInteger(kSectionCommon, kKeyTop, -1);
  s.confirmSave = ini.ReadInteger(kSectionCommon, kKeyConfirmSave, 1) != 0;
  s.runTOV = ini.ReadInteger(kSectionCommon, kKeyRunTOV, 0);
  if (s.runTOV < 0 || s.runTOV > 2) s.runTOV = 0;
  return s;
}

void WriteMainSettings(ProfileIni& ini, const TMainSettings& s) {
  ini.WriteInteger(kSectionCommon, kKeyLeft, s.left);
  ini.WriteInteger(kSectionCommon, kKeyTop, s.top);
  ini.WriteString(kSectionCommon, kKeyConfirmSave, s.confirmSave ? "1" : "0");
  ini.WriteInteger(kSectionCommon, kKeyRunTOV, s.runTOV);
}

namespace {

// Characters 1..32: what the comma text skips between items. A NUL never occurs inside a value.
bool IsSkipped(char c) { return c != '\0' && static_cast<unsigned char>(c) <= 32; }

bool NeedsQuotes(std::string_view line) {
  for (char c : line) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 1 && u <= 32) || c == '"' || c == ',') return true;
  }
  return false;
}

}  // namespace

// Bytes of a double-byte code page's characters never fall on a quote, a comma or a control character, so
// walking byte by byte steps over them whole.
std::string JoinCommaText(const std::vector<std::string>& lines) {
  if (lines.size() == 1 && lines.front().empty()) return "\"\"";
  std::string value;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) value.push_back(',');
    const std::string& line = lines[i];
    if (!NeedsQuotes(line)) {
      value += line;
      continue;
    }
    value.push_back('"');
    for (char c : line) {
      if (c == '"') value.push_back('"');
      value.push_back(c);
    }
    value.push_back('"');
  }
  return value;
}

std::vector<std::string> SplitCommaText(std::string_view value) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  const std::size_t n = value.size();
  while (p < n && IsSkipped(value[p])) ++p;
  while (p < n) {
    std::string item;
    if (value[p] == '"') {
      ++p;
      while (p < n) {
        if (value[p] == '"') {
          if (p + 1 < n && value[p + 1] == '"') {
            item.push_back('"');
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item.push_back(value[p++]);
      }
    } else {
      const std::size_t start = p;
      while (p < n && static_cast<unsigned char>(value[p]) > 32 && value[p] != ',') ++p;
      item.assign(value.substr(start, p - start));
    }
    lines.push_back(std::move(item));
    while (p < n && IsSkipped(value[p])) ++p;
    if (p < n && value[p] == ',') {
      if (p + 1 == n) lines.emplace_back();
      ++p;
      while (p < n && IsSkipped(value[p])) ++p;
    }
  }
  return lines;
}

std::vector<std::string> ReadComment(const ProfileIni& ini, const std::string& setupFileName) {
  return SplitCommaText(ini.ReadString(kSectionComment, ExtractBaseName(setupFileName), ""));
}

void WriteComment(ProfileIni& ini, const std::string& setupFileName, const std::vector<std::string>& lines) {
  ini.WriteString(kSectionComment, ExtractBaseName(setupFileName), JoinCommaText(lines));
}

std::vector<std::string> CommentTextToLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    lines.emplace_back(text.substr(pos, end - pos));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    pos = end + 1;
  }
  return lines;
}

std::string LinesToCommentText(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text.push_back('\n');
  }
  return text;
}

}  // namespace gw
