#include "core/rules/channel_cell_rules.h"

#include "core/model/name_text.h"
#include "core/res/string_ids.h"
#include "core/rules/decimal_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace {

using namespace channel_column;

constexpr std::uint64_t kMinFrequency = 340000;  // 3400.00 MHz
constexpr std::uint64_t kMaxFrequency = 1275000; // 12750.00 MHz
constexpr std::uint64_t kMinBandwidth = 140;     // 1.40 MHz
constexpr std::uint64_t kMaxBandwidth = 6080;    // 60.80 MHz
constexpr std::uint64_t kNano = 1'000'000'000;
constexpr std::uint64_t kMinSymbolRate = 1 * kNano;  // 1.0 MS/s in nano-MS/s
constexpr std::uint64_t kMaxSymbolRate = 45 * kNano; // 45.0 MS/s
constexpr std::int32_t kSymbolRateCap = 45000;       // kS/s
constexpr std::uint64_t kRollOffCap = 1'000'000;     // keeps products in range

ChannelCellResult refused(int messageId)
{
    ChannelCellResult result;
    result.accepted = false;
    result.messageId = messageId;
    result.refreshList = true;
    return result;
}

ChannelCellResult stored(const SateChannel& record, std::vector<CellText> cells = {})
{
    ChannelCellResult result;
    result.record = record;
    result.cells = std::move(cells);
    return result;
}

// The index of `text` among `texts`, if it is one of them.
template <std::size_t N>
std::optional<std::int32_t> indexIn(std::string_view text, const std::array<std::string_view, N>& texts)
{
    const auto it = std::find(texts.begin(), texts.end(), text);
    if (it == texts.end())
        return std::nullopt;
    return static_cast<std::int32_t>(it - texts.begin());
}

// A text is exactly above `bound` hundredths (or nano-units) when its scaled
// value is larger, or equal with non-zero digits cut off.
bool above(const decimal::Scaled& value, std::uint64_t bound)
{
    return value.value > bound || (value.value == bound && value.dropped);
}

ChannelCellResult editName(std::string_view text, SateChannel record, const CComonOrbitune& plan)
{
    if (!IsNameText(text))
        return refused(msg::kBadChars);
    if (names::charCount(text) > 8)
        return refused(msg::kTooLong);
    if (text == record.nameText()) {
        ChannelCellResult unchanged;
        unchanged.accepted = false;
        return unchanged;
    }
    const auto used = plan.usedChannels();
    if (std::any_of(used.begin(), used.end(), [&](const SateChannel& tp) { return tp.nameText() == text; }))
        return refused(msg::kTpNameExists);
    record.setNameText(text);
    return stored(record);
}

ChannelCellResult editSignalType(std::string_view text, SateChannel record)
{
    ChannelCellResult result;
    result.refreshList = true;
    if (text == "TV") {
        record.signalType = static_cast<std::int32_t>(SignalType::TV);
    } else if (text == "DVB_S") {
        record.signalType = static_cast<std::int32_t>(SignalType::DVB_S);
        record.codeRate = 0;
        record.modulation = static_cast<std::int32_t>(Modulation::QPSK);
        record.rollOff = static_cast<std::int32_t>(RollOff::R035);
        record.pilots = 0;
    } else if (text == "DVB_S2") {
        record.signalType = static_cast<std::int32_t>(SignalType::DVB_S2);
        record.codeRate = 6;
        record.modulation = static_cast<std::int32_t>(Modulation::QPSK);
        record.rollOff = static_cast<std::int32_t>(RollOff::R035);
    } else {
        return result;
    }
    result.record = record;
    return result;
}

// Frequencies are converted digit by digit rather than as trunc(value x 100)
// in binary floating point, which would store 409610 for "4096.11".
ChannelCellResult editFrequency(std::string_view text, SateChannel record)
{
    if (!IsNumericText(text))
        return refused(msg::kBadChars);
    const decimal::Scaled hundredths = decimal::scale(text, 2);
    if (hundredths.value < kMinFrequency || hundredths.value > kMaxFrequency)
        return refused(msg::kFrequencyRange);
    record.frequency = static_cast<std::uint32_t>(hundredths.value);
    return stored(record);
}

