#pragma once

#include "core/model/sate_channel.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Field helpers shared by the plan file codecs.
namespace file_fields {

// The bytes of a span, given in order to a reader that takes them piece by
// piece: each call fills `out` from the next bytes as far as they go and
// answers how many it put there.
class SpanSource {
public:
    explicit SpanSource(std::span<const std::uint8_t> in) : in_(in) {}

    std::size_t operator()(std::span<std::uint8_t> out)
    {
        const std::size_t n = std::min(out.size(), in_.size() - at_);
        std::copy_n(in_.begin() + static_cast<std::ptrdiff_t>(at_), n, out.begin());
        at_ += n;
        return n;
    }

private:
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
};

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
