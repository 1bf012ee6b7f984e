#pragma once
// What every subcommand shares: exit statuses, messages on standard error, loading and saving setups, and
// the JSON form of texts.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "cli/setup_view.h"
#include "history/version_store.h"
#include "platform/error.h"
#include "setup/car_setup.h"

namespace gw::cli {

inline constexpr std::string_view kProgramName = "gravelwright-cli";

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // an input was refused: a file, an entry, a value
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

// A mistake in the command line that the parser cannot see (an assignment without "=", say).
class TUsageError : public Error {
 public:
  using Error::Error;
};

// What the subcommands share with main: options before the subcommand, and the exit status of commands
// that go on with the next file after one failed.
struct TCliContext {
  std::string HistoryFolder;  // empty: the per-user data folder's "history"
  bool NoHistory = false;
  int ExitStatus = kExitOk;
  std::unique_ptr<TVersionStore> History;  // made at the first write
  bool HistoryOffSaid = false;
};

// An error about a file: "file: message", unless the message names the file already.
Error FileError(const std::string& file, const std::string& message);

// "gravelwright-cli: message" on standard error; a note says what was done instead of what was asked.
void PrintError(std::string_view message);
void PrintNote(std::string_view message);

// Reports a refused file or entry and goes on: the program ends with exit status 1.
void Refuse(TCliContext& context, std::string_view message);

// The columns a UTF-8 text takes on a terminal (the degree sign and the arrows take one each).
std::size_t Columns(std::string_view text);

// JSON on standard output, indented; bytes that are no UTF-8 (a file name in another code page) are
// replaced rather than refused.
void PrintJson(const nlohmann::ordered_json& document);

// Loads a setup for reading; a failure names the file.
void LoadSetup(TTOVCarSetup& setup, const std::string& path);

// Writes a changed setup back over its file: the old bytes go into the version history first, then the
// document's atomic save replaces the file.
void SaveSetup(TTOVCarSetup& setup, TCliContext& context);

// Keeps the current bytes of a file that is about to be replaced (nothing when it does not exist). A history
// that cannot be written never stops the write: a note says once that history is off and why.
void KeepVersion(const std::string& path, TCliContext& context);

// The number of entries a save would rewrite.
int ChangedEntryCount(const TTOVCarSetup& setup);

}  // namespace gw::cli
