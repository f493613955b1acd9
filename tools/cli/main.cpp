#include "cli/cli_context.h"
#include "cli/device_commands.h"
#include "cli/file_commands.h"
#include "cli/import_command.h"
#include "cli/picture_commands.h"
#include "core/res/app_version.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    CliContext context{systemLanguage(), std::cout, std::cerr};
    CLI::App app{"Orbitune command-line tool: inspect, convert and check plan files, make plans from satellite "
                 "databases, and exchange plans and firmware with a meter",
                 "orbitune-cli"};
    app.set_version_flag("--version", "orbitune-cli " + std::string(kFileVersion));
    app.require_subcommand(1);
    // The meter options may also follow the subcommand.
    app.fallthrough();
    addFileCommands(app, context);
    addDeviceCommands(app, context);
    addImportCommand(app, context);
    addPictureCommands(app, context);
    addUpdateCommand(app, context);
    // The top level only: the subcommands were added before it.
    app.footer("Each subcommand prints its own options with --help, such as: orbitune-cli show --help\n"
               "\n"
               "Exit status:\n"
               "  0  success\n"
               "  1  refused by a check or by the meter, or a failed transfer; nothing written\n"
               "  2  a usage error, an unreadable input or a refused --meter value\n"
               "\n"
               "Environment:\n"
               "  ORBITUNE_METER  the meter --meter names when it is not given: hid (a USB meter, the\n"
               "                  default), sim (an emulated meter inside the tool) or\n"
               "                  tcp://127.0.0.1:PORT (a meter emulator such as orbitune-meter-sim)\n");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return CliContext::kUnreadable;
    }
    return context.exitCode;
}
