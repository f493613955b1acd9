#include "core/device/firmware_upgrade.h"

#include "core/device/transfer_steps.h"
#include "core/model/byte_order.h"
#include "core/res/string_ids.h"

#include <algorithm>

std::size_t upgradeBlockCount(std::size_t size)
{
    return (size + kUpgradeBlockSize - 1) / kUpgradeBlockSize;
}

frame::Report upgradeBlockFrame(std::uint16_t totalBlocks, std::uint16_t blockNumber,
                                std::span<const std::uint8_t> data)
{
    frame::Report r{};
    bytes::putU16be(r, 6, totalBlocks);
    bytes::putU16be(r, 8, blockNumber);
    std::copy_n(data.begin(), std::min(data.size(), kUpgradeBlockSize), r.begin() + 10);
    frame::seal(r, frame::kUpgradeBlock, kUpgradeBlockLength);
    return r;
}

bool sendUpgradeBlock(HidLink& link, std::uint16_t totalBlocks, std::uint16_t blockNumber,
                      std::span<const std::uint8_t> data)
{
    return link.exchange(upgradeBlockFrame(totalBlocks, blockNumber, data));
}

TransferOutcome runUpgrade(HidLink& link, std::span<const std::uint8_t> image, TransferObserver& observer)
{
    const std::size_t blocks = upgradeBlockCount(image.size());
    if (blocks > kMaxUpgradeBlocks)
        return endTransfer(observer, TransferOutcome::TooLarge);
    if (!link.open())
        return endTransfer(observer, TransferOutcome::NotFound, missingMeter(link));
    if (link.queryStatus() != kMeterUpgrade) {
        observer.message(msg::kNeedUpgradeState);
        return endTransfer(observer, TransferOutcome::WrongState);
    }
    const auto total = static_cast<std::uint16_t>(blocks);
    observer.progressRange(static_cast<int>(blocks));
    for (std::size_t k = 0; k < blocks; ++k) {
        const auto block =
            image.subspan(k * kUpgradeBlockSize, std::min(kUpgradeBlockSize, image.size() - k * kUpgradeBlockSize));
        if (!sendUpgradeBlock(link, total, static_cast<std::uint16_t>(k + 1), block)) {
            return endTransfer(observer, TransferOutcome::Failed,
                               TransferStop::atBlock(static_cast<int>(k + 1), static_cast<int>(blocks)));
        }
        observer.progressStep();
    }
    return endTransfer(observer, TransferOutcome::Succeeded);
}
