#include "core/files/file_reader.h"
#include "support/temp_dir.h"
#include "support/watched_fifo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint8_t> pattern(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

// Pieces of every size, small ones from the reader's buffer and large ones
// straight from the file, give the file's bytes in order; the last piece is
// short and a read after the end gives nothing.
TEST(FileReader, PiecesOfAnySizeGiveTheBytesInOrder)
{
    TempDir dir;
    const auto content = pattern(300000);
    writeBytes(dir.file("f"), content);
    FileReader reader(dir.file("f"));
    ASSERT_FALSE(reader.error());
    EXPECT_EQ(reader.size(), content.size());

    std::vector<std::uint8_t> read;
    for (const std::size_t size : {1U, 7U, 24548U, 100000U, 3U, 65536U, 80U, 200000U}) {
        std::vector<std::uint8_t> piece(size, 0xEE);
        const std::size_t got = reader.read(piece);
        read.insert(read.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < size) {
            EXPECT_EQ(piece[got], 0xEE); // nothing written past what came
            break;
        }
    }
    EXPECT_EQ(read, content);
    std::vector<std::uint8_t> after(10);
    EXPECT_EQ(reader.read(after), 0U);
    EXPECT_FALSE(reader.error());
}

TEST(FileReader, MissingFileNamesItselfAndGivesNothing)
{
    TempDir dir;
    FileReader reader(dir.file("missing"));
    ASSERT_TRUE(reader.error());
    EXPECT_EQ(reader.error()->kind, FileError::Kind::CannotOpen);
    EXPECT_EQ(reader.error()->path, dir.file("missing").string());
    std::vector<std::uint8_t> piece(10);
    EXPECT_EQ(reader.read(piece), 0U);
}

// A FIFO with no writer, a device and a folder are refused at once, naming
// themselves, rather than waited on or read.
TEST(FileReader, AnythingButARegularFileIsRefusedAtOnce)
{
    TempDir dir;
    const WatchedFifo fifo(dir.file("plans.gnr"));
    for (const auto& path : {fifo.path(), std::filesystem::path("/dev/zero"), dir.path()}) {
        FileReader reader(path);
        ASSERT_TRUE(reader.error()) << path;
        EXPECT_EQ(reader.error()->kind, FileError::Kind::NotRegularFile) << path;
        EXPECT_EQ(reader.error()->path, path.string());
        std::vector<std::uint8_t> piece(10);
        EXPECT_EQ(reader.read(piece), 0U);
    }
}

} // namespace
