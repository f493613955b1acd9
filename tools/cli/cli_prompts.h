#pragma once

#include "cli/cli_context.h"
#include "core/commands/prompts.h"

#include <optional>
#include <string>

// The prompts of the command-line tool. Messages go to stderr, those about the
// meter after its name, and raise the exit status (2 for a file that cannot be
// read, 1 otherwise). Dialogs are answered from the command line: the file
// type, the output file or folder, and whether existing files may be
// replaced; every other question is answered no.
class CliPrompts : public Prompts {
public:
    // `meter`: the name put before the messages about the meter.
    explicit CliPrompts(CliContext& context, std::string meter = {})
        : Prompts(context.language), meter_(std::move(meter)), context_(context)
    {
    }

    std::optional<FileType> fileType;
    std::string outputFile;
    std::string outputFolder;
    bool overwrite = false;

    std::vector<std::string> chooseOpenFiles(PromptOwner owner, const FileDialogOptions& options) override;
    std::string chooseSaveFile(PromptOwner owner, const FileDialogOptions& options) override;
    std::string chooseFolder(PromptOwner owner, const std::string& title) override;
    std::optional<FileType> chooseFileType(PromptOwner owner) override;

protected:
    Answer showMessage(PromptOwner owner, MessageId id, const std::string& text, Buttons buttons) override;

private:
    std::string meter_;
    CliContext& context_;
};
