#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/res/string_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Plans as JSON: {"nextPlanNumber": N, "plans": [...]}, each plan with its
// header fields, counters and used TP slots; values are the stored integers,
// names are text and ids GUID text.
std::string encodePlansJson(std::int32_t nextPlanNumber, const PlanList& plans);

struct PlansJsonResult {
    std::int32_t nextPlanNumber = 0;
    std::vector<CComonOrbitune> plans;
    int plansNotTaken = 0;            // plans after the 255 the list holds
    std::optional<std::string> error; // names the plan and the key
    // Names a record cannot hold as the document gives them (characters
    // outside Latin-1 become "?"): each names the plan (and TP) by its place,
    // the name given and the name stored.
    std::vector<Notice> renamed;
};

// Reads a document of that shape. Missing keys take the values Add Plan and Add
// CH give: default fields, fresh ids, the lowest free "Plan%d" / "TP%d" names,
// plan numbers counted on from "nextPlanNumber" (0 when missing) as Add Plan
// counts them, TP numbers from their positions. Malformed JSON, a wrong type
// or a value outside its field's range is an error and yields no plans. Null
// and repeated ids are replaced by fresh ones (freshenRepeatedIds).
//
// The first 255 plans are read; the later ones are only counted, without
// keeping them in memory or reading their values. A plan of more than 255 TPs
// is an error, its later TPs dropped as they are met.
PlansJsonResult decodePlansJson(std::string_view text);
