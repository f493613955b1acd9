#pragma once

#include "core/model/sate_channel.h"
#include "core/res/string_ids.h"
#include "core/res/string_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the satellite databases give an import: satellites with their TPs,
// each TP already turned into the record it becomes or the reason it cannot.

// An orbital position in tenths of a degree and its hemisphere.
struct OrbitalPosition {
    static constexpr int kMaxTenths = 1800;

    int tenths = 0;
    bool east = true;

    bool inRange() const { return tenths >= 0 && tenths <= kMaxTenths; }

    friend bool operator==(const OrbitalPosition&, const OrbitalPosition&) = default;
};

// "13.0E", "30.0W".
std::string positionText(OrbitalPosition position);

// A position in tenths of a degree East of Greenwich (West negative) brought
// into 180.0W..180.0E, as the databases of receivers write them: a value past
// 180 degrees, up to a full turn, is taken round the circle (1801 is 179.9W,
// -1850 175.0E). Nothing for a value of a full turn or more.
std::optional<OrbitalPosition> normalisedPosition(std::int64_t tenthsEast);

// A position as positionText writes it, the decimal being optional and the
// letter in either case ("19.2E", "30W", "0.5e"); nothing for any other text.
// The degrees are not limited to 180.
std::optional<OrbitalPosition> parsePosition(std::string_view text);

// One TP of a source. Exactly one of `channel` and `leftOut` is set.
struct SourceTp {
    std::string label;                  // as the source gives it: MHz, polarization, kS/s ("10719 V 27500")
    std::string name;                   // the TP name it asks for: MHz and polarization ("10719V")
    std::optional<SateChannel> channel; // the record it becomes; its number, name and id are set on import
    std::optional<Notice> leftOut;      // why the records cannot hold it
};

// One satellite of a source, its TPs in the source's order.
struct Satellite {
    std::string name;
    OrbitalPosition position;
    std::string file; // the file it was read from
    std::vector<SourceTp> tps;

    // TPs the records can hold.
    int storableCount() const;
};
