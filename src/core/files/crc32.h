#pragma once

#include <cstdint>
#include <span>

// The CRC-32 of `bytes` as zip, PNG and Ethernet compute it (reflected
// polynomial 0xEDB88320, all ones in and out): 0xCBF43926 for "123456789".
std::uint32_t crc32(std::span<const std::uint8_t> bytes);
