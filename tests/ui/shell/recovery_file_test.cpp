#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/files/general_file.h"
#include "core/files/recovery_copy.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/lists/orbitune_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/autosave.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/orbitune_app.h"
#include "ui/shell/recovery_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <utility>

namespace {

using namespace std::chrono_literals;

// Leaves a copy of `plans` in `folder` as an editor that was killed does.
QString leaveCopy(const QString& folder, const PlanList& plans)
{
    RecoveryFile killed(folder);
    EXPECT_TRUE(killed.write(plans).ok());
    return killed.path();
}

QStringList copiesIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.gnr")}, QDir::Files);
}

void click(QMessageBox& box, QMessageBox::StandardButton button)
{
    ASSERT_NE(box.button(button), nullptr) << box.text().toStdString();
    QTest::mouseClick(box.button(button), Qt::LeftButton);
}

// Answers the first message box shown after start() while it lives, from
// inside the box's own event loop.
class BoxAnswer {
public:
    explicit BoxAnswer(std::function<void(QMessageBox&)> answer) : answer_(std::move(answer))
    {
        poll_.setInterval(1);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            poll_.stop();
            text = box->text();
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            buttons.sort();
            answered = true;
            answer_(*box);
            if (box->isVisible())
                box->reject();
        });
    }
    void start() { poll_.start(); }

    QString text;
    QStringList buttons;
    bool answered = false;

private:
    std::function<void(QMessageBox&)> answer_;
    QTimer poll_;
};

// An editor started on `folder` whose offer `answer` answered; `prepare` runs
// on the editor before the offer comes.
struct Start {
    std::unique_ptr<COrbituneApp> app;
    QString offer;
    QStringList buttons;
};
Start startEditor(const QString& folder, const std::function<void(QMessageBox&)>& answer,
                  const std::function<void(COrbituneApp&)>& prepare = {})
{
    Start start{std::make_unique<COrbituneApp>(Language::English, std::string("sim"), folder), {}, {}};
    BoxAnswer offer(answer);
    offer.start();
    EXPECT_TRUE(start.app->InitInstance({}));
    if (prepare)
        prepare(*start.app);
    EXPECT_TRUE(QTest::qWaitFor([&] { return offer.answered; }));
    start.offer = offer.text;
    start.buttons = offer.buttons;
    return start;
}

} // namespace

// Later, Escape, the close box and a Discard not confirmed keep the plans for
// the next start; only a confirmed Discard throws them away.
TEST(RecoveryOffer, OnlyAConfirmedDiscardThrowsTheKeptPlansAway)
{
    TempDir dir;
    const QString folder = QString::fromStdString(dir.file("recovery").string());
    const QString copy = leaveCopy(folder, makePlanList(2, 1));
    BoxAnswer declined([](QMessageBox& box) { click(box, QMessageBox::Cancel); });
    const std::vector<std::pair<const char*, std::function<void(QMessageBox&)>>> keeping{
        {"Later", [](QMessageBox& box) { click(box, QMessageBox::Cancel); }},
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"close box", [](QMessageBox& box) { box.close(); }},
        {"Discard, then Cancel",
         [&declined](QMessageBox& box) {
             declined.start();
             click(box, QMessageBox::Discard);
         }},
    };
    for (const auto& [what, answer] : keeping) {
        const Start start = startEditor(folder, answer);
        EXPECT_TRUE(start.offer.startsWith(QStringLiteral("Plan(s) not saved when Orbitune last ended were kept at ")))
            << what;
        EXPECT_EQ(start.buttons,
                  (QStringList{QStringLiteral("Discard"), QStringLiteral("Later"), QStringLiteral("Restore")}))
            << what;
        EXPECT_TRUE(start.app->plans().empty()) << what;
        EXPECT_FALSE(start.app->mainFrame()->isWindowModified()) << what;
        EXPECT_TRUE(QFile::exists(copy)) << what;
    }
    EXPECT_EQ(declined.text, QStringLiteral("Discard the plan(s) not saved when Orbitune last ended? They can not be "
                                            "restored afterwards"));

    BoxAnswer confirmed([](QMessageBox& box) { click(box, QMessageBox::Ok); });
    startEditor(folder, [&confirmed](QMessageBox& box) {
        confirmed.start();
        click(box, QMessageBox::Discard);
    });
    EXPECT_TRUE(confirmed.answered);
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(copiesIn(folder).isEmpty());
}

