#include "core/rules/free_names.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FreeNames, LowestFreeNumberComparedExactlyAnd255WhenAllAreTaken)
{
    PlanList plans = makePlanList(2, 0); // Plan1, Plan2
    plans.at(0).setNameText("plan1");
    EXPECT_EQ(freePlanName(plans), "Plan1");

    CComonOrbitune plan = makePlan("Sat", 0);
    for (int n = 1; n <= 255; ++n)
        plan.appendChannel(SateChannel::withAddDefaults(1, "TP" + std::to_string(n)));
    EXPECT_EQ(freeChannelName(plan), "TP255");
    plan.removeChannelAt(99);
    EXPECT_EQ(freeChannelName(plan), "TP100");
}

} // namespace

TEST(FreeNames, UniqueNameKeepsAFreeNameAndNumbersATakenOne)
{
    const std::set<std::string> taken{"Astra", "Astra1", "TP1", "TP2", "Eutelsat"};
    const auto isTaken = [&](const std::string& name) { return taken.contains(name); };
    EXPECT_EQ(uniqueName("Hotbird", isTaken), "Hotbird");
    EXPECT_EQ(uniqueName("Astra", isTaken), "Astra2");
    EXPECT_EQ(uniqueName("TP2", isTaken), "TP3");
    EXPECT_EQ(uniqueName("Eutelsat", isTaken), "Eutelsa1");
}
