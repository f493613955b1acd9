#include "core/files/plans_json.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

namespace {

TEST(PlansJson, RoundTripKeepsTheFieldsItCarries)
{
    auto list = makePlanList(2, 3);
    list.at(0).channels[1].reserved1 = -5;
    list.at(1).longitude = 19.2F;
    list.at(1).isEast = 0;
    list.at(1).countByte = 7;
    const auto decoded = decodePlansJson(encodePlansJson(12, list));
    ASSERT_FALSE(decoded.error) << *decoded.error;
    EXPECT_EQ(decoded.nextPlanNumber, 12);
    ASSERT_EQ(decoded.plans.size(), 2U);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(decoded.plans[static_cast<std::size_t>(i)], list.at(i));
}

TEST(PlansJson, RepeatedIdsBecomeUnique)
{
    const auto decoded = decodePlansJson(R"({"plans": [
        {"id": "03020100-0504-0706-0809-0a0b0c0d0e0f", "channels": [
            {"id": "13121110-1514-1716-1819-1a1b1c1d1e1f"}, {"id": "13121110-1514-1716-1819-1a1b1c1d1e1f"}]},
        {"id": "03020100-0504-0706-0809-0a0b0c0d0e0f"},
        {"id": "00000000-0000-0000-0000-000000000000"}]})");
    ASSERT_FALSE(decoded.error) << *decoded.error;
    ASSERT_EQ(decoded.plans.size(), 3U);
    EXPECT_EQ(decoded.plans[0].id.toString(), "03020100-0504-0706-0809-0a0b0c0d0e0f");
    EXPECT_EQ(decoded.plans[0].channels[0].id.toString(), "13121110-1514-1716-1819-1a1b1c1d1e1f");
    EXPECT_NE(decoded.plans[0].channels[1].id, decoded.plans[0].channels[0].id);
    EXPECT_NE(decoded.plans[1].id, decoded.plans[0].id);
    EXPECT_FALSE(decoded.plans[2].id.isNull());
}

TEST(PlansJson, MissingKeysTakeAddPlanAndAddChDefaults)
{
    const auto decoded = decodePlansJson(R"({"plans": [{"name": "Plan1"}, {"channels": [{"name": "TP1"}, {}]}]})");
    ASSERT_FALSE(decoded.error) << *decoded.error;
    ASSERT_EQ(decoded.plans.size(), 2U);
    const auto& second = decoded.plans[1];
    EXPECT_EQ(second.nameText(), "Plan2");
    EXPECT_EQ(decoded.plans[0].number, 1);
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(decoded.nextPlanNumber, 2);
    EXPECT_EQ(second.tag, 100);
    EXPECT_EQ(second.flag, 1);
    EXPECT_EQ(second.lnbLow, 1200000);
    EXPECT_FLOAT_EQ(second.longitude, 160.0F);
    EXPECT_EQ(second.isEast, 1);
    EXPECT_FALSE(second.id.isNull());
    EXPECT_NE(second.id, decoded.plans[0].id);
    ASSERT_EQ(second.channelCount, 2);
    EXPECT_EQ(second.channels[1].nameText(), "TP2");
    EXPECT_EQ(second.channels[1].number, 2);
    EXPECT_EQ(second.channels[1].frequency, 350000U);
    EXPECT_EQ(second.channels[1].lnbLo, 2);
    EXPECT_EQ(second.channelsAdded, 2);
}

TEST(PlansJson, NumbersCountOnFromNextPlanNumber)
{
    const auto decoded = decodePlansJson(R"({"nextPlanNumber": 255, "plans": [{}]})");
    ASSERT_FALSE(decoded.error);
    EXPECT_EQ(decoded.plans[0].number, 0); // the low byte of 256
    EXPECT_EQ(decoded.nextPlanNumber, 256);
}

TEST(PlansJson, ErrorsNameThePlanAndTheKey)
{
    const auto range = decodePlansJson(R"({"plans": [{}, {"name": "Bad", "number": 256}]})");
    ASSERT_TRUE(range.error);
    EXPECT_NE(range.error->find("plan 2"), std::string::npos);
    EXPECT_NE(range.error->find("\"number\""), std::string::npos);
    EXPECT_TRUE(range.plans.empty());

    const auto tp = decodePlansJson(R"({"plans": [{"channels": [{}, {"frequency": -1}]}]})");
    ASSERT_TRUE(tp.error);
    EXPECT_NE(tp.error->find("TP 2"), std::string::npos);
    EXPECT_NE(tp.error->find("\"frequency\""), std::string::npos);

    for (const char* bad : {R"({"plans": [{"name": "NineChars"}]})", R"({"plans": [{"id": "x"}]})",
                            R"({"plans": [{"longitude": "east"}]})", R"({"plans": [{"channelCount": 3}]})",
                            R"({"plans": [{"channelCapacity": 256}]})", R"({"plans": {}})", R"([1])", "{", "",
                            R"({"plans": [{"isEast": 1.5}]})"})
        EXPECT_TRUE(decodePlansJson(bad).error) << bad;
}

// Names a record holds only with characters changed are named, with what
// they became; Latin-1 names come through as they are.
TEST(PlansJson, ChangedNamesAreNamed)
{
    const auto decoded = decodePlansJson(
        R"({"plans": [{"name": "T\u00fcrk", "channels": [{"name": "ok"}, {"name": "\u03a91"}]}, {"name": "\u536b\u661f"}]})");
    ASSERT_FALSE(decoded.error);
    EXPECT_EQ(decoded.plans[0].nameText(), "T\u00fcrk");
    EXPECT_EQ(decoded.renamed, (std::vector<Notice>{{msg::kTpNameChanged, {"1", "2", "\u03a91", "?1"}},
                                                    {msg::kPlanNameChanged, {"2", "\u536b\u661f", "??"}}}));
    EXPECT_EQ(noticeText(decoded.renamed[1], Language::English),
              "Plan 2: the name \"\u536b\u661f\" can not be stored, it becomes \"??\"");
}

TEST(PlansJson, MoreThan255TpsAreRefused)
{
    std::string text = R"({"plans": [{"channels": [)";
    for (int i = 0; i < 256; ++i)
        text += i == 0 ? "{}" : ",{}";
    text += "]}]}";
    const auto decoded = decodePlansJson(text);
    ASSERT_TRUE(decoded.error);
    EXPECT_NE(decoded.error->find("\"channels\""), std::string::npos);
}

// A document of more plans than the list holds gives the first 255 and the
// number of the others, which are neither kept nor checked.
TEST(PlansJson, PlansPast255AreCountedNotRead)
{
    const auto plans = [](int count, const std::string& later) {
        std::string text = R"({"plans": [)";
        for (int i = 0; i < count; ++i)
            text.append(i == 0 ? "" : ",").append(i < 255 ? "{}" : later);
        return decodePlansJson(text + "]}");
    };
    const auto full = plans(255, "{}");
    EXPECT_EQ(full.plans.size(), 255U);
    EXPECT_EQ(full.plansNotTaken, 0);
    const auto over = plans(300, R"({"name": "NineChars", "channels": [1]})");
    EXPECT_FALSE(over.error);
    EXPECT_EQ(over.plans.size(), 255U);
    EXPECT_EQ(over.plansNotTaken, 45);
    EXPECT_EQ(over.plans.back().nameText(), "Plan255");
}

} // namespace
