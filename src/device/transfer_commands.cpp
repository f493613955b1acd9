#include "device/transfer_commands.h"

#include "device/dlg_progress.h"
#include "device/plan_download.h"
#include "device/plan_upload.h"
#include "device/transfer_messages.h"
#include "res/string_ids.h"
#include "shell/prompts.h"

namespace {

void tell(QWidget* owner, Prompts& prompts, const MeterMessage& message)
{
    QStringList args;
    for (const std::string& arg : message.args)
        args.append(qtText(arg));
    prompts.tell(owner, message.id, args);
}

// The outcome text of a failed transfer stood in the dialog only for a moment;
// once the dialog has gone, the user is told where the transfer stopped.
void reportFailure(QWidget* owner, Prompts& prompts, const DlgProgress& dialog)
{
    if (dialog.stop())
        tell(owner, prompts, transferStopMessage(*dialog.stop()));
}

// The meter was not there when the command began: missing, or there but not
// to be opened.
void reportMissing(QWidget* owner, Prompts& prompts, const HidLink& link)
{
    tell(owner, prompts, meterMissingMessage(link.openFailure(), msg::kQ36NotFound));
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
        reportMissing(owner, prompts, link);
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
        reportMissing(owner, prompts, link);
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
