#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

// The import subcommand: lists the satellites of a satellite database, or
// writes plans made from some of them.
void addImportCommand(CLI::App& app, CliContext& context);
