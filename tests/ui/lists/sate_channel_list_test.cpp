#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "ui/lists/in_place_combo.h"
#include "ui/lists/sate_channel_list.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ChannelPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plans.append(makePlan("Sat", 0));
        pane.resize(1300, 400);
        pane.setCurrentPlan(plans.at(0).id);
        showActive(pane);
    }

    CComonOrbitune& plan() { return plans.at(0); }
    CSateChannelSortComboListCtrl& list() { return pane.listControl(); }
    QStringList rowTexts(int row)
    {
        QStringList texts;
        for (int column = 0; column < 13; ++column)
            texts.append(list().cellText(row, column));
        return texts;
    }
    QStringList names() { return columnTexts(list(), 1); }
    void clickHeader(int column) { ::clickHeader(list(), column); }

    PlanList plans;
    ScriptedPrompts prompts;
    CSateChannelList pane{plans, prompts};
};

TEST_F(ChannelPaneTest, AddChOnAnEmptyPlanAddsTp1WithItsDefaults)
{
    pane.AddChannel();
    ASSERT_EQ(list().rowCount(), 1);
    EXPECT_EQ(rowTexts(0), (textList({"1", "TP1", "Enable", "DVB_S", "3500", "13.50", "10.000", "1/2", "QPSK", "0.35",
                                      "HORIZ/LEFT", "Auto", "OFF"})));
    EXPECT_FALSE(list().isChecked(0));
    EXPECT_EQ(plan().channelsAdded, 1);
    EXPECT_EQ(plan().channels[0].number, 1);
    EXPECT_FALSE(plan().channels[0].id.isNull());
}

TEST_F(ChannelPaneTest, AddChFillsTheFirstFreeNameComparedWithCase)
{
    plan().appendChannel(SateChannel::withAddDefaults(1, "TP1"));
    plan().appendChannel(SateChannel::withAddDefaults(2, "TP3"));
    plan().appendChannel(SateChannel::withAddDefaults(3, "tp2"));
    pane.AddChannel();
    EXPECT_EQ(plan().channels[3].nameText(), "TP2");
}

TEST_F(ChannelPaneTest, HundredthTpIsAddedAndTheNextRefused)
{
    for (int i = 0; i < 99; ++i)
        plan().appendChannel(SateChannel::withAddDefaults(1, "X"));
    pane.AddChannel();
    EXPECT_EQ(plan().channelCount, 100);
    EXPECT_TRUE(prompts.messages.empty());
    pane.AddChannel();
    EXPECT_EQ(plan().channelCount, 100);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kMaxTps}));
    EXPECT_EQ(prompts.messages[0].text, std::string("Reach the max TP nums(100)"));
}

TEST_F(ChannelPaneTest, WithoutAPlanAddChAsksForOne)
{
    pane.setCurrentPlan(std::nullopt);
    pane.AddChannel();
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kSelectPlan}));
}

TEST_F(ChannelPaneTest, RemovedPlanIsNeverShown)
{
    pane.AddChannel();
    plans.removeAll();
    plans.append(makePlan("Other", 3));
    pane.RefreshChannelList();
    EXPECT_EQ(list().rowCount(), 0);
    EXPECT_FALSE(pane.currentPlan().has_value());
}

// Ticks stay on their TPs while TPs are added; the toggle follows its own
// flag.
TEST_F(ChannelPaneTest, SelectAllTogglesByItsOwnFlag)
{
    pane.AddChannel();
    pane.ToggleSelectAll();
    EXPECT_TRUE(list().isChecked(0));
    pane.AddChannel();
    EXPECT_TRUE(list().isChecked(0));
    EXPECT_FALSE(list().isChecked(1));
    pane.ToggleSelectAll();
    EXPECT_FALSE(list().isChecked(0));
    pane.ToggleSelectAll();
    EXPECT_TRUE(list().isChecked(0));
    EXPECT_TRUE(list().isChecked(1));

    pane.setCurrentPlan(std::nullopt);
    pane.RefreshChannelList();
    pane.ToggleSelectAll();
    EXPECT_TRUE(pane.checkAllFlag());
}

TEST_F(ChannelPaneTest, DeleteChRemovesExactlyTheTickedRowsAfterASort)
{
    for (int i = 0; i < 4; ++i)
        pane.AddChannel();
    plan().channels[0].frequency = 400000;
    plan().channels[1].frequency = 300000;
    plan().channels[2].frequency = 500000;
    plan().channels[3].frequency = 350000;
    pane.RefreshChannelList();
    clickHeader(4);
    ASSERT_EQ(names(), (textList({"TP2", "TP4", "TP1", "TP3"})));
    list().setChecked(0, true);
    list().setChecked(2, true);

    prompts.answers = {false};
    pane.DeleteCheckedChannels();
    EXPECT_EQ(plan().channelCount, 4);

    prompts.answers = {true};
    pane.DeleteCheckedChannels();
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kConfirmDeleteTps, msg::kConfirmDeleteTps}));
    ASSERT_EQ(plan().channelCount, 2);
    EXPECT_EQ(plan().channels[0].nameText(), "TP3");
    EXPECT_EQ(plan().channels[1].nameText(), "TP4");
    EXPECT_EQ(names(), (textList({"TP4", "TP3"}))); // still sorted
}

