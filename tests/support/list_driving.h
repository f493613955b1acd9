#pragma once

#include "ui/lists/sort_combo_list_ctrl.h"

#include <QString>
#include <QStringList>

#include <QWidget>

#include <initializer_list>

class QMimeData;

// Drives list controls through real mouse and key events on the offscreen
// platform.

// Shows `window` and waits until it is the active window, so that focus moves
// as it does on a desktop.
void showActive(QWidget& window);

// A left click at the centre of a cell.
void clickCell(CSortComboListCtrl& list, int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A left click on a column's header.
void clickHeader(CSortComboListCtrl& list, int column);

// The texts of one column, row by row.
QStringList columnTexts(const CSortComboListCtrl& list, int column);

// Opens a cell's editor as a user does: a click, and a second one when the
// first only made its row the current one.
void openCellEditor(CSortComboListCtrl& list, int row, int column);

// Opens a cell's edit box, replaces its text with `text` (as a paste would)
// and presses Enter. Fails the test when no edit box opens.
void editCell(CSortComboListCtrl& list, int row, int column, const QString& text);

// Opens a drop-down cell's editor, selects `choice` and presses Enter.
void chooseInCell(CSortComboListCtrl& list, int row, int column, const QString& choice);

// Drags `data` into the list's viewport and drops it at `at`, as the window
// system delivers a drag: enter, move, drop. Answers whether the list took it.
bool dropOnList(CSortComboListCtrl& list, const QMimeData& data, const QPoint& at);

// Counts the paint events of the widgets it watches, from when the events
// already due are delivered.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::initializer_list<QWidget*> widgets);
    bool eventFilter(QObject* watched, QEvent* event) override;
    int paints = 0;
};

// A string list from plain ASCII literals.
QStringList textList(std::initializer_list<const char*> texts);
