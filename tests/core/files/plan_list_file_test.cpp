#include "core/files/plan_list_file.h"
#include "core/rules/model_checks.h"
#include "file_test_helpers.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CComonOrbitune westPlan()
{
    auto p = CComonOrbitune::withAddDefaults(9, "Hispa");
    p.flag = 2;
    p.longitude = 19.2F;
    p.isEast = 0;
    p.lnbLow = 975000;
    p.lnbHigh = 1060000;
    auto c = SateChannel::withAddDefaults(4, "TP1");
    c.frequency = 1170000;
    c.unused[3] = 0x55; // not stored by this format
    c.name[6] = 'z';    // after the terminator: written as zero
    p.appendChannel(c);
    return p;
}

TEST(PlanListFile, OnePlanWithOneTpMatchesHandComputedBytes)
{
    const auto plan = westPlan();
    const std::vector<const CComonOrbitune*> refs{&plan};
    std::vector<std::uint8_t> b(4 + 8040 + 80);
    put32(b, 0, 1);
    put32(b, 4, 2);
    b[8] = 1;
    putBytes(b, 9, {'H', 'i', 's', 'p', 'a'});
    putBytes(b, 18, {'1', '9', '.', '2', 'W'});
    b[25] = 1;
    put32(b, 28, 975000);
    put32(b, 32, 1060000);
    put32(b, 4 + 8036, 1);
    const std::size_t t = 4 + 8040;
    b[t] = 4;
    putBytes(b, t + 1, {'T', 'P', '1'});
    put32(b, t + 12, 1);
    put32(b, t + 16, 1);
    put32(b, t + 28, 1170000);
    put32(b, t + 32, 1350);
    put32(b, t + 36, 10000);
    put32(b, t + 40, 1);
    put32(b, t + 48, 1);
    put32(b, t + 64, 2);
    EXPECT_EQ(plan_list_file::encode(refs), b);
}

TEST(PlanListFile, WestPlanReadsBackWestWithFreshIds)
{
    TempDir dir;
    const auto plan = westPlan();
    const std::vector<const CComonOrbitune*> refs{&plan};
    ASSERT_TRUE(writePlanListFile(dir.file("a.planList"), refs).ok());
    PlanList first;
    PlanList second;
    EXPECT_EQ(readPlanListFile(dir.file("a.planList"), first).planCount, 1);
    readPlanListFile(dir.file("a.planList"), second);
    ASSERT_EQ(first.count(), 1);
    const auto& p = first.at(0);
    EXPECT_EQ(p.isEast, 0);
    EXPECT_FLOAT_EQ(p.longitude, 19.2F);
    EXPECT_EQ(p.number, 1);
    EXPECT_EQ(p.tag, 100);
    EXPECT_EQ(p.flag, 2);
    EXPECT_EQ(p.channelsAdded, 1);
    ASSERT_EQ(p.channelCount, 1);
    EXPECT_EQ(p.channels[0].number, 4);
    EXPECT_EQ(p.channels[0].nameText(), "TP1");
    EXPECT_EQ(p.channels[0].frequency, 1170000U);
    EXPECT_NE(p.id, plan.id);
    EXPECT_NE(p.id, second.at(0).id);
    EXPECT_NE(p.channels[0].id, second.at(0).channels[0].id);
}

TEST(PlanListFile, PlanOccupiesBlockCountAndRecords)
{
    const auto plan = makePlan("P", 5);
    const std::vector<const CComonOrbitune*> refs{&plan, &plan};
    EXPECT_EQ(plan_list_file::encode(refs).size(), 4 + 2 * (8040U + 80 * 5));
}

TEST(PlanListFile, HugeCountsStopAtTheEndOfTheBytes)
{
    std::vector<std::uint8_t> bytes(30);
    put32(bytes, 0, 2147483647);
    const auto content = plan_list_file::decode(bytes);
    EXPECT_EQ(content.planCount, 2147483647);
    EXPECT_EQ(content.plans.size(), 1U);

    std::vector<std::uint8_t> tps(4 + 8040 + 80 * 300);
    put32(tps, 0, 1);
    put32(tps, 4 + 8036, 0x7FFFFFFF);
    const auto many = plan_list_file::decode(tps);
    ASSERT_EQ(many.plans.size(), 1U);
    EXPECT_EQ(many.plans[0].channelCount, 255);
    EXPECT_EQ(many.plans[0].channelsAdded, 0x7FFFFFFF);
}

