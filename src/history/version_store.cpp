#include "history/version_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace gw {

namespace fs = std::filesystem;

namespace {

// Beside the versions: the full path of the file they belong to, so that a deleted file can be found and
// restored under its old name.
constexpr const char* kOriginName = "origin";
constexpr std::string_view kVersionExt = ".lsp";
constexpr std::size_t kVersionNameLength = 24;  // 20261208T101530.123Z.lsp

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(ToFsPath(path), ec);
  if (ec) absolute = ToFsPath(path);
  return FromFsPath(absolute.lexically_normal());
}

// FNV-1a: short, stable across runs and systems, enough to keep two folders of one file name apart.
uint32_t PathHash(std::string_view path) {
  uint32_t hash = 2166136261u;
  for (char c : path) {
#ifdef _WIN32
    c = AsciiUpper(c);  // one file, however its path is spelt
#endif
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  return hash;
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

std::vector<TVersionInfo> ListVersionFolder(const fs::path& folder) {
  std::vector<TVersionInfo> versions;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    int64_t time = 0;
    if (!ParseVersionFileName(FromFsPath(it->path().filename()), time)) continue;
    std::error_code sizeError;
    const uintmax_t size = it->file_size(sizeError);
    if (sizeError) continue;  // not a regular file
    versions.push_back({FromFsPath(it->path()), time, static_cast<uint64_t>(size)});
  }
  std::sort(versions.begin(), versions.end(),
            [](const TVersionInfo& a, const TVersionInfo& b) { return a.TimeMs > b.TimeMs; });
  return versions;
}

std::string ReadOrigin(const fs::path& folder) {
  std::ifstream in(folder / kOriginName, std::ios::binary);
  std::string text;
  std::getline(in, text, '\0');
  return text;
}

// A version file appears whole or not at all: it is written under a name no listing picks up, then
// renamed.
void WriteWhole(const fs::path& target, std::string_view bytes) {
  const fs::path temp = target.parent_path() / (".tmp-" + FromFsPath(target.filename()));
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw Error("cannot create " + FromFsPath(temp) + " (" + LastErrorText() + ")");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      throw Error("cannot write " + FromFsPath(temp) + " (" + LastErrorText() + ")");
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw Error("cannot write " + FromFsPath(target) + " (" + ec.message() + ")");
  }
}

}  // namespace

std::string VersionFileName(int64_t timeMs) {
  using namespace std::chrono;
  const sys_time<milliseconds> t{milliseconds(timeMs)};
  const sys_days day = floor<days>(t);
  const year_month_day ymd(day);
  const hh_mm_ss<milliseconds> hms(t - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02d.%03dZ.lsp", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()),
                static_cast<int>(hms.seconds().count()), static_cast<int>(hms.subseconds().count()));
  return text;
}

bool ParseVersionFileName(std::string_view name, int64_t& timeMs) {
  if (name.size() != kVersionNameLength || name.substr(20) != kVersionExt || name[8] != 'T' ||
      name[15] != '.' || name[19] != 'Z')
    return false;
  const std::string_view date = name.substr(0, 8), time = name.substr(9, 6), ms = name.substr(16, 3);
  if (!AllDigits(date) || !AllDigits(time) || !AllDigits(ms)) return false;
  using namespace std::chrono;
  const year_month_day ymd{year(Number(date.substr(0, 4))),
                           month(static_cast<unsigned>(Number(date.substr(4, 2)))),
                           day(static_cast<unsigned>(Number(date.substr(6, 2))))};
  const int h = Number(time.substr(0, 2)), m = Number(time.substr(2, 2)), s = Number(time.substr(4, 2));
  if (!ymd.ok() || h > 23 || m > 59 || s > 59) return false;
  const auto t = sys_days(ymd) + hours(h) + minutes(m) + seconds(s) + milliseconds(Number(ms));
  timeMs = duration_cast<milliseconds>(t.time_since_epoch()).count();
  return true;
}

std::string VersionTimeText(int64_t timeMs) {
  const std::string n = VersionFileName(timeMs);
  return n.substr(0, 4) + "-" + n.substr(4, 2) + "-" + n.substr(6, 2) + " " + n.substr(9, 2) + ":" +
         n.substr(11, 2) + ":" + n.substr(13, 2) + "." + n.substr(16, 3);
}

