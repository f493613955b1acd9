#include "ui/layout/wnd_resizer.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using CPanel = CWndResizer::CPanel;
using CRootPanel = CWndResizer::CRootPanel;
using CUIPanel = CWndResizer::CUIPanel;
using namespace panel_anchor;

// A shown top-level window holding a 100 x 100 pane, so that resizing the
// pane delivers real resize events.
class WndResizerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.resize(600, 400);
        pane->setGeometry(0, 0, 100, 100);
        host.show();
    }

    QWidget* addControl(int id, const QRect& geometry)
    {
        auto* control = new QWidget(pane);
        control->setProperty(CWndResizer::kControlIdProperty, id);
        control->setGeometry(geometry);
        return control;
    }

    CUIPanel* hookWithControl(int id, const QRect& geometry, int anchor)
    {
        addControl(id, geometry);
        EXPECT_TRUE(resizer.Hook(pane));
        CUIPanel* panel = resizer.GetUIPanel(id);
        EXPECT_NE(panel, nullptr);
        if (panel != nullptr)
            panel->SetAnchor(anchor);
        return panel;
    }

    QWidget* find(int id) const
    {
        for (QWidget* child : pane->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->property(CWndResizer::kControlIdProperty).toInt() == id)
                return child;
        }
        return nullptr;
    }

    QWidget host;
    QWidget* pane = new QWidget(&host);
    CWndResizer resizer;
};

TEST(WndResizerPanel, NewPanelDefaults)
{
    const CPanel panel;
    EXPECT_EQ(panel.anchor, 3);
    EXPECT_EQ(panel.dock, 0);
    EXPECT_EQ(panel.minSize, (PanelSize{10, 10}));
    EXPECT_EQ(panel.maxSize, (PanelSize{100000, 100000}));
    EXPECT_TRUE(panel.name.isEmpty());
    EXPECT_EQ(panel.parent, nullptr);
    EXPECT_TRUE(panel.children.empty());
    EXPECT_EQ(panel.GetTypeName(), QStringLiteral("CPanel"));
    EXPECT_EQ(panel.GetHookedWnd(), nullptr);

    const CRootPanel root;
    EXPECT_EQ(root.name, QStringLiteral("_root"));
    EXPECT_EQ(root.GetTypeName(), QStringLiteral("CRootPanel"));
    EXPECT_EQ(root.GetHookedWnd(), nullptr);

    const CUIPanel ui({1, 2, 3, 4}, 1001);
    EXPECT_EQ(ui.name, QStringLiteral("1001"));
    EXPECT_EQ(ui.GetTypeName(), QStringLiteral("CUIPanel"));
    EXPECT_EQ(ui.area, (PanelRect{1, 2, 3, 4}));
    EXPECT_FALSE(ui.ownMove);
    EXPECT_EQ(CUIPanel({}, -7).name, QStringLiteral("-7"));
}

TEST(WndResizerPanel, SetAnchorAddsTopAndLeft)
{
    CPanel panel;
    EXPECT_TRUE(panel.SetAnchor(4));
    EXPECT_EQ(panel.anchor, 6);
    EXPECT_TRUE(panel.SetAnchor(8));
    EXPECT_EQ(panel.anchor, 9);
    EXPECT_TRUE(panel.SetAnchor(15));
    EXPECT_EQ(panel.anchor, 15);
}

TEST(WndResizerPanel, SizeLimitsRefuseCrossingEachOther)
{
    CPanel panel;
    EXPECT_TRUE(panel.SetMaxSize({100, 50}));
    EXPECT_FALSE(panel.SetMinSize({101, 20}));
    EXPECT_FALSE(panel.SetMinSize({20, 51}));
    EXPECT_EQ(panel.minSize, (PanelSize{10, 10}));
    EXPECT_TRUE(panel.SetMinSize({100, 50}));
    EXPECT_EQ(panel.minSize, (PanelSize{100, 50}));

    EXPECT_FALSE(panel.SetMaxSize({99, 500}));
    EXPECT_FALSE(panel.SetMaxSize({500, 49}));
    EXPECT_EQ(panel.maxSize, (PanelSize{100, 50}));
    EXPECT_TRUE(panel.SetMaxSize({500, 60}));
    EXPECT_EQ(panel.maxSize, (PanelSize{500, 60}));
}

