#pragma once

#include "shell/prompts.h"

#include <deque>
#include <optional>
#include <vector>

// Prompts that answer from scripts, in turn, and record everything asked.
// A question or dialog without a scripted answer fails the running test and
// answers Cancel; OK-only messages need no script.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        int id;
        QString text;
        Buttons buttons;
    };

    explicit ScriptedPrompts(Language language = Language::English) : Prompts(language) {}

    std::deque<bool> answers;                 // OK (true) or Cancel for ask()
    std::deque<QStringList> openFiles;        // chooseOpenFiles
    std::deque<QString> saveFiles;            // chooseSaveFile
    std::deque<QString> folders;              // chooseFolder
    std::deque<std::optional<int>> fileTypes; // chooseFileType

    std::vector<Message> messages;              // every message shown
    std::vector<FileDialogOptions> fileDialogs; // every open or save dialog
    std::vector<QString> folderTitles;          // every folder browser
    int fileTypeDialogs = 0;
    std::vector<const QWidget*> fileTypeOwners; // the owner of each File Type Select dialog

    // Ids of the messages shown so far, in order.
    std::vector<int> messageIds() const;

    QStringList chooseOpenFiles(QWidget* owner, const FileDialogOptions& options) override;
    QString chooseSaveFile(QWidget* owner, const FileDialogOptions& options) override;
    QString chooseFolder(QWidget* owner, const QString& title) override;
    std::optional<int> chooseFileType(QWidget* owner) override;

protected:
    bool showMessage(QWidget* owner, int id, const QString& text, Buttons buttons) override;
};
