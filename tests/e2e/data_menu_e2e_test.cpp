#include "core/editing/table_file.h"
#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/model/value_tables.h"
#include "core/rules/model_checks.h"
#include "e2e/editor_steps.h"
#include "e2e/editor_views.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

// The plans the editor saves now, read back.
PlanList savedPlans(const EditorSession& editor)
{
    const auto out = editor.folder().file("saved.gnr");
    PlanList read;
    EXPECT_TRUE(steps::saveAllAsGeneral(editor, out));
    EXPECT_FALSE(readGeneralFile(out, read).error);
    return read;
}

bool startWith(EditorSession& editor, const PlanList& plans)
{
    const auto file = editor.folder().file("plans.gnr");
    return editor.failure().empty() && writeGeneralFile(file, allPlans(plans)).ok() &&
           editor.start({.files = {file.string()}});
}

// Shows the TPs of the plan in `row`.
void showPlan(const EditorSession& editor, std::size_t row)
{
    ASSERT_TRUE(steps::clickPlanCell(editor, row, "Plan Name"));
    ASSERT_TRUE(editor.waitFor("table cell", "TP1"));
}

bool tpRows(const EditorSession& editor, std::size_t count)
{
    return editor.waitUntil([count](const AccessibleNode& windows) {
        const auto tps = tpList(windows);
        return tps && tps->rows.size() == count;
    });
}

void expectTp(const SateChannel& tp, std::uint32_t frequency, Polarization polarization, std::int32_t symbolRate)
{
    EXPECT_EQ(tp.frequency, frequency);
    EXPECT_EQ(tp.polarization, stored(polarization));
    EXPECT_EQ(tp.symbolRate, symbolRate);
}

// A German desktop's spreadsheet writes ";" between cells, decimal commas and
// quotes around some cells.
constexpr std::string_view kGermanSheet = "\"Freq(MHz)\";\"Polarization\";\"SR(MS/s)\"\r\n"
                                          "\"10719,5\";\"V\";\"27,5\"\r\n"
                                          "11034,25;H;\"29,9\"\r\n";

TEST(DataMenuE2e, ImportTableByKeyboardTakesAGermanSpreadsheet)
{
    EditorSession editor;
    ASSERT_TRUE(startWith(editor, makePlanList(1, 2))) << editor.log();
    const auto sheet = editor.folder().file("sheet.csv");
    std::ofstream(sheet) << kGermanSheet;
    showPlan(editor, 0);

    ASSERT_TRUE(steps::dataMenuCommand(editor, "Import Table...")) << editor.windows().dump();
    ASSERT_TRUE(steps::chooseFile(editor, "Import Table...", sheet)) << editor.windows().dump();
    ASSERT_TRUE(tpRows(editor, 4)) << editor.windows().dump();
    EXPECT_FALSE(editor.messageText(std::chrono::seconds(1)));

    const PlanList saved = savedPlans(editor);
    ASSERT_EQ(saved.count(), 1);
    ASSERT_EQ(saved.at(0).channelCount, 4);
    expectTp(saved.at(0).channels[2], 1071950, Polarization::VertRight, 27500);
    expectTp(saved.at(0).channels[3], 1103425, Polarization::HorizLeft, 29900);
}

