#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/model/value_tables.h"
#include "core/res/string_ids.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/row_clipboard.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/plan_history.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Editing the lists in the main window with keys, clicks and the clipboard.
class ListEditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(plans, link, prompts, settings, language);
        frame->resize(1400, 600);
        showActive(*frame);
    }

    QWidget* focus() { return QApplication::focusWidget(); }
    // A key to whatever has the keyboard focus, as the keyboard sends it.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focus() != nullptr ? focus() : frame.get(), k, modifiers);
        QApplication::processEvents();
    }
    void type(const char* text)
    {
        QTest::keyClicks(focus(), QString::fromUtf8(text));
        QApplication::processEvents();
    }
    // Alt+H, then Tab to the ribbon button of `command` and Space.
    void pressWithKeys(int command)
    {
        key(Qt::Key_H, Qt::AltModifier);
        for (int i = 0; i < 20 && focus() != frame->ribbon().button(command); ++i)
            key(Qt::Key_Tab);
        ASSERT_EQ(focus(), frame->ribbon().button(command));
        key(Qt::Key_Space);
    }
    CSortComboListCtrl& planList() { return frame->planPane().listControl(); }
    CSortComboListCtrl& channelList() { return frame->channelPane().listControl(); }
    QString tip(int row, int column)
    {
        return channelList().model()->index(row, column).data(Qt::ToolTipRole).toString();
    }
    void press(int command) { QTest::mouseClick(frame->ribbon().button(command), Qt::LeftButton); }
    // A plan list of `planCount` plans of `tpCount` TPs shown in the window.
    void open(int planCount, int tpCount)
    {
        plans = makePlanList(planCount, tpCount);
        frame->planPane().RefreshPlanList();
    }
    std::vector<SateChannel> channelsOf(int plan) const
    {
        const auto used = plans.at(plan).usedChannels();
        return {used.begin(), used.end()};
    }

    Language language = Language::English;
    TempDir dir;
    PlanList plans;
    ScriptedPrompts prompts{language};
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    AppSettings settings{QString::fromStdString(dir.file("settings.ini").string())};
    std::unique_ptr<CMainFrame> frame;
};

// The fields of a TP that a copy keeps: all but its id and number.
SateChannel fieldsOf(SateChannel tp)
{
    tp.id = Guid{};
    tp.number = 0;
    return tp;
}

std::vector<SateChannel> fieldsOf(const std::vector<SateChannel>& tps)
{
    std::vector<SateChannel> fields;
    for (const SateChannel& tp : tps)
        fields.push_back(fieldsOf(tp));
    return fields;
}

} // namespace

// Astra 19.2E with 11493 H, 11538 V, 12187 H, 11954 H and 12603 H, from Add
// Plan to Save All without the mouse.
TEST_F(ListEditingTest, KeyboardAloneBuildsAFiveTpPlanFromAddPlanToSave)
{
    pressWithKeys(cmd::kPlanAdd);
    key(Qt::Key_F6); // from the ribbon to the plan pane
    ASSERT_EQ(focus(), &planList());
    key(Qt::Key_Right);
    key(Qt::Key_F2);
    type("Astra");
    key(Qt::Key_Tab); // to the hemisphere, East as it is
    ASSERT_NE(planList().openCombo(), nullptr);
    key(Qt::Key_Tab);
    type("19.2");
    key(Qt::Key_Return);
    for (int i = 0; i < 5; ++i)
        pressWithKeys(cmd::kChannelAdd);
    key(Qt::Key_F6, Qt::ShiftModifier); // from the ribbon to the TP pane
    ASSERT_EQ(focus(), &channelList());
    const std::vector<std::pair<const char*, bool>> tps{
        {"11493", false}, {"11538", true}, {"12187", false}, {"11954", false}, {"12603", false}};
    EXPECT_EQ(channelList().currentRow(), 0); // the first cell is current once the list has the focus
    for (int column = 0; column < 4; ++column)
        key(Qt::Key_Right);
    for (const auto& [frequency, vertical] : tps) {
        key(Qt::Key_F2);
        type(frequency);
        for (int column = 4; column < 10; ++column)
            key(Qt::Key_Tab); // through BW, SR, code rate, modulation and roll-off
        ASSERT_NE(channelList().openCombo(), nullptr);
        if (vertical)
            key(Qt::Key_V);
        key(Qt::Key_Return);
        key(Qt::Key_Down);
        for (int column = 10; column > 4; --column)
            key(Qt::Key_Left);
    }
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {dir.file("astra.gnr").string()};
    pressWithKeys(cmd::kSaveAll);

    PlanList saved;
    ASSERT_FALSE(readGeneralFile(dir.file("astra.gnr").string(), saved).error);
    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(saved.at(0).nameText(), "Astra");
    EXPECT_EQ(saved.at(0).longitude, 19.2F);
    EXPECT_EQ(saved.at(0).isEast, 1);
    ASSERT_EQ(saved.at(0).channelCount, 5);
    for (std::size_t i = 0; i < tps.size(); ++i) {
        const SateChannel& tp = saved.at(0).usedChannels()[i];
        EXPECT_EQ(tp.frequency, std::stoul(tps[i].first) * 100) << i;
        EXPECT_EQ(tp.polarization, stored(tps[i].second ? Polarization::VertRight : Polarization::HorizLeft)) << i;
    }
    EXPECT_TRUE(prompts.messages.empty());
}

