#include "core/device/firmware_upgrade.h"
#include "core/device/meter_selection.h"
#include "core/device/plan_download.h"
#include "core/device/plan_upload.h"
#include "core/device/transfer_messages.h"
#include "core/files/plan_list_file.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"
#include "support/device_test_support.h"
#include "support/plan_builders.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

std::unique_ptr<HidLink> socketLink(const std::string& url)
{
    auto selection = selectMeterBackend(url);
    EXPECT_TRUE(selection.backend) << selection.error;
    auto link = std::make_unique<HidLink>(std::move(selection.backend));
    link->setReplyLimit(std::chrono::milliseconds(2000));
    return link;
}

} // namespace

TEST(MeterSim, DownloadThenUploadOverTheSocket)
{
    TempDir dir;
    SimProcess sim({"--save-plans", dir.file("stored.gnr").string()});
    ASSERT_FALSE(sim.url().empty());
    auto link = socketLink(sim.url());
    const auto sent = makePlanList(2, 3);
    RecordingObserver o;
    ASSERT_EQ(runDownload(*link, sent, o, kNoPause), TransferOutcome::Succeeded);
    PlanList received;
    RecordingObserver u;
    ASSERT_EQ(runUpload(*link, received, u, kNoPause), TransferOutcome::Succeeded);
    ASSERT_EQ(received.count(), 2);
    EXPECT_EQ(received.at(1).nameText(), "Plan2");
    EXPECT_EQ(received.at(1).channelCount, 3);
    EXPECT_EQ(received.at(1).channels[2].nameText(), "TP3");
    link.reset();
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_EQ(readBytes(dir.file("stored.gnr")).size(), 24U + 2U * CComonOrbitune::kImageSize);
}

TEST(MeterSim, UpgradeOverTheSocketKeepsTheImage)
{
    TempDir dir;
    SimProcess sim({"--state", "upgrade", "--save-firmware", dir.file("fw.bin").string()});
    ASSERT_FALSE(sim.url().empty());
    auto link = socketLink(sim.url());
    std::vector<std::uint8_t> image(100, 0x5A);
    RecordingObserver o;
    ASSERT_EQ(runUpgrade(*link, image, o), TransferOutcome::Succeeded);
    link.reset();
    EXPECT_EQ(sim.stop(), 0);
    const auto stored = readBytes(dir.file("fw.bin"));
    ASSERT_EQ(stored.size(), 128U);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), stored.begin()));
}

TEST(MeterSim, SilentMeterLosesTheLink)
{
    SimProcess sim({"--silent-after", "1"});
    ASSERT_FALSE(sim.url().empty());
    auto link = socketLink(sim.url());
    link->setReplyLimit(std::chrono::milliseconds(50));
    EXPECT_EQ(link->queryStatus(), 1);
    EXPECT_EQ(link->queryPlanCount(), (MeterCount{MeterCount::Fault::NoReply, 0}));
    EXPECT_FALSE(link->connected());
}

TEST(MeterSim, AnnouncesItsIdentity)
{
    SimProcess sim({"--identity", "q36"});
    ASSERT_FALSE(sim.url().empty());
    auto link = socketLink(sim.url());
    EXPECT_FALSE(link->open());
    EXPECT_EQ(meterMissingMessage(link->openFailure(), msg::kQ36NotFound),
              (MeterMessage{msg::kOtherIdentity, {sim.url(), "1234:5678"}}));
    link->setIdentity(kMeterIdentities[0]);
    EXPECT_TRUE(link->open());
    EXPECT_FALSE(link->openFailure());
}

// A socket meter that cannot be reached is no device node: the advice is
// about what answers at its address, never about the udev rule.
TEST(MeterSim, SocketMeterThatCannotBeReachedSaysWhatAnswered)
{
    std::string vacated;
    {
        SimProcess gone({});
        vacated = gone.url();
    }
    auto link = socketLink(vacated);
    EXPECT_FALSE(link->open());
    EXPECT_EQ(meterMissingMessage(link->openFailure(), msg::kQ36NotFound),
              (MeterMessage{msg::kNothingListens, {vacated, std::strerror(ECONNREFUSED)}}));

    // Greets when listed, then no more: the connection that opens it is closed.
    SimProcess once({"--greetings", "1"});
    ASSERT_FALSE(once.url().empty());
    link = socketLink(once.url());
    EXPECT_FALSE(link->open());
    EXPECT_EQ(meterMissingMessage(link->openFailure(), msg::kQ36NotFound),
              (MeterMessage{msg::kNoGreeting, {once.url()}}));
    EXPECT_FALSE(link->open()); // and not listed any more
    EXPECT_EQ(link->openFailure(), (HidOpenFailure{once.url(), "", MeterProblem::NoGreeting}));
}

TEST(MeterSim, PreloadsAPlanFileAsTheOpenCommandReadsIt)
{
    TempDir dir;
    writePlanListFile(dir.file("a.planList"), allPlans(makePlanList(3, 2)));
    SimProcess sim({"--preload", dir.file("a.planList").string()});
    ASSERT_FALSE(sim.url().empty());
    auto link = socketLink(sim.url());
    EXPECT_EQ(link->queryPlanCount(), (MeterCount{MeterCount::Fault::None, 3}));
    EXPECT_EQ(link->queryTpCount(2), (MeterCount{MeterCount::Fault::None, 2}));
}

TEST(MeterSim, RefusesToStartWithAFileThatIsNoPlanFile)
{
    TempDir dir;
    writeBytes(dir.file("plans.txt"), {1, 2, 3});
    SimProcess sim({"--preload", dir.file("plans.txt").string()});
    EXPECT_TRUE(sim.url().empty());
    EXPECT_EQ(sim.stop(), 1);
}
