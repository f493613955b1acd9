#pragma once

#include "core/commands/prompts.h"
#include "core/device/hid_link.h"
#include "core/device/transfer_messages.h"
#include "core/device/transfer_observer.h"
#include "core/model/plan_list.h"

#include <functional>
#include <optional>

// How a transfer ended and where it stopped short, if it did.
struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Failed;
    std::optional<TransferStop> stop;
};

// Runs a download or an upload with its progress shown: the editor's progress
// dialog runs it on a worker thread, the command-line tool on its own thread.
class TransferRunner {
public:
    using Transfer = std::function<TransferOutcome(TransferObserver&)>;

    virtual ~TransferRunner() = default;
    virtual TransferResult run(bool isDownload, const Transfer& transfer) = 0;
};

// The Download command: with DeviceType::Q36Checked the Q36 checks first, then the meter
// must be found (message 144, or message 161 for a meter that is there but
// cannot be opened), then the runner runs the download. A transfer that
// stopped short is reported afterwards, saying where it stopped. Answers the
// outcome, nothing when no transfer ran.
std::optional<TransferOutcome> downloadPlans(const PlanList& plans, HidLink& link, Prompts& prompts,
                                             TransferRunner& runner, DeviceType deviceType,
                                             const TransferTiming& timing = {});

// What the Upload command asks of the editor around the plans it replaces.
// Any hook may be left empty.
struct UploadHooks {
    std::function<bool()> mayReplacePlans; // false keeps the plans and ends the command
    std::function<void()> clearPanes;      // empty both panes of their rows
    std::function<void()> refreshPlans;    // rebuild the plan pane from the list
};

// The Upload command: the meter must be found (as for Download) and the plans
// there are may be replaced; then the runner runs the upload into a list of
// its own. Only a whole upload replaces the plans: both panes are emptied, the
// list takes the meter's plans and the plan pane is rebuilt. After a failed
// one the plans and the panes are as they were, and where it stopped is
// reported as a download's is.
std::optional<TransferOutcome> uploadPlans(PlanList& plans, HidLink& link, Prompts& prompts, TransferRunner& runner,
                                           const UploadHooks& hooks, const TransferTiming& timing = {});

// Tells a meter message: the meter missing or where a transfer stopped.
void tellMeterMessage(Prompts& prompts, PromptOwner owner, const MeterMessage& message);
