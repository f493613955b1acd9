#pragma once

#include "core/device/hid_link.h"
#include "core/device/meter_frame.h"
#include "core/device/transfer_observer.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <optional>
#include <span>

inline constexpr std::size_t kPlanReadLength = 9;
inline constexpr std::size_t kHeaderReplyLength = 0x32;

// Plan read request (code 0x66): frame 1 for the header, j + 2 for TP j, of a
// plan with `tpCount` TPs at `planIndex` in the meter.
frame::Report planReadRequest(int frameNumber, int tpCount, int planIndex);

struct Longitude {
    float degrees = 0.0F;
    std::int32_t isEast = 0;
};
// The longitude text of a header reply ("013.0E"), read up to its zero byte.
Longitude parseLongitude(std::span<const std::uint8_t> text);

// A plan record from a header reply, with a fresh id; nothing unless the reply
// has length 0x32 and code 0x66.
std::optional<CComonOrbitune> parseHeaderReply(std::span<const std::uint8_t, frame::kReportSize> reply);
// A TP record from a TP reply, with a fresh id; nothing unless the reply has
// the TP frame's length 0x37 and code 0x66.
std::optional<SateChannel> parseTpReply(std::span<const std::uint8_t, frame::kReportSize> reply);

// Where a transfer stops for a count the meter did not give: the plan count
// without `planIndex`, the TP count of the plan at `planIndex` with it. None
// for a count.
std::optional<TransferStop> countStop(const MeterCount& count, std::optional<int> planIndex);

// Reads one plan and its TPs and appends it to `plans` once it has arrived
// whole. Answers where it stopped short, none when the plan arrived: the link
// cannot be opened, a request cannot be written, a reply does not arrive, or a
// reply (the TP count, the header, a TP) is no answer.
std::optional<TransferStop> receivePlan(HidLink& link, PlanList& plans, int planIndex);

// The whole upload: open, status 1, plan count, every plan in the meter's
// order. Only when it succeeds does `plans` take the meter's plans in place of
// what it held; otherwise it is left as it was.
TransferOutcome runUpload(HidLink& link, PlanList& plans, TransferObserver& observer,
                          const TransferTiming& timing = {});