// Every plan and TP gets a fresh id; all else must match.
void expectSameButIds(CComonOrbitune read, CComonOrbitune decoded)
{
    read.id = decoded.id;
    for (std::size_t k = 0; k < read.channels.size(); ++k)
        read.channels[k].id = decoded.channels[k].id;
    EXPECT_EQ(read, decoded);
}

// The file is read piece by piece, not as one block of bytes: what it gives
// is what its bytes decode to, a record cut short included.
TEST(PlanListFile, FileReadsAsItsBytesDecode)
{
    TempDir dir;
    const PlanList list = makePlanList(4, 255);
    auto bytes = plan_list_file::encode(allPlans(list));
    bytes.resize(bytes.size() - 40);
    writeBytes(dir.file("cut.planList"), bytes);
    PlanList read;
    read.append(makePlan("Kept", 1));
    const auto result = readPlanListFile(dir.file("cut.planList"), read);
    const auto decoded = plan_list_file::decode(bytes);
    EXPECT_EQ(result.planCount, 4);
    ASSERT_EQ(read.count(), 5);
    EXPECT_EQ(read.at(0).nameText(), "Kept");
    for (int i = 0; i < 4; ++i)
        expectSameButIds(read.at(i + 1), decoded.plans[static_cast<std::size_t>(i)]);
    EXPECT_EQ(read.at(4).channelCount, 255); // the last TP cut short, zero-padded
}

// A file larger than any the format can hold is read only as far as that size.
TEST(PlanListFile, BytesPastTheLargestFileAreNotRead)
{
    TempDir dir;
    // The first plan's TPs run 800 bytes past the largest file; a second plan
    // follows them.
    const std::size_t tps = (plan_list_file::kMaxFileSize - 4 - 8040) / 80 + 10;
    std::vector<std::uint8_t> bytes(4 + 8040 + 80 * tps + 8040);
    put32(bytes, 0, 2);
    put32(bytes, 4 + 8036, static_cast<std::uint32_t>(tps));
    writeBytes(dir.file("large.planList"), bytes);
    PlanList read;
    readPlanListFile(dir.file("large.planList"), read);
    EXPECT_EQ(read.count(), 1);
    EXPECT_EQ(plan_list_file::decode(bytes).plans.size(), 2U);
}

// Plans past the 255th are not read; when bytes follow the 255th, the plans
// the file states are counted as not taken.
TEST(PlanListFile, PlansPast255AreCountedAsTheFileStatesThem)
{
    std::vector<std::uint8_t> bytes(4 + 8040 * 256);
    put32(bytes, 0, 256);
    const auto content = plan_list_file::decode(bytes);
    EXPECT_EQ(content.plans.size(), 255U);
    EXPECT_EQ(content.plansNotTaken, 1);
    put32(bytes, 0, 900);
    EXPECT_EQ(plan_list_file::decode(bytes).plansNotTaken, 645);
    bytes.resize(4 + 8040 * 255);
    EXPECT_EQ(plan_list_file::decode(bytes).plansNotTaken, 0);

    TempDir dir;
    bytes.resize(4 + 8040 * 256);
    writeBytes(dir.file("many.planList"), bytes);
    PlanList read;
    EXPECT_EQ(readPlanListFile(dir.file("many.planList"), read).plansNotTaken, 645);
}

TEST(PlanListFile, NegativeCountsReadNothing)
{
    std::vector<std::uint8_t> bytes(4 + 8040);
    put32(bytes, 0, 0xFFFFFFFF);
    EXPECT_TRUE(plan_list_file::decode(bytes).plans.empty());
    put32(bytes, 0, 1);
    put32(bytes, 4 + 8036, 0x80000000);
    const auto content = plan_list_file::decode(bytes);
    ASSERT_EQ(content.plans.size(), 1U);
    EXPECT_EQ(content.plans[0].channelCount, 0);
}

TEST(PlanListFile, FullFieldsAreNotReadPast)
{
    std::vector<std::uint8_t> bytes(4 + 8040);
    put32(bytes, 0, 1);
    for (std::size_t i = 9; i < 25; ++i)
        bytes[i] = '7'; // name and longitude text without terminators
    const auto content = plan_list_file::decode(bytes);
    ASSERT_EQ(content.plans.size(), 1U);
    EXPECT_EQ(content.plans[0].nameText(), "77777777");
    EXPECT_FLOAT_EQ(content.plans[0].longitude, 7777777.0F);
    EXPECT_EQ(content.plans[0].isEast, 0);
}

} // namespace
