#include "core/files/general_file.h"
#include "core/rules/model_checks.h"
#include "file_test_helpers.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

CComonOrbitune samplePlan()
{
    CComonOrbitune p;
    p.tag = 100;
    p.flag = 0x01020304;
    p.number = 5;
    p.setNameText("Astra");
    p.lnbLow = 975000;
    p.lnbHigh = 1060000;
    p.longitude = 19.2F; // 0x4199999A
    p.isEast = 1;
    for (std::uint8_t i = 0; i < 16; ++i)
        p.id.bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    SateChannel c;
    c.number = 1;
    c.setNameText("TP1");
    c.enabled = 1;
    c.signalType = 2;
    c.frequency = 1170000;
    c.symbolRate = 27500;
    c.lnbLo = 2;
    c.unused[0] = 0x77;
    for (std::uint8_t i = 0; i < 16; ++i)
        c.id.bytes[i] = static_cast<std::uint8_t>(0x10 + i);
    p.appendChannel(c);
    p.channelsAdded = 3;
    return p;
}

// The file of samplePlan, byte by byte.
std::vector<std::uint8_t> sampleFileBytes(std::uint8_t number)
{
    std::vector<std::uint8_t> b(24 + 24548);
    putBytes(b, 0, {'T', 'a', 'v', 'o', 'r', 'e', 'x', 0});
    put32(b, 8, 100);
    put32(b, 12, 1);
    put32(b, 16, 1);
    put32(b, 20, 255);
    const std::size_t p = 24;
    put32(b, p + 4, 100);
    putBytes(b, p + 8, {0x04, 0x03, 0x02, 0x01});
    b[p + 12] = number;
    putBytes(b, p + 13, {'A', 's', 't', 'r', 'a'});
    put32(b, p + 24, 975000);
    put32(b, p + 28, 1060000);
    putBytes(b, p + 32, {0x9A, 0x99, 0x99, 0x41});
    put32(b, p + 36, 1);
    for (std::uint8_t i = 0; i < 16; ++i)
        b[p + 40 + i] = static_cast<std::uint8_t>(0xA0 + i);
    const std::size_t t = p + 56;
    b[t] = 1;
    putBytes(b, t + 1, {'T', 'P', '1'});
    put32(b, t + 12, 1);
    put32(b, t + 16, 2);
    put32(b, t + 28, 1170000);
    put32(b, t + 36, 27500);
    put32(b, t + 64, 2);
    b[t + 68] = 0x77;
    for (std::uint8_t i = 0; i < 16; ++i)
        b[t + 80 + i] = static_cast<std::uint8_t>(0x10 + i);
    put32(b, p + 24536, 1);
    put32(b, p + 24540, 255);
    put32(b, p + 24544, 3);
    return b;
}

TEST(GeneralFile, OnePlanImageMatchesHandComputedBytes)
{
    const auto plan = samplePlan();
    const std::vector<const CComonOrbitune*> refs{&plan};
    EXPECT_EQ(general_file::encode(refs, false), sampleFileBytes(5));
    EXPECT_EQ(general_file::encode(refs, true), sampleFileBytes(0));
}

