#include "support/plan_builders.h"
#include "ui/shell/plan_history.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool same(const PlanList& a, const PlanList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

class PlanHistoryTest : public ::testing::Test {
protected:
    PlanList plans = makePlanList(3, 4);
    int follows = 0;
    PlanHistory history{
        plans,
        {[] { return PanesView{}; }, [](const PanesView&) {}, [this](const std::optional<Guid>&) { ++follows; }}};
};

} // namespace

// A step kept to one plan undoes and redoes exactly what it changed there,
// while the other plans stay as they are.
TEST_F(PlanHistoryTest, StepInOnePlanUndoesAndRedoesExactly)
{
    const PlanList original = plans;
    history.makeInPlan(QStringLiteral("Freq(MHz)"), plans.at(1).id, [this] {
        plans.at(1).channels[2].frequency = 1234500;
        plans.at(1).removeChannelAt(0);
    });
    ASSERT_EQ(history.stack().count(), 1);
    EXPECT_EQ(follows, 1);
    const PlanList changed = plans;
    history.stack().undo();
    EXPECT_TRUE(same(plans, original));
    history.stack().redo();
    EXPECT_TRUE(same(plans, changed));

    history.makeInPlan(QStringLiteral("Freq(MHz)"), plans.at(1).id, [] {});
    EXPECT_EQ(history.stack().count(), 1);
}

// A change that said it keeps to one plan but removed it cannot be undone
// from what was kept: no step may then undo into a wrong list, and the plans
// count as modified.
TEST_F(PlanHistoryTest, ChangeLeavingItsPlanDropsTheStepsAndStaysModified)
{
    history.make(QStringLiteral("Name"), [this] { plans.at(0).setNameText("First"); });
    ASSERT_EQ(history.stack().count(), 1);
    history.markSaved();
    const Guid gone = plans.at(1).id;
    history.makeInPlan(QStringLiteral("Delete"), gone, [this, &gone] { plans.removePlanById(gone); });
    EXPECT_EQ(history.stack().count(), 0);
    EXPECT_FALSE(history.stack().canUndo());
    EXPECT_TRUE(history.isModified());
    EXPECT_EQ(plans.count(), 2);
}
