#include "core/pictures/band_layout.h"

#include "core/editing/repeated_tps.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/decimal_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

namespace {

// The meter's input: the intermediate frequencies an LNB hands it.
constexpr double kLowestIfMHz = 950.0;
constexpr double kHighestIfMHz = 2150.0;
// An oscillator from here up sits below the band it receives.
constexpr double kLowSideFromMHz = 8550.0;
// Where the high oscillator brings the switch frequency.
constexpr double kSwitchIfMHz = 1100.0;
// The span shown when the plan has neither TPs nor a band: the Ku band.
constexpr MHzRange kEmptySpan{10700.0, 12750.0};
// The span shown around a single frequency.
constexpr double kLoneSpanMHz = 100.0;
constexpr double kMarginShare = 0.02;

double mhzOf(std::int64_t tenKHz)
{
    return static_cast<double>(tenKHz) / 100.0;
}

BandLane laneOf(const SateChannel& tp)
{
    if (holds(tp.polarization, Polarization::HorizLeft))
        return BandLane::HorizLeft;
    if (holds(tp.polarization, Polarization::VertRight))
        return BandLane::VertRight;
    return BandLane::Other;
}

BandSystem systemOf(const SateChannel& tp)
{
    if (holds(tp.signalType, SignalType::TV))
        return BandSystem::TV;
    if (holds(tp.signalType, SignalType::DVB_S))
        return BandSystem::DvbS;
    return BandSystem::DvbS2;
}

// What the plan's LNB receives and where it switches oscillators.
struct Lnb {
    double low = 0.0;
    double high = 0.0;
    std::optional<MHzRange> lowReach;
    std::optional<MHzRange> highReach;
    std::optional<double> switchMHz;

    explicit Lnb(const CComonOrbitune& plan)
        : low(mhzOf(plan.lnbLow)), high(mhzOf(plan.lnbHigh)), lowReach(oscillatorReach(low)),
          highReach(oscillatorReach(high))
    {
        if (low != high && low >= kLowSideFromMHz && high >= kLowSideFromMHz)
            switchMHz = high + kSwitchIfMHz;
    }

    // What the oscillators a TP at `mhz` set to `oscillator` may use receive.
    std::vector<MHzRange> reachesFor(double mhz, std::int32_t oscillator) const
    {
        std::vector<MHzRange> reaches;
        const auto add = [&reaches](const std::optional<MHzRange>& reach) {
            if (reach)
                reaches.push_back(*reach);
        };
        if (holds(oscillator, LnbLo::Low)) {
            add(lowReach);
        } else if (holds(oscillator, LnbLo::High)) {
            add(highReach);
        } else if (switchMHz) {
            // Auto, and values the table does not name: the oscillator the
            // switch picks, or either one where there is no switch.
            add(mhz < *switchMHz ? lowReach : highReach);
        } else {
            add(lowReach);
            if (high != low)
                add(highReach);
        }
        return reaches;
    }

    bool receives(double mhz, std::int32_t oscillator) const
    {
        const auto reaches = reachesFor(mhz, oscillator);
        return std::any_of(reaches.begin(), reaches.end(), [mhz](const MHzRange& r) { return r.contains(mhz); });
    }

