#include "core/commands/prompts.h"

bool Prompts::tell(PromptOwner owner, MessageId id, const std::vector<std::string>& args)
{
    showMessage(owner, id, text(id, args), Buttons::Ok);
    return true;
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
