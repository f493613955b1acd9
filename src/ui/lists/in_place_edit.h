#pragma once

#include "ui/lists/in_place_keys.h"

#include <QLineEdit>

#include <QPointer>

#include <functional>

// The edit box laid over a list cell while it is edited. It filters the
// characters typed, ends on Enter, Escape or any loss of focus, reports the
// final text exactly once and then deletes itself once control has returned to
// the event loop.
class CInPlaceEdit : public QLineEdit {
    Q_OBJECT
public:
    // Receives the row, the column and the final text of the edit, and where
    // the keyboard goes next.
    using Report = std::function<void(int row, int column, const QString& text, EditExit exit)>;

    // Opens over `cell` of `parent` (the list's viewport) with the cell's text
    // selected and the keyboard focus. `focusTarget` (the list) takes the focus
    // back when the edit ends. An empty `validChars` accepts every character.
    CInPlaceEdit(QWidget* parent, QWidget* focusTarget, const QRect& cell, int row, int column, QString validChars,
                 QString initialText, Report report);

    int row() const { return row_; }
    int column() const { return column_; }
    bool cancelled() const { return cancelled_; }
    const QString& validChars() const { return validChars_; }
    const QString& initialText() const { return initialText_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool passesFilter(const QKeyEvent& event) const;
    void finish();

    QPointer<QWidget> focusTarget_;
    int row_;
    int column_;
    bool cancelled_ = false;
    EditExit exit_ = EditExit::Stay;
    bool reported_ = false;
    QString validChars_;
    QString initialText_;
    Report report_;
};