TEST(DataMenuE2e, ExportTableOfTickedPlansReadsBackTheSame)
{
    EditorSession editor;
    PlanList plans = makePlanList(2, 2);
    plans.at(0).channels[0].frequency = 1149375;
    plans.at(0).channels[1].symbolRate = 27500;
    plans.at(1).channels[1].polarization = stored(Polarization::VertRight);
    plans.at(1).channels[1].frequency = 1260401;
    ASSERT_TRUE(startWith(editor, plans)) << editor.log();

    // Both plans ticked with Space.
    ASSERT_TRUE(steps::clickPlanCell(editor, 0, "Plan ID"));
    editor.input().key("space");
    editor.input().key("Down");
    editor.input().key("space");
    const auto table = editor.folder().file("tps.csv");
    ASSERT_TRUE(steps::dataMenuCommand(editor, "Export Table..."));
    ASSERT_TRUE(steps::chooseFile(editor, "Export Table...", table)) << editor.windows().dump();
    ASSERT_TRUE(editor.waitUntil([&](const AccessibleNode&) { return std::filesystem::exists(table); }));

    const TableFileTps read = tableFileTps(table, CComonOrbitune::kTpLimit, Language::English);
    ASSERT_FALSE(read.failure) << noticeText(*read.failure, Language::English);
    ASSERT_EQ(read.tps.size(), 4U);
    for (std::size_t i = 0; i < read.tps.size(); ++i) {
        const SateChannel& had = plans.at(static_cast<int>(i / 2)).channels[i % 2];
        SateChannel tp = read.tps[i];
        tp.id = had.id;
        tp.number = had.number;
        EXPECT_EQ(tp, had) << "TP " << i;
    }
}

// A plan made by hand a year ago, against today's scan file of its satellite:
// 11000 H is gone, 11494 H has another symbol rate, 12000 V is new.
TEST(DataMenuE2e, UpdateFromSourceShowsTakesAndUndoesTheDifferences)
{
    EditorSession editor;
    PlanList plans;
    CComonOrbitune old = makePlan("Astra1L", 2);
    old.longitude = 19.2F;
    old.isEast = 1;
    for (const auto& [tp, frequency] : {std::pair{0, 1100000U}, std::pair{1, 1149400U}}) {
        old.channels[tp].frequency = frequency;
        old.channels[tp].symbolRate = 27500;
        old.channels[tp].codeRate = 2; // 3/4
    }
    plans.append(old);
    ASSERT_TRUE(startWith(editor, plans)) << editor.log();
    const auto scan = editor.folder().file("Astra-19.2E");
    std::ofstream(scan) << "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11494000\n\tPOLARIZATION = HORIZONTAL\n"
                           "\tSYMBOL_RATE = 22000000\n\tINNER_FEC = 3/4\n\tMODULATION = QPSK\n\tINVERSION = AUTO\n"
                           "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 12000000\n\tPOLARIZATION = VERTICAL\n"
                           "\tSYMBOL_RATE = 27500000\n\tINNER_FEC = 3/4\n\tMODULATION = QPSK\n\tINVERSION = AUTO\n";
    showPlan(editor, 0);

    ASSERT_TRUE(steps::dataMenuCommand(editor, "Update from Source..."));
    ASSERT_TRUE(steps::dialogTitled(editor, "Update from Source"));
    ASSERT_TRUE(editor.clickButton("File..."));
    ASSERT_TRUE(steps::chooseFile(editor, "Update from Source", scan)) << editor.windows().dump();
    const auto named = [](const std::string& text) {
        return [text](const AccessibleNode& n) { return n.showing && n.name == text; };
    };
    ASSERT_TRUE(editor.waitFor(named("Astra1L (19.2E) from Astra 19.2E: 1 added, 1 removed, 1 changed"),
                               std::chrono::seconds(60)))
        << editor.windows().dump();
    ASSERT_TRUE(editor.waitFor(named("~ 11494 H 22000: SR(MS/s) 27.500 > 22.000")));
    ASSERT_TRUE(editor.waitFor(named("+ 12000 V 27500")));
    // The removal is left out: its tick taken off with Space.
    const auto removal = editor.waitFor(named("- 11000 H 27500"));
    ASSERT_TRUE(removal);
    editor.input().click(*removal);
    editor.input().key("space");
    ASSERT_TRUE(editor.waitFor([&](const AccessibleNode& n) { return named("- 11000 H 27500")(n) && !n.checked; }))
        << editor.windows().dump();
    ASSERT_TRUE(editor.clickButton("Update"));
    ASSERT_TRUE(editor.waitUntilGone(
        [](const AccessibleNode& n) { return n.showing && n.role == "dialog" && n.name == "Update from Source"; }));

    ASSERT_TRUE(tpRows(editor, 3)) << editor.windows().dump();
    const auto tps = tpList(editor.windows());
    ASSERT_TRUE(tps);
    EXPECT_EQ(tps->text(0, "Freq(MHz)"), "11000");
    EXPECT_EQ(tps->text(1, "SR(MS/s)"), "22.000");
    EXPECT_EQ(tps->text(2, "Freq(MHz)"), "12000");
    EXPECT_EQ(editor.mainTitle(), "plans.gnr* - Orbitune");

    // One Ctrl+Z takes the whole update back.
    editor.input().key("ctrl+z");
    ASSERT_TRUE(tpRows(editor, 2)) << editor.windows().dump();
    const PlanList saved = savedPlans(editor);
    ASSERT_EQ(saved.count(), 1);
    ASSERT_EQ(saved.at(0).channelCount, 2);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(saved.at(0).channels[i], old.channels[i]) << "TP " << i + 1;
}

