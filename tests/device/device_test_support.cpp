#include "device_test_support.h"

EmulatedLink::EmulatedLink()
{
    auto owned = std::make_unique<EmulatorBackend>();
    backend = owned.get();
    const auto& identity = kMeterIdentities[1];
    backend->add("emu:0", static_cast<std::uint16_t>(identity.vendorId), static_cast<std::uint16_t>(identity.productId),
                 meter);
    link = std::make_unique<HidLink>(std::move(owned));
    link->setReplyLimit(kShortLimit);
}
