#include "core/files/atomic_save.h"

#include "core/files/file_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file is named after its target: the target's name (or, for a
// long one, its stem), this mark and a random number of at most 10 digits.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kMaxNumberDigits = 10;

// An open file descriptor, closed when the object goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

FileError writeError(const std::filesystem::path& target, int error)
{
    return {FileError::Kind::CannotWrite, target.string(), std::strerror(error)};
}

FileError notRegular(const std::filesystem::path& target)
{
    return {FileError::Kind::NotRegularFile, target.string(), kNotRegularFileReason};
}

// FNV-1a over the bytes: the same in every build, so that a later save knows
// the temporary names an earlier one used.
std::uint64_t stableHash(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// The longest name an entry of `folder` may have.
std::size_t nameLimit(const std::filesystem::path& folder)
{
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

// The start of the temporary names of the file `name`: the name itself, or,
// where the mark and the number would take it past `maxName` bytes, its first
// whole UTF-8 characters and a hash of the whole name.
std::string temporaryStem(const std::string& name, std::size_t maxName)
{
    constexpr std::size_t kHashText = 17; // "~" and 16 hexadecimal digits
    const std::size_t room = maxName - std::min(maxName, kTemporaryMark.size() + kMaxNumberDigits);
    if (name.size() <= room)
        return name;
    std::size_t keep = room - std::min(room, kHashText);
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    std::array<char, 16> hex{};
    const auto end = std::to_chars(hex.data(), hex.data() + hex.size(), stableHash(name), 16).ptr;
    return name.substr(0, keep) + "~" + std::string(hex.data(), end);
}

// Whether `name` is `stem`, the mark and a number: a temporary file of the
// same target.
bool isTemporaryOf(std::string_view name, std::string_view stem)
{
    if (!name.starts_with(stem))
        return false;
    name.remove_prefix(stem.size());
    if (!name.starts_with(kTemporaryMark))
        return false;
    name.remove_prefix(kTemporaryMark.size());
    return !name.empty() && name.size() <= kMaxNumberDigits &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Removes `file`, a temporary file a killed save left, when it is a regular
// file of this user (or of the target's owner, whom a save by root gives it)
// that no running save holds locked.
void removeIfStale(const std::filesystem::path& file, std::optional<uid_t> targetOwner)
{
    const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd)
        return;
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        (opened.st_uid != ::geteuid() && opened.st_uid != targetOwner))
        return;
    if (::lstat(file.c_str(), &named) != 0 || named.st_dev != opened.st_dev || named.st_ino != opened.st_ino)
        return;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
        ::unlink(file.c_str());
}

void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& stem,
                            std::optional<uid_t> targetOwner)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (isTemporaryOf(it->path().filename().string(), stem))
            removeIfStale(it->path(), targetOwner);
}

// A new file beside the target that no other process uses, locked for as long
// as it is open so that no later save takes it for a stale one.
struct Temporary {
    Descriptor fd;
    std::filesystem::path path;
};

