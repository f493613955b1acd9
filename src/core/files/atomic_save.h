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
// target. The new file keeps the permission bits (and, where allowed, the
// owner) of the file it replaces. A target that is a symbolic link stays one:
// the file it points to is the one replaced. On failure the temporary file is
// removed, the target is untouched and the error names the target.
SaveResult saveFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> content);

// At most `limit` bytes from the start of a file; the buffer grows with what
// the file really holds, so a short file costs only its own size.
struct ReadBytesResult {
    std::vector<std::uint8_t> bytes;
    std::optional<FileError> error; // the file could not be opened or read
};
ReadBytesResult readFilePrefix(const std::filesystem::path& file, std::size_t limit);
