#pragma once

#include "core/device/hid_link.h"
#include "core/device/meter_frame.h"
#include "core/device/transfer_observer.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <optional>
#include <string>

inline constexpr std::size_t kHeaderFrameLength = 0x33;
inline constexpr std::size_t kTpFrameLength = 0x37;

// Plan write frames (code 0x67): the plan's header frame, and the frame of its
// TP slot `j`.
frame::Report planHeaderFrame(int planIndex, const CComonOrbitune& plan);
frame::Report tpFrame(int planIndex, const CComonOrbitune& plan, int j);

// The Q36 limits a download must pass: the id of the first failing message.
std::optional<MessageId> checkDownloadLimits(const PlanList& plans);

// Sends one plan's header and TP frames, each answered by one reply. Answers
// where it stopped short, none when every frame went through: the link down or
// lost on the way, or a plan without TPs (after its header was sent).
std::optional<TransferStop> sendPlan(HidLink& link, int planIndex, const CComonOrbitune& plan);

// The whole download: open, status 1, every plan in list order, then the
// download end frame after a pause. The plan list is not changed.
TransferOutcome runDownload(HidLink& link, const PlanList& plans, TransferObserver& observer,
                            const TransferTiming& timing = {});
