#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/model/sate_channel.h"

#include <cstdint>

// Pasted and duplicated records become new records as Add Plan and Add CH
// make theirs: each takes a fresh id, and keeps its own name when no other
// plan (or TP of its plan) has it, or else takes the lowest free numbered
// one ("Astra" becomes "Astra1", "TP3" the lowest free "TP<n>"). A record
// without a name takes the name Add Plan or Add CH gives.

// `plan` as a new plan of `plans` numbered `number`: its TPs get fresh ids too.
CComonOrbitune planCopy(CComonOrbitune plan, const PlanList& plans, std::uint8_t number);

// `tp` as a new TP of `plan`, numbered as Add CH numbers it.
SateChannel channelCopy(SateChannel tp, const CComonOrbitune& plan);
