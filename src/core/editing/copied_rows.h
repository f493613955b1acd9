#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/guid.h"
#include "core/model/plan_list.h"

#include <cstdint>
#include <string>
#include <vector>

// Copied rows as tab-separated text for a spreadsheet: the list's header row,
// then a row per record with the texts its cells show, column 0 its 1-based
// position. The frequency keeps its hundredths of a MHz where it has any, so
// that the text pastes back to the same values.

// A frequency in MHz with as many of its two decimals as are not zero:
// "11493", "11493.5".
std::string exactFrequency(std::uint32_t tenKilohertz);

// The TPs of `plan` with these ids, in that order.
std::string channelsTableText(const CComonOrbitune& plan, const std::vector<Guid>& ids);

// The plans of `plans` with these ids, in that order.
std::string plansTableText(const PlanList& plans, const std::vector<Guid>& ids);
