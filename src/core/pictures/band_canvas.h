#pragma once

#include "core/pictures/band_layout.h"

#include <cstddef>
#include <optional>
#include <span>

struct CanvasRect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    bool contains(double px, double py) const { return px >= x && px <= right() && py >= y && py <= bottom(); }
};

// Where the parts of a band picture go on a canvas, in pixels: a legend row
// at the top, the lanes below it with their labels in a column at the left,
// and the frequency axis at the bottom. `visible` is the part of the
// frequency axis shown; bars outside it are cut at the plot's edges.
class BandCanvas {
public:
    static constexpr double kLegendHeight = 24.0;
    static constexpr double kLabelWidth = 90.0;
    static constexpr double kAxisHeight = 30.0;
    static constexpr double kRightMargin = 12.0;
    // A bar is never drawn narrower than this, so a narrow TP stays visible
    // and can be clicked.
    static constexpr double kMinBarWidth = 3.0;
    // The bars take this share of their lane's height, below a strip for
    // the marks.
    static constexpr double kBarShare = 0.6;
    static constexpr double kMarkShare = 0.2;

    BandCanvas(const BandLayout& layout, double width, double height, MHzRange visible);

    const BandLayout& layout() const { return layout_; }
    const MHzRange& visible() const { return visible_; }
    double width() const { return width_; }
    double height() const { return height_; }

    CanvasRect legendArea() const;
    CanvasRect plotArea() const;
    CanvasRect axisArea() const;
    CanvasRect laneRect(int lane) const;
    CanvasRect laneLabelRect(int lane) const;

    double xOf(double mhz) const;
    double mhzAt(double x) const;

    // The bar within the plot, cut at its edges; nothing for a bar wholly
    // outside the visible range.
    std::optional<CanvasRect> barRect(const BandBar& bar) const;
    // The strip above a bar where its marks go.
    std::optional<CanvasRect> markRect(const BandBar& bar) const;
    // How many of the legend's items, from the first, fit between the title
    // (ending at `titleRight`) and the right margin, `itemWidths` being the
    // items' widths with their swatches and gaps, in order. They are drawn
    // against the right margin; those that do not fit are left out, so a
    // narrow picture never writes the legend over the title.
    std::size_t legendItemsThatFit(double titleRight, std::span<const double> itemWidths) const;
    // The bar under a point, as an index into the layout's bars: of several,
    // the narrowest, so that a TP inside a wider one can still be picked.
    std::optional<int> barAt(double x, double y) const;

private:
    const BandLayout& layout_;
    double width_;
    double height_;
    MHzRange visible_;
};

// The smallest part of the axis a view shows.
inline constexpr double kMinVisibleMHz = 1.0;

// The visible range after zooming by `factor` (below 1 zooms in) about the
// frequency `at`, which stays where it is; kept within `limits` and at least
// kMinVisibleMHz wide.
MHzRange zoomedRange(const MHzRange& visible, double at, double factor, const MHzRange& limits);
// The visible range moved by `byMHz`, kept within `limits`.
MHzRange pannedRange(const MHzRange& visible, double byMHz, const MHzRange& limits);
