#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/rules/model_checks.h"
#include "e2e/child_process.h"
#include "e2e/editor_steps.h"
#include "e2e/editor_views.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// One plan at 19.25E with LNB 9750.50/10600.75 MHz and three TPs whose values
// no cell text shows exactly: 11778.50 MHz at 27.500 MS/s DVB-S 3/4, 8PSK 2/3
// on DVB-S2, and a TV TP.
PlanList exactPlans()
{
    PlanList plans;
    CComonOrbitune plan = makePlan("Astra", 3);
    plan.longitude = 19.25F;
    plan.lnbLow = 975050;
    plan.lnbHigh = 1060075;
    SateChannel& s = plan.channels[0];
    s.frequency = 1177850;
    s.symbolRate = 27500;
    s.bandwidth = 3712;
    s.codeRate = 2;
    SateChannel& s2 = plan.channels[1];
    s2.signalType = 2;
    s2.modulation = 0;
    s2.codeRate = 14;
    s2.frequency = 1191450;
    plan.channels[2].signalType = 0;
    plans.append(plan);
    return plans;
}

struct Fixture {
    EditorSession editor;
    std::filesystem::path file;
    PlanList written = exactPlans();

    bool start()
    {
        file = editor.folder().file("exact.gnr");
        return editor.failure().empty() && writeGeneralFile(file, allPlans(written)).ok() &&
               editor.start({.files = {file.string()}});
    }
    // The plans the editor saves now, read back.
    PlanList saved()
    {
        const auto out = editor.folder().file("saved.gnr");
        PlanList read;
        EXPECT_TRUE(steps::saveAllAsGeneral(editor, out));
        EXPECT_FALSE(readGeneralFile(out, read).error);
        return read;
    }
};

void expectSameRecords(const PlanList& a, const PlanList& b)
{
    ASSERT_EQ(a.count(), b.count());
    for (int i = 0; i < a.count(); ++i) {
        EXPECT_EQ(a.at(i).longitude, b.at(i).longitude);
        EXPECT_EQ(a.at(i).lnbLow, b.at(i).lnbLow);
        EXPECT_EQ(a.at(i).lnbHigh, b.at(i).lnbHigh);
        for (std::size_t j = 0; j < a.at(i).usedChannels().size(); ++j)
            EXPECT_EQ(a.at(i).channels[j], b.at(i).channels[j]) << "TP " << j + 1;
    }
}

// Shows the first plan's TPs.
void showTps(const EditorSession& editor)
{
    ASSERT_TRUE(steps::clickPlanCell(editor, 0, "Plan Name"));
    ASSERT_TRUE(editor.waitFor("table cell", "TP1"));
}

// Opens the in-place editor of a TP cell: a click selects the row, a second
// click on the selected row's cell edits it.
void editTpCell(const EditorSession& editor, std::size_t row, const std::string& header)
{
    showTps(editor);
    ASSERT_TRUE(steps::clickTpCell(editor, row, header));
    ASSERT_TRUE(steps::clickTpCell(editor, row, header));
}

TEST(ListEditingE2e, TabbingThroughEveryCellOfATpChangesNothing)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    editTpCell(f.editor, 0, "TP Name");
    for (int i = 0; i < 12; ++i)
        f.editor.input().key("Tab");
    f.editor.input().key("Escape");
    EXPECT_FALSE(f.editor.messageText(std::chrono::seconds(1)));
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr - Orbitune");
    expectSameRecords(f.saved(), f.written);
}

TEST(ListEditingE2e, EscapeOnASignalTypeKeepsTheCodeRate)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    for (std::size_t row : {0U, 1U}) {
        editTpCell(f.editor, row, "Signal Type");
        f.editor.input().key("Escape");
    }
    const auto tps = tpList(f.editor.windows());
    ASSERT_TRUE(tps);
    EXPECT_EQ(tps->text(0, "Code Rate"), "3/4");
    EXPECT_EQ(tps->text(1, "Code Rate"), "2/3");
    EXPECT_EQ(tps->text(1, "Modulation"), "8PSK");
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr - Orbitune");
}

TEST(ListEditingE2e, TabbingThroughAPlanKeepsItsDecimals)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    ASSERT_TRUE(steps::clickPlanCell(f.editor, 0, "Plan Name"));
    ASSERT_TRUE(steps::clickPlanCell(f.editor, 0, "Plan Name"));
    for (int i = 0; i < 5; ++i)
        f.editor.input().key("Tab");
    f.editor.input().key("Escape");
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr - Orbitune");
    expectSameRecords(f.saved(), f.written);
}

TEST(ListEditingE2e, ARefusedCellLeavesTheNextDropDownItsChoices)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    editTpCell(f.editor, 0, "TP Name");
    f.editor.input().key("End");
    f.editor.input().type("TOOLONGNAME");
    f.editor.input().key("Tab");
    EXPECT_EQ(steps::answerMessage(f.editor), "not more than 8 chars");
    // Back in the window, Tab leaves the Enable drop-down as it was.
    f.editor.input().key("Tab");
    f.editor.input().key("Escape");
    const auto tps = tpList(f.editor.windows());
    ASSERT_TRUE(tps);
    EXPECT_EQ(tps->text(0, "Enable"), "Enable");
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr - Orbitune");
}

