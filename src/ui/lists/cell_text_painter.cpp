#include "ui/lists/cell_text_painter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace {

// `text` laid out on one line as wide as a cell's text, aligned in it.
QStaticText oneLine(const QString& text, const QFont& font, int width, Qt::Alignment alignment)
{
    QStaticText line(text);
    line.setTextFormat(Qt::PlainText);
    line.setTextWidth(width);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::ManualWrap);
    line.setTextOption(option);
    line.setPerformanceHint(QStaticText::AggressiveCaching);
    line.prepare(QTransform(), font);
    return line;
}

} // namespace

bool CellTextPainter::paint(QPainter& painter, const QStyleOptionViewItem& option)
{
    constexpr auto kPlainText = QStyleOptionViewItem::HasDisplay;
    constexpr QStyle::State kDrawnOtherwise = QStyle::State_HasFocus | QStyle::State_Editing;
    if ((option.features & ~kPlainText) != QStyleOptionViewItem::None || (option.state & kDrawnOtherwise) ||
        option.direction != Qt::LeftToRight)
        return false;
    const QWidget* widget = option.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();

    painter.save();
    painter.setClipRect(option.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, &painter, widget);
    QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter.setPen(option.palette.color(group, (option.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                       : QPalette::Text));

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const Qt::Alignment horizontal = option.displayAlignment & Qt::AlignHorizontal_Mask;
    const QStaticText& text = laidOut(option, area.width(), horizontal);
    // Placed as the style places its one line: across the cell's width, and
    // upright by the cell's alignment.
    const QSize height(area.width(), static_cast<int>(text.size().height()));
    const QRect line =
        QStyle::alignedRect(Qt::LeftToRight, option.displayAlignment & Qt::AlignVertical_Mask, height, area);
    painter.setFont(option.font);
    painter.drawStaticText(QPointF(area.left(), line.top()), text);
    painter.restore();
    return true;
}

const QStaticText& CellTextPainter::laidOut(const QStyleOptionViewItem& option, int width, Qt::Alignment alignment)
{
    if (option.font != font_ || texts_.size() >= kMaxTexts) {
        texts_.clear();
        font_ = option.font;
    }
    QString key = option.text;
    for (const int part : {width, static_cast<int>(alignment.toInt()), static_cast<int>(option.textElideMode)})
        key.append(QChar(0)).append(QString::number(part));
    auto found = texts_.find(key);
    if (found == texts_.end()) {
        const bool tooWide = QFontMetricsF(option.font).horizontalAdvance(option.text) > width;
        const QString shown =
            tooWide ? option.fontMetrics.elidedText(option.text, option.textElideMode, width) : option.text;
        found = texts_.insert(key, oneLine(shown, option.font, width, alignment));
    }
    return *found;
}
