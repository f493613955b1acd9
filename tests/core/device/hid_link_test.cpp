#include "core/device/firmware_upgrade.h"
#include "core/device/meter_selection.h"
#include "core/device/plan_download.h"
#include "core/device/plan_upload.h"
#include "core/device/transfer_messages.h"
#include "core/res/string_ids.h"
#include "support/device_test_support.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> codes(const MeterEmulator& meter)
{
    std::vector<std::uint8_t> c;
    for (const auto& r : meter.received())
        c.push_back(r[5]);
    return c;
}

} // namespace

TEST(HidLink, FirstOfTwoMatchingDevicesIsUsed)
{
    EmulatedLink e;
    auto second = std::make_shared<MeterEmulator>();
    e.backend->add("emu:0", 0x1357, 0x2468, second);
    ASSERT_TRUE(e.link->open());
    EXPECT_EQ(e.link->queryStatus(), 1);
    EXPECT_EQ(e.meter->received().size(), 1U);
    EXPECT_TRUE(second->received().empty());
}

TEST(HidLink, OtherIdentityIsNotFound)
{
    EmulatedLink e;
    e.link->setIdentity(kMeterIdentities[0]);
    EXPECT_FALSE(e.link->open());
    EXPECT_EQ(e.link->queryStatus(), -1);
    EXPECT_TRUE(e.meter->received().empty());
}

TEST(HidLink, OpenWhileUpReopens)
{
    EmulatedLink e;
    ASSERT_TRUE(e.link->open());
    ASSERT_TRUE(e.link->open());
    EXPECT_TRUE(e.link->connected());
    EXPECT_EQ(e.backend->openCount(), 2);
    EXPECT_EQ(e.link->inputReportLength(), 65U);
}

TEST(HidLink, WrongReplyLengthFailsAndKeepsTheLink)
{
    EmulatedLink e;
    e.meter->faults.wrongLengthAt = 1;
    EXPECT_EQ(e.link->queryStatus(), -1);
    EXPECT_TRUE(e.link->connected());
    EXPECT_EQ(e.link->queryStatus(), 1);
}

TEST(HidLink, WrongReplyCodeFailsAndKeepsTheLink)
{
    EmulatedLink e;
    e.meter->faults.wrongCodeAt = 1;
    EXPECT_EQ(e.link->queryPlanCount(), (MeterCount{MeterCount::Fault::WrongReply, 0}));
    EXPECT_TRUE(e.link->connected());
}

TEST(HidLink, SilentMeterLosesTheLinkThenNextQueryReopens)
{
    EmulatedLink e;
    e.meter->faults.silentAfter = 0;
    EXPECT_EQ(e.link->queryStatus(), -1);
    EXPECT_FALSE(e.link->connected());
    e.meter->faults.silentAfter.reset();
    EXPECT_EQ(e.link->queryStatus(), 1);
    EXPECT_TRUE(e.link->connected());
    EXPECT_EQ(e.backend->openCount(), 2);
}

TEST(HidLink, DroppedConnectionLosesTheLink)
{
    EmulatedLink e;
    e.meter->faults.dropAfter = 1;
    EXPECT_EQ(e.link->queryStatus(), 1);
    EXPECT_EQ(e.link->queryPlanCount(), (MeterCount{MeterCount::Fault::NoReply, 0}));
    EXPECT_FALSE(e.link->connected());
}

// Counts are signed bytes: from 0x80 on a byte is no count, and never a
// negative one.
TEST(HidLink, CountBytesAbove127AreNoCounts)
{
    using Fault = MeterCount::Fault;
    EmulatedLink e;
    e.meter->faults.planCount = 0x7F;
    e.meter->faults.tpCount = 0x80;
    EXPECT_EQ(e.link->queryPlanCount(), (MeterCount{Fault::None, 127}));
    EXPECT_EQ(e.link->queryTpCount(0), (MeterCount{Fault::OutOfRange, 128}));
    e.meter->faults.planCount = 0xFF;
    EXPECT_EQ(e.link->queryPlanCount(), (MeterCount{Fault::OutOfRange, 255}));
    e.meter->faults.wrongLengthAt = 4;
    EXPECT_EQ(e.link->queryTpCount(0), (MeterCount{Fault::WrongReply, 0}));
    EXPECT_TRUE(e.link->connected());
}

