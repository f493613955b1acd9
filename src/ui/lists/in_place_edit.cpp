#include "ui/lists/in_place_edit.h"

#include "ui/lists/in_place_keys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

constexpr char16_t kCtrlC = 3;
constexpr char16_t kBackspace = 8;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;

// The control character of Ctrl+letter (Ctrl+C is 3) and of Backspace; none
// for other keys.
std::optional<char16_t> controlCharacter(const QKeyEvent& event)
{
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return kBackspace;
    if ((event.modifiers() & Qt::ControlModifier) != 0 && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    return std::nullopt;
}

// Whether every printable character of `text` is one of `validChars`. Text
// from a key, a dead key or an input method may hold several characters, and
// characters beyond the 16-bit range (an emoji) are never valid.
bool onlyValid(const QString& text, const QString& validChars)
{
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c))
            continue;
        if (QChar::requiresSurrogates(c) || !validChars.contains(QChar(static_cast<char16_t>(c))))
            return false;
    }
    return true;
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
    if (const auto c = controlCharacter(event))
        return *c == kCtrlC || *c == kBackspace || *c == kCtrlV || *c == kCtrlX;
    return onlyValid(event.text(), validChars_);
}

// Text an input method commits enters only as far as it is valid.
void CInPlaceEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString committed = event->commitString();
    if (validChars_.isEmpty() || onlyValid(committed, validChars_)) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString kept;
    for (const QChar c : committed)
        if (validChars_.contains(c))
            kept.append(c);
    QApplication::beep();
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

bool CInPlaceEdit::event(QEvent* event)
{
    return endEditOnTab(event, exit_, focusTarget_) || claimEditEndKeys(event) || QLineEdit::event(event);
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
    report_(row_, column_, finalText, exit_);
}
