#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"
#include "support/list_driving.h"
#include "support/modal_driver.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/autosave.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/orbitune_app.h"
#include "ui/shell/plan_history.h"
#include "ui/shell/recovery_file.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace std::chrono_literals;

// What the user can see of the plans: the General file they make, both lists'
// rows and marks, and the plan whose TPs are shown.
struct Seen {
    std::vector<std::uint8_t> file;
    ListView plans;
    ListView channels;
    std::optional<Guid> currentPlan;

    friend bool operator==(const Seen&, const Seen&) = default;
};

void expectSameList(const ListView& seen, const ListView& expected, const std::string& what)
{
    EXPECT_EQ(seen.rows, expected.rows) << what;
    EXPECT_EQ(seen.checked, expected.checked) << what;
    EXPECT_EQ(seen.selected, expected.selected) << what;
    EXPECT_EQ(seen.current, expected.current) << what;
    EXPECT_EQ(seen.currentColumn, expected.currentColumn) << what;
    EXPECT_EQ(seen.sortColumn, expected.sortColumn) << what;
    EXPECT_EQ(seen.sortAscending, expected.sortAscending) << what;
}

void expectSame(const Seen& seen, const Seen& expected, const std::string& what)
{
    EXPECT_TRUE(seen.file == expected.file) << what;
    expectSameList(seen.plans, expected.plans, what + ", plans");
    expectSameList(seen.channels, expected.channels, what + ", TPs");
    EXPECT_EQ(seen.currentPlan, expected.currentPlan) << what;
}

class UnsavedPlansTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(plans, link, prompts, settings, Language::English);
        frame->resize(1200, 600);
        showActive(*frame);
    }

    void press(int command) { QTest::mouseClick(frame->ribbon().button(command), Qt::LeftButton); }
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : frame.get(), key, modifiers);
    }
    CSortComboListCtrl& planList() { return frame->planPane().listControl(); }
    CSortComboListCtrl& channelList() { return frame->channelPane().listControl(); }
    Seen seen()
    {
        return {general_file::encode(allPlans(plans), false), planList().view(), channelList().view(),
                frame->channelPane().currentPlan()};
    }
    std::string file(const char* name) { return dir.file(name).string(); }
    std::string writeTwoPlans()
    {
        const std::string path = file("two.gnr");
        EXPECT_TRUE(writeGeneralFile(path, allPlans(makePlanList(2, 1))).ok());
        return path;
    }

    TempDir dir;
    PlanList plans;
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    AppSettings settings{QString::fromStdString(dir.file("settings.ini").string())};
    RecoveryFile recovery{QString::fromStdString(dir.file("recovery").string())};
    std::unique_ptr<CMainFrame> frame;
};

