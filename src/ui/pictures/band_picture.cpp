#include "ui/pictures/band_picture.h"

#include "core/model/plan_list.h"
#include "core/pictures/band_colours.h"
#include "core/res/string_ids.h"
#include "core/rules/decimal_text.h"
#include "core/rules/longitude.h"
#include "ui/text/qt_text.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <vector>

namespace {

constexpr int kMaxTicks = 12;
constexpr double kSwatch = 10.0;
// The lanes' height in the size the picture asks for.
constexpr int kLaneHeight = 56;

// The picture stands on white in every visual style, so its colours read
// alike in all of them; only the text and the highlight follow the palette's
// dark text.
const QColor kBackground(0xFF, 0xFF, 0xFF);
const QColor kText(0x22, 0x22, 0x22);
const QColor kLaneLine(0xC8, 0xD0, 0xD8);
const QColor kSelection(0x10, 0x10, 0x10);

QColor qtColour(BandColour colour, double opacity = 1.0)
{
    QColor result(colour.red, colour.green, colour.blue);
    result.setAlphaF(static_cast<float>(opacity));
    return result;
}

QRectF qtRect(const CanvasRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// "Plan1  19.2E  LNB 9750.00/10600.00 MHz".
QString titleOf(const CComonOrbitune& plan)
{
    return qtText(plan.nameText() + "  " + longitude::hemisphereText(plan.longitude, plan.isEast != 0) + "  LNB " +
                  decimal::formatScaled(plan.lnbLow, 2) + "/" + decimal::formatScaled(plan.lnbHigh, 2) + " MHz");
}

void drawBands(QPainter& painter, const BandCanvas& canvas, Language language)
{
    const CanvasRect plot = canvas.plotArea();
    const BandLayout& layout = canvas.layout();
    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    for (const LnbBand& band : layout.bands) {
        const double left = std::max(canvas.xOf(band.range.low), plot.x);
        const double right = std::min(canvas.xOf(band.range.high), plot.right());
        if (right > left)
            painter.fillRect(QRectF(left, plot.y, right - left, plot.height), qtColour(band_colours::kBand));
    }
    painter.setPen(QPen(qtColour(band_colours::kBandEdge), 1.0));
    for (const LnbBand& band : layout.bands)
        for (const double edge : {band.range.low, band.range.high}) {
            const double x = canvas.xOf(edge);
            if (x < plot.x || x > plot.right())
                continue;
            painter.drawLine(QPointF(x, plot.y), QPointF(x, plot.bottom()));
            // Written right of the edge, or left of it near the plot's end.
            const QString label = qtText(decimal::formatFixed(edge, 0));
            const double width = QFontMetricsF(painter.font()).horizontalAdvance(label);
            const bool leftOfEdge = x + 3.0 + width > plot.right();
            painter.drawText(QPointF(leftOfEdge ? x - 3.0 - width : x + 3.0, plot.bottom() - 4.0), label);
        }
    if (layout.switchMHz) {
        const double x = canvas.xOf(*layout.switchMHz);
        if (x >= plot.x && x <= plot.right()) {
            painter.setPen(QPen(qtColour(band_colours::kSwitch), 1.5, Qt::DashLine));
            painter.drawLine(QPointF(x, plot.y), QPointF(x, plot.bottom()));
            painter.drawText(QPointF(x + 3.0, plot.y + 11.0),
                             qtMessage(msg::kSwitchAt, language, {decimal::formatFixed(*layout.switchMHz, 0)}));
        }
    }
    painter.setFont(QFont());
}

void drawLanes(QPainter& painter, const BandCanvas& canvas)
{
    const BandLayout& layout = canvas.layout();
    for (std::size_t lane = 0; lane < layout.lanes.size(); ++lane) {
        const CanvasRect area = canvas.laneRect(static_cast<int>(lane));
        painter.setPen(kLaneLine);
        painter.drawLine(QPointF(area.x, area.bottom()), QPointF(area.right(), area.bottom()));
        painter.setPen(kText);
        painter.drawText(qtRect(canvas.laneLabelRect(static_cast<int>(lane))), Qt::AlignRight | Qt::AlignVCenter,
                         qtText(std::string(laneText(layout.lanes[lane]))));
    }
}

void drawBar(QPainter& painter, const BandCanvas& canvas, const BandBar& bar, bool selected)
{
    const auto box = canvas.barRect(bar);
    if (!box)
        return;
    const QRectF rect = qtRect(*box);
    const BandColour fill = band_colours::ofSystem(bar.system);
    if (bar.enabled) {
        painter.fillRect(rect, qtColour(fill));
    } else {
        painter.fillRect(rect, qtColour(fill, band_colours::kDisabledOpacity));
        painter.setPen(QPen(qtColour(fill), 1.0, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
    }
    if (bar.outsideLnb) {
        painter.setPen(QPen(qtColour(band_colours::kOutsideLnb), 1.5));
        painter.setBrush(QBrush(qtColour(band_colours::kOutsideLnb), Qt::BDiagPattern));
        painter.drawRect(rect);
        painter.setBrush(Qt::NoBrush);
    }
    if (const auto mark = canvas.markRect(bar)) {
        const double half = mark->height / 2.0;
        if (!bar.overlaps.empty())
            painter.fillRect(QRectF(mark->x, mark->y, mark->width, half), qtColour(band_colours::kOverlapping));
        if (bar.repeats)
            painter.fillRect(QRectF(mark->x, mark->y + half, mark->width, half), qtColour(band_colours::kRepeated));
    }
    if (selected) {
        painter.setPen(QPen(kSelection, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(-1.0, -1.0, 1.0, 1.0));
    }
}

void drawAxis(QPainter& painter, const BandCanvas& canvas)
{
    const CanvasRect axis = canvas.axisArea();
    painter.setPen(kText);
    painter.drawLine(QPointF(axis.x, axis.y), QPointF(axis.right(), axis.y));
    const auto ticks = axisTicks(canvas.visible(), kMaxTicks);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0;
    const QFontMetricsF metrics(painter.font());
    for (const double tick : ticks) {
        const double x = canvas.xOf(tick);
        painter.drawLine(QPointF(x, axis.y), QPointF(x, axis.y + 5.0));
        const QString label = qtText(mhzText(tick, step));
        painter.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2.0, axis.y + 17.0), label);
    }
    const QString unit = QStringLiteral("MHz");
    painter.drawText(QPointF(axis.right() - metrics.horizontalAdvance(unit), axis.bottom() - 2.0), unit);
}

// The plan's name, position and oscillators at the left; the colours and
// marks from the right edge leftwards.
void drawLegend(QPainter& painter, const CComonOrbitune& plan, const BandCanvas& canvas, Language language)
{
    const double baseline = BandCanvas::kLegendHeight - 8.0;
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(kText);
    const QString title = titleOf(plan);
    painter.drawText(QPointF(6.0, baseline), title);
    const double titleRight = 6.0 + QFontMetricsF(bold).horizontalAdvance(title);
    painter.setFont(QFont());
    struct Item {
        QString label;
        QBrush swatch;
        QPen outline;
    };
    const QColor dvbS = qtColour(band_colours::kDvbS);
    const Item items[] = {
        {qtText(std::string(systemText(BandSystem::TV))), qtColour(band_colours::kTv), Qt::NoPen},
        {qtText(std::string(systemText(BandSystem::DvbS))), dvbS, Qt::NoPen},
        {qtText(std::string(systemText(BandSystem::DvbS2))), qtColour(band_colours::kDvbS2), Qt::NoPen},
        {qtText(std::string(*textOf(kEnableValues, stored(Enable::Disable)))),
         qtColour(band_colours::kDvbS, band_colours::kDisabledOpacity), QPen(dvbS, 1.0, Qt::DashLine)},
        {qtMessage(msg::kMarkOverlapping, language), qtColour(band_colours::kOverlapping), Qt::NoPen},
        {qtMessage(msg::kMarkRepeated, language), qtColour(band_colours::kRepeated), Qt::NoPen},
        {qtMessage(msg::kMarkOutsideLnb, language), QBrush(qtColour(band_colours::kOutsideLnb), Qt::BDiagPattern),
         QPen(qtColour(band_colours::kOutsideLnb))},
    };
    const QFontMetricsF metrics(painter.font());
    std::vector<double> widths;
    for (const Item& item : items)
        widths.push_back(metrics.horizontalAdvance(item.label) + kSwatch + 16.0);
    const std::size_t shown = canvas.legendItemsThatFit(titleRight, widths);
    double x = canvas.width() - BandCanvas::kRightMargin;
    for (std::size_t i = shown; i-- > 0;) {
        const Item& item = items[i];
        x -= widths[i];
        painter.setPen(item.outline);
        painter.setBrush(item.swatch);
        painter.drawRect(QRectF(x, baseline - kSwatch + 1.0, kSwatch, kSwatch));
        painter.setPen(kText);
        painter.drawText(QPointF(x + kSwatch + 4.0, baseline), item.label);
    }
    painter.setBrush(Qt::NoBrush);
}

} // namespace

BandPicture::BandPicture(const PlanList& plans, Language language, QWidget* parent)
    : QWidget(parent), plans_(plans), language_(language)
{
    setObjectName(QStringLiteral("bandPicture"));
    setAccessibleName(qtMessage(msg::kBandPicture, language));
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

void BandPicture::showPlan(std::optional<Guid> plan)
{
    if (plan != plan_)
        zoom_.reset();
    plan_ = plan;
    refresh();
}

void BandPicture::refresh()
{
    const CComonOrbitune* plan = currentPlan();
    layout_ = plan != nullptr ? layOutBand(*plan) : BandLayout{};
    if (zoom_)
        zoom_ = pannedRange(*zoom_, 0.0, layout_.span);
    repaintIfChanged();
}

void BandPicture::setSelectedTps(const std::vector<Guid>& ids)
{
    std::set<Guid> selected(ids.begin(), ids.end());
    if (selected == selected_)
        return;
    selected_ = std::move(selected);
    repaintIfChanged();
}

BandPicture::Drawn BandPicture::drawn(const std::vector<std::size_t>& order) const
{
    const CComonOrbitune* plan = currentPlan();
    if (plan == nullptr)
        return {};
    Drawn now{{}, layout_.bands, layout_.switchMHz, layout_.lanes, visibleRange(), titleOf(*plan)};
    now.bars.reserve(order.size());
    for (const std::size_t index : order) {
        const BandBar& bar = layout_.bars[index];
        now.bars.emplace_back(barLook(bar), selected_.contains(bar.id));
    }
    return now;
}

void BandPicture::repaintIfChanged()
{
    if (std::exchange(repaintQueued_, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            repaintQueued_ = false;
            if (drawn(drawOrder(layout_)) != painted_)
                update();
        },
        Qt::QueuedConnection);
}

MHzRange BandPicture::visibleRange() const
{
    return zoom_.value_or(layout_.span);
}

BandCanvas BandPicture::canvas() const
{
    return {layout_, static_cast<double>(width()), static_cast<double>(height()), visibleRange()};
}

QSize BandPicture::sizeHint() const
{
    return {800, static_cast<int>(BandCanvas::kLegendHeight + BandCanvas::kAxisHeight) + 2 * kLaneHeight};
}

QSize BandPicture::minimumSizeHint() const
{
    return {300, static_cast<int>(BandCanvas::kLegendHeight + BandCanvas::kAxisHeight) + 2 * kLaneHeight / 2};
}

const CComonOrbitune* BandPicture::currentPlan() const
{
    return plan_ ? plans_.findPlanById(*plan_) : nullptr;
}

bool BandPicture::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const CComonOrbitune* plan = currentPlan();
    const auto bar = plan != nullptr ? canvas().barAt(help->pos().x(), help->pos().y()) : std::nullopt;
    if (!bar) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QStringList lines;
    for (const std::string& line : barDescription(*plan, layout_.bars[static_cast<std::size_t>(*bar)], language_))
        lines.append(qtText(line));
    QToolTip::showText(help->globalPos(), lines.join(QLatin1Char('\n')), this);
    return true;
}

void BandPicture::paintEvent(QPaintEvent*)
{
    const std::vector<std::size_t> order = drawOrder(layout_);
    painted_ = drawn(order);
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const CComonOrbitune* plan = currentPlan();
    if (plan == nullptr)
        return;
    const BandCanvas where = canvas();
    painter.setClipRect(qtRect(where.plotArea()));
    drawBands(painter, where, language_);
    painter.setClipping(false);
    drawLanes(painter, where);
    painter.setClipRect(qtRect(where.plotArea()));
    for (const std::size_t index : order) {
        const BandBar& bar = layout_.bars[index];
        drawBar(painter, where, bar, selected_.contains(bar.id));
    }
    painter.setClipping(false);
    drawAxis(painter, where);
    drawLegend(painter, *plan, where, language_);
}

void BandPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressedAt_ = event->position();
    pressedRange_ = visibleRange();
    dragging_ = false;
}

void BandPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressedAt_ || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    const QPointF moved = event->position() - *pressedAt_;
    if (!dragging_ && std::abs(moved.x()) + std::abs(moved.y()) < kDragDistance)
        return;
    dragging_ = true;
    const double plotWidth = canvas().plotArea().width;
    const double byMHz = -moved.x() / plotWidth * (pressedRange_.high - pressedRange_.low);
    zoom_ = pannedRange(pressedRange_, byMHz, layout_.span);
    setCursor(Qt::ClosedHandCursor);
    update();
}

void BandPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressedAt_)
        return QWidget::mouseReleaseEvent(event);
    const bool clicked = !dragging_;
    pressedAt_.reset();
    dragging_ = false;
    unsetCursor();
    if (!clicked)
        return;
    if (const auto bar = canvas().barAt(event->position().x(), event->position().y()))
        emit tpClicked(layout_.bars[static_cast<std::size_t>(*bar)].id);
}

void BandPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    zoom_.reset();
    update();
}

void BandPicture::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0 || currentPlan() == nullptr)
        return QWidget::wheelEvent(event);
    const double at = canvas().mhzAt(event->position().x());
    zoom_ = zoomedRange(visibleRange(), at, std::pow(kZoomStep, notches), layout_.span);
    event->accept();
    update();
}
