#include "core/device/meter_emulator.h"

#include "core/device/firmware_upgrade.h"
#include "core/device/plan_download.h"
#include "core/device/plan_upload.h"
#include "core/model/byte_order.h"

#include <algorithm>

namespace {

constexpr std::size_t kFrameNumberAt = 6;
constexpr std::size_t kPlanIndexAt = 8;
constexpr std::size_t kTpIndexAt = 9;
constexpr std::uint8_t kAck = 0;

// A copy of `stored` with its data kept and a new length and code.
frame::Report resealed(const frame::Report& stored, std::uint8_t code, std::size_t length)
{
    frame::Report reply{};
    std::copy(stored.begin() + frame::kDataAt, stored.begin() + static_cast<std::ptrdiff_t>(length),
              reply.begin() + frame::kDataAt);
    frame::seal(reply, code, length);
    return reply;
}

} // namespace

void MeterEmulator::preload(const std::vector<CComonOrbitune>& plans)
{
    stored_.clear();
    for (std::size_t p = 0; p < plans.size(); ++p) {
        StoredPlan plan;
        plan.header = planHeaderFrame(static_cast<int>(p), plans[p]);
        for (int j = 0; j < plans[p].channelCount; ++j)
            plan.tps.push_back(tpFrame(static_cast<int>(p), plans[p], j));
        stored_.push_back(std::move(plan));
    }
}

std::vector<CComonOrbitune> MeterEmulator::storedRecords() const
{
    std::vector<CComonOrbitune> records;
    for (std::size_t p = 0; p < stored_.size(); ++p) {
        auto request = planReadRequest(1, static_cast<int>(stored_[p].tps.size()), static_cast<int>(p));
        auto plan = parseHeaderReply(planRead(request));
        if (!plan)
            continue;
        for (std::size_t j = 0; j < stored_[p].tps.size(); ++j) {
            request =
                planReadRequest(static_cast<int>(j) + 2, static_cast<int>(stored_[p].tps.size()), static_cast<int>(p));
            if (const auto tp = parseTpReply(planRead(request)))
                plan->appendChannel(*tp);
        }
        records.push_back(*plan);
    }
    return records;
}

MeterResponse MeterEmulator::receive(std::span<const std::uint8_t> report)
{
    frame::Report request{};
    std::copy_n(report.begin(), std::min(report.size(), request.size()), request.begin());
    received_.push_back(request);
    const int n = frameCount();

    if (faults.dropAfter && n > *faults.dropAfter)
        return {MeterResponse::Kind::Drop, {}};
    if (faults.silentAfter && n > *faults.silentAfter)
        return {MeterResponse::Kind::Silent, {}};
    auto reply = answer(request);
    if (!reply)
        return {MeterResponse::Kind::Silent, {}};
    const auto length = static_cast<std::size_t>((*reply)[frame::kLengthAt]);
    const auto code = (*reply)[frame::kCodeAt];
    if (faults.wrongLengthAt == n)
        *reply = resealed(*reply, code, length + 1);
    if (faults.wrongCodeAt == n)
        *reply = resealed(*reply, static_cast<std::uint8_t>(code ^ 0x80U), length);
    return {MeterResponse::Kind::Reply, *reply};
}

std::optional<frame::Report> MeterEmulator::answer(const frame::Report& request)
{
    // Bytes 1..3 and the length must hold a frame; anything else is noise the
    // meter does not answer.
    const auto length = static_cast<std::size_t>(request[frame::kLengthAt]);
    if (request[1] != 0x55 || request[2] != 0xAA || request[3] != 0x01 || length < frame::kDataAt ||
        length >= frame::kReportSize)
        return std::nullopt;
    const auto code = request[frame::kCodeAt];
    switch (code) {
    case frame::kStatus: {
        const int status = faults.status.value_or(state_ == MeterState::Normal ? 1 : 0);
        return frame::shortReply(code, static_cast<std::uint8_t>(status));
    }
    case frame::kPlanCount:
        return frame::shortReply(
            code, static_cast<std::uint8_t>(faults.planCount.value_or(static_cast<int>(stored_.size()))));
    case frame::kTpCount: {
        const std::size_t p = request[frame::kDataAt];
        const int stored = p < stored_.size() ? static_cast<int>(stored_[p].tps.size()) : 0;
        return frame::shortReply(code, static_cast<std::uint8_t>(faults.tpCount.value_or(stored)));
    }
    case frame::kPlanWrite:
        planWrite(request);
        return frame::shortReply(code, kAck);
    case frame::kDownloadEnd: {
        stored_.clear();
        for (auto& plan : pending_)
            if (plan)
                stored_.push_back(std::move(*plan));
        pending_.clear();
        return frame::shortReply(code, kAck);
    }
    case frame::kPlanRead:
        return planRead(request);
    case frame::kUpgradeBlock:
        upgradeBlock(request);
        return frame::shortReply(code, kAck);
    default:
        return frame::shortReply(code, kAck);
    }
}

void MeterEmulator::planWrite(const frame::Report& request)
{
    const std::size_t p = request[kPlanIndexAt];
    if (pending_.size() <= p)
        pending_.resize(p + 1);
    if (request[kFrameNumberAt] == 1) {
        pending_[p] = StoredPlan{request, {}};
        return;
    }
    if (!pending_[p])
        return;
    const std::size_t j = request[kTpIndexAt];
    auto& tps = pending_[p]->tps;
    if (tps.size() <= j)
        tps.resize(j + 1);
    tps[j] = request;
}

frame::Report MeterEmulator::planRead(const frame::Report& request) const
{
    const std::size_t p = request[kPlanIndexAt];
    const int frameNumber = request[kFrameNumberAt];
    if (p >= stored_.size() || frameNumber < 1)
        return frame::shortReply(frame::kPlanRead, 0);
    const auto& plan = stored_[p];
    if (frameNumber == 1)
        return resealed(plan.header, frame::kPlanRead, kHeaderReplyLength);
    const auto j = static_cast<std::size_t>(frameNumber - 2);
    if (j >= plan.tps.size())
        return frame::shortReply(frame::kPlanRead, 0);
    return resealed(plan.tps[j], frame::kPlanRead, kTpFrameLength);
}

void MeterEmulator::upgradeBlock(const frame::Report& request)
{
    if (state_ != MeterState::Upgrade)
        return;
    const std::size_t total = bytes::u16be(request, 6);
    const std::size_t number = bytes::u16be(request, 8);
    if (number < 1 || number > total)
        return;
    firmware_.resize(total * kUpgradeBlockSize);
    std::copy_n(request.begin() + 10, kUpgradeBlockSize,
                firmware_.begin() + static_cast<std::ptrdiff_t>((number - 1) * kUpgradeBlockSize));
    ++firmwareBlocks_;
}