TEST_F(ChannelPaneTest, DeleteChWithNothingTickedAsksNothing)
{
    pane.AddChannel();
    pane.DeleteCheckedChannels();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(plan().channelCount, 1);
}

TEST_F(ChannelPaneTest, HeaderSortsAscendingThenDescendingButNeverOnTpNo)
{
    for (int i = 0; i < 3; ++i)
        pane.AddChannel();
    plan().channels[0].frequency = 500000;
    plan().channels[2].frequency = 400000;
    pane.RefreshChannelList();
    clickHeader(0);
    EXPECT_EQ(names(), (textList({"TP1", "TP2", "TP3"})));
    clickHeader(4);
    EXPECT_EQ(names(), (textList({"TP2", "TP3", "TP1"})));
    EXPECT_EQ(list().cellText(0, 0), QStringLiteral("2"));
    clickHeader(4);
    EXPECT_EQ(names(), (textList({"TP1", "TP3", "TP2"})));
    pane.RefreshChannelList();
    EXPECT_EQ(names(), (textList({"TP1", "TP2", "TP3"})));
}

// A sort moves the focused row without reporting it; the drop-down of its
// cells still offers the choices of its own TP.
TEST_F(ChannelPaneTest, DropDownAfterASortOffersTheChoicesOfItsOwnRow)
{
    pane.AddChannel();
    pane.AddChannel();
    plan().channels[1].signalType = 2; // DVB_S2
    plan().channels[1].frequency = 340000;
    pane.RefreshChannelList();
    clickCell(list(), 0, 0); // focus TP1, a DVB_S TP
    clickHeader(4);          // TP2 moves above it
    ASSERT_EQ(names(), (textList({"TP2", "TP1"})));
    clickCell(list(), 1, 8); // the current row
    CInPlaceCombo* combo = list().openCombo();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("QPSK"));
    EXPECT_EQ(pane.currentRow(), 1);
    QTest::keyClick(combo, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(plan().channels[0].modulation, 1);
}

TEST_F(ChannelPaneTest, TypedBandwidthIsStoredExactly)
{
    pane.AddChannel();
    editCell(list(), 0, 5, QStringLiteral("4.35"));
    EXPECT_EQ(plan().channels[0].bandwidth, 435U);
    editCell(list(), 0, 4, QStringLiteral("4096.11"));
    EXPECT_EQ(plan().channels[0].frequency, 409611U);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ChannelPaneTest, RefusedCellShowsItsMessageAndTheStoredValueComesBack)
{
    pane.AddChannel();
    editCell(list(), 0, 4, QStringLiteral("99999"));
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kFrequencyRange}));
    EXPECT_EQ(plan().channels[0].frequency, 350000U);
    EXPECT_EQ(list().cellText(0, 4), QStringLiteral("3500"));
}

TEST_F(ChannelPaneTest, ChoosingTvInTheDropDownChangesTheRow)
{
    pane.AddChannel();
    chooseInCell(list(), 0, 3, QStringLiteral("TV"));
    EXPECT_EQ(plan().channels[0].signalType, 0);
    pane.RefreshChannelList();
    EXPECT_EQ(list().cellText(0, 6), QStringLiteral("---"));
    EXPECT_EQ(list().cellText(0, 3), QStringLiteral("TV"));
}

TEST_F(ChannelPaneTest, FocusedRowAndEditedColumnAreKept)
{
    pane.AddChannel();
    pane.AddChannel();
    editCell(list(), 1, 1, QStringLiteral("Name2"));
    EXPECT_EQ(pane.currentRow(), 1);
    EXPECT_EQ(pane.editColumn(), 1);
    EXPECT_EQ(plan().channels[1].nameText(), "Name2");
}

TEST_F(ChannelPaneTest, ColumnsFollowThePaneWidthButNotBelowThirtyPixels)
{
    pane.resize(1300, 400);
    QApplication::processEvents();
    EXPECT_EQ(list().columnWidth(5), 100);
    pane.resize(260, 400);
    QApplication::processEvents();
    EXPECT_EQ(list().columnWidth(5), 30);
    EXPECT_EQ(list().geometry(), pane.rect());
}

} // namespace
