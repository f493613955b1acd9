#include "core/rules/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DecimalText, LeadingNumberEndsAtSecondPointOrOtherCharacter)
{
    EXPECT_EQ(decimal::leadingNumber("12.3.4"), "12.3");
    EXPECT_EQ(decimal::leadingNumber("12..4"), "12.");
    EXPECT_EQ(decimal::leadingNumber("0.35"), "0.35");
    EXPECT_EQ(decimal::leadingNumber("---"), "");
    EXPECT_EQ(decimal::leadingNumber("7x"), "7");
}

TEST(DecimalText, ScaleIsExactAndTruncates)
{
    EXPECT_EQ(decimal::scale("4.35", 2).value, 435U);
    EXPECT_EQ(decimal::scale("4096.11", 2).value, 409611U);
    EXPECT_EQ(decimal::scale("4.3", 2).value, 430U);
    EXPECT_EQ(decimal::scale("4.", 2).value, 400U);
    EXPECT_EQ(decimal::scale("4.359", 2).value, 435U);
    EXPECT_TRUE(decimal::scale("4.359", 2).dropped);
    EXPECT_FALSE(decimal::scale("4.3500", 2).dropped);
    EXPECT_EQ(decimal::scale("999.9", 0).value, 999U);
    EXPECT_EQ(decimal::scale("0003400", 2).value, 340000U);
    EXPECT_EQ(decimal::scale("", 2).value, 0U);
}

TEST(DecimalText, ScaleSaturatesHugeNumbers)
{
    const std::string huge(400, '9');
    EXPECT_EQ(decimal::scale(huge, 2).value, decimal::Scaled::kLimit);
    EXPECT_EQ(decimal::scale(huge, 9).value, decimal::Scaled::kLimit);
}

TEST(DecimalText, ParseReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(decimal::parse("12.3.4"), 12.3);
    EXPECT_DOUBLE_EQ(decimal::parse("5."), 5.0);
    EXPECT_DOUBLE_EQ(decimal::parse("0.35"), 0.35);
    EXPECT_DOUBLE_EQ(decimal::parse("---"), 0.0);
    EXPECT_TRUE(std::isinf(decimal::parse(std::string(400, '9'))));
}

TEST(DecimalText, FormatScaled)
{
    EXPECT_EQ(decimal::formatScaled(435, 2), "4.35");
    EXPECT_EQ(decimal::formatScaled(140, 2), "1.40");
    EXPECT_EQ(decimal::formatScaled(5, 2), "0.05");
    EXPECT_EQ(decimal::formatScaled(45000, 3), "45.000");
    EXPECT_EQ(decimal::formatScaled(-5, 3), "-0.005");
    EXPECT_EQ(decimal::formatScaled(12, 0), "12");
}

TEST(DecimalText, FormatFixedRoundsLikeTheCLocale)
{
    EXPECT_EQ(decimal::formatFixed(160.0, 1), "160.0");
    EXPECT_EQ(decimal::formatFixed(27.4996, 6), "27.499600");
    EXPECT_EQ(decimal::formatFixed(13.5 / 1.35, 3), "10.000");
}
