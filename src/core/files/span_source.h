#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

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