// The bandwidth is stored as the typed hundredths exactly (binary floating
// point would store 434 for "4.35"); the symbol rate follows from it unless
// the row is a TV row. Its cell shows the computed rate with three decimals.
ChannelCellResult editBandwidth(std::string_view text, const ChannelRowTexts& row, SateChannel record)
{
    if (!IsNumericText(text))
        return refused(msg::kBadChars);
    const decimal::Scaled hundredths = decimal::scale(text, 2);
    if (hundredths.value < kMinBandwidth || above(hundredths, kMaxBandwidth))
        return refused(msg::kBandwidthRange);
    record.bandwidth = static_cast<std::uint32_t>(hundredths.value);
    if (row.signalType == "TV")
        return stored(record);
    const double rollOff = decimal::parse(row.rollOff);
    const double kiloSymbols = decimal::parse(text) * 1000.0 / (1.0 + rollOff);
    if (std::trunc(kiloSymbols) > kSymbolRateCap) {
        record.symbolRate = kSymbolRateCap;
        return stored(record, {{kSymbolRate, decimal::formatScaled(kSymbolRateCap, 3)}});
    }
    record.symbolRate = RoundSymbolRate(kiloSymbols / 1000.0);
    return stored(record, {{kSymbolRate, decimal::formatFixed(kiloSymbols / 1000.0, 3)}});
}

// The bandwidth that follows from a symbol rate is (1 + roll-off) x rate,
// stored as worked out on the exact decimals of both, at least 1.40 MHz. Its
// cell shows the computed bandwidth with two decimals.
ChannelCellResult editSymbolRate(std::string_view text, const ChannelRowTexts& row, SateChannel record)
{
    if (!IsNumericText(text))
        return refused(msg::kBadChars);
    if (row.signalType == "TV") {
        ChannelCellResult result;
        result.cells = {{kSymbolRate, "---"}};
        return result;
    }
    const decimal::Scaled nanoRate = decimal::scale(text, 9);
    if (nanoRate.value < kMinSymbolRate || above(nanoRate, kMaxSymbolRate))
        return refused(msg::kSymbolRateRange);
    const std::uint64_t rollOffHundredths = std::min(decimal::scale(row.rollOff, 2).value, kRollOffCap);
    const std::uint64_t bandwidth = std::max((100 + rollOffHundredths) * nanoRate.value / kNano, kMinBandwidth);
    record.bandwidth = static_cast<std::uint32_t>(bandwidth);
    record.symbolRate = RoundSymbolRate(decimal::parse(text));
    const double kiloHertz = (1.0 + decimal::parse(row.rollOff)) * (decimal::parse(text) * 1000.0);
    const std::string shown = kiloHertz < static_cast<double>(kMinBandwidth * 10)
                                  ? decimal::formatScaled(kMinBandwidth, 2)
                                  : decimal::formatFixed(kiloHertz / 1000.0, 2);
    return stored(record, {{kBandwidth, shown}});
}

ChannelCellResult editCodeRate(std::string_view text, SateChannel record)
{
    static constexpr std::array<std::string_view, 5> kDvbS{"1/2", "2/3", "3/4", "5/6", "7/8"};
    static constexpr std::array<std::string_view, 6> kDvbS2Shared{"3/5", "2/3", "3/4", "5/6", "8/9", "9/10"};
    std::optional<std::int32_t> index;
    if (record.signalType == static_cast<std::int32_t>(SignalType::DVB_S)) {
        index = indexIn(text, kDvbS);
    } else if (record.signalType == static_cast<std::int32_t>(SignalType::DVB_S2)) {
        if (text == "1/2")
            index = 5;
        else if (text == "4/5")
            index = 9;
        else if (const auto shared = indexIn(text, kDvbS2Shared)) {
            static constexpr std::array<std::int32_t, 6> kQpsk{6, 7, 8, 10, 11, 12};
            static constexpr std::array<std::int32_t, 6> k8psk{13, 14, 15, 16, 17, 18};
            const auto at = static_cast<std::size_t>(*shared);
            index = record.modulation == static_cast<std::int32_t>(Modulation::QPSK) ? kQpsk[at] : k8psk[at];
        }
    }
    if (!index)
        return {};
    record.codeRate = *index;
    return stored(record);
}

ChannelCellResult editModulation(std::string_view text, SateChannel record)
{
    if (text == "QPSK") {
        record.modulation = static_cast<std::int32_t>(Modulation::QPSK);
        return stored(record);
    }
    if (text == "8PSK") {
        record.modulation = static_cast<std::int32_t>(Modulation::PSK8);
        record.codeRate = 13;
        return stored(record, {{kCodeRate, "3/5"}});
    }
    return {};
}

// A drop-down whose texts map onto values of one field; other texts store nothing.
template <std::size_t N>
ChannelCellResult editChoice(std::string_view text, SateChannel record, std::int32_t SateChannel::*field,
                             const std::array<std::pair<std::string_view, std::int32_t>, N>& values)
{
    for (const auto& [choice, value] : values) {
        if (choice == text) {
            record.*field = value;
            return stored(record);
        }
    }
    return {};
}

} // namespace

