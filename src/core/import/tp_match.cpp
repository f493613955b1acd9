#include "core/import/tp_match.h"

namespace {

constexpr std::uint32_t kKuLowStart = 1070000;  // 10700 MHz in 10 kHz units
constexpr std::uint32_t kKuHighStart = 1170000; // 11700 MHz
constexpr std::uint32_t kSameWithin = 100;      // 1 MHz

} // namespace

Band bandOf(const SateChannel& tp)
{
    if (tp.frequency < kKuLowStart)
        return Band::C;
    return tp.frequency < kKuHighStart ? Band::KuLow : Band::KuHigh;
}

bool sameTp(const SateChannel& a, const SateChannel& b)
{
    const std::uint32_t apart = a.frequency > b.frequency ? a.frequency - b.frequency : b.frequency - a.frequency;
    return a.polarization == b.polarization && apart < kSameWithin;
}