TEST(DataMenuE2e, ASpreadsheetTablePastedIntoTheTpPaneIsTaken)
{
    EditorSession editor;
    ASSERT_TRUE(startWith(editor, makePlanList(1, 2))) << editor.log();
    const auto sheet = editor.folder().file("copied.txt");
    std::ofstream(sheet) << kGermanSheet;
    int status = -1;
    // xclip stays behind to serve the clipboard; its output goes nowhere so
    // that it does not hold the pipe this process reads to its end.
    runCommand({"sh", "-c", R"(xclip -selection clipboard -t text/plain -i "$1" >/dev/null)", "sh", sheet.string()},
               &status);
    ASSERT_EQ(status, 0);
    showPlan(editor, 0);
    ASSERT_TRUE(steps::clickTpCell(editor, 1, "TP NO"));
    editor.input().key("ctrl+v");
    ASSERT_TRUE(tpRows(editor, 4)) << editor.windows().dump();

    const PlanList saved = savedPlans(editor);
    ASSERT_EQ(saved.count(), 1);
    ASSERT_EQ(saved.at(0).channelCount, 4);
    expectTp(saved.at(0).channels[2], 1071950, Polarization::VertRight, 27500);
    expectTp(saved.at(0).channels[3], 1103425, Polarization::HorizLeft, 29900);
}

// Twelve DVB-S TPs of 19.2E, three in each band and polarization.
constexpr std::string_view kAstra = R"(<satellites><sat name="Astra 19.2E" position="192">
  <transponder frequency="10744000" symbol_rate="22000000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="10773000" symbol_rate="22000000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="10832000" symbol_rate="22000000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="10758000" symbol_rate="22000000" polarization="1" fec_inner="3" system="0"/>
  <transponder frequency="10788000" symbol_rate="22000000" polarization="1" fec_inner="3" system="0"/>
  <transponder frequency="10817000" symbol_rate="22000000" polarization="1" fec_inner="3" system="0"/>
  <transponder frequency="11778000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="11836000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="11914000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="11798000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0"/>
  <transponder frequency="11856000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0"/>
  <transponder frequency="11953000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0"/>
</sat></satellites>)";

// The ribbon's Type set to its empty entry (General) with the keys.
void typeGeneral(const EditorSession& editor)
{
    const auto type =
        editor.waitFor([](const AccessibleNode& n) { return n.showing && n.role == "combo box" && n.name == "Q36"; });
    ASSERT_TRUE(type) << editor.windows().dump();
    editor.input().click(type->rect.x + 8, type->rect.centreY());
    editor.input().key("Down");
    editor.input().key("Down");
    ASSERT_TRUE(editor.waitUntilGone(
        [](const AccessibleNode& n) { return n.showing && n.role == "combo box" && n.name == "Q36"; }));
}

// The Import dialog's Model drop-down, as it shows now.
std::optional<AccessibleNode> importModel(const EditorSession& editor)
{
    const auto dialog = steps::dialogTitled(editor, "Import Plans");
    if (!dialog)
        return std::nullopt;
    const AccessibleNode* combo =
        dialog->find([](const AccessibleNode& n) { return n.showing && n.role == "combo box"; });
    return combo != nullptr ? std::optional(*combo) : std::nullopt;
}