// Every change made with clicks and keys comes back exactly with Undo and goes
// again with Redo: the plans byte for byte, the panes row for row.
TEST_F(UnsavedPlansTest, EveryCommandUndoesAndRedoesExactly)
{
    // Each step: what the user does first (moving around, ticking, opening an
    // editor), then the change itself.
    const auto none = [] {};
    const auto commit = [](QWidget* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    };
    const std::vector<std::pair<std::function<void()>, std::function<void()>>> steps{
        {none, [&] { press(cmd::kPlanAdd); }},
        {none, [&] { press(cmd::kPlanAdd); }},
        {[&] { clickCell(planList(), 0, 0); }, [&] { press(cmd::kChannelAdd); }},
        {none, [&] { press(cmd::kChannelAdd); }},
        {none, [&] { press(cmd::kChannelAdd); }},
        // A rule changes dependent fields with the type.
        {[&] { openCellEditor(channelList(), 0, 3); },
         [&] {
             CInPlaceCombo* combo = channelList().openCombo();
             ASSERT_NE(combo, nullptr);
             combo->setCurrentIndex(combo->findText(QStringLiteral("DVB_S2")));
             commit(combo);
         }},
        {[&] { openCellEditor(channelList(), 1, 4); },
         [&] {
             ASSERT_NE(channelList().openEdit(), nullptr);
             channelList().openEdit()->setText(QStringLiteral("11493"));
             commit(channelList().openEdit());
         }},
        {[&] {
             clickHeader(channelList(), 4);
             channelList().setChecked(0, true);
             channelList().setChecked(2, true);
             prompts.answers = {true};
         },
         [&] { press(cmd::kChannelDelete); }},
        {[&] { openCellEditor(planList(), 1, 1); },
         [&] {
             ASSERT_NE(planList().openEdit(), nullptr);
             planList().openEdit()->setText(QStringLiteral("Astra"));
             commit(planList().openEdit());
         }},
        {[&] {
             planList().setChecked(1, true);
             prompts.answers = {true};
         },
         [&] { press(cmd::kPlanDelete); }},
        {none, [&] { press(cmd::kPlanAdd); }},
        // Save Select renumbers the saved plans.
        {[&] {
             planList().setChecked(0, true);
             prompts.fileTypes = {FileType::General};
             prompts.saveFiles = {file("select.gnr")};
         },
         [&] { press(cmd::kSaveSelect); }},
        // The list commands, each one step.
        {[&] {
             clickCell(planList(), 0, 0);
             clickCell(channelList(), 0, 0);
         },
         [&] { keys(Qt::Key_D, Qt::ControlModifier); }},
        {[&] { keys(Qt::Key_C, Qt::ControlModifier); }, [&] { keys(Qt::Key_V, Qt::ControlModifier); }},
        {none, [&] { keys(Qt::Key_Up, Qt::ControlModifier); }},
        {none,
         [&] {
             const std::unique_ptr<QMimeData> rows = channelList().draggedRows();
             EXPECT_TRUE(dropOnList(channelList(), *rows, QPoint(5, channelList().viewport()->height() - 2)));
         }},
        {[&] { prompts.answers = {true}; }, [&] { press(cmd::kRemoveDuplicates); }},
        {[&] { clickCell(channelList(), 0, 0); }, [&] { keys(Qt::Key_X, Qt::ControlModifier); }},
        {[&] {
             clickCell(planList(), 1, 0);
             prompts.answers = {true};
         },
         [&] { keys(Qt::Key_Delete, Qt::NoModifier); }},
    };
    std::vector<Seen> before;
    std::vector<Seen> after;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        before.push_back(seen());
        steps[i].second();
        after.push_back(seen());
        ASSERT_NE(before.back().file, after.back().file) << "step " << i;
    }
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kConfirmDeleteTps, msg::kConfirmDeletePlans,
                                                            msg::kConfirmRemoveDuplicates, msg::kConfirmDeletePlans}));
    EXPECT_EQ(frame->history().stack().count(), static_cast<int>(steps.size()));

    for (std::size_t i = steps.size(); i-- > 0;) {
        keys(i == 3 ? Qt::Key_Backspace : Qt::Key_Z, i == 3 ? Qt::AltModifier : Qt::ControlModifier);
        expectSame(seen(), before[i], "undo of step " + std::to_string(i));
    }
    EXPECT_TRUE(plans.empty());
    EXPECT_FALSE(frame->ribbon().commandAction(cmd::kUndo)->isEnabled());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i % 2 == 0)
            keys(Qt::Key_Y, Qt::ControlModifier);
        else
            keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        // The panes as the user left them when undoing the step: those before
        // the next step (or after the last one).
        expectSame(seen(), i + 1 < steps.size() ? before[i + 1] : after[i], "redo of step " + std::to_string(i));
    }
    EXPECT_FALSE(frame->ribbon().commandAction(cmd::kRedo)->isEnabled());
}

// Import adds its plans as one step, which Undo takes back.
TEST_F(UnsavedPlansTest, ImportedPlansAreOneStep)
{
    const auto source = dir.file("satellites.xml");
    const std::string_view xml = R"(<satellites><sat name="Astra 19.2E" position="192">
        <transponder frequency="11837000" symbol_rate="29700000" polarization="0" fec_inner="4" system="0"/>
        </sat></satellites>)";
    writeBytes(source, {xml.begin(), xml.end()});
    press(cmd::kPlanAdd);
    whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<CDlgImport*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->readFrom(QString::fromStdString(source.string()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->reading() && dialog->satelliteTable()->rowCount() == 1; }));
        dialog->satelliteTable()->item(0, 0)->setCheckState(Qt::Checked);
        EXPECT_TRUE(dialog->importButton()->isEnabled()) << dialog->leftOutBox()->toPlainText().toStdString();
        QTest::mouseClick(dialog->importButton(), Qt::LeftButton);
    });
    press(cmd::kImport);
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(1).nameText(), "Astra");
    EXPECT_EQ(plans.at(1).channels[0].frequency, 1183700U);
    EXPECT_EQ(planList().rowCount(), 2);
    EXPECT_EQ(frame->ribbon().commandAction(cmd::kUndo)->toolTip(), QStringLiteral("Undo Import"));
    showActive(*frame); // the window system gives the focus back after a dialog
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(plans.count(), 1);
    EXPECT_EQ(planList().rowCount(), 1);
}

