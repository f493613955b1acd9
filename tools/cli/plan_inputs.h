#pragma once

#include "cli/cli_context.h"
#include "core/model/plan_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Plans read from the files named on the command line.
struct LoadedPlans {
    PlanList plans;
    std::int32_t nextPlanNumber = 0;
    bool allTaken = true; // false when the inputs hold more plans than the 255 the list takes
};

// Reads the inputs as the Open command reads its chosen files; a ".json" first
// input is read as a JSON document instead. Each failure is reported through
// `context`, naming its file, and yields nothing. Inputs that are not read (those
// after a first General, Q24 or JSON file, and those after a first Q9100 file
// that are not .Orbtab files) are named on stderr. The list takes 255 plans:
// what it leaves out is named on stderr with the status "refused", and only the
// plans taken are loaded.
std::optional<LoadedPlans> readPlanInputs(const std::vector<std::string>& paths, CliContext& context);
