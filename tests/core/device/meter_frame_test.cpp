#include "core/device/firmware_upgrade.h"
#include "core/device/meter_frame.h"
#include "core/device/plan_download.h"
#include "core/device/plan_upload.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> head(const frame::Report& r, std::size_t count)
{
    return {r.begin(), r.begin() + static_cast<std::ptrdiff_t>(count)};
}

bool zeroFrom(const frame::Report& r, std::size_t from)
{
    for (std::size_t i = from; i < r.size(); ++i)
        if (r[i] != 0)
            return false;
    return true;
}

// The plan at position 0 of the examples: flag 1, Plan1, 160.0 E, LNBs
// 1200000, one TP with Add CH's values named TP1.
CComonOrbitune plan1()
{
    auto plan = makePlan("Plan1", 1);
    plan.flag = 1;
    plan.longitude = 160.0F;
    plan.isEast = 1;
    plan.lnbLow = 1200000;
    plan.lnbHigh = 1200000;
    return plan;
}

} // namespace

TEST(MeterFrame, ShortCommandsMatchTheirFixedBytes)
{
    EXPECT_EQ(head(frame::statusQuery(), 7), (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x01, 0x06, 0x01, 0xF9}));
    EXPECT_EQ(head(frame::planCountQuery(), 7), (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x01, 0x06, 0x65, 0x95}));
    EXPECT_EQ(head(frame::downloadEnd(), 7), (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x01, 0x06, 0x62, 0x98}));
    EXPECT_EQ(head(frame::tpCountQuery(0), 8),
              (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x01, 0x07, 0x63, 0x00, 0x96}));
    EXPECT_EQ(head(frame::tpCountQuery(5), 8),
              (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x01, 0x07, 0x63, 0x05, 0x91}));
    EXPECT_TRUE(zeroFrom(frame::statusQuery(), 7));
    EXPECT_TRUE(zeroFrom(frame::tpCountQuery(5), 8));
}

TEST(MeterFrame, ChecksumMakesTheFrameSumToZero)
{
    const auto r = frame::tpCountQuery(200);
    unsigned sum = 0;
    for (std::size_t i = 1; i <= 7; ++i)
        sum += r[i];
    EXPECT_EQ(sum % 256, 0U);
}

TEST(PlanDownload, Plan1HeaderFrameMatchesItsBytes)
{
    const std::vector<std::uint8_t> expected{
        0x00, 0x55, 0xAA, 0x01, 0x33, 0x67, 0x01, 0x02, 0x00, 0x64, 0x64, 0x64, 0x64, 0x01, 0x00, 0x50, 0x6C, 0x61,
        0x6E, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x36, 0x30, 0x2E, 0x30, 0x45, 0x00, 0x01, 0x00,
        0x12, 0x4F, 0x80, 0x00, 0x12, 0x4F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x19};
    const auto r = planHeaderFrame(0, plan1());
    EXPECT_EQ(head(r, 52), expected);
    EXPECT_TRUE(zeroFrom(r, 52));
}

TEST(PlanDownload, Tp1FrameMatchesItsBytes)
{
    const std::vector<std::uint8_t> expected{0x00, 0x55, 0xAA, 0x01, 0x37, 0x67, 0x02, 0x02, 0x00, 0x00, 0x54, 0x50,
                                             0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01,
                                             0x00, 0x00, 0x00, 0x05, 0x57, 0x30, 0x00, 0x00, 0x05, 0x46, 0x00, 0x00,
                                             0x27, 0x10, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                                             0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x75};
    const auto r = tpFrame(0, plan1(), 0);
    EXPECT_EQ(head(r, 56), expected);
    EXPECT_TRUE(zeroFrom(r, 56));
}

TEST(PlanDownload, FramesOfThePlanAtPosition3NumberTheirFrames)
{
    const auto plan = makePlan("P", 2);
    const auto h = planHeaderFrame(3, plan);
    EXPECT_EQ(h[6], 1);
    EXPECT_EQ(h[7], 3);
    EXPECT_EQ(h[8], 3);
    EXPECT_EQ(h[14], 3);
    for (int j = 0; j < 2; ++j) {
        const auto t = tpFrame(3, plan, j);
        EXPECT_EQ(t[6], j + 2);
        EXPECT_EQ(t[7], 3);
        EXPECT_EQ(t[8], 3);
        EXPECT_EQ(t[9], j);
    }
}

TEST(PlanDownload, ShortTpNameAfterALongOneLeavesItsFieldZero)
{
    auto plan = makePlan("P", 2);
    plan.channels[0].setNameText("ABCDEFGH");
    plan.channels[1].setNameText("abc");
    const auto t = tpFrame(0, plan, 1);
    for (std::size_t i = 13; i <= 21; ++i)
        EXPECT_EQ(t[i], 0) << i;
}