// Copy and paste into another plan, and copy, paste into a spreadsheet, copy
// from there and paste: the same field values either way.
TEST_F(ListEditingTest, ClipboardRoundTripsKeepTheFieldValues)
{
    open(2, 3);
    CComonOrbitune& first = plans.at(0);
    first.usedChannels()[0].frequency = 1149350;
    first.usedChannels()[1].signalType = stored(SignalType::DVB_S2);
    first.usedChannels()[1].codeRate = 8; // 3/4
    first.usedChannels()[1].polarization = stored(Polarization::VertRight);
    plans.at(1).removeChannelAt(0);
    clickCell(planList(), 0, 0);
    clickCell(channelList(), 0, 0);
    clickCell(channelList(), 1, 0, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    const std::vector<SateChannel> copied{channelsOf(0)[0], channelsOf(0)[1]};

    clickCell(planList(), 1, 0);
    clickCell(channelList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(plans.at(1).channelCount, 4);
    const std::vector<SateChannel> pasted{channelsOf(1)[2], channelsOf(1)[3]};
    EXPECT_EQ(pasted[0].nameText(), "TP1"); // free in this plan
    EXPECT_EQ(pasted[1].nameText(), "TP4"); // TP2 is taken
    std::vector<SateChannel> renamed = fieldsOf(copied);
    renamed[1].setNameText("TP4");
    EXPECT_EQ(fieldsOf(pasted), renamed);
    EXPECT_NE(pasted[0].id, copied[0].id);
    EXPECT_EQ(channelList().selectedIds(), (std::vector<Guid>{pasted[0].id, pasted[1].id}));

    // The spreadsheet keeps the text alone.
    const QString text = QApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("TP NO\tTP Name\tEnable\tSignal Type\tFreq(MHz)")));
    EXPECT_TRUE(text.contains(QStringLiteral("\t11493.5\t")));
    QApplication::clipboard()->setText(text);
    clickCell(planList(), 0, 0);
    clickCell(channelList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(plans.at(0).channelCount, 5);
    renamed[0].setNameText("TP4");
    renamed[1].setNameText("TP5");
    EXPECT_EQ(fieldsOf(std::vector<SateChannel>{channelsOf(0)[3], channelsOf(0)[4]}), renamed);
}

// A text that fails a rule pastes nothing and says where and why.
TEST_F(ListEditingTest, FailedPasteNamesRowColumnAndRule)
{
    open(1, 0);
    clickCell(planList(), 0, 0);
    QApplication::clipboard()->setText(QStringLiteral("Frequency\tPol\n11493\tH\n99999\tV\n"));
    channelList().setFocus();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.at(0).channelCount, 0);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kPasteFailed});
    EXPECT_EQ(prompts.messages[0].text, "Nothing is pasted: row 3, column Frequency: Between 3400MHz to 12750MHz");
    EXPECT_EQ(frame->history().stack().count(), 0);
}

