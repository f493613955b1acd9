#include "core/files/crc32.h"
#include "core/files/recovery_copy.h"
#include "core/rules/model_checks.h"
#include "file_test_helpers.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

constexpr std::size_t kImage = CComonOrbitune::kImageSize;

std::vector<std::uint8_t> copyOf(const PlanList& plans)
{
    return recovery_copy::encode(allPlans(plans));
}

} // namespace

TEST(Crc32, MatchesTheCheckValues)
{
    constexpr std::string_view check = "123456789";
    EXPECT_EQ(crc32(std::span(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())), 0xCBF43926U);
    EXPECT_EQ(crc32({}), 0U);
    const std::vector<std::uint8_t> zeros(32, 0);
    EXPECT_EQ(crc32(zeros), 0x190A55ADU);
}

// A copy without plans: the General header, its checksum and the footer.
TEST(RecoveryCopy, EmptyCopyMatchesHandComputedBytes)
{
    const std::vector<std::uint8_t> expected{'T',  'a',  'v',  'o',  'r',  'e',  'x',  0,   0x64, 0, 0, 0,
                                             0,    0,    0,    0,    0,    0,    0,    0,   0xFF, 0, 0, 0, // header
                                             0xCE, 0xAF, 0x81, 0x04,                                       // its CRC-32
                                             'O',  'r',  'b',  'R',  'c',  'v',  'y',  '1', 24,   0, 0, 0,
                                             0,    0,    0,    0,    0xA3, 0x3A, 0x27, 0x5A}; // the trailer's CRC-32
    EXPECT_EQ(recovery_copy::encode({}), expected);
    const auto content = recovery_copy::decode(expected);
    EXPECT_TRUE(content.whole);
    EXPECT_EQ(content.nextPlanNumber, 0);
}

// The trailer follows the General file, which General readers still read.
TEST(RecoveryCopy, TrailerFollowsAGeneralFileItsReadersStillRead)
{
    const PlanList plans = makePlanList(2, 3);
    const auto bytes = copyOf(plans);
    const std::size_t length = 24 + 2 * kImage;
    ASSERT_EQ(bytes.size(), length + 8 + 4 + 20);
    const std::vector<std::uint8_t> general(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(general, general_file::encode(allPlans(plans), false));
    std::vector<std::uint8_t> trailer(length + 8 + 4 + 20 - length);
    put32(trailer, 0, crc32(std::span(bytes).subspan(24, kImage)));
    put32(trailer, 4, crc32(std::span(bytes).subspan(24 + kImage, kImage)));
    put32(trailer, 8, crc32(std::span(bytes).first(24)));
    putBytes(trailer, 12, {'O', 'r', 'b', 'R', 'c', 'v', 'y', '1'});
    put32(trailer, 20, static_cast<std::uint32_t>(length));
    put32(trailer, 24, 2);
    put32(trailer, 28, crc32(std::span(trailer).first(28)));
    EXPECT_EQ(std::vector(bytes.begin() + static_cast<std::ptrdiff_t>(length), bytes.end()), trailer);

    const auto asGeneral = general_file::decode(bytes);
    ASSERT_EQ(asGeneral.plans.size(), 2U);
    EXPECT_EQ(asGeneral.plans[1], plans.at(1));

    TempDir dir;
    ASSERT_TRUE(writeRecoveryCopy(dir.file("copy.gnr"), allPlans(plans)).ok());
    const RecoveryCopyRead read = readRecoveryCopy(dir.file("copy.gnr"));
    ASSERT_FALSE(read.error);
    EXPECT_TRUE(read.content.whole);
    EXPECT_EQ(read.content.written, 2U);
    EXPECT_EQ(read.content.nextPlanNumber, 2);
    ASSERT_EQ(read.content.plans.size(), 2U);
    EXPECT_EQ(read.content.plans[0], plans.at(0));
    EXPECT_EQ(read.content.plans[1], plans.at(1));
    EXPECT_EQ(readRecoveryCopy(dir.file("none.gnr")).error->path, dir.file("none.gnr").string());
}

// Wherever a copy is cut, it is not whole, and the complete records are what
// it gives.
TEST(RecoveryCopy, CutCopyIsDamagedAndGivesItsCompleteRecords)
{
    const PlanList plans = makePlanList(3, 2);
    const auto bytes = copyOf(plans);
    const std::size_t trailerAt = 24 + 3 * kImage;
    const std::vector<std::pair<std::size_t, std::size_t>> cuts{
        {0, 0},
        {10, 0},
        {24, 0},
        {24 + kImage - 1, 0},
        {24 + kImage, 1},
        {24 + kImage + 1000, 1},
        {trailerAt, 3},
        {trailerAt + 5, 3},
        {bytes.size() - 1, 3},
    };
    for (const auto& [cut, complete] : cuts) {
        const auto content = recovery_copy::decode(std::span(bytes).first(cut));
        EXPECT_FALSE(content.whole) << cut;
        ASSERT_EQ(content.plans.size(), complete) << cut;
        for (std::size_t i = 0; i < complete; ++i)
            EXPECT_EQ(content.plans[i], plans.at(static_cast<int>(i))) << cut;
        EXPECT_EQ(content.written, cut >= 24 ? 3U : 0U) << cut;
    }
    auto longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(recovery_copy::decode(longer).whole);
    EXPECT_EQ(recovery_copy::decode(longer).plans.size(), 3U);
}

// A changed byte costs the plan it is in, or the header's plan number; the
// other plans are read. Nothing tells a damaged copy from a whole one but
// `whole`.
TEST(RecoveryCopy, FlippedByteCostsOnlyWhatItDamaged)
{
    const PlanList plans = makePlanList(3, 2);
    const auto whole = copyOf(plans);
    const std::size_t trailerAt = 24 + 3 * kImage;
    struct Flip {
        std::size_t at;
        std::vector<int> read;
        bool numbered;
    };
    const std::vector<Flip> flips{
        {16, {0, 1, 2}, false},            // the header
        {24 + kImage + 500, {0, 2}, true}, // plan 2
        // A damaged trailer tells nothing: the records are read as they are.
        {trailerAt + 8, {0, 1, 2}, true},    // plan 3's checksum
        {whole.size() - 8, {0, 1, 2}, true}, // the plan count in the footer
        {whole.size() - 1, {0, 1, 2}, true}, // the trailer's own checksum
    };
    for (const Flip& flip : flips) {
        auto bytes = whole;
        bytes[flip.at] ^= 0x10;
        const auto content = recovery_copy::decode(bytes);
        EXPECT_FALSE(content.whole) << flip.at;
        EXPECT_EQ(content.written, 3U) << flip.at;
        EXPECT_EQ(content.nextPlanNumber.has_value(), flip.numbered) << flip.at;
        ASSERT_EQ(content.plans.size(), flip.read.size()) << flip.at;
        for (std::size_t i = 0; i < flip.read.size(); ++i)
            EXPECT_EQ(content.plans[i], plans.at(flip.read[i])) << flip.at;
    }
}

// A copy of more plans than the list holds comes back as a damaged one of 255.
TEST(RecoveryCopy, CopyOfMorePlansThanTheListHoldsIsNotWhole)
{
    const auto content = recovery_copy::decode(copyOf(makePlanList(256, 1)));
    EXPECT_FALSE(content.whole);
    EXPECT_EQ(content.written, 256U);
    EXPECT_EQ(content.plans.size(), 255U);
}
