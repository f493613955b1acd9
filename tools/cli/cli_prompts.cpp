#include "cli/cli_prompts.h"

#include "core/device/transfer_messages.h"
#include "core/res/string_ids.h"

#include <filesystem>

namespace {

bool isReadError(MessageId id)
{
    return id == msg::kOpenFileFailed || id == msg::kOpenFileFailedBecause || id == msg::kChecksumFailed ||
           id == msg::kNotPlanFile || id == msg::kBadFileContent;
}

} // namespace

Prompts::Answer CliPrompts::showMessage(PromptOwner, MessageId id, const std::string& text, Buttons buttons)
{
    if (buttons == Buttons::OkCancel && id == msg::kOrbtabExists && overwrite)
        return Answer::Ok;
    const std::string subject = isMeterMessage(id) && !meter_.empty() ? meter_ + ": " : std::string();
    context_.failText(isReadError(id) ? CliContext::kUnreadable : CliContext::kRefused, subject + text);
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::vector<std::string> CliPrompts::chooseOpenFiles(PromptOwner, const FileDialogOptions&)
{
    return {};
}

std::string CliPrompts::chooseSaveFile(PromptOwner owner, const FileDialogOptions& options)
{
    std::error_code error;
    if (options.confirmOverwrite && !overwrite && std::filesystem::exists(outputFile, error)) {
        tell(owner, msg::kFileExists, {outputFile});
        return {};
    }
    return outputFile;
}

std::string CliPrompts::chooseFolder(PromptOwner, const std::string&)
{
    return outputFolder;
}

std::optional<FileType> CliPrompts::chooseFileType(PromptOwner)
{
    return fileType;
}
