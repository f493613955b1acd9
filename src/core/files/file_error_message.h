#pragma once

#include "core/files/file_error.h"
#include "core/res/string_table.h"

// The message that reports a file error: its string id and arguments, the
// path (or plan name) first, then the system's reason where the message
// shows one.
Notice fileErrorMessage(const FileError& error);
