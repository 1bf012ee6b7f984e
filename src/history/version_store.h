#pragma once
// Versions of setup files: before the program overwrites or deletes a setup file it keeps the old bytes in a
// per-user history folder, one folder per file, one file per version named by its UTC time to the
// millisecond ("20261208T101530.123Z.lsp"), so that sorting the names sorts by time. Only the newest
// versions up to a depth are kept. Nothing here needs a window: a command-line program uses it as it is.
//
// Keeping a version never stops the write it precedes: a failure switches history off and says why, and the
// caller goes on with its write.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

inline constexpr int kDefaultHistoryDepth = 30;

// One kept version.
struct TVersionInfo {
  std::string Path;    // the version file
  int64_t TimeMs = 0;  // milliseconds since 1970-01-01 UTC, as its name says
  uint64_t Size = 0;
};

// A file that has versions but no longer exists where it was.
struct TDeletedFile {
  std::string OriginalPath;
  std::vector<TVersionInfo> Versions;  // newest first
};

// The version name of a time: "20261208T101530.123Z.lsp".
std::string VersionFileName(int64_t timeMs);
// The time a version name stands for; false for any other name.
bool ParseVersionFileName(std::string_view name, int64_t& timeMs);
// "2026-12-08 10:15:30.123" (UTC), for lists that show versions.
std::string VersionTimeText(int64_t timeMs);

class TVersionStore {
 public:
  using TClock = std::function<int64_t()>;  // milliseconds since 1970-01-01 UTC

  // historyFolder: where the per-file folders live (created on the first version). savedGamesFolder: files
  // directly in it get a folder named as the file; others a name made unique by a hash of their path.
  // depth 0 turns history off. An empty history folder means the system named none: history is off.
  TVersionStore(std::string historyFolder, std::string savedGamesFolder, int depth, TClock clock = {});

  const std::string& HistoryFolder() const { return historyFolder_; }
  int Depth() const { return depth_; }
  // History is on when the depth is above 0, a folder is known and the last attempt to keep a version
  // did not fail.
  bool IsOn() const { return OffReason().empty(); }
  // Why history is off ("" while it is on).
  std::string OffReason() const;

  // Keeps the file's current bytes as its newest version, unless they equal the newest version already
  // kept, then prunes to the depth. A missing file keeps nothing. Never raises: false when the version
  // could not be written, with the reason in OffReason (the next call tries again).
  bool KeepVersion(const std::string& filePath);

  // The folder that holds the versions of a file.
  std::string VersionFolder(const std::string& filePath) const;
  // The versions of a file, newest first.
  std::vector<TVersionInfo> Versions(const std::string& filePath) const;
  // Removes the oldest versions beyond the depth.
  void Prune(const std::string& filePath) const;
  // Writes a version back as the target file, keeping the target's current bytes as a version first.
  // Raises gw::Error when the version cannot be read or the target cannot be written.
  void Restore(const TVersionInfo& version, const std::string& targetPath);
  // Files with versions that no longer exist, by original path.
  std::vector<TDeletedFile> DeletedFiles() const;

 private:
  int64_t Now() const;
  void Fail(const std::string& reason);

  std::string historyFolder_;
  std::string savedGamesFolder_;
  int depth_ = kDefaultHistoryDepth;
  TClock clock_;
  std::string failure_;
};

}  // namespace gw