// Records pasted from the editor's own JSON pass every cell rule: a plan at
// 999.5 degrees or a DVB-S TP of code rate 15 pastes nothing, and the message
// names the record and the field.
TEST_F(ListEditingTest, PastedJsonRecordsPassTheCellRules)
{
    open(1, 1);
    const auto putJson = [](const char* type, const char* json) {
        auto data = std::make_unique<QMimeData>();
        data->setData(QString::fromLatin1(type), QByteArray(json));
        QApplication::clipboard()->setMimeData(data.release());
    };
    putJson(row_clipboard::kPlansType, R"({"plans": [{"name": "Good"}, {"name": "Bad", "longitude": 999.5}]})");
    clickCell(planList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 1);

    putJson(row_clipboard::kChannelsType,
            R"({"plans": [{"channels": [{"frequency": 350000}, {"signalType": 1, "codeRate": 15}]}]})");
    clickCell(channelList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.at(0).channelCount, 1);
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kPasteRefused, msg::kPasteRefused}));
    EXPECT_EQ(prompts.messages[0].text, "Nothing is pasted: plan 2 (Bad), Longitude: between 0 to 180");
    EXPECT_EQ(prompts.messages[1].text,
              "Nothing is pasted: TP 2 (TP2), Code Rate: 15 is not one of 1/2, 2/3, 3/4, 5/6, 7/8");
    EXPECT_EQ(frame->history().stack().count(), 0);
}

// Table cells are judged as typed: a position "19.x0600" is not read as 19.06.
TEST_F(ListEditingTest, PastedPositionIsCheckedAsTyped)
{
    open(1, 0);
    QApplication::clipboard()->setText(QStringLiteral("Satellite\tPosition\nAstra\t19.x0600\n"));
    clickCell(planList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 1);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kPasteFailed});
    EXPECT_EQ(prompts.messages[0].text,
              "Nothing is pasted: row 2, column Position: not be number or not availeble chars");
}

// Rows past the room of the list or the plan are refused at once with the
// limit's message, 150,000 of them as two: counted before any row is read,
// so that neither the unknown column for the plan list nor the first row's
// frequency is looked at.
TEST_F(ListEditingTest, PastingPastTheLimitsIsRefusedAtOnce)
{
    open(253, 99);
    QString rows = QStringLiteral("Freq\n99999\n");
    for (int i = 0; i < 150000; ++i)
        rows += QStringLiteral("11493\n");
    QApplication::clipboard()->setText(rows);
    clickCell(planList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    clickCell(channelList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kMaxPlans, msg::kMaxTps}));

    QApplication::clipboard()->setText(QStringLiteral("Freq\n11493\n"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.at(0).channelCount, 100);
    QApplication::clipboard()->setText(QStringLiteral("Position\n1\n2\n"));
    clickCell(planList(), 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 255);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 255);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kMaxPlans, msg::kMaxTps, msg::kMaxPlans}));
}

// A duplicate passes the same rules: a plan read with a position past 180
// degrees is not duplicated.
TEST_F(ListEditingTest, DuplicatedRecordsPassTheCellRules)
{
    open(2, 1);
    plans.at(1).longitude = 200.0F;
    frame->planPane().RefreshPlanList();
    clickCell(planList(), 1, 0);
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 2);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kDuplicateRefused});
    EXPECT_EQ(prompts.messages[0].text, "Nothing is duplicated: plan 1 (Plan2), Longitude: between 0 to 180");
}

// A pasted name a record cannot hold as given becomes "??", which no typed
// name may be: nothing is pasted, and the message names the record.
TEST_F(ListEditingTest, PastedNamesThatCannotBeHeldAreRefused)
{
    open(1, 0);
    clickCell(planList(), 0, 0);
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(row_clipboard::kPlansType),
                  QByteArrayLiteral(R"({"plans": [{"name": "\u536b\u661f"}, {"name": "Fine"}]})"));
    QApplication::clipboard()->setMimeData(data.release());
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 1);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kPasteRefused});
    EXPECT_EQ(prompts.messages[0].text,
              "Nothing is pasted: plan 1 (?\?), Plan Name: not be number or not availeble chars");
}

