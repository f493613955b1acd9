#include "core/import/satellites_xml_mapping.h"

#include "core/import/source_tp.h"

#include <array>
#include <utility>

namespace {

// The rates by fec_inner value, from 1; 0 is "auto".
constexpr std::array<std::string_view, 9> kFecRates{"1/2", "2/3", "3/4", "5/6", "7/8", "8/9", "3/5", "4/5", "9/10"};
constexpr std::array<Polarization, 4> kPolarizations{Polarization::HorizLeft, Polarization::VertRight,
                                                     Polarization::HorizLeft, Polarization::VertRight};
constexpr std::array<std::string_view, 4> kPolarizationLetters{"H", "V", "L", "R"};
constexpr std::array<RollOff, 3> kRollOffValues{RollOff::R035, RollOff::R025, RollOff::R020};

// The attribute as the file writes it: modulation="4".
std::string quoted(std::string_view attribute, std::uint64_t value)
{
    return std::string(attribute) + "=\"" + std::to_string(value) + "\"";
}

SourceTp tpOf(const XmlTp& tp)
{
    const bool knownPolarization = tp.polarization < kPolarizations.size();
    const std::string_view letter = knownPolarization ? kPolarizationLetters[tp.polarization] : "";
    const auto leaveOut = [&](Notice why) { return leftOutTp(tp.frequency, letter, tp.symbolRate, std::move(why)); };
    const auto notStored = [&](std::string_view attribute, std::uint64_t value) {
        return leaveOut({msg::kValueNotStored, {quoted(attribute, value)}});
    };
    if (!knownPolarization)
        return notStored("polarization", tp.polarization);
    if (tp.system > 1)
        return notStored("system", tp.system);
    if (tp.modulation > 2)
        return notStored("modulation", tp.modulation);
    if (tp.fecInner > kFecRates.size())
        return notStored("fec_inner", tp.fecInner);
    const SignalType type = tp.system == 0 ? SignalType::DVB_S : SignalType::DVB_S2;
    const Modulation modulation = tp.modulation == 2 ? Modulation::PSK8 : Modulation::QPSK;
    if (type == SignalType::DVB_S && modulation != Modulation::QPSK)
        return leaveOut({msg::kValueNotStoredWith, {quoted("modulation", tp.modulation), quoted("system", tp.system)}});

    TpValues values;
    values.frequencyKhz = tp.frequency;
    values.symbolRate = tp.symbolRate;
    values.type = type;
    values.modulation = modulation;
    values.polarization = kPolarizations[tp.polarization];
    std::optional<std::string_view> rateText;
    if (tp.fecInner > 0)
        rateText = kFecRates[tp.fecInner - 1];
    const auto rate = codeRateIndex(type, modulation, rateText);
    if (!rate)
        return leaveOut(
            {msg::kValueNotStoredWith,
             {quoted("fec_inner", tp.fecInner),
              type == SignalType::DVB_S ? quoted("system", tp.system) : quoted("modulation", tp.modulation)}});
    values.codeRate = *rate;
    values.codeRateGuessed = !rateText;
    if (type == SignalType::DVB_S2) {
        if (tp.rollOff >= kRollOffValues.size())
            return notStored("rolloff", tp.rollOff);
        if (tp.pilot > 2)
            return notStored("pilot", tp.pilot);
        values.rollOff = kRollOffValues[tp.rollOff];
        values.pilots = tp.pilot == 1 ? Pilots::On : Pilots::Off;
    }
    return sourceTpOf(values, letter);
}

} // namespace

Satellite satelliteOf(const XmlSatellite& satellite)
{
    Satellite result{satellite.name, satellite.position, satellite.file, {}};
    result.tps.reserve(satellite.tps.size());
    for (const auto& tp : satellite.tps)
        result.tps.push_back(tpOf(tp));
    return result;
}
