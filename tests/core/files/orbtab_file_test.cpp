#include "core/files/orbtab_file.h"
#include "core/rules/model_checks.h"
#include "file_test_helpers.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t byteSum(const std::vector<std::uint8_t>& b, std::size_t end)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < end; ++i)
        sum += b[i];
    return sum;
}

TEST(OrbtabFile, OnePlanWithOneTpMatchesHandComputedBytes)
{
    auto plan = CComonOrbitune::withAddDefaults(9, "Astra");
    plan.longitude = 19.2F;
    auto c = SateChannel::withAddDefaults(40, "TP1");
    plan.appendChannel(c);
    const auto image = orbtab_file::encode(plan, 3);

    std::vector<std::uint8_t> b(8240);
    put32(b, 0, 100);
    put32(b, 4, 1);
    b[8] = 3;
    putBytes(b, 9, {'A', 's', 't', 'r', 'a'});
    putBytes(b, 18, {'1', '9', '.', '2', 'E'});
    b[25] = 1;
    put32(b, 28, 1200000);
    put32(b, 32, 1200000);
    const std::size_t t = 36;
    b[t] = 1; // position in the plan, not the stored number 40
    putBytes(b, t + 1, {'T', 'P', '1'});
    put32(b, t + 12, 1);
    put32(b, t + 16, 1);
    put32(b, t + 28, 350000);
    put32(b, t + 32, 1350);
    put32(b, t + 36, 10000);
    put32(b, t + 40, 1);
    put32(b, t + 48, 1);
    put32(b, t + 64, 2);
    put32(b, 8236, 0x55AAU - byteSum(b, 8236));
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.end()), b);
    EXPECT_TRUE(orbtab_file::checksumMatches(image));
}

TEST(OrbtabFile, ChecksumOfZerosIs55AA)
{
    const std::array<std::uint8_t, 8236> zeros{};
    EXPECT_EQ(orbtab_file::checksum(zeros), 0x55AAU);
}

TEST(OrbtabFile, LowerCaseEReadsAsEastAndWestAsWest)
{
    orbtab_file::Image image{};
    image[18] = '5';
    image[19] = '.';
    image[20] = '5';
    image[21] = 'e';
    const auto east = orbtab_file::decode(image);
    EXPECT_EQ(east.isEast, 1);
    EXPECT_FLOAT_EQ(east.longitude, 5.5F);

    auto plan = makePlan("W", 1);
    plan.isEast = 0;
    const auto west = orbtab_file::decode(orbtab_file::encode(plan, 1));
    EXPECT_EQ(west.isEast, 0);
    EXPECT_EQ(west.tag, 100);
    EXPECT_EQ(west.number, 1);
    EXPECT_EQ(west.channelsAdded, 1);
    EXPECT_EQ(west.countByte, 1);
}

TEST(OrbtabFile, HundredTpsFitAndMoreThan102AreCut)
{
    const auto hundred = makePlan("P", 100);
    const auto image = orbtab_file::encode(hundred, 1);
    EXPECT_EQ(image.size(), 8240U);
    EXPECT_EQ(orbtab_file::decode(image).channelCount, 100);

    const auto full = makePlan("P", 255);
    const auto cut = orbtab_file::encode(full, 1);
    EXPECT_TRUE(orbtab_file::checksumMatches(cut));
    EXPECT_EQ(cut[25], 255);
    EXPECT_EQ(orbtab_file::decode(cut).channelCount, 102);
}

TEST(OrbtabFile, ReaderReportsOpenedChecksumFailedAndRead)
{
    TempDir dir;
    PlanList plans;
    EXPECT_EQ(readOrbtabFile(dir.file("none.Orbtab"), true, plans).status, OrbtabReadStatus::NotOpened);
    auto image = orbtab_file::encode(makePlan("A", 2), 1);
    image[100] ^= 1;
    writeBytes(dir.file("a.Orbtab"), {image.begin(), image.end()});
    const auto failed = readOrbtabFile(dir.file("a.Orbtab"), true, plans);
    EXPECT_EQ(failed.status, OrbtabReadStatus::ChecksumFailed);
    ASSERT_TRUE(failed.error);
    EXPECT_EQ(failed.error->path, dir.file("a.Orbtab").string());
    EXPECT_TRUE(plans.empty());
    EXPECT_EQ(readOrbtabFile(dir.file("a.Orbtab"), false, plans).status, OrbtabReadStatus::Read);
    EXPECT_EQ(plans.count(), 1);
}

