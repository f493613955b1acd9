#pragma once

#include "core/device/hid_link.h"
#include "core/device/meter_frame.h"
#include "core/device/transfer_observer.h"

#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kUpgradeBlockSize = 32;
inline constexpr std::size_t kUpgradeBlockLength = 0x40;
// Block numbers are 16 bits wide.
inline constexpr std::size_t kMaxUpgradeBlocks = 65535;
inline constexpr std::size_t kMaxUpgradeImageSize = kMaxUpgradeBlocks * kUpgradeBlockSize;

// Blocks of an image of `size` bytes: size / 32 rounded up.
std::size_t upgradeBlockCount(std::size_t size);

// Upgrade block frame (code 0xC8): the total, this block's number (from 1) and
// up to 32 data bytes, zero-filled.
frame::Report upgradeBlockFrame(std::uint16_t totalBlocks, std::uint16_t blockNumber,
                                std::span<const std::uint8_t> data);

// Sends one block on a link that is up and waits for its reply.
bool sendUpgradeBlock(HidLink& link, std::uint16_t totalBlocks, std::uint16_t blockNumber,
                      std::span<const std::uint8_t> data);

// The whole upgrade: an image too large to number is refused before anything
// is sent; then open (a NoMeter stop when the meter is missing), status 0
// (message 124 otherwise) and every block in order.
TransferOutcome runUpgrade(HidLink& link, std::span<const std::uint8_t> image, TransferObserver& observer);