TEST(GeneralFile, RoundTripKeepsEveryFieldAndId)
{
    TempDir dir;
    auto list = makePlanList(3, 4);
    list.at(1).channels[2].reserved2 = -7;
    list.at(2).channelsAdded = 99;
    ASSERT_TRUE(writeGeneralFile(dir.file("a.gnr"), allPlans(list)).ok());
    PlanList read;
    read.append(makePlan("Old", 1));
    const auto result = readGeneralFile(dir.file("a.gnr"), read);
    ASSERT_EQ(result.nextPlanNumber, 3);
    ASSERT_EQ(read.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(read.at(i), list.at(i));
}

TEST(GeneralFile, ReadAndWrittenAgainIsByteIdenticalButOffsetZero)
{
    auto bytes = sampleFileBytes(5);
    putBytes(bytes, 24, {0xDE, 0xAD, 0xBE, 0xEF});
    bytes[24 + 19] = 'x';              // after the terminator of the name
    bytes[24 + 22] = 9;                // countByte
    bytes[24 + 23] = 8;                // pad
    bytes[24 + 56 + 96 * 200 + 3] = 1; // an unused slot
    const auto content = general_file::decode(bytes);
    PlanRefs refs;
    for (const auto& p : content.plans)
        refs.push_back(&p);
    auto again = general_file::encode(refs, false);
    putBytes(again, 24, {0xDE, 0xAD, 0xBE, 0xEF});
    EXPECT_EQ(again, bytes);
}

TEST(GeneralFile, RenumberingSetsNumbersInTheListOnlyAfterAWrite)
{
    TempDir dir;
    auto list = makePlanList(3, 1);
    std::vector<CComonOrbitune*> refs{&list.at(2), &list.at(0)};
    ASSERT_TRUE(writeGeneralFileRenumbering(dir.file("a.gnr"), refs).ok());
    EXPECT_EQ(list.at(2).number, 0);
    EXPECT_EQ(list.at(0).number, 1);
    EXPECT_EQ(list.at(1).number, 2);
    list.at(2).number = 40;
    EXPECT_FALSE(writeGeneralFileRenumbering(dir.file("none") / "a.gnr", refs).ok());
    EXPECT_EQ(list.at(2).number, 40);
}

TEST(GeneralFile, EmptyFileYieldsHeaderValueAndEmptiesTheList)
{
    std::vector<std::uint8_t> bytes(24);
    put32(bytes, 16, 42);
    TempDir dir;
    writeBytes(dir.file("a.gnr"), bytes);
    auto list = makePlanList(2, 1);
    EXPECT_EQ(readGeneralFile(dir.file("a.gnr"), list).nextPlanNumber, 42);
    EXPECT_TRUE(list.empty());
}

TEST(GeneralFile, UnreadableFileLeavesTheListEmptyAndNamesTheFile)
{
    TempDir dir;
    auto list = makePlanList(2, 1);
    const auto result = readGeneralFile(dir.file("none.gnr"), list);
    EXPECT_FALSE(result.nextPlanNumber);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("none.gnr").string());
    EXPECT_TRUE(list.empty());
}

TEST(GeneralFile, EmptyPathChangesNothing)
{
    auto list = makePlanList(2, 1);
    const auto result = readGeneralFile("", list);
    EXPECT_FALSE(result.nextPlanNumber);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(list.count(), 2);
}

TEST(GeneralFile, HugePlanCountInThirtyBytesStopsAtTheEnd)
{
    std::vector<std::uint8_t> bytes(30);
    put32(bytes, 12, 2147483647);
    put32(bytes, 16, 7);
    const auto content = general_file::decode(bytes);
    ASSERT_EQ(content.plans.size(), 1U); // the cut record, zero-padded
    EXPECT_EQ(content.plans[0].channelCount, 0);
    EXPECT_EQ(content.nextPlanNumber, 7);
}

TEST(GeneralFile, TakesAtMost255PlansAndClampsCounts)
{
    std::vector<std::uint8_t> bytes(24 + 24548 * 256);
    put32(bytes, 12, 256);
    put32(bytes, 24 + 24536, 0x7FFFFFFF);
    put32(bytes, 24 + 24540, 7);
    put32(bytes, 24 + 24548 + 24536, 0xFFFFFFFF);
    const auto content = general_file::decode(bytes);
    ASSERT_EQ(content.plans.size(), 255U);
    EXPECT_EQ(content.plans[0].channelCount, 255);
    EXPECT_EQ(content.plans[0].channelCapacity, 255);
    EXPECT_EQ(content.plans[1].channelCount, 0);
    EXPECT_EQ(content.plansNotTaken, 1);
}

