#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <functional>
#include <string>
#include <string_view>

// The first "<prefix><n>" for n = 1 to 255 for which `taken` is false, the
// comparison being the caller's; "<prefix>255" when every one is taken.
std::string lowestFreeName(std::string_view prefix, const std::function<bool(const std::string&)>& taken);

// `name` itself when `taken` is false for it; otherwise the first
// "<stem><n>" for n = 1 to 255 that is free, the stem being the name without
// its trailing digits, cut so that the name keeps to 8 characters.
std::string uniqueName(std::string_view name, const std::function<bool(const std::string&)>& taken);

// The name Add Plan gives: the first "Plan<n>" no plan of the list is named
// (exactly, case-sensitively).
std::string freePlanName(const PlanList& plans);

// The name Add CH gives: the first "TP<n>" no TP of the plan is named.
std::string freeChannelName(const CComonOrbitune& plan);