TEST(OrbtabFile, ShortFileReadsZeroPadded)
{
    TempDir dir;
    writeBytes(dir.file("s.Orbtab"), {100, 0, 0, 0, 1});
    PlanList plans;
    EXPECT_EQ(readOrbtabFile(dir.file("s.Orbtab"), false, plans).status, OrbtabReadStatus::Read);
    ASSERT_EQ(plans.count(), 1);
    EXPECT_EQ(plans.at(0).flag, 1);
    EXPECT_EQ(plans.at(0).channelCount, 0);
}

struct Asked {
    std::vector<std::string> names;
    bool answer = true;
    OverwriteQuestion question()
    {
        return [this](const std::string& name) {
            names.push_back(name);
            return answer;
        };
    }
};

TEST(OrbtabWriter, WritesOneFilePerPlanWithPositionsFromOne)
{
    TempDir dir;
    const auto list = makePlanList(3, 1);
    Asked asked;
    const auto report = writeOrbtabFiles(dir.path(), allPlans(list), asked.question());
    EXPECT_TRUE(report.errors.empty());
    EXPECT_TRUE(asked.names.empty());
    ASSERT_EQ(report.written.size(), 3U);
    for (int j = 0; j < 3; ++j) {
        const auto bytes = readBytes(dir.file("Plan" + std::to_string(j + 1) + ".Orbtab"));
        ASSERT_EQ(bytes.size(), 8240U);
        EXPECT_EQ(bytes[8], j + 1);
    }
}

TEST(OrbtabWriter, TwoPlansOfOneNameAskBeforeTheSecondReplacesTheFirst)
{
    TempDir dir;
    auto first = makePlan("Same", 1);
    auto second = makePlan("Same", 2);
    const std::vector<const CComonOrbitune*> refs{&first, &second};
    Asked asked;
    writeOrbtabFiles(dir.path(), refs, asked.question());
    EXPECT_EQ(asked.names, std::vector<std::string>{"Same"});
    EXPECT_EQ(readBytes(dir.file("Same.Orbtab"))[25], 2);

    asked.answer = false;
    const std::vector<const CComonOrbitune*> again{&first};
    const auto report = writeOrbtabFiles(dir.path(), again, asked.question());
    EXPECT_EQ(report.declined, std::vector<std::string>{"Same"});
    EXPECT_EQ(readBytes(dir.file("Same.Orbtab"))[25], 2);
}

TEST(OrbtabWriter, NameDifferingOnlyInCaseIsNotAsked)
{
    TempDir dir;
    writeBytes(dir.file("astra.Orbtab"), {1, 2, 3});
    const auto plan = makePlan("Astra", 1);
    const std::vector<const CComonOrbitune*> refs{&plan};
    Asked asked;
    const auto report = writeOrbtabFiles(dir.path(), refs, asked.question());
    EXPECT_TRUE(asked.names.empty());
    EXPECT_EQ(report.written.size(), 1U);
    EXPECT_EQ(readBytes(dir.file("astra.Orbtab")).size(), 3U);
}

TEST(OrbtabWriter, UnsafeNamesAreReportedAndSkippedAndTheOthersWritten)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    std::vector<CComonOrbitune> plans;
    for (const char* name : {"../x", "a\\b", ".", "..", "", "ok", "tab\t"})
        plans.push_back(makePlan(name, 1));
    PlanRefs refs;
    for (const auto& p : plans)
        refs.push_back(&p);
    Asked asked;
    const auto report = writeOrbtabFiles(dir.file("sub"), refs, asked.question());
    EXPECT_EQ(report.errors.size(), 6U);
    for (const auto& e : report.errors)
        EXPECT_EQ(e.kind, FileError::Kind::UnsafeName);
    ASSERT_EQ(report.written.size(), 1U);
    EXPECT_EQ(report.written[0], dir.file("sub") / "ok.Orbtab");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(OrbtabWriter, FileThatCannotBeWrittenIsReportedAndTheOthersGoOn)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("First.Orbtab"));
    std::filesystem::create_directory(dir.file("First.Orbtab") / "x");
    auto first = makePlan("First", 1);
    auto second = makePlan("Second", 1);
    const std::vector<const CComonOrbitune*> refs{&first, &second};
    Asked asked;
    const auto report = writeOrbtabFiles(dir.path(), refs, asked.question());
    ASSERT_EQ(report.errors.size(), 1U);
    EXPECT_EQ(report.errors[0].path, (dir.path() / "First.Orbtab").string());
    EXPECT_EQ(report.written.size(), 1U);
}

} // namespace
