#include "ui/shell/command_ids.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/ribbon_button.h"
#include "ui/shell/ribbon_panel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Labels = std::vector<std::pair<int, QString>>;

// A ribbon shown in an active window, so that clicks and key tips reach it.
struct ShownRibbon {
    explicit ShownRibbon(Language language = Language::English) : ribbon(language)
    {
        ribbon.resize(900, 120);
        ribbon.show();
        ribbon.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&ribbon));
    }
    MainRibbon ribbon;
};

// Ids and labels of a panel's large buttons, left to right.
Labels buttonsOf(const RibbonPanel* panel)
{
    Labels result;
    for (const RibbonButton* button : panel->findChildren<RibbonButton*>())
        result.emplace_back(button->commandId(), button->text());
    return result;
}

QStringList captionsOf(const MainRibbon& ribbon)
{
    QStringList captions;
    for (const RibbonPanel* panel : ribbon.panels(0))
        captions.append(panel->caption());
    return captions;
}

std::vector<int> checkedStyles(const MainRibbon& ribbon)
{
    std::vector<int> ids;
    for (const QAction* action : ribbon.styleMenu()->actions()) {
        if (action->isChecked())
            ids.push_back(action->data().toInt());
    }
    return ids;
}

QToolButton* styleButton(const MainRibbon& ribbon)
{
    return ribbon.findChild<QToolButton*>(QStringLiteral("ribbonMenuButton"));
}

void clickMenuItem(QMenu* menu, QAction* action)
{
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

QAction* styleItem(const MainRibbon& ribbon, int id)
{
    for (QAction* action : ribbon.styleMenu()->actions()) {
        if (action->data().toInt() == id)
            return action;
    }
    return nullptr;
}

const std::vector<int> kButtonIds{
    cmd::kOpen,       cmd::kImport,         cmd::kSaveSelect, cmd::kSaveAll,       cmd::kPlanAdd,
    cmd::kPlanDelete, cmd::kSelectAllPlans, cmd::kChannelAdd, cmd::kChannelDelete, cmd::kSelectAllChannels,
    cmd::kUpload,     cmd::kDownload,       cmd::kUpgrade};

} // namespace

