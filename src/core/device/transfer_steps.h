#pragma once

#include "core/device/hid_link.h"
#include "core/device/transfer_observer.h"

#include <optional>

// Steps the download, the upload and the firmware upgrade share.

// Ends a transfer: tells the observer where it stopped (when it did) and how
// it ended. Answers the outcome.
TransferOutcome endTransfer(TransferObserver& observer, TransferOutcome outcome,
                            const std::optional<TransferStop>& stop = std::nullopt);

// The start of a plan transfer: open, status 1 (message 121 otherwise), and,
// as the meter expects, open and ask once more. Answers the outcome that ends
// the transfer here (after ending it), none when the meter is ready.
std::optional<TransferOutcome> startPlanTransfer(HidLink& link, TransferObserver& observer,
                                                 const TransferTiming& timing);
