#pragma once

#include "core/model/guid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Value tables of the transponder fields.
enum class SignalType : std::int32_t { TV = 0, DVB_S = 1, DVB_S2 = 2 };
enum class Modulation : std::int32_t { PSK8 = 0, QPSK = 1 };
enum class RollOff : std::int32_t { R035 = 0, R025 = 1, R020 = 2 };
enum class Polarization : std::int32_t { HorizLeft = 0, VertRight = 1, Off = 2 };
enum class LnbLo : std::int32_t { Low = 0, High = 1, Auto = 2 };

// Code-rate texts by index: 0..4 DVB-S, 5..12 DVB-S2 QPSK, 13..18 DVB-S2 8PSK.
inline constexpr std::array<std::string_view, 19> kCodeRateTexts{
    "1/2", "2/3", "3/4", "5/6", "7/8",                       // DVB-S
    "1/2", "3/5", "2/3", "3/4", "4/5", "5/6", "8/9", "9/10", // DVB-S2 QPSK
    "3/5", "2/3", "3/4", "5/6", "8/9", "9/10"};              // DVB-S2 8PSK

// One transponder (TP) slot of a plan: 96 bytes in a plan image.
struct SateChannel {
    static constexpr std::size_t kImageSize = 96;
    static constexpr std::size_t kNameSize = 11;

    std::uint8_t number = 0;
    std::array<char, kNameSize> name{};
    std::int32_t enabled = 0;
    std::int32_t signalType = 0;
    std::int32_t reserved1 = 0;
    std::int32_t reserved2 = 0;
    std::uint32_t frequency = 0; // 10 kHz units
    std::uint32_t bandwidth = 0; // 10 kHz units
    std::int32_t symbolRate = 0; // kS/s
    std::int32_t reserved3 = 0;
    std::int32_t codeRate = 0;
    std::int32_t modulation = 0;
    std::int32_t rollOff = 0;
    std::int32_t pilots = 0;
    std::int32_t polarization = 0;
    std::int32_t lnbLo = 0;
    std::array<std::uint8_t, 12> unused{}; // bytes 68..79, kept as found
    Guid id;

    friend bool operator==(const SateChannel&, const SateChannel&) = default;

    std::string nameText() const;
    void setNameText(std::string_view text);

    // The TP that Add CH creates: the given number and name, a fresh id.
    static SateChannel withAddDefaults(std::uint8_t number, std::string_view name);

    void encode(std::span<std::uint8_t, kImageSize> out) const;
    static SateChannel decode(std::span<const std::uint8_t, kImageSize> in);

    // The 80-byte TP record of the Q24 and Q9100 files and its reading: the
    // first 68 bytes of a slot without the id, bytes 68..79 zero.
    static constexpr std::size_t kRecordSize = 80;
    void encodeRecord(std::span<std::uint8_t, kRecordSize> out) const;
    static SateChannel decodeRecord(std::span<const std::uint8_t, kRecordSize> in);
};
