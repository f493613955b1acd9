#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

// The subcommands that work on plan files: show, convert and check.
void addFileCommands(CLI::App& app, CliContext& context);
