#include "core/device/firmware_upgrade.h"
#include "core/device/plan_download.h"
#include "core/res/string_ids.h"
#include "support/device_test_support.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/dialogs/dlg_upgrade.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

QString cell(const CDlgUpgrade& dialog, int column)
{
    const auto* item = dialog.list().item(0, column);
    return item == nullptr ? QString() : item->text();
}

} // namespace

TEST(DlgProgress, ThreePlansReachTheEndOfTheBarBeforeSuccess)
{
    EmulatedLink e;
    ScriptedPrompts prompts;
    auto plans = makePlanList(3, 1);
    DlgProgress dialog(nullptr, prompts, true,
                       [&](TransferObserver& o) { return runDownload(*e.link, plans, o, kNoPause); });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Download"));
    EXPECT_EQ(dialog.statusText(), QStringLiteral("Downloading"));
    dialog.exec();
    EXPECT_EQ(dialog.outcome(), TransferOutcome::Succeeded);
    EXPECT_EQ(dialog.progressBar().maximum(), 3);
    EXPECT_EQ(dialog.progressBar().value(), 3);
    EXPECT_EQ(dialog.statusText(), QStringLiteral("Download Sate Plans successfully"));
    EXPECT_EQ(e.meter->received().back()[5], frame::kDownloadEnd);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(DlgProgress, CannotBeClosedDuringATransfer)
{
    EmulatedLink e;
    e.link->setReplyLimit(std::chrono::milliseconds(300));
    e.meter->faults.silentAfter = 2;
    ScriptedPrompts prompts;
    auto plans = makePlanList(1, 1);
    DlgProgress dialog(nullptr, prompts, true,
                       [&](TransferObserver& o) { return runDownload(*e.link, plans, o, kNoPause); });
    bool stayedOpen = false;
    QTimer::singleShot(50, &dialog, [&] {
        dialog.close();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.reject();
        stayedOpen = dialog.isVisible() && dialog.transferring() && !dialog.isEnabled();
    });
    dialog.exec();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialog.outcome(), TransferOutcome::Failed);
    EXPECT_EQ(dialog.statusText(), QStringLiteral("Not find the Device"));
}

// The runner the commands are given shows the dialog and hands back how the
// transfer ended and where it stopped.
TEST(ProgressDialogRunner, AnswersTheOutcomeAndTheStop)
{
    EmulatedLink e;
    e.meter->faults.silentAfter = 2 + 2;
    ScriptedPrompts prompts;
    auto plans = makePlanList(3, 1);
    ProgressDialogRunner runner(nullptr, prompts);
    const TransferResult result =
        runner.run(true, [&](TransferObserver& o) { return runDownload(*e.link, plans, o, kNoPause); });
    EXPECT_EQ(result.outcome, TransferOutcome::Failed);
    EXPECT_EQ(result.stop, TransferStop::atPlan(TransferStop::Reason::Silent, 1, 0));
    EXPECT_TRUE(prompts.messages.empty());
}

class UpgradeDialog : public ::testing::Test {
protected:
    EmulatedLink e;
    ScriptedPrompts prompts;
    TempDir dir;
    CDlgUpgrade dialog{nullptr, *e.link, prompts};

    QString imageFile(const std::string& name, std::size_t size)
    {
        std::vector<std::uint8_t> data(size);
        for (std::size_t i = 0; i < size; ++i)
            data[i] = static_cast<std::uint8_t>(i);
        writeBytes(dir.file(name), data);
        return QString::fromStdString(dir.file(name).string());
    }

    void load(const QString& path)
    {
        prompts.openFiles.push_back({path.toStdString()});
        QTest::mouseClick(&dialog.loadButton(), Qt::LeftButton);
    }
};

