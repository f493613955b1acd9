#pragma once

#include "core/files/file_error.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// Writes `content` to `target` so that the target always holds either its old
// bytes or exactly `content`: the bytes go to a new temporary file beside the
// target, are flushed to the disk, and the temporary file is renamed over the
// target. The new file keeps the permission bits and the owner of the file it
// replaces. A target that is a symbolic link stays one: the file it points to
// is the one replaced.
//
// Refused, with the system's reason and nothing changed: a target this user
// may not write, or that nobody may write (a read-only file, even to the
// super-user), and a target that is not a regular file (a folder, device,
// FIFO or socket). A file that a new one may not replace (one with other hard
// links, one in a folder this user may not write, one whose owner a new file
// could not keep) is written in place, its old bytes kept in memory until the
// new ones are on the disk and put back when writing fails; such a file of
// more than 64 MB is refused.
//
// Temporary files that a killed save of the same target left are removed
// first. A long file name gets a shortened temporary name, so that every name
// the folder allows can be saved. On failure the error names the target and
// the system's reason.
SaveResult saveFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> content);

// At most `limit` bytes from the start of a file; the buffer grows with what
// the file really holds, so a short file costs only its own size.
struct ReadBytesResult {
    std::vector<std::uint8_t> bytes;
    std::optional<FileError> error; // the file could not be opened or read
};
ReadBytesResult readFilePrefix(const std::filesystem::path& file, std::size_t limit);
