#pragma once

#include "core/device/hid_backend.h"
#include "core/device/meter_emulator.h"

#include <memory>
#include <string>
#include <vector>

// Emulated meters in this process, each listed under a path and an identity.
// A silent meter makes a read wait out its whole time limit, as a real one
// would; a dropped meter fails every later read and write of that device.
class EmulatorBackend : public HidBackend {
public:
    void add(std::string path, std::uint16_t vendorId, std::uint16_t productId, std::shared_ptr<MeterEmulator> meter);

    // Unplugs the meter at `path`: later enumerations no longer list it.
    void remove(const std::string& path);
    // The meter at `path` stays listed but cannot be opened, for `reason` (a
    // device node the user may not open).
    void refuseOpen(const std::string& path, std::string reason);

    std::vector<HidDeviceInfo> enumerate() override;
    HidOpenResult open(const std::string& path) override;

    // How often a device was opened.
    int openCount() const { return openCount_; }

private:
    struct Entry {
        HidDeviceInfo info;
        std::shared_ptr<MeterEmulator> meter;
        std::string refusal;
    };
    std::vector<Entry> entries_;
    int openCount_ = 0;
};

// The in-process meter of `ORBITUNE_METER=sim`: one meter in its normal state
// with no plans, listed under both identities.
std::unique_ptr<EmulatorBackend> makeDemoEmulatorBackend();
