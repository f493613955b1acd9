#pragma once

#include "core/device/hid_backend.h"

// The system's HID devices through hidapi (the hidraw backend on Linux).
class HidapiBackend : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidDeviceInfo> enumerate() override;
    HidOpenResult open(const std::string& path) override;

private:
    bool initialised_ = false;
};
