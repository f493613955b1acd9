#include "ui/lists/list_filter_box.h"

#include <QKeyEvent>

namespace {

bool isBoxKey(int key)
{
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ListFilterBox::ListFilterBox(QWidget* pane, QWidget* list) : QLineEdit(pane), list_(list)
{
    setObjectName(QStringLiteral("listFilterBox"));
    setClearButtonEnabled(true);
    hide();
}

// Enter and Escape are the box's own, whatever shortcuts the window has.
bool ListFilterBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isBoxKey(static_cast<QKeyEvent*>(event)->key())) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void ListFilterBox::keyPressEvent(QKeyEvent* event)
{
    if (!isBoxKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    list_->setFocus(Qt::OtherFocusReason);
    if (event->key() == Qt::Key_Escape) {
        clear();
        hide();
        emit dismissed();
    }
}
