#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace {

template <typename T> std::optional<T> take(std::deque<T>& queue, const char* what)
{
    if (queue.empty()) {
        ADD_FAILURE() << "no scripted answer for " << what;
        return std::nullopt;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

std::vector<MessageId> ScriptedPrompts::messageIds() const
{
    std::vector<MessageId> ids;
    for (const auto& m : messages)
        ids.push_back(m.id);
    return ids;
}

Prompts::Answer ScriptedPrompts::showMessage(PromptOwner owner, MessageId id, const std::string& text, Buttons buttons)
{
    messages.push_back({id, text, buttons, owner});
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return take(answers, "a question").value_or(false) ? Answer::Ok : Answer::Cancel;
    case Buttons::RestoreLaterDiscard:
        return take(restoreAnswers, "the restore offer").value_or(Answer::Cancel);
    case Buttons::SaveDiscardCancel:
        break;
    }
    return take(saveAnswers, "the save question").value_or(Answer::Cancel);
}

std::vector<std::string> ScriptedPrompts::chooseOpenFiles(PromptOwner owner, const FileDialogOptions& options)
{
    fileDialogs.push_back(options);
    fileDialogOwners.push_back(owner);
    return take(openFiles, "an open-file dialog").value_or(std::vector<std::string>{});
}

std::string ScriptedPrompts::chooseSaveFile(PromptOwner owner, const FileDialogOptions& options)
{
    fileDialogs.push_back(options);
    fileDialogOwners.push_back(owner);
    return take(saveFiles, "a save-file dialog").value_or(std::string{});
}

std::string ScriptedPrompts::chooseFolder(PromptOwner, const std::string& title)
{
    folderTitles.push_back(title);
    return take(folders, "a folder browser").value_or(std::string{});
}

std::optional<FileType> ScriptedPrompts::chooseFileType(PromptOwner owner)
{
    fileTypeOwners.push_back(owner);
    return take(fileTypes, "the File Type Select dialog").value_or(std::nullopt);
}
