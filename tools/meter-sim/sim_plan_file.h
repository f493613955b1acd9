#pragma once

#include "model/comon_orbitune.h"

#include <filesystem>
#include <optional>
#include <vector>

// The General plan file (.gnr) as the emulator preloads and stores it: the
// 24-byte header and one 24,548-byte record image per plan.
std::optional<std::vector<CComonOrbitune>> readPlanFile(const std::filesystem::path& path);
bool writePlanFile(const std::filesystem::path& path, const std::vector<CComonOrbitune>& plans);
