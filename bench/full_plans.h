#pragma once

#include "core/model/plan_list.h"

// The fullest list the editor holds: 255 plans of 255 TPs each, with Add Plan's
// and Add CH's values, named P1..P255 and TP1..TP255.
PlanList makeFullPlans();
