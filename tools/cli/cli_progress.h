#pragma once

#include "cli/cli_context.h"
#include "core/commands/transfer_commands.h"
#include "core/device/transfer_observer.h"

#include <optional>
#include <string>

// Shows a running download, upload or upgrade on stderr: one progress line,
// redrawn in place whenever its percentage changes, and the meter's messages,
// each after the name of the meter.
class CliProgress : public TransferObserver {
public:
    CliProgress(CliContext& context, std::string meter, MessageId labelId);

    void statusText(MessageId) override {}
    void progressRange(int maximum) override;
    void progressStep() override;
    void message(MessageId id) override;
    void stopped(const TransferStop& stop) override { stop_ = stop; }
    void finished(TransferOutcome outcome) override;

    // Where the transfer stopped short, if it did.
    const std::optional<TransferStop>& stop() const { return stop_; }

private:
    void draw();
    void endLine();

    CliContext& context_;
    std::string meter_;
    std::string label_;
    int maximum_ = 0;
    int position_ = 0;
    int drawnPercent_ = -1;
    bool lineOpen_ = false;
    std::optional<TransferStop> stop_;
};

// Runs each transfer on this thread with a CliProgress for the meter.
class CliTransferRunner : public TransferRunner {
public:
    CliTransferRunner(CliContext& context, std::string meter) : context_(context), meter_(std::move(meter)) {}

    TransferResult run(bool isDownload, const Transfer& transfer) override;

private:
    CliContext& context_;
    std::string meter_;
};
