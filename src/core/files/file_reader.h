#pragma once

#include "core/files/file_error.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

// A regular file read from its start to its end through a buffer of its own,
// so that small reads cost few system calls and no reader needs the whole file
// in memory at once. Large reads go straight into the caller's memory. Any
// other node (a folder, a FIFO, a device, a socket) is refused at once as
// NotRegularFile, without waiting for a writer.
class FileReader {
public:
    explicit FileReader(const std::filesystem::path& file);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Why the file could not be opened or read; nothing while all is well.
    const std::optional<FileError>& error() const { return error_; }
    // The size of the file as it was opened.
    std::optional<std::size_t> size() const { return size_; }

    // Fills `into` with the next bytes of the file and answers how many came:
    // fewer than asked only at the end of the file or after an error.
    std::size_t read(std::span<std::uint8_t> into);

private:
    // Reads what the file gives next into `into`: 0 at its end or on an error.
    std::size_t readSome(std::span<std::uint8_t> into);

    std::filesystem::path path_;
    int fd_ = -1;
    std::optional<FileError> error_;
    std::optional<std::size_t> size_;
    std::unique_ptr<std::uint8_t[]> buffer_; // allocated at the first small read, never cleared
    std::size_t start_ = 0;                  // the unread bytes are buffer_[start_, end_)
    std::size_t end_ = 0;
};
