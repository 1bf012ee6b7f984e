#pragma once
// The game's own options that the editor lets the player change, in the game's two ini files, and the
// executable of each run variant.

#include <array>
#include <string>
#include <string_view>

#include "platform/profile_ini.h"

namespace gw {

inline constexpr std::string_view kGameOptionsFile = "\\TovenRally.ini";
inline constexpr std::string_view kGameInputFile = "\\input.ini";
inline constexpr std::string_view kGameOptionsSection = "Settings";

// Index 0 "&Default", 1 "&SSE", 2 "&NoSSE".
inline constexpr std::array<std::string_view, 3> kRunVariantExecutables = {
    "TovenRally.exe", "TovenRally_SSE.exe", "TovenRally_NoSSE.exe"};

// One on/off option: its check box, caption, file, key and the value a missing or empty key gives.
struct TGameFlag {
  std::string_view control;
  std::string_view caption;
  std::string_view file;
  std::string_view key;
  bool defaultValue;
};

// In the order the options are read and written.
inline constexpr std::array<TGameFlag, 11> kGameFlags = {{
    {"CheckBoxFullscreen", "&Fullscreen", kGameOptionsFile, "Fullscreen", true},
    {"CheckBoxRunIntro", "&Run Intro", kGameOptionsFile, "RunIntro", true},
    {"CheckBoxWaitSync", "&Wait Vertical Sync", kGameOptionsFile, "WaitRetrace", false},
    {"CheckBoxSound", "Soun&d", kGameOptionsFile, "Sound", true},
    {"CheckBoxAudio", "Software &Audio", kGameOptionsFile, "UseSoftwareAudio", false},
    {"CheckBoxSteering", "&Steering", kGameInputFile, "InvertSteeringAxis", false},
    {"CheckBoxThrottle", "&Throttle", kGameInputFile, "InvertThrottleAxis", false},
    {"CheckBoxBrake", "&Brake", kGameInputFile, "InvertBrakeAxis", false},
    {"CheckBoxCombine", "Throttle && Brak&e", kGameInputFile, "InvertCombinedAxis", false},
    {"CheckBoxHandbrake", "&Handbrake", kGameInputFile, "InvertHandbrakeAxis", false},
    {"CheckBoxClutch", "&Clutch", kGameInputFile, "InvertClutchAxis", false},
}};

inline constexpr std::string_view kForceMultiplierKey = "ConstantForceMultiplier";
inline constexpr int kForceMultiplierMin = -200;
inline constexpr int kForceMultiplierMax = 0;
inline constexpr int kForceMultiplierDefault = -60;

// "true" in any letter case is on; empty or missing gives the default; anything else is off.
bool ReadGameFlag(const ProfileIni& ini, std::string_view key, bool defaultValue);
void WriteGameFlag(ProfileIni& ini, std::string_view key, bool value);

struct TGameOptions {
  std::array<bool, kGameFlags.size()> flags{};  // in the order of kGameFlags
  int forceMultiplier = kForceMultiplierDefault;
};

// Reads both files; missing files and keys give the defaults. A stored force multiplier outside its range
// gives the nearer bound.
TGameOptions ReadGameOptions(const std::string& installFolder);
// Clears the read-only mark of each file, then writes all twelve keys (the force multiplier within range).
void WriteGameOptions(const std::string& installFolder, const TGameOptions& options);

// The executable of a run variant; raises "Not installed" without an installation and "File not found = "
// with the path when the executable is missing.
std::string GameExecutablePath(const std::string& installFolder, int runVariant);

}  // namespace gw
