#include "cli/cli_progress.h"

#include "core/res/string_ids.h"

CliProgress::CliProgress(CliContext& context, std::string meter, MessageId labelId)
    : context_(context), meter_(std::move(meter)), label_(messageText(labelId, context.language))
{
}

void CliProgress::progressRange(int maximum)
{
    maximum_ = maximum;
    position_ = 0;
    drawnPercent_ = -1;
    draw();
}

void CliProgress::progressStep()
{
    ++position_;
    draw();
}

void CliProgress::message(MessageId id)
{
    endLine();
    context_.failAbout(CliContext::kRefused, meter_, id);
}

void CliProgress::finished(TransferOutcome)
{
    endLine();
}

void CliProgress::draw()
{
    const int percent = maximum_ > 0 ? static_cast<int>(100LL * position_ / maximum_) : 100;
    if (percent == drawnPercent_ && position_ != maximum_)
        return;
    drawnPercent_ = percent;
    context_.err << '\r' << label_ << ' ' << position_ << '/' << maximum_ << " (" << percent << "%)" << std::flush;
    lineOpen_ = true;
}

void CliProgress::endLine()
{
    if (!lineOpen_)
        return;
    context_.err << '\n';
    lineOpen_ = false;
}

TransferResult CliTransferRunner::run(bool isDownload, const Transfer& transfer)
{
    CliProgress progress(context_, meter_, isDownload ? msg::kDownloading : msg::kUploading);
    const TransferOutcome outcome = transfer(progress);
    return {outcome, progress.stop()};
}
