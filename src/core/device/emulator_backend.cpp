#include "core/device/emulator_backend.h"

#include "core/device/hid_link.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace {

class EmulatedDevice : public HidDevice {
public:
    explicit EmulatedDevice(std::shared_ptr<MeterEmulator> meter) : meter_(std::move(meter)) {}

    std::size_t inputReportLength() const override { return frame::kReportSize; }
    std::size_t outputReportLength() const override { return frame::kReportSize; }

    bool writeReport(std::span<const std::uint8_t> report) override
    {
        if (dropped_)
            return false;
        auto response = meter_->receive(report);
        switch (response.kind) {
        case MeterResponse::Kind::Reply:
            pending_ = response.reply;
            break;
        case MeterResponse::Kind::Silent:
            pending_.reset();
            break;
        case MeterResponse::Kind::Drop:
            pending_.reset();
            dropped_ = true;
            break;
        }
        return true;
    }

    ReadResult readReport(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) override
    {
        if (dropped_)
            return ReadResult::Error;
        if (!pending_) {
            std::this_thread::sleep_for(limit);
            return ReadResult::Timeout;
        }
        std::copy_n(pending_->begin(), std::min(buffer.size(), pending_->size()), buffer.begin());
        pending_.reset();
        return ReadResult::Reply;
    }

private:
    std::shared_ptr<MeterEmulator> meter_;
    std::optional<frame::Report> pending_;
    bool dropped_ = false;
};

} // namespace

void EmulatorBackend::add(std::string path, std::uint16_t vendorId, std::uint16_t productId,
                          std::shared_ptr<MeterEmulator> meter)
{
    entries_.push_back(Entry{HidDeviceInfo{std::move(path), vendorId, productId}, std::move(meter), {}});
}

void EmulatorBackend::remove(const std::string& path)
{
    std::erase_if(entries_, [&](const Entry& e) { return e.info.path == path; });
}

void EmulatorBackend::refuseOpen(const std::string& path, std::string reason)
{
    for (auto& e : entries_)
        if (e.info.path == path)
            e.refusal = reason;
}

std::vector<HidDeviceInfo> EmulatorBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices;
    for (const auto& e : entries_)
        devices.push_back(e.info);
    return devices;
}

HidOpenResult EmulatorBackend::open(const std::string& path)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.info.path == path; });
    if (it == entries_.end())
        return {nullptr, "no such device"};
    if (!it->refusal.empty())
        return {nullptr, it->refusal};
    ++openCount_;
    return {std::make_unique<EmulatedDevice>(it->meter), {}};
}

std::unique_ptr<EmulatorBackend> makeDemoEmulatorBackend()
{
    auto backend = std::make_unique<EmulatorBackend>();
    auto meter = std::make_shared<MeterEmulator>();
    for (const auto& identity : kMeterIdentities)
        backend->add("sim:" + std::to_string(static_cast<int>(identity.deviceType)),
                     static_cast<std::uint16_t>(identity.vendorId), static_cast<std::uint16_t>(identity.productId),
                     meter);
    return backend;
}