bool IsNumericText(std::string_view text)
{
    if (text.empty())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(c == '.' && i > 0))
            return false;
    }
    return true;
}

bool IsNameText(std::string_view text)
{
    if (text.empty())
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '.' || c == '_';
    });
}

std::int32_t RoundSymbolRate(double megaSymbols)
{
    if (!std::isfinite(megaSymbols))
        return 0;
    constexpr double kBeyond = 3.0e6; // MS/s whose kS/s exceed any 32-bit value
    if (megaSymbols >= kBeyond)
        return std::numeric_limits<std::int32_t>::max();
    if (megaSymbols <= -kBeyond)
        return std::numeric_limits<std::int32_t>::min();
    // The rounding works on the digits of the six-decimal text, so that a
    // rate such as 1.001 gives 1001 and never 1000.999... truncated.
    const std::string text = decimal::formatFixed(std::fabs(megaSymbols), 6);
    const decimal::Scaled tenThousandths = decimal::scale(text, 4);
    const auto rounded =
        static_cast<std::int64_t>(tenThousandths.value / 10 + (tenThousandths.value % 10 >= 5 ? 1 : 0));
    const std::int64_t signedRate = megaSymbols < 0 ? -rounded : rounded;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(signedRate, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::vector<std::string> ChannelColumnChoices(int column, const ChannelRowTexts& row)
{
    const std::string& type = row.signalType;
    const bool tv = type == "TV";
    const bool dvbS = type == "DVB_S";
    const bool dvbS2 = type == "DVB_S2";
    switch (column) {
    case kEnable:
        return {"Enable", "Disable"};
    case kSignalType:
        return {"TV", "DVB_S", "DVB_S2"};
    case kCodeRate:
        if (tv)
            return {"---"};
        if (dvbS)
            return {"1/2", "2/3", "3/4", "5/6", "7/8"};
        if (dvbS2 && row.modulation == "8PSK")
            return {"3/5", "2/3", "3/4", "5/6", "8/9", "9/10"};
        if (dvbS2)
            return {"1/2", "3/5", "2/3", "3/4", "4/5", "5/6", "8/9", "9/10"};
        return {};
    case kModulation:
        if (tv)
            return {"---"};
        if (dvbS)
            return {"QPSK"};
        if (dvbS2)
            return {"QPSK", "8PSK"};
        return {};
    case kRollOff:
        if (tv)
            return {"---"};
        if (dvbS || dvbS2)
            return {"0.20", "0.25", "0.35"};
        return {};
    case kPolarization:
        return {"HORIZ/LEFT", "VERT/RIGHT", "OFF"};
    case kLnbLo:
        return {"Auto", "Low", "High"};
    case kPilots:
        if (tv)
            return {"---"};
        if (dvbS)
            return {"OFF"};
        if (dvbS2)
            return {"ON", "OFF"};
        return {};
    default:
        return {};
    }
}

ChannelCellResult ChannelCellEdited(int column, std::string_view text, const ChannelRowTexts& row,
                                    const SateChannel& record, const CComonOrbitune& plan)
{
    using Values = std::array<std::pair<std::string_view, std::int32_t>, 3>;
    switch (column) {
    case kName:
        return editName(text, record, plan);
    case kEnable: {
        SateChannel changed = record;
        changed.enabled = text == "Enable" ? 1 : 0;
        return stored(changed);
    }
    case kSignalType:
        return editSignalType(text, record);
    case kFrequency:
        return editFrequency(text, record);
    case kBandwidth:
        return editBandwidth(text, row, record);
    case kSymbolRate:
        return editSymbolRate(text, row, record);
    case kCodeRate:
        return editCodeRate(text, record);
    case kModulation:
        return editModulation(text, record);
    case kRollOff:
        return editChoice(text, record, &SateChannel::rollOff, Values{{{"0.35", 0}, {"0.25", 1}, {"0.20", 2}}});
    case kPolarization:
        return editChoice(text, record, &SateChannel::polarization,
                          Values{{{"HORIZ/LEFT", 0}, {"VERT/RIGHT", 1}, {"OFF", 2}}});
    case kLnbLo:
        return editChoice(text, record, &SateChannel::lnbLo, Values{{{"Auto", 2}, {"Low", 0}, {"High", 1}}});
    case kPilots:
        return editChoice(text, record, &SateChannel::pilots,
                          std::array<std::pair<std::string_view, std::int32_t>, 2>{{{"ON", 1}, {"OFF", 0}}});
    default:
        return {};
    }
}
