#include "device/hid_link.h"
#include "device/meter_selection.h"
#include "lists/sate_channel_list.h"
#include "model/plan_list.h"
#include "shell/app_settings.h"
#include "shell/command_ids.h"
#include "shell/main_frame.h"
#include "shell/main_ribbon.h"
#include "shell/orbitune_list.h"
#include "sim_process.h"
#include "support/list_driving.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The editor against orbitune-meter-sim over the loopback socket: plans built
// with the ribbon go down to the meter and come back up.
TEST(EditorWithMeterSim, DownloadedPlansComeBackWithUpload)
{
    TempDir dir;
    SimProcess sim({});
    ASSERT_FALSE(sim.url().empty());
    MeterSelection selection = selectMeterBackend(sim.url());
    ASSERT_TRUE(selection.backend) << selection.error;
    HidLink link(std::move(selection.backend));
    link.setReplyLimit(std::chrono::milliseconds(2000));

    PlanList plans;
    ScriptedPrompts prompts;
    AppSettings settings(QString::fromStdString(dir.file("settings.ini").string()));
    CMainFrame frame(plans, link, prompts, settings, Language::English);
    frame.resize(1000, 600);
    showActive(frame);

    auto press = [&](int command) { QTest::mouseClick(frame.ribbon().button(command), Qt::LeftButton); };
    press(cmd::kPlanAdd);
    press(cmd::kPlanAdd);
    clickCell(frame.planPane().listControl(), 0, 0);
    press(cmd::kChannelAdd);
    press(cmd::kChannelAdd);
    clickCell(frame.planPane().listControl(), 1, 0);
    press(cmd::kChannelAdd);
    editCell(frame.planPane().listControl(), 1, 1, QStringLiteral("Astra"));
    ASSERT_EQ(plans.at(0).channelCount, 2);
    ASSERT_EQ(plans.at(1).nameText(), "Astra");

    press(cmd::kDownload);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text.toStdString();

    press(cmd::kUpload);
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(0).nameText(), "Plan1");
    EXPECT_EQ(plans.at(0).channelCount, 2);
    EXPECT_EQ(plans.at(1).nameText(), "Astra");
    EXPECT_EQ(plans.at(1).channelCount, 1);
    EXPECT_EQ(frame.planPane().listControl().rowCount(), 2);
    EXPECT_EQ(frame.planPane().listControl().cellText(1, 1), QStringLiteral("Astra"));
}

} // namespace
