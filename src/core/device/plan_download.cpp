#include "core/device/plan_download.h"

#include "core/device/transfer_steps.h"
#include "core/model/byte_order.h"
#include "core/res/string_ids.h"
#include "core/rules/longitude.h"
#include "core/rules/model_checks.h"

#include <algorithm>
#include <thread>

namespace {

constexpr std::size_t kLongitudeAt = 27;
constexpr std::uint32_t kLow24 = 0xFFFFFFU;

std::uint8_t low(std::int64_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

// Copies the characters of `name` up to its first zero, at most `room` of them.
void putName(frame::Report& report, std::size_t at, std::span<const char> name, std::size_t room)
{
    for (std::size_t i = 0; i < name.size() && i < room && name[i] != '\0'; ++i)
        report[at + i] = static_cast<std::uint8_t>(name[i]);
}

void put24(frame::Report& report, std::size_t at, std::int64_t value)
{
    bytes::putU32be(report, at, static_cast<std::uint32_t>(std::max<std::int64_t>(value, 0)) & kLow24);
}

} // namespace

frame::Report planHeaderFrame(int planIndex, const CComonOrbitune& plan)
{
    frame::Report r{};
    r[6] = 1;
    r[7] = low(static_cast<std::int64_t>(plan.channelCount) + 1);
    r[8] = low(planIndex);
    std::fill_n(r.begin() + 9, 4, std::uint8_t{0x64});
    r[13] = low(plan.flag);
    r[14] = low(planIndex);
    putName(r, 15, plan.name, 11);
    longitude::store(longitude::frameText(plan.longitude, plan.isEast != 0),
                     std::span(r).subspan<kLongitudeAt, longitude::kFieldSize>());
    r[34] = low(plan.channelCount);
    put24(r, 35, plan.lnbLow);
    put24(r, 39, plan.lnbHigh);
    frame::seal(r, frame::kPlanWrite, kHeaderFrameLength);
    return r;
}

frame::Report tpFrame(int planIndex, const CComonOrbitune& plan, int j)
{
    const auto& tp = plan.channels.at(static_cast<std::size_t>(j));
    frame::Report r{};
    r[6] = low(j + 2);
    r[7] = low(static_cast<std::int64_t>(plan.channelCount) + 1);
    r[8] = low(planIndex);
    r[9] = low(j);
    putName(r, 10, tp.name, 11);
    r[22] = low(tp.enabled);
    r[23] = low(tp.signalType);
    r[24] = low(tp.reserved1);
    r[25] = low(tp.reserved2);
    put24(r, 26, tp.frequency);
    put24(r, 30, tp.bandwidth);
    put24(r, 34, tp.symbolRate);
    r[38] = low(tp.reserved3);
    r[39] = low(tp.codeRate);
    r[40] = low(tp.modulation);
    r[41] = low(tp.rollOff);
    r[42] = low(tp.pilots);
    r[43] = low(tp.polarization);
    r[44] = low(tp.lnbLo);
    frame::seal(r, frame::kPlanWrite, kTpFrameLength);
    return r;
}

std::optional<MessageId> checkDownloadLimits(const PlanList& plans)
{
    return checkQ36Download(allPlans(plans));
}

std::optional<TransferStop> sendPlan(HidLink& link, int planIndex, const CComonOrbitune& plan)
{
    const auto stop = [planIndex](TransferStop::Reason reason, int tp) {
        return TransferStop::atPlan(reason, planIndex, tp);
    };
    if (!link.exchange(planHeaderFrame(planIndex, plan)))
        return stop(TransferStop::Reason::Silent, 0);
    if (plan.channelCount <= 0)
        return stop(TransferStop::Reason::PlanWithoutTp, 0);
    const int count = std::min(plan.channelCount, CComonOrbitune::kSlotCount);
    for (int j = 0; j < count; ++j)
        if (!link.exchange(tpFrame(planIndex, plan, j)))
            return stop(TransferStop::Reason::Silent, j + 1);
    return std::nullopt;
}

TransferOutcome runDownload(HidLink& link, const PlanList& plans, TransferObserver& observer,
                            const TransferTiming& timing)
{
    if (const auto ended = startPlanTransfer(link, observer, timing))
        return *ended;
    if (plans.empty())
        return endTransfer(observer, TransferOutcome::NothingToSend);
    observer.progressRange(plans.count());
    for (int position = 0; position < plans.count(); ++position) {
        if (const auto stop = sendPlan(link, position, plans.at(position))) {
            observer.statusText(msg::kDeviceNotFound);
            return endTransfer(observer, TransferOutcome::Failed, stop);
        }
        observer.progressStep();
    }
    observer.statusText(msg::kDownloadSucceeded);
    std::this_thread::sleep_for(timing.settle);
    link.sendDownloadEnd();
    return endTransfer(observer, TransferOutcome::Succeeded);
}
