#pragma once

#include "core/model/guid.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <optional>

// What the two panes show around the plans: each list's rows and marks, the
// plan whose TPs are shown, and the number the next added plan takes.
struct PanesView {
    ListView plans;
    ListView channels;
    std::optional<Guid> currentPlan;
    int nextPlanNumber = 0;

    friend bool operator==(const PanesView&, const PanesView&) = default;
};
