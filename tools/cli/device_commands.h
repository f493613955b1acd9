#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

// The subcommands that talk to a meter: status, download, upload and upgrade,
// with the options that choose the meter (--meter, --identity, --reply-limit).
// The environment variable ORBITUNE_METER is read here, once; --meter
// overrides it.
void addDeviceCommands(CLI::App& app, CliContext& context);