    std::vector<LnbBand> bands() const
    {
        std::vector<LnbBand> result;
        const auto add = [&result](std::optional<MHzRange> range, double oscillator, LnbLo which) {
            if (range && range->low < range->high)
                result.push_back({*range, oscillator, which});
        };
        if (low == high) {
            add(lowReach, low, LnbLo::Low);
        } else if (switchMHz) {
            if (lowReach)
                add(MHzRange{lowReach->low, std::min(lowReach->high, *switchMHz)}, low, LnbLo::Low);
            if (highReach)
                add(MHzRange{std::max(highReach->low, *switchMHz), highReach->high}, high, LnbLo::High);
        } else {
            add(lowReach, low, LnbLo::Low);
            add(highReach, high, LnbLo::High);
        }
        return result;
    }
};

// Whether two TPs' bands share more than an edge.
bool overlap(const SateChannel& a, const SateChannel& b)
{
    const auto doubled = [](const SateChannel& tp) {
        const auto f = 2 * static_cast<std::int64_t>(tp.frequency);
        const auto w = static_cast<std::int64_t>(tp.bandwidth);
        return std::pair{f - w, f + w};
    };
    const auto [aLow, aHigh] = doubled(a);
    const auto [bLow, bHigh] = doubled(b);
    return aLow < bHigh && bLow < aHigh;
}

MHzRange spanOf(const std::vector<BandBar>& bars, const std::vector<LnbBand>& bands)
{
    if (bars.empty() && bands.empty())
        return kEmptySpan;
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const BandBar& bar : bars) {
        low = std::min(low, bar.lowMHz());
        high = std::max(high, bar.highMHz());
    }
    for (const LnbBand& band : bands) {
        low = std::min(low, band.range.low);
        high = std::max(high, band.range.high);
    }
    if (high - low < kLoneSpanMHz) {
        const double middle = (low + high) / 2.0;
        low = middle - kLoneSpanMHz / 2.0;
        high = middle + kLoneSpanMHz / 2.0;
    }
    const double margin = (high - low) * kMarginShare;
    return {low - margin, high + margin};
}

std::string rangeText(const MHzRange& range)
{
    return decimal::formatFixed(range.low, 0) + "-" + decimal::formatFixed(range.high, 0) + " MHz";
}

} // namespace

std::optional<MHzRange> oscillatorReach(double oscillatorMHz)
{
    MHzRange reach = oscillatorMHz >= kLowSideFromMHz
                         ? MHzRange{oscillatorMHz + kLowestIfMHz, oscillatorMHz + kHighestIfMHz}
                         : MHzRange{oscillatorMHz - kHighestIfMHz, oscillatorMHz - kLowestIfMHz};
    if (reach.high <= 0.0)
        return std::nullopt;
    reach.low = std::max(reach.low, 0.0);
    return reach;
}

int BandLayout::laneIndex(BandLane lane) const
{
    const auto it = std::find(lanes.begin(), lanes.end(), lane);
    return it == lanes.end() ? -1 : static_cast<int>(it - lanes.begin());
}

BandLayout layOutBand(const CComonOrbitune& plan)
{
    const Lnb lnb(plan);
    const auto used = plan.usedChannels();
    BandLayout layout;
    layout.switchMHz = lnb.switchMHz;
    layout.bands = lnb.bands();
    layout.lanes = {BandLane::HorizLeft, BandLane::VertRight};
    layout.bars.reserve(used.size());
    for (std::size_t slot = 0; slot < used.size(); ++slot) {
        const SateChannel& tp = used[slot];
        BandBar bar;
        bar.id = tp.id;
        bar.slot = static_cast<int>(slot);
        bar.centreMHz = mhzOf(tp.frequency);
        bar.widthMHz = mhzOf(tp.bandwidth);
        bar.lane = laneOf(tp);
        bar.system = systemOf(tp);
        bar.enabled = tp.enabled != 0;
        bar.outsideLnb = !lnb.receives(bar.centreMHz, tp.lnbLo);
        layout.bars.push_back(bar);
    }
    // Each bar's overlaps come in slot order: the earlier slots while their
    // own rows are walked, then the later ones along its own row.
    for (std::size_t a = 0; a < used.size(); ++a)
        for (std::size_t b = a + 1; b < used.size(); ++b)
            if (layout.bars[a].lane == layout.bars[b].lane && overlap(used[a], used[b])) {
                layout.bars[a].overlaps.push_back(static_cast<int>(b));
                layout.bars[b].overlaps.push_back(static_cast<int>(a));
            }
    for (const RepeatedTp& repeated : repeatedTps(plan))
        layout.bars[static_cast<std::size_t>(repeated.slot)].repeats = repeated.repeats;
    if (std::any_of(layout.bars.begin(), layout.bars.end(),
                    [](const BandBar& bar) { return bar.lane == BandLane::Other; }))
        layout.lanes.push_back(BandLane::Other);
    layout.span = spanOf(layout.bars, layout.bands);
    return layout;
}

BarLook barLook(const BandBar& bar)
{
    return {bar.centreMHz,           bar.widthMHz,  bar.lane, bar.system, bar.enabled, !bar.overlaps.empty(),
            bar.repeats.has_value(), bar.outsideLnb};
}

