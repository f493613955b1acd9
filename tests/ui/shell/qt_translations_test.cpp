#include "support/temp_dir.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/orbitune_app.h"
#include "ui/shell/qt_translations.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The labels of Qt's own Open dialog and the first entry of an edit box's
// context menu, as the user would see them now.
struct QtOwnTexts {
    std::string lookIn;
    std::string fileName;
    std::string undo; // without its shortcut
};

QtOwnTexts qtOwnTexts()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    const auto* fileName = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    const QAction* undo = menu->actions().value(0);
    return {lookIn != nullptr ? lookIn->text().toStdString() : std::string(),
            fileName != nullptr ? fileName->text().toStdString() : std::string(),
            undo != nullptr ? undo->text().section(QLatin1Char('\t'), 0, 0).toStdString() : std::string()};
}

TEST(QtTranslations, ChineseInterfaceShowsQtsOwnDialogsInChinese)
{
    {
        const QtTranslations translations(Language::Chinese);
        ASSERT_TRUE(translations.installed());
        const QtOwnTexts texts = qtOwnTexts();
        EXPECT_EQ(texts.lookIn, "查找范围：");
        EXPECT_EQ(texts.fileName, "文件名称(&N)：");
        EXPECT_EQ(texts.undo, "撤消(&U)");
    }
    // Gone with the object: the texts are English again.
    EXPECT_EQ(qtOwnTexts().lookIn, "Look in:");
}

// English needs no catalog; a Chinese interface whose catalog is missing keeps
// Qt's English texts rather than failing.
TEST(QtTranslations, EnglishOrAMissingCatalogKeepsQtsEnglishTexts)
{
    const QtTranslations english(Language::English);
    EXPECT_FALSE(english.installed());
    TempDir empty;
    const QtTranslations missing(Language::Chinese, QString::fromStdString(empty.path().string()));
    EXPECT_FALSE(missing.installed());
    const QtOwnTexts texts = qtOwnTexts();
    EXPECT_EQ(texts.lookIn, "Look in:");
    EXPECT_EQ(texts.undo, "&Undo");
}

// The application gives every window its own icon at both rendered sizes, ties
// them to its desktop entry and loads Qt's texts in the interface language.
TEST(OrbituneApp, WindowsCarryTheIconAndTheDesktopEntryAndQtSpeaksChinese)
{
    TempDir dir;
    COrbituneApp app(Language::Chinese, std::string("sim"), QString::fromStdString(dir.file("recovery").string()));
    ASSERT_TRUE(app.InitInstance({}));
    const QList<QSize> sizes = app.mainFrame()->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    EXPECT_FALSE(app.mainFrame()->windowIcon().pixmap(48).isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("io.github.orbitune.Orbitune"));
    EXPECT_EQ(qtOwnTexts().lookIn, "查找范围：");
}

} // namespace
