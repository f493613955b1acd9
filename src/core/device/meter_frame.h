#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// One meter report: report id 0, then 55 AA 01, the length L, the command code,
// its data and a checksum at offset L that makes bytes 1..L sum to zero.
namespace frame {

inline constexpr std::size_t kReportSize = 65;
using Report = std::array<std::uint8_t, kReportSize>;

inline constexpr std::size_t kLengthAt = 4;
inline constexpr std::size_t kCodeAt = 5;
inline constexpr std::size_t kDataAt = 6;

// Command codes.
inline constexpr std::uint8_t kStatus = 0x01;
inline constexpr std::uint8_t kDownloadEnd = 0x62;
inline constexpr std::uint8_t kTpCount = 0x63;
inline constexpr std::uint8_t kPlanCount = 0x65;
inline constexpr std::uint8_t kPlanRead = 0x66;
inline constexpr std::uint8_t kPlanWrite = 0x67;
inline constexpr std::uint8_t kUpgradeBlock = 0xC8;

// Length byte of the short replies (status, plan count, TP count).
inline constexpr std::uint8_t kShortReplyLength = 7;

// The two's complement of the 8-bit sum of bytes 1..length-1.
std::uint8_t checksum(std::span<const std::uint8_t, kReportSize> report, std::size_t length);

// A zeroed report with the common head, `data` from offset 6 and the checksum
// at offset `length`. `length` must be 6 + data.size() or more and at most 64.
Report build(std::uint8_t code, std::size_t length, std::span<const std::uint8_t> data = {});

// Stores the head and checksum into a report whose data is already in place.
void seal(Report& report, std::uint8_t code, std::size_t length);

Report statusQuery();
Report planCountQuery();
Report tpCountQuery(int planIndex);
Report downloadEnd();

// A short reply of the meter: L 7, the echoed code and one value byte.
Report shortReply(std::uint8_t code, std::uint8_t value);

} // namespace frame
