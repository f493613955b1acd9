#include "core/model/plan_list.h"
#include "core/pointing/plan_pointing.h"
#include "core/res/string_ids.h"
#include "core/rules/plan_cell_rules.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PlanPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QObject::connect(&plansPane, &COrbituneList::currentPlanChosen, &channels, &CSateChannelList::showPlan);
        QObject::connect(&plansPane, &COrbituneList::currentPlanCleared, &channels,
                         [this] { channels.setCurrentPlan(std::nullopt); });
        window.resize(1200, 400);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(&plansPane);
        layout->addWidget(&channels);
        showActive(window);
    }

    COrbituneSortComboListCtrl& list() { return plansPane.listControl(); }
    QStringList names() { return columnTexts(list(), 1); }
    void clickHeader(int column) { ::clickHeader(list(), column); }
    void addPlans(int count)
    {
        for (int i = 0; i < count; ++i)
            plansPane.AddPlan();
    }

    PlanList plans;
    ScriptedPrompts prompts;
    QWidget window;
    CSateChannelList channels{plans, prompts};
    COrbituneList plansPane{plans, prompts};
};

TEST_F(PlanPaneTest, AddPlanNamesTheFirstFreePlanNumberComparedWithCase)
{
    plansPane.AddPlan();
    ASSERT_EQ(plans.count(), 1);
    EXPECT_EQ(plans.at(0).nameText(), "Plan1");
    EXPECT_EQ(plansPane.nextPlanNumber(), 1);
    EXPECT_EQ(plans.at(0).number, 1);
    EXPECT_EQ(textList({"1", "Plan1", "East", "160.0", "12000", "12000"}),
              (QStringList{list().cellText(0, 0), list().cellText(0, 1), list().cellText(0, 2), list().cellText(0, 3),
                           list().cellText(0, 4), list().cellText(0, 5)}));

    plans.at(0).setNameText("Plan3");
    plans.append(makePlan("plan2", 0));
    plansPane.AddPlan();
    EXPECT_EQ(plans.at(2).nameText(), "Plan1");
    plansPane.AddPlan();
    EXPECT_EQ(plans.at(3).nameText(), "Plan2");
    EXPECT_EQ(plans.at(3).number, 3);
}

TEST_F(PlanPaneTest, TwoHundredFiftyFifthPlanIsAddedAndTheNextRefused)
{
    addPlans(255);
    EXPECT_EQ(plans.count(), 255);
    EXPECT_TRUE(prompts.messages.empty());
    plansPane.AddPlan();
    EXPECT_EQ(plans.count(), 255);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kMaxPlans}));
    EXPECT_EQ(prompts.messages[0].text, std::string("Reach the Max nums"));
}

TEST_F(PlanPaneTest, RenamingChecksItsTextAndOtherPlansNames)
{
    addPlans(2);
    editCell(list(), 0, 1, QStringLiteral("Plan1"));
    EXPECT_TRUE(prompts.messages.empty());
    editCell(list(), 0, 1, QStringLiteral("Plan2"));
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kPlanNameExists}));
    EXPECT_EQ(list().cellText(0, 1), QStringLiteral("Plan1"));

    prompts.messages.clear();
    for (const char* bad : {"NineChars", "", "ab!", "x~"})
        editCell(list(), 0, 1, QString::fromUtf8(bad));
    EXPECT_EQ(prompts.messageIds(),
              (std::vector<MessageId>{msg::kTooLong, msg::kBadChars, msg::kBadChars, msg::kBadChars}));
    EXPECT_EQ(plans.at(0).nameText(), "Plan1");

    prompts.messages.clear();
    editCell(list(), 0, 1, QStringLiteral("A_b.c"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(plans.at(0).nameText(), "A_b.c");
}

TEST_F(PlanPaneTest, LongitudeAndOscillatorChecks)
{
    plansPane.AddPlan();
    editCell(list(), 0, 3, QStringLiteral("180"));
    EXPECT_EQ(plans.at(0).longitude, 180.0F);
    editCell(list(), 0, 3, QStringLiteral("0"));
    EXPECT_EQ(plans.at(0).longitude, 0.0F);
    editCell(list(), 0, 3, QStringLiteral("12.3.4"));
    EXPECT_EQ(plans.at(0).longitude, 12.3F);
    EXPECT_TRUE(prompts.messages.empty());
    editCell(list(), 0, 3, QStringLiteral("180.1"));
    editCell(list(), 0, 3, QStringLiteral("-1"));
    editCell(list(), 0, 3, QStringLiteral(".5"));
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kLongitudeRange, msg::kBadChars, msg::kBadChars}));
    EXPECT_EQ(plans.at(0).longitude, 12.3F);
    EXPECT_EQ(list().cellText(0, 3), QStringLiteral("12.3"));

    prompts.messages.clear();
    editCell(list(), 0, 4, QStringLiteral("1000.9"));
    EXPECT_EQ(plans.at(0).lnbLow, 100000);
    editCell(list(), 0, 5, QStringLiteral("12000"));
    EXPECT_EQ(plans.at(0).lnbHigh, 1200000);
    EXPECT_TRUE(prompts.messages.empty());
    editCell(list(), 0, 4, QStringLiteral("999.9"));
    editCell(list(), 0, 5, QStringLiteral("12001"));
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kLnbRange, msg::kLnbRange}));
    EXPECT_EQ(plans.at(0).lnbLow, 100000);
    EXPECT_EQ(plans.at(0).lnbHigh, 1200000);
}

