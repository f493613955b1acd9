#include "core/import/source_tp.h"

#include "core/rules/channel_cell_rules.h"
#include "core/rules/decimal_text.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr std::uint64_t kMinFrequency = 340000;      // 3400.00 MHz in 10 kHz units
constexpr std::uint64_t kMaxFrequency = 1275000;     // 12750.00 MHz
constexpr std::uint64_t kMinSymbolRate = 1'000'000;  // 1.000 MS/s
constexpr std::uint64_t kMaxSymbolRate = 45'000'000; // 45.000 MS/s
constexpr std::uint64_t kNanoPerSymbol = 1000;       // 10^-9 MS/s in one symbol per second

// A number of thousandths without the zeros that end its decimals: 10719000
// gives "10719", 10719500 "10719.5".
std::string thousandthsText(std::uint64_t value)
{
    const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::string text = decimal::formatScaled(static_cast<std::int64_t>(std::min(value, limit)), 3);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string labelOf(std::uint64_t frequencyKhz, std::string_view polarization, std::uint64_t symbolRate)
{
    std::string label = thousandthsText(frequencyKhz);
    if (!polarization.empty())
        label.append(" ").append(polarization);
    return label + " " + thousandthsText(symbolRate);
}

std::string nameOf(std::uint64_t frequencyKhz, std::string_view polarization)
{
    return std::to_string(frequencyKhz / 1000) + std::string(polarization);
}

std::uint64_t rollOffHundredths(RollOff rollOff)
{
    return decimal::scale(textOf(kRollOffs, stored(rollOff)).value_or("0.35"), 2).value;
}

} // namespace

std::optional<std::int32_t> codeRateIndex(SignalType type, Modulation modulation, std::optional<std::string_view> rate)
{
    if (!rate) {
        if (type == SignalType::DVB_S)
            return kDvbSDefaultCodeRate;
        return modulation == Modulation::PSK8 ? k8pskFirstCodeRate : kDvbS2DefaultCodeRate;
    }
    std::optional<std::int32_t> index;
    forEachCodeRate(type, modulation, [&](const CodeRate& entry) {
        if (!index && entry.text == *rate)
            index = entry.index;
    });
    return index;
}

SourceTp sourceTpOf(const TpValues& values, std::string_view polarization)
{
    const std::uint64_t frequency = values.frequencyKhz / 10;
    if (frequency < kMinFrequency || frequency > kMaxFrequency)
        return leftOutTp(values.frequencyKhz, polarization, values.symbolRate,
                         {msg::kFrequencyOutside, {thousandthsText(values.frequencyKhz)}});
    if (values.symbolRate < kMinSymbolRate || values.symbolRate > kMaxSymbolRate)
        return leftOutTp(values.frequencyKhz, polarization, values.symbolRate,
                         {msg::kSymbolRateOutside, {thousandthsText(values.symbolRate)}});
    SateChannel channel = SateChannel::withAddDefaults(0, "");
    channel.signalType = stored(values.type);
    channel.frequency = static_cast<std::uint32_t>(frequency);
    channel.symbolRate = RoundSymbolRate(static_cast<double>(values.symbolRate) / 1e6);
    channel.bandwidth = BandwidthOfSymbolRate(values.symbolRate * kNanoPerSymbol, rollOffHundredths(values.rollOff));
    channel.codeRate = values.codeRate;
    channel.modulation = stored(values.modulation);
    channel.rollOff = stored(values.rollOff);
    channel.pilots = stored(values.pilots);
    channel.polarization = stored(values.polarization);
    channel.lnbLo = stored(LnbLo::Auto);
    return {labelOf(values.frequencyKhz, polarization, values.symbolRate), nameOf(values.frequencyKhz, polarization),
            channel, std::nullopt, values.codeRateGuessed};
}

SourceTp sourceTpOfRecord(const SateChannel& channel)
{
    const std::string_view letter = holds(channel.polarization, Polarization::HorizLeft)   ? "H"
                                    : holds(channel.polarization, Polarization::VertRight) ? "V"
                                                                                           : "";
    const std::uint64_t frequencyKhz = std::uint64_t{channel.frequency} * 10;
    const std::uint64_t symbolRate =
        channel.symbolRate > 0 ? std::uint64_t{static_cast<std::uint32_t>(channel.symbolRate)} * 1000 : 0;
    const std::string name = channel.nameText();
    return {labelOf(frequencyKhz, letter, symbolRate), name.empty() ? nameOf(frequencyKhz, letter) : name, channel,
            std::nullopt, false};
}

SourceTp leftOutTp(std::uint64_t frequencyKhz, std::string_view polarization, std::uint64_t symbolRate, Notice why)
{
    return {labelOf(frequencyKhz, polarization, symbolRate), nameOf(frequencyKhz, polarization), std::nullopt,
            std::move(why), false};
}
