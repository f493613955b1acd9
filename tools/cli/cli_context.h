#pragma once

#include "core/files/file_error.h"
#include "core/res/string_table.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The text as a terminal may be given it: control characters (C0, DEL and
// C1) written as \xHH or \uHHHH and bytes that are not UTF-8 as \xHH, so that
// names from files and databases cannot move the cursor, recolour or retitle
// the terminal. Other text, Chinese included, stays as it is.
std::string terminalText(std::string_view text);

// What every subcommand of orbitune-cli shares: the message language, the two
// output streams and the exit status the program ends with.
struct CliContext {
    Language language;
    std::ostream& out;
    std::ostream& err;
    int exitCode = 0;

    // Exit status: 0 success, 1 refused by a check or the meter, nothing
    // written, 2 usage error or unreadable input.
    static constexpr int kSuccess = 0;
    static constexpr int kRefused = 1;
    static constexpr int kUnreadable = 2;

    // Prints string table entry `id` with its arguments on stderr (as
    // terminalText writes it, as every text on stderr is) and raises the exit
    // status to at least `status`.
    void fail(int status, MessageId id, const std::vector<std::string>& args = {});
    // The same, after "`subject`: " (the meter the message is about).
    void failAbout(int status, const std::string& subject, MessageId id, const std::vector<std::string>& args = {});
    // The message of a file that could not be read or written, naming the file
    // and the system's reason, the same way.
    void failFile(int status, const FileError& error);
    // Prints a text of the tool's own on stderr and raises the exit status.
    void failText(int status, const std::string& text);
    // Prints string table entry `id` with its arguments on stderr, leaving the
    // exit status as it is.
    void note(MessageId id, const std::vector<std::string>& args = {});
    // The same, after "`subject`: " (the file the note is about).
    void noteAbout(const std::string& subject, MessageId id, const std::vector<std::string>& args = {});
};
