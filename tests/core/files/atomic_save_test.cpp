#include "core/files/atomic_save.h"
#include "support/temp_dir.h"
#include "support/watched_fifo.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kOld{1, 2, 3};

std::size_t entryCount(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

struct stat statusOf(const fs::path& file)
{
    struct stat status {};
    EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
    return status;
}

// Runs `call` with the file size limit at 4096 bytes, so that a write past it
// fails half way (with "File too large").
SaveResult withSmallFileSizeLimit(const std::function<SaveResult()>& call)
{
    rlimit saved{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto result = call();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

// The user "nobody" that the super-user's tests save as.
constexpr uid_t kNobody = 65534;

// What a save made by an unprivileged user gave: nothing, or its error's
// reason.
struct OtherUserSave {
    bool ok = false;
    std::string reason;
};

// Saves `content` to `target` as the user nobody, in a child process that
// gives up the super-user's rights; nothing where it cannot (a container
// without that user id).
std::optional<OtherUserSave> saveAsNobody(const fs::path& target, const std::vector<std::uint8_t>& content)
{
    std::array<int, 2> pipeEnds{};
    EXPECT_EQ(::pipe(pipeEnds.data()), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        const auto result = saveFileAtomically(target, content);
        const std::string reason = result.ok() ? std::string() : result.error->reason;
        static_cast<void>(::write(pipeEnds[1], reason.data(), reason.size()));
        ::_exit(result.ok() ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    OtherUserSave save;
    std::array<char, 256> buffer{};
    ssize_t n = 0;
    while ((n = ::read(pipeEnds[0], buffer.data(), buffer.size())) > 0)
        save.reason.append(buffer.data(), static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return std::nullopt;
    save.ok = WEXITSTATUS(status) == 0;
    return save;
}

TEST(AtomicSave, ReplacesAnExistingFileWithExactlyTheNewBytes)
{
    TempDir dir;
    writeBytes(dir.file("a"), std::vector<std::uint8_t>(100, 7));
    const std::vector<std::uint8_t> content{9, 8};
    EXPECT_TRUE(saveFileAtomically(dir.file("a"), content).ok());
    EXPECT_EQ(readBytes(dir.file("a")), content);
    EXPECT_EQ(entryCount(dir.path()), 1U);
}

TEST(AtomicSave, MissingFolderIsReportedNamingTheFile)
{
    TempDir dir;
    const auto target = dir.file("missing") / "a.gnr";
    const auto result = saveFileAtomically(target, kOld);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileError::Kind::CannotWrite);
    EXPECT_EQ(result.error->path, target.string());
}

// A folder, a FIFO, a link to a FIFO and a device are not replaced by a file,
// whoever saves; nothing is left beside them.
TEST(AtomicSave, TargetsThatAreNotRegularFilesAreRefused)
{
    TempDir dir;
    fs::create_directory(dir.file("taken"));
    writeBytes(dir.file("taken") / "inside", kOld);
    const WatchedFifo fifo(dir.file("fifo"));
    fs::create_symlink("fifo", dir.file("link"));
    for (const auto& target : {dir.file("taken"), dir.file("fifo"), dir.file("link"), fs::path("/dev/null")}) {
        const auto result = saveFileAtomically(target, kOld);
        ASSERT_FALSE(result.ok()) << target;
        EXPECT_EQ(result.error->kind, FileError::Kind::NotRegularFile) << target;
        EXPECT_EQ(result.error->path, target.string());
    }
    EXPECT_EQ(readBytes(dir.file("taken") / "inside"), kOld);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(dir.file("fifo"))));
    EXPECT_TRUE(fs::is_character_file(fs::status("/dev/null")));
    EXPECT_EQ(entryCount(dir.path()), 3U);
}

// A file nobody may write is refused with the system's reason, to the
// super-user too, and stays as it was.
TEST(AtomicSave, ReadOnlyFileIsRefusedWithTheSystemsReason)
{
    TempDir dir;
    writeBytes(dir.file("a.gnr"), kOld);
    fs::permissions(dir.file("a.gnr"), static_cast<fs::perms>(0444));
    const auto result = saveFileAtomically(dir.file("a.gnr"), std::vector<std::uint8_t>{4});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileError::Kind::CannotWrite);
    EXPECT_EQ(result.error->reason, std::strerror(EACCES));
    EXPECT_EQ(readBytes(dir.file("a.gnr")), kOld);
    EXPECT_EQ(entryCount(dir.path()), 1U);
}

// A write that fails half way (the file size limit stops it) leaves the old
// file as it was and no temporary file behind, and says why.
TEST(AtomicSave, OldFileSurvivesAFailedWrite)
{
    TempDir dir;
    writeBytes(dir.file("a.gnr"), kOld);
    const auto result = withSmallFileSizeLimit(
        [&dir] { return saveFileAtomically(dir.file("a.gnr"), std::vector<std::uint8_t>(100000, 5)); });
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->reason, std::strerror(EFBIG));
    EXPECT_EQ(readBytes(dir.file("a.gnr")), kOld);
    EXPECT_EQ(entryCount(dir.path()), 1U);
}

// A file with other hard links is written in place: every link shows the new
// bytes, and after a failed write the old ones.
TEST(AtomicSave, HardLinkedFileIsWrittenInPlace)
{
    TempDir dir;
    writeBytes(dir.file("a.gnr"), std::vector<std::uint8_t>(5000, 1));
    fs::create_hard_link(dir.file("a.gnr"), dir.file("b.gnr"));
    fs::permissions(dir.file("a.gnr"), fs::perms::owner_read | fs::perms::owner_write);
    const std::vector<std::uint8_t> content{9, 8, 7};
    ASSERT_TRUE(saveFileAtomically(dir.file("a.gnr"), content).ok());
    EXPECT_EQ(readBytes(dir.file("b.gnr")), content);
    EXPECT_EQ(statusOf(dir.file("a.gnr")).st_nlink, 2U);
    EXPECT_EQ(statusOf(dir.file("b.gnr")).st_mode & 07777, 0600U);

    const auto failed = withSmallFileSizeLimit(
        [&dir] { return saveFileAtomically(dir.file("b.gnr"), std::vector<std::uint8_t>(100000, 5)); });
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error->reason, std::strerror(EFBIG));
    EXPECT_EQ(readBytes(dir.file("a.gnr")), content);
    EXPECT_EQ(entryCount(dir.path()), 2U);
}

