#include "cli/cli_context.h"
#include "cli/device_commands.h"
#include "cli/file_commands.h"
#include "cli/import_command.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv)
{
    CliContext context{systemLanguage(), std::cout, std::cerr};
    CLI::App app{"Orbitune command-line tool: inspect, convert and check plan files, make plans from satellite "
                 "databases, and exchange plans and firmware with a meter",
                 "orbitune-cli"};
    app.require_subcommand(1);
    // The meter options may also follow the subcommand.
    app.fallthrough();
    addFileCommands(app, context);
    addDeviceCommands(app, context);
    addImportCommand(app, context);
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