TEST_F(PlanPaneTest, HemisphereIsChosenFromItsDropDown)
{
    plansPane.AddPlan();
    chooseInCell(list(), 0, 2, QStringLiteral("West"));
    EXPECT_EQ(plans.at(0).isEast, 0);
}

TEST_F(PlanPaneTest, DeletePlanWithNothingTickedAsksNothingButClearsTheTransponderPlan)
{
    addPlans(2);
    clickCell(list(), 1, 0);
    ASSERT_EQ(channels.currentPlan(), plans.at(1).id);
    plansPane.DeletePlans();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(plans.count(), 2);
    EXPECT_FALSE(channels.currentPlan().has_value());
}

TEST_F(PlanPaneTest, DeletePlanRemovesTheTickedPlansByIdAfterASort)
{
    addPlans(3);
    plans.at(0).longitude = 30.0F;
    plans.at(1).longitude = 10.0F;
    plans.at(2).longitude = 20.0F;
    plansPane.RefreshPlanList();
    clickHeader(3);
    ASSERT_EQ(names(), textList({"Plan2", "Plan3", "Plan1"}));
    list().setChecked(0, true);
    list().setChecked(2, true);
    prompts.answers = {false};
    plansPane.DeletePlans();
    EXPECT_EQ(plans.count(), 3);
    prompts.answers = {true};
    plansPane.DeletePlans();
    ASSERT_EQ(plans.count(), 1);
    EXPECT_EQ(plans.at(0).nameText(), "Plan3");
    EXPECT_EQ(names(), textList({"Plan3"}));
    EXPECT_EQ(prompts.messages[0].text, std::string("Confirm to delete the selected plan(s)?"));
}

// Ticks stay on their plans while plans are added; the toggle follows its own
// flag.
TEST_F(PlanPaneTest, SelectAllTogglesByItsOwnFlag)
{
    addPlans(1);
    plansPane.ToggleSelectAll();
    EXPECT_TRUE(list().isChecked(0));
    plansPane.AddPlan();
    EXPECT_TRUE(list().isChecked(0));
    EXPECT_FALSE(list().isChecked(1));
    plansPane.ToggleSelectAll();
    EXPECT_FALSE(list().isChecked(0));
    EXPECT_FALSE(list().isChecked(1));
    plansPane.ToggleSelectAll();
    EXPECT_TRUE(list().isChecked(0));
    EXPECT_TRUE(list().isChecked(1));
    EXPECT_EQ(plansPane.checkedPlanIds(), (std::vector<Guid>{plans.at(0).id, plans.at(1).id}));
}

TEST_F(PlanPaneTest, PlanIdHeaderNeverSortsAndLongitudeAlternates)
{
    addPlans(3);
    plans.at(0).longitude = 30.0F;
    plans.at(1).longitude = 10.0F;
    plans.at(2).longitude = 20.0F;
    plansPane.RefreshPlanList();
    clickHeader(0);
    EXPECT_EQ(names(), textList({"Plan1", "Plan2", "Plan3"}));
    clickHeader(3);
    EXPECT_EQ(names(), textList({"Plan2", "Plan3", "Plan1"}));
    EXPECT_EQ(list().cellText(0, 0), QStringLiteral("2"));
    clickHeader(3);
    EXPECT_EQ(names(), textList({"Plan1", "Plan3", "Plan2"}));
}

