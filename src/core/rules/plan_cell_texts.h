#pragma once

#include "core/model/comon_orbitune.h"

#include <string>

// What each cell of the plan list shows for a plan. Column 0, the row's
// position, is the pane's own; every other column is answered here.
std::string PlanCellText(const CComonOrbitune& plan, int column);
