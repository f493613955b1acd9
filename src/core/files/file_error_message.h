#pragma once

#include "core/files/file_error.h"
#include "core/res/string_ids.h"

// The string id of the message that reports a file error; every one of these
// messages takes the error's path (or plan name) as its one argument.
MessageId fileErrorMessage(FileError::Kind kind);
