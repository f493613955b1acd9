#include "core/files/atomic_save.h"

#include "core/files/file_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError writeError(const std::filesystem::path& target, int error)
{
    return {FileError::Kind::CannotWrite, target.string(), std::strerror(error)};
}

// Opens a new file beside `target` that no other process uses.
int createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary)
{
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target;
        temporary += ".tmp-" + std::to_string(device());
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The file a save really replaces: `target` itself, or the file its chain of
// symbolic links ends at (which need not exist yet), so that the links stay.
// Relative links are read from the folder of the link. Nothing, with errno
// set, for a chain that loops or cannot be read.
std::optional<std::filesystem::path> resolveLinks(const std::filesystem::path& target)
{
    constexpr int kMaxLinks = 40; // as the kernel allows
    std::filesystem::path path = target;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0)
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        if (!S_ISLNK(status.st_mode))
            return path;
        std::error_code error;
        const auto next = std::filesystem::read_symlink(path, error);
        if (error) {
            errno = error.value();
            return std::nullopt;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Gives the new file the permission bits and, where allowed, the owner of the
// file it replaces; a new file keeps the defaults the umask gives.
bool keepModeOf(const std::filesystem::path& replaced, int fd)
{
    struct stat old {};
    if (::stat(replaced.c_str(), &old) != 0)
        return errno == ENOENT;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only the owner's group may differ where we may not give the file
        // away; the mode is kept all the same.
        static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old.st_gid));
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool writeAll(int fd, std::span<const std::uint8_t> content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        content = content.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

SaveResult saveFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> content)
{
    if (target.empty() || !target.has_filename())
        return {writeError(target, ENOENT)};
    const auto real = resolveLinks(target);
    if (!real)
        return {writeError(target, errno)};
    std::filesystem::path temporary;
    const int fd = createTemporary(*real, temporary);
    if (fd < 0)
        return {writeError(target, errno)};
    const bool written = keepModeOf(*real, fd) && writeAll(fd, content) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    const int closeErrno = errno;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        return {writeError(target, written ? closeErrno : writeErrno)};
    }
    if (::rename(temporary.c_str(), real->c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temporary.c_str());
        return {writeError(target, renameErrno)};
    }
    return {};
}

ReadBytesResult readFilePrefix(const std::filesystem::path& file, std::size_t limit)
{
    ReadBytesResult result;
    FileReader reader(file);
    // A regular file says how large it is: it is read in one go, one byte more
    // telling whether it grew since. Anything else is read in chunks as it comes.
    constexpr std::size_t kChunk = 64 * 1024;
    const std::size_t first = std::min(reader.size() ? *reader.size() + 1 : kChunk, limit);
    result.bytes.reserve(first);
    while (!reader.error() && result.bytes.size() < limit) {
        const std::size_t before = result.bytes.size();
        const std::size_t want = before == 0 ? first : std::min(kChunk, limit - before);
        result.bytes.resize(before + want);
        const std::size_t got = reader.read(std::span(result.bytes).subspan(before));
        result.bytes.resize(before + got);
        if (got < want)
            break;
    }
    if (reader.error()) {
        result.error = reader.error();
        result.bytes.clear();
    }
    return result;
}