TEST_F(PlanPaneTest, SelectingAPlanFillsTheTransponderPane)
{
    plans.append(makePlan("A", 2));
    plans.append(makePlan("B", 5));
    plansPane.RefreshPlanList();
    clickCell(list(), 1, 0);
    EXPECT_EQ(channels.currentPlan(), plans.at(1).id);
    EXPECT_EQ(channels.listControl().rowCount(), 5);
    clickCell(list(), 0, 0);
    EXPECT_EQ(channels.listControl().rowCount(), 2);
}

// Figures worked out by hand: from 52.5N 13.4E, 19.2E lies at azimuth 172.7,
// elevation 29.7, skew -4.5 and 97.0W below the horizon; from 40.7N 74.0W,
// 97.0W lies at azimuth 213.1, skew 24.6.
TEST_F(PlanPaneTest, PointingColumnsFollowTheSiteAndThePositions)
{
    auto astra = makePlan("Astra", 1);
    astra.longitude = 19.2F;
    astra.isEast = 0;
    auto galaxy = makePlan("Galaxy", 1, 2);
    galaxy.longitude = 97.0F;
    galaxy.isEast = 0;
    plans.append(astra);
    plans.append(galaxy);
    const auto day = std::chrono::year{2026} / std::chrono::March / 1;
    plansPane.setPointingDay(day);
    plansPane.RefreshPlanList();
    constexpr int first = COrbituneList::kFirstPointingColumn;
    QStringList headers;
    for (int column = first; column < list().model()->columnCount(); ++column)
        headers.append(list().model()->headerData(column, Qt::Horizontal).toString());
    EXPECT_EQ(headers, textList({"Azimuth", "Magnetic Azimuth", "Elevation", "LNB Skew", "Above Horizon"}));
    EXPECT_EQ(list().cellText(0, first), QString());

    const Site berlin{52.5, 13.4};
    plansPane.setPointingSite(berlin);
    EXPECT_EQ(list().cellText(1, first + 2), QStringLiteral("-20.4"));
    EXPECT_EQ(list().cellText(1, first + 4), QStringLiteral("No"));

    // 19.2W becomes 19.2E.
    chooseInCell(list(), 0, plan_column::kEastOrWest, QStringLiteral("East"));
    const auto magnetic =
        pointing_text::figureText(pointPlan(plans.at(0), berlin, pointing::declinationAt(berlin, day)),
                                  PointingFigure::MagneticAzimuth, Language::English);
    EXPECT_EQ(list().cellText(0, first), QStringLiteral("172.7"));
    EXPECT_EQ(list().cellText(0, first + 1), QString::fromStdString(magnetic));
    EXPECT_NE(magnetic, "172.7");
    EXPECT_EQ(list().cellText(0, first + 2), QStringLiteral("29.7"));
    EXPECT_EQ(list().cellText(0, first + 3), QStringLiteral("-4.5"));
    EXPECT_EQ(list().cellText(0, first + 4), QStringLiteral("Yes"));

    // Another site changes the pointing cells alone, in one notice.
    QSignalSpy changed(&plansPane.planRecords(), &QAbstractItemModel::dataChanged);
    plansPane.setPointingSite(Site{40.7, -74.0});
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), plansPane.planRecords().index(0, first));
    EXPECT_EQ(changed[0][1].toModelIndex(), plansPane.planRecords().index(1, first + 4));
    EXPECT_EQ(list().cellText(1, first), QStringLiteral("213.1"));
    EXPECT_EQ(list().cellText(1, first + 3), QStringLiteral("24.6"));
    // Find looks at what the plans hold, not at the figures.
    list().setFilterText(QStringLiteral("213.1"));
    EXPECT_EQ(list().rowCount(), 0);
}

TEST_F(PlanPaneTest, ColumnsFollowThePaneWidthButNotBelowFiftyPixels)
{
    plansPane.resize(600, 300);
    QApplication::processEvents();
    EXPECT_EQ(list().columnWidth(1), 100);
    plansPane.resize(120, 300);
    QApplication::processEvents();
    EXPECT_EQ(list().columnWidth(1), 50);
    // The pointing columns take no share: as wide as their titles.
    EXPECT_GT(list().columnWidth(COrbituneList::kFirstPointingColumn + 1), 50);
}

} // namespace