// The quick-access buttons name the step they undo or redo, and have nothing
// to do before the first change and after an Open.
TEST_F(UnsavedPlansTest, UndoAndRedoButtonsFollowTheSteps)
{
    QAbstractButton* undo = frame->ribbon().button(cmd::kUndo);
    QAbstractButton* redo = frame->ribbon().button(cmd::kRedo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    press(cmd::kPlanAdd);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Undo Add Plan"));
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_TRUE(plans.empty());
    EXPECT_EQ(redo->toolTip(), QStringLiteral("Redo Add Plan"));
    QTest::mouseClick(redo, Qt::LeftButton);
    EXPECT_EQ(plans.count(), 1);

    const auto path = dir.file("one.gnr");
    ASSERT_TRUE(writeGeneralFile(path, allPlans(makePlanList(1, 1))).ok());
    prompts.answers = {false};
    prompts.openFiles = {std::vector<std::string>{path.string()}};
    press(cmd::kOpen);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

// The title names the file and marks changes not saved since; closing with
// such changes asks, and Cancel keeps the window.
TEST_F(UnsavedPlansTest, ClosingWithUnsavedChangesAsksAndCancelStays)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orbitune[*]"));
    EXPECT_FALSE(frame->isWindowModified());
    press(cmd::kPlanAdd);
    clickCell(planList(), 0, 0);
    press(cmd::kChannelAdd);
    EXPECT_TRUE(frame->isWindowModified());

    prompts.saveAnswers = {Prompts::Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    EXPECT_EQ(prompts.messages[0].buttons, Prompts::Buttons::SaveDiscardCancel);

    // OK saves, and the window stays when the save does not happen.
    prompts.saveAnswers = {Prompts::Answer::Ok, Prompts::Answer::Ok};
    prompts.fileTypes = {std::nullopt, FileType::General};
    prompts.saveFiles = {file("saved.gnr")};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("saved.gnr[*] - Orbitune"));
    EXPECT_FALSE(frame->isWindowModified());
    PlanList saved;
    ASSERT_FALSE(readGeneralFile(dir.file("saved.gnr"), saved).error);
    EXPECT_EQ(saved.count(), 1);
}

TEST_F(UnsavedPlansTest, ClosingAfterUndoingToTheSavedPlansAsksNothing)
{
    frame->openFiles({QString::fromStdString(writeTwoPlans())});
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {file("saved.gnr")};
    press(cmd::kSaveAll);
    press(cmd::kPlanAdd);
    EXPECT_TRUE(frame->isWindowModified());
    keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(prompts.messages.empty());
}

// Upload would replace unsaved plans: it asks first, and Cancel keeps them
// without asking the meter anything.
TEST_F(UnsavedPlansTest, UploadWithUnsavedChangesAsksFirst)
{
    press(cmd::kPlanAdd);
    prompts.saveAnswers = {Prompts::Answer::Cancel};
    press(cmd::kUpload);
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    EXPECT_EQ(plans.count(), 1);
    EXPECT_TRUE(frame->isWindowModified());

    // Don't Save goes on; the meter holds no plans, and a failed upload
    // changes nothing.
    prompts.saveAnswers = {Prompts::Answer::Discard};
    press(cmd::kUpload);
    EXPECT_EQ(prompts.messageIds(),
              (std::vector<MessageId>{msg::kSaveOffer, msg::kSaveOffer, msg::kMeterHoldsNoPlans}));
    EXPECT_EQ(plans.count(), 1);
    EXPECT_EQ(planList().rowCount(), 1);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_EQ(frame->history().stack().count(), 1);
}

// Sending the plans to the meter is not saving them: after a Download the
// changes are still unsaved, the recovery copy stays and closing asks.
TEST_F(UnsavedPlansTest, DownloadLeavesTheChangesUnsaved)
{
    frame->watchUnsavedPlans(recovery);
    frame->autosave()->setTimes(1h, 1ms);
    frame->openFiles({QString::fromStdString(writeTwoPlans())});
    clickCell(planList(), 0, 0);
    press(cmd::kChannelAdd);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recovery.path()); }));
    press(cmd::kDownload);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("two.gnr[*] - Orbitune"));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(QFile::exists(recovery.path()));
    prompts.saveAnswers = {Prompts::Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
}