TEST_F(UpgradeDialog, HundredBytesGiveFourBlocksAndSuccess)
{
    e.meter->setState(MeterState::Upgrade);
    dialog.show();
    EXPECT_EQ(dialog.list().columnCount(), 4);
    EXPECT_TRUE(dialog.list().showGrid());
    EXPECT_FALSE(dialog.progressBar().isVisible());
    load(imageFile("fw.bin", 100));
    EXPECT_EQ(prompts.fileDialogs.back().filter, "Q36 UpgradeFile (*.bin)|*.bin|");
    EXPECT_EQ(cell(dialog, 0), QStringLiteral("fw.bin"));
    EXPECT_EQ(cell(dialog, 1), QStringLiteral("100"));
    EXPECT_EQ(cell(dialog, 2), QStringLiteral("Yes"));
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("No"));
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_EQ(e.meter->firmwareBlocksReceived(), 4);
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("success"));
    EXPECT_FALSE(dialog.progressBar().isVisible());
    EXPECT_EQ(dialog.progressBar().value(), 4);
    EXPECT_TRUE(dialog.isEnabled());
}

TEST_F(UpgradeDialog, EmptyFileSucceedsWithNothingSent)
{
    e.meter->setState(MeterState::Upgrade);
    load(imageFile("empty.bin", 0));
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_EQ(e.meter->received().size(), 1U);
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("success"));
}

TEST_F(UpgradeDialog, UpgradeBeforeLoadDoesNothing)
{
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_TRUE(e.meter->received().empty());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(UpgradeDialog, NormalStateIsRefusedWith124)
{
    load(imageFile("fw.bin", 64));
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kNeedUpgradeState}));
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("No"));
}

TEST_F(UpgradeDialog, MissingMeterGives112)
{
    e.link->setIdentity(kMeterIdentities[0]);
    load(imageFile("fw.bin", 64));
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kDeviceNotFound}));
}

TEST_F(UpgradeDialog, FailedLoadKeepsTheEarlierImage)
{
    e.meter->setState(MeterState::Upgrade);
    load(imageFile("first.bin", 40));
    load(QString::fromStdString(dir.file("missing.bin").string()));
    EXPECT_EQ(dialog.list().rowCount(), 0);
    EXPECT_TRUE(dialog.imageLoaded());
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_EQ(e.meter->firmwareBlocksReceived(), 2);
    EXPECT_EQ(cell(dialog, 0), QStringLiteral("first.bin"));
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("success"));
}

TEST_F(UpgradeDialog, TooLargeImageIsRefusedAtLoad)
{
    load(imageFile("huge.bin", kMaxUpgradeImageSize + 1));
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kUpgradeImageTooLarge}));
    EXPECT_TRUE(prompts.messages[0].text.find("huge.bin") != std::string::npos);
    EXPECT_FALSE(dialog.imageLoaded());
}

TEST_F(UpgradeDialog, LostMeterShowsFailed)
{
    e.meter->setState(MeterState::Upgrade);
    e.meter->faults.silentAfter = 2;
    load(imageFile("fw.bin", 100));
    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("Failed"));
    EXPECT_TRUE(dialog.isEnabled());
}

// The columns share the list's width when the dialog shows, not the width the
// list had before it was laid out.
TEST_F(UpgradeDialog, ColumnsAreAQuarterOfTheListEach)
{
    dialog.show();
    const int quarter = dialog.list().viewport()->width() / 4;
    EXPECT_GT(quarter, 100);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(dialog.list().columnWidth(c), quarter) << c;
}

// A meter behind a device that runs `during` once, while the meter works on
// one block of an upgrade: a slow meter, during which the user acts.
class SlowBlockBackend : public HidBackend {
public:
    SlowBlockBackend(std::shared_ptr<MeterEmulator> meter, int block, std::function<void()> during)
        : block_(block), during_(std::move(during))
    {
        const auto& identity = kMeterIdentities[1];
        inner_.add("emu:0", static_cast<std::uint16_t>(identity.vendorId),
                   static_cast<std::uint16_t>(identity.productId), std::move(meter));
    }

