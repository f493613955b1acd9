#pragma once

#include "core/import/satellite.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Turning the satellites of a source into plans, with the rules of the plan
// and TP lists and the limits of the model the plans are meant for.

// A TP that is not imported, as its source labels it, and why.
struct LeftOutTp {
    std::string tp;
    Notice why;
};

struct PlanImport {
    CComonOrbitune plan;
    std::vector<LeftOutTp> leftOut; // in the source's order, then in frequency order
    // A new plan whose name is not how its satellite's name starts (characters
    // a plan name cannot hold, or a number making it unique), saying so.
    std::optional<Notice> nameChanged;
};

struct ImportResult {
    std::vector<PlanImport> plans;   // one per satellite, in order
    std::int32_t nextPlanNumber = 0; // the plan pane's counter after numbering them
    // The first check that the list with the new plans appended fails; the
    // plans are not to be added then.
    std::optional<Notice> refused;
};

// One new plan per satellite, as Add Plan makes one (tag, flag, a fresh id,
// the number from the counter), named after the satellite (the first 8
// characters a plan name allows, made unique among `plans` and the plans made
// before it), at its position, with a universal Ku LNB (9750/10600 MHz) or, when
// most of its TPs are in the C band, a 5150 MHz C band LNB. Its TPs are those
// the records hold, in frequency order, each with a fresh id, named after its
// frequency and polarization (or as Add CH names it when that name is taken),
// with the LNB oscillator "Auto". Left out, each with its reason: TPs the
// records cannot hold, TPs of the other band, DVB-S2 TPs when the model has
// none, TPs the same as one already taken, TPs a field of which breaks its
// cell's rule (recordFault), and TPs beyond the model's limit. Satellites more
// than the list has room for are refused (message 116) before any plan is
// made, and so is a plan whose own fields break a rule.
ImportResult importSatellites(std::span<const Satellite> satellites, const PlanList& plans, MeterModel model,
                              std::int32_t nextPlanNumber);

// The TPs added to a copy of `plan`, in frequency order, as importSatellites
// adds them, without the band rule; those the same as a TP of the plan are
// left out.
PlanImport addToPlan(const CComonOrbitune& plan, std::span<const SourceTp> tps, MeterModel model);

// The first check an import fails: the list holding more than 255 plans once
// `imported` is in it (each plan replacing the plan of the list with its id,
// or appended), message 116; then the model's checks of the imported plans.
// The plans already in the list are not the import's to check: a plan the
// user has not finished yet does not stop an import.
std::optional<Notice> checkImport(const PlanList& plans, std::span<const CComonOrbitune> imported, MeterModel model);

// The most TPs a plan of the model takes: the model's limit, and never more
// than Add CH adds (CComonOrbitune::kTpLimit).
int tpLimitOf(MeterModel model);