// Unsaved plans are copied a pause after each change; a save removes the copy.
TEST_F(UnsavedPlansTest, RecoveryCopyFollowsTheUnsavedChanges)
{
    frame->watchUnsavedPlans(recovery);
    frame->autosave()->setTimes(1h, 1ms);
    frame->openFiles({QString::fromStdString(writeTwoPlans())});
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("two.gnr[*] - Orbitune"));
    EXPECT_FALSE(QFile::exists(recovery.path()));
    press(cmd::kPlanAdd);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recovery.path()); }));
    PlanList copy;
    ASSERT_FALSE(readGeneralFile(recovery.path().toStdString(), copy).error);
    ASSERT_EQ(copy.count(), 3);
    EXPECT_EQ(copy.at(2), plans.at(2));

    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {file("saved.gnr")};
    planList().setChecked(2, true);
    prompts.answers = {true};
    press(cmd::kPlanDelete);
    press(cmd::kSaveAll);
    EXPECT_FALSE(QFile::exists(recovery.path()));
    keys(Qt::Key_Z, Qt::ControlModifier); // the deleted plan is back, not saved
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recovery.path()); }));
    keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(recovery.path()));
    EXPECT_FALSE(frame->isWindowModified());
}

// Locks tell a running editor's copy from one left by an editor that ended
// without removing it.
TEST(RecoveryFile, OnlyCopiesOfEndedEditorsAreLeft)
{
    TempDir dir;
    const QString folder = QString::fromStdString(dir.file("recovery").string());
    const PlanList plans = makePlanList(1, 1);
    auto first = std::make_unique<RecoveryFile>(folder);
    ASSERT_TRUE(first->write(plans).ok());
    const QString firstCopy = first->path();
    RecoveryFile second(folder);
    EXPECT_FALSE(second.takeLeftCopy());
    first.reset();
    const auto left = second.takeLeftCopy();
    ASSERT_TRUE(left);
    EXPECT_EQ(left->path, firstCopy);
    RecoveryFile third(folder);
    EXPECT_FALSE(third.takeLeftCopy()); // the second editor holds it now
    second.dropLeftCopy();
    EXPECT_FALSE(QFile::exists(firstCopy));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2); // the two running editors' locks
}

// An editor that ends without closing (killed, crashed) leaves its unsaved
// plans; the next start offers them, and they come back unsaved.
TEST(RecoveryFile, KilledEditorsPlansComeBackAtTheNextStart)
{
    TempDir dir;
    const QString folder = QString::fromStdString(dir.file("recovery").string());
    CComonOrbitune added;
    {
        COrbituneApp killed(Language::English, std::string("sim"), folder);
        ASSERT_TRUE(killed.InitInstance({}));
        killed.mainFrame()->autosave()->setTimes(1h, 1ms);
        QTest::mouseClick(killed.mainFrame()->ribbon().button(cmd::kPlanAdd), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QDir(folder).entryList({QStringLiteral("*.gnr")}).size() == 1; }));
        added = killed.plans().at(0);
    }
    COrbituneApp next(Language::English, std::string("sim"), folder);
    QString asked;
    whenModalShows([&asked](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    ASSERT_TRUE(next.InitInstance({}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.isEmpty(); }));
    EXPECT_TRUE(asked.startsWith(QStringLiteral("Plan(s) not saved when Orbitune last ended were kept at ")));
    ASSERT_EQ(next.plans().count(), 1);
    EXPECT_EQ(next.plans().at(0), added);
    EXPECT_EQ(next.mainFrame()->planPane().listControl().rowCount(), 1);
    EXPECT_TRUE(next.mainFrame()->isWindowModified());
    EXPECT_FALSE(next.mainFrame()->history().stack().canUndo());
}

} // namespace
