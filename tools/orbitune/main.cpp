#include "core/device/meter_selection.h"
#include "core/res/string_table.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/orbitune_app.h"
#include "ui/shell/quit_on_signals.h"
#include "ui/shell/recovery_file.h"

#include <QApplication>

// The editor: plan files named on the command line are opened at start.
// SIGTERM and Ctrl+C close it as its close box does, without a question:
// unsaved plans are kept in a recovery copy for the next start.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QuitOnSignals quitOnSignals;
    QApplication::setApplicationName(QStringLiteral("Orbitune"));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    COrbituneApp orbitune(systemLanguage(), meterFromEnvironment(), RecoveryFile::defaultFolder());
    if (!orbitune.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    QObject::connect(&quitOnSignals, &QuitOnSignals::signalled,
                     [&orbitune] { orbitune.mainFrame()->keepUnsavedOnClose(); });
    return QApplication::exec();
}
