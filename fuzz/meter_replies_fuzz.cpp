// Feeds arbitrary bytes to the meter reply parsers and to the meter emulator,
// as a hostile meter or a hostile client would send them.

#include "core/device/meter_emulator.h"
#include "core/device/plan_upload.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    frame::Report reply{};
    std::copy_n(data, std::min(size, reply.size()), reply.begin());
    static_cast<void>(parseHeaderReply(reply));
    static_cast<void>(parseTpReply(reply));
    static_cast<void>(parseLongitude(std::span(data, size)));

    MeterEmulator meter(size % 2 == 0 ? MeterState::Normal : MeterState::Upgrade);
    for (std::size_t at = 0; at < size; at += frame::kReportSize) {
        frame::Report request{};
        std::copy_n(data + at, std::min(size - at, request.size()), request.begin());
        static_cast<void>(meter.receive(request));
    }
    static_cast<void>(meter.storedRecords());
    return 0;
}
