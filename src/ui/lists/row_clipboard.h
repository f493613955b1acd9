#pragma once

#include "core/commands/prompts.h"
#include "core/editing/pasted_rows.h"
#include "core/model/comon_orbitune.h"
#include "core/model/guid.h"
#include "core/model/plan_list.h"

#include <cstddef>
#include <vector>

// Copied plans and TPs on the system clipboard, twice over: as the plans JSON
// under a type of the editor's own (the plans, or one plan holding the TPs),
// which this and any other running editor pastes without loss, and as
// tab-separated text of the rows for a spreadsheet. Pasting takes the JSON
// when the clipboard holds the list's own kind of records, and otherwise
// reads the text as a table.
namespace row_clipboard {

inline constexpr char kPlansType[] = "application/x-orbitune-plans+json";
inline constexpr char kChannelsType[] = "application/x-orbitune-tps+json";

// Puts the plans of these ids, in this order, on the clipboard.
void copyPlans(const PlanList& plans, const std::vector<Guid>& ids);
// Puts the TPs of `plan` of these ids, in this order, on the clipboard.
void copyChannels(const CComonOrbitune& plan, const std::vector<Guid>& ids);

// The records the clipboard holds for each list, as they were copied (ids,
// names and numbers included), or why there are none. More than `room`
// records are refused with the limit's message before they are made.
PastedRows<CComonOrbitune> pastedPlans(std::size_t room);
PastedRows<SateChannel> pastedChannels(std::size_t room);

// Tells why nothing was pasted: the row, the column and the rule's message.
void tellFailure(Prompts& prompts, PromptOwner owner, const PasteFailure& failure);

} // namespace row_clipboard