TEST(PlanDownload, LongitudeOutsideTheRangeStaysInsideItsField)
{
    auto plan = plan1();
    plan.longitude = 123456.0F;
    const auto h = planHeaderFrame(0, plan);
    EXPECT_EQ(h[33], 0);
    EXPECT_EQ(h[34], 1);
}

TEST(PlanUpload, HeaderRequestForPosition2With4Tps)
{
    const auto r = planReadRequest(1, 4, 2);
    EXPECT_EQ(head(r, 10), (std::vector<std::uint8_t>{0x00, 0x55, 0xAA, 0x01, 0x09, 0x66, 0x01, 0x05, 0x02, 0x89}));
    EXPECT_TRUE(zeroFrom(r, 10));
}

TEST(PlanUpload, LongitudeText)
{
    const std::vector<std::uint8_t> east{'0', '0', '5', '.', '0', 'E', 0};
    const auto e = parseLongitude(east);
    EXPECT_FLOAT_EQ(e.degrees, 5.0F);
    EXPECT_EQ(e.isEast, 1);
    const std::vector<std::uint8_t> west{'1', '3', '0', '.', '5', 'W', 0};
    const auto w = parseLongitude(west);
    EXPECT_FLOAT_EQ(w.degrees, 130.5F);
    EXPECT_EQ(w.isEast, 0);
    const std::vector<std::uint8_t> neither{'1', '3', '0', 0};
    EXPECT_FLOAT_EQ(parseLongitude(neither).degrees, 0.0F);
    const std::vector<std::uint8_t> unterminated{'0', '1', '3', '.', '0', 'E'};
    EXPECT_FLOAT_EQ(parseLongitude(unterminated).degrees, 13.0F);
}

TEST(PlanUpload, HeaderReplyFields)
{
    auto reply = planHeaderFrame(0, plan1());
    EXPECT_FALSE(parseHeaderReply(reply)); // length 0x33, code 0x67
    reply[4] = 0x32;
    reply[5] = 0x66;
    reply[13] = 0xFF;
    reply[14] = 7;
    std::fill_n(reply.begin() + 15, 12, std::uint8_t{'N'}); // no zero within the name
    const auto plan = parseHeaderReply(reply);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->flag, -1);
    EXPECT_EQ(plan->number, 7);
    EXPECT_EQ(plan->nameText(), "NNNNNNNN");
    EXPECT_FLOAT_EQ(plan->longitude, 160.0F);
    EXPECT_EQ(plan->isEast, 1);
    EXPECT_EQ(plan->countByte, 1);
    EXPECT_EQ(plan->lnbLow, 1200000);
    EXPECT_EQ(plan->lnbHigh, 1200000);
    EXPECT_EQ(plan->channelCount, 0);
    EXPECT_EQ(plan->channelCapacity, 255);
    EXPECT_EQ(plan->tag, 0);
    EXPECT_FALSE(plan->id.isNull());
}

TEST(PlanUpload, TpReplyReadsSignedBytes)
{
    auto reply = tpFrame(0, plan1(), 0);
    EXPECT_FALSE(parseTpReply(reply)); // length 0x37, code 0x67
    reply[5] = 0x66;
    reply[22] = 0xFF;
    const auto tp = parseTpReply(reply);
    ASSERT_TRUE(tp);
    EXPECT_EQ(tp->enabled, -1);
    EXPECT_EQ(tp->nameText(), "TP1");
    EXPECT_EQ(tp->frequency, 350000U);
    EXPECT_EQ(tp->bandwidth, 1350U);
    EXPECT_EQ(tp->symbolRate, 10000);
    EXPECT_EQ(tp->lnbLo, 2);
    EXPECT_EQ(tp->number, 0);
    reply[4] = 0x36;
    EXPECT_FALSE(parseTpReply(reply));
}

TEST(FirmwareUpgrade, BlockCount)
{
    EXPECT_EQ(upgradeBlockCount(0), 0U);
    EXPECT_EQ(upgradeBlockCount(64), 2U);
    EXPECT_EQ(upgradeBlockCount(100), 4U);
    EXPECT_EQ(upgradeBlockCount(kMaxUpgradeImageSize), 65535U);
    EXPECT_EQ(upgradeBlockCount(kMaxUpgradeImageSize + 1), 65536U);
}

TEST(FirmwareUpgrade, LastBlockOfA100ByteImage)
{
    std::vector<std::uint8_t> data{0xA1, 0xA2, 0xA3, 0xA4};
    const auto r = upgradeBlockFrame(4, 4, data);
    std::vector<std::uint8_t> expected{0x00, 0x55, 0xAA, 0x01, 0x40, 0xC8, 0x00,
                                       0x04, 0x00, 0x04, 0xA1, 0xA2, 0xA3, 0xA4};
    EXPECT_EQ(head(r, 14), expected);
    for (std::size_t i = 14; i < 64; ++i)
        EXPECT_EQ(r[i], 0) << i;
    unsigned sum = 0;
    for (std::size_t i = 1; i <= 64; ++i)
        sum += r[i];
    EXPECT_EQ(sum % 256, 0U);
}
