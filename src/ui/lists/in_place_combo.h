#pragma once

#include "ui/lists/in_place_keys.h"

#include <QComboBox>
#include <QStringList>

#include <QPointer>

#include <functional>

// The drop-down list laid over a list cell while it is edited. Enter, Escape,
// closing its list or any loss of focus ends the edit; it then reports the text
// of the selected item (empty when none is) exactly once and deletes itself
// once control has returned to the event loop.
class CInPlaceCombo : public QComboBox {
    Q_OBJECT
public:
    using Report = std::function<void(int row, int column, const QString& text, EditExit exit)>;

    // Opens over `cell` of `parent` offering `choices` in order, none selected,
    // with the keyboard focus; its list shows at most ten choices.
    CInPlaceCombo(QWidget* parent, QWidget* focusTarget, const QRect& cell, int row, int column,
                  const QStringList& choices, QString initialText, Report report);

    int row() const { return row_; }
    int column() const { return column_; }
    bool cancelled() const { return cancelled_; }
    const QString& initialText() const { return initialText_; }
    const QStringList& choices() const { return choices_; }

    void hidePopup() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finish();

    QPointer<QWidget> focusTarget_;
    int row_;
    int column_;
    bool cancelled_ = false;
    EditExit exit_ = EditExit::Stay;
    bool reported_ = false;
    QString initialText_;
    QStringList choices_;
    Report report_;
};
