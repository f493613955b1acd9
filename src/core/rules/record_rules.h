#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/sate_channel.h"
#include "core/res/string_table.h"

#include <optional>
#include <string>

// The rules a whole record passes before it joins the list from outside the
// lists' own editing (a paste, an import, a duplicate): each field the lists
// show must be a value its cell takes when the user types or chooses it, so
// that nothing enters the list that typing could not have put there.
//
// Numbers go through the cell rules as the exact decimal text of the stored
// value (a frequency of 340000 as "3400.00", a symbol rate of -5 as
// "-0.005"); drop-down fields must hold one of the values their choices name,
// the code rate, modulation and pilots those of the TP's signal type. A TV
// TP's code rate, modulation and roll-off are not checked: they show as "---"
// and every change of type sets them afresh. Its symbol rate is, as it shows
// again with the next change of type. Names may be empty: the adder names
// such a record as Add Plan or Add CH would.

// The first field of a record that breaks its rule.
struct RecordFault {
    std::string field; // the header of the list column that shows it; empty for the plan's TP count
    Notice rule;       // the message typing the value would show, or why the value is no choice
    int tp = 0;        // for a plan: the TP (from 1) whose field it is; 0 for the plan's own fields
    std::string tpName;

    friend bool operator==(const RecordFault&, const RecordFault&) = default;
};

// The TP's fields in the order of the TP list's columns.
std::optional<RecordFault> recordFault(const SateChannel& tp);

// The plan's own fields in the order of the plan list's columns, then its TP
// count (at most CComonOrbitune::kTpLimit), then each of its TPs.
std::optional<RecordFault> recordFault(const CComonOrbitune& plan);
