#pragma once
// The subcommands, one file each; each adds itself to the program's parser.

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"

namespace gw::cli {

void AddListCommand(CLI::App& app, TCliContext& context);
void AddShowCommand(CLI::App& app, TCliContext& context);
void AddDiffCommand(CLI::App& app, TCliContext& context);
void AddSetCommand(CLI::App& app, TCliContext& context);
void AddCopyCommand(CLI::App& app, TCliContext& context);
void AddExtractCommand(CLI::App& app, TCliContext& context);

}  // namespace gw::cli