// The records past the 255th are counted as far as the file holds them, the
// header announcing any number.
TEST(GeneralFile, RecordsPast255AreCountedAsTheFileHoldsThem)
{
    std::vector<std::uint8_t> bytes(24 + 24548 * 255 + 100);
    put32(bytes, 12, 0xFFFFFFFF);
    EXPECT_EQ(general_file::decode(bytes).plansNotTaken, 1); // the cut 256th
    bytes.resize(24 + 24548 * 255);
    EXPECT_EQ(general_file::decode(bytes).plansNotTaken, 0);

    TempDir dir;
    bytes.resize(24 + 24548 * 300);
    put32(bytes, 12, 300);
    writeBytes(dir.file("many.gnr"), bytes);
    PlanList list;
    const auto read = readGeneralFile(dir.file("many.gnr"), list);
    EXPECT_EQ(list.count(), 255);
    EXPECT_EQ(read.plansNotTaken, 45);
}

// Other tools write files whose plans, or the TPs of one plan, share an id or
// carry the null id; the editor finds records by id, so those get fresh ones.
TEST(GeneralFile, RepeatedAndNullIdsBecomeUniqueOthersStay)
{
    PlanList list;
    CComonOrbitune first = samplePlan();
    first.appendChannel(first.channels[0]); // the same TP id twice
    first.appendChannel(first.channels[0]);
    first.channels[2].id = Guid{};
    list.append(first);
    list.append(first); // the same plan id twice
    CComonOrbitune nullId = samplePlan();
    nullId.id = Guid{};
    list.append(nullId);

    const auto content = general_file::decode(general_file::encode(allPlans(list), false));
    ASSERT_EQ(content.plans.size(), 3U);
    const auto& plans = content.plans;
    EXPECT_EQ(plans[0].id, first.id);
    EXPECT_EQ(plans[0].channels[0].id, first.channels[0].id);
    EXPECT_NE(plans[1].id, first.id);
    EXPECT_FALSE(plans[2].id.isNull());
    EXPECT_NE(plans[2].id, plans[1].id);
    for (std::size_t p = 0; p < 2; ++p) {
        const auto tps = plans[p].usedChannels();
        EXPECT_NE(tps[0].id, tps[1].id);
        EXPECT_NE(tps[1].id, tps[2].id);
        EXPECT_NE(tps[0].id, tps[2].id);
        EXPECT_FALSE(tps[2].id.isNull());
    }
    // TPs of different plans may share an id: each plan is searched alone.
    EXPECT_EQ(plans[1].channels[0].id, first.channels[0].id);
}

// The file is read piece by piece, not as one block of bytes: what it gives
// is what its bytes decode to, a record cut short included.
TEST(GeneralFile, FileReadsAsItsBytesDecode)
{
    TempDir dir;
    const PlanList list = makePlanList(4, 255);
    auto bytes = general_file::encode(allPlans(list), false);
    bytes.resize(bytes.size() - 1000);
    writeBytes(dir.file("cut.gnr"), bytes);
    PlanList read;
    const auto result = readGeneralFile(dir.file("cut.gnr"), read);
    const auto decoded = general_file::decode(bytes);
    ASSERT_EQ(read.count(), 4);
    EXPECT_EQ(result.nextPlanNumber, decoded.nextPlanNumber);
    for (int i = 0; i < read.count(); ++i)
        EXPECT_EQ(read.at(i), decoded.plans[static_cast<std::size_t>(i)]);
    EXPECT_EQ(read.at(3).channelCount, 0); // the count lies in the missing bytes
}

TEST(GeneralFile, TruncatedHeaderReadsAsZeros)
{
    const std::vector<std::uint8_t> bytes{'T', 'a', 'v'};
    const auto content = general_file::decode(bytes);
    EXPECT_TRUE(content.plans.empty());
    EXPECT_EQ(content.nextPlanNumber, 0);
}

} // namespace
