#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Writes little-endian values into expected byte images.
inline void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void putBytes(std::vector<std::uint8_t>& b, std::size_t at, std::initializer_list<std::uint8_t> values)
{
    for (auto v : values)
        b[at++] = v;
}
