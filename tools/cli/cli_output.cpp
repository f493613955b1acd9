#include "cli/cli_context.h"

#include <algorithm>

void CliContext::fail(int status, int id, const std::vector<std::string>& args)
{
    err << formatMessage(id, language, args) << '\n';
    exitCode = std::max(exitCode, status);
}
