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

std::vector<int> ScriptedPrompts::messageIds() const
{
    std::vector<int> ids;
    for (const auto& m : messages)
        ids.push_back(m.id);
    return ids;
}

bool ScriptedPrompts::showMessage(QWidget*, int id, const QString& text, Buttons buttons)
{
    messages.push_back({id, text, buttons});
    if (buttons == Buttons::Ok)
        return true;
    return take(answers, "a question").value_or(false);
}

QStringList ScriptedPrompts::chooseOpenFiles(QWidget*, const FileDialogOptions& options)
{
    fileDialogs.push_back(options);
    return take(openFiles, "an open-file dialog").value_or(QStringList{});
}

QString ScriptedPrompts::chooseSaveFile(QWidget*, const FileDialogOptions& options)
{
    fileDialogs.push_back(options);
    return take(saveFiles, "a save-file dialog").value_or(QString{});
}

QString ScriptedPrompts::chooseFolder(QWidget*, const QString& title)
{
    folderTitles.push_back(title);
    return take(folders, "a folder browser").value_or(QString{});
}

std::optional<int> ScriptedPrompts::chooseFileType(QWidget* owner)
{
    ++fileTypeDialogs;
    fileTypeOwners.push_back(owner);
    return take(fileTypes, "the File Type Select dialog").value_or(std::nullopt);
}
