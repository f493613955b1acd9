#include "core/device/transfer_messages.h"

#include "core/res/string_ids.h"

MeterMessage meterMissingMessage(const std::optional<HidOpenFailure>& unopened, int notFoundId)
{
    if (unopened)
        return {msg::kMeterNotOpened, {unopened->path, unopened->reason}};
    return {notFoundId, {}};
}

bool isMeterMessage(int id)
{
    switch (id) {
    case msg::kDeviceNotFound:
    case msg::kNeedNormalState:
    case msg::kNeedUpgradeState:
    case msg::kQ36NotFound:
    case msg::kMeterNotOpened:
    case msg::kStoppedAtPlan:
    case msg::kStoppedAtTp:
    case msg::kStoppedAtBlock:
    case msg::kWrongReplyAtPlan:
    case msg::kMeterHoldsNoPlans:
    case msg::kPlanWithoutTpStopped:
        return true;
    default:
        return false;
    }
}

MeterMessage transferStopMessage(const TransferStop& stop)
{
    using Reason = TransferStop::Reason;
    switch (stop.reason) {
    case Reason::NoMeter:
        return meterMissingMessage(stop.unopened, msg::kDeviceNotFound);
    case Reason::Silent:
        if (stop.blocks > 0)
            return {msg::kStoppedAtBlock, {std::to_string(stop.block), std::to_string(stop.blocks)}};
        if (stop.tp > 0)
            return {msg::kStoppedAtTp, {std::to_string(stop.plan), std::to_string(stop.tp)}};
        return {msg::kStoppedAtPlan, {std::to_string(stop.plan)}};
    case Reason::WrongReply:
        return {msg::kWrongReplyAtPlan, {std::to_string(stop.plan)}};
    case Reason::NoPlans:
        return {msg::kMeterHoldsNoPlans, {}};
    case Reason::PlanWithoutTp:
        return {msg::kPlanWithoutTpStopped, {std::to_string(stop.plan)}};
    }
    return {msg::kDeviceNotFound, {}};
}
