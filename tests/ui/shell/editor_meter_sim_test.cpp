#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "support/comma_locale.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/autosave.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/plan_history.h"
#include "ui/shell/recovery_file.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The editor's main window against orbitune-meter-sim over the loopback
// socket, the meter logging every frame it receives into a file.
class EditorWithMeterSim : public ::testing::Test {
protected:
    // Starts the meter with `arguments`, then the editor.
    void start(const std::vector<std::string>& arguments = {})
    {
        sim = std::make_unique<SimProcess>(arguments, dir.file("meter.log"));
        ASSERT_FALSE(sim->url().empty());
        MeterSelection selection = selectMeterBackend(sim->url());
        ASSERT_TRUE(selection.backend) << selection.error;
        link = std::make_unique<HidLink>(std::move(selection.backend));
        link->setReplyLimit(std::chrono::milliseconds(2000));
        frame = std::make_unique<CMainFrame>(plans, *link, prompts, settings, Language::English);
        frame->resize(1000, 600);
        showActive(*frame);
    }

    void press(int command) { QTest::mouseClick(frame->ribbon().button(command), Qt::LeftButton); }
    CSortComboListCtrl& planList() { return frame->planPane().listControl(); }

    TempDir dir;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<HidLink> link;
    PlanList plans;
    ScriptedPrompts prompts;
    AppSettings settings{QString::fromStdString(dir.file("settings.ini").string())};
    RecoveryFile recovery{QString::fromStdString(dir.file("recovery").string())};
    std::unique_ptr<CMainFrame> frame;
};

// Plans built with the ribbon go down to the meter and come back up.
TEST_F(EditorWithMeterSim, DownloadedPlansComeBackWithUpload)
{
    ASSERT_NO_FATAL_FAILURE(start());
    press(cmd::kPlanAdd);
    press(cmd::kPlanAdd);
    clickCell(planList(), 0, 0);
    press(cmd::kChannelAdd);
    press(cmd::kChannelAdd);
    clickCell(planList(), 1, 0);
    press(cmd::kChannelAdd);
    editCell(planList(), 1, 1, QStringLiteral("Astra"));
    ASSERT_EQ(plans.at(0).channelCount, 2);
    ASSERT_EQ(plans.at(1).nameText(), "Astra");

    press(cmd::kDownload);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
    EXPECT_TRUE(frame->isWindowModified());

    // The plans are still unsaved, so Upload asks first. The meter's plans
    // are held by no file: they come in unsaved, as the new start of the steps.
    prompts.saveAnswers = {Prompts::Answer::Discard};
    press(cmd::kUpload);
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orbitune[*]"));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_EQ(frame->history().stack().count(), 0);
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(0).nameText(), "Plan1");
    EXPECT_EQ(plans.at(0).channelCount, 2);
    EXPECT_EQ(plans.at(1).nameText(), "Astra");
    EXPECT_EQ(plans.at(1).channelCount, 1);
    EXPECT_EQ(planList().rowCount(), 2);
    EXPECT_EQ(planList().cellText(1, 1), QStringLiteral("Astra"));
}

// The frames of plan write headers (code 0x67, length 0x33) in the meter's
// log, as bytes.
std::vector<std::vector<std::uint8_t>> headerFramesIn(const std::filesystem::path& log)
{
    std::vector<std::vector<std::uint8_t>> frames;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.starts_with("rx "))
            continue;
        std::istringstream hex(line.substr(3));
        std::vector<std::uint8_t> bytes;
        unsigned value = 0;
        while (hex >> std::hex >> value)
            bytes.push_back(static_cast<std::uint8_t>(value));
        if (bytes.size() > 34 && bytes[4] == 0x33 && bytes[5] == 0x67)
            frames.push_back(bytes);
    }
    return frames;
}

std::string longitudeField(const std::vector<std::uint8_t>& frame)
{
    return {frame.begin() + 27, frame.begin() + 34};
}

