#include "ui/layout/panel_layout.h"

#include <gtest/gtest.h>

namespace {

using namespace panel_anchor;

constexpr PanelRect kParent{0, 0, 300, 200};

PanelPlacement Anchored(int anchor, int left, int top, int right, int bottom)
{
    PanelPlacement placement;
    placement.anchor = anchor;
    placement.leftOffset = left;
    placement.topOffset = top;
    placement.rightOffset = right;
    placement.bottomOffset = bottom;
    return placement;
}

PanelPlacement Docked(int dock)
{
    PanelPlacement placement;
    placement.dock = dock;
    return placement;
}

PanelRect PlaceAnchored(const PanelRect& current, const PanelPlacement& placement)
{
    PanelRect free = kParent;
    const PanelRect area = PlacePanel(kParent, free, current, placement);
    EXPECT_EQ(free, kParent) << "an anchored panel takes no space";
    return area;
}

TEST(PanelLayout, AnchorGetsTopAndLeftWhereItNamesNoPlacement)
{
    EXPECT_EQ(CompletePanelAnchor(kRight), 6);
    EXPECT_EQ(CompletePanelAnchor(kBottom), 9);
    EXPECT_EQ(CompletePanelAnchor(kAll), 15);
    EXPECT_EQ(CompletePanelAnchor(0), 3);
    EXPECT_EQ(CompletePanelAnchor(kCenterHorizontal), 0x12);
    EXPECT_EQ(CompletePanelAnchor(kCenterVertical), 0x21);
    EXPECT_EQ(CompletePanelAnchor(kCenterHorizontal | kCenterVertical), 0x30);
    EXPECT_EQ(CompletePanelAnchor(kKeepRight | kKeepBottom), 0xC3);
}

TEST(PanelLayout, SizeClampMovesRightAndBottomEdges)
{
    EXPECT_EQ(ClampPanelSize({0, 0, 5, 5}, {10, 10}, {100, 100}), (PanelRect{0, 0, 10, 10}));
    EXPECT_EQ(ClampPanelSize({20, 30, 500, 40}, {10, 10}, {100, 100}), (PanelRect{20, 30, 120, 40}));
    EXPECT_EQ(ClampPanelSize({20, 30, 70, 400}, {10, 10}, {100, 100}), (PanelRect{20, 30, 70, 130}));
    EXPECT_EQ(ClampPanelSize({-4, -4, 50, 50}, {10, 10}, {100, 100}), (PanelRect{-4, -4, 50, 50}));
}

TEST(PanelLayout, AllEdgesKeepTheirOffsets)
{
    EXPECT_EQ(PlaceAnchored({10, 10, 90, 90}, Anchored(kAll, 10, 10, 10, 10)), (PanelRect{10, 10, 290, 190}));
    EXPECT_EQ(PlaceAnchored({0, 0, 100, 100}, Anchored(kAll, 0, 0, 0, 0)), kParent);
}

TEST(PanelLayout, AllEdgesClampedGrowRightAndDownUnlessKeepBitsAreSet)
{
    PanelPlacement tight = Anchored(kAll, 150, 100, 150, 100);
    EXPECT_EQ(PlaceAnchored({0, 0, 0, 0}, tight), (PanelRect{150, 100, 160, 110}));
    tight.anchor |= kKeepRight | kKeepBottom;
    EXPECT_EQ(PlaceAnchored({0, 0, 0, 0}, tight), (PanelRect{140, 90, 150, 100}));

    PanelPlacement wide = Anchored(kAll, 0, 0, 0, 0);
    wide.maxSize = {100, 50};
    EXPECT_EQ(PlaceAnchored({0, 0, 0, 0}, wide), (PanelRect{0, 0, 100, 50}));
    wide.anchor |= kKeepRight;
    EXPECT_EQ(PlaceAnchored({0, 0, 0, 0}, wide), (PanelRect{200, 0, 300, 50}));
    wide.anchor = kAll | kKeepBottom;
    EXPECT_EQ(PlaceAnchored({0, 0, 0, 0}, wide), (PanelRect{0, 150, 100, 200}));
}

TEST(PanelLayout, RightOnlyKeepsWidthAndRightOffset)
{
    EXPECT_EQ(PlaceAnchored({50, 20, 90, 60}, Anchored(kRight | kTop, 50, 20, 10, 40)), (PanelRect{250, 20, 290, 60}));
    PanelPlacement narrow = Anchored(kRight | kTop, 0, 0, 10, 0);
    EXPECT_EQ(PlaceAnchored({0, 0, 4, 30}, narrow), (PanelRect{280, 0, 290, 30}));
    narrow.maxSize = {20, 20};
    EXPECT_EQ(PlaceAnchored({0, 0, 60, 30}, narrow), (PanelRect{270, 0, 290, 20}));
}

TEST(PanelLayout, BottomOnlyKeepsHeightAndBottomOffset)
{
    EXPECT_EQ(PlaceAnchored({50, 20, 90, 60}, Anchored(kLeft | kBottom, 50, 20, 10, 40)),
              (PanelRect{50, 120, 90, 160}));
    EXPECT_EQ(PlaceAnchored({50, 20, 90, 23}, Anchored(kLeft | kBottom, 50, 20, 10, 40)),
              (PanelRect{50, 150, 90, 160}));
}

TEST(PanelLayout, LeftAndTopOnlyKeepSizeAndPosition)
{
    EXPECT_EQ(PlaceAnchored({50, 20, 90, 60}, Anchored(kLeft | kTop, 50, 20, 10, 40)), (PanelRect{50, 20, 90, 60}));
    EXPECT_EQ(PlaceAnchored({50, 20, 55, 22}, Anchored(kLeft | kTop, 50, 20, 10, 40)), (PanelRect{50, 20, 60, 30}));
}

TEST(PanelLayout, CentredPanelKeepsItsSizeInTheMiddle)
{
    EXPECT_EQ(PlaceAnchored({0, 0, 40, 20}, Anchored(kCenterHorizontal | kCenterVertical, 0, 0, 0, 0)),
              (PanelRect{130, 90, 170, 110}));
}

TEST(PanelLayout, DocksTakeTheFreeSpaceInTurn)
{
    PanelRect free = kParent;
    EXPECT_EQ(PlacePanel(kParent, free, {0, 0, 50, 5}, Docked(panel_dock::kLeft)), (PanelRect{0, 0, 50, 200}));
    EXPECT_EQ(free, (PanelRect{50, 0, 300, 200}));
    EXPECT_EQ(PlacePanel(kParent, free, {0, 0, 5, 30}, Docked(panel_dock::kTop)), (PanelRect{50, 0, 300, 30}));
    EXPECT_EQ(free, (PanelRect{50, 30, 300, 200}));
    EXPECT_EQ(PlacePanel(kParent, free, {7, 7, 27, 9}, Docked(panel_dock::kRight)), (PanelRect{280, 30, 300, 200}));
    EXPECT_EQ(free, (PanelRect{50, 30, 280, 200}));
    EXPECT_EQ(PlacePanel(kParent, free, {7, 7, 9, 47}, Docked(panel_dock::kBottom)), (PanelRect{50, 160, 280, 200}));
    EXPECT_EQ(free, (PanelRect{50, 30, 280, 160}));
    EXPECT_EQ(PlacePanel(kParent, free, {1, 1, 2, 2}, Docked(panel_dock::kFill)), (PanelRect{50, 30, 280, 160}));
    EXPECT_EQ(free, (PanelRect{50, 30, 280, 160})) << "a filling panel leaves the free space as it is";
    EXPECT_EQ(PlacePanel(kParent, free, {0, 0, 100, 100}, Anchored(kAll, 0, 0, 0, 0)), kParent)
        << "docked siblings do not push an anchored panel";
}

TEST(PanelLayout, DockWiderThanTheFreeSpaceLeavesNothing)
{
    PanelRect free{50, 0, 300, 200};
    EXPECT_EQ(PlacePanel(kParent, free, {0, 0, 400, 10}, Docked(panel_dock::kLeft)), (PanelRect{50, 0, 450, 200}));
    EXPECT_EQ(free, (PanelRect{50, 0, 50, 0}));
    EXPECT_EQ(PlacePanel(kParent, free, {0, 0, 0, 10}, Docked(panel_dock::kTop)), (PanelRect{50, 0, 50, 10}));
    EXPECT_EQ(free, (PanelRect{50, 0, 50, 0}));
}

TEST(PanelLayout, SubtractionKeepsTheFreeSpaceWhenTheRestIsNoRectangle)
{
    const PanelRect free{0, 0, 100, 100};
    EXPECT_EQ(SubtractPanelRect(free, {10, 10, 20, 20}), free);
    EXPECT_EQ(SubtractPanelRect(free, {200, 0, 300, 100}), free);
    EXPECT_EQ(SubtractPanelRect(free, {0, 0, 30, 50}), free);
    EXPECT_EQ(SubtractPanelRect(free, {-5, -5, 30, 105}), (PanelRect{30, 0, 100, 100}));
    EXPECT_EQ(SubtractPanelRect(free, {60, 0, 100, 100}), (PanelRect{0, 0, 60, 100}));
    EXPECT_EQ(SubtractPanelRect(free, {0, 70, 100, 100}), (PanelRect{0, 0, 100, 70}));
    EXPECT_EQ(SubtractPanelRect(free, {-1, -1, 101, 101}), (PanelRect{0, 0, 0, 0}));
}

} // namespace
