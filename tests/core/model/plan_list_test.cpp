#include "core/model/plan_list.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

TEST(PlanListTest, GrowsByAnEighthWithinFourAnd1024)
{
    PlanList list;
    list.append(makePlan("A", 0));
    EXPECT_EQ(list.capacity(), 4U);
    for (int i = 0; i < 4; ++i)
        list.append(makePlan("B", 0));
    EXPECT_EQ(list.capacity(), 8U); // 4 + max(4, 4 / 8)
    while (list.count() < 40)
        list.append(makePlan("C", 0));
    EXPECT_EQ(list.capacity(), 40U); // four at a time while an eighth is fewer
    list.append(makePlan("D", 0));
    EXPECT_EQ(list.capacity(), 45U); // 40 + 40 / 8
}

TEST(PlanListTest, GrowthKeepsEarlierRecords)
{
    PlanList list = makePlanList(3, 2);
    const auto firstId = list.at(0).id;
    const auto copy = list.at(0);
    for (int i = 0; i < 50; ++i)
        list.append(makePlan("X", 1));
    EXPECT_EQ(list.at(0), copy);
    EXPECT_EQ(list.findPlanById(firstId), &list.at(0));
}

TEST(PlanListTest, PositionsOutOfRangeThrow)
{
    PlanList list = makePlanList(2, 0);
    EXPECT_THROW(list.at(2), std::out_of_range);
    EXPECT_THROW(list.at(-1), std::out_of_range);
    EXPECT_THROW(list.removeAt(5), std::out_of_range);
}

TEST(PlanListTest, FindAndRemoveById)
{
    PlanList list = makePlanList(3, 0);
    const auto id = list.at(1).id;
    EXPECT_EQ(list.indexOf(id), 1);
    list.removePlanById(Guid::generate());
    EXPECT_EQ(list.count(), 3);
    list.removePlanById(id);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.findPlanById(id), nullptr);
    EXPECT_EQ(list.at(1).nameText(), "Plan3");
}

TEST(PlanListTest, RemoveAllReleasesTheStorage)
{
    PlanList list = makePlanList(10, 0);
    list.removeAll();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.capacity(), 0U);
}

TEST(PlanListTest, AppendAllTakesTheStorageOfAnEmptyListAndAddsToOthers)
{
    std::vector<CComonOrbitune> plans{makePlan("A", 1), makePlan("B", 2)};
    plans.reserve(7);
    PlanList list;
    list.appendAll(std::move(plans));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.capacity(), 7U);
    list.appendAll({makePlan("C", 0)});
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(0).nameText(), "A");
    EXPECT_EQ(list.at(2).nameText(), "C");
}
