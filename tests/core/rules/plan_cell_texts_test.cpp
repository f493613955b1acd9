#include "core/rules/plan_cell_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(PlanCellTexts, RowOfANewPlan)
{
    CComonOrbitune plan = CComonOrbitune::withAddDefaults(1, "Plan1");
    EXPECT_EQ(PlanCellText(plan, 1), "Plan1");
    EXPECT_EQ(PlanCellText(plan, 2), "East");
    EXPECT_EQ(PlanCellText(plan, 3), "160.0");
    EXPECT_EQ(PlanCellText(plan, 4), "12000");
    EXPECT_EQ(PlanCellText(plan, 5), "12000");
    plan.isEast = 0;
    plan.longitude = 12.25F;
    EXPECT_EQ(PlanCellText(plan, 2), "West");
    EXPECT_EQ(PlanCellText(plan, 3), "12.2");
    plan.longitude = 0.05F; // a little above 0.05 in single precision
    EXPECT_EQ(PlanCellText(plan, 3), "0.1");
}

TEST(PlanCellTexts, OscillatorsShowAsUnsignedWholeMegahertz)
{
    CComonOrbitune plan = CComonOrbitune::withAddDefaults(1, "P");
    plan.lnbLow = -1;
    plan.lnbHigh = 1000099;
    EXPECT_EQ(PlanCellText(plan, 4), "42949672");
    EXPECT_EQ(PlanCellText(plan, 5), "10000");
}

} // namespace
