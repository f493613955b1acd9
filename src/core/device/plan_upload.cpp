#include "core/device/plan_upload.h"

#include "core/device/transfer_steps.h"
#include "core/model/byte_order.h"
#include "core/model/name_text.h"
#include "core/res/string_ids.h"
#include "core/rules/longitude.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kNameBytes = 9;
constexpr std::size_t kLongitudeAt = 27;
constexpr std::size_t kTpReplyLength = 0x37;

// Every count a meter can give fits the plan list and a plan.
static_assert(kMaxMeterCount <= PlanList::kMaxPlans);
static_assert(kMaxMeterCount <= CComonOrbitune::kSlotCount);

std::int32_t signedByte(std::uint8_t b)
{
    return static_cast<std::int8_t>(b);
}

} // namespace

frame::Report planReadRequest(int frameNumber, int tpCount, int planIndex)
{
    const std::array<std::uint8_t, 3> data{static_cast<std::uint8_t>(frameNumber),
                                           static_cast<std::uint8_t>(tpCount + 1),
                                           static_cast<std::uint8_t>(planIndex)};
    return frame::build(frame::kPlanRead, kPlanReadLength, data);
}

Longitude parseLongitude(std::span<const std::uint8_t> text)
{
    const std::string_view value = longitude::textOf(text);
    Longitude result;
    const bool east = value.find('E') != std::string_view::npos;
    if (!east && value.find('W') == std::string_view::npos)
        return result;
    result.isEast = east ? 1 : 0;
    result.degrees = longitude::parseDegrees(value);
    return result;
}

std::optional<CComonOrbitune> parseHeaderReply(std::span<const std::uint8_t, frame::kReportSize> reply)
{
    if (reply[frame::kLengthAt] != kHeaderReplyLength || reply[frame::kCodeAt] != frame::kPlanRead)
        return std::nullopt;
    CComonOrbitune plan;
    plan.flag = signedByte(reply[13]);
    plan.number = reply[14];
    names::copyField(reply.subspan(15, kNameBytes), plan.name);
    // The text runs to its zero byte, at most to the end of the reply.
    const auto longitude = parseLongitude(reply.subspan(kLongitudeAt));
    plan.longitude = longitude.degrees;
    plan.isEast = longitude.isEast;
    plan.countByte = reply[34];
    plan.lnbLow = static_cast<std::int32_t>(bytes::u32be(reply, 35));
    plan.lnbHigh = static_cast<std::int32_t>(bytes::u32be(reply, 39));
    plan.channelCapacity = CComonOrbitune::kSlotCount;
    plan.id = Guid::generate();
    return plan;
}

std::optional<SateChannel> parseTpReply(std::span<const std::uint8_t, frame::kReportSize> reply)
{
    if (reply[frame::kLengthAt] != kTpReplyLength || reply[frame::kCodeAt] != frame::kPlanRead)
        return std::nullopt;
    SateChannel tp;
    tp.number = reply[9];
    names::copyField(reply.subspan(10, kNameBytes), tp.name);
    tp.enabled = signedByte(reply[22]);
    tp.signalType = signedByte(reply[23]);
    tp.reserved1 = signedByte(reply[24]);
    tp.reserved2 = signedByte(reply[25]);
    tp.frequency = bytes::u32be(reply, 26);
    tp.bandwidth = bytes::u32be(reply, 30);
    tp.symbolRate = static_cast<std::int32_t>(bytes::u32be(reply, 34));
    tp.reserved3 = signedByte(reply[38]);
    tp.codeRate = signedByte(reply[39]);
    tp.modulation = signedByte(reply[40]);
    tp.rollOff = signedByte(reply[41]);
    tp.pilots = signedByte(reply[42]);
    tp.polarization = signedByte(reply[43]);
    tp.lnbLo = signedByte(reply[44]);
    tp.id = Guid::generate();
    return tp;
}

std::optional<TransferStop> countStop(const MeterCount& count, std::optional<int> planIndex)
{
    using Fault = MeterCount::Fault;
    using Reason = TransferStop::Reason;
    if (count.fault == Fault::None)
        return std::nullopt;
    const bool ofPlan = planIndex.has_value();
    Reason reason = ofPlan ? Reason::Silent : Reason::NoPlans;
    if (count.fault == Fault::WrongReply)
        reason = ofPlan ? Reason::WrongTpCount : Reason::WrongPlanCount;
    if (count.fault == Fault::OutOfRange)
        reason = ofPlan ? Reason::TpCountOutOfRange : Reason::PlanCountOutOfRange;
    TransferStop stop = TransferStop::atPlan(reason, planIndex.value_or(-1), 0);
    if (count.fault == Fault::OutOfRange)
        stop.value = count.value;
    return stop;
}

std::optional<TransferStop> receivePlan(HidLink& link, PlanList& plans, int planIndex)
{
    const auto stop = [planIndex](TransferStop::Reason reason, int tp) {
        return TransferStop::atPlan(reason, planIndex, tp);
    };
    const MeterCount tpCount = link.queryTpCount(planIndex);
    if (auto wrong = countStop(tpCount, planIndex))
        return wrong;
    if (!link.writeReport(planReadRequest(1, tpCount.value, planIndex)))
        return stop(TransferStop::Reason::Silent, 0);
    frame::Report reply{};
    link.readReply(reply);
    if (!link.connected())
        return stop(TransferStop::Reason::Silent, 0);
    auto plan = parseHeaderReply(reply);
    if (!plan)
        return stop(TransferStop::Reason::WrongReply, 0);
    for (int j = 0; j < tpCount.value; ++j) {
        if (!link.writeReport(planReadRequest(j + 2, tpCount.value, planIndex)))
            return stop(TransferStop::Reason::Silent, j + 1);
        link.readReply(reply);
        if (!link.connected())
            return stop(TransferStop::Reason::Silent, j + 1);
        const auto tp = parseTpReply(reply);
        if (!tp)
            return stop(TransferStop::Reason::WrongReply, j + 1);
        plan->appendChannel(*tp);
    }
    plans.append(*plan);
    return std::nullopt;
}

TransferOutcome runUpload(HidLink& link, PlanList& plans, TransferObserver& observer, const TransferTiming& timing)
{
    if (const auto ended = startPlanTransfer(link, observer, timing))
        return *ended;
    const MeterCount count = link.queryPlanCount();
    std::optional<TransferStop> stop = countStop(count, std::nullopt);
    if (!stop && count.value == 0) {
        stop = TransferStop{};
        stop->reason = TransferStop::Reason::NoPlans;
    }
    if (stop) {
        observer.statusText(msg::kDeviceNotFound);
        return endTransfer(observer, TransferOutcome::Failed, stop);
    }
    observer.progressRange(count.value);
    PlanList received;
    for (int planIndex = 0; planIndex < count.value; ++planIndex) {
        if (const auto cutShort = receivePlan(link, received, planIndex)) {
            observer.statusText(msg::kDeviceNotFound);
            return endTransfer(observer, TransferOutcome::Failed, cutShort);
        }
        observer.progressStep();
    }
    plans = std::move(received);
    observer.statusText(msg::kUploadTitle);
    return endTransfer(observer, TransferOutcome::Succeeded);
}
