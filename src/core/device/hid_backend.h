#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
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

// What opening a device gave: the device, or why it could not be opened.
struct HidOpenResult {
    std::unique_ptr<HidDevice> device;
    std::string error;
};

// A device with the identity looked for that could not be opened: its path
// and the reason.
struct HidOpenFailure {
    std::string path;
    std::string reason;

    friend bool operator==(const HidOpenFailure&, const HidOpenFailure&) = default;
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
};