TEST(MainRibbon, ClickingEachButtonEmitsItsCommandId)
{
    ShownRibbon shown;
    for (const int id : kButtonIds) {
        QSignalSpy spy(&shown.ribbon, &MainRibbon::commandTriggered);
        QAbstractButton* button = shown.ribbon.button(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(spy.count(), 1) << id;
        EXPECT_EQ(spy.at(0).at(0).toInt(), id);
    }
}

TEST(MainRibbon, EnglishCategoryPanelsAndButtons)
{
    MainRibbon ribbon(Language::English);
    ASSERT_EQ(ribbon.tabBar()->count(), 2);
    EXPECT_EQ(ribbon.tabBar()->tabText(0), QStringLiteral("Home"));
    EXPECT_EQ(ribbon.tabBar()->tabText(1), QStringLiteral("View"));
    EXPECT_EQ(buttonsOf(ribbon.panels(1)[0]),
              (Labels{{cmd::kShowBandPicture, QStringLiteral("Band Picture")},
                      {cmd::kShowSkyView, QStringLiteral("Sky View")},
                      {cmd::kShowPointingColumns, QStringLiteral("Pointing Columns")}}));
    EXPECT_EQ(ribbon.applicationButton()->text(), QStringLiteral("File"));
    EXPECT_EQ(captionsOf(ribbon),
              (QStringList{QStringLiteral("File"), QStringLiteral("Plan OP"), QStringLiteral("Channel OP"),
                           QStringLiteral("Panel1"), QStringLiteral("Upgrade")}));
    const auto panels = ribbon.panels(0);
    EXPECT_EQ(buttonsOf(panels[0]), (Labels{{cmd::kOpen, QStringLiteral("Open")},
                                            {cmd::kImport, QStringLiteral("Import")},
                                            {cmd::kSaveSelect, QStringLiteral("Save Select")},
                                            {cmd::kSaveAll, QStringLiteral("Save All")}}));
    EXPECT_EQ(buttonsOf(panels[1]), (Labels{{cmd::kPlanAdd, QStringLiteral("Add Plan")},
                                            {cmd::kPlanDelete, QStringLiteral("Delete Plan")},
                                            {cmd::kSelectAllPlans, QStringLiteral("Select All")}}));
    EXPECT_EQ(buttonsOf(panels[2]), (Labels{{cmd::kChannelAdd, QStringLiteral("Add CH")},
                                            {cmd::kChannelDelete, QStringLiteral("Delete CH")},
                                            {cmd::kSelectAllChannels, QStringLiteral("Select All")},
                                            {cmd::kRemoveDuplicates, QStringLiteral("Remove Duplicates")}}));
    EXPECT_EQ(buttonsOf(panels[3]),
              (Labels{{cmd::kUpload, QStringLiteral("Upload")}, {cmd::kDownload, QStringLiteral("Download")}}));
    EXPECT_EQ(buttonsOf(panels[4]), (Labels{{cmd::kUpgrade, QStringLiteral("Upgrade")}}));
    EXPECT_EQ(panels[3]->findChild<QComboBox*>(), ribbon.typeCombo());
    // The Data menu beside Style.
    EXPECT_EQ(ribbon.commandAction(cmd::kImportTable)->text(), QStringLiteral("Import Table..."));
    EXPECT_EQ(ribbon.commandAction(cmd::kExportTable)->text(), QStringLiteral("Export Table..."));
    EXPECT_EQ(ribbon.commandAction(cmd::kUpdateFromSource)->text(), QStringLiteral("Update from Source..."));
}

TEST(MainRibbon, ChineseCategoryPanelsAndButtons)
{
    MainRibbon ribbon(Language::Chinese);
    EXPECT_EQ(ribbon.tabBar()->tabText(0), QStringLiteral("主目录"));
    EXPECT_EQ(ribbon.tabBar()->tabText(1), QStringLiteral("视图"));
    EXPECT_EQ(ribbon.applicationButton()->text(), QStringLiteral("File"));
    EXPECT_EQ(captionsOf(ribbon), (QStringList{QStringLiteral("文件"), QStringLiteral("频道表"), QStringLiteral("频道"),
                                               QStringLiteral("同步"), QStringLiteral("升级")}));
    const auto panels = ribbon.panels(0);
    EXPECT_EQ(buttonsOf(panels[0]), (Labels{{cmd::kOpen, QStringLiteral("打开")},
                                            {cmd::kImport, QStringLiteral("导入")},
                                            {cmd::kSaveSelect, QStringLiteral("保存选择")},
                                            {cmd::kSaveAll, QStringLiteral("保存全部")}}));
    EXPECT_EQ(buttonsOf(panels[1]), (Labels{{cmd::kPlanAdd, QStringLiteral("添加频道表")},
                                            {cmd::kPlanDelete, QStringLiteral("删除频道表")},
                                            {cmd::kSelectAllPlans, QStringLiteral("选择全部")}}));
    EXPECT_EQ(buttonsOf(panels[2]), (Labels{{cmd::kChannelAdd, QStringLiteral("添加频道")},
                                            {cmd::kChannelDelete, QStringLiteral("删除频道")},
                                            {cmd::kSelectAllChannels, QStringLiteral("选择全部")},
                                            {cmd::kRemoveDuplicates, QStringLiteral("删除重复")}}));
    EXPECT_EQ(buttonsOf(panels[3]),
              (Labels{{cmd::kUpload, QStringLiteral("上传")}, {cmd::kDownload, QStringLiteral("下载")}}));
    EXPECT_EQ(buttonsOf(panels[4]), (Labels{{cmd::kUpgrade, QStringLiteral("升级")}}));
    EXPECT_EQ(styleButton(ribbon)->text(), QStringLiteral("Style"));
    EXPECT_EQ(styleItem(ribbon, cmd::kLookOffice2007Blue)->text(), QStringLiteral("Office 2007 (&Blue Style)"));
}

TEST(MainRibbon, TypeComboIsEditableWithTwoEntriesAndNoneSelected)
{
    ShownRibbon shown;
    QComboBox* combo = shown.ribbon.typeCombo();
    EXPECT_EQ(combo->width(), 108);
    EXPECT_TRUE(combo->isEditable());
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Q36"));
    EXPECT_EQ(combo->itemText(1), QString());
    EXPECT_EQ(combo->currentIndex(), -1);
}

TEST(MainRibbon, ChoosingATypeEntryEmitsTheComboCommand)
{
    ShownRibbon shown;
    QComboBox* combo = shown.ribbon.typeCombo();
    combo->setEditText(QStringLiteral("Q36"));
    QSignalSpy spy(&shown.ribbon, &MainRibbon::commandTriggered);

    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(1, 0)).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), cmd::kTypeCombo);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->currentText(), QString());

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), cmd::kTypeCombo);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Q36"));
}

