#include "lists/in_place_combo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

constexpr int kMaxVisibleChoices = 10;

} // namespace

CInPlaceCombo::CInPlaceCombo(QWidget* parent, QWidget* focusTarget, const QRect& cell, int row, int column,
                             const QStringList& choices, QString initialText, Report report)
    : QComboBox(parent), focusTarget_(focusTarget), row_(row), column_(column), initialText_(std::move(initialText)),
      choices_(choices), report_(std::move(report))
{
    setFont(parent->font());
    setGeometry(cell);
    setMaxVisibleItems(kMaxVisibleChoices);
    show();
    setFocus(Qt::OtherFocusReason);
    clear();
    addItems(choices_);
    setCurrentIndex(-1);
}

bool CInPlaceCombo::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isEnter(key) || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QComboBox::event(event);
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape || isEnter(key)) {
        if (key == Qt::Key_Escape)
            cancelled_ = true;
        event->accept();
        if (focusTarget_)
            focusTarget_->setFocus(Qt::OtherFocusReason);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CInPlaceCombo::hidePopup()
{
    QComboBox::hidePopup();
    // Closing the list, with a choice or without, ends the edit. The combo
    // takes a choice only after its list has closed, so the focus moves once
    // that is done.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (focusTarget_)
                focusTarget_->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // While its own list is open the focus is inside that list; closing the
    // list ends the edit.
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible())
        finish();
}

void CInPlaceCombo::finish()
{
    if (reported_)
        return;
    reported_ = true;
    const QString finalText = cancelled_ ? initialText_ : (currentIndex() < 0 ? QString() : currentText());
    hide();
    deleteLater();
    report_(row_, column_, finalText);
}
