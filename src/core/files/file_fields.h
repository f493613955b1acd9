#pragma once

#include "core/model/sate_channel.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Field helpers shared by the Q24 and Q9100 codecs.
namespace file_fields {

// `N` bytes of `in` from `start`, zero-padded where `in` ends.
template <std::size_t N> std::array<std::uint8_t, N> chunkAt(std::span<const std::uint8_t> in, std::size_t start)
{
    std::array<std::uint8_t, N> out{};
    if (start < in.size())
        std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(start), std::min(N, in.size() - start), out.begin());
    return out;
}

// Stores a record's name in a zeroed file field: the characters up to its
// terminator, at most 8, never past either field.
void putName(std::span<const char> name, std::span<std::uint8_t> field);

// The 80-byte TP record of a file: the slot's fields with its name cut to 8
// characters, every other byte zero, and `number` as its byte 0.
void putTpRecord(const SateChannel& channel, std::uint8_t number,
                 std::span<std::uint8_t, SateChannel::kRecordSize> out);

} // namespace file_fields
