#include "core/model/records_by_id.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(RecordsById, EachIdFindsTheFirstRecordCarryingItOrNothing)
{
    CComonOrbitune plan = makePlan("P", 4);
    plan.channels[3].id = plan.channels[1].id;
    const auto used = plan.usedChannels();
    const std::vector<Guid> ids{used[2].id, Guid::generate(), used[1].id, used[0].id, used[2].id};
    const auto found = recordsById(std::as_const(plan).usedChannels(), ids);
    ASSERT_EQ(found.size(), ids.size());
    EXPECT_EQ(found[0], &plan.channels[2]);
    EXPECT_EQ(found[1], nullptr);
    EXPECT_EQ(found[2], &plan.channels[1]); // not the later TP with the same id
    EXPECT_EQ(found[3], &plan.channels[0]);
    EXPECT_EQ(found[4], &plan.channels[2]);
}

TEST(RecordsById, PlansOfAListAreFoundAtOnce)
{
    const PlanList list = makePlanList(5, 0);
    const std::vector<Guid> ids{list.at(4).id, list.at(0).id};
    const auto found = recordsById(list, ids);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0], &list.at(4));
    EXPECT_EQ(found[1], &list.at(0));
}
