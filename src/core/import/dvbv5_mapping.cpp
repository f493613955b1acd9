#include "core/import/dvbv5_mapping.h"

#include "core/import/source_tp.h"

#include <utility>

namespace {

// The text of an entry's field as the file writes it: "MODULATION = APSK/16".
std::string quoted(std::string_view key, const std::string& value)
{
    return std::string(key) + " = " + (value.empty() ? "?" : value);
}

struct PolarizationOf {
    Polarization value;
    std::string_view letter;
};

std::optional<PolarizationOf> polarizationOf(const std::string& text)
{
    if (text == "HORIZONTAL")
        return PolarizationOf{Polarization::HorizLeft, "H"};
    if (text == "VERTICAL")
        return PolarizationOf{Polarization::VertRight, "V"};
    if (text == "LEFT")
        return PolarizationOf{Polarization::HorizLeft, "L"};
    if (text == "RIGHT")
        return PolarizationOf{Polarization::VertRight, "R"};
    if (text.empty() || text == "OFF")
        return PolarizationOf{Polarization::Off, ""};
    return std::nullopt;
}

std::optional<SignalType> typeOf(const std::string& text)
{
    if (text == "DVBS")
        return SignalType::DVB_S;
    if (text == "DVBS2")
        return SignalType::DVB_S2;
    return std::nullopt;
}

std::optional<Modulation> modulationOf(const std::string& text)
{
    if (text.empty() || text == "QPSK" || text == "QAM/AUTO")
        return Modulation::QPSK;
    if (text == "PSK/8")
        return Modulation::PSK8;
    return std::nullopt;
}

std::optional<RollOff> rollOffOf(const std::string& text)
{
    if (text.empty() || text == "AUTO" || text == "35")
        return RollOff::R035;
    if (text == "25")
        return RollOff::R025;
    if (text == "20")
        return RollOff::R020;
    return std::nullopt;
}

std::optional<Pilots> pilotsOf(const std::string& text)
{
    if (text.empty() || text == "AUTO" || text == "OFF")
        return Pilots::Off;
    if (text == "ON")
        return Pilots::On;
    return std::nullopt;
}

SourceTp tpOf(const Dvbv5Tp& tp)
{
    const auto polarization = polarizationOf(tp.polarization);
    const std::string_view letter = polarization ? polarization->letter : "";
    const auto leaveOut = [&](Notice why) { return leftOutTp(tp.frequency, letter, tp.symbolRate, std::move(why)); };
    const auto notStored = [&](std::string_view key, const std::string& value) {
        return leaveOut({msg::kValueNotStored, {quoted(key, value)}});
    };
    if (!polarization)
        return notStored("POLARIZATION", tp.polarization);
    const auto type = typeOf(tp.deliverySystem);
    if (!type)
        return notStored("DELIVERY_SYSTEM", tp.deliverySystem);
    const auto modulation = modulationOf(tp.modulation);
    if (!modulation)
        return notStored("MODULATION", tp.modulation);
    const std::string system = quoted("DELIVERY_SYSTEM", tp.deliverySystem);
    if (*type == SignalType::DVB_S && *modulation != Modulation::QPSK)
        return leaveOut({msg::kValueNotStoredWith, {quoted("MODULATION", tp.modulation), system}});

    TpValues values;
    values.frequencyKhz = tp.frequency;
    values.symbolRate = tp.symbolRate;
    values.type = *type;
    values.modulation = *modulation;
    values.polarization = polarization->value;
    std::optional<std::string_view> rateText;
    if (!tp.innerFec.empty() && tp.innerFec != "AUTO")
        rateText = tp.innerFec;
    const auto rate = codeRateIndex(*type, *modulation, rateText);
    if (!rate)
        return leaveOut(
            {msg::kValueNotStoredWith,
             {quoted("INNER_FEC", tp.innerFec),
              *type == SignalType::DVB_S ? system
                                         : quoted("MODULATION", tp.modulation.empty() ? "QPSK" : tp.modulation)}});
    values.codeRate = *rate;
    values.codeRateGuessed = !rateText;
    if (*type == SignalType::DVB_S2) {
        const auto rollOff = rollOffOf(tp.rollOff);
        if (!rollOff)
            return notStored("ROLLOFF", tp.rollOff);
        const auto pilots = pilotsOf(tp.pilot);
        if (!pilots)
            return notStored("PILOT", tp.pilot);
        values.rollOff = *rollOff;
        values.pilots = *pilots;
    }
    return sourceTpOf(values, letter);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<ScanFileName> scanFileNameOf(std::string_view fileName)
{
    const auto separator = fileName.find_last_of("-_");
    if (separator == std::string_view::npos || separator == 0)
        return std::nullopt;
    const std::string_view tail = fileName.substr(separator + 1);
    // Only the plain "<degrees>.<tenth><letter>" form names a position here.
    if (tail.size() < 2 || !isDigit(tail.front()))
        return std::nullopt;
    const auto position = parsePosition(tail);
    if (!position)
        return std::nullopt;
    return ScanFileName{std::string(fileName.substr(0, separator)), *position};
}

Satellite satelliteOf(const Dvbv5Satellite& satellite)
{
    Satellite result{satellite.name, satellite.position, satellite.file, {}};
    result.tps.reserve(satellite.tps.size());
    for (const auto& tp : satellite.tps)
        result.tps.push_back(tpOf(tp));
    return result;
}
