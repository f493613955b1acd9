#include "ui/prompts/qt_prompts.h"

#include "core/res/string_ids.h"
#include "ui/dialogs/file_type_dialog.h"
#include "ui/text/qt_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A file dialog set up from the options; the caller chooses open or save.
void prepare(QFileDialog& dialog, const FileDialogOptions& options)
{
    dialog.setNameFilter(QtPrompts::qtFilter(options.filter));
    dialog.setDefaultSuffix(qtText(options.defaultSuffix));
}

std::string firstOrNothing(const QStringList& paths)
{
    return paths.isEmpty() ? std::string() : coreText(paths.front());
}

} // namespace

void QtPrompts::setWindows(QWidget* mainWindow, QWidget* planPane, QWidget* channelPane)
{
    mainWindow_ = mainWindow;
    planPane_ = planPane;
    channelPane_ = channelPane;
}

QWidget* QtPrompts::window(PromptOwner owner) const
{
    switch (owner) {
    case PromptOwner::MainWindow:
        return mainWindow_;
    case PromptOwner::PlanPane:
        return planPane_ ? planPane_.data() : mainWindow_.data();
    case PromptOwner::ChannelPane:
        return channelPane_ ? channelPane_.data() : mainWindow_.data();
    case PromptOwner::Dialog:
        break;
    }
    QWidget* dialog = QApplication::activeModalWidget();
    return dialog != nullptr ? dialog : mainWindow_.data();
}

QString QtPrompts::qtFilter(const std::string& systemFilter)
{
    const QStringList parts = qtText(systemFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        filters << parts[i];
    }
    return filters.join(QStringLiteral(";;"));
}

Prompts::Answer QtPrompts::showMessage(PromptOwner owner, MessageId, const std::string& message, Buttons buttons)
{
    QMessageBox box(QMessageBox::Warning, qtText(text(msg::kAppTitle)), qtText(message), QMessageBox::Ok,
                    window(owner));
    const bool restore = buttons == Buttons::RestoreLaterDiscard;
    box.button(QMessageBox::Ok)->setText(qtText(text(restore ? msg::kRestoreButton : msg::kOkButton)));
    if (buttons == Buttons::SaveDiscardCancel || restore)
        box.addButton(QMessageBox::Discard)
            ->setText(qtText(text(restore ? msg::kDiscardButton : msg::kDontSaveButton)));
    if (buttons != Buttons::Ok) {
        box.addButton(QMessageBox::Cancel)->setText(qtText(text(restore ? msg::kLaterButton : msg::kCancelButton)));
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

std::vector<std::string> QtPrompts::chooseOpenFiles(PromptOwner owner, const FileDialogOptions& options)
{
    QFileDialog dialog(window(owner), qtText(options.title));
    prepare(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(options.multipleFiles ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    std::vector<std::string> paths;
    for (const QString& path : dialog.selectedFiles())
        paths.push_back(coreText(path));
    return paths;
}

std::string QtPrompts::chooseSaveFile(PromptOwner owner, const FileDialogOptions& options)
{
    QFileDialog dialog(window(owner), qtText(options.title));
    prepare(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return firstOrNothing(dialog.selectedFiles());
}

std::string QtPrompts::chooseFolder(PromptOwner owner, const std::string& title)
{
    QFileDialog dialog(window(owner), qtText(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return firstOrNothing(dialog.selectedFiles());
}

std::optional<FileType> QtPrompts::chooseFileType(PromptOwner owner)
{
    const auto chosen = runFileTypeSelect(window(owner), language());
    return chosen ? std::optional(static_cast<FileType>(*chosen)) : std::nullopt;
}