// The restored plans stay on disk in the old copy until the editor has
// written its own: an editor killed in between offers them again.
TEST(RecoveryOffer, RestoredCopyStaysUntilTheNewOneIsWritten)
{
    TempDir dir;
    const QString folder = QString::fromStdString(dir.file("recovery").string());
    const PlanList plans = makePlanList(2, 3);
    const QString copy = leaveCopy(folder, plans);
    const auto restore = [](QMessageBox& box) { click(box, QMessageBox::Ok); };
    {
        const Start killed =
            startEditor(folder, restore, [](COrbituneApp& app) { app.mainFrame()->autosave()->setTimes(1h, 1h); });
        ASSERT_EQ(killed.app->plans().count(), 2);
        EXPECT_TRUE(killed.app->mainFrame()->isWindowModified());
        EXPECT_TRUE(QFile::exists(copy));
    }
    const Start next =
        startEditor(folder, restore, [](COrbituneApp& app) { app.mainFrame()->autosave()->setTimes(1h, 1ms); });
    ASSERT_EQ(next.app->plans().count(), 2);
    EXPECT_EQ(next.app->plans().at(1), plans.at(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(copy); }));
    const QStringList copies = copiesIn(folder);
    ASSERT_EQ(copies.size(), 1);
    const RecoveryCopyRead written = readRecoveryCopy(QDir(folder).filePath(copies[0]).toStdString());
    EXPECT_TRUE(written.content.whole);
    ASSERT_EQ(written.content.plans.size(), 2U);
    EXPECT_EQ(written.content.plans[1], plans.at(1));
}

// A copy cut short is offered as damaged, with the plans that can be read.
TEST(RecoveryOffer, DamagedCopyIsOfferedAsDamaged)
{
    TempDir dir;
    const QString folder = QString::fromStdString(dir.file("recovery").string());
    const PlanList plans = makePlanList(3, 2);
    const QString copy = leaveCopy(folder, plans);
    std::filesystem::resize_file(copy.toStdString(), 24 + 2 * CComonOrbitune::kImageSize + 100);
    const Start start = startEditor(folder, [](QMessageBox& box) { click(box, QMessageBox::Ok); });
    EXPECT_TRUE(
        start.offer.endsWith(QStringLiteral(", but the copy is damaged: 2 of 3 plan(s) could be read. Restore those?")))
        << start.offer.toStdString();
    ASSERT_EQ(start.app->plans().count(), 2);
    EXPECT_EQ(start.app->plans().at(0), plans.at(0));
    EXPECT_EQ(start.app->plans().at(1), plans.at(1));
    EXPECT_EQ(start.app->mainFrame()->planPane().listControl().rowCount(), 2);
    EXPECT_TRUE(QFile::exists(copy));
}

// A copy that cannot be written is told once, naming the file and the reason,
// and again only after a copy was written in between.
TEST(RecoveryOffer, FailedCopyIsToldOnceUntilOneIsWritten)
{
    TempDir dir;
    PlanList plans;
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    AppSettings settings{QString::fromStdString(dir.file("settings.ini").string())};
    RecoveryFile recovery{QString::fromStdString(dir.file("recovery").string())};
    CMainFrame frame(plans, link, prompts, settings, Language::English);
    showActive(frame);
    frame.watchUnsavedPlans(recovery);
    frame.autosave()->setTimes(1h, 1h);
    const auto change = [&] {
        QTest::mouseClick(frame.ribbon().button(cmd::kPlanAdd), Qt::LeftButton);
        frame.autosave()->writeNow();
    };
    // A folder where the copy goes cannot be replaced by it.
    ASSERT_TRUE(QDir().mkpath(recovery.path()));
    change();
    change();
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kRecoveryCopyFailed});
    const std::string told = "The unsaved plans can not be kept in " + recovery.path().toStdString() +
                             ": not a regular file. Until they can, save them to a file to keep them";
    EXPECT_EQ(prompts.messages[0].text, told);
    EXPECT_EQ(frame.statusBar()->currentMessage().toStdString(), told);

    ASSERT_TRUE(QDir().rmdir(recovery.path()));
    change();
    EXPECT_TRUE(QFile::exists(recovery.path()));
    ASSERT_TRUE(QFile::remove(recovery.path()));
    ASSERT_TRUE(QDir().mkpath(recovery.path()));
    change();
    EXPECT_EQ(prompts.messages.size(), 2U);

    // An editor the system ends shows nothing: nobody may be there to answer.
    ASSERT_TRUE(QDir().rmdir(recovery.path()));
    change();
    ASSERT_TRUE(QFile::remove(recovery.path()));
    ASSERT_TRUE(QDir().mkpath(recovery.path()));
    QTest::mouseClick(frame.ribbon().button(cmd::kPlanAdd), Qt::LeftButton);
    frame.keepUnsavedOnClose();
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(prompts.messages.size(), 2U);

    // Without its folder the copy names the folder and the system's reason.
    writeBytes(dir.file("file"), {1});
    RecoveryFile nowhere(QString::fromStdString((dir.file("file") / "recovery").string()));
    const SaveResult result = nowhere.write(plans);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->path, (dir.file("file") / "recovery").string());
    EXPECT_EQ(result.error->reason, std::strerror(ENOTDIR));
}
