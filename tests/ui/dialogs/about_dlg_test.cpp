#include "ui/dialogs/about_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList labelTexts(const QDialog& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts.append(label->text());
    }
    return texts;
}

} // namespace

TEST(CAboutDlg, ShowsBothVersionsAndClosesOnOk)
{
    CAboutDlg dialog(Language::English);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Orbitune"));
    EXPECT_EQ(dialog.versionText(), QStringLiteral("Orbitune, Version 1.0.16.1"));
    EXPECT_EQ(dialog.productVersionText(), QStringLiteral("Product Version 1.0.163.1"));
    EXPECT_EQ(labelTexts(dialog),
              (QStringList{QStringLiteral("Orbitune, Version 1.0.16.1"), QStringLiteral("Product Version 1.0.163.1")}));
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(CAboutDlg, ChineseBoxIsTheEnglishOne)
{
    CAboutDlg dialog(Language::Chinese);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Orbitune"));
    EXPECT_EQ(dialog.versionText(), QStringLiteral("Orbitune, Version 1.0.16.1"));
    EXPECT_EQ(dialog.productVersionText(), QStringLiteral("Product Version 1.0.163.1"));
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
}

TEST(CAboutDlg, EnterAcceptsThroughTheDefaultButton)
{
    CAboutDlg dialog(Language::English);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
