#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

// The subcommands that show plans as pictures and pointings: draw writes the
// band picture of a plan as SVG, point prints where to point the dish at each
// plan's satellite from a site.
void addPictureCommands(CLI::App& app, CliContext& context);
