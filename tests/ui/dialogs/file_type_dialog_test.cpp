#include "ui/dialogs/dialog_units.h"
#include "ui/dialogs/file_type_dialog.h"

#include "support/modal_driver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QStringList items(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

QStringList labelTexts(const QDialog& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// Opens the combo's list and clicks the item at `row`, as a user would.
void pickWithMouse(QComboBox& combo, int row)
{
    combo.showPopup();
    QAbstractItemView* view = combo.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
}

} // namespace

TEST(CDlgFileTypeSel, ShowsTheThreeFileTypesWithTheFirstSelected)
{
    CDlgFileTypeSel dialog(Language::English);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("File Type Select"));
    EXPECT_EQ(labelTexts(dialog), QStringList{QStringLiteral("File Type:")});
    QComboBox* combo = dialog.findChild<QComboBox*>(QStringLiteral("1002"));
    ASSERT_EQ(combo, dialog.combo());
    EXPECT_EQ(combo->property("controlId").toInt(), 1002);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(items(*combo), (QStringList{QStringLiteral("General Sate File(*.gnr)"), QStringLiteral("Q24 Sate File"),
                                          QStringLiteral("Q9100 Sate File(s)")}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(0, 120, 120));
    EXPECT_EQ(dialog.fileType(), 0);
}

// 204 x 95 dialog units, about 306 x 154 pixels with a 9-point font; the label
// is white on the teal background in every visual style.
TEST(CDlgFileTypeSel, SizeFollowsItsDialogUnitsAndTheLabelIsReadable)
{
    CDlgFileTypeSel dialog(Language::English);
    dialog.show();
    EXPECT_EQ(dialogUnitsToPixels(dialog.font(), {204, 95}), dialog.size());
    EXPECT_GT(dialog.width(), 250);
    EXPECT_LT(dialog.width(), 450);
    EXPECT_GT(dialog.height(), 120);
    EXPECT_LT(dialog.height(), 250);
    const QLabel* label = dialog.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    const QColor text = label->palette().color(QPalette::WindowText);
    const QColor back = label->palette().color(QPalette::Window);
    EXPECT_GT(std::abs(text.lightness() - back.lightness()), 120);
}

TEST(CDlgFileTypeSel, ChineseTextsWithTheSameItems)
{
    CDlgFileTypeSel dialog(Language::Chinese);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择文件类型"));
    EXPECT_EQ(labelTexts(dialog), QStringList{QStringLiteral("文件类型:")});
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("取消"));
    EXPECT_EQ(dialog.combo()->itemText(2), QStringLiteral("Q9100 Sate File(s)"));
}

TEST(CDlgFileTypeSel, ThirdItemClickedThenOkGivesTwo)
{
    CDlgFileTypeSel dialog(Language::English);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    pickWithMouse(*dialog.combo(), 2);
    EXPECT_EQ(dialog.combo()->currentText(), QStringLiteral("Q9100 Sate File(s)"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.fileType(), 2);
}

TEST(CDlgFileTypeSel, ArrowKeyChoosesTheSecondItem)
{
    CDlgFileTypeSel dialog(Language::English);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.combo(), Qt::Key_Down);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.fileType(), 1);
}

TEST(CDlgFileTypeSel, TextTypedOverTheItemSelectsNothingAndGivesZero)
{
    CDlgFileTypeSel dialog(Language::English);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    pickWithMouse(*dialog.combo(), 1);
    QLineEdit* edit = dialog.combo()->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Astra"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.combo()->count(), 3);
    EXPECT_EQ(dialog.fileType(), 0);
}

TEST(RunFileTypeSelect, ThirdItemAndOkAnswersTwo)
{
    whenModalShows([](QWidget* modal) {
        auto* dialog = qobject_cast<CDlgFileTypeSel*>(modal);
        ASSERT_NE(dialog, nullptr);
        pickWithMouse(*dialog->combo(), 2);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(runFileTypeSelect(nullptr, Language::English), 2);
}

TEST(RunFileTypeSelect, CancelAnswersNothing)
{
    whenModalShows([](QWidget* modal) {
        auto* dialog = qobject_cast<CDlgFileTypeSel*>(modal);
        ASSERT_NE(dialog, nullptr);
        pickWithMouse(*dialog->combo(), 2);
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(runFileTypeSelect(nullptr, Language::English), std::nullopt);
}

TEST(RunFileTypeSelect, EscapeAnswersNothing)
{
    whenModalShows([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("选择文件类型"));
        QTest::keyClick(modal, Qt::Key_Escape);
        EXPECT_FALSE(modal->isVisible());
    });
    EXPECT_EQ(runFileTypeSelect(nullptr, Language::Chinese), std::nullopt);
}
