#pragma once
// The program's own settings file: an ini file beside the executable (or, where the program may not write,
// in the per-user configuration folder) with the main window's settings and one comment per save-slot
// setup file, stored as comma text.

#include <string>
#include <string_view>
#include <vector>

#include "platform/comma_text.h"  // a comment's lines are stored as one comma text
#include "platform/profile_ini.h"

namespace gw {

inline constexpr std::string_view kSectionCommon = "COMMON";
inline constexpr std::string_view kSectionComment = "COMMENT";
inline constexpr std::string_view kKeyLeft = "Left";
inline constexpr std::string_view kKeyTop = "Top";
inline constexpr std::string_view kKeyConfirmSave = "ConfirmSave";
inline constexpr std::string_view kKeyRunTOV = "RunTOV";
inline constexpr std::string_view kKeyConfirmDiscard = "ConfirmDiscard";
inline constexpr std::string_view kKeyHistoryDepth = "HistoryDepth";
inline constexpr std::string_view kKeyTheme = "Theme";  // Light, Dark or System (the default)
inline constexpr std::string_view kKeyZoom = "Zoom";    // View > Zoom in percent, 100 to 200
inline constexpr std::string_view kSectionCompare = "COMPARE";
inline constexpr std::string_view kKeyWidth = "Width";
inline constexpr std::string_view kKeyHeight = "Height";

// The settings file of a program: its path with the extension ".ini".
std::string SettingsFilePath(const std::string& executablePath);

// The settings file's name in the per-user configuration folder.
inline constexpr std::string_view kUserSettingsFileName = "gravelwright.ini";

// Where the running program keeps its settings: SettingsFilePath when that file exists or the program's
// folder is writable (portable), else kUserSettingsFileName in UserConfigFolder(), created when missing.
std::string SettingsFileLocation(const std::string& executablePath);

struct TMainSettings {
  int left = -1;  // -1: where the system places the window
  int top = -1;
  bool confirmSave = true;
  int runTOV = 0;  // 0 Default, 1 SSE, 2 NoSSE
};

TMainSettings ReadMainSettings(const ProfileIni& ini);
// Writes "Left", "Top", "ConfirmSave" and "RunTOV" in that order.
void WriteMainSettings(ProfileIni& ini, const TMainSettings& settings);

// Unsaved changes and the version history: whether loading another file asks about unsaved changes first,
// and how many versions of each file are kept (0: none).
struct THistorySettings {
  bool confirmDiscard = true;
  int historyDepth = 30;
};
THistorySettings ReadHistorySettings(const ProfileIni& ini);
// Writes "ConfirmDiscard" and "HistoryDepth" in that order.
void WriteHistorySettings(ProfileIni& ini, const THistorySettings& settings);

// The compare window's size in pixels; -1 until the window was first closed.
struct TCompareSettings {
  int width = -1;
  int height = -1;
};
TCompareSettings ReadCompareSettings(const ProfileIni& ini);
void WriteCompareSettings(ProfileIni& ini, const TCompareSettings& settings);

// The key of a setup file's comment: its name without folder and extension. A name that cannot be a key as
// it is (one holding "=" or a line break) is stored escaped: "%", then the name with "=", "%", CR and LF
// written as "%" and two hex digits ("0slot0_a=b" becomes "%0slot0_a%3Db").
std::string CommentKey(const std::string& setupFileName);

// The comment of a setup file, under its CommentKey.
std::vector<std::string> ReadComment(const ProfileIni& ini, const std::string& setupFileName);
void WriteComment(ProfileIni& ini, const std::string& setupFileName, const std::vector<std::string>& lines);

// A comment box's text as lines (a final line break adds no empty last line), and lines as its text.
std::vector<std::string> CommentTextToLines(std::string_view text);
std::string LinesToCommentText(const std::vector<std::string>& lines);

}  // namespace gw
