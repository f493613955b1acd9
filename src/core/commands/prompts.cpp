#include "core/commands/prompts.h"

bool Prompts::tell(PromptOwner owner, MessageId id, const std::vector<std::string>& args)
{
    showMessage(owner, id, text(id, args), Buttons::Ok);
    return true;
}

void Prompts::tellAll(PromptOwner owner, std::span<const Notice> notices)
{
    if (notices.empty())
        return;
    std::string lines;
    for (const Notice& notice : notices)
        lines += (lines.empty() ? "" : "\n") + noticeText(notice, language_);
    showMessage(owner, notices.front().message, lines, Buttons::Ok);
}

bool Prompts::ask(PromptOwner owner, MessageId id, const std::vector<std::string>& args)
{
    return showMessage(owner, id, text(id, args), Buttons::OkCancel) == Answer::Ok;
}

Prompts::Answer Prompts::askToSave(PromptOwner owner, MessageId id)
{
    return showMessage(owner, id, text(id), Buttons::SaveDiscardCancel);
}

Prompts::Answer Prompts::askToRestore(PromptOwner owner, MessageId id, const std::vector<std::string>& args)
{
    return showMessage(owner, id, text(id, args), Buttons::RestoreLaterDiscard);
}

std::string Prompts::text(MessageId id, const std::vector<std::string>& args) const
{
    return formatMessage(id, language_, args);
}
