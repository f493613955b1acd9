#include "cli/cli_context.h"

#include "core/files/file_error_message.h"

#include <algorithm>

void CliContext::fail(int status, MessageId id, const std::vector<std::string>& args)
{
    failText(status, formatMessage(id, language, args));
}

void CliContext::failAbout(int status, const std::string& subject, MessageId id, const std::vector<std::string>& args)
{
    failText(status, subject + ": " + formatMessage(id, language, args));
}

void CliContext::failFile(int status, const FileError& error)
{
    const auto message = fileErrorMessage(error);
    fail(status, message.id, message.args);
}

void CliContext::note(MessageId id, const std::vector<std::string>& args)
{
    err << formatMessage(id, language, args) << '\n';
}

void CliContext::failText(int status, const std::string& text)
{
    err << text << '\n';
    exitCode = std::max(exitCode, status);
}