TEST(MainRibbon, TypingInTheComboAddsNoEntry)
{
    ShownRibbon shown;
    QComboBox* combo = shown.ribbon.typeCombo();
    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("Q99"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->count(), 2);
}

TEST(MainRibbon, StyleMenuChecksExactlyTheCurrentStyle)
{
    MainRibbon ribbon(Language::English);
    const auto items = ribbon.styleMenu()->actions();
    ASSERT_EQ(items.size(), 5);
    const QStringList texts{QStringLiteral("Office 2007 (&Blue Style)"), QStringLiteral("Office 2007 (B&lack Style)"),
                            QStringLiteral("Office 2007 (&Silver Style)"), QStringLiteral("Office 2007 (&Aqua Style)"),
                            QStringLiteral("Win&dows 7")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->text(), texts[i]);
        EXPECT_EQ(items[i]->data().toInt(), 215 + i);
        EXPECT_TRUE(items[i]->isCheckable());
    }
    EXPECT_TRUE(checkedStyles(ribbon).empty());
    ribbon.setCurrentStyle(cmd::kLookOffice2007Silver);
    EXPECT_EQ(checkedStyles(ribbon), std::vector<int>{217});
    ribbon.setCurrentStyle(cmd::kLookWindows7);
    EXPECT_EQ(checkedStyles(ribbon), std::vector<int>{219});
    ribbon.setCurrentStyle(cmd::kLookOffice2003);
    EXPECT_TRUE(checkedStyles(ribbon).empty());
    ribbon.setCurrentStyle(cmd::kLookOffice2007Blue);
    ribbon.setCurrentStyle(300);
    EXPECT_TRUE(checkedStyles(ribbon).empty());
}

TEST(MainRibbon, ClickingAStyleItemEmitsItsIdAndChecksOnlyIt)
{
    ShownRibbon shown;
    shown.ribbon.setCurrentStyle(cmd::kLookOffice2007Blue);
    QSignalSpy spy(&shown.ribbon, &MainRibbon::commandTriggered);
    QTest::mouseClick(styleButton(shown.ribbon), Qt::LeftButton);
    clickMenuItem(shown.ribbon.styleMenu(), styleItem(shown.ribbon, cmd::kLookOffice2007Black));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), cmd::kLookOffice2007Black);
    EXPECT_EQ(checkedStyles(shown.ribbon), std::vector<int>{216});
    EXPECT_FALSE(shown.ribbon.styleMenu()->isVisible());
}

TEST(MainRibbon, RecentListShowsAtMostFourAndEmitsTheChosenPath)
{
    ShownRibbon shown;
    const QStringList paths{QStringLiteral("/plans/a.gnr"), QStringLiteral("/plans/b.planList"),
                            QStringLiteral("/plans/c.gnr"), QStringLiteral("/plans/d.gnr"),
                            QStringLiteral("/plans/e.gnr")};
    shown.ribbon.setRecentFiles(paths);
    const auto recent = shown.ribbon.recentFileActions();
    ASSERT_EQ(recent.size(), 4);
    EXPECT_EQ(recent[0]->text(), QStringLiteral("&1 a.gnr"));
    EXPECT_EQ(recent[1]->text(), QStringLiteral("&2 b.planList"));
    EXPECT_EQ(recent[3]->text(), QStringLiteral("&4 d.gnr"));
    QMenu* menu = shown.ribbon.applicationMenu();
    EXPECT_EQ(menu->actions().size(), 5);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("Recent Documents"));
    EXPECT_GE(menu->sizeHint().width(), 300);

    QSignalSpy chosen(&shown.ribbon, &MainRibbon::recentFileChosen);
    QSignalSpy commands(&shown.ribbon, &MainRibbon::commandTriggered);
    QTest::mouseClick(shown.ribbon.applicationButton(), Qt::LeftButton);
    clickMenuItem(menu, recent[1]);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), paths[1]);
    EXPECT_EQ(commands.count(), 0);

    shown.ribbon.setRecentFiles({paths[4]});
    ASSERT_EQ(shown.ribbon.recentFileActions().size(), 1);
    EXPECT_EQ(menu->actions().size(), 2);
    shown.ribbon.setRecentFiles({});
    EXPECT_EQ(menu->actions().size(), 1);
}

