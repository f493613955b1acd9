#pragma once

#include "core/model/guid.h"
#include "core/model/value_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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
