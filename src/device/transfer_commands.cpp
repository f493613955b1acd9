#include "device/transfer_commands.h"

#include "device/dlg_progress.h"
#include "device/plan_download.h"
#include "device/plan_upload.h"
#include "res/string_ids.h"
#include "shell/prompts.h"

namespace {

// The outcome text of a failed transfer stood in the dialog only for a moment;
// it is shown again once the dialog has gone.
void reportFailure(QWidget* owner, Prompts& prompts, const DlgProgress& dialog)
{
    if (dialog.outcome() == TransferOutcome::Failed)
        prompts.tell(owner, msg::kDeviceNotFound);
}

} // namespace

std::optional<TransferOutcome> onDownload(QWidget* owner, PlanList& plans, HidLink& link, Prompts& prompts,
                                          int deviceType, const TransferTiming& timing)
{
    if (deviceType == 1) {
        if (const auto failed = checkDownloadLimits(plans)) {
            prompts.tell(owner, *failed);
            return std::nullopt;
        }
    }
    if (!link.open()) {
        prompts.tell(owner, msg::kQ36NotFound);
        return std::nullopt;
    }
    DlgProgress dialog(owner, prompts, true, [&link, &plans, timing](TransferObserver& observer) {
        return runDownload(link, plans, observer, timing);
    });
    dialog.exec();
    reportFailure(owner, prompts, dialog);
    return dialog.outcome();
}

std::optional<TransferOutcome> onUpload(QWidget* owner, PlanList& plans, HidLink& link, Prompts& prompts,
                                        const std::function<void()>& clearPanes,
                                        const std::function<void()>& refreshPlans, const TransferTiming& timing)
{
    if (!link.open()) {
        prompts.tell(owner, msg::kQ36NotFound);
        return std::nullopt;
    }
    clearPanes();
    plans.removeAll();
    DlgProgress dialog(owner, prompts, false, [&link, &plans, timing](TransferObserver& observer) {
        return runUpload(link, plans, observer, timing);
    });
    dialog.exec();
    refreshPlans();
    reportFailure(owner, prompts, dialog);
    return dialog.outcome();
}
