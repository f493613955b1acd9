#pragma once

#include "device/hid_link.h"
#include "device/transfer_observer.h"
#include "model/plan_list.h"

#include <functional>
#include <optional>

class Prompts;
class QWidget;

// The Download command: with deviceType 1 the Q36 checks first, then the meter
// must be found (message 144, or the message for a meter that is there but
// cannot be opened), then the progress dialog runs the download. A transfer
// that stopped short is reported after the dialog has closed, saying where it
// stopped. Answers the outcome, nothing when no dialog was shown.
std::optional<TransferOutcome> onDownload(QWidget* owner, PlanList& plans, HidLink& link, Prompts& prompts,
                                          int deviceType, const TransferTiming& timing = {});

// The Upload command: the meter must be found (message 144); then both panes
// are emptied (`clearPanes`), the plan list is emptied, the progress dialog
// runs the upload and the plan pane is rebuilt (`refreshPlans`) once it has
// closed. A failed upload is reported as a download's is.
std::optional<TransferOutcome> onUpload(QWidget* owner, PlanList& plans, HidLink& link, Prompts& prompts,
                                        const std::function<void()>& clearPanes,
                                        const std::function<void()>& refreshPlans, const TransferTiming& timing = {});