TEST(HidLink, DownloadEndNeedsALinkThatIsUp)
{
    EmulatedLink e;
    EXPECT_FALSE(e.link->sendDownloadEnd());
    EXPECT_TRUE(e.meter->received().empty());
    ASSERT_TRUE(e.link->open());
    EXPECT_TRUE(e.link->sendDownloadEnd());
    EXPECT_EQ(e.meter->received().back(), frame::downloadEnd());
}

// A device that answers nothing and notes how long each read was to wait.
class LimitRecordingBackend : public HidBackend {
public:
    std::vector<std::chrono::milliseconds> limits;

    std::vector<HidDeviceInfo> enumerate() override { return {HidDeviceInfo{"rec", 0x1357, 0x2468}}; }
    HidOpenResult open(const std::string&) override { return {std::make_unique<Device>(limits), {}}; }

private:
    class Device : public HidDevice {
    public:
        explicit Device(std::vector<std::chrono::milliseconds>& limits) : limits_(limits) {}
        std::size_t inputReportLength() const override { return frame::kReportSize; }
        std::size_t outputReportLength() const override { return frame::kReportSize; }
        bool writeReport(std::span<const std::uint8_t>) override { return true; }
        ReadResult readReport(std::span<std::uint8_t>, std::chrono::milliseconds limit) override
        {
            limits_.push_back(limit);
            return ReadResult::Timeout;
        }

    private:
        std::vector<std::chrono::milliseconds>& limits_;
    };
};

TEST(HidLink, EachReplyIsAwaitedSixSecondsUnlessShortened)
{
    auto owned = std::make_unique<LimitRecordingBackend>();
    const auto& limits = owned->limits;
    HidLink link(std::move(owned));
    EXPECT_EQ(link.queryStatus(), -1);
    link.setReplyLimit(std::chrono::milliseconds(25));
    EXPECT_EQ(link.queryPlanCount(), (MeterCount{MeterCount::Fault::NoReply, 0}));
    EXPECT_EQ(limits,
              (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(6000), std::chrono::milliseconds(25)}));
    EXPECT_FALSE(link.connected());
}

TEST(MeterSelection, RefusesOtherThanLoopback)
{
    EXPECT_NE(selectMeterBackend(std::string("tcp://10.0.0.1:5000")).error.find("loopback"), std::string::npos);
    EXPECT_FALSE(selectMeterBackend(std::string("tcp://example.com:5000")).backend);
    EXPECT_FALSE(selectMeterBackend(std::string("tcp://127.0.0.1:0")).backend);
    EXPECT_FALSE(selectMeterBackend(std::string("bogus")).backend);
    EXPECT_TRUE(selectMeterBackend(std::string("tcp://127.0.0.1:5000")).backend);
    EXPECT_TRUE(selectMeterBackend(std::string("tcp://[::1]:5000")).backend);
    EXPECT_TRUE(selectMeterBackend(std::string("sim")).backend);
}

TEST(MeterSelection, NothingListeningGivesNoDevice)
{
    auto selection = selectMeterBackend(std::string("tcp://127.0.0.1:1"));
    ASSERT_TRUE(selection.backend);
    EXPECT_TRUE(selection.backend->enumerate().empty());
}

TEST(Download, ThreePlansThenDownloadEndAfterSuccess)
{
    EmulatedLink e;
    const auto plans = makePlanList(3, 2);
    RecordingObserver o;
    EXPECT_EQ(runDownload(*e.link, plans, o, kNoPause), TransferOutcome::Succeeded);
    EXPECT_EQ(o.events, (std::vector<std::string>{"range 3", "step", "step", "step", "status 111"}));
    const auto c = codes(*e.meter);
    ASSERT_EQ(c.size(), 2U + 9U + 1U);
    EXPECT_EQ(c.back(), frame::kDownloadEnd);
    ASSERT_EQ(e.meter->storedPlans().size(), 3U);
    EXPECT_EQ(e.meter->storedRecords()[2].nameText(), "Plan3");
}

TEST(Download, EmptyListSendsNothingAfterTheStatusQueries)
{
    EmulatedLink e;
    RecordingObserver o;
    EXPECT_EQ(runDownload(*e.link, PlanList{}, o, kNoPause), TransferOutcome::NothingToSend);
    EXPECT_EQ(codes(*e.meter), (std::vector<std::uint8_t>{1, 1}));
}