TEST(WndResizerPanel, ToStringText)
{
    CRootPanel root;
    root.area = {0, 0, 300, 200};
    auto child = std::make_unique<CUIPanel>(PanelRect{10, 20, 110, 70}, 1001);
    CUIPanel* ui = child.get();
    ASSERT_TRUE(root.AddChild(std::move(child)));
    ui->SetAnchor(15);
    ui->SetMaxSize({400, 300});
    EXPECT_EQ(root.ToString(), QStringLiteral("Name(_root), Type(CRootPanel), Anchor(3), Size(w:300, h:200), "
                                              "Area(l:0, t:0, r:300, b:200), MinSize(w:10, h:10), "
                                              "MaxSize(w:100000, h:100000), Parent(NULL), ChildrenCount(1)"));
    EXPECT_EQ(ui->ToString(), QStringLiteral("Name(1001), Type(CUIPanel), Anchor(15), Size(w:100, h:50), "
                                             "Area(l:10, t:20, r:110, b:70), MinSize(w:10, h:10), "
                                             "MaxSize(w:400, h:300), Parent(_root), ChildrenCount(0)"));
}

TEST(WndResizerPanel, AddChildMeasuresOffsetsFromTheParent)
{
    CPanel parent({10, 20, 210, 120});
    auto child = std::make_unique<CPanel>(PanelRect{15, 30, 200, 100});
    CPanel* added = child.get();
    ASSERT_TRUE(parent.AddChild(std::move(child)));
    EXPECT_EQ(added->parent, &parent);
    EXPECT_EQ(added->leftOffset, 5);
    EXPECT_EQ(added->topOffset, 10);
    EXPECT_EQ(added->rightOffset, 10);
    EXPECT_EQ(added->bottomOffset, 20);
    EXPECT_FALSE(parent.AddChild(std::unique_ptr<CPanel>()));
    EXPECT_EQ(parent.children.size(), 1U);
}

TEST(WndResizerPanel, AddChildReparentsFromTheOldParent)
{
    CPanel root({0, 0, 400, 400});
    root.AddChild(std::make_unique<CPanel>(PanelRect{0, 0, 200, 200}));
    root.AddChild(std::make_unique<CPanel>(PanelRect{200, 200, 400, 400}));
    CPanel* oldParent = root.children[0].get();
    CPanel* newParent = root.children[1].get();
    oldParent->AddChild(std::make_unique<CPanel>(PanelRect{250, 260, 300, 310}));
    CPanel* moved = oldParent->children[0].get();
    moved->name = QStringLiteral("moved");

    ASSERT_TRUE(newParent->AddChild(moved));
    EXPECT_TRUE(oldParent->children.empty());
    ASSERT_EQ(newParent->children.size(), 1U);
    EXPECT_EQ(newParent->children[0].get(), moved);
    EXPECT_EQ(moved->parent, newParent);
    EXPECT_EQ(moved->leftOffset, 50);
    EXPECT_EQ(moved->topOffset, 60);
    EXPECT_EQ(moved->rightOffset, 100);
    EXPECT_EQ(moved->bottomOffset, 90);
    EXPECT_EQ(CWndResizer::FindPanelByName(&root, QStringLiteral("MOVED")), moved);
}

TEST(WndResizerPanel, AddChildRefusesCyclesAndPanelsWithoutParent)
{
    CPanel root({0, 0, 400, 400});
    root.AddChild(std::make_unique<CPanel>(PanelRect{0, 0, 200, 200}));
    CPanel* middle = root.children[0].get();
    middle->AddChild(std::make_unique<CPanel>(PanelRect{0, 0, 100, 100}));
    CPanel* leaf = middle->children[0].get();

    EXPECT_FALSE(leaf->AddChild(middle));
    EXPECT_FALSE(middle->AddChild(middle));
    EXPECT_FALSE(leaf->AddChild(&root));
    EXPECT_FALSE(root.AddChild(static_cast<CPanel*>(nullptr)));
    EXPECT_EQ(middle->parent, &root);
    EXPECT_EQ(leaf->parent, middle);
    ASSERT_EQ(middle->children.size(), 1U);

    CPanel loose;
    EXPECT_FALSE(root.AddChild(&loose));
    EXPECT_EQ(root.children.size(), 1U);
}

