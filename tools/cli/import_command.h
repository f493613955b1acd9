#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

// The import subcommand: lists the satellites of a satellite database, or
// writes plans made from some of them.
void addImportCommand(CLI::App& app, CliContext& context);

// The update subcommand: brings the plans of a file up to date with a
// satellite database, printing the differences.
void addUpdateCommand(CLI::App& app, CliContext& context);
