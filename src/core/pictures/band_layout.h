#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/guid.h"
#include "core/model/value_tables.h"
#include "core/res/string_table.h"

#include <optional>
#include <string>
#include <vector>

// The band picture of a plan: its TPs on a frequency axis, each a bar as wide
// as its bandwidth, in a lane per polarization, with what the plan's LNB
// receives. The editor paints it and the tool writes it as SVG, both from
// this layout (and band_canvas.h for where its parts go).

// The lanes, top to bottom: "HORIZ/LEFT", "VERT/RIGHT", and one for "OFF" and
// any value the table does not name.
enum class BandLane { HorizLeft, VertRight, Other };

// The system a bar is coloured by, as the TP list names it: signal types the
// table does not name show as DVB_S2 there, and here.
enum class BandSystem { TV, DvbS, DvbS2 };

struct MHzRange {
    double low = 0.0;
    double high = 0.0;

    bool contains(double mhz) const { return mhz >= low && mhz <= high; }
    friend bool operator==(const MHzRange&, const MHzRange&) = default;
};

// The frequencies one oscillator of the LNB brings into the meter's input,
// 950 to 2150 MHz. An oscillator of 8550 MHz or more sits below the band it
// receives (Ku band: 9750 MHz receives 10700 to 11900 MHz), a lower one above
// it (C band: 5150 MHz receives 3000 to 4200 MHz). Nothing when no positive
// frequency is received.
std::optional<MHzRange> oscillatorReach(double oscillatorMHz);

// One oscillator's part of the picture's band.
struct LnbBand {
    MHzRange range;
    double oscillatorMHz = 0.0;
    LnbLo oscillator = LnbLo::Low;

    friend bool operator==(const LnbBand&, const LnbBand&) = default;
};

struct BandBar {
    Guid id;
    int slot = 0;
    double centreMHz = 0.0;
    double widthMHz = 0.0;
    BandLane lane = BandLane::HorizLeft;
    BandSystem system = BandSystem::DvbS;
    bool enabled = true;
    // The slots of the TPs of the same lane whose bands it overlaps.
    std::vector<int> overlaps;
    // The earlier TP it repeats (same polarization, frequencies less than
    // 1 MHz apart), which Remove Duplicates keeps.
    std::optional<int> repeats;
    // Its frequency is outside what the oscillators it may use receive.
    bool outsideLnb = false;

    double lowMHz() const { return centreMHz - widthMHz / 2.0; }
    double highMHz() const { return centreMHz + widthMHz / 2.0; }
};

struct BandLayout {
    // One per TP, in slot order.
    std::vector<BandBar> bars;
    // What the LNB receives, the low oscillator's part first.
    std::vector<LnbBand> bands;
    // Where a TP whose LNB_LO is Auto changes from the low oscillator to the
    // high one: where the high oscillator brings the frequency to 1100 MHz,
    // so 11700 MHz for a universal Ku LNB (9750 and 10600 MHz). Only an LNB
    // with two different oscillators below the band has one.
    std::optional<double> switchMHz;
    // The lanes shown, top to bottom: always the two polarizations, the third
    // lane only when a TP uses it.
    std::vector<BandLane> lanes;
    // Every bar and band, with a margin.
    MHzRange span;

    int laneIndex(BandLane lane) const;
};

BandLayout layOutBand(const CComonOrbitune& plan);

// What a bar shows, whichever TP it stands for.
struct BarLook {
    double centreMHz = 0.0;
    double widthMHz = 0.0;
    BandLane lane = BandLane::HorizLeft;
    BandSystem system = BandSystem::DvbS;
    bool enabled = true;
    bool overlapping = false;
    bool repeated = false;
    bool outsideLnb = false;

    friend auto operator<=>(const BarLook&, const BarLook&) = default;
};

BarLook barLook(const BandBar& bar);

// The bars in the order they are drawn, back to front: wider bars first, so
// that a narrower bar over them stays in sight (it is also the one a click
// picks), then by what they show. The order of the TPs plays no part, so
// moving TPs leaves the picture as it was.
std::vector<std::size_t> drawOrder(const BandLayout& layout);

// The lane's label: "HORIZ/LEFT", "VERT/RIGHT", "OFF".
std::string_view laneText(BandLane lane);
// "TV", "DVB_S", "DVB_S2".
std::string_view systemText(BandSystem system);

// What a bar's tooltip says: the TP's cells ("TP Name: TP3", "Freq(MHz):
// 11739.00", ...), then a line per mark.
std::vector<std::string> barDescription(const CComonOrbitune& plan, const BandBar& bar, Language language);

// Round values for the axis from `range.low` to `range.high`: the multiples of
// the least step of 1, 2 or 5 times a power of ten that cuts the range into at
// most `maxSteps` steps.
std::vector<double> axisTicks(const MHzRange& range, int maxSteps);

// The frequency as the axis writes it: whole MHz, or with the decimals a small
// step needs.
std::string mhzText(double mhz, double step);
