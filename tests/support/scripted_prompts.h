#pragma once

#include "core/commands/prompts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Prompts that answer from scripts, in turn, and record everything asked.
// A question or dialog without a scripted answer fails the running test and
// answers Cancel; OK-only messages need no script.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        MessageId id;
        std::string text;
        Buttons buttons;
        PromptOwner owner;
    };

    explicit ScriptedPrompts(Language language = Language::English) : Prompts(language) {}

    std::deque<bool> answers;                       // OK (true) or Cancel for ask()
    std::deque<Answer> saveAnswers;                 // askToSave
    std::deque<Answer> restoreAnswers;              // askToRestore
    std::deque<std::vector<std::string>> openFiles; // chooseOpenFiles
    std::deque<std::string> saveFiles;              // chooseSaveFile
    std::deque<std::string> folders;                // chooseFolder
    std::deque<std::optional<FileType>> fileTypes;  // chooseFileType

    std::vector<Message> messages;              // every message shown
    std::vector<FileDialogOptions> fileDialogs; // every open or save dialog
    std::vector<PromptOwner> fileDialogOwners;  // the owner of each of them
    std::vector<std::string> folderTitles;      // every folder browser
    std::vector<PromptOwner> fileTypeOwners;    // the owner of each File Type Select dialog

    // Ids of the messages shown so far, in order.
    std::vector<MessageId> messageIds() const;
    int fileTypeDialogs() const { return static_cast<int>(fileTypeOwners.size()); }

    std::vector<std::string> chooseOpenFiles(PromptOwner owner, const FileDialogOptions& options) override;
    std::string chooseSaveFile(PromptOwner owner, const FileDialogOptions& options) override;
    std::string chooseFolder(PromptOwner owner, const std::string& title) override;
    std::optional<FileType> chooseFileType(PromptOwner owner) override;

protected:
    Answer showMessage(PromptOwner owner, MessageId id, const std::string& text, Buttons buttons) override;
};