TEST(WndResizerPanel, RemoveChildHandsThePanelBack)
{
    CPanel root({0, 0, 400, 400});
    root.AddChild(std::make_unique<CPanel>(PanelRect{0, 0, 200, 200}));
    CPanel* child = root.children[0].get();
    CPanel stranger;

    EXPECT_EQ(root.RemoveChild(&stranger), nullptr);
    EXPECT_EQ(root.RemoveChild(nullptr), nullptr);
    std::unique_ptr<CPanel> removed = root.RemoveChild(child);
    EXPECT_EQ(removed.get(), child);
    EXPECT_TRUE(root.children.empty());
    EXPECT_EQ(removed->parent, nullptr);
    EXPECT_TRUE(stranger.AddChild(std::move(removed)));
    EXPECT_EQ(stranger.children.size(), 1U);
}

TEST(WndResizerPanel, FindPanelByNameIsDepthFirstAndIgnoresCase)
{
    CRootPanel root;
    root.AddChild(std::make_unique<CPanel>());
    root.AddChild(std::make_unique<CPanel>());
    CPanel* first = root.children[0].get();
    CPanel* second = root.children[1].get();
    second->name = QStringLiteral("Twin");
    first->AddChild(std::make_unique<CPanel>());
    CPanel* deep = first->children[0].get();
    deep->name = QStringLiteral("twin");

    EXPECT_EQ(CWndResizer::FindPanelByName(&root, QStringLiteral("_ROOT")), &root);
    EXPECT_EQ(CWndResizer::FindPanelByName(&root, QStringLiteral("_Root")), &root);
    EXPECT_EQ(CWndResizer::FindPanelByName(&root, QStringLiteral("TWIN")), deep);
    EXPECT_EQ(CWndResizer::FindPanelByName(second, QStringLiteral("twin")), second);
    EXPECT_EQ(CWndResizer::FindPanelByName(&root, QString()), nullptr) << "unnamed panels are not found";
    EXPECT_EQ(CWndResizer::FindPanelByName(&root, QStringLiteral("twins")), nullptr);
    EXPECT_EQ(CWndResizer::FindPanelByName(nullptr, QStringLiteral("twin")), nullptr);
}

TEST_F(WndResizerTest, HookTakesTheWindowRectangleAndEntersTheMap)
{
    EXPECT_EQ(CWndResizer::FindResizer(pane), nullptr);
    ASSERT_TRUE(resizer.Hook(pane));
    EXPECT_EQ(resizer.GetHookedWnd(), pane);
    EXPECT_EQ(resizer.GetRootPanel().GetHookedWnd(), pane);
    EXPECT_EQ(resizer.GetRootPanel().area, (PanelRect{0, 0, 100, 100}));
    EXPECT_EQ(CWndResizer::FindResizer(pane), &resizer);

    CWndResizer other;
    EXPECT_FALSE(other.Hook(pane)) << "a window has one resizer";
    EXPECT_FALSE(resizer.Hook(&host)) << "a resizer follows one window";
    EXPECT_FALSE(other.Hook(nullptr));
    EXPECT_EQ(CWndResizer::FindResizer(pane), &resizer);
    EXPECT_EQ(other.GetHookedWnd(), nullptr);
}

TEST_F(WndResizerTest, AllEdgesAnchorFollowsTheWindowAndStopsAtTheMinimum)
{
    hookWithControl(1001, {0, 0, 100, 100}, kAll);
    resizer.LayoutPanels();
    pane->resize(300, 200);
    EXPECT_EQ(find(1001)->geometry(), QRect(0, 0, 300, 200));
    pane->resize(5, 5);
    EXPECT_EQ(find(1001)->geometry(), QRect(0, 0, 10, 10));
    EXPECT_EQ(resizer.GetRootPanel().area, (PanelRect{0, 0, 10, 10}));
}

TEST_F(WndResizerTest, OwnMoveControlFollowsTheWindowToo)
{
    CUIPanel* panel = hookWithControl(1000, {0, 0, 100, 100}, kAll);
    ASSERT_NE(panel, nullptr);
    panel->ownMove = true;
    addControl(1001, {0, 0, 50, 50});
    resizer.GetUIPanel(1001)->SetAnchor(kAll);
    resizer.LayoutPanels();
    pane->resize(250, 120);
    EXPECT_EQ(find(1000)->geometry(), QRect(0, 0, 250, 120));
    EXPECT_EQ(find(1001)->geometry(), QRect(0, 0, 200, 70));
}

