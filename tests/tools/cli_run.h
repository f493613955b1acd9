#pragma once

#include "support/temp_dir.h"

#include <filesystem>
#include <string>

// What one run of orbitune-cli gave.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path& file);

// Runs the tool in `dir` with English messages, ORBITUNE_METER unset unless
// `environment` sets it ("ORBITUNE_METER=sim"), and the arguments as a shell
// would split them.
CliRun cli(const TempDir& dir, const std::string& arguments, const std::string& environment = "");
