#include "shell/qt_prompts.h"

#include "files/file_type_dialog.h"
#include "res/string_ids.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// A file dialog set up from the options; the caller chooses open or save.
void prepare(QFileDialog& dialog, const FileDialogOptions& options)
{
    dialog.setNameFilter(Prompts::qtFilter(options.filter));
    dialog.setDefaultSuffix(options.defaultSuffix);
}

QString firstOrNothing(const QStringList& paths)
{
    return paths.isEmpty() ? QString() : paths.front();
}

} // namespace

bool QtPrompts::showMessage(QWidget* owner, int, const QString& message, Buttons buttons)
{
    const bool question = buttons == Buttons::OkCancel;
    QMessageBox box(QMessageBox::Warning, text(msg::kAppTitle), message,
                    question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(text(msg::kOkButton));
    if (question) {
        box.button(QMessageBox::Cancel)->setText(text(msg::kCancelButton));
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

QStringList QtPrompts::chooseOpenFiles(QWidget* owner, const FileDialogOptions& options)
{
    QFileDialog dialog(owner, options.title);
    prepare(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(options.multipleFiles ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtPrompts::chooseSaveFile(QWidget* owner, const FileDialogOptions& options)
{
    QFileDialog dialog(owner, options.title);
    prepare(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return firstOrNothing(dialog.selectedFiles());
}

QString QtPrompts::chooseFolder(QWidget* owner, const QString& title)
{
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return firstOrNothing(dialog.selectedFiles());
}

std::optional<int> QtPrompts::chooseFileType(QWidget* owner)
{
    return runFileTypeSelect(owner, language());
}
