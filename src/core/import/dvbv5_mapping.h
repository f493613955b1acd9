#pragma once

#include "core/import/satellite.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// DVBv5 scan files: one file per satellite, named after it and its position
// ("Hotbird-13.0E"), one entry per TP.

// One entry of a scan file. The coded values are the texts the file format
// uses for them ("DVBS2", "PSK/8", "3/4", "AUTO", "VERTICAL"), empty when the
// entry does not give them.
struct Dvbv5Tp {
    std::string deliverySystem;
    std::uint64_t frequency = 0;  // kHz
    std::uint64_t symbolRate = 0; // symbols per second
    std::string innerFec;
    std::string modulation;
    std::string rollOff; // "35", "25", "20", "AUTO"
    std::string pilot;   // "ON", "OFF", "AUTO"
    std::string polarization;
};

struct Dvbv5Satellite {
    std::string name;
    OrbitalPosition position;
    std::string file;
    std::vector<Dvbv5Tp> tps;
};

// The satellite and position a scan file's name gives: the name up to the
// last "-" or "_", then the degrees and the hemisphere ("NSS-806-40.5W" gives
// NSS-806 at 40.5W). Nothing for a name without a position.
struct ScanFileName {
    std::string satellite;
    OrbitalPosition position;
};
std::optional<ScanFileName> scanFileNameOf(std::string_view fileName);

// The satellite with each entry as the TP it becomes. DVB-S is always QPSK
// with roll-off 0.35 and pilots off; an "auto" or missing code rate, roll-off
// or pilots setting takes what a new TP gets (code rate 1/2 for DVB-S, 3/5 for
// DVB-S2; roll-off 0.35; pilots off). A value the records cannot hold leaves
// the TP out, quoting the entry's own text.
Satellite satelliteOf(const Dvbv5Satellite& satellite);
