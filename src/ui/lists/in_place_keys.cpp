#include "ui/lists/in_place_keys.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

bool isEditEndKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

bool claimEditEndKeys(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !isEditEndKey(static_cast<QKeyEvent*>(event)->key()))
        return false;
    event->accept();
    return true;
}

bool endEditOnKey(QKeyEvent* event, bool& cancelled, QWidget* focusTarget)
{
    if (!isEditEndKey(event->key()))
        return false;
    if (event->key() == Qt::Key_Escape)
        cancelled = true;
    event->accept();
    if (focusTarget != nullptr)
        focusTarget->setFocus(Qt::OtherFocusReason);
    return true;
}

bool endEditOnTab(QEvent* event, EditExit& exit, QWidget* focusTarget)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0)
        return false;
    if (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) != 0))
        exit = EditExit::PreviousCell;
    else if (key->key() == Qt::Key_Tab)
        exit = EditExit::NextCell;
    else
        return false;
    event->accept();
    if (focusTarget != nullptr)
        focusTarget->setFocus(Qt::OtherFocusReason);
    return true;
}
