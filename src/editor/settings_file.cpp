#include "editor/settings_file.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "platform/paths.h"

namespace gw {

std::string SettingsFilePath(const std::string& executablePath) {
  return ChangeFileExt(executablePath, ".ini");
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

THistorySettings ReadHistorySettings(const ProfileIni& ini) {
  THistorySettings s;
  s.confirmDiscard = ini.ReadInteger(kSectionCommon, kKeyConfirmDiscard, 1) != 0;
  s.historyDepth = ini.ReadInteger(kSectionCommon, kKeyHistoryDepth, s.historyDepth);
  // A negative depth is no depth; a huge one would only fill the disk.
  s.historyDepth = std::clamp(s.historyDepth, 0, 10000);
  return s;
}

void WriteHistorySettings(ProfileIni& ini, const THistorySettings& s) {
  ini.WriteString(kSectionCommon, kKeyConfirmDiscard, s.confirmDiscard ? "1" : "0");
  ini.WriteInteger(kSectionCommon, kKeyHistoryDepth, s.historyDepth);
}

std::vector<std::string> ReadComment(const ProfileIni& ini, const std::string& setupFileName) {
  return SplitCommaText(ini.ReadString(kSectionComment, ExtractBaseName(setupFileName), ""));
}

void WriteComment(ProfileIni& ini, const std::string& setupFileName, const std::vector<std::string>& lines) {
  ini.WriteString(kSectionComment, ExtractBaseName(setupFileName), JoinCommaText(lines));
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
