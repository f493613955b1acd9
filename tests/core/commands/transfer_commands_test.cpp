#include "core/commands/transfer_commands.h"
#include "core/res/string_ids.h"
#include "support/device_test_support.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace {

TEST(TransferCommands, DownloadOfAnEmptyListShowsNothing)
{
    EmulatedLink e;
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    PlanList plans;
    EXPECT_EQ(downloadPlans(plans, *e.link, prompts, runner, DeviceType::Q36Checked, kNoPause),
              TransferOutcome::NothingToSend);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(e.meter->received().size(), 2U);
}

TEST(TransferCommands, DownloadChecksComeFirst)
{
    EmulatedLink e;
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(19, 1);
    EXPECT_EQ(downloadPlans(plans, *e.link, prompts, runner, DeviceType::Q36Checked, kNoPause), std::nullopt);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kQ36MaxPlans}));
    EXPECT_TRUE(e.meter->received().empty());
}

TEST(TransferCommands, DeviceType0SkipsTheChecks)
{
    EmulatedLink e;
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(30, 1);
    EXPECT_EQ(downloadPlans(plans, *e.link, prompts, runner, DeviceType::Unchecked, kNoPause),
              TransferOutcome::Succeeded);
    EXPECT_EQ(e.meter->storedPlans().size(), 30U);
}

TEST(TransferCommands, MeterMissingGives144)
{
    EmulatedLink e;
    e.link->setIdentity(kMeterIdentities[0]);
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(1, 1);
    EXPECT_EQ(downloadPlans(plans, *e.link, prompts, runner, DeviceType::Q36Checked, kNoPause), std::nullopt);
    int cleared = 0;
    EXPECT_EQ(uploadPlans(plans, *e.link, prompts, runner, {{}, [&] { ++cleared; }, [] {}}, kNoPause), std::nullopt);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kQ36NotFound, msg::kQ36NotFound}));
    EXPECT_EQ(cleared, 0);
    EXPECT_EQ(plans.count(), 1);
}

// A meter whose device node the user may not open is no missing meter: the
// message names the node and the reason, and points to the udev rule.
TEST(TransferCommands, MeterThatCannotBeOpenedIsNamed)
{
    EmulatedLink e;
    e.backend->refuseOpen("emu:0", "Permission denied");
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(1, 1);
    EXPECT_EQ(downloadPlans(plans, *e.link, prompts, runner, DeviceType::Q36Checked, kNoPause), std::nullopt);
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kMeterNotOpened}));
    EXPECT_EQ(prompts.messages[0].text, std::string("The Q36 device emu:0 is there but can not be opened: "
                                                    "Permission denied. Install the udev rule as the README "
                                                    "describes, then plug the device in again"));
    EXPECT_TRUE(e.meter->received().empty());
}

TEST(TransferCommands, FailedPlanIsReportedAfterTheDialogCloses)
{
    EmulatedLink e;
    e.meter->faults.silentAfter = 2 + 2;
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(3, 1);
    EXPECT_EQ(downloadPlans(plans, *e.link, prompts, runner, DeviceType::Q36Checked, kNoPause),
              TransferOutcome::Failed);
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kStoppedAtPlan}));
    EXPECT_EQ(prompts.messages[0].text, std::string("The Device stopped answering at plan 2"));
    EXPECT_EQ(plans.count(), 3);
}

// An upload that fails, wherever it fails, leaves the plans and the panes as
// they were: refused by the meter's state, or cut short at plan 3 of 3.
TEST(TransferCommands, FailedUploadLeavesThePlansAndThePanes)
{
    for (const bool cutShort : {false, true}) {
        EmulatedLink e;
        e.meter->preload({makePlan("A", 2), makePlan("B", 2), makePlan("C", 2)});
        if (cutShort)
            e.meter->faults.silentAfter = 3 + 4 + 4; // status x2, plan count, plans 1 and 2
        else
            e.meter->setState(MeterState::Upgrade);
        ScriptedPrompts prompts;
        DirectRunner runner(prompts);
        auto plans = makePlanList(2, 1);
        const auto before = plans;
        int cleared = 0;
        int refreshed = 0;
        const auto outcome =
            uploadPlans(plans, *e.link, prompts, runner, {{}, [&] { ++cleared; }, [&] { ++refreshed; }}, kNoPause);
        EXPECT_EQ(outcome, cutShort ? TransferOutcome::Failed : TransferOutcome::WrongState);
        EXPECT_EQ(prompts.messageIds(),
                  (std::vector<MessageId>{cutShort ? msg::kStoppedAtPlan : msg::kNeedNormalState}));
        ASSERT_EQ(plans.count(), 2);
        EXPECT_EQ(plans.at(0), before.at(0));
        EXPECT_EQ(plans.at(1), before.at(1));
        EXPECT_EQ(cleared, 0);
        EXPECT_EQ(refreshed, 0);
    }
}

TEST(TransferCommands, UploadWithPlanCountZeroIsReported)
{
    EmulatedLink e;
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    PlanList plans;
    EXPECT_EQ(uploadPlans(plans, *e.link, prompts, runner, {{}, [] {}, [] {}}, kNoPause), TransferOutcome::Failed);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kMeterHoldsNoPlans}));
}

TEST(TransferCommands, MeterGoneBetweenCommandAndWorker)
{
    EmulatedLink e;
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(1, 1);
    // The command's open finds the meter; it is unplugged before the worker
    // looks for it.
    const auto unplug = [&] {
        e.backend->remove("emu:0");
        return true;
    };
    EXPECT_EQ(uploadPlans(plans, *e.link, prompts, runner, {unplug, [] {}, [] {}}, kNoPause),
              TransferOutcome::NotFound);
    EXPECT_EQ(plans.count(), 1);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kDeviceNotFound}));
    EXPECT_TRUE(e.meter->received().empty());
}

// Plans the user keeps are not replaced, and the meter is not asked for its own.
TEST(TransferCommands, UploadThatMayNotReplaceThePlansEndsAtOnce)
{
    EmulatedLink e;
    e.meter->preload({makePlan("A", 2)});
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(2, 1);
    int cleared = 0;
    EXPECT_EQ(uploadPlans(plans, *e.link, prompts, runner, {[] { return false; }, [&] { ++cleared; }, {}}, kNoPause),
              std::nullopt);
    EXPECT_EQ(plans.count(), 2);
    EXPECT_EQ(cleared, 0);
    EXPECT_TRUE(e.meter->received().empty());
}

TEST(TransferCommands, UploadBringsBackTheMetersPlans)
{
    EmulatedLink e;
    e.meter->preload({makePlan("A", 2), makePlan("B", 1)});
    ScriptedPrompts prompts;
    DirectRunner runner(prompts);
    auto plans = makePlanList(3, 1);
    int cleared = 0;
    int refreshed = 0;
    EXPECT_EQ(uploadPlans(plans, *e.link, prompts, runner,
                          {{}, [&] { cleared = plans.count(); }, [&] { refreshed = plans.count(); }}, kNoPause),
              TransferOutcome::Succeeded);
    EXPECT_EQ(cleared, 3);
    EXPECT_EQ(refreshed, 2);
    EXPECT_EQ(plans.at(0).nameText(), "A");
    EXPECT_TRUE(prompts.messages.empty());
}

} // namespace
