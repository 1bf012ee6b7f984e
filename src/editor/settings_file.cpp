#include "editor/settings_file.h"

#include "platform/ascii_text.h"
#include "platform/own_files.h"
#include "platform/paths.h"
#include "platform/user_folders.h"

namespace gw {

std::string SettingsFilePath(const std::string& executablePath) {
  return ChangeFileExt(executablePath, ".ini");
}

std::string SettingsFileLocation(const std::string& executablePath) {
  return OwnFilePath(SettingsFilePath(executablePath), UserConfigFolder(), kUserSettingsFileName);
}

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

TCompareSettings ReadCompareSettings(const ProfileIni& ini) {
  TCompareSettings s;
  s.width = ini.ReadInteger(kSectionCompare, kKeyWidth, -1);
  s.height = ini.ReadInteger(kSectionCompare, kKeyHeight, -1);
  if (s.width <= 0 || s.height <= 0) s = TCompareSettings();  // a size only counts whole
  return s;
}

void WriteCompareSettings(ProfileIni& ini, const TCompareSettings& s) {
  ini.WriteInteger(kSectionCompare, kKeyWidth, s.width);
  ini.WriteInteger(kSectionCompare, kKeyHeight, s.height);
}

std::string CommentKey(const std::string& setupFileName) {
  const std::string name = ExtractBaseName(setupFileName);
  if (name.find_first_of("=\r\n") == std::string::npos) return name;
  // Slot-file names start with a digit, so a key starting with "%" is never one of them unescaped.
  std::string key = "%";
  for (char c : name) {
    if (c == '=' || c == '%' || c == '\r' || c == '\n') {
      constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      key += {'%', kHex[byte >> 4], kHex[byte & 15]};
    } else {
      key.push_back(c);
    }
  }
  return key;
}

std::vector<std::string> ReadComment(const ProfileIni& ini, const std::string& setupFileName) {
  return SplitCommaText(ini.ReadString(kSectionComment, CommentKey(setupFileName), ""));
}

void WriteComment(ProfileIni& ini, const std::string& setupFileName, const std::vector<std::string>& lines) {
  ini.WriteString(kSectionComment, CommentKey(setupFileName), JoinCommaText(lines));
}

std::vector<std::string> CommentTextToLines(std::string_view text) {
  return SplitLines(text);
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
