#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/rules/model_checks.h"
#include "e2e/editor_steps.h"
#include "e2e/editor_views.h"
#include "support/plan_builders.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

// Plans the Q36 checks take (DVB-S TPs only, one TP at least) named Plan1,
// Plan2, ... or, with a prefix, M1, M2, ...
std::filesystem::path writePlans(const TempDir& folder, const std::string& name, int count,
                                 const std::string& prefix = {})
{
    const std::filesystem::path file = folder.file(name);
    PlanList plans = makePlanList(count, 2);
    if (!prefix.empty())
        for (int i = 0; i < plans.count(); ++i)
            plans.at(i) = makePlan(prefix + std::to_string(i + 1), 2);
    EXPECT_TRUE(writeGeneralFile(file, allPlans(plans)).ok());
    return file;
}

std::filesystem::path writeTwoPlans(const TempDir& folder)
{
    return writePlans(folder, "plans.gnr", 2);
}

// Upload from a meter that fails part way: the message names where, and the
// editor's plans, title and file stay as they were.
void expectUploadFailureKeepsPlans(const std::vector<std::string>& meterFaults, const std::string& where)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto file = writeTwoPlans(editor.folder());
    std::vector<std::string> arguments{"--preload", writePlans(editor.folder(), "meter.gnr", 5, "M").string()};
    arguments.insert(arguments.end(), meterFaults.begin(), meterFaults.end());
    SimProcess meter(arguments, editor.folder().file("meter.log"));
    ASSERT_FALSE(meter.url().empty());
    ASSERT_TRUE(editor.start({.meter = meter.url(), .files = {file.string()}})) << editor.log();

    ASSERT_TRUE(editor.clickButton("Upload"));
    const auto message = editor.messageText();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(where), std::string::npos) << *message;
    ASSERT_TRUE(editor.clickButton("OK"));
    EXPECT_EQ(steps::planNames(editor), (std::vector<std::string>{"Plan1", "Plan2"}));
    EXPECT_EQ(editor.mainTitle(), "plans.gnr - Orbitune");
}

// Selects the first plan and renames its first TP with the keys a user types.
void renameFirstTp(const EditorSession& editor, const std::string& name)
{
    const auto plans = planList(editor.windows());
    ASSERT_TRUE(plans && !plans->rows.empty());
    editor.input().click(plans->cell(0, "Plan Name"));
    const auto tps = editor.waitFor([](const AccessibleNode& n) { return n.role == "table cell" && n.name == "TP1"; });
    ASSERT_TRUE(tps);
    editor.input().click(*tps);
    editor.input().click(*tps);
    editor.input().key("End");
    editor.input().key("shift+Home");
    editor.input().type(name);
    editor.input().key("Return");
    ASSERT_TRUE(editor.waitFor("table cell", name)) << editor.windows().dump();
}

TEST(TransferE2e, ADownloadLeavesEditedPlansUnsaved)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto file = writeTwoPlans(editor.folder());
    ASSERT_TRUE(editor.start({.files = {file.string()}})) << editor.log();
    renameFirstTp(editor, "EDITED");
    EXPECT_EQ(editor.mainTitle(), "plans.gnr* - Orbitune");

    ASSERT_TRUE(editor.clickButton("Download"));
    ASSERT_TRUE(editor.waitUntilGone([](const AccessibleNode& n) { return n.role == "dialog" && n.showing; }));
    EXPECT_EQ(editor.mainTitle(), "plans.gnr* - Orbitune") << "sending plans to a meter is not saving them";

    // Closing still asks; Cancel keeps the window and the edit.
    editor.input().closeActiveWindow();
    EXPECT_EQ(editor.messageText(), "Save plan(s) in the planlist?");
    ASSERT_TRUE(editor.clickButton("Cancel"));
    EXPECT_TRUE(editor.running());
    EXPECT_TRUE(editor.waitFor("table cell", "EDITED"));

    PlanList onDisk;
    ASSERT_FALSE(readGeneralFile(file, onDisk).error);
    EXPECT_EQ(onDisk.at(0).channels[0].nameText(), "TP1");
}

TEST(TransferE2e, AnUploadThatStopsAtPlanThreeChangesNothing)
{
    // Status, plan count, then four frames a plan of two TPs: the connection
    // drops while plan 3 is read.
    expectUploadFailureKeepsPlans({"--drop-after", "11"}, "3");
}

TEST(TransferE2e, AnUploadOfAPlanCountNoListHoldsChangesNothing)
{
    expectUploadFailureKeepsPlans({"--plan-count", "200"}, "200");
}

} // namespace
