#include "lists/in_place_edit.h"

#include "lists/in_place_keys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {

constexpr char16_t kCtrlC = 3;
constexpr char16_t kBackspace = 8;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;

// The character a key press types, with Ctrl+letter as its control character
// (Ctrl+C is 3); none for keys that type nothing (arrows, Home, Delete).
std::optional<char16_t> typedCharacter(const QKeyEvent& event)
{
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return kBackspace;
    if ((event.modifiers() & Qt::ControlModifier) != 0 && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return std::nullopt;
    return text.at(0).unicode();
}

} // namespace

CInPlaceEdit::CInPlaceEdit(QWidget* parent, QWidget* focusTarget, const QRect& cell, int row, int column,
                           QString validChars, QString initialText, Report report)
    : QLineEdit(parent), focusTarget_(focusTarget), row_(row), column_(column), validChars_(std::move(validChars)),
      initialText_(std::move(initialText)), report_(std::move(report))
{
    setFont(parent->font());
    setFrame(false);
    setGeometry(cell);
    show();
    setText(initialText_);
    selectAll();
    setFocus(Qt::OtherFocusReason);
}

bool CInPlaceEdit::passesFilter(const QKeyEvent& event) const
{
    if (validChars_.isEmpty())
        return true;
    const auto c = typedCharacter(event);
    if (!c)
        return true;
    return *c == kCtrlC || *c == kBackspace || *c == kCtrlV || *c == kCtrlX || validChars_.contains(QChar(*c));
}

bool CInPlaceEdit::event(QEvent* event)
{
    return claimEditEndKeys(event) || QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    if (endEditOnKey(event, cancelled_, focusTarget_))
        return;
    if (!passesFilter(*event)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason)
        finish();
}

void CInPlaceEdit::finish()
{
    if (reported_)
        return;
    reported_ = true;
    const QString finalText = cancelled_ ? initialText_ : text();
    hide();
    deleteLater();
    report_(row_, column_, finalText);
}
