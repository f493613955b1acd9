#pragma once

#include <QSize>

class QFont;

// A size in dialog units in pixels for `font`, as dialog templates measure
// them: a horizontal unit is a quarter of the font's average character width,
// a vertical unit an eighth of its height.
QSize dialogUnitsToPixels(const QFont& font, QSize units);
