#include "shell/qt_prompts.h"

#include "files/file_type_dialog.h"
#include "res/string_ids.h"
#include "support/modal_driver.h"
#include "support/temp_dir.h"

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
    EXPECT_TRUE(prompts.tell(nullptr, msg::kQ24MaxPlans));
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
    EXPECT_FALSE(prompts.ask(nullptr, msg::kOrbtabExists, {QStringLiteral("Sat")}));
    EXPECT_EQ(cancelled.text, QStringLiteral("The target Sat.Orbtab file is already exist, overwrite it?"));
    EXPECT_EQ(cancelled.icon, QMessageBox::Warning);
    EXPECT_EQ(cancelled.buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));

    BoxSeen accepted;
    answerBox(accepted, QMessageBox::Ok);
    EXPECT_TRUE(prompts.ask(nullptr, msg::kSaveOffer));
}

TEST(QtPrompts, EscapeInAQuestionMeansNo)
{
    QtPrompts prompts(Language::English);
    whenModalShows([](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Escape);
        EXPECT_FALSE(modal->isVisible());
    });
    EXPECT_FALSE(prompts.ask(nullptr, msg::kSaveOffer));
}

TEST(QtPrompts, ChineseButtonsAndTexts)
{
    QtPrompts prompts(Language::Chinese);
    BoxSeen seen;
    answerBox(seen, QMessageBox::Ok);
    EXPECT_TRUE(prompts.ask(nullptr, msg::kSaveOffer));
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
    options.filter = QStringLiteral("General SateFile (*.gnr)|*.gnr|Q24 SateFile (*.planList)|*.planList|"
                                 "Q9100 SateFiles (*.Orbtab)|*.Orbtab||");
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
    EXPECT_EQ(prompts.chooseOpenFiles(nullptr, options), QStringList{qt(dir.file("a.gnr"))});
}

TEST(QtPrompts, CancelledOpenDialogAnswersNoPaths)
{
    QtPrompts prompts(Language::English);
    FileDialogOptions options;
    options.filter = QStringLiteral("General SateFile (*.gnr)|*.gnr||");
    whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_TRUE(prompts.chooseOpenFiles(nullptr, options).isEmpty());
}

TEST(QtPrompts, SaveDialogAddsTheDefaultSuffixAndAsksBeforeReplacing)
{
    TempDir dir;
    QtPrompts prompts(Language::English);
    const FileDialogOptions options{QStringLiteral("gnr Save"), QStringLiteral("General File (*.gnr)|*.gnr||"),
                              QStringLiteral("gnr"), false, true};
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
    EXPECT_EQ(prompts.chooseSaveFile(nullptr, options), qt(dir.file("plans.gnr")));
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
    EXPECT_EQ(prompts.chooseFolder(nullptr, QStringLiteral("Select path")), qt(dir.path()));
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
    EXPECT_EQ(prompts.chooseFileType(nullptr), 1);
}
