#include "core/rules/row_compare.h"

#include <gtest/gtest.h>

namespace {

TEST(RowCompare, NamesInDictionaryOrderWithCaseDistinguished)
{
    EXPECT_LT(CompareNames("a", "A"), 0);
    EXPECT_LT(CompareNames("A", "b"), 0);
    EXPECT_LT(CompareNames("b", "B"), 0);
    EXPECT_LT(CompareNames("TP2", "tp3"), 0);
    EXPECT_LT(CompareNames("-x", "1"), 0);
    EXPECT_LT(CompareNames("9", "a"), 0);
    EXPECT_LT(CompareNames("Plan", "Plan1"), 0);
    EXPECT_EQ(CompareNames("Same", "Same"), 0);
    EXPECT_GT(CompareNames("B", "a"), 0);
}

TEST(RowCompare, ChannelKeysAndKeylessColumns)
{
    SateChannel a = SateChannel::withAddDefaults(1, "A");
    SateChannel b = SateChannel::withAddDefaults(2, "B");
    a.symbolRate = 10000;
    b.symbolRate = 9000;
    a.frequency = 350000;
    b.frequency = 4000000000U; // unsigned, so above 350000
    EXPECT_GT(CompareChannels(a, b, 6), 0);
    EXPECT_LT(CompareChannels(a, b, 4), 0);
    for (int keyless : {2, 3, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(CompareChannels(a, b, keyless), 0) << keyless;
}

TEST(RowCompare, PlanKeysReadLongitudeAndUnsignedOscillators)
{
    CComonOrbitune a = CComonOrbitune::withAddDefaults(1, "P1");
    CComonOrbitune b = CComonOrbitune::withAddDefaults(2, "P2");
    a.longitude = 19.2F;
    b.longitude = 5.0F;
    a.lnbLow = -1; // shown and sorted as 4294967295 / 100
    EXPECT_GT(ComparePlans(a, b, 3), 0);
    EXPECT_GT(ComparePlans(a, b, 4), 0);
    EXPECT_EQ(ComparePlans(a, b, 2), 0);
}

} // namespace