std::optional<Temporary> createTemporary(const std::filesystem::path& folder, const std::string& stem)
{
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        Temporary temporary{Descriptor(), folder / (stem + std::string(kTemporaryMark) + std::to_string(device()))};
        temporary.fd =
            Descriptor(::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!temporary.fd) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        // Another save took it for stale in the moment before the lock: it is
        // gone, or about to go.
        struct stat status {};
        if ((::flock(temporary.fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) ||
            (::fstat(temporary.fd.get(), &status) == 0 && status.st_nlink == 0))
            continue;
        return temporary;
    }
    errno = EEXIST;
    return std::nullopt;
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

bool writeAllAt(int fd, std::span<const std::uint8_t> content, off_t offset)
{
    while (!content.empty()) {
        const ssize_t n = ::pwrite(fd, content.data(), content.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        content = content.subspan(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

// The whole content of the open file, which is `size` bytes long.
std::optional<std::vector<std::uint8_t>> readAll(int fd, std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, bytes.data() + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

// Writes `content` over the open file itself, for a file that a new one may
// not replace: one with other hard links, one in a folder this user may not
// write, one whose owner a new file could not keep. The old bytes stay in
// memory until the new ones are on the disk and are put back when writing
// fails. Nothing, or the errno of the failure.
std::optional<int> writeInPlace(int fd, std::size_t oldSize, std::span<const std::uint8_t> content)
{
    // Plan files are a few megabytes at most; a file many times larger is not
    // held in memory.
    constexpr std::size_t kMaxOldSize = 64 * 1024 * 1024;
    if (oldSize > kMaxOldSize)
        return EFBIG;
    const auto previous = readAll(fd, oldSize);
    if (!previous)
        return errno;
    // A full disk stops the save before anything changes, where the file
    // system can set the room aside.
    if (content.size() > previous->size() &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(content.size())) != 0 &&
        (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
        return errno;
    if (writeAllAt(fd, content, 0) && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0)
        return std::nullopt;
    const int failure = errno;
    if (writeAllAt(fd, *previous, 0))
        static_cast<void>(::ftruncate(fd, static_cast<off_t>(previous->size())));
    static_cast<void>(::fsync(fd));
    return failure;
}

// The rename is on the disk once its folder is.
void syncFolder(const std::filesystem::path& folder)
{
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        static_cast<void>(::fsync(fd.get()));
}

// What replacing a file by a new one gave.
struct Replacement {
    std::optional<int> error;      // the errno of a failure
    bool mustWriteInPlace = false; // the old file may be written, not replaced
};

// Writes `content` to a new temporary file in `folder` and renames it to
// `real`. A new file that replaces `old` gets its permission bits and owner;
// when it cannot have them, or this user may not create or rename files in the
// folder, the old file is left as it was, to be written in place.
Replacement replaceByRename(const std::filesystem::path& real, const std::filesystem::path& folder,
                            const std::string& stem, const std::optional<struct stat>& old,
                            std::span<const std::uint8_t> content)
{
    const auto mayNotReplace = [&old](int error) { return old && (error == EACCES || error == EPERM); };
    auto temporary = createTemporary(folder, stem);
    if (!temporary)
        return {errno, mayNotReplace(errno)};
    const int fd = temporary->fd.get();
    const auto fail = [&temporary](int error, bool inPlace) {
        ::unlink(temporary->path.c_str());
        return Replacement{error, inPlace};
    };
    if (old) {
        struct stat created {};
        if (::fstat(fd, &created) != 0)
            return fail(errno, false);
        if ((created.st_uid != old->st_uid || created.st_gid != old->st_gid) &&
            ::fchown(fd, old->st_uid, old->st_gid) != 0)
            return fail(errno, true);
        if (::fchmod(fd, old->st_mode & 07777) != 0)
            return fail(errno, false);
    }
    if (!writeAllAt(fd, content, 0) || ::fsync(fd) != 0)
        return fail(errno, false);
    // The temporary file stays open, and locked, until it has its new name.
    if (::rename(temporary->path.c_str(), real.c_str()) != 0)
        return fail(errno, mayNotReplace(errno));
    syncFolder(folder);
    return {};
}

// The existing regular file `real`, open for writing, and whether it could be
// opened for reading too; nothing, with errno set, when this user may not
// write it.
struct OpenTarget {
    Descriptor fd;
    bool readable = false;
};

std::optional<OpenTarget> openForWriting(const std::filesystem::path& real)
{
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    OpenTarget target{Descriptor(::open(real.c_str(), O_RDWR | kFlags)), true};
    if (!target.fd && errno == EACCES)
        target = OpenTarget{Descriptor(::open(real.c_str(), O_WRONLY | kFlags)), false};
    if (!target.fd)
        return std::nullopt;
    return target;
}

} // namespace

SaveResult saveFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> content)
{
    if (target.empty() || !target.has_filename())
        return {writeError(target, ENOENT)};
    const auto real = resolveLinks(target);
    if (!real)
        return {writeError(target, errno)};
    const std::filesystem::path folder = real->has_parent_path() ? real->parent_path() : ".";
    const std::string stem = temporaryStem(real->filename().string(), nameLimit(folder));

    struct stat old {};
    if (::lstat(real->c_str(), &old) != 0) {
        if (errno != ENOENT)
            return {writeError(target, errno)};
        removeStaleTemporaries(folder, stem, std::nullopt);
        const auto made = replaceByRename(*real, folder, stem, std::nullopt, content);
        return made.error ? SaveResult{writeError(target, *made.error)} : SaveResult{};
    }
    if (!S_ISREG(old.st_mode))
        return {notRegular(target)};
    // Opening the file tells whether this user may write it, with the
    // system's reason when not; the node opened is the one looked at from
    // here on.
    auto opened = openForWriting(*real);
    if (!opened)
        return {writeError(target, errno)};
    if (::fstat(opened->fd.get(), &old) != 0)
        return {writeError(target, errno)};
    if (!S_ISREG(old.st_mode))
        return {notRegular(target)};
    // A file nobody may write is refused to the super-user too.
    if ((old.st_mode & 0222) == 0)
        return {writeError(target, EACCES)};
    removeStaleTemporaries(folder, stem, old.st_uid);

    bool inPlace = old.st_nlink > 1;
    if (!inPlace) {
        const auto made = replaceByRename(*real, folder, stem, old, content);
        if (made.error && !made.mustWriteInPlace)
            return {writeError(target, *made.error)};
        inPlace = made.mustWriteInPlace;
    }
    if (inPlace) {
        if (!opened->readable)
            return {writeError(target, EACCES)};
        if (const auto failed = writeInPlace(opened->fd.get(), static_cast<std::size_t>(old.st_size), content))
            return {writeError(target, *failed)};
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
