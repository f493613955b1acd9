#pragma once

#include "core/import/satellite.h"

#include <cstdint>
#include <string>
#include <vector>

// The satellites.xml of receivers: "sat" elements (name, position in tenths
// of a degree, West negative) holding "transponder" elements whose values are
// numbers.

// One transponder element, each attribute as its number.
struct XmlTp {
    std::uint64_t frequency = 0;    // kHz
    std::uint64_t symbolRate = 0;   // symbols per second
    std::uint64_t polarization = 0; // 0 H, 1 V, 2 L, 3 R
    std::uint64_t fecInner = 0;     // 0 auto, 1 1/2, 2 2/3, 3 3/4, 4 5/6, 5 7/8, 6 8/9, 7 3/5, 8 4/5, 9 9/10
    std::uint64_t system = 0;       // 0 DVB-S, 1 DVB-S2
    std::uint64_t modulation = 0;   // 0 auto, 1 QPSK, 2 8PSK
    std::uint64_t rollOff = 0;      // 0 0.35, 1 0.25, 2 0.20
    std::uint64_t pilot = 2;        // 0 off, 1 on, 2 auto
};

struct XmlSatellite {
    std::string name;
    OrbitalPosition position;
    std::string file;
    std::vector<XmlTp> tps;
};

// The satellite with each transponder as the TP it becomes, with the same
// defaults as a scan file's entries (DVB-S always QPSK, 0.35, pilots off; an
// "auto" code rate or modulation, or pilots "auto", as a new TP has them). A
// value the records cannot hold leaves the TP out, quoting the attribute.
Satellite satelliteOf(const XmlSatellite& satellite);
