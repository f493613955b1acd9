#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <QtGlobal>

class QPainter;
class QStyleOptionViewItem;

// Paints the cells of a list that show text alone as the style paints an
// item view's cell, from text laid out once and kept: the style lays a
// cell's text out twice each time it paints it, most of what painting a
// list costs.
class CellTextPainter {
public:
    // Paints the cell `option` describes, which the item delegate has filled
    // in. False, painting nothing, for a cell that shows more than its text
    // (a check box, an icon, the focus frame, an editor, wrapped or
    // right-to-left text): the style paints those.
    bool paint(QPainter& painter, const QStyleOptionViewItem& option);

private:
    // The texts laid out so far, for one font; forgotten past this many.
    static constexpr qsizetype kMaxTexts = 8192;

    // The text of a cell as wide as `width`, cut short as the cell says when
    // it is wider, laid out on one line.
    const QStaticText& laidOut(const QStyleOptionViewItem& option, int width, Qt::Alignment alignment);

    QHash<QString, QStaticText> texts_;
    QFont font_;
};