// Plans copied and pasted, cut and duplicated: fresh ids, free names, one
// step each.
TEST_F(ListEditingTest, PlansCopyPasteCutAndDuplicate)
{
    open(2, 2);
    clickCell(planList(), 0, 0);
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(plans.count(), 3);
    EXPECT_EQ(plans.at(2).nameText(), "Plan3");
    EXPECT_NE(plans.at(2).id, plans.at(0).id);
    EXPECT_EQ(plans.at(2).channelCount, 2);
    key(Qt::Key_D, Qt::ControlModifier); // the pasted plan, now selected
    ASSERT_EQ(plans.count(), 4);
    EXPECT_EQ(plans.at(3).nameText(), "Plan4");
    clickCell(planList(), 1, 0);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 3);
    EXPECT_EQ(frame->history().stack().count(), 3);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 4);
    EXPECT_EQ(plans.at(1).nameText(), "Plan2");
}

// The Delete key deletes the selected rows after the question of Delete CH;
// the current row alone is no selection.
TEST_F(ListEditingTest, DeleteKeyAsksAndDeletesTheSelectedRowsOnly)
{
    open(1, 3);
    clickCell(planList(), 0, 0);
    clickCell(channelList(), 1, 0);
    prompts.answers = {false, true};
    key(Qt::Key_Delete);
    EXPECT_EQ(plans.at(0).channelCount, 3);
    key(Qt::Key_Delete);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kConfirmDeleteTps, msg::kConfirmDeleteTps}));
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP1", "TP3"}));
    clickCell(channelList(), 0, 0);
    clickCell(channelList(), 0, 0, Qt::ControlModifier);
    ASSERT_TRUE(channelList().selectedIds().empty());
    ASSERT_EQ(channelList().currentRow(), 0);
    key(Qt::Key_Delete);
    EXPECT_EQ(prompts.messages.size(), 2U);
    EXPECT_EQ(plans.at(0).channelCount, 2);
}

// Ctrl+D puts the copies after the last selected row, in the order shown, and
// leaves the current cell on an editable column.
TEST_F(ListEditingTest, DuplicatesGoAfterTheLastSelectedRow)
{
    open(1, 4);
    clickCell(planList(), 0, 0);
    clickCell(channelList(), 0, 0);
    clickCell(channelList(), 2, 0, Qt::ControlModifier);
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP1", "TP2", "TP3", "TP5", "TP6", "TP4"}));
    EXPECT_EQ(channelList().selectedIds(), (std::vector<Guid>{channelsOf(0)[3].id, channelsOf(0)[4].id}));
    EXPECT_EQ(channelList().currentRow(), 3);
    EXPECT_EQ(channelList().currentColumn(), channel_column::kName);
    key(Qt::Key_Return);
    EXPECT_NE(channelList().openEdit(), nullptr);
}

// A sorted list goes back to record order before its rows move; the moved
// rows stay selected and each move is one step.
TEST_F(ListEditingTest, MovingShowsRecordOrderFirstAndKeepsTheSelection)
{
    open(1, 4);
    clickCell(planList(), 0, 0);
    clickHeader(channelList(), 1);
    clickHeader(channelList(), 1); // TP4, TP3, TP2, TP1
    clickCell(channelList(), 1, 0);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP1", "TP2", "TP4", "TP3"}));
    EXPECT_FALSE(channelList().horizontalHeader()->isSortIndicatorShown());
    EXPECT_EQ(channelList().selectedIds(), std::vector<Guid>{plans.at(0).usedChannels()[3].id});
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP1", "TP3", "TP2", "TP4"}));
    EXPECT_EQ(frame->history().stack().count(), 3);

    const std::unique_ptr<QMimeData> rows = channelList().draggedRows();
    EXPECT_TRUE(dropOnList(channelList(), *rows, QPoint(5, channelList().viewport()->height() - 2)));
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP1", "TP2", "TP4", "TP3"}));
    EXPECT_EQ(frame->history().stack().count(), 4);
}

