#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/model/sate_channel.h"
#include "core/res/string_table.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The way in for records that join the lists other than by Add Plan, Add CH
// and typing: pasted ones (from the editor's own JSON or from a table) and
// duplicated ones. The records offered are refused all together when they do
// not fit (255 plans in the list, 100 TPs in a plan) or when any field of any
// of them breaks its rule (recordFault, which the import applies too);
// otherwise they become new records as Add Plan and Add CH make theirs: each
// takes a fresh id, and keeps its own name when no other plan (or TP of its
// plan) and no record admitted before it has it, or else takes the lowest free
// numbered one ("Astra" becomes "Astra1", "TP3" the lowest free "TP<n>"). A
// record without a name takes the name Add Plan or Add CH gives.

// Why the records offered were refused.
struct RecordRefusal {
    Notice rule;            // the limit's message, or the message of the field's rule
    int record = 0;         // the record (from 1, in the order offered) at fault; 0: they do not fit
    std::string recordName; // its name as offered
    int tp = 0;             // for a plan: its TP (from 1) at fault; 0: a field of the plan itself
    std::string tpName;
    std::string field; // the header of the column of the field at fault; empty for a limit
    bool plan = false; // whether the records are plans

    friend bool operator==(const RecordRefusal&, const RecordRefusal&) = default;
};

template <typename Record> struct Admitted {
    std::vector<Record> records; // in the order offered; none when refused
    std::optional<RecordRefusal> refusal;
};

// The plans as new plans of `plans`, numbered as Add Plan numbers them after
// the counter `nextPlanNumber` (the first one nextPlanNumber + 1); their TPs
// take fresh ids too.
Admitted<CComonOrbitune> admitPlans(std::span<const CComonOrbitune> offered, const PlanList& plans,
                                    std::int32_t nextPlanNumber);

// The TPs as new TPs of `plan`, numbered as Add CH numbers them when they are
// added in that order.
Admitted<SateChannel> admitChannels(std::span<const SateChannel> offered, const CComonOrbitune& plan);

// The message that tells a refusal: a limit's own message, or `what`
// (msg::kPasteRefused, msg::kDuplicateRefused) naming the record, its TP and
// the field with the rule's message, in `language`.
Notice refusalNotice(const RecordRefusal& refusal, MessageId what, Language language);
