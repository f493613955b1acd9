#include "ui/shell/orbitune_app.h"

#include "core/device/meter_selection.h"
#include "core/files/file_error_message.h"
#include "core/files/recovery_copy.h"
#include "core/res/app_version.h"
#include "core/res/string_ids.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/recovery_file.h"
#include "ui/text/qt_text.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTimer>

#include <iostream>
#include <string>

namespace {

// Wide enough for the whole ribbon with the usual fonts.
constexpr QSize kFirstWindowSize(1320, 720);

// The chosen meter backend; a refused choice (such as a socket address that is
// not on this machine) is reported and the system's HID devices are used.
std::unique_ptr<HidBackend> meterBackend(const std::optional<std::string>& choice)
{
    MeterSelection selection = selectMeterBackend(choice);
    if (selection.backend)
        return std::move(selection.backend);
    std::cerr << "orbitune: " << selection.error << "; using the HID devices instead\n";
    return selectMeterBackend(std::nullopt).backend;
}

// The application's icon at the sizes the build renders it, for every window.
QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {48, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

COrbituneApp::COrbituneApp(Language language, const std::optional<std::string>& meterChoice,
                           const QString& recoveryFolder)
    : language_(language), qtTranslations_(language), link_(meterBackend(meterChoice)), prompts_(language),
      recovery_(std::make_unique<RecoveryFile>(recoveryFolder))
{
    QApplication::setWindowIcon(applicationIcon());
    // Ties the windows to the desktop entry (and so its icon and name) where
    // the desktop asks.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId.data(), static_cast<qsizetype>(kAppId.size())));
}

COrbituneApp::~COrbituneApp() = default;

bool COrbituneApp::InitInstance(const QStringList& files)
{
    frame_ = std::make_unique<CMainFrame>(plans_, link_, prompts_, settings_, language_);
    prompts_.setWindows(frame_.get(), &frame_->planPane(), &frame_->channelPane());
    QObject::connect(frame_.get(), &CMainFrame::applicationCommand,
                     [this](int commandId) { onApplicationCommand(commandId); });
    if (!frame_->restoreGeometry(settings_.windowGeometry()))
        frame_->resize(kFirstWindowSize);
    frame_->restoreState(settings_.windowState());
    frame_->show();
    link_.setIdentity(kMeterIdentities[1]);
    frame_->watchUnsavedPlans(*recovery_);
    // The questions these may ask run in the application's own event loop,
    // over the window already shown.
    QTimer::singleShot(0, frame_.get(), [this, files] {
        offerLeftPlans();
        if (!files.isEmpty())
            frame_->openFiles(files);
    });
    return true;
}

// Plans kept from an earlier run go only when the user discards them (and
// confirms it), or once this editor keeps them itself; Later, Escape and
// closing the box keep them for the next start.
void COrbituneApp::offerLeftPlans()
{
    const auto left = recovery_->takeLeftCopy();
    if (!left)
        return;
    RecoveryCopyRead read = readRecoveryCopy(coreText(left->path));
    if (read.error) {
        const auto message = fileErrorMessage(*read.error);
        prompts_.tell(PromptOwner::MainWindow, message.message, message.args);
        recovery_->keepLeftCopy();
        return;
    }
    recovery_copy::Content& copy = read.content;
    const std::string written = coreText(QLocale::c().toString(left->written, QStringLiteral("yyyy-MM-dd HH:mm")));
    const Prompts::Answer answer =
        copy.whole ? prompts_.askToRestore(PromptOwner::MainWindow, msg::kRestoreOffer, {written})
                   : prompts_.askToRestore(PromptOwner::MainWindow, msg::kRestoreDamagedOffer,
                                           {written, std::to_string(copy.plans.size()), std::to_string(copy.written)});
    switch (answer) {
    case Prompts::Answer::Ok:
        // The copy stays until this editor's own copy of the plans is written.
        if (!copy.plans.empty()) {
            frame_->restorePlans(std::move(copy.plans), copy.nextPlanNumber);
            return;
        }
        break;
    case Prompts::Answer::Discard:
        if (prompts_.ask(PromptOwner::MainWindow, msg::kConfirmDiscardKept)) {
            recovery_->dropLeftCopy();
            return;
        }
        break;
    case Prompts::Answer::Cancel:
        break;
    }
    recovery_->keepLeftCopy();
}

void COrbituneApp::onApplicationCommand(int commandId)
{
    if (commandId == cmd::kAppAbout) {
        CAboutDlg about(language_, frame_.get());
        about.exec();
    }
}