TEST(Download, WrongStateRefusesWith121)
{
    EmulatedLink e;
    e.meter->setState(MeterState::Upgrade);
    RecordingObserver o;
    EXPECT_EQ(runDownload(*e.link, makePlanList(1, 1), o, kNoPause), TransferOutcome::WrongState);
    EXPECT_EQ(o.messages, (std::vector<MessageId>{msg::kNeedNormalState}));
}

TEST(Download, FailingPlanStopsWithoutDownloadEnd)
{
    EmulatedLink e;
    e.meter->faults.silentAfter = 2 + 2 * 2; // two status queries, two plans of one TP
    RecordingObserver o;
    EXPECT_EQ(runDownload(*e.link, makePlanList(3, 1), o, kNoPause), TransferOutcome::Failed);
    EXPECT_EQ(o.events.back(), "status 112");
    EXPECT_EQ(o.stop, (TransferStop{TransferStop::Reason::Silent, 3, 0, 0, 0, 0, {}})); // the header of plan 3
    EXPECT_FALSE(e.link->connected());
    for (auto c : codes(*e.meter))
        EXPECT_NE(c, frame::kDownloadEnd);
    EXPECT_TRUE(e.meter->storedPlans().empty());
}

TEST(Download, PlanWithoutTpsSendsItsHeaderThenFails)
{
    EmulatedLink e;
    ASSERT_TRUE(e.link->open());
    EXPECT_EQ(sendPlan(*e.link, 0, makePlan("P", 0)),
              (TransferStop{TransferStop::Reason::PlanWithoutTp, 1, 0, 0, 0, 0, {}}));
    EXPECT_EQ(e.meter->received().size(), 1U);
}

TEST(Download, NoMeterIsNotFound)
{
    EmulatedLink e;
    e.link->setIdentity(kMeterIdentities[0]);
    RecordingObserver o;
    EXPECT_EQ(runDownload(*e.link, makePlanList(1, 1), o, kNoPause), TransferOutcome::NotFound);
    EXPECT_TRUE(o.events.empty());
    EXPECT_EQ(o.stop, (TransferStop{TransferStop::Reason::NoMeter, 0, 0, 0, 0, 0, {}}));
}

// A meter whose device node the user may not open is there all the same: the
// link tells which node and why, and nothing is sent.
TEST(HidLink, MeterThatCannotBeOpenedIsTold)
{
    EmulatedLink e;
    e.backend->refuseOpen("emu:0", "Permission denied");
    EXPECT_FALSE(e.link->open());
    EXPECT_EQ(e.link->openFailure(), (HidOpenFailure{"emu:0", "Permission denied"}));
    RecordingObserver o;
    EXPECT_EQ(runUpgrade(*e.link, std::vector<std::uint8_t>(32), o), TransferOutcome::NotFound);
    ASSERT_TRUE(o.stop.has_value());
    EXPECT_EQ(transferStopMessage(*o.stop), (MeterMessage{msg::kMeterNotOpened, {"emu:0", "Permission denied"}}));
    EXPECT_TRUE(e.meter->received().empty());

    e.backend->remove("emu:0");
    EXPECT_FALSE(e.link->open());
    EXPECT_FALSE(e.link->openFailure().has_value());
}

TEST(Download, Q36ChecksRunInOrder)
{
    EXPECT_EQ(checkDownloadLimits(makePlanList(19, 10)), msg::kQ36MaxPlans);
    auto plans = makePlanList(2, 10);
    plans.at(1).channels[0].signalType = 0;
    EXPECT_EQ(checkDownloadLimits(plans), msg::kQ36NoTv);
    plans.at(1).channels[0].signalType = 1;
    EXPECT_EQ(checkDownloadLimits(plans), msg::kQ36MaxTps);
    EXPECT_EQ(checkDownloadLimits(makePlanList(18, 9)), std::nullopt);
    EXPECT_EQ(checkDownloadLimits(PlanList{}), std::nullopt);
}

