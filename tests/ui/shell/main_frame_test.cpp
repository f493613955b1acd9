#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"
#include "support/list_driving.h"
#include "support/modal_driver.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/ribbon_button.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

#include <sys/stat.h>

namespace {

class FrameTest : public ::testing::Test {
protected:
    std::unique_ptr<CMainFrame> makeFrame(Language language = Language::English)
    {
        auto frame = std::make_unique<CMainFrame>(plans, link, prompts, settings, language);
        frame->resize(1000, 600);
        return frame;
    }
    QString settingsFile() { return QString::fromStdString((dir.path() / "settings.ini").string()); }

    TempDir dir;
    PlanList plans;
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    AppSettings settings{settingsFile()};
};

TEST_F(FrameTest, TypeComboStartsShowingQ36WithTheEmptyEntrysIdentity)
{
    auto frame = makeFrame();
    QComboBox* combo = frame->ribbon().typeCombo();
    EXPECT_EQ(combo->currentText(), QStringLiteral("Q36"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(frame->deviceType(), DeviceType::Q36Checked);
    EXPECT_EQ(link.vendorId, 0x1357);
    EXPECT_EQ(link.productId, 0x2468);
}

TEST_F(FrameTest, TypeComboEntriesSetIdentityAndDeviceType)
{
    auto frame = makeFrame();
    showActive(*frame);
    QComboBox* combo = frame->ribbon().typeCombo();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(frame->deviceType(), DeviceType::Unchecked);
    EXPECT_EQ(link.vendorId, 0x1234);
    EXPECT_EQ(link.productId, 0x5678);
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_EQ(frame->deviceType(), DeviceType::Q36Checked);
    EXPECT_EQ(link.vendorId, 0x1357);
    EXPECT_EQ(link.productId, 0x2468);
}

TEST_F(FrameTest, ColumnsTakeAQuarterAndThreeQuartersOfTheWidth)
{
    auto frame = makeFrame();
    showActive(*frame);
    frame->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(frame->idealColumnWidths(), std::make_pair(200, 600));
    frame->resize(801, 600);
    QApplication::processEvents();
    EXPECT_EQ(frame->idealColumnWidths(), std::make_pair(200, 600));
    EXPECT_LT(frame->planPane().width(), frame->channelPane().width());
    EXPECT_GE(frame->planPane().width(), CMainFrame::kMinColumnWidth);
}

// A narrow window cuts no label and squeezes no control: the ribbon scrolls.
TEST_F(FrameTest, NarrowWindowScrollsTheRibbonInsteadOfSqueezingIt)
{
    auto frame = makeFrame();
    showActive(*frame);
    auto* pages = frame->ribbon().findChild<QScrollArea*>(QStringLiteral("ribbonPages"));
    ASSERT_NE(pages, nullptr);
    for (const int width : {1300, 700, 400}) {
        frame->resize(width, 500);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        EXPECT_EQ(frame->ribbon().typeCombo()->width(), 108) << width;
        // The buttons of the tab shown.
        auto buttons = frame->ribbon().findChildren<RibbonButton*>();
        buttons.removeIf([](const RibbonButton* button) { return !button->isVisible(); });
        ASSERT_FALSE(buttons.isEmpty());
        for (const RibbonButton* button : buttons) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << width << button->text().toStdString();
            const QRect area(button->mapTo(&frame->ribbon(), QPoint(0, 0)), button->size());
            for (const RibbonButton* other : buttons) {
                const QRect otherArea(other->mapTo(&frame->ribbon(), QPoint(0, 0)), other->size());
                EXPECT_TRUE(other == button || !area.intersects(otherArea)) << width;
            }
        }
        EXPECT_EQ(pages->horizontalScrollBar()->maximum() > 0, width < 1000) << width;
        // The scroll bar, when there is one, takes no room from the panels.
        EXPECT_GE(pages->viewport()->height(), pages->widget()->minimumSizeHint().height()) << width;
    }
}

// Every command of the window is an action named after its resource, with
// its id as data; the ribbon's controls and the keys trigger those actions.
TEST_F(FrameTest, CommandsAreNamedActions)
{
    auto frame = makeFrame();
    showActive(*frame);
    for (const auto& [id, name] : cmd::kCommandNames) {
        if (id == cmd::kTypeCombo || id == cmd::kLookDefault)
            continue; // a combo, and a style only a stored setting reaches
        const auto* action = frame->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->data().toInt(), id) << name;
    }
    EXPECT_EQ(qobject_cast<QToolButton*>(frame->ribbon().button(cmd::kPlanAdd))->defaultAction(),
              frame->findChild<QAction*>(QStringLiteral("ID_BUTTON_PLAN_ADD")));

    frame->findChild<QAction*>(QStringLiteral("ID_BUTTON_PLAN_ADD"))->trigger();
    EXPECT_EQ(plans.count(), 1);
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Plans);
    frame->planPane().listControl().setFocus();
    frame->findChild<QAction*>(QStringLiteral("ID_NEXT_PANE"))->trigger();
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Channels);
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Plans);
}