TEST_F(WndResizerTest, OffsetsAreKept)
{
    hookWithControl(1001, {10, 10, 80, 80}, kAll);
    pane->resize(200, 150);
    EXPECT_EQ(find(1001)->geometry(), QRect(10, 10, 180, 130));
    pane->resize(20, 20);
    EXPECT_EQ(find(1001)->geometry(), QRect(10, 10, 10, 10)) << "the minimum size grows past the pane";
}

TEST_F(WndResizerTest, RightOnlyAndBottomOnlyAnchors)
{
    hookWithControl(1, {60, 10, 30, 20}, kRight);
    addControl(2, {10, 60, 30, 20});
    resizer.GetUIPanel(2)->SetAnchor(kBottom);
    addControl(3, {40, 40, 20, 20});
    resizer.GetUIPanel(3);
    EXPECT_EQ(resizer.GetUIPanel(1)->anchor, 6);
    EXPECT_EQ(resizer.GetUIPanel(2)->anchor, 9);

    pane->resize(300, 200);
    EXPECT_EQ(find(1)->geometry(), QRect(260, 10, 30, 20));
    EXPECT_EQ(find(2)->geometry(), QRect(10, 160, 30, 20));
    EXPECT_EQ(find(3)->geometry(), QRect(40, 40, 20, 20)) << "left and top anchors keep the place";
}

TEST_F(WndResizerTest, DockedControlsShareThePaneAndDoNotPushAnchoredOnes)
{
    addControl(1, {0, 0, 20, 100});
    addControl(2, {0, 0, 100, 10});
    addControl(3, {0, 0, 15, 15});
    addControl(4, {0, 0, 100, 25});
    addControl(5, {0, 0, 1, 1});
    addControl(6, {0, 0, 100, 100});
    ASSERT_TRUE(resizer.Hook(pane));
    resizer.GetUIPanel(1)->dock = panel_dock::kLeft;
    resizer.GetUIPanel(2)->dock = panel_dock::kTop;
    resizer.GetUIPanel(3)->dock = panel_dock::kRight;
    resizer.GetUIPanel(4)->dock = panel_dock::kBottom;
    resizer.GetUIPanel(5)->dock = panel_dock::kFill;
    resizer.GetUIPanel(6)->SetAnchor(kAll);

    pane->resize(300, 200);
    EXPECT_EQ(find(1)->geometry(), QRect(0, 0, 20, 200));
    EXPECT_EQ(find(2)->geometry(), QRect(20, 0, 280, 10));
    EXPECT_EQ(find(3)->geometry(), QRect(285, 10, 15, 190));
    EXPECT_EQ(find(4)->geometry(), QRect(20, 175, 265, 25));
    EXPECT_EQ(find(5)->geometry(), QRect(20, 10, 265, 165));
    EXPECT_EQ(find(6)->geometry(), QRect(0, 0, 300, 200));
}

TEST_F(WndResizerTest, NestedPanelsAreLaidOutInsideTheirParent)
{
    addControl(7, {50, 50, 40, 40});
    ASSERT_TRUE(resizer.Hook(pane));
    auto group = std::make_unique<CPanel>(PanelRect{40, 40, 100, 100});
    CPanel* groupPanel = group.get();
    groupPanel->SetAnchor(kRight | kBottom);
    resizer.GetRootPanel().AddChild(std::move(group));
    CUIPanel* control = resizer.GetUIPanel(7);
    ASSERT_TRUE(groupPanel->AddChild(control));
    control->SetAnchor(kAll);
    EXPECT_EQ(control->GetHookedWnd(), pane);
    EXPECT_EQ(resizer.GetUIPanel(7), control) << "found in the subtree, not created again";

    pane->resize(200, 150);
    EXPECT_EQ(groupPanel->area, (PanelRect{140, 90, 200, 150}));
    EXPECT_EQ(find(7)->geometry(), QRect(150, 100, 40, 40));
}

TEST_F(WndResizerTest, RootStaysWithinItsMaximum)
{
    hookWithControl(1001, {0, 0, 100, 100}, kAll);
    ASSERT_TRUE(resizer.GetRootPanel().SetMaxSize({150, 120}));
    pane->resize(300, 200);
    EXPECT_EQ(find(1001)->geometry(), QRect(0, 0, 150, 120));
}

