#pragma once

#include "core/pictures/band_layout.h"

#include <cstdint>

// The colours of the band picture, the same in the editor and in SVG. They
// stand on a light background, which every visual style gives the picture.
struct BandColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

namespace band_colours {

inline constexpr BandColour kTv{0x8E, 0x6B, 0xBF};
inline constexpr BandColour kDvbS{0x2F, 0x74, 0xC0};
inline constexpr BandColour kDvbS2{0x23, 0x9A, 0x5A};
inline constexpr BandColour kOverlapping{0xF0, 0x9A, 0x1A};
inline constexpr BandColour kRepeated{0xC0, 0x2B, 0x2B};
inline constexpr BandColour kOutsideLnb{0xC0, 0x2B, 0x2B};
inline constexpr BandColour kBand{0xE4, 0xEE, 0xFA};
inline constexpr BandColour kBandEdge{0x6D, 0x7F, 0x92};
inline constexpr BandColour kSwitch{0xD3, 0x54, 0x00};
// A disabled TP's bar shows its system's colour at this opacity.
inline constexpr double kDisabledOpacity = 0.3;

constexpr BandColour ofSystem(BandSystem system)
{
    switch (system) {
    case BandSystem::TV:
        return kTv;
    case BandSystem::DvbS:
        return kDvbS;
    case BandSystem::DvbS2:
        break;
    }
    return kDvbS2;
}

} // namespace band_colours