TEST_F(FrameTest, SelectAllReachesOnlyTheActivePane)
{
    plans.append(makePlan("A", 2));
    auto frame = makeFrame();
    showActive(*frame);
    frame->planPane().RefreshPlanList();
    clickCell(frame->planPane().listControl(), 0, 0);
    ASSERT_EQ(frame->activePane(), CMainFrame::Pane::Plans);
    ASSERT_EQ(frame->channelPane().listControl().rowCount(), 2);

    QAbstractButton* channelSelectAll = frame->ribbon().button(cmd::kSelectAllChannels);
    QAbstractButton* planSelectAll = frame->ribbon().button(cmd::kSelectAllPlans);
    EXPECT_FALSE(channelSelectAll->isEnabled());
    frame->onCommand(cmd::kSelectAllChannels);
    EXPECT_FALSE(frame->channelPane().listControl().isChecked(0));
    QTest::mouseClick(planSelectAll, Qt::LeftButton);
    EXPECT_TRUE(frame->planPane().listControl().isChecked(0));

    // The click left the keyboard on the ribbon, from where F6 goes to the
    // plan pane; from there, to the TP pane.
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Plans);
    EXPECT_EQ(QApplication::focusWidget(), &frame->planPane().listControl());
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Channels);
    EXPECT_TRUE(channelSelectAll->isEnabled());
    EXPECT_FALSE(planSelectAll->isEnabled());
    QTest::mouseClick(channelSelectAll, Qt::LeftButton);
    EXPECT_TRUE(frame->channelPane().listControl().isChecked(1));
    // Shift+F6 from the ribbon goes to the TP pane, then to the plan pane.
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Channels);
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(frame->activePane(), CMainFrame::Pane::Plans);
}

TEST_F(FrameTest, DeletePlanWithCancelStillEmptiesTheTransponderRows)
{
    plans.append(makePlan("A", 3));
    auto frame = makeFrame();
    showActive(*frame);
    frame->planPane().RefreshPlanList();
    clickCell(frame->planPane().listControl(), 0, 0);
    frame->planPane().listControl().setChecked(0, true);
    prompts.answers = {false};
    QTest::mouseClick(frame->ribbon().button(cmd::kPlanDelete), Qt::LeftButton);
    EXPECT_EQ(plans.count(), 1);
    EXPECT_EQ(frame->channelPane().listControl().rowCount(), 0);
    EXPECT_EQ(frame->channelPane().currentPlan(), plans.at(0).id);
}

TEST_F(FrameTest, AddButtonsWorkThroughTheRibbon)
{
    auto frame = makeFrame();
    showActive(*frame);
    QTest::mouseClick(frame->ribbon().button(cmd::kPlanAdd), Qt::LeftButton);
    ASSERT_EQ(plans.count(), 1);
    clickCell(frame->planPane().listControl(), 0, 0);
    QTest::mouseClick(frame->ribbon().button(cmd::kChannelAdd), Qt::LeftButton);
    EXPECT_EQ(plans.at(0).channelCount, 1);
    EXPECT_EQ(frame->channelPane().listControl().rowCount(), 1);
}

TEST_F(FrameTest, CommandCommitsAnOpenEditFirst)
{
    plans.append(makePlan("A", 0));
    auto frame = makeFrame();
    showActive(*frame);
    frame->planPane().RefreshPlanList();
    CSortComboListCtrl& list = frame->planPane().listControl();
    openCellEditor(list, 0, 1);
    ASSERT_NE(list.openEdit(), nullptr);
    list.openEdit()->setText(QStringLiteral("Renamed"));
    QTest::mouseClick(frame->ribbon().button(cmd::kPlanAdd), Qt::LeftButton);
    EXPECT_EQ(plans.at(0).nameText(), "Renamed");
    EXPECT_EQ(plans.count(), 2);
}

