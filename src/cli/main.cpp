// gravelwright-cli: the editor's setups, copy and replay tools for scripts and for machines without a
// desktop. Exit status 0 on success, 1 when an input was refused, 2 when the command line is wrong.
#include <iostream>

#include "cli/commands.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
  using namespace gw::cli;
  gw::UseUtf8Console();
  CLI::App app(
      "Gravelwright's command-line companion: list, show, compare, set, copy and extract car setups of "
      "Toven Rally.",
      std::string(kProgramName));
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(kProgramName) + " " + GW_VERSION);
  TCliContext context;
  app.add_option("--history", context.HistoryFolder,
                 "The folder of kept versions (default: the per-user data folder's \"history\")");
  app.add_flag("--no-history", context.NoHistory, "Keep no version of the files a command overwrites");
  AddListCommand(app, context);
  AddShowCommand(app, context);
  AddDiffCommand(app, context);
  AddSetCommand(app, context);
  AddCopyCommand(app, context);
  AddExtractCommand(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help and version print and succeed; every other parse error is a usage error.
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  } catch (const TUsageError& e) {
    PrintError(e.what());
    std::cerr << "Run with --help for more information.\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    PrintError(e.what());
    return kExitRefused;
  }
  std::cout.flush();
  return context.ExitStatus;
}
