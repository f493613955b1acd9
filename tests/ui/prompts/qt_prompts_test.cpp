#include "ui/prompts/qt_prompts.h"

#include "core/res/string_ids.h"
#include "support/modal_driver.h"
#include "support/temp_dir.h"
#include "ui/dialogs/file_type_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString qt(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

struct BoxSeen {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Records the next message box and clicks its button with the given role.
void answerBox(BoxSeen& seen, QMessageBox::StandardButton press)
{
    whenModalShows([&seen, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        seen.buttons.sort();
        QTest::mouseClick(box->button(press), Qt::LeftButton);
        EXPECT_FALSE(box->isVisible());
    });
}

} // namespace

TEST(QtPrompts, TellShowsAWarningCaptionedOrbituneWithOkOnly)
{
    QtPrompts prompts(Language::English);
    BoxSeen seen;
    answerBox(seen, QMessageBox::Ok);
    EXPECT_TRUE(prompts.tell(PromptOwner::MainWindow, msg::kQ24MaxPlans));
    EXPECT_EQ(seen.caption, QStringLiteral("Orbitune"));
    EXPECT_EQ(seen.text, QStringLiteral("Q24 have no more than 16 plans"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
}

TEST(QtPrompts, AskAnswersFalseForCancelAndTrueForOk)
{
    QtPrompts prompts(Language::English);
    BoxSeen cancelled;
    answerBox(cancelled, QMessageBox::Cancel);
    EXPECT_FALSE(prompts.ask(PromptOwner::MainWindow, msg::kOrbtabExists, {"Sat"}));
    EXPECT_EQ(cancelled.text, QStringLiteral("The target Sat.Orbtab file is already exist, overwrite it?"));
    EXPECT_EQ(cancelled.icon, QMessageBox::Warning);
    EXPECT_EQ(cancelled.buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));

    BoxSeen accepted;
    answerBox(accepted, QMessageBox::Ok);
    EXPECT_TRUE(prompts.ask(PromptOwner::MainWindow, msg::kSaveOffer));
}

TEST(QtPrompts, EscapeInAQuestionMeansNo)
{
    QtPrompts prompts(Language::English);
    whenModalShows([](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Escape);
        EXPECT_FALSE(modal->isVisible());
    });
    EXPECT_FALSE(prompts.ask(PromptOwner::MainWindow, msg::kSaveOffer));
}

// Before unsaved plans go: OK saves, Don't Save goes on, Cancel and Escape stay.
TEST(QtPrompts, SaveQuestionHasThreeAnswers)
{
    QtPrompts prompts(Language::English);
    BoxSeen seen;
    answerBox(seen, QMessageBox::Discard);
    EXPECT_EQ(prompts.askToSave(PromptOwner::MainWindow, msg::kSaveOffer), Prompts::Answer::Discard);
    EXPECT_EQ(seen.text, QStringLiteral("Save plan(s) in the planlist?"));
    EXPECT_EQ(seen.buttons,
              (QStringList{QStringLiteral("Cancel"), QStringLiteral("Don't Save"), QStringLiteral("OK")}));
    answerBox(seen, QMessageBox::Ok);
    EXPECT_EQ(prompts.askToSave(PromptOwner::MainWindow, msg::kSaveOffer), Prompts::Answer::Ok);
    whenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(prompts.askToSave(PromptOwner::MainWindow, msg::kSaveOffer), Prompts::Answer::Cancel);

    QtPrompts chinese(Language::Chinese);
    BoxSeen chineseSeen;
    answerBox(chineseSeen, QMessageBox::Cancel);
    EXPECT_EQ(chinese.askToSave(PromptOwner::MainWindow, msg::kSaveOffer), Prompts::Answer::Cancel);
    EXPECT_EQ(chineseSeen.buttons,
              (QStringList{QStringLiteral("不保存"), QStringLiteral("取消"), QStringLiteral("确定")}));
}

// The offer of kept plans: Restore, Later and Discard; Escape means Later.
TEST(QtPrompts, RestoreOfferHasRestoreLaterAndDiscard)
{
    QtPrompts prompts(Language::Chinese);
    BoxSeen seen;
    answerBox(seen, QMessageBox::Discard);
    EXPECT_EQ(prompts.askToRestore(PromptOwner::MainWindow, msg::kRestoreOffer, {"2024-05-01 10:00"}),
              Prompts::Answer::Discard);
    EXPECT_EQ(seen.text, QStringLiteral("上次Orbitune结束时未保存的频道表已于2024-05-01 10:00保留, 恢复它们?"));
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("丢弃"), QStringLiteral("以后再说"), QStringLiteral("恢复")}));
    whenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(prompts.askToRestore(PromptOwner::MainWindow, msg::kRestoreOffer, {"2024-05-01 10:00"}),
              Prompts::Answer::Cancel);
}

