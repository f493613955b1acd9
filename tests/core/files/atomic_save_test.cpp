#include "core/files/atomic_save.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

const std::vector<std::uint8_t> kOld{1, 2, 3};

std::size_t entryCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
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

TEST(AtomicSave, RenameOverAFolderFailsAndLeavesNoTemporaryFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("taken"));
    writeBytes(dir.file("taken") / "inside", kOld);
    EXPECT_FALSE(saveFileAtomically(dir.file("taken"), kOld).ok());
    EXPECT_EQ(readBytes(dir.file("taken") / "inside"), kOld);
    EXPECT_EQ(entryCount(dir.path()), 1U);
}

// A write that fails half way (the file size limit stops it) leaves the old
// file as it was and no temporary file behind.
TEST(AtomicSave, OldFileSurvivesAFailedWrite)
{
    TempDir dir;
    writeBytes(dir.file("a.gnr"), kOld);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto result = saveFileAtomically(dir.file("a.gnr"), std::vector<std::uint8_t>(100000, 5));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(readBytes(dir.file("a.gnr")), kOld);
    EXPECT_EQ(entryCount(dir.path()), 1U);
}

TEST(AtomicSave, KeepsThePermissionsOfTheReplacedFile)
{
    TempDir dir;
    writeBytes(dir.file("private.gnr"), kOld);
    namespace fs = std::filesystem;
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
    namespace fs = std::filesystem;
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
