#pragma once

#include <optional>
#include <string>

// Why a plan file could not be read or written, naming the file. `reason` is
// the system's own text of the failure, for logs and the command-line tool.
struct FileError {
    enum class Kind {
        CannotOpen,     // the file could not be opened for reading
        CannotWrite,    // the file could not be created, written or replaced
        ChecksumFailed, // an Orbtab file whose checksum does not match
        UnknownFormat,  // a path whose extension names no plan file format
        BadContent,     // a JSON document with malformed or out-of-range values
        UnsafeName,     // a plan name that cannot safely be a file name
    };

    Kind kind;
    std::string path;
    std::string reason;
};

// The result of a save: no error, or the error naming the file.
struct SaveResult {
    std::optional<FileError> error;

    bool ok() const { return !error.has_value(); }
};
