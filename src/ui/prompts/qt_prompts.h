#pragma once

#include "core/commands/prompts.h"

#include <QPointer>
#include <QString>

class QWidget;

// The editor's prompts: message boxes captioned with the application title
// and the warning icon (OK alone, OK and Cancel where Cancel means no, the
// save question's OK, Don't Save and Cancel, or the restore offer's Restore,
// Discard and Later), the
// toolkit's file and folder dialogs, and the File Type Select dialog, each
// over the window its owner names.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(Language language) : Prompts(language) {}

    // The windows the owners name; a dialog shown now owns the Dialog prompts.
    void setWindows(QWidget* mainWindow, QWidget* planPane, QWidget* channelPane);

    std::vector<std::string> chooseOpenFiles(PromptOwner owner, const FileDialogOptions& options) override;
    std::string chooseSaveFile(PromptOwner owner, const FileDialogOptions& options) override;
    std::string chooseFolder(PromptOwner owner, const std::string& title) override;
    std::optional<FileType> chooseFileType(PromptOwner owner) override;

    // "General File (*.gnr)|*.gnr||" in the Qt form "General File (*.gnr)".
    static QString qtFilter(const std::string& systemFilter);

protected:
    Answer showMessage(PromptOwner owner, MessageId id, const std::string& text, Buttons buttons) override;

private:
    QWidget* window(PromptOwner owner) const;

    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> planPane_;
    QPointer<QWidget> channelPane_;
};
