#include "core/rules/longitude.h"
#include "support/comma_locale.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<std::uint8_t, longitude::kFieldSize> field(std::string_view text)
{
    std::array<std::uint8_t, longitude::kFieldSize> out{};
    longitude::store(text, out);
    return out;
}

TEST(Longitude, TextsOfThePaneTheFilesAndTheFrame)
{
    EXPECT_EQ(longitude::degreesText(12.25F), "12.2"); // a tie rounds to even, as "%.1f" does
    EXPECT_EQ(longitude::degreesText(0.05F), "0.1");   // a little above 0.05 in single precision
    EXPECT_EQ(longitude::hemisphereText(160.0F, false), "160.0W");
    EXPECT_EQ(longitude::fileText(19.2F, true), "19.2E");
    EXPECT_EQ(longitude::fileText(123456.7F, true), "12345E");
    EXPECT_EQ(longitude::fileText(-1e30F, false).size(), 6U);

    EXPECT_EQ(longitude::frameText(5.0F, true), "005.0E");
    EXPECT_EQ(longitude::frameText(13.0F, false), "013.0W");
    EXPECT_EQ(longitude::frameText(99.9F, false), "099.9W");
    EXPECT_EQ(longitude::frameText(100.0F, true), "100.0E");
    EXPECT_EQ(longitude::frameText(9.96F, true), "010.0E");
    EXPECT_EQ(longitude::frameText(99.96F, false), "100.0W");
    EXPECT_EQ(longitude::frameText(0.0F, true), "000.0E");
    EXPECT_EQ(longitude::frameText(123456.0F, true), "12345E");
}

TEST(Longitude, FieldsHoldSixCharactersAndTheirTerminator)
{
    const auto full = field("1234567");
    EXPECT_EQ(longitude::textOf(full), "123456");
    EXPECT_EQ(full[6], 0);
    const std::array<std::uint8_t, 4> unterminated{'1', '3', '.', '0'};
    EXPECT_EQ(longitude::textOf(unterminated), "13.0");
}

TEST(Longitude, ParsesTheLeadingNumberOnly)
{
    EXPECT_FLOAT_EQ(longitude::parseDegrees("19.2E"), 19.2F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("013.0W"), 13.0F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees(" +5.5W"), 5.5F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("12.3.4"), 12.3F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("E"), 0.0F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees(""), 0.0F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("+-5"), 0.0F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("1e9999"), 0.0F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("nanE"), 0.0F);
    EXPECT_FLOAT_EQ(longitude::parseDegrees("1e39"), 0.0F);
    EXPECT_FALSE(longitude::leadingNumber("inf").has_value());
}

// A desktop whose decimal separator is a comma changes none of the texts.
TEST(Longitude, CommaLocaleChangesNothing)
{
    const CommaLocale comma;
    ASSERT_TRUE(comma.active()) << "no German locale on this machine: run scripts/install-deps.sh";
    EXPECT_EQ(longitude::frameText(99.9F, false), "099.9W");
    EXPECT_EQ(longitude::frameText(19.2F, true), "019.2E");
    EXPECT_EQ(longitude::fileText(19.2F, false), "19.2W");
    EXPECT_EQ(longitude::degreesText(160.0F), "160.0");
    EXPECT_FLOAT_EQ(longitude::parseDegrees("099.9W"), 99.9F);
}

} // namespace