TEST(Upload, DownloadThenUploadGivesTheSamePlans)
{
    EmulatedLink e;
    auto sent = makePlanList(3, 2);
    sent.at(1).longitude = 13.0F;
    sent.at(1).isEast = 0;
    sent.at(2).channels[1].setNameText("LongName");
    RecordingObserver o;
    ASSERT_EQ(runDownload(*e.link, sent, o, kNoPause), TransferOutcome::Succeeded);
    PlanList received;
    RecordingObserver u;
    ASSERT_EQ(runUpload(*e.link, received, u, kNoPause), TransferOutcome::Succeeded);
    EXPECT_EQ(u.events.back(), "status 119");
    ASSERT_EQ(received.count(), 3);
    for (int p = 0; p < 3; ++p) {
        const auto& a = sent.at(p);
        const auto& b = received.at(p);
        EXPECT_EQ(b.nameText(), a.nameText());
        EXPECT_EQ(b.flag, a.flag);
        EXPECT_FLOAT_EQ(b.longitude, a.longitude);
        EXPECT_EQ(b.isEast, a.isEast);
        EXPECT_EQ(b.lnbLow, a.lnbLow);
        EXPECT_EQ(b.lnbHigh, a.lnbHigh);
        ASSERT_EQ(b.channelCount, a.channelCount);
        EXPECT_EQ(b.number, p);
        for (int j = 0; j < a.channelCount; ++j) {
            auto x = a.channels[static_cast<std::size_t>(j)];
            auto y = b.channels[static_cast<std::size_t>(j)];
            EXPECT_EQ(y.nameText(), x.nameText());
            EXPECT_EQ(y.frequency, x.frequency);
            EXPECT_EQ(y.symbolRate, x.symbolRate);
            EXPECT_EQ(y.lnbLo, x.lnbLo);
            EXPECT_EQ(y.reserved3, x.reserved3);
        }
    }
}

// However an upload stops short, the list it was to fill is as it was, and the
// stop says where: the frames of two stored plans of two TPs are 1, 2 status,
// 3 plan count, 4 TP count, 5 header, 6 and 7 TPs of plan 1, 8 to 11 of plan 2.
TEST(Upload, StopsShortWhereTheMeterAnswersNoAnswerAndKeepsTheList)
{
    using Reason = TransferStop::Reason;
    struct Case {
        const char* what;
        void (*fault)(MeterFaults&);
        TransferStop stop;
        MessageId message;
    };
    const auto at = [](Reason reason, int plan, int tp, int value = 0) {
        auto stop = TransferStop::atPlan(reason, plan - 1, tp);
        stop.value = value;
        return stop;
    };
    const std::vector<Case> cases{
        {"plan count of another length", [](MeterFaults& f) { f.wrongLengthAt = 3; }, at(Reason::WrongPlanCount, 0, 0),
         msg::kWrongPlanCount},
        {"plan count 200", [](MeterFaults& f) { f.planCount = 200; }, at(Reason::PlanCountOutOfRange, 0, 0, 200),
         msg::kPlanCountOutOfRange},
        {"TP count 128", [](MeterFaults& f) { f.tpCount = 128; }, at(Reason::TpCountOutOfRange, 1, 0, 128),
         msg::kTpCountOutOfRange},
        {"TP count of another length", [](MeterFaults& f) { f.wrongLengthAt = 8; }, at(Reason::WrongTpCount, 2, 0),
         msg::kWrongTpCount},
        {"TP count of another code", [](MeterFaults& f) { f.wrongCodeAt = 8; }, at(Reason::WrongTpCount, 2, 0),
         msg::kWrongTpCount},
        {"TP count unanswered", [](MeterFaults& f) { f.silentAfter = 7; }, at(Reason::Silent, 2, 0),
         msg::kStoppedAtPlan},
        {"header of another length", [](MeterFaults& f) { f.wrongLengthAt = 9; }, at(Reason::WrongReply, 2, 0),
         msg::kWrongReplyAtPlan},
        {"TP of another length", [](MeterFaults& f) { f.wrongLengthAt = 10; }, at(Reason::WrongReply, 2, 1),
         msg::kWrongReplyAtTp},
        {"TP of another code", [](MeterFaults& f) { f.wrongCodeAt = 11; }, at(Reason::WrongReply, 2, 2),
         msg::kWrongReplyAtTp},
        {"TP unanswered", [](MeterFaults& f) { f.silentAfter = 10; }, at(Reason::Silent, 2, 2), msg::kStoppedAtTp},
    };
    for (const auto& c : cases) {
        EmulatedLink e;
        e.meter->preload(std::vector<CComonOrbitune>{makePlan("A", 2), makePlan("B", 2)});
        c.fault(e.meter->faults);
        PlanList plans = makePlanList(1, 1);
        const PlanList before = plans;
        RecordingObserver o;
        EXPECT_EQ(runUpload(*e.link, plans, o, kNoPause), TransferOutcome::Failed) << c.what;
        EXPECT_EQ(o.events.back(), "status 112") << c.what;
        EXPECT_EQ(o.stop, c.stop) << c.what;
        EXPECT_EQ(transferStopMessage(c.stop).id, c.message) << c.what;
        ASSERT_EQ(plans.count(), 1) << c.what;
        EXPECT_EQ(plans.at(0), before.at(0)) << c.what;
    }
    EXPECT_EQ(transferStopMessage(at(Reason::TpCountOutOfRange, 3, 0, 200)).args,
              (std::vector<std::string>{"3", "200"}));
}

