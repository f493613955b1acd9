#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of the plan list's cells: the drop-down choices and how a
// committed text is checked, converted and stored. Plain functions over texts
// and records; the pane applies what they answer.

// Columns of the plan list.
namespace plan_column {
inline constexpr int kNumber = 0;
inline constexpr int kName = 1;
inline constexpr int kEastOrWest = 2;
inline constexpr int kLongitude = 3;
inline constexpr int kLnbLow = 4;
inline constexpr int kLnbHigh = 5;
inline constexpr int kCount = 6;
// The column headers.
inline constexpr std::array<std::string_view, kCount> kHeaders{"Plan ID",   "Plan Name",   "EastOrWest",
                                                               "Longitude", "LNB Low OSC", "LNB High OSC"};
} // namespace plan_column

// The choices of a drop-down column: "East", "West" for the hemisphere.
std::vector<std::string> PlanColumnChoices(int column);

// What the pane does with a committed cell.
struct PlanCellResult {
    // The answer to the list control: true after an accepted edit, false after
    // a refused one or an unchanged name.
    bool accepted = true;
    // A refused edit: the message to show; nothing is stored and every row is
    // rebuilt afterwards.
    std::optional<MessageId> messageId;
    // The record to store back into the plan list; none when nothing changes.
    std::optional<CComonOrbitune> record;
    // Rebuild every row after storing (only after a refusal).
    bool refreshList = false;
};

// The rules for `text` committed in `column` of the row showing `plan`; a new
// name must not repeat the name of any plan of `plans`.
PlanCellResult PlanCellEdited(int column, std::string_view text, const CComonOrbitune& plan, const PlanList& plans);
