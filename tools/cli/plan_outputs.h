#pragma once

#include "cli/cli_context.h"
#include "cli/plan_inputs.h"

#include <filesystem>

// Writes the plans as a JSON document, refusing an existing `output` unless
// `overwrite`. A failure is reported through `context`.
void writeJsonPlans(const LoadedPlans& loaded, const std::filesystem::path& output, bool overwrite,
                    CliContext& context);
