#pragma once

#include "shell/prompts.h"

// The application's prompts: message boxes captioned with the application
// title and the warning icon (OK alone, or OK and Cancel where Cancel means
// no), the toolkit's file and folder dialogs, and the File Type Select dialog.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(Language language) : Prompts(language) {}

    QStringList chooseOpenFiles(QWidget* owner, const FileDialogOptions& options) override;
    QString chooseSaveFile(QWidget* owner, const FileDialogOptions& options) override;
    QString chooseFolder(QWidget* owner, const QString& title) override;
    std::optional<int> chooseFileType(QWidget* owner) override;

protected:
    bool showMessage(QWidget* owner, int id, const QString& text, Buttons buttons) override;
};