// Every name a folder allows can be saved and replaced, however long, in
// whole characters or not.
TEST(AtomicSave, LongestFileNamesCanBeSaved)
{
    TempDir dir;
    std::string accented;
    while (accented.size() < 254)
        accented += "\xc3\xa9";
    for (const auto& name : {std::string(241, 'a'), std::string(255, 'b'), accented + "c"}) {
        ASSERT_TRUE(saveFileAtomically(dir.file(name), kOld).ok()) << name.size();
        const auto replaced = saveFileAtomically(dir.file(name), std::vector<std::uint8_t>{4});
        ASSERT_TRUE(replaced.ok()) << replaced.error->reason;
        EXPECT_EQ(readBytes(dir.file(name)), std::vector<std::uint8_t>{4});
    }
    EXPECT_EQ(entryCount(dir.path()), 3U);
}

// Temporary files that killed saves of the same target left go with the next
// save; other files of like names, and one a running save holds, stay.
TEST(AtomicSave, StaleTemporariesOfTheTargetAreRemoved)
{
    TempDir dir;
    for (const auto* name : {"a.gnr.tmp-123", "a.gnr.tmp-4294967295", "a.gnr.tmp-12x", "a.gnr.tmp-", "b.gnr.tmp-1",
                             "a.gnr.tmp-12345678901", "a.gnr.tmp-77"})
        writeBytes(dir.file(name), kOld);
    const int running = ::open(dir.file("a.gnr.tmp-77").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    ASSERT_TRUE(saveFileAtomically(dir.file("a.gnr"), kOld).ok());
    ::close(running);
    EXPECT_FALSE(fs::exists(dir.file("a.gnr.tmp-123")));
    EXPECT_FALSE(fs::exists(dir.file("a.gnr.tmp-4294967295")));
    for (const auto* name : {"a.gnr.tmp-12x", "a.gnr.tmp-", "b.gnr.tmp-1", "a.gnr.tmp-12345678901", "a.gnr.tmp-77"})
        EXPECT_TRUE(fs::exists(dir.file(name))) << name;
}

// Another user's file that this user may not write is refused and stays
// theirs; one this user may write but not replace (in a folder it may not
// write, or one whose owner a new file could not keep) is written in place and
// keeps its owner. Only the super-user can set these up.
TEST(AtomicSave, OtherUsersFilesKeepTheirOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the super-user to make files of two users";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    writeBytes(dir.file("root.gnr"), kOld);
    fs::permissions(dir.file("root.gnr"), static_cast<fs::perms>(0644));
    auto save = saveAsNobody(dir.file("root.gnr"), {4});
    if (!save)
        GTEST_SKIP() << "cannot become another user here";
    EXPECT_FALSE(save->ok);
    EXPECT_EQ(save->reason, std::strerror(EACCES));
    EXPECT_EQ(readBytes(dir.file("root.gnr")), kOld);

    fs::permissions(dir.file("root.gnr"), static_cast<fs::perms>(0666));
    save = saveAsNobody(dir.file("root.gnr"), {5});
    ASSERT_TRUE(save);
    EXPECT_TRUE(save->ok) << save->reason;
    EXPECT_EQ(readBytes(dir.file("root.gnr")), std::vector<std::uint8_t>{5});
    EXPECT_EQ(statusOf(dir.file("root.gnr")).st_uid, 0U);

    fs::create_directory(dir.file("closed"));
    writeBytes(dir.file("closed") / "own.gnr", kOld);
    ASSERT_EQ(::chown((dir.file("closed") / "own.gnr").c_str(), kNobody, kNobody), 0);
    fs::permissions(dir.file("closed"), static_cast<fs::perms>(0755));
    save = saveAsNobody(dir.file("closed") / "own.gnr", {6});
    ASSERT_TRUE(save);
    EXPECT_TRUE(save->ok) << save->reason;
    EXPECT_EQ(readBytes(dir.file("closed") / "own.gnr"), std::vector<std::uint8_t>{6});
    EXPECT_EQ(statusOf(dir.file("closed") / "own.gnr").st_uid, kNobody);
    EXPECT_EQ(entryCount(dir.file("closed")), 1U);
}

TEST(AtomicSave, KeepsThePermissionsOfTheReplacedFile)
{
    TempDir dir;
    writeBytes(dir.file("private.gnr"), kOld);
    fs::permissions(dir.file("private.gnr"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(saveFileAtomically(dir.file("private.gnr"), std::vector<std::uint8_t>{4}).ok());
    EXPECT_EQ(fs::status(dir.file("private.gnr")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readBytes(dir.file("private.gnr")), std::vector<std::uint8_t>{4});
}

// Saving through a link replaces the file it points to; the link stays, and a
// link to a file that does not exist yet creates that file.
TEST(AtomicSave, WritesThroughSymbolicLinks)
{
    TempDir dir;
    fs::create_directory(dir.file("real"));
    writeBytes(dir.file("real") / "plans.gnr", kOld);
    fs::create_symlink("real/plans.gnr", dir.file("relative"));
    fs::create_symlink(dir.file("relative"), dir.file("chained"));
    const std::vector<std::uint8_t> content{6, 6};
    ASSERT_TRUE(saveFileAtomically(dir.file("chained"), content).ok());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.file("chained"))));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.file("relative"))));
    EXPECT_EQ(readBytes(dir.file("real") / "plans.gnr"), content);
    EXPECT_EQ(entryCount(dir.file("real")), 1U);

    fs::create_symlink("real/new.gnr", dir.file("dangling"));
    ASSERT_TRUE(saveFileAtomically(dir.file("dangling"), content).ok());
    EXPECT_EQ(readBytes(dir.file("real") / "new.gnr"), content);

    fs::create_symlink("loop", dir.file("loop"));
    const auto looped = saveFileAtomically(dir.file("loop"), content);
    ASSERT_FALSE(looped.ok());
    EXPECT_EQ(looped.error->path, dir.file("loop").string());
}

TEST(ReadFilePrefix, StopsAtTheLimitAndAtTheEnd)
{
    TempDir dir;
    writeBytes(dir.file("a"), std::vector<std::uint8_t>(10, 1));
    EXPECT_EQ(readFilePrefix(dir.file("a"), 4).bytes.size(), 4U);
    EXPECT_EQ(readFilePrefix(dir.file("a"), 100).bytes.size(), 10U);
    const auto missing = readFilePrefix(dir.file("b"), 100);
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(missing.error->path, dir.file("b").string());
}

} // namespace
