#include "ui/dialogs/dialog_units.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

QSize dialogUnitsToPixels(const QFont& font, QSize units)
{
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, rounded as dialog templates
    // round their base unit.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int average = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    const int height = metrics.height();
    return {(units.width() * average + 2) / 4, (units.height() * height + 4) / 8};
}
