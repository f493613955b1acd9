#include "core/rules/plan_cell_rules.h"

#include "core/res/string_ids.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace plan_column;

// Plans named Plan1, Plan2 and Plan3; the tests edit Plan1.
class PlanCellRules : public ::testing::Test {
protected:
    PlanList plans = makePlanList(3, 0);
    CComonOrbitune plan = plans.at(0);

    PlanCellResult edit(int column, const std::string& text) const { return PlanCellEdited(column, text, plan, plans); }
};

void expectRefused(const PlanCellResult& r, MessageId id, const std::string& text)
{
    EXPECT_FALSE(r.accepted) << text;
    EXPECT_EQ(r.messageId, id) << text;
    EXPECT_TRUE(r.refreshList) << text;
    EXPECT_FALSE(r.record.has_value()) << text;
}

struct RefusedCase {
    int column;
    std::string text;
    MessageId messageId;
};

} // namespace

TEST(PlanChoices, OnlyTheHemisphereColumnHasChoices)
{
    EXPECT_EQ(PlanColumnChoices(kEastOrWest), (std::vector<std::string>{"East", "West"}));
    for (int column : {kNumber, kName, kLongitude, kLnbLow, kLnbHigh, 6})
        EXPECT_TRUE(PlanColumnChoices(column).empty()) << column;
}

TEST_F(PlanCellRules, EveryRefusal)
{
    const std::vector<RefusedCase> cases{
        {kName, "", msg::kBadChars},
        {kName, "Plan!", msg::kBadChars},
        {kName, "Plan{", msg::kBadChars},
        {kName, "Plan~", msg::kBadChars},
        {kName, "Pl\xC3\xA4n", msg::kBadChars},
        {kName, "ABCDEFGHI", msg::kTooLong},
        {kName, "Plan2", msg::kPlanNameExists},
        {kName, "Plan3", msg::kPlanNameExists},
        {kLongitude, "", msg::kBadChars},
        {kLongitude, "-5", msg::kBadChars},
        {kLongitude, ".5", msg::kBadChars},
        {kLongitude, "12,5", msg::kBadChars},
        {kLongitude, "180.1", msg::kLongitudeRange},
        {kLongitude, "181", msg::kLongitudeRange},
        {kLongitude, std::string(400, '9'), msg::kLongitudeRange},
        {kLnbLow, "", msg::kBadChars},
        {kLnbLow, ".9", msg::kBadChars},
        {kLnbLow, "999.9", msg::kLnbRange},
        {kLnbLow, "12001", msg::kLnbRange},
        {kLnbLow, std::string(40, '9'), msg::kLnbRange},
        {kLnbHigh, "x", msg::kBadChars},
        {kLnbHigh, "999.9", msg::kLnbRange},
        {kLnbHigh, "12001", msg::kLnbRange},
    };
    for (const auto& c : cases)
        expectRefused(edit(c.column, c.text), c.messageId, c.text);
}

TEST_F(PlanCellRules, OwnNameIsAcceptedSilentlyAndStoresNothing)
{
    const auto r = edit(kName, "Plan1");
    EXPECT_FALSE(r.accepted);
    EXPECT_FALSE(r.messageId.has_value());
    EXPECT_FALSE(r.record.has_value());
    EXPECT_FALSE(r.refreshList);
}

TEST_F(PlanCellRules, NewNamesAreStored)
{
    for (const std::string name : {"plan2", "a_b.c", "ABCDEFGH", "Astra 19", "[\\]^_`"}) {
        const auto r = edit(kName, name);
        ASSERT_TRUE(r.record.has_value()) << name;
        EXPECT_TRUE(r.accepted);
        EXPECT_FALSE(r.refreshList);
        EXPECT_EQ(r.record->nameText(), name);
        EXPECT_EQ(r.record->id, plan.id);
    }
}

TEST_F(PlanCellRules, HemisphereIsEastOnlyForEast)
{
    plan.isEast = 0;
    EXPECT_EQ(edit(kEastOrWest, "East").record->isEast, 1);
    plan.isEast = 1;
    EXPECT_EQ(edit(kEastOrWest, "West").record->isEast, 0);
    EXPECT_EQ(edit(kEastOrWest, "").record->isEast, 0);
}

struct LongitudeCase {
    const char* text;
    float stored;
};

TEST_F(PlanCellRules, LongitudeIsStoredInSinglePrecisionAsParsed)
{
    const std::vector<LongitudeCase> cases{
        {"0", 0.0F},     {"180", 180.0F}, {"12.3.4", 12.3F},        {"100.25", 100.25F},
        {"19.2", 19.2F}, {"5.", 5.0F},    {"180.00000001", 180.0F}, {"0.04", 0.04F},
    };
    for (const auto& c : cases) {
        const auto r = edit(kLongitude, c.text);
        ASSERT_TRUE(r.record.has_value()) << c.text;
        EXPECT_TRUE(r.accepted);
        EXPECT_EQ(r.record->longitude, c.stored) << c.text;
    }
}

struct LnbCase {
    const char* text;
    std::int32_t stored;
};

TEST_F(PlanCellRules, LnbStoresWholeMegahertz)
{
    const std::vector<LnbCase> cases{
        {"1000", 100000}, {"1000.9", 100000},    {"12000", 1200000},
        {"9750", 975000}, {"10600.99", 1060000}, {"999.99999999999999999999", -1},
    };
    for (const auto& c : cases) {
        for (int column : {kLnbLow, kLnbHigh}) {
            const auto r = edit(column, c.text);
            if (c.stored < 0) {
                expectRefused(r, msg::kLnbRange, c.text);
                continue;
            }
            ASSERT_TRUE(r.record.has_value()) << c.text;
            EXPECT_EQ(column == kLnbLow ? r.record->lnbLow : r.record->lnbHigh, c.stored) << c.text;
            EXPECT_EQ(column == kLnbLow ? r.record->lnbHigh : r.record->lnbLow, plan.lnbHigh) << c.text;
        }
    }
}

TEST_F(PlanCellRules, NumberColumnStoresNothing)
{
    const auto r = edit(kNumber, "9");
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.record.has_value());
    EXPECT_FALSE(r.messageId.has_value());
}
