#include "core/model/guid.h"
#include "core/model/name_text.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

TEST(GuidTest, FreshIdsAreVersion4AndDistinct)
{
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const auto g = Guid::generate();
        EXPECT_EQ(g.bytes[7] >> 4, 4);
        EXPECT_EQ(g.bytes[8] & 0xC0, 0x80);
        EXPECT_TRUE(seen.insert(g.toString()).second);
    }
}

TEST(GuidTest, TextReadsTheFirstThreeGroupsLittleEndian)
{
    Guid g;
    for (std::size_t i = 0; i < 16; ++i)
        g.bytes[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(g.toString(), "03020100-0504-0706-0809-0a0b0c0d0e0f");
    EXPECT_EQ(Guid::fromString(g.toString()), g);
    EXPECT_EQ(Guid::fromString("{03020100-0504-0706-0809-0A0B0C0D0E0F}"), g);
    EXPECT_FALSE(Guid::fromString("03020100-0504-0706-0809-0a0b0c0d0e0"));
    EXPECT_FALSE(Guid::fromString("03020100x0504-0706-0809-0a0b0c0d0e0f"));
}

TEST(NameTextTest, Latin1IsLosslessForEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(names::utf8ToLatin1(names::latin1ToUtf8(all)), all);
    EXPECT_EQ(names::latin1ToUtf8("\xE9"), "\xC3\xA9");
    EXPECT_EQ(names::utf8ToLatin1("\xE4\xB8\xAD"), "?"); // outside Latin-1
}

TEST(NameTextTest, FieldsHoldAtMostEightCharactersAndAZero)
{
    std::array<char, 9> field{};
    field.fill('x');
    names::fromText("ABCDEFGHIJ", field);
    EXPECT_EQ(std::string(field.data()), "ABCDEFGH");
    names::fromText("ab", field);
    EXPECT_EQ(field, (std::array<char, 9>{'a', 'b'}));
    const std::array<char, 3> unterminated{'a', 'b', 'c'};
    EXPECT_EQ(names::toText(unterminated), "abc");
    const std::array<std::uint8_t, 4> source{'x', 'y', 0, 'z'};
    names::copyField(source, field);
    EXPECT_EQ(names::toText(field), "xy");
}
