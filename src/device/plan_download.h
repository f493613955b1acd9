#pragma once

#include "device/hid_link.h"
#include "device/meter_frame.h"
#include "device/transfer_observer.h"
#include "model/comon_orbitune.h"
#include "model/plan_list.h"

#include <optional>
#include <string>

inline constexpr std::size_t kHeaderFrameLength = 0x33;
inline constexpr std::size_t kTpFrameLength = 0x37;

// The longitude as six characters: one decimal, zero-padded to three integer
// digits, then E or W ("005.0E", "013.0W", "160.0E"). The padding follows the
// rounded value, so 9.96 gives "010.0E".
std::string formatLongitude(float longitude, std::int32_t isEast);

// Plan write frames (code 0x67): the plan's header frame, and the frame of its
// TP slot `j`.
frame::Report planHeaderFrame(int planIndex, const CComonOrbitune& plan);
frame::Report tpFrame(int planIndex, const CComonOrbitune& plan, int j);

// The Q36 limits a download must pass: the id of the first failing message.
std::optional<int> checkDownloadLimits(const PlanList& plans);

// Sends one plan's header and TP frames, each answered by one reply. False
// when the link is down or lost on the way, or when the plan has no TPs (after
// its header was sent).
bool sendPlan(HidLink& link, int planIndex, const CComonOrbitune& plan);

// The whole download: open, status 1, every plan in list order, then the
// download end frame after a pause. The plan list is not changed.
TransferOutcome runDownload(HidLink& link, const PlanList& plans, TransferObserver& observer,
                            const TransferTiming& timing = {});
