#include "core/device/meter_selection.h"
#include "core/res/string_table.h"
#include "ui/shell/orbitune_app.h"
#include "ui/shell/quit_on_signals.h"

#include <QApplication>

// The editor: plan files named on the command line are opened at start.
// SIGTERM and Ctrl+C close it as its close box does.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QuitOnSignals quitOnSignals;
    QApplication::setApplicationName(QStringLiteral("Orbitune"));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    COrbituneApp orbitune(systemLanguage(), meterFromEnvironment());
    if (!orbitune.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
