#include "core/device/hidapi_backend.h"

#include "core/device/meter_frame.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The meter has no report ids. hidapi writes the report id byte first (0 for
// such a device) and hands input reports without it, so a read goes to
// offset 1 and byte 0 is the report id 0, as the link expects.
class HidapiDevice : public HidDevice {
public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    ~HidapiDevice() override { hid_close(device_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    // hidapi does not tell the report lengths; the meter's are 64 bytes of
    // payload behind the report id.
    std::size_t inputReportLength() const override { return frame::kReportSize; }
    std::size_t outputReportLength() const override { return frame::kReportSize; }

    bool writeReport(std::span<const std::uint8_t> report) override
    {
        return hid_write(device_, report.data(), report.size()) == static_cast<int>(report.size());
    }

    ReadResult readReport(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) override
    {
        if (buffer.size() < 2)
            return ReadResult::Error;
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
        const auto ms = static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(limit.count(), 0, INT_MAX));
        const int got = hid_read_timeout(device_, buffer.data() + 1, buffer.size() - 1, ms);
        if (got > 0)
            return ReadResult::Reply;
        return got == 0 ? ReadResult::Timeout : ReadResult::Error;
    }

private:
    hid_device* device_;
};

// Why hidapi could not open the device node at `path`: the system's own
// answer to opening it, such as "Permission denied" for a node without the
// udev rule.
std::string whyNotOpened(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    return "the HID library could not open it";
}

} // namespace

HidapiBackend::HidapiBackend() : initialised_(hid_init() == 0) {}

HidapiBackend::~HidapiBackend()
{
    if (initialised_)
        hid_exit();
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices;
    if (!initialised_)
        return devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d != nullptr; d = d->next)
        if (d->path != nullptr)
            devices.push_back(HidDeviceInfo{d->path, d->vendor_id, d->product_id});
    hid_free_enumeration(list);
    return devices;
}

HidOpenResult HidapiBackend::open(const std::string& path)
{
    if (!initialised_)
        return {nullptr, "the HID library could not be initialised"};
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr)
        return {nullptr, whyNotOpened(path)};
    return {std::make_unique<HidapiDevice>(device), {}};
}
