#include "core/files/file_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

FileReader::FileReader(const std::filesystem::path& file) : path_(file)
{
    // Opening a FIFO or a device waits for its other end; without waiting,
    // the node opened is looked at and refused unless it is a regular file.
    fd_ = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = FileError{FileError::Kind::CannotOpen, path_.string(), std::strerror(errno)};
        return;
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        error_ = FileError{FileError::Kind::CannotOpen, path_.string(), std::strerror(errno)};
    } else if (!S_ISREG(status.st_mode)) {
        error_ = FileError{FileError::Kind::NotRegularFile, path_.string(), kNotRegularFileReason};
    } else {
        size_ = static_cast<std::size_t>(status.st_size);
        return;
    }
    ::close(fd_);
    fd_ = -1;
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t FileReader::read(std::span<std::uint8_t> into)
{
    std::size_t done = 0;
    while (done < into.size()) {
        if (start_ < end_) {
            const std::size_t n = std::min(end_ - start_, into.size() - done);
            std::copy_n(buffer_.get() + start_, n, into.begin() + done);
            start_ += n;
            done += n;
            continue;
        }
        const auto rest = into.subspan(done);
        if (rest.size() >= kBufferSize) {
            const std::size_t n = readSome(rest);
            if (n == 0)
                break;
            done += n;
            continue;
        }
        if (!buffer_)
            buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
        start_ = 0;
        end_ = readSome(std::span(buffer_.get(), kBufferSize));
        if (end_ == 0)
            break;
    }
    return done;
}

std::size_t FileReader::readSome(std::span<std::uint8_t> into)
{
    if (error_)
        return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, into.data(), into.size());
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR) {
            error_ = FileError{FileError::Kind::CannotOpen, path_.string(), std::strerror(errno)};
            return 0;
        }
    }
}