TEST(ListEditingE2e, AnEditThatRefreshesThePaneKeepsTheCurrentRow)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    editTpCell(f.editor, 1, "Signal Type");
    f.editor.input().key("Up"); // DVB_S2 -> DVB_S
    f.editor.input().key("Return");
    ASSERT_TRUE(f.editor.waitFor([](const AccessibleNode& n) { return n.role == "table cell" && n.name == "DVB_S"; }));
    f.editor.input().key("Return"); // edits the current cell
    f.editor.input().key("Escape");
    const auto tps = tpList(f.editor.windows());
    ASSERT_TRUE(tps);
    const auto focused = [&](std::size_t row) {
        return std::any_of(tps->rows[row].begin(), tps->rows[row].end(),
                           [](const AccessibleNode& c) { return c.focused; });
    };
    EXPECT_TRUE(focused(1));
    EXPECT_FALSE(focused(0));
}

TEST(ListEditingE2e, DeleteWithNoRowSelectedDeletesNothing)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    showTps(f.editor);
    ASSERT_TRUE(steps::clickTpCell(f.editor, 1, "TP NO"));
    // Ctrl+click takes the row out of the selection; it stays the current row.
    f.editor.input().key("ctrl+space");
    f.editor.input().key("Delete");
    EXPECT_FALSE(f.editor.messageText(std::chrono::seconds(2)));
    const auto tps = tpList(f.editor.windows());
    ASSERT_TRUE(tps);
    EXPECT_EQ(tps->rows.size(), 3U);
}

TEST(ListEditingE2e, ARowDraggedWithTheMouseMoves)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    showTps(f.editor);
    ASSERT_TRUE(steps::clickTpCell(f.editor, 2, "TP Name"));
    const auto before = tpList(f.editor.windows());
    ASSERT_TRUE(before);
    const auto& from = before->cell(2, "TP Name").rect;
    const auto& to = before->cell(0, "TP Name").rect;
    f.editor.input().drag(from.centreX(), from.centreY(), to.centreX(), to.y + 2);
    EXPECT_TRUE(f.editor.waitUntil([](const AccessibleNode& windows) {
        const auto after = tpList(windows);
        return after && !after->rows.empty() && after->text(0, "TP Name") == "TP3";
    }));
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr* - Orbitune");
}

TEST(ListEditingE2e, TheFindBoxLeavesTheLastRowVisible)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto file = editor.folder().file("many.gnr");
    ASSERT_TRUE(writeGeneralFile(file, allPlans(makePlanList(1, 60))).ok());
    ASSERT_TRUE(editor.start({.files = {file.string()}})) << editor.log();
    showTps(editor);
    ASSERT_TRUE(steps::clickTpCell(editor, 0, "TP Name"));
    editor.input().key("ctrl+End");
    editor.input().key("ctrl+f");
    const auto box = editor.waitFor([](const AccessibleNode& n) { return n.role == "text" && n.focused; });
    ASSERT_TRUE(box);
    const auto tps = tpList(editor.windows());
    ASSERT_TRUE(tps);
    const auto& last = tps->cell(59, "TP NO").rect;
    EXPECT_LE(last.y + last.height, box->rect.y) << "the find box covers TP60";
}

TEST(ListEditingE2e, KeysOfTheRibbonCommands)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    // F6 from the ribbon goes to the plan pane first; Insert adds a plan there.
    f.editor.input().key("F6");
    f.editor.input().key("Insert");
    ASSERT_TRUE(f.editor.waitFor("table cell", "Plan1"));
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr* - Orbitune");
    // Ctrl+O opens the Open dialog (after the save offer), Escape leaves it.
    f.editor.input().key("ctrl+s");
    EXPECT_TRUE(f.editor.waitFor("dialog", "File Type Select"));
    f.editor.input().key("Escape");
}

} // namespace

namespace {

// The texts of one column of the TP pane, top to bottom.
std::vector<std::string> tpColumn(const EditorSession& editor, const std::string& header)
{
    std::vector<std::string> texts;
    if (const auto tps = tpList(editor.windows()))
        for (std::size_t row = 0; row < tps->rows.size(); ++row)
            texts.push_back(tps->text(row, header));
    return texts;
}

using Texts = std::vector<std::string>;

// The pixels of a part of the screen, as the X server has them.
std::string screenPixels(const AccessibleNode::Rect& rect)
{
    return runCommand({"import", "-window", "root", "-crop",
                       std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" + std::to_string(rect.x) +
                           "+" + std::to_string(rect.y),
                       "-depth", "8", "rgb:-"});
}

// The pixels a moment later, when a repaint may have come.
std::string stablePixels(const AccessibleNode::Rect& rect)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    return screenPixels(rect);
}

} // namespace

