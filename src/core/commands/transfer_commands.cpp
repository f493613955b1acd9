#include "core/commands/transfer_commands.h"

#include "core/device/plan_download.h"
#include "core/device/plan_upload.h"
#include "core/device/transfer_messages.h"
#include "core/res/string_ids.h"

namespace {

constexpr PromptOwner kOwner = PromptOwner::MainWindow;

// The outcome text of a failed transfer stood in the progress display only for
// a moment; once it has gone, the user is told where the transfer stopped.
TransferOutcome reportStop(Prompts& prompts, const TransferResult& result)
{
    if (result.stop)
        tellMeterMessage(prompts, kOwner, transferStopMessage(*result.stop));
    return result.outcome;
}

// Opens the link; a meter that is not there (or cannot be opened) is told.
bool meterFound(HidLink& link, Prompts& prompts)
{
    if (link.open())
        return true;
    tellMeterMessage(prompts, kOwner, meterMissingMessage(link.openFailure(), msg::kQ36NotFound));
    return false;
}

} // namespace

void tellMeterMessage(Prompts& prompts, PromptOwner owner, const MeterMessage& message)
{
    prompts.tell(owner, message.id, message.args);
}

std::optional<TransferOutcome> downloadPlans(const PlanList& plans, HidLink& link, Prompts& prompts,
                                             TransferRunner& runner, DeviceType deviceType,
                                             const TransferTiming& timing)
{
    if (deviceType == DeviceType::Q36Checked) {
        if (const auto failed = checkDownloadLimits(plans)) {
            prompts.tell(kOwner, *failed);
            return std::nullopt;
        }
    }
    if (!meterFound(link, prompts))
        return std::nullopt;
    return reportStop(prompts, runner.run(true, [&link, &plans, timing](TransferObserver& observer) {
        return runDownload(link, plans, observer, timing);
    }));
}

std::optional<TransferOutcome> uploadPlans(PlanList& plans, HidLink& link, Prompts& prompts, TransferRunner& runner,
                                           const UploadHooks& hooks, const TransferTiming& timing)
{
    if (!meterFound(link, prompts))
        return std::nullopt;
    if (hooks.mayReplacePlans && !hooks.mayReplacePlans())
        return std::nullopt;
    // The worker fills a list of its own, which nothing else reads until the
    // runner has returned; the plans are replaced only by a whole upload.
    PlanList received;
    const TransferResult result = runner.run(false, [&link, &received, timing](TransferObserver& observer) {
        return runUpload(link, received, observer, timing);
    });
    if (result.outcome == TransferOutcome::Succeeded) {
        if (hooks.clearPanes)
            hooks.clearPanes();
        plans = std::move(received);
        if (hooks.refreshPlans)
            hooks.refreshPlans();
    }
    return reportStop(prompts, result);
}
