#pragma once

// The arithmetic of the panel layout engine, over plain rectangles: where a
// docked or anchored panel goes inside its parent. The widget side (the panel
// tree and the hooked window) lives in wnd_resizer.h.

// A rectangle by its edges; `right` and `bottom` lie just outside it, so the
// width is right - left.
struct PanelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const PanelRect&) const = default;
};

struct PanelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PanelSize&) const = default;
};

// Anchor bits: the parent edges a panel keeps its distance to.
namespace panel_anchor {
inline constexpr int kLeft = 0x01;
inline constexpr int kTop = 0x02;
inline constexpr int kRight = 0x04;
inline constexpr int kBottom = 0x08;
inline constexpr int kCenterHorizontal = 0x10;
inline constexpr int kCenterVertical = 0x20;
// When a panel anchored left and right is clamped to its size limits, its
// left edge moves instead of its right edge.
inline constexpr int kKeepRight = 0x40;
// The same for the top edge of a panel anchored top and bottom.
inline constexpr int kKeepBottom = 0x80;
inline constexpr int kAll = kLeft | kTop | kRight | kBottom;
} // namespace panel_anchor

// Dock values: a docked panel takes its place from the space its earlier
// siblings left free instead of following its anchor.
namespace panel_dock {
inline constexpr int kNone = 0;
inline constexpr int kLeft = 1;
inline constexpr int kTop = 2;
inline constexpr int kRight = 3;
inline constexpr int kBottom = 4;
inline constexpr int kFill = 5;
} // namespace panel_dock

// What a new panel starts with: anchored left and top, 10 x 10 to 100000 x
// 100000.
inline constexpr int kDefaultPanelAnchor = panel_anchor::kLeft | panel_anchor::kTop;
inline constexpr PanelSize kDefaultPanelMinSize{10, 10};
inline constexpr PanelSize kDefaultPanelMaxSize{100000, 100000};

// How one panel is placed in its parent.
struct PanelPlacement {
    int anchor = kDefaultPanelAnchor;
    int dock = panel_dock::kNone;
    // Distances from the parent's edges, measured when the panel joined it.
    int leftOffset = 0;
    int topOffset = 0;
    int rightOffset = 0;
    int bottomOffset = 0;
    PanelSize minSize = kDefaultPanelMinSize;
    PanelSize maxSize = kDefaultPanelMaxSize;
};

// `anchor` with top added when it names no vertical placement (top, bottom or
// centred) and left added when it names no horizontal one.
int CompletePanelAnchor(int anchor);

// Moves the right and bottom edges of `area` so that its size lies within
// `minSize` and `maxSize`.
PanelRect ClampPanelSize(PanelRect area, PanelSize minSize, PanelSize maxSize);

// `free` less `taken` when what is left is still a rectangle: `taken` must
// span `free` across one direction and start at one of its edges. A `taken`
// that covers all of `free` leaves an empty rectangle at free's top-left
// corner; any other overlap leaves `free` as it is.
PanelRect SubtractPanelRect(const PanelRect& free, const PanelRect& taken);

// The new area of a panel whose area is now `current`, inside a parent whose
// area is `parent`. A docked panel (left, top, right, bottom) is placed at the
// matching edge of `free`, the space its earlier siblings left, with its
// current width or height, and its area is taken out of `free`; a filling
// panel gets all of `free`, which stays as it is. An anchored panel is
// measured from `parent`, so docked siblings do not push it.
PanelRect PlacePanel(const PanelRect& parent, PanelRect& free, const PanelRect& current,
                     const PanelPlacement& placement);
