#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <string>

// A plan with Add Plan's values named `name`, holding `tpCount` TPs with Add
// CH's values named TP1, TP2, ...
CComonOrbitune makePlan(const std::string& name, int tpCount, std::uint8_t number = 1);

// A list of `planCount` plans named Plan1, Plan2, ... with `tpCount` TPs each.
PlanList makePlanList(int planCount, int tpCount);
