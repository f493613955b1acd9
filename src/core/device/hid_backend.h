#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One HID device as an enumeration lists it.
struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadResult { Reply, Timeout, Error };

// An opened device. Reports are presented as the link uses them: report id
// first, so a 64-byte report of a device without report ids is 65 bytes.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual std::size_t inputReportLength() const = 0;
    virtual std::size_t outputReportLength() const = 0;

    // Writes one output report; false on failure.
    virtual bool writeReport(std::span<const std::uint8_t> report) = 0;
    // Waits at most `limit` for one input report into `buffer`.
    virtual ReadResult readReport(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) = 0;
};

// Why a meter that was looked for could not be reached; each has advice of
// its own.
enum class MeterProblem {
    NodeNotOpened,  // a device with the identity is listed, but its node cannot be opened
    NothingListens, // a socket meter: nothing accepts a connection at its address
    NoGreeting,     // a socket meter: connected, but nothing greets as a meter
    OtherIdentity,  // a socket meter greets with another identity
};

// A meter that was there, or looked for at an address, yet could not be
// reached: where, why, and the system's reason (or, with OtherIdentity, the
// identity the meter greeted with, as vvvv:pppp).
struct HidOpenFailure {
    std::string path;
    std::string reason;
    MeterProblem problem = MeterProblem::NodeNotOpened;

    friend bool operator==(const HidOpenFailure&, const HidOpenFailure&) = default;
};

// What opening a device gave: the device, or why it could not be opened.
struct HidOpenResult {
    std::unique_ptr<HidDevice> device;
    std::string error;
    MeterProblem problem = MeterProblem::NodeNotOpened;
};

// The HID stack the link uses: the system's, a meter in another process, or an
// emulated meter in this one.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // The present devices, in the order the system gives them.
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // Opens the device at `path`; no device, and the reason, when it cannot.
    virtual HidOpenResult open(const std::string& path) = 0;
    // Why the last enumeration listed no device with the identity, when the
    // backend can tell more than that none is attached.
    virtual std::optional<HidOpenFailure> whyNotListed(std::uint16_t /*vendorId*/, std::uint16_t /*productId*/) const
    {
        return std::nullopt;
    }
};
