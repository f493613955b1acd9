#include "core/device/meter_frame.h"

#include <algorithm>
#include <stdexcept>

namespace frame {

std::uint8_t checksum(std::span<const std::uint8_t, kReportSize> report, std::size_t length)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i < length && i < kReportSize; ++i)
        sum += report[i];
    return static_cast<std::uint8_t>(0x100U - (sum & 0xFFU));
}

void seal(Report& report, std::uint8_t code, std::size_t length)
{
    if (length < kDataAt || length >= kReportSize)
        throw std::invalid_argument("frame length out of range");
    report[0] = 0x00;
    report[1] = 0x55;
    report[2] = 0xAA;
    report[3] = 0x01;
    report[kLengthAt] = static_cast<std::uint8_t>(length);
    report[kCodeAt] = code;
    report[length] = checksum(report, length);
}

Report build(std::uint8_t code, std::size_t length, std::span<const std::uint8_t> data)
{
    if (kDataAt + data.size() > length)
        throw std::invalid_argument("frame data longer than the frame");
    Report report{};
    std::copy(data.begin(), data.end(), report.begin() + kDataAt);
    seal(report, code, length);
    return report;
}

Report statusQuery()
{
    return build(kStatus, 6);
}

Report planCountQuery()
{
    return build(kPlanCount, 6);
}

Report tpCountQuery(int planIndex)
{
    const std::array<std::uint8_t, 1> data{static_cast<std::uint8_t>(planIndex)};
    return build(kTpCount, 7, data);
}

Report downloadEnd()
{
    return build(kDownloadEnd, 6);
}

Report shortReply(std::uint8_t code, std::uint8_t value)
{
    const std::array<std::uint8_t, 1> data{value};
    return build(code, kShortReplyLength, data);
}

} // namespace frame
