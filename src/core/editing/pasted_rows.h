#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/model/sate_channel.h"
#include "core/res/string_ids.h"
#include "core/res/string_table.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Records from tab-separated text pasted into a list, as a spreadsheet or a
// web page's table gives it. The first row is the header: each column is
// mapped by its header to a column of the list (the list's own headers, and
// common names such as frequency, polarization, symbol rate, system,
// modulation or FEC); columns with other headers are left out. Every cell
// then goes through the same rule as a text typed into that cell, starting
// from the values Add CH or Add Plan give. Empty cells and "---" keep those
// values. Values are taken as spreadsheets write them too: "H" and "V" for
// the polarization, "DVB-S2" for the system, a symbol rate of 1000 or more in
// kS/s, a decimal comma. Where both the bandwidth and the symbol rate are
// pasted, each keeps its own value rather than the one the other implies.
//
// Names are kept as pasted (or left empty where none is); they are made
// unique when the records are added. Numbers and ids are the adder's too.

// Why a paste fails: the row of the pasted text (the header is row 1) and the
// header of the column as pasted, with the rule's message; row 0 when the
// text as a whole cannot be pasted.
struct PasteFailure {
    int row = 0;
    std::string column;
    MessageId rule{};
    std::vector<std::string> ruleArgs;

    friend bool operator==(const PasteFailure&, const PasteFailure&) = default;
};

// The records of every row, or the first failure and none.
template <typename Record> struct PastedRows {
    std::vector<Record> records;
    std::optional<PasteFailure> failure;
};

// At most `room` records: a text of more rows is refused with the limit's
// message ("Reach the max TP nums(100)", "Reach the Max nums") before any
// record is made.
PastedRows<SateChannel> channelsFromTable(std::string_view text, std::size_t room);
PastedRows<CComonOrbitune> plansFromTable(std::string_view text, std::size_t room);

// The records of the editor's own JSON (encodePlansJson) as it was copied:
// its plans, or the TPs of its plans, ids, names and numbers included. A
// document that cannot be read pastes nothing; more than `room` records are
// refused with the limit's message, the plans past the 255 a document gives
// counted without being made.
PastedRows<CComonOrbitune> plansFromJson(std::string_view json, std::size_t room);
PastedRows<SateChannel> channelsFromJson(std::string_view json, std::size_t room);
