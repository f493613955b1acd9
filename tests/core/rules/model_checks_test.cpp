#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

namespace {

std::optional<Notice> refusal(MessageId id)
{
    return Notice{id, {}};
}

PlanList plansWithTps(std::initializer_list<int> tpCounts)
{
    PlanList list;
    int n = 0;
    for (int tps : tpCounts)
        list.append(makePlan("Plan" + std::to_string(++n), tps));
    return list;
}

} // namespace

TEST(SaveChecks, Q24SelectOrder)
{
    const auto seventeen = makePlanList(17, 1);
    EXPECT_EQ(checkSaveSelected(FileType::Q24, allPlans(seventeen)), refusal(msg::kQ24MaxPlans));
    const auto sevenThenNone = plansWithTps({7, 0});
    EXPECT_EQ(checkSaveSelected(FileType::Q24, allPlans(sevenThenNone)), refusal(msg::kQ24MaxTpsSelect));
    const auto noneThenSeven = plansWithTps({0, 7});
    EXPECT_EQ(checkSaveSelected(FileType::Q24, allPlans(noneThenSeven)), refusal(msg::kPlanWithoutTp));
}

TEST(SaveChecks, Q24AllPutsMissingTpsFirst)
{
    auto twenty = makePlanList(20, 1);
    twenty.at(5).removeChannelAt(0);
    EXPECT_EQ(checkSaveAll(FileType::Q24, allPlans(twenty)), refusal(msg::kPlanWithoutTp));
    const auto seven = plansWithTps({7});
    EXPECT_EQ(checkSaveAll(FileType::Q24, allPlans(seven)), refusal(msg::kQ24MaxTpsAll));
}

TEST(SaveChecks, S2IsRefusedOnlyForQ24AndTvPasses)
{
    auto list = plansWithTps({2});
    list.at(0).channels[0].signalType = 0;
    EXPECT_EQ(checkSaveAll(FileType::Q24, allPlans(list)), std::nullopt);
    list.at(0).channels[1].signalType = 2;
    EXPECT_EQ(checkSaveAll(FileType::Q24, allPlans(list)), refusal(msg::kQ24NoS2));
    EXPECT_EQ(checkSaveSelected(FileType::Q24, allPlans(list)), refusal(msg::kQ24NoS2));
    EXPECT_EQ(checkSaveAll(FileType::General, allPlans(list)), std::nullopt);
    EXPECT_EQ(checkSaveSelected(FileType::Q9100, allPlans(list)), std::nullopt);
}

TEST(DownloadChecks, Q36Limits)
{
    EXPECT_EQ(checkQ36Download(allPlans(makePlanList(18, 9))), std::nullopt);
    EXPECT_EQ(checkQ36Download(allPlans(makePlanList(19, 0))), msg::kQ36MaxPlans);
    EXPECT_EQ(checkQ36Download(allPlans(PlanList{})), std::nullopt);

    auto tenThenTv = plansWithTps({10, 1});
    EXPECT_EQ(checkQ36Download(allPlans(tenThenTv)), msg::kQ36MaxTps);
    tenThenTv.at(1).channels[0].signalType = 0;
    EXPECT_EQ(checkQ36Download(allPlans(tenThenTv)), msg::kQ36NoTv);

    auto rolloff = plansWithTps({2});
    rolloff.at(0).channels[0].signalType = 2;
    rolloff.at(0).channels[0].rollOff = 2;
    EXPECT_EQ(checkQ36Download(allPlans(rolloff)), std::nullopt);
    rolloff.at(0).channels[1].rollOff = 1;
    EXPECT_EQ(checkQ36Download(allPlans(rolloff)), msg::kQ36DvbsRollOff);

    EXPECT_EQ(checkQ36Download(allPlans(plansWithTps({1, 0}))), msg::kQ36PlanNeedsTp);
}

// Each model is checked as its Save All or download is.
TEST(ModelChecks, EachModelHasItsChecksAndLimits)
{
    const auto seventeen = makePlanList(17, 10);
    EXPECT_EQ(checkModel(MeterModel::Q24, allPlans(seventeen)), refusal(msg::kQ24MaxPlans));
    EXPECT_EQ(checkModel(MeterModel::Q36, allPlans(seventeen)), refusal(msg::kQ36MaxTps));
    EXPECT_EQ(checkModel(MeterModel::Q9100, allPlans(seventeen)), std::nullopt);
    EXPECT_EQ(checkModel(MeterModel::General, allPlans(plansWithTps({0}))), refusal(msg::kPlanWithoutTp));
    EXPECT_EQ(limitsOf(MeterModel::Q24).maxTps, 6);
    EXPECT_FALSE(limitsOf(MeterModel::Q24).dvbS2);
    EXPECT_EQ(limitsOf(MeterModel::Q36).maxPlans, 18);
    EXPECT_EQ(limitsOf(MeterModel::General).maxTps, 255);
    EXPECT_EQ(modelName(MeterModel::Q9100), "Q9100");
}

// The General file holds the 255 plans of the list, a Q9100 file 102 TPs:
// past either, the checks refuse, the Q9100's naming the plan.
TEST(SaveChecks, GeneralPlansAndQ9100TpsStopAtWhatTheFileHolds)
{
    PlanList plans = makePlanList(256, 1);
    const auto all = allPlans(plans);
    const auto first255 = std::span(all).first(255);
    EXPECT_EQ(checkSaveAll(FileType::General, first255), std::nullopt);
    EXPECT_EQ(checkSaveAll(FileType::General, all), refusal(msg::kGeneralMaxPlans));
    EXPECT_EQ(checkSaveSelected(FileType::General, all), refusal(msg::kGeneralMaxPlans));
    EXPECT_EQ(checkModel(MeterModel::General, all), refusal(msg::kGeneralMaxPlans));

    const PlanList q9100 = plansWithTps({102, 103});
    const auto both = allPlans(q9100);
    EXPECT_EQ(checkSaveAll(FileType::Q9100, std::span(both).first(1)), std::nullopt);
    const Notice tooMany{msg::kQ9100MaxTps, {"Plan2"}};
    EXPECT_EQ(checkSaveAll(FileType::Q9100, both), tooMany);
    EXPECT_EQ(checkSaveSelected(FileType::Q9100, both), tooMany);
    EXPECT_EQ(checkModel(MeterModel::Q9100, both), tooMany);
    EXPECT_EQ(limitsOf(MeterModel::Q9100).maxTps, 102);
}
