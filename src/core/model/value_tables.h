#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The named values of the transponder fields and the texts the TP list shows
// for them. The records keep their fields as the stored 32-bit numbers (files
// and meters may hold any value); these tables name the values that mean
// something. Each table lists its values in the order the field's drop-down
// offers them.

enum class Enable : std::int32_t { Disable = 0, Enable = 1 };
enum class SignalType : std::int32_t { TV = 0, DVB_S = 1, DVB_S2 = 2 };
enum class Modulation : std::int32_t { PSK8 = 0, QPSK = 1 };
enum class RollOff : std::int32_t { R035 = 0, R025 = 1, R020 = 2 };
enum class Pilots : std::int32_t { Off = 0, On = 1 };
enum class Polarization : std::int32_t { HorizLeft = 0, VertRight = 1, Off = 2 };
enum class LnbLo : std::int32_t { Low = 0, High = 1, Auto = 2 };

// The stored number of a named value.
template <typename E> constexpr std::int32_t stored(E value)
{
    return static_cast<std::int32_t>(value);
}

// Whether a stored field holds the named value.
template <typename E> constexpr bool holds(std::int32_t field, E value)
{
    return field == stored(value);
}

template <typename E> struct NamedValue {
    E value;
    std::string_view text;
};

inline constexpr std::array<NamedValue<Enable>, 2> kEnableValues{{{Enable::Enable, "Enable"}, {Enable::Disable, "Disable"}}};
inline constexpr std::array<NamedValue<SignalType>, 3> kSignalTypes{
    {{SignalType::TV, "TV"}, {SignalType::DVB_S, "DVB_S"}, {SignalType::DVB_S2, "DVB_S2"}}};
inline constexpr std::array<NamedValue<Modulation>, 2> kModulations{
    {{Modulation::QPSK, "QPSK"}, {Modulation::PSK8, "8PSK"}}};
inline constexpr std::array<NamedValue<RollOff>, 3> kRollOffs{
    {{RollOff::R020, "0.20"}, {RollOff::R025, "0.25"}, {RollOff::R035, "0.35"}}};
inline constexpr std::array<NamedValue<Pilots>, 2> kPilotSettings{{{Pilots::On, "ON"}, {Pilots::Off, "OFF"}}};
inline constexpr std::array<NamedValue<Polarization>, 3> kPolarizations{
    {{Polarization::HorizLeft, "HORIZ/LEFT"}, {Polarization::VertRight, "VERT/RIGHT"}, {Polarization::Off, "OFF"}}};
inline constexpr std::array<NamedValue<LnbLo>, 3> kLnbLos{{{LnbLo::Auto, "Auto"}, {LnbLo::Low, "Low"}, {LnbLo::High, "High"}}};

// The text of a stored value, if the table names it.
template <typename E, std::size_t N>
constexpr std::optional<std::string_view> textOf(const std::array<NamedValue<E>, N>& table, std::int32_t field)
{
    const auto it = std::find_if(table.begin(), table.end(), [field](const auto& v) { return holds(field, v.value); });
    return it == table.end() ? std::nullopt : std::optional(it->text);
}

// The value a text names, if the table has it.
template <typename E, std::size_t N>
constexpr std::optional<E> valueOf(const std::array<NamedValue<E>, N>& table, std::string_view text)
{
    const auto it = std::find_if(table.begin(), table.end(), [text](const auto& v) { return v.text == text; });
    return it == table.end() ? std::nullopt : std::optional(it->value);
}

// Code rates are stored as an index into this table; the index range tells
// DVB-S, DVB-S2 QPSK and DVB-S2 8PSK rates apart.
struct CodeRate {
    std::int32_t index;
    std::string_view text;
    SignalType type;
    Modulation modulation; // QPSK for the DVB-S rates
};

inline constexpr std::array<CodeRate, 19> kCodeRates{{
    {0, "1/2", SignalType::DVB_S, Modulation::QPSK},   {1, "2/3", SignalType::DVB_S, Modulation::QPSK},
    {2, "3/4", SignalType::DVB_S, Modulation::QPSK},   {3, "5/6", SignalType::DVB_S, Modulation::QPSK},
    {4, "7/8", SignalType::DVB_S, Modulation::QPSK},   {5, "1/2", SignalType::DVB_S2, Modulation::QPSK},
    {6, "3/5", SignalType::DVB_S2, Modulation::QPSK},  {7, "2/3", SignalType::DVB_S2, Modulation::QPSK},
    {8, "3/4", SignalType::DVB_S2, Modulation::QPSK},  {9, "4/5", SignalType::DVB_S2, Modulation::QPSK},
    {10, "5/6", SignalType::DVB_S2, Modulation::QPSK}, {11, "8/9", SignalType::DVB_S2, Modulation::QPSK},
    {12, "9/10", SignalType::DVB_S2, Modulation::QPSK}, {13, "3/5", SignalType::DVB_S2, Modulation::PSK8},
    {14, "2/3", SignalType::DVB_S2, Modulation::PSK8}, {15, "3/4", SignalType::DVB_S2, Modulation::PSK8},
    {16, "5/6", SignalType::DVB_S2, Modulation::PSK8}, {17, "8/9", SignalType::DVB_S2, Modulation::PSK8},
    {18, "9/10", SignalType::DVB_S2, Modulation::PSK8},
}};

// The rates of one type and modulation, in index order, as the drop-down
// offers them.
template <typename Visit> constexpr void forEachCodeRate(SignalType type, Modulation modulation, Visit visit)
{
    for (const CodeRate& rate : kCodeRates)
        if (rate.type == type && (type == SignalType::DVB_S || rate.modulation == modulation))
            visit(rate);
}

// The entry of a stored index that belongs to the signal type, if it does.
constexpr std::optional<CodeRate> codeRateOf(std::int32_t index, SignalType type)
{
    if (index < 0 || index >= static_cast<std::int32_t>(kCodeRates.size()))
        return std::nullopt;
    const CodeRate& rate = kCodeRates[static_cast<std::size_t>(index)];
    return rate.type == type ? std::optional(rate) : std::nullopt;
}

// The rates the Add CH and the signal type change give.
inline constexpr std::int32_t kDvbSDefaultCodeRate = 0;  // DVB-S 1/2
inline constexpr std::int32_t kDvbS2DefaultCodeRate = 6; // DVB-S2 QPSK 3/5
inline constexpr std::int32_t k8pskFirstCodeRate = 13;   // DVB-S2 8PSK 3/5
