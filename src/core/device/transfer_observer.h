#pragma once

#include "core/device/hid_backend.h"
#include "core/res/string_ids.h"

#include <chrono>
#include <optional>

// How a download, upload or upgrade ended.
enum class TransferOutcome {
    Succeeded,
    NotFound,      // no meter with the identity
    WrongState,    // the meter is not in the state the transfer needs
    NothingToSend, // a download of an empty plan list
    TooLarge,      // a firmware image with more blocks than can be numbered
    Failed,        // the link was lost or the meter answered wrongly on the way
};

// Where a transfer stopped short, for the report the user sees afterwards.
struct TransferStop {
    enum class Reason {
        NoMeter,             // no meter with the identity when the exchange began
        Silent,              // the meter stopped answering, or a report could not be written
        WrongReply,          // an upload's header or TP reply was not one
        WrongPlanCount,      // the reply to the plan count query was not one
        WrongTpCount,        // the reply to a plan's TP count query was not one
        PlanCountOutOfRange, // the plan count byte was no count (`value`)
        TpCountOutOfRange,   // a plan's TP count byte was no count (`value`)
        NoPlans,             // the meter reported no plans, or did not answer the plan count
        PlanWithoutTp,       // a plan without TPs cannot be downloaded
    };
    Reason reason = Reason::NoMeter;
    int plan = 0;   // from 1, for a plan transfer
    int tp = 0;     // from 1 within the plan; 0 for its header
    int block = 0;  // from 1, for an upgrade
    int blocks = 0; // the upgrade's block count
    int value = 0;  // the byte a count reply carried, when it was no count
    // With NoMeter: the meter that was there, or looked for at an address,
    // but could not be reached.
    std::optional<HidOpenFailure> unopened;

    // A stop in the plan at `planIndex` (from 0), at its TP `tp` (from 1; 0 for
    // the plan's header).
    static TransferStop atPlan(Reason reason, int planIndex, int tp)
    {
        TransferStop stop;
        stop.reason = reason;
        stop.plan = planIndex + 1;
        stop.tp = tp;
        return stop;
    }
    // A stop at `block` (from 1) of an upgrade of `blocks` blocks.
    static TransferStop atBlock(int block, int blocks)
    {
        TransferStop stop;
        stop.reason = Reason::Silent;
        stop.block = block;
        stop.blocks = blocks;
        return stop;
    }

    friend bool operator==(const TransferStop&, const TransferStop&) = default;
};

// What a running transfer tells the one who shows it (the progress dialog, the
// upgrade dialog or the command-line tool). Calls come from the thread that
// runs the transfer.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;

    // The status text, by string id.
    virtual void statusText(MessageId id) = 0;
    // The progress runs from 0 to `maximum` in steps of one, starting at 0.
    virtual void progressRange(int maximum) = 0;
    virtual void progressStep() = 0;
    // A message box with the string id, shown before the transfer goes on.
    virtual void message(MessageId id) = 0;
    // Where the transfer stopped short; called before `finished`.
    virtual void stopped(const TransferStop& stop) = 0;
    // The transfer ended.
    virtual void finished(TransferOutcome outcome) = 0;
};

// Pauses of the transfer sequences; tests shorten them.
struct TransferTiming {
    // Between a download's last plan and its end frame, and after a refusal.
    std::chrono::milliseconds settle{300};
};