TVersionStore::TVersionStore(std::string historyFolder, std::string savedGamesFolder, int depth, TClock clock)
    : historyFolder_(std::move(historyFolder)),
      savedGamesFolder_(std::move(savedGamesFolder)),
      depth_(std::max(depth, 0)),
      clock_(std::move(clock)) {}

int64_t TVersionStore::Now() const {
  if (clock_) return clock_();
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string TVersionStore::OffReason() const {
  if (depth_ <= 0) return "HistoryDepth is 0";
  if (historyFolder_.empty()) return "no per-user data folder is known";
  return failure_;
}

void TVersionStore::Fail(const std::string& reason) {
  failure_ = reason;
}

std::string TVersionStore::VersionFolder(const std::string& filePath) const {
  const std::string absolute = AbsolutePath(filePath);
  std::string name = ExtractFileName(absolute);
  if (savedGamesFolder_.empty() || !SameFolder(ExtractFileDir(absolute), AbsolutePath(savedGamesFolder_))) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "-%08x", static_cast<unsigned>(PathHash(absolute)));
    name += hash;
  }
  return FromFsPath(ToFsPath(historyFolder_) / ToFsPath(name));
}

std::vector<TVersionInfo> TVersionStore::Versions(const std::string& filePath) const {
  if (historyFolder_.empty()) return {};
  return ListVersionFolder(ToFsPath(VersionFolder(filePath)));
}

void TVersionStore::Prune(const std::string& filePath) const {
  if (depth_ <= 0) return;  // history off: what was kept stays
  const std::vector<TVersionInfo> versions = Versions(filePath);
  for (std::size_t i = static_cast<std::size_t>(depth_); i < versions.size(); ++i) {
    std::error_code ignored;
    fs::remove(ToFsPath(versions[i].Path), ignored);
  }
}

bool TVersionStore::KeepVersion(const std::string& filePath) {
  if (depth_ <= 0) return true;
  if (historyFolder_.empty()) return false;
  if (!FileExists(filePath)) return true;
  try {
    const std::string bytes = ReadFileBytes(filePath);
    const fs::path folder = ToFsPath(VersionFolder(filePath));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw Error("cannot create " + FromFsPath(folder) + " (" + ec.message() + ")");
    const std::string origin = AbsolutePath(filePath);
    if (ReadOrigin(folder) != origin) WriteWhole(folder / kOriginName, origin);

    const std::vector<TVersionInfo> versions = ListVersionFolder(folder);
    int64_t time = Now();
    if (!versions.empty()) {
      const TVersionInfo& newest = versions.front();
      // The same bytes again (a save without changes) would only push real versions out.
      if (newest.Size == bytes.size() && ReadFileBytes(newest.Path) == bytes) {
        Prune(filePath);
        failure_.clear();
        return true;
      }
      // Two versions in one millisecond, or a clock set back: the name still sorts after the newest.
      time = std::max(time, newest.TimeMs + 1);
    }
    WriteWhole(folder / VersionFileName(time), bytes);
    Prune(filePath);
    failure_.clear();
    return true;
  } catch (const std::exception& e) {
    Fail(e.what());
    return false;
  }
}

void TVersionStore::Restore(const TVersionInfo& version, const std::string& targetPath) {
  // Read first: keeping the target's version may prune the one being restored.
  const std::string bytes = ReadFileBytes(version.Path);
  KeepVersion(targetPath);
  WriteFileReplacing(targetPath, bytes);
}

std::vector<TDeletedFile> TVersionStore::DeletedFiles() const {
  std::vector<TDeletedFile> deleted;
  if (historyFolder_.empty()) return deleted;
  std::error_code ec;
  for (fs::directory_iterator it(ToFsPath(historyFolder_), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    const std::string origin = ReadOrigin(it->path());
    if (origin.empty() || FileExists(origin)) continue;
    std::vector<TVersionInfo> versions = ListVersionFolder(it->path());
    if (!versions.empty()) deleted.push_back({origin, std::move(versions)});
  }
  std::sort(deleted.begin(), deleted.end(), [](const TDeletedFile& a, const TDeletedFile& b) {
    return a.Versions.front().TimeMs > b.Versions.front().TimeMs;
  });
  return deleted;
}

}  // namespace gw
