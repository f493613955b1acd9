#include "ui/lists/in_place_combo.h"

#include "ui/lists/in_place_keys.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {

// The open list shows at most ten choices and scrolls through the others.
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
    // Styles that open the list as a pop-up menu (Fusion among them) show
    // every choice; the plain list honours the limit.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    show();
    setFocus(Qt::OtherFocusReason);
    clear();
    addItems(choices_);
    setCurrentIndex(-1);
}

bool CInPlaceCombo::event(QEvent* event)
{
    return endEditOnTab(event, exit_, focusTarget_) || claimEditEndKeys(event) || QComboBox::event(event);
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event)
{
    if (endEditOnKey(event, cancelled_, focusTarget_))
        return;
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
    report_(row_, column_, finalText, exit_);
}
