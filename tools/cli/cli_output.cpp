#include "cli/cli_context.h"

#include "core/files/file_error_message.h"

#include <algorithm>
#include <cstdint>

namespace {

std::string hexEscape(char prefix, std::uint32_t value, int digits)
{
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string escaped{'\\', prefix};
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        escaped.push_back(kHex[(value >> shift) & 0xF]);
    return escaped;
}

// The length of the UTF-8 sequence at the start of `text`, 0 when it is not one.
std::size_t sequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

} // namespace

std::string terminalText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        const auto lead = static_cast<unsigned char>(text.front());
        if (length == 0) {
            shown += hexEscape('x', lead, 2);
            text.remove_prefix(1);
            continue;
        }
        const bool c0 = lead < 0x20 || lead == 0x7F;
        // C1 controls are U+0080 to U+009F: C2 80 to C2 9F.
        const bool c1 = lead == 0xC2 && static_cast<unsigned char>(text[1]) <= 0x9F;
        if (c0)
            shown += hexEscape('x', lead, 2);
        else if (c1)
            shown += hexEscape('u', static_cast<unsigned char>(text[1]), 4);
        else
            shown.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    return shown;
}

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
    fail(status, message.message, message.args);
}

void CliContext::note(MessageId id, const std::vector<std::string>& args)
{
    err << terminalText(formatMessage(id, language, args)) << '\n';
}

void CliContext::noteAbout(const std::string& subject, MessageId id, const std::vector<std::string>& args)
{
    err << terminalText(subject + ": " + formatMessage(id, language, args)) << '\n';
}

void CliContext::failText(int status, const std::string& text)
{
    err << terminalText(text) << '\n';
    exitCode = std::max(exitCode, status);
}
