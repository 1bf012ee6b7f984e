#pragma once
// Takes the setup text that the game embeds in a replay file out into a setup file.

#include <string>
#include <string_view>

namespace gw {

// Only the start of a replay is searched.
inline constexpr std::size_t kReplaySearchSize = 0x100000;

// The 1-based position of the first occurrence of the marker that starts at `start` (1-based) or later and
// lies wholly inside the buffer; 0 when there is none or the marker is empty.
std::size_t FindMarker(std::string_view marker, std::string_view buffer, std::size_t start);

// The setup text of a replay's bytes (from the first "((\"" after "GMDC" and "SCOE" through the end marker,
// plus one NUL), or raises "Invalid file (n) = " + replayPath for the marker n (0..4) that is missing.
std::string ExtractSetupText(std::string_view replayBytes, const std::string& replayPath);

// Reads the replay's first MiB and writes its setup to the destination (replaced atomically). Refuses a
// destination that is the replay itself.
void ExtractSetupFromReplay(const std::string& replayPath, const std::string& destinationPath);

}  // namespace gw
