#include "core/pictures/band_canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLaneGap = 4.0;

// `range` moved to lie within `limits` where it can, and cut to them where it
// is wider.
MHzRange keptWithin(MHzRange range, const MHzRange& limits)
{
    const double width = range.high - range.low;
    if (width >= limits.high - limits.low)
        return limits;
    if (range.low < limits.low)
        return {limits.low, limits.low + width};
    if (range.high > limits.high)
        return {limits.high - width, limits.high};
    return range;
}

} // namespace

BandCanvas::BandCanvas(const BandLayout& layout, double width, double height, MHzRange visible)
    : layout_(layout), width_(width), height_(height), visible_(visible)
{
    if (!(visible_.high > visible_.low))
        visible_ = layout.span;
}

CanvasRect BandCanvas::legendArea() const
{
    return {0.0, 0.0, width_, kLegendHeight};
}

CanvasRect BandCanvas::plotArea() const
{
    const double width = std::max(width_ - kLabelWidth - kRightMargin, 1.0);
    const double height = std::max(height_ - kLegendHeight - kAxisHeight, 1.0);
    return {kLabelWidth, kLegendHeight, width, height};
}

CanvasRect BandCanvas::axisArea() const
{
    const CanvasRect plot = plotArea();
    return {plot.x, plot.bottom(), plot.width, kAxisHeight};
}

CanvasRect BandCanvas::laneRect(int lane) const
{
    const CanvasRect plot = plotArea();
    const double count = static_cast<double>(std::max<std::size_t>(layout_.lanes.size(), 1));
    const double height = plot.height / count;
    return {plot.x, plot.y + height * lane + kLaneGap / 2.0, plot.width, std::max(height - kLaneGap, 1.0)};
}

CanvasRect BandCanvas::laneLabelRect(int lane) const
{
    const CanvasRect rect = laneRect(lane);
    return {0.0, rect.y, kLabelWidth - 6.0, rect.height};
}

double BandCanvas::xOf(double mhz) const
{
    const CanvasRect plot = plotArea();
    return plot.x + (mhz - visible_.low) / (visible_.high - visible_.low) * plot.width;
}

double BandCanvas::mhzAt(double x) const
{
    const CanvasRect plot = plotArea();
    return visible_.low + (x - plot.x) / plot.width * (visible_.high - visible_.low);
}

std::optional<CanvasRect> BandCanvas::barRect(const BandBar& bar) const
{
    const int lane = layout_.laneIndex(bar.lane);
    if (lane < 0)
        return std::nullopt;
    const CanvasRect plot = plotArea();
    double left = xOf(bar.lowMHz());
    double right = xOf(bar.highMHz());
    if (right - left < kMinBarWidth) {
        const double middle = (left + right) / 2.0;
        left = middle - kMinBarWidth / 2.0;
        right = middle + kMinBarWidth / 2.0;
    }
    left = std::max(left, plot.x);
    right = std::min(right, plot.right());
    if (right <= left)
        return std::nullopt;
    const CanvasRect laneArea = laneRect(lane);
    const double markHeight = laneArea.height * kMarkShare;
    const double barHeight = laneArea.height * kBarShare;
    return CanvasRect{left, laneArea.y + markHeight, right - left, barHeight};
}

std::optional<CanvasRect> BandCanvas::markRect(const BandBar& bar) const
{
    const auto rect = barRect(bar);
    if (!rect)
        return std::nullopt;
    const double height = laneRect(layout_.laneIndex(bar.lane)).height * kMarkShare;
    return CanvasRect{rect->x, rect->y - height, rect->width, height};
}

std::size_t BandCanvas::legendItemsThatFit(double titleRight, std::span<const double> itemWidths) const
{
    // The gap kept between the title and the legend.
    constexpr double kTitleGap = 12.0;
    double room = width_ - kRightMargin - titleRight - kTitleGap;
    std::size_t fitting = 0;
    for (const double width : itemWidths) {
        room -= width;
        if (room < 0.0)
            break;
        ++fitting;
    }
    return fitting;
}

std::optional<int> BandCanvas::barAt(double x, double y) const
{
    std::optional<int> found;
    double narrowest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < layout_.bars.size(); ++i) {
        const BandBar& bar = layout_.bars[i];
        const auto rect = barRect(bar);
        const auto mark = markRect(bar);
        if (!rect || !(rect->contains(x, y) || (mark && mark->contains(x, y))))
            continue;
        if (rect->width < narrowest) {
            narrowest = rect->width;
            found = static_cast<int>(i);
        }
    }
    return found;
}

MHzRange zoomedRange(const MHzRange& visible, double at, double factor, const MHzRange& limits)
{
    const double width = visible.high - visible.low;
    const double wanted =
        std::clamp(width * factor, std::min(kMinVisibleMHz, limits.high - limits.low), limits.high - limits.low);
    const double share = width > 0.0 ? std::clamp((at - visible.low) / width, 0.0, 1.0) : 0.5;
    const double low = at - share * wanted;
    return keptWithin({low, low + wanted}, limits);
}

MHzRange pannedRange(const MHzRange& visible, double byMHz, const MHzRange& limits)
{
    return keptWithin({visible.low + byMHz, visible.high + byMHz}, limits);
}
