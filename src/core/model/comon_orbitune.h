#pragma once

#include "core/model/guid.h"
#include "core/model/sate_channel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// One plan: a satellite with its LNB oscillators and up to 255 TP slots.
// Its byte image (24,548 bytes) is what a General file stores.
class CComonOrbitune {
public:
    static constexpr std::size_t kImageSize = 24548;
    static constexpr std::size_t kHeaderOffset = 4;
    static constexpr std::size_t kHeaderSize = 52;
    static constexpr std::size_t kSlotsOffset = 56;
    static constexpr int kSlotCount = 255;
    // The TPs a plan takes from Add CH, and from paste, import and duplicate
    // alike; only the files and the meter may hold more.
    static constexpr int kTpLimit = 100;
    static constexpr std::size_t kNameSize = 9;

    // Header (image offsets 4..55).
    std::int32_t tag = 0;
    std::int32_t flag = 0;
    std::uint8_t number = 0;
    std::array<char, kNameSize> name{};
    std::uint8_t countByte = 0;
    std::uint8_t pad = 0;
    std::int32_t lnbLow = 0;  // 10 kHz units
    std::int32_t lnbHigh = 0; // 10 kHz units
    float longitude = 0.0F;   // degrees, 0..180
    std::int32_t isEast = 0;
    Guid id;

    std::array<SateChannel, kSlotCount> channels{};
    std::int32_t channelCount = 0;
    std::int32_t channelCapacity = kSlotCount;
    std::int32_t channelsAdded = 0;

    friend bool operator==(const CComonOrbitune&, const CComonOrbitune&) = default;

    std::string nameText() const;
    void setNameText(std::string_view text);

    // The plan that Add Plan creates: tag 100, flag 1, 12000 MHz LNBs, 160.0 E,
    // no TPs, a fresh id.
    static CComonOrbitune withAddDefaults(std::uint8_t number, std::string_view name);

    // Used slots, in slot order.
    std::span<SateChannel> usedChannels();
    std::span<const SateChannel> usedChannels() const;

    // Copies the TP into the next free slot; a full plan drops it silently.
    void appendChannel(const SateChannel& channel);
    // Copies the TP into slot k (0 to the count), moving later slots up; a
    // full plan drops it silently.
    void insertChannel(int k, const SateChannel& channel);
    // Puts the used slots in a new order: the TP of slot order[i] moves to
    // slot i. `order` names every used slot once, or std::invalid_argument is
    // thrown and nothing moves.
    void reorderChannels(std::span<const int> order);
    // Removes slot k, moving later slots down; the freed slot becomes zero.
    void removeChannelAt(int k);
    // Removes the last used slot whose id matches; nothing when none does.
    void removeChannelById(const Guid& id);
    SateChannel* findChannelById(const Guid& id);
    const SateChannel* findChannelById(const Guid& id) const;

    // Byte image. The first 4 bytes carry no data and are written as zeros.
    void encode(std::span<std::uint8_t, kImageSize> out) const;
    // Reads an image, keeping every byte with meaning and every slot; a count
    // outside 0..255 is clamped and the capacity is always 255.
    static CComonOrbitune decode(std::span<const std::uint8_t, kImageSize> in);
};
