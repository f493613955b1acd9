#include "core/model/comon_orbitune.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::vector<std::uint8_t> imageOf(const SateChannel& c)
{
    std::array<std::uint8_t, SateChannel::kImageSize> out{};
    c.encode(out);
    return {out.begin(), out.end()};
}

} // namespace

TEST(SateChannelImage, AddChDefaultsLayOutAsHandComputedBytes)
{
    auto c = SateChannel::withAddDefaults(1, "TP1");
    c.id = Guid{};
    for (std::size_t i = 0; i < 16; ++i)
        c.id.bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    const std::vector<std::uint8_t> expected{
        0x01, 'T',  'P',  '1',  0,    0,    0,    0,    0,    0,    0,    0, // number, name[11]
        1,    0,    0,    0,                                                 // enabled
        1,    0,    0,    0,                                                 // signalType DVB_S
        0,    0,    0,    0,    0,    0,    0,    0,                         // reserved1, reserved2
        0x30, 0x57, 0x05, 0x00,                                              // frequency 350000
        0x46, 0x05, 0,    0,                                                 // bandwidth 1350
        0x10, 0x27, 0,    0,                                                 // symbolRate 10000
        1,    0,    0,    0,                                                 // reserved3
        0,    0,    0,    0,                                                 // codeRate
        1,    0,    0,    0,                                                 // modulation QPSK
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0, // rollOff, pilots, polarization
        2,    0,    0,    0,                                                 // lnbLo Auto
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0, // unused 68..79
        0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF};
    EXPECT_EQ(imageOf(c), expected);
}

TEST(SateChannelImage, DecodeKeepsEveryByteIncludingUnusedOnes)
{
    std::array<std::uint8_t, SateChannel::kImageSize> in{};
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const auto c = SateChannel::decode(in);
    EXPECT_EQ(imageOf(c), std::vector<std::uint8_t>(in.begin(), in.end()));
}

TEST(SateChannelImage, RecordCutsLongNamesAndZeroesTheTail)
{
    std::array<std::uint8_t, SateChannel::kRecordSize> in{};
    for (std::size_t i = 1; i < 12; ++i)
        in[i] = 'A'; // 11 characters, no terminator
    in[70] = 0xFF;   // ignored bytes 68..79
    const auto c = SateChannel::decodeRecord(in);
    EXPECT_EQ(c.nameText(), "AAAAAAAA");
    EXPECT_EQ(c.unused, (std::array<std::uint8_t, 12>{}));
    std::array<std::uint8_t, SateChannel::kRecordSize> out{};
    c.encodeRecord(out);
    EXPECT_EQ(out[9], 0);
    EXPECT_EQ(out[70], 0);
}

TEST(PlanImage, HeaderFieldsSitAtTheirOffsets)
{
    auto p = CComonOrbitune::withAddDefaults(7, "Plan1");
    p.countByte = 0x11;
    p.pad = 0x22;
    p.channelsAdded = 3;
    p.appendChannel(SateChannel::withAddDefaults(1, "TP1"));
    std::vector<std::uint8_t> image(CComonOrbitune::kImageSize, 0xEE);
    p.encode(std::span<std::uint8_t, CComonOrbitune::kImageSize>(image.data(), image.size()));
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + 4), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(image[4], 100); // tag
    EXPECT_EQ(image[8], 1);   // flag
    EXPECT_EQ(image[12], 7);  // number
    EXPECT_EQ(image[13], 'P');
    EXPECT_EQ(image[17], '1');
    EXPECT_EQ(image[18], 0);
    EXPECT_EQ(image[22], 0x11);
    EXPECT_EQ(image[23], 0x22);
    EXPECT_EQ((std::vector<std::uint8_t>(image.begin() + 24, image.begin() + 40)),
              (std::vector<std::uint8_t>{0x80, 0x4F, 0x12, 0, 0x80, 0x4F, 0x12, 0, 0, 0, 0x20, 0x43, 1, 0, 0, 0}));
    EXPECT_EQ(image[56], 1); // slot 0 number
    EXPECT_EQ(image[57], 'T');
    EXPECT_EQ(image[56 + 96], 0); // slot 1 empty
    EXPECT_EQ(image[24536], 1);   // channelCount
    EXPECT_EQ(image[24540], 255); // channelCapacity
    EXPECT_EQ(image[24544], 3);   // channelsAdded
}

