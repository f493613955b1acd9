#pragma once

#include "core/import/satellite.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/res/string_table.h"
#include "core/rules/model_checks.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// Bringing plans made from a satellite database up to date with the same or
// another database: per plan, the TPs the source adds, removes and changes.

enum class TpDifference { Added, Removed, Changed };

struct TpChange {
    TpDifference kind = TpDifference::Added;
    std::string label;               // the source's label, or the plan TP's own for a removal
    std::optional<Guid> planTp;      // removed, changed: the plan's TP
    std::optional<SourceTp> source;  // added, changed: the source's TP
    std::vector<std::string> fields; // changed: "SR(MS/s) 27.5 > 22", a field a text
};

struct PlanUpdate {
    Guid plan;
    std::string planName;
    std::string satellite;         // the source's satellite, with its position; empty when none matches
    std::optional<Notice> problem; // why no satellite of the source is the plan's
    std::vector<TpChange> changes; // removals and changes in the plan's order, then additions in the source's
};

// The satellite of `satellites` that is the plan's: at the plan's position
// (within 0.1 degree), and when several are there, the one whose name gives
// the plan's name (as an import names plans) or holds it. Then the
// differences: a TP of the source with the same polarization as a TP of the
// plan and less than 1 MHz from it is that TP, changed when its symbol rate,
// system, modulation or code rate differ (a code rate the source leaves to
// the receiver is no change); the source's other TPs the records can hold
// are added, the plan's other TPs removed.
PlanUpdate planUpdate(const CComonOrbitune& plan, std::span<const Satellite> satellites);

struct UpdatedPlan {
    CComonOrbitune plan;
    std::vector<Notice> notTaken;  // added TPs the model's limits leave out, and guessed code rates, each naming its TP
    std::optional<Notice> refused; // the model's check of the updated plan fails: nothing is to change
};

// The plan with the changes `taken` ticks (one flag per change): removals and
// changes first, then the additions as an import adds TPs to a plan, within
// the model's limits. Notices carry their reasons in `language`.
UpdatedPlan applyUpdate(const CComonOrbitune& plan, const PlanUpdate& update, const std::vector<bool>& taken,
                        MeterModel model, Language language);

// A line per change: "+ 11494 H 22000", "- 10744 H 22000",
// "~ 11362 H 22000: SR(MS/s) 27.5 > 22".
std::vector<std::string> changeLines(const PlanUpdate& update);
