#include "core/model/plan_list_diff.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

namespace {

bool same(const PlanList& a, const PlanList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// Applying turns `before` into `after`; reverting turns it back, exactly.
void expectRoundTrip(const PlanList& before, const PlanList& after)
{
    const PlanListDiff diff = PlanListDiff::between(before, after);
    PlanList plans = before;
    diff.apply(plans);
    EXPECT_TRUE(same(plans, after));
    diff.revert(plans);
    EXPECT_TRUE(same(plans, before));
    diff.apply(plans);
    EXPECT_TRUE(same(plans, after));
}

} // namespace

TEST(PlanListDiff, EveryHeaderFieldAndSlotComesBack)
{
    const PlanList before = makePlanList(3, 4);
    PlanList after = before;
    CComonOrbitune& plan = after.at(1);
    plan.tag = 7;
    plan.flag = 0;
    plan.number = 9;
    plan.setNameText("Renamed");
    plan.countByte = 3;
    plan.pad = 1;
    plan.lnbLow = 975000;
    plan.lnbHigh = 1060000;
    plan.longitude = 19.2F;
    plan.isEast = 0;
    plan.channelsAdded = 11;
    plan.removeChannelAt(0);
    plan.channels[2].frequency = 1149300;
    expectRoundTrip(before, after);

    const PlanListDiff diff = PlanListDiff::between(before, after);
    EXPECT_FALSE(diff.empty());
    EXPECT_TRUE(PlanListDiff::between(before, before).empty());
}

// A cell edit keeps only the slot it changed, however large the list.
TEST(PlanListDiff, CellEditOfAFullListCostsAFewHundredBytes)
{
    const PlanList before = makePlanList(255, 255);
    PlanList after = before;
    after.at(200).channels[100].symbolRate = 27500;
    const PlanListDiff diff = PlanListDiff::between(before, after);
    EXPECT_LT(diff.heapBytes(), 600U);
    PlanList plans = after;
    diff.revert(plans);
    EXPECT_EQ(plans.at(200).channels[100], before.at(200).channels[100]);
}

// A change kept to one plan turns that plan alone, found by its id wherever
// it stands by then.
TEST(PlanListDiff, ChangeWithinOnePlanTurnsThatPlanOnly)
{
    const PlanList before = makePlanList(3, 4);
    PlanList after = before;
    after.at(2).channels[1].frequency = 1220000;
    after.at(2).removeChannelAt(3);
    after.at(2).lnbHigh = 1060000;
    const PlanListDiff diff = PlanListDiff::withinPlan(before.at(2), after.at(2));
    EXPECT_TRUE(PlanListDiff::withinPlan(before.at(2), before.at(2)).empty());

    PlanList plans = before;
    plans.reorder(std::vector<int>{2, 0, 1});
    diff.apply(plans);
    EXPECT_EQ(plans.at(0), after.at(2));
    EXPECT_EQ(plans.at(1), before.at(0));
    diff.revert(plans);
    EXPECT_EQ(plans.at(0), before.at(2));
}

TEST(PlanListDiff, AddedRemovedAndMovedPlansComeBackInOrder)
{
    const PlanList before = makePlanList(4, 2);
    PlanList after;
    after.append(before.at(3));
    CComonOrbitune changed = before.at(0);
    changed.channels[0].polarization = 1;
    after.append(changed);
    after.append(makePlan("New", 1));
    after.append(before.at(2));
    expectRoundTrip(before, after);
    expectRoundTrip(PlanList{}, before);
    expectRoundTrip(before, PlanList{});
}

// Lists from elsewhere may repeat ids; the change still comes back whole.
TEST(PlanListDiff, RepeatedIdsAreKeptWhole)
{
    PlanList before = makePlanList(2, 1);
    before.at(1).id = before.at(0).id;
    PlanList after = before;
    after.at(1).setNameText("Twin");
    expectRoundTrip(before, after);
}
