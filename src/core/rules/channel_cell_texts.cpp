#include "core/rules/channel_cell_texts.h"

#include "core/rules/channel_cell_rules.h"
#include "core/rules/decimal_text.h"

#include <cstdint>

namespace {

constexpr const char* kNone = "---";

std::string codeRateText(const SateChannel& tp)
{
    const int rate = tp.codeRate;
    if (tp.signalType == 1)
        return rate >= 0 && rate <= 4 ? std::string(kCodeRateTexts[static_cast<std::size_t>(rate)]) : std::string();
    return rate >= 5 && rate <= 18 ? std::string(kCodeRateTexts[static_cast<std::size_t>(rate)]) : std::string();
}

std::string modulationText(const SateChannel& tp)
{
    if (tp.signalType == 1)
        return tp.modulation == 1 ? "QPSK" : kNone;
    switch (tp.modulation) {
    case 1:
        return "QPSK";
    case 0:
        return "8PSK";
    default:
        return {};
    }
}

std::string rollOffText(const SateChannel& tp)
{
    switch (tp.rollOff) {
    case 0:
        return "0.35";
    case 1:
        return "0.25";
    case 2:
        return "0.20";
    default:
        return tp.signalType == 1 ? kNone : "";
    }
}

std::string polarizationText(const SateChannel& tp)
{
    switch (tp.polarization) {
    case 0:
        return "HORIZ/LEFT";
    case 1:
        return "VERT/RIGHT";
    case 2:
        return "OFF";
    default:
        return tp.signalType == 0 ? kNone : "";
    }
}

std::string lnbLoText(const SateChannel& tp)
{
    switch (tp.lnbLo) {
    case 0:
        return "Low";
    case 1:
        return "High";
    case 2:
        return "Auto";
    default:
        return {};
    }
}

} // namespace

std::string ChannelCellText(const SateChannel& tp, int column)
{
    using namespace channel_column;
    const bool tv = tp.signalType == 0;
    switch (column) {
    case kName:
        return tp.nameText();
    case kEnable:
        return tp.enabled != 0 ? "Enable" : "Disable";
    case kSignalType:
        return tp.signalType == 0 ? "TV" : tp.signalType == 1 ? "DVB_S" : "DVB_S2";
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
        return tv ? kNone : rollOffText(tp);
    case kPolarization:
        return polarizationText(tp);
    case kLnbLo:
        return lnbLoText(tp);
    case kPilots:
        return tv ? kNone : tp.pilots == 1 ? "ON" : "OFF";
    default:
        return {};
    }
}
