#include "setup/replay_extract.h"

#include <filesystem>

#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace gw {

std::size_t FindMarker(std::string_view marker, std::string_view buffer, std::size_t start) {
  if (marker.empty() || start == 0 || start > buffer.size()) return 0;
  const auto found = buffer.find(marker, start - 1);
  return found == std::string_view::npos ? 0 : found + 1;
}

std::string ExtractSetupText(std::string_view buffer, const std::string& replayPath) {
  auto fail = [&](int n) { return Error("Invalid file (" + std::to_string(n) + ") = " + replayPath); };
  const std::size_t g = FindMarker("GMDC", buffer, 1);
  if (g == 0) throw fail(0);
  const std::size_t s = FindMarker("SCOE", buffer, g + 4);
  if (s == 0) throw fail(1);
  const std::size_t h = FindMarker("((\"", buffer, s + 4);
  if (h == 0) throw fail(2);
  if (FindMarker("\n Car", buffer, h + 3) == 0) throw fail(3);
  const std::size_t e = FindMarker(")\n ))", buffer, h);  // from the start itself, not after the car line
  if (e == 0) throw fail(4);
  std::string text(buffer.substr(h - 1, e + 5 - h));
  text.push_back('\0');
  return text;
}

void ExtractSetupFromReplay(const std::string& replayPath, const std::string& destinationPath) {
  const std::string buffer = ReadFileBytes(replayPath, kReplaySearchSize);
  const std::string text = ExtractSetupText(buffer, replayPath);
  std::error_code ec;
  if (std::filesystem::equivalent(ToFsPath(replayPath), ToFsPath(destinationPath), ec))
    throw Error("The destination is the replay itself: choose another file name = " + destinationPath);
  WriteFileReplacing(destinationPath, text);
}

}  // namespace gw
