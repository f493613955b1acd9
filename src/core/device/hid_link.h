#pragma once

#include "core/device/hid_backend.h"
#include "core/device/meter_frame.h"
#include "core/device/transfer_observer.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

// Whether a Download first checks the plans against the Q36 limits: the
// device type the Type combo sets with the USB identity.
enum class DeviceType : int { Unchecked = 0, Q36Checked = 1 };

// The two USB identities the Type combo selects, by item index.
struct MeterIdentity {
    std::int32_t vendorId;
    std::int32_t productId;
    DeviceType deviceType;
};
inline constexpr std::array<MeterIdentity, 2> kMeterIdentities{
    MeterIdentity{0x1234, 0x5678, DeviceType::Unchecked},
    MeterIdentity{0x1357, 0x2468, DeviceType::Q36Checked},
};

// An identity as the user reads it: vendor and product id in four lower-case
// hex digits each, "1357:2468".
std::string identityText(std::uint16_t vendorId, std::uint16_t productId);

// Status values of the meter.
inline constexpr int kMeterNormal = 1;
inline constexpr int kMeterUpgrade = 0;

// Counts travel as signed 8-bit values: a meter holds at most 127 plans of at
// most 127 TPs each. A count byte of 128 or more is no count.
inline constexpr int kMaxMeterCount = 127;

// What a count query (the plan count, a plan's TP count) got: the count, or
// why there is none.
struct MeterCount {
    enum class Fault {
        None,
        NoReply,    // the link could not be opened, or was lost on the way
        WrongReply, // a reply of another length or code; the link stays up
        OutOfRange, // a count byte above kMaxMeterCount
    };
    Fault fault = Fault::None;
    // The count; with OutOfRange the byte the meter sent.
    int value = 0;

    friend bool operator==(const MeterCount&, const MeterCount&) = default;
};

// The one connection to the meter. It is down at start, comes up through
// `open` and goes down (lost) when a write fails or a reply does not arrive in
// time. One thread at a time uses it.
class HidLink {
public:
    static constexpr std::chrono::milliseconds kReplyLimit{6000};

    explicit HidLink(std::unique_ptr<HidBackend> backend);

    // The identity `open` looks for; a change takes effect at the next open.
    std::int32_t vendorId = kMeterIdentities[1].vendorId;
    std::int32_t productId = kMeterIdentities[1].productId;
    void setIdentity(const MeterIdentity& identity);

    bool connected() const { return connected_; }

    // How long a reply is waited for; kReplyLimit unless shortened.
    std::chrono::milliseconds replyLimit() const { return replyLimit_; }
    void setReplyLimit(std::chrono::milliseconds limit) { replyLimit_ = limit; }

    // Report lengths of the open device (0 while none is open).
    std::size_t inputReportLength() const;
    std::size_t outputReportLength() const;

    // Closes any open device, enumerates afresh and opens the first device with
    // the identity. Answers whether the link is up.
    bool open();
    // Why the last `open` did not bring the link up, when more can be told
    // than that no device has the identity: a device node that cannot be
    // opened, or a socket meter that does not answer as one. None after a
    // successful open.
    const std::optional<HidOpenFailure>& openFailure() const { return openFailure_; }

    // Writes one report; false (and the link lost) when it cannot.
    bool writeReport(std::span<const std::uint8_t, frame::kReportSize> report);
    // Waits for one reply into `buffer` (zeroed first) or into the link's own
    // buffer. Without a reply in time the device is closed and the link lost;
    // `connected` tells which happened.
    void readReply(std::span<std::uint8_t, frame::kReportSize> buffer);
    void readReply();
    const frame::Report& inputBuffer() const { return inputBuffer_; }

    // The status byte, or -1 when the exchange fails.
    int queryStatus();
    // The meter's plan count, and the TP count of a stored plan.
    MeterCount queryPlanCount();
    MeterCount queryTpCount(int planIndex);
    // Sends the download end frame on a link that is up and waits for the
    // reply; true when the link is still up afterwards.
    bool sendDownloadEnd();

    // Writes `report` and reads its reply into the link's own buffer; false when
    // the link is down, the write fails or no reply arrives.
    bool exchange(std::span<const std::uint8_t, frame::kReportSize> report);

private:
    // The value byte of the short reply to `request`; none when the link cannot
    // be opened, is lost on the way, or the reply has another length or code.
    std::optional<std::uint8_t> query(const frame::Report& request);
    MeterCount queryCount(const frame::Report& request);
    void close();

    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<HidDevice> device_;
    bool connected_ = false;
    std::optional<HidOpenFailure> openFailure_;
    std::chrono::milliseconds replyLimit_ = kReplyLimit;
    frame::Report inputBuffer_{};
};

// The stop of a transfer whose `open` did not bring the link up.
TransferStop missingMeter(const HidLink& link);