    std::vector<HidDeviceInfo> enumerate() override { return inner_.enumerate(); }
    HidOpenResult open(const std::string& path) override
    {
        auto opened = inner_.open(path);
        if (opened.device)
            opened.device = std::make_unique<Device>(std::move(opened.device), *this);
        return opened;
    }

private:
    class Device : public HidDevice {
    public:
        Device(std::unique_ptr<HidDevice> inner, SlowBlockBackend& owner) : inner_(std::move(inner)), owner_(owner) {}
        std::size_t inputReportLength() const override { return inner_->inputReportLength(); }
        std::size_t outputReportLength() const override { return inner_->outputReportLength(); }
        bool writeReport(std::span<const std::uint8_t> report) override
        {
            if (report[frame::kCodeAt] == frame::kUpgradeBlock && report[9] == owner_.block_ && owner_.during_) {
                std::exchange(owner_.during_, nullptr)();
            }
            return inner_->writeReport(report);
        }
        ReadResult readReport(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) override
        {
            return inner_->readReport(buffer, limit);
        }

    private:
        std::unique_ptr<HidDevice> inner_;
        SlowBlockBackend& owner_;
    };

    EmulatorBackend inner_;
    int block_;
    std::function<void()> during_;
};

// Clicks and keys given while blocks are sent arrive as the window system
// delivers them, in its queue; they are dropped, never replayed once the
// dialog is enabled again: the meter gets exactly one upgrade.
TEST(UpgradeDialogInput, InputDuringAnUpgradeStartsNoSecondOne)
{
    auto meter = std::make_shared<MeterEmulator>();
    meter->setState(MeterState::Upgrade);
    CDlgUpgrade* shown = nullptr;
    const auto userActs = [&shown] {
        QWindow* window = shown->windowHandle();
        QPushButton& upgrade = shown->upgradeButton();
        const QPointF local = upgrade.mapTo(shown, upgrade.rect().center());
        const QPointF global = upgrade.mapToGlobal(upgrade.rect().center());
        using Queue = QWindowSystemInterface::AsynchronousDelivery;
        QWindowSystemInterface::handleMouseEvent<Queue>(window, local, global, Qt::LeftButton, Qt::LeftButton,
                                                        QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<Queue>(window, local, global, Qt::NoButton, Qt::LeftButton,
                                                        QEvent::MouseButtonRelease);
        QWindowSystemInterface::handleKeyEvent<Queue>(window, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier,
                                                      QStringLiteral(" "));
        QWindowSystemInterface::handleKeyEvent<Queue>(window, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier,
                                                      QStringLiteral(" "));
    };
    HidLink link(std::make_unique<SlowBlockBackend>(meter, 2, userActs));
    ScriptedPrompts prompts;
    TempDir dir;
    CDlgUpgrade dialog(nullptr, link, prompts);
    shown = &dialog;
    showActive(dialog);
    writeBytes(dir.file("fw.bin"), std::vector<std::uint8_t>(100, 7));
    prompts.openFiles.push_back({dir.file("fw.bin").string()});
    QTest::mouseClick(&dialog.loadButton(), Qt::LeftButton);
    dialog.upgradeButton().setFocus();

    QTest::mouseClick(&dialog.upgradeButton(), Qt::LeftButton);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();

    EXPECT_EQ(meter->firmwareBlocksReceived(), 4);
    const auto statusQueries = std::count_if(meter->received().begin(), meter->received().end(),
                                             [](const frame::Report& r) { return r[5] == frame::kStatus; });
    EXPECT_EQ(statusQueries, 1);
    EXPECT_EQ(cell(dialog, 3), QStringLiteral("success"));
    EXPECT_TRUE(dialog.isEnabled());
}

TEST(UpgradeDialogLanguage, ChineseButtons)
{
    EmulatedLink e;
    ScriptedPrompts prompts(Language::Chinese);
    CDlgUpgrade dialog(nullptr, *e.link, prompts);
    EXPECT_EQ(dialog.loadButton().text(), QStringLiteral("载入..."));
    EXPECT_EQ(dialog.upgradeButton().text(), QStringLiteral("升级"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Upgrade"));
}
