#include "core/editing/record_gate.h"
#include "core/editing/repeated_tps.h"
#include "core/model/record_order.h"
#include "core/res/string_ids.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

TEST(RecordOrder, StepsMoveChosenRecordsPastTheirNeighbours)
{
    EXPECT_EQ(orderAfterStep({false, true, true, false}, MoveStep::Up), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(orderAfterStep({true, false, true, false}, MoveStep::Up), (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(orderAfterStep({false, true, false, true}, MoveStep::Down), (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(orderAfterDrop({true, false, true, false}, 4), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(orderAfterDrop({false, false, true, true}, 0), (std::vector<int>{2, 3, 0, 1}));
    EXPECT_EQ(orderAfterDrop({false, true, false}, 1), (std::vector<int>{0, 1, 2}));
}

TEST(RecordOrder, PlansAndSlotsReorderAndInsert)
{
    PlanList plans = makePlanList(3, 3);
    const Guid first = plans.at(0).id;
    plans.reorder(std::vector<int>{1, 2, 0});
    EXPECT_EQ(plans.at(2).id, first);
    EXPECT_THROW(plans.reorder(std::vector<int>{0, 0, 1}), std::invalid_argument);
    plans.insert(1, makePlan("New", 0));
    EXPECT_EQ(plans.at(1).nameText(), "New");
    EXPECT_EQ(plans.count(), 4);

    CComonOrbitune& plan = plans.at(0);
    plan.reorderChannels(std::vector<int>{2, 0, 1});
    EXPECT_EQ(plan.usedChannels()[0].nameText(), "TP3");
    plan.insertChannel(1, SateChannel::withAddDefaults(9, "Mid"));
    EXPECT_EQ(plan.channelCount, 4);
    EXPECT_EQ(plan.usedChannels()[1].nameText(), "Mid");
    EXPECT_EQ(plan.usedChannels()[2].nameText(), "TP1");
}

TEST(RecordGate, CopiesTakeFreshIdsFreeNamesAndNumbers)
{
    PlanList plans = makePlanList(1, 2);
    plans.at(0).setNameText("Astra");
    const std::vector<CComonOrbitune> offered{plans.at(0), plans.at(0)};
    const auto copies = admitPlans(offered, plans, 6);
    ASSERT_FALSE(copies.refusal);
    ASSERT_EQ(copies.records.size(), 2U);
    EXPECT_EQ(copies.records[0].nameText(), "Astra1");
    EXPECT_EQ(copies.records[1].nameText(), "Astra2"); // Astra1 went to the copy before it
    EXPECT_EQ(copies.records[0].number, 7);
    EXPECT_EQ(copies.records[1].number, 8);
    EXPECT_NE(copies.records[0].id, plans.at(0).id);
    EXPECT_NE(copies.records[0].usedChannels()[0].id, plans.at(0).usedChannels()[0].id);

    const CComonOrbitune& plan = plans.at(0);
    const std::vector<SateChannel> tps{plan.usedChannels()[1], SateChannel::withAddDefaults(1, ""),
                                       SateChannel::withAddDefaults(1, "Free")};
    const auto added = admitChannels(tps, plan);
    ASSERT_EQ(added.records.size(), 3U);
    EXPECT_EQ(added.records[0].nameText(), "TP3");
    EXPECT_EQ(added.records[0].number, 3);
    EXPECT_EQ(added.records[1].nameText(), "TP4");
    EXPECT_EQ(added.records[1].number, 4);
    EXPECT_EQ(added.records[2].nameText(), "Free");
}

// The records come in whole or not at all: 255 plans in the list and 100 TPs
// in a plan, and no field past its rule, the refusal naming the record, its TP
// and the field in the user's language.
TEST(RecordGate, LimitsAndFaultsRefuseEveryRecord)
{
    const PlanList plans = makePlanList(254, 0);
    const std::vector<CComonOrbitune> one{makePlan("New", 1)};
    const std::vector<CComonOrbitune> two{makePlan("New", 1), makePlan("Newer", 1)};
    EXPECT_EQ(admitPlans(one, plans, 0).records.size(), 1U);
    const auto full = admitPlans(two, plans, 0);
    EXPECT_TRUE(full.records.empty());
    EXPECT_EQ(full.refusal->rule, (Notice{msg::kMaxPlans, {}}));
    EXPECT_EQ(refusalNotice(*full.refusal, msg::kPasteRefused, Language::English), (Notice{msg::kMaxPlans, {}}));

    const CComonOrbitune ninetyNine = makePlan("Full", 99);
    const std::vector<SateChannel> tp{SateChannel::withAddDefaults(1, "A")};
    const std::vector<SateChannel> tps{SateChannel::withAddDefaults(1, "A"), SateChannel::withAddDefaults(1, "B")};
    EXPECT_EQ(admitChannels(tp, ninetyNine).records.size(), 1U);
    EXPECT_EQ(admitChannels(tps, ninetyNine).refusal->rule, (Notice{msg::kMaxTps, {}}));

    std::vector<CComonOrbitune> offered{makePlan("Good", 1), makePlan("Bad", 3)};
    offered[1].channels[2].frequency = 100;
    const auto bad = admitPlans(offered, PlanList{}, 0);
    EXPECT_TRUE(bad.records.empty());
    ASSERT_TRUE(bad.refusal);
    const Notice english = refusalNotice(*bad.refusal, msg::kPasteRefused, Language::English);
    EXPECT_EQ(formatMessage(english.message, Language::English, english.args),
              "Nothing is pasted: plan 2 (Bad), TP 3 (TP3), Freq(MHz): Between 3400MHz to 12750MHz");
    const Notice chinese = refusalNotice(*bad.refusal, msg::kDuplicateRefused, Language::Chinese);
    EXPECT_EQ(formatMessage(chinese.message, Language::Chinese, chinese.args),
              "未创建副本: 第2个频道表(Bad), 第3个转发器(TP3), Freq(MHz): 范围在3400MHz - 12750MHz内");

    std::vector<SateChannel> hostile{SateChannel::withAddDefaults(1, "Fine"), SateChannel::withAddDefaults(1, "Pol")};
    hostile[1].polarization = 9;
    const auto refused = admitChannels(hostile, makePlan("Few", 1));
    const Notice tpNotice = refusalNotice(*refused.refusal, msg::kPasteRefused, Language::English);
    EXPECT_EQ(formatMessage(tpNotice.message, Language::English, tpNotice.args),
              "Nothing is pasted: TP 2 (Pol), Polarization: 9 is not one of HORIZ/LEFT, VERT/RIGHT, OFF");
}

TEST(RepeatedTps, LaterTpsOfTheSamePolarizationWithin1MhzRepeat)
{
    CComonOrbitune plan = makePlan("Astra", 5);
    const std::uint32_t frequencies[] = {1149300, 1149390, 1149300, 1153800, 1149400};
    for (std::size_t i = 0; i < 5; ++i)
        plan.usedChannels()[i].frequency = frequencies[i];
    plan.usedChannels()[2].polarization = 1;
    EXPECT_EQ(repeatedTps(plan), (std::vector<RepeatedTp>{{1, 0}}));
    plan.usedChannels()[2].polarization = 0;
    EXPECT_EQ(repeatedTps(plan), (std::vector<RepeatedTp>{{1, 0}, {2, 0}}));
}