TEST(QtPrompts, ChineseButtonsAndTexts)
{
    QtPrompts prompts(Language::Chinese);
    BoxSeen seen;
    answerBox(seen, QMessageBox::Ok);
    EXPECT_TRUE(prompts.ask(PromptOwner::MainWindow, msg::kSaveOffer));
    EXPECT_EQ(seen.caption, QStringLiteral("Orbitune"));
    EXPECT_EQ(seen.text, QStringLiteral("保存列表中的频道表?"));
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("取消"), QStringLiteral("确定")}));
}

TEST(QtPrompts, OpenDialogOffersTheFiltersInOrderAndSeveralFiles)
{
    TempDir dir;
    writeBytes(dir.file("a.gnr"), {1});
    QtPrompts prompts(Language::English);
    FileDialogOptions options;
    options.filter = "General SateFile (*.gnr)|*.gnr|Q24 SateFile (*.planList)|*.planList|"
                     "Q9100 SateFiles (*.Orbtab)|*.Orbtab||";
    options.multipleFiles = true;
    whenModalShows([&dir](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{QStringLiteral("General SateFile (*.gnr)"), QStringLiteral("Q24 SateFile (*.planList)"),
                               QStringLiteral("Q9100 SateFiles (*.Orbtab)")}));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("General SateFile (*.gnr)"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        dialog->setDirectory(qt(dir.path()));
        dialog->selectFile(qt(dir.file("a.gnr")));
        // QFileDialog's own accept() is reached through the public QDialog one.
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompts.chooseOpenFiles(PromptOwner::MainWindow, options),
              std::vector<std::string>{dir.file("a.gnr").string()});
}

TEST(QtPrompts, CancelledOpenDialogAnswersNoPaths)
{
    QtPrompts prompts(Language::English);
    FileDialogOptions options;
    options.filter = "General SateFile (*.gnr)|*.gnr||";
    whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_TRUE(prompts.chooseOpenFiles(PromptOwner::MainWindow, options).empty());
}

TEST(QtPrompts, SaveDialogAddsTheDefaultSuffixAndAsksBeforeReplacing)
{
    TempDir dir;
    QtPrompts prompts(Language::English);
    const FileDialogOptions options{"gnr Save", "General File (*.gnr)|*.gnr||", "gnr", false, true};
    whenModalShows([&dir](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("gnr Save"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("General File (*.gnr)")});
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("gnr"));
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->setDirectory(qt(dir.path()));
        dialog->selectFile(QStringLiteral("plans"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompts.chooseSaveFile(PromptOwner::MainWindow, options), dir.file("plans.gnr").string());
}

TEST(QtPrompts, FolderBrowserShowsFoldersOnly)
{
    TempDir dir;
    QtPrompts prompts(Language::English);
    whenModalShows([&dir](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select path"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
        dialog->setDirectory(qt(dir.path()));
        dialog->selectFile(qt(dir.path()));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompts.chooseFolder(PromptOwner::MainWindow, "Select path"), dir.path().string());
}

// Each prompt shows over the window its owner names: the registered panes, or
// the dialog the user works in.
TEST(QtPrompts, OwnersNameTheirWindows)
{
    QWidget mainWindow;
    QWidget planPane(&mainWindow);
    QWidget channelPane(&mainWindow);
    QtPrompts prompts(Language::English);
    prompts.setWindows(&mainWindow, &planPane, &channelPane);
    std::vector<QWidget*> parents;
    const auto seeParent = [&parents] {
        whenModalShows([&parents](QWidget* modal) {
            parents.push_back(modal->parentWidget());
            qobject_cast<QDialog*>(modal)->accept();
        });
    };
    for (const auto owner : {PromptOwner::MainWindow, PromptOwner::PlanPane, PromptOwner::ChannelPane}) {
        seeParent();
        prompts.tell(owner, msg::kMaxPlans);
    }
    QDialog dialog(&mainWindow);
    dialog.setModal(true);
    dialog.show();
    seeParent();
    prompts.tell(PromptOwner::Dialog, msg::kMaxPlans);
    EXPECT_EQ(parents, (std::vector<QWidget*>{&mainWindow, &planPane, &channelPane, &dialog}));
}

TEST(QtPrompts, FileTypeRunsTheFileTypeSelectDialogInItsLanguage)
{
    QtPrompts prompts(Language::Chinese);
    whenModalShows([](QWidget* modal) {
        auto* dialog = qobject_cast<CDlgFileTypeSel*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("选择文件类型"));
        QTest::keyClick(dialog->combo(), Qt::Key_Down);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(prompts.chooseFileType(PromptOwner::MainWindow), FileType::Q24);
}
