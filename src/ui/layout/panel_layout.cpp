#include "ui/layout/panel_layout.h"

#include <algorithm>

namespace {

// The two edges of a panel in one direction.
struct Span {
    int low;
    int high;
};

// How an anchored panel is placed in one direction. A panel anchored to
// neither edge (only centred) is centred in its parent.
struct AxisRule {
    bool anchorLow;
    bool anchorHigh;
    bool keepHigh;
    int lowOffset;
    int highOffset;
    int minimum;
    int maximum;
};

Span PlaceSpan(int parentLow, int parentHigh, int currentLength, const AxisRule& rule)
{
    if (rule.anchorLow && rule.anchorHigh) {
        Span span{parentLow + rule.lowOffset, parentHigh - rule.highOffset};
        const int length = std::clamp(span.high - span.low, rule.minimum, std::max(rule.minimum, rule.maximum));
        if (rule.keepHigh)
            span.low = span.high - length;
        else
            span.high = span.low + length;
        return span;
    }
    const int length = std::clamp(currentLength, rule.minimum, std::max(rule.minimum, rule.maximum));
    if (rule.anchorHigh) {
        const int high = parentHigh - rule.highOffset;
        return {high - length, high};
    }
    if (rule.anchorLow) {
        const int low = parentLow + rule.lowOffset;
        return {low, low + length};
    }
    const int low = parentLow + (parentHigh - parentLow - length) / 2;
    return {low, low + length};
}

PanelRect Intersect(const PanelRect& a, const PanelRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

} // namespace

int CompletePanelAnchor(int anchor)
{
    using namespace panel_anchor;
    if ((anchor & (kTop | kBottom | kCenterVertical)) == 0)
        anchor |= kTop;
    if ((anchor & (kLeft | kRight | kCenterHorizontal)) == 0)
        anchor |= kLeft;
    return anchor;
}

PanelRect ClampPanelSize(PanelRect area, PanelSize minSize, PanelSize maxSize)
{
    if (area.width() < minSize.width)
        area.right = area.left + minSize.width;
    else if (area.width() > maxSize.width)
        area.right = area.left + maxSize.width;
    if (area.height() < minSize.height)
        area.bottom = area.top + minSize.height;
    else if (area.height() > maxSize.height)
        area.bottom = area.top + maxSize.height;
    return area;
}

PanelRect SubtractPanelRect(const PanelRect& free, const PanelRect& taken)
{
    if (free.empty())
        return {free.left, free.top, free.left, free.top};
    const PanelRect overlap = Intersect(free, taken);
    if (overlap.empty())
        return free;
    if (overlap == free)
        return {free.left, free.top, free.left, free.top};
    PanelRect rest = free;
    if (overlap.top == free.top && overlap.bottom == free.bottom) {
        if (overlap.left == free.left)
            rest.left = overlap.right;
        else if (overlap.right == free.right)
            rest.right = overlap.left;
    } else if (overlap.left == free.left && overlap.right == free.right) {
        if (overlap.top == free.top)
            rest.top = overlap.bottom;
        else if (overlap.bottom == free.bottom)
            rest.bottom = overlap.top;
    }
    return rest;
}

PanelRect PlacePanel(const PanelRect& parent, PanelRect& free, const PanelRect& current,
                     const PanelPlacement& placement)
{
    PanelRect area;
    switch (placement.dock) {
    case panel_dock::kLeft:
        area = {free.left, free.top, free.left + current.width(), free.bottom};
        break;
    case panel_dock::kTop:
        area = {free.left, free.top, free.right, free.top + current.height()};
        break;
    case panel_dock::kRight:
        area = {free.right - current.width(), free.top, free.right, free.bottom};
        break;
    case panel_dock::kBottom:
        area = {free.left, free.bottom - current.height(), free.right, free.bottom};
        break;
    case panel_dock::kFill:
        return free;
    default: {
        const int anchor = placement.anchor;
        const Span horizontal = PlaceSpan(parent.left, parent.right, current.width(),
                                          {(anchor & panel_anchor::kLeft) != 0, (anchor & panel_anchor::kRight) != 0,
                                           (anchor & panel_anchor::kKeepRight) != 0, placement.leftOffset,
                                           placement.rightOffset, placement.minSize.width, placement.maxSize.width});
        const Span vertical = PlaceSpan(parent.top, parent.bottom, current.height(),
                                        {(anchor & panel_anchor::kTop) != 0, (anchor & panel_anchor::kBottom) != 0,
                                         (anchor & panel_anchor::kKeepBottom) != 0, placement.topOffset,
                                         placement.bottomOffset, placement.minSize.height, placement.maxSize.height});
        return {horizontal.low, vertical.low, horizontal.high, vertical.high};
    }
    }
    free = SubtractPanelRect(free, area);
    return area;
}
