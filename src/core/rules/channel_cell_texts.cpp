#include "core/rules/channel_cell_texts.h"

#include "core/model/value_tables.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/decimal_text.h"

#include <cstdint>

namespace {

constexpr const char* kNone = "---";

// The text a table gives a stored value, or `otherwise`.
template <typename E, std::size_t N>
std::string named(const std::array<NamedValue<E>, N>& table, std::int32_t field, std::string_view otherwise = {})
{
    return std::string(textOf(table, field).value_or(otherwise));
}

// Any type but TV and DVB_S shows as DVB_S2.
SignalType shownType(const SateChannel& tp)
{
    if (holds(tp.signalType, SignalType::TV))
        return SignalType::TV;
    return holds(tp.signalType, SignalType::DVB_S) ? SignalType::DVB_S : SignalType::DVB_S2;
}

std::string codeRateText(const SateChannel& tp)
{
    const auto rate = codeRateOf(tp.codeRate, shownType(tp));
    return rate ? std::string(rate->text) : std::string();
}

std::string modulationText(const SateChannel& tp)
{
    if (shownType(tp) == SignalType::DVB_S)
        return holds(tp.modulation, Modulation::QPSK) ? "QPSK" : kNone;
    return named(kModulations, tp.modulation);
}

} // namespace

std::string ChannelCellText(const SateChannel& tp, int column)
{
    using namespace channel_column;
    const SignalType type = shownType(tp);
    const bool tv = type == SignalType::TV;
    switch (column) {
    case kName:
        return tp.nameText();
    case kEnable:
        return tp.enabled != 0 ? "Enable" : "Disable";
    case kSignalType:
        return named(kSignalTypes, stored(type));
    case kFrequency:
        return std::to_string(tp.frequency / 100U);
    case kBandwidth:
        return decimal::formatScaled(tp.bandwidth, 2);
    case kSymbolRate:
        return tv ? kNone : decimal::formatScaled(tp.symbolRate, 3);
    case kCodeRate:
        return tv ? kNone : codeRateText(tp);
    case kModulation:
        return tv ? kNone : modulationText(tp);
    case kRollOff:
        return tv ? kNone : named(kRollOffs, tp.rollOff, type == SignalType::DVB_S ? kNone : "");
    case kPolarization:
        return named(kPolarizations, tp.polarization, tv ? kNone : "");
    case kLnbLo:
        return named(kLnbLos, tp.lnbLo);
    case kPilots:
        return tv ? kNone : holds(tp.pilots, Pilots::On) ? "ON" : "OFF";
    default:
        return {};
    }
}