TEST(DataMenuE2e, ImportForTheQ36AndTheModelKeptAfterARestart)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto source = editor.folder().file("satellites.xml");
    std::ofstream(source) << kAstra;
    ASSERT_TRUE(editor.start({})) << editor.log();
    typeGeneral(editor);

    ASSERT_TRUE(editor.clickButton("Import"));
    auto model = importModel(editor);
    ASSERT_TRUE(model) << editor.windows().dump();
    EXPECT_EQ(model->name, "General");
    // The drop-down's list pops up at General; two steps down is the Q36.
    const int before = editor.shownWindowCount();
    editor.input().click(*model);
    ASSERT_TRUE(editor.waitForMoreWindowsThan(before));
    editor.input().key("Down");
    editor.input().key("Down");
    editor.input().key("Return");
    ASSERT_TRUE(editor.waitUntil([&](const AccessibleNode&) {
        const auto now = importModel(editor);
        return now && now->name == "Q36";
    }));

    ASSERT_TRUE(editor.clickButton("File..."));
    ASSERT_TRUE(steps::chooseFile(editor, "Import Plans", source)) << editor.windows().dump();
    const auto position =
        editor.waitFor([](const AccessibleNode& n) { return n.showing && n.role == "table cell" && n.name == "19.2E"; },
                       std::chrono::seconds(60));
    ASSERT_TRUE(position) << editor.windows().dump();
    const auto name = editor.waitFor("table cell", "Astra 19.2E");
    ASSERT_TRUE(name);
    // The row made current by its name, the tick of its first cell set with Space.
    editor.input().click(*name);
    editor.input().key("Left");
    editor.input().key("space");
    const auto importButton = [](const AccessibleNode& n) {
        return n.showing && n.enabled && n.role == "push button" && n.name == "Import";
    };
    ASSERT_TRUE(editor.waitFor([](const AccessibleNode& n) {
        return n.showing && n.role == "table cell" && n.name == "19.2E" && n.checked;
    })) << editor.windows().dump();
    const auto dialog = steps::dialogTitled(editor, "Import Plans");
    ASSERT_TRUE(dialog);
    const AccessibleNode* button = dialog->find(importButton);
    ASSERT_NE(button, nullptr) << dialog->dump();
    editor.input().click(*button);
    ASSERT_TRUE(editor.waitUntilGone(
        [](const AccessibleNode& n) { return n.showing && n.role == "dialog" && n.name == "Import Plans"; }));
    ASSERT_TRUE(editor.waitUntil([](const AccessibleNode& windows) {
        const auto plans = planList(windows);
        return plans && plans->rows.size() == 1;
    }));

    const PlanList saved = savedPlans(editor);
    ASSERT_EQ(saved.count(), 1);
    const CComonOrbitune& plan = saved.at(0);
    EXPECT_EQ(plan.nameText(), "Astra");
    ASSERT_EQ(plan.channelCount, limitsOf(MeterModel::Q36).maxTps);
    // Every band and polarization of a universal LNB has a TP.
    for (const bool high : {false, true})
        for (const Polarization polarization : {Polarization::HorizLeft, Polarization::VertRight})
            EXPECT_TRUE(std::ranges::any_of(plan.usedChannels(),
                                            [&](const SateChannel& tp) {
                                                return (tp.frequency >= 1170000) == high &&
                                                       tp.polarization == stored(polarization);
                                            }))
                << (high ? "high " : "low ") << stored(polarization);

    // The next run, under the same Type, starts the Import dialog at the Q36.
    editor.input().closeActiveWindow();
    ASSERT_EQ(editor.waitForExit(), 0) << editor.log();
    ASSERT_TRUE(editor.start({})) << editor.log();
    typeGeneral(editor);
    ASSERT_TRUE(editor.clickButton("Import"));
    model = importModel(editor);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->name, "Q36");
    editor.input().key("Escape");
}

} // namespace