TEST(MainRibbon, DisabledCommandsIgnoreClicks)
{
    ShownRibbon shown;
    QSignalSpy spy(&shown.ribbon, &MainRibbon::commandTriggered);
    shown.ribbon.setCommandEnabled(cmd::kSelectAllPlans, false);
    shown.ribbon.setCommandEnabled(cmd::kTypeCombo, false);
    shown.ribbon.setCommandEnabled(cmd::kLookWindows7, false);
    EXPECT_FALSE(shown.ribbon.button(cmd::kSelectAllPlans)->isEnabled());
    EXPECT_FALSE(shown.ribbon.typeCombo()->isEnabled());
    EXPECT_FALSE(styleItem(shown.ribbon, cmd::kLookWindows7)->isEnabled());
    EXPECT_TRUE(shown.ribbon.button(cmd::kSelectAllChannels)->isEnabled());
    QTest::mouseClick(shown.ribbon.button(cmd::kSelectAllPlans), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);

    shown.ribbon.setCommandEnabled(cmd::kSelectAllPlans, true);
    QTest::mouseClick(shown.ribbon.button(cmd::kSelectAllPlans), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), cmd::kSelectAllPlans);
}

TEST(MainRibbon, UnknownIdsHaveNoButton)
{
    MainRibbon ribbon(Language::English);
    EXPECT_EQ(ribbon.button(cmd::kTypeCombo), nullptr);
    EXPECT_EQ(ribbon.button(cmd::kLookOffice2007Blue), nullptr);
    EXPECT_EQ(ribbon.button(0), nullptr);
    // An id without a control disables nothing.
    ribbon.setCommandEnabled(12345, false);
    for (const QAbstractButton* button : ribbon.findChildren<QAbstractButton*>())
        EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
    for (const QAction* action : ribbon.styleMenu()->actions())
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
}

TEST(MainRibbon, AboutButtonIsIconOnlyAndEmitsAbout)
{
    ShownRibbon shown;
    QAbstractButton* about = shown.ribbon.button(cmd::kAppAbout);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(qobject_cast<QToolButton*>(about)->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_FALSE(about->icon().isNull());
    EXPECT_EQ(about->toolTip(), QStringLiteral("About"));
    QSignalSpy spy(&shown.ribbon, &MainRibbon::commandTriggered);
    QTest::mouseClick(about, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), cmd::kAppAbout);
}

TEST(MainRibbon, KeyTipsReachTheirElements)
{
    ShownRibbon shown;
    QSignalSpy spy(&shown.ribbon, &MainRibbon::commandTriggered);
    QTest::keyClick(&shown.ribbon, Qt::Key_A, Qt::AltModifier);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), cmd::kAppAbout);

    QTest::keyClick(&shown.ribbon, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(shown.ribbon.button(cmd::kOpen)->hasFocus());

    QTest::keyClick(&shown.ribbon, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(shown.ribbon.styleMenu()->isVisible());
    shown.ribbon.styleMenu()->close();

    QTest::keyClick(&shown.ribbon, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(shown.ribbon.applicationMenu()->isVisible());
    shown.ribbon.applicationMenu()->close();
}

TEST(MainRibbon, ButtonsShowALargeIconAboveTheLabel)
{
    MainRibbon ribbon(Language::English);
    for (const int id : kButtonIds) {
        auto* button = qobject_cast<QToolButton*>(ribbon.button(id));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_EQ(button->iconSize(), QSize(32, 32));
        EXPECT_FALSE(button->icon().isNull()) << id;
    }
}