TEST(PlanImage, DecodeClampsCountsAndRoundTripsTheRest)
{
    std::vector<std::uint8_t> image(CComonOrbitune::kImageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 31 + 5);
    const std::span<const std::uint8_t, CComonOrbitune::kImageSize> in(image.data(), image.size());
    image[24536] = 0x00;
    image[24537] = 0x01; // channelCount 256 + x
    image[24538] = 0;
    image[24539] = 0;
    image[24540] = 200; // a capacity that is not 255
    image[24541] = image[24542] = image[24543] = 0;
    const auto p = CComonOrbitune::decode(in);
    EXPECT_EQ(p.channelCount, 255);
    EXPECT_EQ(p.channelCapacity, 255);

    image[24536] = 5;
    image[24537] = 0;
    image[24540] = 255;
    const auto q = CComonOrbitune::decode(in);
    std::vector<std::uint8_t> out(CComonOrbitune::kImageSize);
    q.encode(std::span<std::uint8_t, CComonOrbitune::kImageSize>(out.data(), out.size()));
    EXPECT_TRUE(std::equal(out.begin() + 4, out.end(), image.begin() + 4));
}

TEST(PlanChannels, RemovingTheOnlyTpZeroesEverySlot)
{
    auto p = makePlan("P", 1);
    p.removeChannelAt(0);
    EXPECT_EQ(p.channelCount, 0);
    for (const auto& c : p.channels)
        EXPECT_EQ(c, SateChannel{});
}

TEST(PlanChannels, RemovingTheFirstOfThreeMovesTheOthersUpWithoutRenumbering)
{
    auto p = makePlan("P", 3);
    const auto second = p.channels[1];
    const auto third = p.channels[2];
    p.removeChannelAt(0);
    EXPECT_EQ(p.channelCount, 2);
    EXPECT_EQ(p.channels[0], second);
    EXPECT_EQ(p.channels[1], third);
    EXPECT_EQ(p.channels[0].number, 2);
    EXPECT_EQ(p.channels[2], SateChannel{});
    p.removeChannelAt(2); // beyond the used slots
    EXPECT_EQ(p.channelCount, 2);
}

TEST(PlanChannels, RemoveByIdTakesExactlyTheTickedOnes)
{
    auto p = makePlan("P", 5);
    const auto before = p;
    p.removeChannelById(Guid::generate());
    EXPECT_EQ(p, before);
    const auto id1 = p.channels[1].id;
    const auto id3 = p.channels[3].id;
    p.removeChannelById(id1);
    p.removeChannelById(id3);
    ASSERT_EQ(p.channelCount, 3);
    EXPECT_EQ(p.channels[0].nameText(), "TP1");
    EXPECT_EQ(p.channels[1].nameText(), "TP3");
    EXPECT_EQ(p.channels[2].nameText(), "TP5");
}

TEST(PlanChannels, A256thTpIsDropped)
{
    auto p = makePlan("P", 255);
    const auto before = p;
    p.appendChannel(SateChannel::withAddDefaults(0, "TPX"));
    EXPECT_EQ(p, before);
}

TEST(PlanChannels, CopiesAreIndependentAndKeepTheId)
{
    auto p = makePlan("P", 2);
    auto copy = p;
    EXPECT_EQ(copy.id, p.id);
    copy.channels[0].frequency = 1;
    EXPECT_NE(p.channels[0].frequency, 1U);
}
