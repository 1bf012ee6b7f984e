// extract REPLAY [OUT] and extract --all REPLAY_FOLDER OUT_FOLDER: the setups that replays carry.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "platform/ascii_text.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/terminal.h"
#include "setup/replay_extract.h"

namespace gw::cli {

namespace {

struct TExtractOptions {
  bool All = false;
  std::vector<std::string> Paths;
};

std::string Joined(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsPathSeparator(folder.back())) return folder + name;
  return folder + kPathSeparator + name;
}

void ExtractOne(const std::string& replay, const std::string& destination, TCliContext& context) {
  if (!FileExists(replay)) throw Error("File not found = " + replay);
  // A replay without a setup is refused before a version of the destination is kept.
  ExtractSetupText(ReadFileBytes(replay, kReplaySearchSize), replay);
  KeepVersion(destination, context);
  ExtractSetupFromReplay(replay, destination);
}

// The progress line is redrawn in place, so it is drawn only where a person watches it.
class TProgressLine {
 public:
  explicit TProgressLine(std::size_t total) : total_(total), shown_(total > 1 && StandardErrorIsTerminal()) {}
  ~TProgressLine() {
    if (drawn_) std::cerr << '\n';
  }
  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;

  void Show(std::size_t done, const std::string& name) {
    if (!shown_) return;
    std::string line = "\r[" + std::to_string(done) + "/" + std::to_string(total_) + "] " + name;
    if (line.size() < width_) line.append(width_ - line.size(), ' ');  // wipe a longer earlier line
    width_ = line.size();
    std::cerr << line << std::flush;
    drawn_ = true;
  }
  // A message on a line of its own, the progress line drawn again below it.
  void Interrupt() {
    if (drawn_) std::cerr << '\n';
    drawn_ = false;
    width_ = 0;
  }

 private:
  std::size_t total_;
  bool shown_;
  bool drawn_ = false;
  std::size_t width_ = 0;
};

void ExtractAll(const std::string& folder, const std::string& outFolder, TCliContext& context) {
  if (!DirectoryExists(folder)) throw Error(folder + ": no such folder");
  std::error_code ec;
  std::filesystem::create_directories(ToFsPath(outFolder), ec);
  if (!DirectoryExists(outFolder))
    throw Error(outFolder + ": cannot create the folder (" + ec.message() + ")");
  std::vector<std::string> replays;
  for (const std::string& name : FindFiles(folder, "*.rpl"))
    if (FileExists(Joined(folder, name))) replays.push_back(name);
  // By name, so that runs over the same folder report in the same order.
  std::sort(replays.begin(), replays.end(),
            [](const std::string& a, const std::string& b) { return AsciiUpperCase(a) < AsciiUpperCase(b); });

  TProgressLine progress(replays.size());
  std::size_t written = 0;
  for (std::size_t i = 0; i < replays.size(); ++i) {
    const std::string& name = replays[i];
    progress.Show(i + 1, name);
    const std::string destination = Joined(outFolder, ChangeFileExt(name, ".lsp"));
    try {
      ExtractOne(Joined(folder, name), destination, context);
      ++written;
    } catch (const Error& e) {
      progress.Interrupt();
      Refuse(context, e.what());
    }
  }
  progress.Interrupt();
  std::cout << written << " of " << replays.size() << " replays extracted into " << outFolder << '\n';
}

void RunExtract(const TExtractOptions& options, TCliContext& context) {
  if (options.All) {
    if (options.Paths.size() != 2) throw TUsageError("extract --all takes REPLAY_FOLDER and OUT_FOLDER");
    return ExtractAll(options.Paths[0], options.Paths[1], context);
  }
  if (options.Paths.size() > 2) throw TUsageError("extract takes REPLAY and at most one OUT");
  const std::string& replay = options.Paths[0];
  std::string destination = options.Paths.size() == 2 ? options.Paths[1] : ChangeFileExt(replay, ".lsp");
  if (DirectoryExists(destination))
    destination = Joined(destination, ChangeFileExt(ExtractFileName(replay), ".lsp"));
  ExtractOne(replay, destination, context);
  std::cout << replay << " -> " << destination << '\n';
}

}  // namespace

void AddExtractCommand(CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TExtractOptions>();
  CLI::App* extract =
      app.add_subcommand("extract",
                         "Take the setup out of a replay (.rpl): \"extract REPLAY [OUT]\" (OUT: a file or a "
                         "folder; default: the "
                         "replay's name with .lsp), or \"extract --all REPLAY_FOLDER OUT_FOLDER\"");
  extract->add_flag("--all", options->All, "Extract every replay of REPLAY_FOLDER into OUT_FOLDER");
  extract->add_option("PATHS", options->Paths, "REPLAY [OUT], or with --all: REPLAY_FOLDER OUT_FOLDER")
      ->required()
      ->expected(1, 2);
  extract->callback([options, &context] { RunExtract(*options, context); });
}

}  // namespace gw::cli