std::vector<std::size_t> drawOrder(const BandLayout& layout)
{
    std::vector<std::size_t> order(layout.bars.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto key = [&layout](std::size_t i) {
        const BandBar& bar = layout.bars[i];
        return std::tuple(-bar.widthMHz, barLook(bar), bar.id);
    };
    std::sort(order.begin(), order.end(), [&key](std::size_t a, std::size_t b) { return key(a) < key(b); });
    return order;
}

std::string_view laneText(BandLane lane)
{
    switch (lane) {
    case BandLane::HorizLeft:
        return *textOf(kPolarizations, stored(Polarization::HorizLeft));
    case BandLane::VertRight:
        return *textOf(kPolarizations, stored(Polarization::VertRight));
    case BandLane::Other:
        break;
    }
    return *textOf(kPolarizations, stored(Polarization::Off));
}

std::string_view systemText(BandSystem system)
{
    switch (system) {
    case BandSystem::TV:
        return *textOf(kSignalTypes, stored(SignalType::TV));
    case BandSystem::DvbS:
        return *textOf(kSignalTypes, stored(SignalType::DVB_S));
    case BandSystem::DvbS2:
        break;
    }
    return *textOf(kSignalTypes, stored(SignalType::DVB_S2));
}

std::vector<std::string> barDescription(const CComonOrbitune& plan, const BandBar& bar, Language language)
{
    const auto used = plan.usedChannels();
    if (bar.slot < 0 || static_cast<std::size_t>(bar.slot) >= used.size())
        return {};
    const SateChannel& tp = used[static_cast<std::size_t>(bar.slot)];
    // A bar laid out before the plan changed may name slots it no longer has.
    const auto nameAt = [&used](int slot) {
        return slot >= 0 && static_cast<std::size_t>(slot) < used.size()
                   ? used[static_cast<std::size_t>(slot)].nameText()
                   : std::string("?");
    };
    std::vector<std::string> lines;
    for (const int column :
         {channel_column::kName, channel_column::kEnable, channel_column::kSignalType, channel_column::kFrequency,
          channel_column::kBandwidth, channel_column::kSymbolRate, channel_column::kCodeRate,
          channel_column::kModulation, channel_column::kPolarization, channel_column::kLnbLo}) {
        // The frequency exactly, where the list shows whole MHz.
        const std::string value =
            column == channel_column::kFrequency ? decimal::formatScaled(tp.frequency, 2) : ChannelCellText(tp, column);
        lines.push_back(std::string(channel_column::kHeaders[static_cast<std::size_t>(column)]) + ": " + value);
    }
    if (!bar.overlaps.empty()) {
        std::string names;
        for (const int other : bar.overlaps)
            names += (names.empty() ? "" : ", ") + nameAt(other);
        lines.push_back(formatMessage(msg::kOverlapsTps, language, std::vector{names}));
    }
    if (bar.repeats)
        lines.push_back(formatMessage(msg::kRepeatsTp, language,
                                      std::vector{std::to_string(*bar.repeats + 1), nameAt(*bar.repeats)}));
    if (bar.outsideLnb) {
        std::string reach;
        for (const MHzRange& range : Lnb(plan).reachesFor(bar.centreMHz, tp.lnbLo))
            reach += (reach.empty() ? "" : ", ") + rangeText(range);
        lines.push_back(
            formatMessage(msg::kOutsideLnb, language,
                          std::vector{decimal::formatScaled(tp.frequency, 2), reach.empty() ? "-" : reach}));
    }
    return lines;
}

std::vector<double> axisTicks(const MHzRange& range, int maxSteps)
{
    const double span = range.high - range.low;
    if (!(span > 0.0) || maxSteps < 1)
        return {};
    const double rough = span / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10.0;
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    std::vector<double> ticks;
    for (double k = std::ceil(range.low / step); k * step <= range.high; k += 1.0)
        ticks.push_back(k * step);
    return ticks;
}

std::string mhzText(double mhz, double step)
{
    int decimals = 0;
    while (decimals < 2 && step < 1.0 / std::pow(10.0, decimals) - 1e-9)
        ++decimals;
    return decimal::formatFixed(mhz, decimals);
}
