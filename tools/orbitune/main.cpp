#include "core/device/meter_selection.h"
#include "core/res/app_version.h"
#include "core/res/string_table.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/orbitune_app.h"
#include "ui/shell/quit_on_signals.h"
#include "ui/shell/recovery_file.h"

#include <QApplication>

#include <iostream>
#include <optional>
#include <span>
#include <string_view>

namespace {

// The text of --help; the manual page is made from it.
constexpr std::string_view kHelp =
    R"(Usage: orbitune [OPTION]... [PLAN FILE]...
Edit, check and transfer the satellite plans of Q24, Q36 and Q9100 meters: build
plans and their transponders (TPs), save them as .gnr, .planList or .Orbtab
files, send them to a Q36 meter over USB and read them back, and upgrade the
meter's firmware. The plan files named are opened at start.

Options:
  -h, --help     print this help and exit
  --version      print the version and exit

Qt's own options are taken as well, such as -platform NAME and -style NAME.

Environment:
  ORBITUNE_METER   the meter: hid (a USB meter, the default), sim (an emulated
                   meter inside the editor) or tcp://127.0.0.1:PORT (a meter
                   emulator such as orbitune-meter-sim; loopback only)
  LANGUAGE         the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is
                   set chooses the interface language: Simplified Chinese for a
                   Chinese locale (zh...), English otherwise
  XDG_CONFIG_HOME  where the settings are kept (~/.config when unset)
  XDG_STATE_HOME   where the recovery copies are kept (~/.local/state when unset)

Files:
The settings (the style, the window's place and the last four files) are kept
in ~/.config/Local AppWizard-Generated Applications/Orbitune.conf, the recovery
copy of unsaved plans, offered at the next start, in
~/.local/state/orbitune/recovery.

SIGTERM or Ctrl+C in the terminal closes the editor without a question,
keeping unsaved plans in the recovery copy.
)";

// Answers --help and --version before the window system is touched, so both
// work without a display.
std::optional<int> answerInformationOption(std::span<char*> arguments)
{
    for (const std::string_view argument : arguments.subspan(1)) {
        if (argument == "-h" || argument == "--help") {
            std::cout << kHelp;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "orbitune " << kFileVersion << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

// The editor: plan files named on the command line are opened at start.
// SIGTERM and Ctrl+C close it as its close box does, without a question:
// unsaved plans are kept in a recovery copy for the next start.
int main(int argc, char** argv)
{
    if (const auto status = answerInformationOption(std::span(argv, static_cast<std::size_t>(argc))))
        return *status;
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
