#include "ui/lists/list_filter_box.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

constexpr int kWidth = 260;

bool isBoxKey(int key)
{
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ListFilterBox::ListFilterBox(QWidget* list) : QLineEdit(list), list_(list)
{
    setObjectName(QStringLiteral("listFilterBox"));
    setClearButtonEnabled(true);
    hide();
}

void ListFilterBox::placeOver(const QRect& area)
{
    const int height = sizeHint().height();
    setGeometry(area.left(), area.bottom() + 1 - height, std::min(kWidth, area.width()), height);
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
    if (event->key() == Qt::Key_Escape) {
        clear();
        hide();
    }
    list_->setFocus(Qt::OtherFocusReason);
}
