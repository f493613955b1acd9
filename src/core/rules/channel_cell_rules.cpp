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
constexpr std::uint64_t kMinSymbolRate = 1 * kNano;       // 1.0 MS/s in nano-MS/s
constexpr std::uint64_t kMaxSymbolRate = 45 * kNano;      // 45.0 MS/s
constexpr std::int32_t kSymbolRateCap = 45000;            // kS/s
constexpr std::uint64_t kRollOffCap = 1'000'000;          // keeps products in range
constexpr std::uint64_t kNanoRateCap = 1'000'000'000'000; // 1000 MS/s, likewise

ChannelCellResult refused(MessageId messageId)
{
    ChannelCellResult result;
    result.accepted = false;
    result.messageId = messageId;
    result.refreshList = true;
    return result;
}

ChannelCellResult store(const SateChannel& record, std::vector<CellText> cells = {})
{
    ChannelCellResult result;
    result.record = record;
    result.cells = std::move(cells);
    return result;
}

// The texts of a table, in its order.
template <typename E, std::size_t N> std::vector<std::string> textsOf(const std::array<NamedValue<E>, N>& table)
{
    std::vector<std::string> texts;
    for (const auto& v : table)
        texts.emplace_back(v.text);
    return texts;
}

// The texts of the code rates of a type and modulation.
std::vector<std::string> codeRateTexts(SignalType type, Modulation modulation)
{
    std::vector<std::string> texts;
    forEachCodeRate(type, modulation, [&](const CodeRate& rate) { texts.emplace_back(rate.text); });
    return texts;
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
    return store(record);
}

ChannelCellResult editSignalType(std::string_view text, SateChannel record)
{
    ChannelCellResult result;
    result.refreshList = true;
    const auto type = valueOf(kSignalTypes, text);
    if (!type)
        return result;
    record.signalType = stored(*type);
    if (*type != SignalType::TV) {
        record.codeRate = *type == SignalType::DVB_S ? kDvbSDefaultCodeRate : kDvbS2DefaultCodeRate;
        record.modulation = stored(Modulation::QPSK);
        record.rollOff = stored(RollOff::R035);
    }
    if (*type == SignalType::DVB_S)
        record.pilots = stored(Pilots::Off);
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
    return store(record);
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
        return store(record);
    const double rollOff = decimal::parse(row.rollOff);
    const double kiloSymbols = decimal::parse(text) * 1000.0 / (1.0 + rollOff);
    if (std::trunc(kiloSymbols) > kSymbolRateCap) {
        record.symbolRate = kSymbolRateCap;
        return store(record, {{kSymbolRate, decimal::formatScaled(kSymbolRateCap, 3)}});
    }
    record.symbolRate = RoundSymbolRate(kiloSymbols / 1000.0);
    return store(record, {{kSymbolRate, decimal::formatFixed(kiloSymbols / 1000.0, 3)}});
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
    record.bandwidth = BandwidthOfSymbolRate(nanoRate.value, decimal::scale(row.rollOff, 2).value);
    record.symbolRate = RoundSymbolRate(decimal::parse(text));
    const double kiloHertz = (1.0 + decimal::parse(row.rollOff)) * (decimal::parse(text) * 1000.0);
    const std::string shown = kiloHertz < static_cast<double>(kMinBandwidth * 10)
                                  ? decimal::formatScaled(kMinBandwidth, 2)
                                  : decimal::formatFixed(kiloHertz / 1000.0, 2);
    return store(record, {{kBandwidth, shown}});
}

