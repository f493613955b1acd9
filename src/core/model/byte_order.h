#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Explicit little- and big-endian access to fixed byte layouts. Every file format
// is little-endian; meter frames carry big-endian numbers.
namespace bytes {

inline std::uint8_t u8(std::span<const std::uint8_t> b, std::size_t at)
{
    return b[at];
}

inline std::uint32_t u32le(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

inline std::int32_t i32le(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::int32_t>(u32le(b, at));
}

inline void putU32le(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    b[at + 2] = static_cast<std::uint8_t>(v >> 16);
    b[at + 3] = static_cast<std::uint8_t>(v >> 24);
}

inline void putI32le(std::span<std::uint8_t> b, std::size_t at, std::int32_t v)
{
    putU32le(b, at, static_cast<std::uint32_t>(v));
}

inline std::uint32_t u32be(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | static_cast<std::uint32_t>(b[at + 3]);
}

inline void putU32be(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v >> 24);
    b[at + 1] = static_cast<std::uint8_t>(v >> 16);
    b[at + 2] = static_cast<std::uint8_t>(v >> 8);
    b[at + 3] = static_cast<std::uint8_t>(v);
}

inline void putU16be(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}

inline std::uint16_t u16be(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

} // namespace bytes