TEST(Upload, PlanCountZeroFails)
{
    EmulatedLink e;
    PlanList received;
    RecordingObserver o;
    EXPECT_EQ(runUpload(*e.link, received, o, kNoPause), TransferOutcome::Failed);
    EXPECT_EQ(o.events, (std::vector<std::string>{"status 112"}));
    EXPECT_EQ(o.stop, (TransferStop{TransferStop::Reason::NoPlans, 0, 0, 0, 0, 0, {}}));
}

TEST(Upgrade, HundredByteImageGivesFourBlocks)
{
    EmulatedLink e;
    e.meter->setState(MeterState::Upgrade);
    std::vector<std::uint8_t> image(100);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i + 1);
    RecordingObserver o;
    EXPECT_EQ(runUpgrade(*e.link, image, o), TransferOutcome::Succeeded);
    const auto& frames = e.meter->received();
    ASSERT_EQ(frames.size(), 5U);
    for (std::size_t k = 1; k <= 4; ++k) {
        const auto expected =
            upgradeBlockFrame(4, static_cast<std::uint16_t>(k),
                              std::span(image).subspan((k - 1) * 32, std::min<std::size_t>(32, 100 - (k - 1) * 32)));
        EXPECT_EQ(frames[k], expected);
        EXPECT_EQ(frames[k][7], 4);
        EXPECT_EQ(frames[k][9], k);
    }
    EXPECT_EQ(frames[4][13], 100);
    EXPECT_EQ(frames[4][14], 0);
    const auto& firmware = e.meter->firmware();
    ASSERT_EQ(firmware.size(), 128U);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), firmware.begin()));
}

TEST(Upgrade, EmptyImageSendsNothingAfterTheStatus)
{
    EmulatedLink e;
    e.meter->setState(MeterState::Upgrade);
    RecordingObserver o;
    EXPECT_EQ(runUpgrade(*e.link, {}, o), TransferOutcome::Succeeded);
    EXPECT_EQ(e.meter->received().size(), 1U);
}

TEST(Upgrade, NormalStateRefusesWith124)
{
    EmulatedLink e;
    std::vector<std::uint8_t> image(64);
    RecordingObserver o;
    EXPECT_EQ(runUpgrade(*e.link, image, o), TransferOutcome::WrongState);
    EXPECT_EQ(o.messages, (std::vector<MessageId>{msg::kNeedUpgradeState}));
    EXPECT_EQ(e.meter->received().size(), 1U);
}

TEST(Upgrade, TooLargeImageIsRefusedBeforeAnythingIsSent)
{
    EmulatedLink e;
    e.meter->setState(MeterState::Upgrade);
    std::vector<std::uint8_t> image(kMaxUpgradeImageSize + 1);
    RecordingObserver o;
    EXPECT_EQ(runUpgrade(*e.link, image, o), TransferOutcome::TooLarge);
    EXPECT_TRUE(e.meter->received().empty());
}

TEST(Upgrade, LostBlockFails)
{
    EmulatedLink e;
    e.meter->setState(MeterState::Upgrade);
    e.meter->faults.silentAfter = 2;
    std::vector<std::uint8_t> image(96);
    RecordingObserver o;
    EXPECT_EQ(runUpgrade(*e.link, image, o), TransferOutcome::Failed);
    EXPECT_EQ(o.stop, (TransferStop{TransferStop::Reason::Silent, 0, 0, 2, 3, 0, {}}));
    EXPECT_EQ(transferStopMessage(*o.stop), (MeterMessage{msg::kStoppedAtBlock, {"2", "3"}}));
    EXPECT_FALSE(e.link->connected());
}