TEST_F(FrameTest, StyleIsReadAndWrittenAsApplicationLook)
{
    {
        auto frame = makeFrame();
        EXPECT_EQ(frame->currentVisualStyle(), AppSettings::kDefaultLook);
        frame->onCommand(cmd::kLookOffice2007Silver);
        EXPECT_EQ(settings.applicationLook(), 217);
    }
    QSettings(settingsFile(), QSettings::IniFormat).setValue(QStringLiteral("ApplicationLook"), 300);
    AppSettings reread(settingsFile());
    auto frame = std::make_unique<CMainFrame>(plans, link, prompts, reread, Language::English);
    EXPECT_EQ(frame->currentVisualStyle(), 300);
    EXPECT_EQ(reread.applicationLook(), 300);
    for (QAction* action : frame->ribbon().styleMenu()->actions())
        EXPECT_FALSE(action->isChecked()) << action->text().toStdString();
}

// The Import dialog's Model starts at the ribbon's Type (Q36 as it reads at
// the start, General when empty); the model chosen under each Type is kept in
// the settings, so that the next run starts where the user left it.
TEST_F(FrameTest, ImportModelIsKeptPerTypeAcrossRuns)
{
    // Opens Import, expects its Model at `expected` and leaves `chosen` there.
    const auto importOnce = [](CMainFrame& frame, const QString& expected, const QString& chosen) {
        QString started;
        whenModalShows([&](QWidget* modal) {
            auto* dialog = qobject_cast<CDlgImport*>(modal);
            ASSERT_NE(dialog, nullptr);
            started = dialog->modelCombo()->currentText();
            dialog->modelCombo()->setCurrentText(chosen);
        });
        frame.onCommand(cmd::kImport);
        EXPECT_EQ(started, expected);
    };
    {
        auto frame = makeFrame();
        importOnce(*frame, QStringLiteral("Q36"), QStringLiteral("Q9100"));
        importOnce(*frame, QStringLiteral("Q9100"), QStringLiteral("Q9100"));
        frame->ribbon().typeCombo()->setCurrentIndex(1);
        importOnce(*frame, QStringLiteral("General"), QStringLiteral("Q24"));
    }
    AppSettings reread(settingsFile());
    EXPECT_EQ(reread.importModel(MeterModel::Q36), MeterModel::Q9100);
    auto frame = std::make_unique<CMainFrame>(plans, link, prompts, reread, Language::English);
    importOnce(*frame, QStringLiteral("Q9100"), QStringLiteral("Q9100"));
    frame->ribbon().typeCombo()->setCurrentIndex(1);
    importOnce(*frame, QStringLiteral("Q24"), QStringLiteral("Q24"));

    QSettings(settingsFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("Import/Model/General"), QStringLiteral("Q99"));
    EXPECT_EQ(AppSettings(settingsFile()).importModel(MeterModel::General), std::nullopt);
}

TEST_F(FrameTest, AboutGoesToTheApplication)
{
    auto frame = makeFrame();
    std::vector<int> forwarded;
    QObject::connect(frame.get(), &CMainFrame::applicationCommand, [&](int id) { forwarded.push_back(id); });
    frame->onCommand(cmd::kAppAbout);
    EXPECT_EQ(forwarded, (std::vector<int>{cmd::kAppAbout}));
}

TEST_F(FrameTest, StatusBarPanesInBothLanguages)
{
    auto english = makeFrame();
    EXPECT_EQ(english->statusBar()->findChild<QLabel*>(QStringLiteral("pane1"))->text(), QStringLiteral("Pane 1"));
    EXPECT_EQ(english->statusBar()->findChild<QLabel*>(QStringLiteral("pane2"))->text(), QStringLiteral("Pane 2"));
    auto chinese = makeFrame(Language::Chinese);
    EXPECT_EQ(chinese->statusBar()->findChild<QLabel*>(QStringLiteral("pane1"))->text(), QString::fromUtf8("面板1"));
}