TEST_F(WndResizerTest, GetUIPanelNeedsAControlWithThatId)
{
    addControl(1001, {5, 6, 70, 80});
    QWidget* textual = new QWidget(pane);
    textual->setProperty(CWndResizer::kControlIdProperty, QStringLiteral("ten"));
    QWidget* grandChild = new QWidget(find(1001));
    grandChild->setProperty(CWndResizer::kControlIdProperty, 1002);
    EXPECT_EQ(resizer.GetUIPanel(1001), nullptr) << "not hooked";
    ASSERT_TRUE(resizer.Hook(pane));

    EXPECT_EQ(resizer.GetUIPanel(1002), nullptr) << "only direct children are controls";
    EXPECT_EQ(resizer.GetUIPanel(0), nullptr) << "a text id is no id";
    EXPECT_EQ(resizer.GetUIPanel(99), nullptr);
    EXPECT_TRUE(resizer.GetRootPanel().children.empty());

    CUIPanel* panel = resizer.GetUIPanel(1001);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->controlId, 1001);
    EXPECT_EQ(panel->area, (PanelRect{5, 6, 75, 86}));
    EXPECT_EQ(panel->parent, &resizer.GetRootPanel());
    EXPECT_EQ(panel->rightOffset, 25);
    EXPECT_EQ(panel->bottomOffset, 14);
    EXPECT_EQ(resizer.GetUIPanel(1001), panel);
    EXPECT_EQ(resizer.GetRootPanel().children.size(), 1U);

    auto plain = std::make_unique<CPanel>();
    plain->name = QStringLiteral("42");
    resizer.GetRootPanel().AddChild(std::move(plain));
    addControl(42, {0, 0, 10, 10});
    EXPECT_EQ(resizer.GetUIPanel(42), nullptr) << "the name belongs to a panel of another kind";
}

TEST_F(WndResizerTest, LayoutSkipsPanelsWhoseControlIsGone)
{
    hookWithControl(1, {0, 0, 100, 100}, kAll);
    addControl(2, {0, 0, 50, 50});
    resizer.GetUIPanel(2)->SetAnchor(kAll);
    delete find(1);
    pane->resize(200, 200);
    EXPECT_EQ(find(2)->geometry(), QRect(0, 0, 150, 150));
}

TEST_F(WndResizerTest, UnhookStopsFollowingAndDeletesThePanels)
{
    hookWithControl(1001, {0, 0, 100, 100}, kAll);
    ASSERT_TRUE(resizer.Unhook());
    EXPECT_FALSE(resizer.Unhook());
    EXPECT_EQ(resizer.GetHookedWnd(), nullptr);
    EXPECT_EQ(resizer.GetRootPanel().GetHookedWnd(), nullptr);
    EXPECT_TRUE(resizer.GetRootPanel().children.empty());
    EXPECT_EQ(CWndResizer::FindResizer(pane), nullptr);
    pane->resize(300, 200);
    EXPECT_EQ(find(1001)->geometry(), QRect(0, 0, 100, 100));

    CWndResizer other;
    EXPECT_TRUE(other.Hook(pane)) << "the window is free again";
}

TEST(WndResizerLifetime, DestroyingTheWindowUnhooks)
{
    CWndResizer resizer;
    auto window = std::make_unique<QWidget>();
    window->resize(100, 100);
    auto* control = new QWidget(window.get());
    control->setProperty(CWndResizer::kControlIdProperty, 1001);
    ASSERT_TRUE(resizer.Hook(window.get()));
    ASSERT_NE(resizer.GetUIPanel(1001), nullptr);
    const QWidget* gone = window.get();

    window.reset();
    EXPECT_EQ(resizer.GetHookedWnd(), nullptr);
    EXPECT_EQ(resizer.GetRootPanel().GetHookedWnd(), nullptr);
    EXPECT_TRUE(resizer.GetRootPanel().children.empty());
    EXPECT_EQ(CWndResizer::FindResizer(gone), nullptr);
    EXPECT_FALSE(resizer.Unhook());

    QWidget next;
    EXPECT_TRUE(resizer.Hook(&next));
}

TEST(WndResizerLifetime, DestroyingTheResizerUnhooks)
{
    QWidget window;
    window.resize(100, 100);
    {
        CWndResizer resizer;
        ASSERT_TRUE(resizer.Hook(&window));
    }
    EXPECT_EQ(CWndResizer::FindResizer(&window), nullptr);
    window.resize(200, 200);
    CWndResizer next;
    EXPECT_TRUE(next.Hook(&window));
}

} // namespace
