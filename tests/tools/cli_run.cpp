#include "cli_run.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

std::string slurp(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CliRun cli(const TempDir& dir, const std::string& arguments, const std::string& environment)
{
    const std::string command = "cd '" + dir.path().string() +
                                "' && unset ORBITUNE_METER && LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C " + environment +
                                " '" + ORBITUNE_CLI + "' " + arguments + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir.file("out.txt")), slurp(dir.file("err.txt"))};
}
