#include "core/commands/firmware_image.h"

#include "core/device/firmware_upgrade.h"
#include "core/files/atomic_save.h"

FirmwareLoad loadFirmwareImage(const std::filesystem::path& path)
{
    // One byte beyond the largest image that can be numbered tells that an
    // image is too large.
    auto file = readFilePrefix(path, kMaxUpgradeImageSize + 1);
    if (file.error)
        return {std::nullopt, FirmwareLoad::Error::Unreadable, file.error};
    if (file.bytes.size() > kMaxUpgradeImageSize)
        return {std::nullopt, FirmwareLoad::Error::TooLarge, std::nullopt};
    return {FirmwareImage{std::move(file.bytes), path.filename().string()}, std::nullopt, std::nullopt};
}
