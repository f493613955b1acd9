#pragma once

#include "core/res/string_table.h"

#include <QList>

#include <functional>
#include <vector>

class CSortComboListCtrl;
class QAction;
class QWidget;

// The commands of a pane's keys and context menu, each an action of the pane
// named after its resource with its id as data: the pane's Add (Insert), Cut
// (Ctrl+X, Shift+Delete),
// Copy (Ctrl+C, Ctrl+Insert), Paste (Ctrl+V, Shift+Insert), Duplicate
// (Ctrl+D), Delete (the list's own Delete key), Move Up (Ctrl+Up), Move Down
// (Ctrl+Down), the pane's Select All, Find (Ctrl+F) and any others given. A
// key reaches only the pane that has the keyboard focus. A right click on the
// list opens the menu of them all. Triggering one runs `run` with its id.
// Answers the actions in menu order.
QList<QAction*> addPaneCommands(QWidget& pane, CSortComboListCtrl& list, Language language,
                                const std::vector<int>& commands, const std::function<void(int)>& run);

// The commands every pane has, with its own Add and Select All, in menu order.
std::vector<int> listCommands(int addCommand, int selectAllCommand);
