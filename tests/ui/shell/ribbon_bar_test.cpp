#include "ui/shell/ribbon_bar.h"
#include "ui/shell/ribbon_panel.h"

#include <QAbstractButton>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kFirstId = 1001;
constexpr int kSecondId = 1002;
constexpr int kMenuId = 1003;

// A bar of two categories with one button each and a menu of one item,
// shown in an active window.
struct TwoCategoryBar {
    TwoCategoryBar() : bar(QStringLiteral("App"), QStringLiteral("Recent"))
    {
        first = bar.addCategory(QStringLiteral("One"), Qt::Key_O);
        second = bar.addCategory(QStringLiteral("Two"), Qt::Key_T);
        firstButton = bar.addButton(bar.addPanel(first, QStringLiteral("P1")), kFirstId, QStringLiteral("B1"), {});
        secondButton = bar.addButton(bar.addPanel(second, QStringLiteral("P2")), kSecondId, QStringLiteral("B2"), {});
        menu = bar.addMenuButton(QStringLiteral("Menu"), Qt::Key_M);
        item = bar.addCommand(menu, kMenuId, QStringLiteral("Item"));
        bar.resize(400, 120);
        bar.show();
        bar.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&bar));
    }
    RibbonBar bar;
    int first = -1;
    int second = -1;
    QAbstractButton* firstButton = nullptr;
    QAbstractButton* secondButton = nullptr;
    QMenu* menu = nullptr;
    QAction* item = nullptr;
};

} // namespace

TEST(RibbonBar, KeyTipOfACategoryShowsItsPageAndFocusesItsFirstButton)
{
    TwoCategoryBar b;
    EXPECT_TRUE(b.firstButton->isVisible());
    EXPECT_FALSE(b.secondButton->isVisible());

    QTest::keyClick(&b.bar, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(b.bar.tabBar()->currentIndex(), b.second);
    EXPECT_TRUE(b.secondButton->isVisible());
    EXPECT_FALSE(b.firstButton->isVisible());
    EXPECT_TRUE(b.secondButton->hasFocus());

    QTest::keyClick(&b.bar, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(b.bar.tabBar()->currentIndex(), b.first);
    EXPECT_TRUE(b.firstButton->hasFocus());
}

TEST(RibbonBar, ClickingATabShowsItsPage)
{
    TwoCategoryBar b;
    QTabBar* tabs = b.bar.tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(b.second).center());
    EXPECT_TRUE(b.secondButton->isVisible());
    EXPECT_FALSE(b.firstButton->isVisible());
}

TEST(RibbonBar, PanelsBelongToTheirCategory)
{
    TwoCategoryBar b;
    ASSERT_EQ(b.bar.panels(b.first).size(), 1);
    ASSERT_EQ(b.bar.panels(b.second).size(), 1);
    EXPECT_EQ(b.bar.panels(b.first).front()->caption(), QStringLiteral("P1"));
    EXPECT_EQ(b.bar.panels(b.second).front()->caption(), QStringLiteral("P2"));
}

TEST(RibbonBar, MenuKeyTipOpensTheMenuWhoseItemEmitsItsId)
{
    TwoCategoryBar b;
    QSignalSpy spy(&b.bar, &RibbonBar::commandTriggered);
    QTest::keyClick(&b.bar, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(b.menu->isVisible());
    QTest::mouseClick(b.menu, Qt::LeftButton, {}, b.menu->actionGeometry(b.item).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), kMenuId);
}

TEST(RibbonBar, KeyTipsNeedTheAltKey)
{
    TwoCategoryBar b;
    QTest::keyClick(&b.bar, Qt::Key_T);
    EXPECT_EQ(b.bar.tabBar()->currentIndex(), b.first);
    QTest::keyClick(&b.bar, Qt::Key_M);
    EXPECT_FALSE(b.menu->isVisible());
}