TEST_F(ListEditingTest, DuplicateTpsAreMarkedAndRemovedAfterAsking)
{
    open(1, 4);
    plans.at(0).usedChannels()[2].frequency = 350050; // within 1 MHz of TP1 and TP2
    plans.at(0).usedChannels()[3].frequency = 1149300;
    clickCell(planList(), 0, 0);
    EXPECT_EQ(tip(1, 4).toStdString(),
              "The same TP as TP 1 (TP1): the same polarization, frequencies less than 1 MHz apart");
    EXPECT_TRUE(tip(3, 4).isEmpty());
    prompts.answers = {true};
    press(cmd::kRemoveDuplicates);
    EXPECT_EQ(prompts.messages.back().text, "Confirm to remove the 2 duplicate TP(s)?");
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP1", "TP4"}));
    press(cmd::kRemoveDuplicates);
    EXPECT_EQ(prompts.messageIds().back(), msg::kNoDuplicates);
    EXPECT_EQ(frame->history().stack().count(), 1);
}

// A marked row shows black text on light orange in every cell; the marks are
// built with the rows, travel with a sort and come back with an undo.
TEST_F(ListEditingTest, MarksTravelWithSortsAndComeBackWithUndo)
{
    open(1, 3);
    plans.at(0).usedChannels()[0].frequency = 1149300;
    plans.at(0).usedChannels()[2].frequency = 350050; // within 1 MHz of TP2
    clickCell(planList(), 0, 0);
    const auto marked = [this](const QString& name) {
        const int row = static_cast<int>(columnTexts(channelList(), 1).indexOf(name));
        bool all = true;
        for (int column = 0; column < channelList().model()->columnCount(); ++column) {
            const QModelIndex cell = channelList().model()->index(row, column);
            all = all && cell.data(Qt::BackgroundRole).value<QBrush>().color() == QColor(255, 214, 160) &&
                  cell.data(Qt::ForegroundRole).value<QBrush>().color() == QColor(Qt::black) &&
                  !cell.data(Qt::ToolTipRole).toString().isEmpty();
        }
        return all;
    };
    EXPECT_TRUE(marked(QStringLiteral("TP3")));
    EXPECT_FALSE(marked(QStringLiteral("TP1")));
    EXPECT_FALSE(channelList().model()->index(0, 1).data(Qt::BackgroundRole).isValid());

    clickHeader(channelList(), channel_column::kFrequency);
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP2", "TP3", "TP1"}));
    EXPECT_TRUE(marked(QStringLiteral("TP3")));
    EXPECT_FALSE(marked(QStringLiteral("TP2")));

    editCell(channelList(), 0, channel_column::kName, QStringLiteral("X"));
    EXPECT_EQ(frame->history().stack().count(), 1);
    frame->history().stack().undo();
    EXPECT_EQ(columnTexts(channelList(), 1), textList({"TP2", "TP3", "TP1"}));
    EXPECT_TRUE(marked(QStringLiteral("TP3")));
    EXPECT_FALSE(marked(QStringLiteral("TP1")));
}

// A right click opens the pane's menu; its items are the pane's commands.
TEST_F(ListEditingTest, ContextMenuOffersThePaneCommands)
{
    open(1, 1);
    const QRect cell = planList().visualRect(planList().model()->index(0, 1));
    QTest::mouseClick(planList().viewport(), Qt::RightButton, {}, cell.center());
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, cell.center(),
                                planList().viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(planList().viewport(), &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList labels;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            labels.append(action->text());
    EXPECT_EQ(labels, textList({"Add Plan", "Cut", "Copy", "Paste", "Duplicate", "Delete", "Move Up", "Move Down",
                                "Select All", "Find"}));
    QAction* duplicate = menu->actions().at(5);
    ASSERT_EQ(duplicate->text(), QStringLiteral("Duplicate"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(duplicate).center());
    EXPECT_EQ(plans.count(), 2);
}

TEST_F(ListEditingTest, FindFiltersTheFocusedListAndCommandsSkipHiddenRows)
{
    open(3, 0);
    clickCell(planList(), 0, 0);
    key(Qt::Key_F, Qt::ControlModifier);
    type("n2");
    key(Qt::Key_Return);
    EXPECT_EQ(focus(), &planList());
    press(cmd::kSelectAllPlans);
    EXPECT_EQ(frame->planPane().checkedPlanIds(), std::vector<Guid>{plans.at(1).id});
    prompts.answers = {true};
    press(cmd::kPlanDelete);
    EXPECT_EQ(plans.count(), 2);
}
