#include "cli_run.h"
#include "core/res/app_version.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

CliRun runWithoutDisplay(const TempDir& dir, const std::string& program, const std::string& option)
{
    const std::string command = "cd '" + dir.path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program + "' " +
                                option + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir.file("out.txt")), slurp(dir.file("err.txt"))};
}

// Each program answers --version with its name and the project's version and
// --help with its usage, on a machine without a display too: the manual pages
// are made from both while building.
TEST(Programs, AnswerVersionAndHelpWithoutADisplay)
{
    TempDir dir;
    const std::pair<std::string, std::string> programs[] = {
        {ORBITUNE_CLI, "orbitune-cli"}, {ORBITUNE_EDITOR, "orbitune"}, {ORBITUNE_METER_SIM, "orbitune-meter-sim"}};
    for (const auto& [program, name] : programs) {
        const CliRun version = runWithoutDisplay(dir, program, "--version");
        EXPECT_EQ(version.status, 0) << name << ": " << version.err;
        EXPECT_EQ(version.out, name + " " + std::string(kFileVersion) + "\n");
        const CliRun help = runWithoutDisplay(dir, program, "--help");
        EXPECT_EQ(help.status, 0) << name << ": " << help.err;
        EXPECT_NE(help.out.find("Usage: " + name + " "), std::string::npos) << help.out;
    }
}

} // namespace
