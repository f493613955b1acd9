#pragma once

#include "ui/lists/sort_combo_list_ctrl.h"

#include <QString>
#include <QStringList>

#include <QWidget>

class QMimeData;
#include <initializer_list>

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

// Clicks a cell, replaces the open edit box's text with `text` (as a paste
// would) and presses Enter. Fails the test when no edit box opens.
void editCell(CSortComboListCtrl& list, int row, int column, const QString& text);

// Clicks a drop-down cell, selects `choice` and presses Enter.
void chooseInCell(CSortComboListCtrl& list, int row, int column, const QString& choice);

// Drags `data` into the list's viewport and drops it at `at`, as the window
// system delivers a drag: enter, move, drop. Answers whether the list took it.
bool dropOnList(CSortComboListCtrl& list, const QMimeData& data, const QPoint& at);

// A string list from plain ASCII literals.
QStringList textList(std::initializer_list<const char*> texts);
