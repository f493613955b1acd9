#include "cli/cli_context.h"
#include "cli/file_commands.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv)
{
    CliContext context{systemLanguage(), std::cout, std::cerr};
    CLI::App app{"Orbitune command-line tool: inspect, convert and check plan files", "orbitune-cli"};
    app.require_subcommand(1);
    addFileCommands(app, context);
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
