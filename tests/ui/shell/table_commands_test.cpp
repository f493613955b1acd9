#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/plan_history.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include <memory>

// Export Table writes the shown plan's TPs; Import Table reads them into
// another plan, the same values under free names, as one step; a table with
// the wrong separator is named as such and changes nothing.
TEST(TableCommands, ExportedTpsImportIntoAnotherPlanAsOneStep)
{
    TempDir dir;
    PlanList plans = makePlanList(2, 3);
    plans.at(0).channels[0].frequency = 1149375;
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    AppSettings settings{QString::fromStdString(dir.file("settings.ini").string())};
    CMainFrame frame(plans, link, prompts, settings, Language::English);
    frame.resize(1400, 600);
    showActive(frame);
    frame.planPane().RefreshPlanList();

    frame.onCommand(cmd::kExportTable);
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kNoPlanChosen});
    clickCell(frame.planPane().listControl(), 0, 0);
    const std::string table = dir.file("tps.csv").string();
    prompts.saveFiles.push_back(table);
    frame.onCommand(cmd::kExportTable);
    EXPECT_TRUE(readBytes(table).size() > 0);

    clickCell(frame.planPane().listControl(), 1, 0);
    prompts.openFiles.push_back({table});
    frame.onCommand(cmd::kImportTable);
    ASSERT_EQ(plans.at(1).channelCount, 6);
    SateChannel imported = plans.at(1).channels[3];
    EXPECT_EQ(imported.nameText(), "TP4");
    imported.id = plans.at(0).channels[0].id;
    imported.number = plans.at(0).channels[0].number;
    imported.setNameText("TP1");
    EXPECT_EQ(imported, plans.at(0).channels[0]);
    EXPECT_EQ(frame.history().stack().count(), 1);
    frame.history().stack().undo();
    EXPECT_EQ(plans.at(1).channelCount, 3);

    const std::string_view piped = "Freq|Pol|SR\n11493|H|22000\n";
    writeBytes(dir.file("piped.csv"), {piped.begin(), piped.end()});
    prompts.openFiles.push_back({dir.file("piped.csv").string()});
    frame.onCommand(cmd::kImportTable);
    EXPECT_EQ(plans.at(1).channelCount, 3);
    EXPECT_EQ(prompts.messages.back().text,
              "Nothing is imported from " + dir.file("piped.csv").string() +
                  ": The header row separates its cells by \"|\": a table separates them by Tab, \";\" or \",\"");
}
