#include "core/device/transfer_steps.h"

#include "core/res/string_ids.h"

#include <thread>

TransferOutcome endTransfer(TransferObserver& observer, TransferOutcome outcome,
                            const std::optional<TransferStop>& stop)
{
    if (stop)
        observer.stopped(*stop);
    observer.finished(outcome);
    return outcome;
}

std::optional<TransferOutcome> startPlanTransfer(HidLink& link, TransferObserver& observer,
                                                 const TransferTiming& timing)
{
    if (!link.open())
        return endTransfer(observer, TransferOutcome::NotFound, missingMeter(link));
    if (link.queryStatus() != kMeterNormal) {
        observer.message(msg::kNeedNormalState);
        std::this_thread::sleep_for(timing.settle);
        return endTransfer(observer, TransferOutcome::WrongState);
    }
    // The transfer step opens and asks again, as the meter expects.
    if (!link.open()) {
        observer.statusText(msg::kDeviceNotFound);
        return endTransfer(observer, TransferOutcome::Failed, missingMeter(link));
    }
    if (link.queryStatus() != kMeterNormal) {
        observer.message(msg::kNeedNormalState);
        return endTransfer(observer, TransferOutcome::WrongState);
    }
    return std::nullopt;
}
