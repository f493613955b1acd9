#include "core/device/meter_selection.h"

#include "core/device/emulator_backend.h"
#include "core/device/hidapi_backend.h"
#include "core/device/meter_socket.h"

#include <cstdlib>

std::optional<std::string> meterFromEnvironment()
{
    const char* value = std::getenv(kMeterVariable);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

MeterSelection selectMeterBackend(const std::optional<std::string>& choice)
{
    MeterSelection selection;
    if (!choice || choice->empty() || *choice == "hid") {
        selection.backend = std::make_unique<HidapiBackend>();
        return selection;
    }
    if (*choice == "sim") {
        selection.backend = makeDemoEmulatorBackend();
        return selection;
    }
    if (choice->starts_with("tcp:")) {
        auto parsed = meter_socket::parseUrl(*choice);
        if (auto* error = std::get_if<std::string>(&parsed)) {
            selection.error = *error;
            return selection;
        }
        selection.backend = std::make_unique<SocketBackend>(std::get<meter_socket::Address>(parsed), *choice);
        return selection;
    }
    selection.error = "unknown meter \"" + *choice + "\" (use hid, sim or tcp://127.0.0.1:PORT)";
    return selection;
}
