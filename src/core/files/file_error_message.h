#pragma once

#include "core/files/file_error.h"
#include "core/res/string_ids.h"
#include "core/res/string_table.h"

#include <string>
#include <vector>

// The message that reports a file error: its string id and arguments, the
// path (or plan name) first, then the system's reason where the message
// shows one.
struct FileErrorMessage {
    MessageId id;
    std::vector<std::string> args;

    friend bool operator==(const FileErrorMessage&, const FileErrorMessage&) = default;
};

FileErrorMessage fileErrorMessage(const FileError& error);

// The same message as a notice, for readers that report in notices.
Notice fileErrorNotice(const FileError& error);