// The index of a rate text by the record's type and modulation. A DVB-S2 rate
// that 8PSK lacks (1/2, 4/5) takes its QPSK index whatever the modulation.
ChannelCellResult editCodeRate(std::string_view text, SateChannel record)
{
    const bool dvbS = holds(record.signalType, SignalType::DVB_S);
    if (!dvbS && !holds(record.signalType, SignalType::DVB_S2))
        return {};
    const SignalType type = dvbS ? SignalType::DVB_S : SignalType::DVB_S2;
    const Modulation modulation = holds(record.modulation, Modulation::QPSK) ? Modulation::QPSK : Modulation::PSK8;
    std::optional<std::int32_t> index;
    const auto find = [&](Modulation m) {
        forEachCodeRate(type, m, [&](const CodeRate& rate) {
            if (!index && rate.text == text)
                index = rate.index;
        });
    };
    find(modulation);
    if (!index)
        find(Modulation::QPSK);
    if (!index)
        return {};
    record.codeRate = *index;
    return store(record);
}

// 8PSK starts at its first code rate; QPSK keeps the stored one.
ChannelCellResult editModulation(std::string_view text, SateChannel record)
{
    const auto modulation = valueOf(kModulations, text);
    if (!modulation)
        return {};
    record.modulation = stored(*modulation);
    if (*modulation == Modulation::QPSK)
        return store(record);
    record.codeRate = k8pskFirstCodeRate;
    return store(record, {{kCodeRate, std::string(kCodeRates[k8pskFirstCodeRate].text)}});
}

// A drop-down whose texts name values of one field; other texts store nothing.
template <typename E, std::size_t N>
ChannelCellResult editChoice(std::string_view text, SateChannel record, std::int32_t SateChannel::*field,
                             const std::array<NamedValue<E>, N>& table)
{
    const auto value = valueOf(table, text);
    if (!value)
        return {};
    record.*field = stored(*value);
    return store(record);
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

std::uint32_t BandwidthOfSymbolRate(std::uint64_t nanoMegaSymbols, std::uint64_t rollOffHundredths)
{
    const std::uint64_t rate = std::min(nanoMegaSymbols, kNanoRateCap);
    const std::uint64_t rollOff = std::min(rollOffHundredths, kRollOffCap);
    return static_cast<std::uint32_t>(std::max((100 + rollOff) * rate / kNano, kMinBandwidth));
}

std::vector<std::string> ChannelColumnChoices(int column, const ChannelRowTexts& row)
{
    const auto type = valueOf(kSignalTypes, row.signalType);
    switch (column) {
    case kEnable:
        return textsOf(kEnableValues);
    case kSignalType:
        return textsOf(kSignalTypes);
    case kPolarization:
        return textsOf(kPolarizations);
    case kLnbLo:
        return textsOf(kLnbLos);
    default:
        break;
    }
    if (!type)
        return {};
    if (*type == SignalType::TV)
        return column == kCodeRate || column == kModulation || column == kRollOff || column == kPilots
                   ? std::vector<std::string>{"---"}
                   : std::vector<std::string>{};
    const bool dvbS = *type == SignalType::DVB_S;
    switch (column) {
    case kCodeRate:
        return codeRateTexts(*type, row.modulation == "8PSK" ? Modulation::PSK8 : Modulation::QPSK);
    case kModulation:
        return dvbS ? std::vector<std::string>{"QPSK"} : textsOf(kModulations);
    case kRollOff:
        return textsOf(kRollOffs);
    case kPilots:
        return dvbS ? std::vector<std::string>{"OFF"} : textsOf(kPilotSettings);
    default:
        return {};
    }
}

ChannelCellResult ChannelCellEdited(int column, std::string_view text, const ChannelRowTexts& row,
                                    const SateChannel& record, const CComonOrbitune& plan)
{
    switch (column) {
    case kName:
        return editName(text, record, plan);
    case kEnable: {
        SateChannel changed = record;
        changed.enabled = stored(text == "Enable" ? Enable::Enable : Enable::Disable);
        return store(changed);
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
        return editChoice(text, record, &SateChannel::rollOff, kRollOffs);
    case kPolarization:
        return editChoice(text, record, &SateChannel::polarization, kPolarizations);
    case kLnbLo:
        return editChoice(text, record, &SateChannel::lnbLo, kLnbLos);
    case kPilots:
        return editChoice(text, record, &SateChannel::pilots, kPilotSettings);
    default:
        return {};
    }
}