TEST(ListEditingE2e, CtrlDPutsTheCopiesAfterTheLastSelectedRowInTheirOrder)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    showTps(f.editor);
    ASSERT_TRUE(steps::clickTpCell(f.editor, 0, "TP Name"));
    f.editor.input().key("shift+Down");
    const Texts before = tpColumn(f.editor, "Freq(MHz)");
    ASSERT_EQ(before.size(), 3U);
    f.editor.input().key("ctrl+d");
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& windows) {
        const auto tps = tpList(windows);
        return tps && tps->rows.size() == 5;
    }));
    EXPECT_EQ(tpColumn(f.editor, "Freq(MHz)"), (Texts{before[0], before[1], before[0], before[1], before[2]}));
    // The current cell is the first copy's name, which Enter edits.
    f.editor.input().key("Return");
    f.editor.input().key("ctrl+a");
    f.editor.input().type("COPYA");
    f.editor.input().key("Return");
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) {
        const Texts names = tpColumn(f.editor, "TP Name");
        return names.size() == 5 && names[2] == "COPYA";
    }));
}

TEST(ListEditingE2e, CtrlDownMovesTheSelectedTpsCtrlSSavesThemAndCtrlUpMovesThemBack)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    showTps(f.editor);
    ASSERT_TRUE(steps::clickTpCell(f.editor, 0, "TP Name"));
    f.editor.input().key("shift+Down");
    f.editor.input().key("ctrl+Down");
    ASSERT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) {
        return tpColumn(f.editor, "TP Name") == Texts{"TP3", "TP1", "TP2"};
    }));
    EXPECT_EQ(f.editor.mainTitle(), "exact.gnr* - Orbitune");

    const auto out = f.editor.folder().file("moved.gnr");
    ASSERT_TRUE(steps::saveAllAsGeneralByKeys(f.editor, out));
    PlanList read;
    ASSERT_FALSE(readGeneralFile(out, read).error);
    ASSERT_EQ(read.count(), 1);
    const CComonOrbitune& written = f.written.at(0);
    EXPECT_EQ(read.at(0).channels[0], written.channels[2]);
    EXPECT_EQ(read.at(0).channels[1], written.channels[0]);
    EXPECT_EQ(read.at(0).channels[2], written.channels[1]);

    // Back from the dialogs, the keys go to the list again.
    f.editor.input().key("ctrl+Up");
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) {
        return tpColumn(f.editor, "TP Name") == Texts{"TP1", "TP2", "TP3"};
    }));
}

TEST(ListEditingE2e, CtrlOOpensTheFileChosen)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto file = editor.folder().file("chosen.gnr");
    ASSERT_TRUE(writeGeneralFile(file, allPlans(exactPlans())).ok());
    ASSERT_TRUE(editor.start({})) << editor.log();
    editor.input().key("ctrl+o");
    ASSERT_TRUE(editor.waitFor([](const AccessibleNode& n) { return n.showing && n.role == "dialog"; }));
    editor.input().type(file.string());
    editor.input().key("Return");
    EXPECT_TRUE(editor.waitFor("table cell", "Astra"));
    EXPECT_EQ(editor.mainTitle(), "chosen.gnr - Orbitune");
}

TEST(ListEditingE2e, F6AndShiftF6GoFromTheRibbonToEachPane)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    const auto focusedPane = [&f] {
        const AccessibleNode windows = f.editor.windows();
        const auto plans = planList(windows);
        const auto tps = tpList(windows);
        return std::string(plans && plans->focused ? "plans" : "") + (tps && tps->focused ? "tps" : "");
    };
    const auto ribbonFocused = [&f] {
        return f.editor.waitFor([](const AccessibleNode& n) { return n.focused && n.role == "push button"; })
            .has_value();
    };
    f.editor.input().key("alt+h");
    ASSERT_TRUE(ribbonFocused());
    f.editor.input().key("shift+F6");
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) { return focusedPane() == "tps"; }));
    f.editor.input().key("shift+F6");
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) { return focusedPane() == "plans"; }));
    f.editor.input().key("alt+h");
    ASSERT_TRUE(ribbonFocused());
    f.editor.input().key("F6");
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) { return focusedPane() == "plans"; }));
}

TEST(ListEditingE2e, TheRibbonButtonWithTheKeyboardFocusShowsIt)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    f.editor.input().key("alt+h");
    const auto first = f.editor.waitFor([](const AccessibleNode& n) { return n.focused && n.role == "push button"; });
    ASSERT_TRUE(first);
    // The button as drawn once the focus has been painted.
    std::string focused = screenPixels(first->rect);
    for (std::string again; (again = stablePixels(first->rect)) != focused;)
        focused = again;
    ASSERT_FALSE(focused.empty());
    f.editor.input().key("Tab");
    ASSERT_TRUE(f.editor.waitFor(
        [&](const AccessibleNode& n) { return n.focused && n.role == "push button" && n.name != first->name; }));
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) { return screenPixels(first->rect) != focused; }))
        << first->name << " looks the same with and without the focus";
    f.editor.input().key("shift+Tab");
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode&) { return screenPixels(first->rect) == focused; }));
}
