#include "ui/dialogs/user_input_blocker.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

UserInputBlocker::UserInputBlocker()
{
    QCoreApplication::instance()->installEventFilter(this);
}

UserInputBlocker::~UserInputBlocker()
{
    release();
}

void UserInputBlocker::flush()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void UserInputBlocker::release()
{
    if (!engaged_)
        return;
    flush();
    QCoreApplication::instance()->removeEventFilter(this);
    engaged_ = false;
}

bool UserInputBlocker::eventFilter(QObject* watched, QEvent* event)
{
    if (!isUserInput(event->type()))
        return QObject::eventFilter(watched, event);
    // An accepted override keeps shortcuts from firing on the key.
    event->accept();
    return true;
}