// On a German desktop (a comma as decimal separator) the meter still receives
// the longitudes with a point, and they come back as they were sent.
TEST_F(EditorWithMeterSim, CommaLocaleDownloadSendsLongitudesWithAPoint)
{
    const CommaLocale comma;
    ASSERT_TRUE(comma.active()) << "no German locale on this machine: run scripts/install-deps.sh";
    ASSERT_NO_FATAL_FAILURE(start());
    press(cmd::kPlanAdd);
    press(cmd::kPlanAdd);
    for (int row : {0, 1}) {
        clickCell(planList(), row, 0);
        press(cmd::kChannelAdd);
    }
    editCell(planList(), 0, 3, QStringLiteral("99.9"));
    chooseInCell(planList(), 0, 2, QStringLiteral("West"));
    editCell(planList(), 1, 3, QStringLiteral("19.2"));
    ASSERT_TRUE(prompts.messages.empty());

    press(cmd::kDownload);
    EXPECT_TRUE(prompts.messages.empty());
    prompts.saveAnswers = {Prompts::Answer::Discard};
    press(cmd::kUpload);
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    ASSERT_EQ(plans.count(), 2);
    EXPECT_FLOAT_EQ(plans.at(0).longitude, 99.9F);
    EXPECT_EQ(plans.at(0).isEast, 0);
    EXPECT_FLOAT_EQ(plans.at(1).longitude, 19.2F);
    EXPECT_EQ(planList().cellText(0, 3), QStringLiteral("99.9"));

    sim->stop();
    const auto frames = headerFramesIn(dir.file("meter.log"));
    ASSERT_EQ(frames.size(), 2U);
    EXPECT_EQ(longitudeField(frames[0]), std::string("099.9W\0", 7));
    EXPECT_EQ(longitudeField(frames[1]), std::string("019.2E\0", 7));
}

// A meter that stops answering at plan 3 of 3 changes nothing in the editor:
// the plans, the panes, the steps, the title and the recovery copy are as they
// were.
TEST_F(EditorWithMeterSim, FailedUploadChangesNothing)
{
    using namespace std::chrono_literals;
    ASSERT_TRUE(writeGeneralFile(dir.file("meter.gnr"), allPlans(makePlanList(3, 2))).ok());
    ASSERT_TRUE(writeGeneralFile(dir.file("two.gnr"), allPlans(makePlanList(2, 1))).ok());
    // Two status queries, the plan count, then plans 1 and 2 (TP count, header
    // and two TPs each) are answered.
    ASSERT_NO_FATAL_FAILURE(start({"--preload", dir.file("meter.gnr").string(), "--silent-after", "11"}));
    link->setReplyLimit(100ms);
    frame->watchUnsavedPlans(recovery);
    frame->autosave()->setTimes(1h, 1ms);
    frame->openFiles({QString::fromStdString(dir.file("two.gnr").string())});
    clickCell(planList(), 1, 0);
    press(cmd::kChannelAdd);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recovery.path()); }));
    const auto copy = readBytes(recovery.path().toStdString());
    const auto before = general_file::encode(allPlans(plans), false);
    const ListView planRows = planList().view();
    const ListView channelRows = frame->channelPane().listControl().view();
    const auto currentPlan = frame->channelPane().currentPlan();

    prompts.saveAnswers = {Prompts::Answer::Discard};
    press(cmd::kUpload);
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kSaveOffer, msg::kStoppedAtPlan}));
    EXPECT_EQ(prompts.messages[1].text, "The Device stopped answering at plan 3");
    EXPECT_TRUE(general_file::encode(allPlans(plans), false) == before);
    EXPECT_EQ(planList().view().rows, planRows.rows);
    EXPECT_EQ(planList().view().current, planRows.current);
    EXPECT_EQ(frame->channelPane().listControl().view().rows, channelRows.rows);
    EXPECT_EQ(frame->channelPane().currentPlan(), currentPlan);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("two.gnr[*] - Orbitune"));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(readBytes(recovery.path().toStdString()) == copy);
    ASSERT_EQ(frame->history().stack().count(), 1);
    press(cmd::kUndo);
    EXPECT_EQ(plans.at(1).channelCount, 1);
    EXPECT_FALSE(frame->isWindowModified());
}

} // namespace
