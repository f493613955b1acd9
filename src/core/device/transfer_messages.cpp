#include "core/device/transfer_messages.h"

#include "core/res/string_ids.h"

#include <algorithm>
#include <array>

MeterMessage meterMissingMessage(const std::optional<HidOpenFailure>& unopened, MessageId notFoundId)
{
    if (!unopened)
        return {notFoundId, {}};
    switch (unopened->problem) {
    case MeterProblem::NodeNotOpened:
        break;
    case MeterProblem::NothingListens:
        return {msg::kNothingListens, {unopened->path, unopened->reason}};
    case MeterProblem::NoGreeting:
        return {msg::kNoGreeting, {unopened->path}};
    case MeterProblem::OtherIdentity:
        return {msg::kOtherIdentity, {unopened->path, unopened->reason}};
    }
    return {msg::kMeterNotOpened, {unopened->path, unopened->reason}};
}

bool isMeterMessage(MessageId id)
{
    static constexpr std::array kAboutTheMeter{
        msg::kDeviceNotFound,   msg::kNeedNormalState,   msg::kNeedUpgradeState,     msg::kQ36NotFound,
        msg::kMeterNotOpened,   msg::kStoppedAtPlan,     msg::kStoppedAtTp,          msg::kStoppedAtBlock,
        msg::kWrongReplyAtPlan, msg::kMeterHoldsNoPlans, msg::kPlanWithoutTpStopped, msg::kWrongReplyAtTp,
        msg::kWrongPlanCount,   msg::kWrongTpCount,      msg::kPlanCountOutOfRange,  msg::kTpCountOutOfRange,
        msg::kNothingListens,   msg::kNoGreeting,        msg::kOtherIdentity};
    return std::find(kAboutTheMeter.begin(), kAboutTheMeter.end(), id) != kAboutTheMeter.end();
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
        if (stop.tp > 0)
            return {msg::kWrongReplyAtTp, {std::to_string(stop.plan), std::to_string(stop.tp)}};
        return {msg::kWrongReplyAtPlan, {std::to_string(stop.plan)}};
    case Reason::WrongPlanCount:
        return {msg::kWrongPlanCount, {}};
    case Reason::WrongTpCount:
        return {msg::kWrongTpCount, {std::to_string(stop.plan)}};
    case Reason::PlanCountOutOfRange:
        return {msg::kPlanCountOutOfRange, {std::to_string(stop.value)}};
    case Reason::TpCountOutOfRange:
        return {msg::kTpCountOutOfRange, {std::to_string(stop.plan), std::to_string(stop.value)}};
    case Reason::NoPlans:
        return {msg::kMeterHoldsNoPlans, {}};
    case Reason::PlanWithoutTp:
        return {msg::kPlanWithoutTpStopped, {std::to_string(stop.plan)}};
    }
    return {msg::kDeviceNotFound, {}};
}
