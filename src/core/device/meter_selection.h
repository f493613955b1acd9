#pragma once

#include "core/device/hid_backend.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The environment variable that chooses the meter: unset or "hid" for the
// system's HID devices, "sim" for an emulated meter in this process,
// "tcp://127.0.0.1:PORT" for a meter emulator in another process.
inline constexpr const char* kMeterVariable = "ORBITUNE_METER";

std::optional<std::string> meterFromEnvironment();

struct MeterSelection {
    std::unique_ptr<HidBackend> backend; // none when the choice is refused
    std::string error;
};

// The backend for a choice (nothing means "hid").
MeterSelection selectMeterBackend(const std::optional<std::string>& choice);
