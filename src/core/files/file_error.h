#pragma once

#include <optional>
#include <string>

// Why a plan file could not be read or written, naming the file. `reason` is
// the system's own text of the failure ("Permission denied"), which the
// messages about reading and writing files show.
struct FileError {
    enum class Kind {
        CannotOpen,     // the file could not be opened for reading
        CannotWrite,    // the file could not be created, written or replaced
        NotRegularFile, // a folder, device, FIFO or socket where a file belongs
        ChecksumFailed, // an Orbtab file whose checksum does not match
        UnknownFormat,  // a path whose extension names no plan file format
        BadContent,     // a JSON document with malformed or out-of-range values
        UnsafeName,     // a plan name that cannot safely be a file name
    };

    Kind kind;
    std::string path;
    std::string reason;
};

// The reason a NotRegularFile error carries.
inline constexpr char kNotRegularFileReason[] = "not a regular file";

// The result of a save: no error, or the error naming the file.
struct SaveResult {
    std::optional<FileError> error;

    bool ok() const { return !error.has_value(); }
};
