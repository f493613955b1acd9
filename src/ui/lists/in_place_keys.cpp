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
