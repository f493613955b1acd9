#include "ui/lists/in_place_edit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

namespace {

// Whether every printable character of `text` is one of `validChars` (empty:
// every character is). Text from a key, a dead key or an input method may
// hold several characters, and characters beyond the 16-bit range (an emoji)
// are never valid.
bool onlyValid(const QString& text, const QString& validChars)
{
    if (validChars.isEmpty())
        return true;
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c))
            continue;
        if (QChar::requiresSurrogates(c) || !validChars.contains(QChar(static_cast<char16_t>(c))))
            return false;
    }
    return true;
}

// Lets into the box only text made of the characters a column takes.
class TypedCharsValidator : public QValidator {
public:
    TypedCharsValidator(QString validChars, QObject* parent) : QValidator(parent), validChars_(std::move(validChars)) {}

    State validate(QString& input, int&) const override { return onlyValid(input, validChars_) ? Acceptable : Invalid; }

private:
    QString validChars_;
};

} // namespace

CInPlaceEdit::CInPlaceEdit(QWidget* parent, QString validChars) : QLineEdit(parent), validChars_(std::move(validChars))
{
    setFrame(false);
    if (!validChars_.isEmpty())
        setValidator(new TypedCharsValidator(validChars_, this));
}

void CInPlaceEdit::start(int row, int column, const QString& text)
{
    row_ = row;
    column_ = column;
    initialText_ = text;
    // The cell's own text is shown whatever characters it holds.
    const QValidator* filter = validator();
    setValidator(nullptr);
    setText(text);
    setValidator(filter);
    selectAll();
}

bool CInPlaceEdit::takes(const QString& text) const
{
    return onlyValid(text, validChars_);
}

void CInPlaceEdit::pasteAnything()
{
    const QValidator* filter = validator();
    setValidator(nullptr);
    paste();
    setValidator(filter);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteAnything();
        event->accept();
        return;
    }
    if (!takes(event->text()))
        QApplication::beep();
    QLineEdit::keyPressEvent(event);
}

// Text an input method commits enters only as far as it is valid.
void CInPlaceEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString committed = event->commitString();
    if (takes(committed)) {
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

// The menu's Paste pastes as the keys do.
void CInPlaceEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText)
            continue;
        action->disconnect(this);
        connect(action, &QAction::triggered, this, &CInPlaceEdit::pasteAnything);
    }
    menu->popup(event->globalPos());
}
