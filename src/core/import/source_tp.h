#pragma once

#include "core/import/satellite.h"
#include "core/model/value_tables.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The part of reading a TP that every source shares, once the source's own
// codes are read: the record's fields, the range checks of the TP cells and
// the bandwidth that follows from the symbol rate and the roll-off.

// A TP's values in the records' terms.
struct TpValues {
    std::uint64_t frequencyKhz = 0;
    std::uint64_t symbolRate = 0; // symbols per second
    SignalType type = SignalType::DVB_S;
    Modulation modulation = Modulation::QPSK;
    std::int32_t codeRate = kDvbSDefaultCodeRate;
    RollOff rollOff = RollOff::R035;
    Pilots pilots = Pilots::Off;
    Polarization polarization = Polarization::HorizLeft;
    bool codeRateGuessed = false; // the source leaves the code rate to the receiver
};

// The code-rate index of a rate text ("3/4") for the type and modulation; an
// "auto" rate (none) takes the rate a new TP of that type and modulation
// gets. Nothing when the table has no such rate.
std::optional<std::int32_t> codeRateIndex(SignalType type, Modulation modulation, std::optional<std::string_view> rate);

// The TP of a source with these values: its record, or the notice that its
// frequency is outside 3400 to 12750 MHz or its symbol rate outside 1 to 45
// MS/s. `polarization` is the source's letter ("H", "V", "L", "R" or none),
// which the label and the name carry.
SourceTp sourceTpOf(const TpValues& values, std::string_view polarization);

// The TP of a table's row, already a record: labelled and named as a source
// labels and names its TPs, or by the record's own name when it has one.
SourceTp sourceTpOfRecord(const SateChannel& channel);

// A TP of a source that the records cannot hold, and why.
SourceTp leftOutTp(std::uint64_t frequencyKhz, std::string_view polarization, std::uint64_t symbolRate, Notice why);