// Every write of the settings goes to the disk: the latest file opened again
// leaves them as they are.
TEST(AppSettingsTest, RecentFilesAreWrittenOnlyWhenTheyChange)
{
    TempDir dir;
    const auto ini = dir.file("recent.ini");
    const QString iniFile = QString::fromStdString(ini.string());
    const auto fileIdentity = [&ini] {
        struct stat status {};
        return ::stat(ini.c_str(), &status) == 0 ? status.st_ino : ino_t{0};
    };
    const QString a = QStringLiteral("/plans/a.gnr");
    const QString b = QStringLiteral("/plans/b.gnr");
    {
        AppSettings settings(iniFile);
        settings.addRecentFile(a);
        settings.addRecentFile(b);
    }
    const ino_t written = fileIdentity();
    ASSERT_NE(written, ino_t{0});
    {
        AppSettings settings(iniFile);
        settings.addRecentFile(b);
        EXPECT_EQ(settings.recentFiles(), (QStringList{b, a}));
    }
    EXPECT_EQ(fileIdentity(), written);
    {
        AppSettings settings(iniFile);
        settings.addRecentFile(a);
        EXPECT_EQ(settings.recentFiles(), (QStringList{a, b}));
    }
    EXPECT_NE(fileIdentity(), written);
    EXPECT_EQ(AppSettings(iniFile).recentFiles(), (QStringList{a, b}));
}

TEST_F(FrameTest, FilesNamedAtStartOpenAsChosenFilesAndBecomeRecent)
{
    const CComonOrbitune first = makePlan("Astra", 2);
    const CComonOrbitune second = makePlan("Hotbird", 1);
    const std::vector<const CComonOrbitune*> written{&first, &second};
    const auto path = dir.file("two.gnr");
    ASSERT_TRUE(writeGeneralFile(path, written).ok());

    auto frame = makeFrame();
    frame->openFiles({QString::fromStdString(path.string())});
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(1).nameText(), "Hotbird");
    EXPECT_EQ(frame->planPane().listControl().rowCount(), 2);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(settings.recentFiles(), QStringList{QString::fromStdString(path.string())});

    // Opening again over plans offers to save them first; Cancel goes on
    // without saving.
    prompts.answers = {false};
    emit frame->ribbon().recentFileChosen(QString::fromStdString(path.string()));
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kSaveOffer}));
    EXPECT_EQ(plans.count(), 2);
    EXPECT_EQ(prompts.fileTypeDialogs(), 0);
}

// Open of 300 Orbtab files: the list takes 255 and the message names the 45
// files it left out.
TEST_F(FrameTest, OpenOfMoreFilesThanTheListHoldsNamesTheOthers)
{
    std::vector<std::string> paths;
    for (int i = 1; i <= 300; ++i) {
        const std::string name = std::string("S").append(std::to_string(i));
        const auto image = orbtab_file::encode(makePlan(name, 1), 1);
        writeBytes(dir.file(name + ".Orbtab"), {image.begin(), image.end()});
        paths.push_back(dir.file(name + ".Orbtab").string());
    }
    auto frame = makeFrame();
    prompts.openFiles = {paths};
    QTest::mouseClick(frame->ribbon().button(cmd::kOpen), Qt::LeftButton);
    EXPECT_EQ(plans.count(), 255);
    EXPECT_EQ(frame->planPane().listControl().rowCount(), 255);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kFilesNotTaken});
    const std::string& text = prompts.messages[0].text;
    EXPECT_TRUE(text.starts_with("45 file(s) are not read, the list holds at most 255 plans: S256.Orbtab, S257.Orbtab"))
        << text;
    EXPECT_TRUE(text.ends_with(", S300.Orbtab")) << text;
}

// Save All, direct or offered by Open, owns its dialogs through the plan pane.
TEST_F(FrameTest, SaveAllOfferedByOpenIsOwnedByThePlanPane)
{
    auto frame = makeFrame();
    frame->onCommand(cmd::kPlanAdd);
    prompts.fileTypes = {std::nullopt};
    frame->onCommand(cmd::kSaveAll);
    prompts.answers = {true};
    prompts.fileTypes = {std::nullopt};
    prompts.openFiles = {std::vector<std::string>{}};
    frame->onCommand(cmd::kOpen);
    EXPECT_EQ(prompts.fileTypeOwners, std::vector<PromptOwner>(2, PromptOwner::PlanPane));
    EXPECT_EQ(prompts.messages.at(0).owner, PromptOwner::MainWindow); // the save offer
    EXPECT_EQ(prompts.fileDialogOwners, std::vector<PromptOwner>{PromptOwner::MainWindow});
    EXPECT_EQ(plans.count(), 1); // Cancel in the open dialog keeps the plans
}

TEST_F(FrameTest, ClosingKeepsTheWindowGeometry)
{
    auto frame = makeFrame();
    showActive(*frame);
    frame->close();
    EXPECT_FALSE(settings.windowGeometry().isEmpty());
}

} // namespace
