#pragma once

#include <QComboBox>
#include <QStringList>

// The drop-down list laid over a list cell while it is edited: the choices the
// cell rules give the row, in order, with the first one that begins with the
// cell's text (ignoring case) selected, none when none does. Its list shows at
// most ten choices. Closing the list, with a choice or without, ends the edit
// with the choice selected then. The list's delegate opens it and ends it.
class CInPlaceCombo : public QComboBox {
    Q_OBJECT
public:
    CInPlaceCombo(QWidget* parent, const QStringList& choices);

    // Starts the edit of the cell at `row` and `column` (as the list shows
    // them) with the cell's text.
    void start(int row, int column, const QString& text);

    int row() const { return row_; }
    int column() const { return column_; }
    // The cell's text when the edit began.
    const QString& initialText() const { return initialText_; }
    const QStringList& choices() const { return choices_; }
    // The text the edit ends with: the selected choice, empty when none is.
    QString finalText() const;

    void hidePopup() override;

signals:
    // The open list closed; the edit ends.
    void listClosed();

private:
    int row_ = -1;
    int column_ = -1;
    QString initialText_;
    QStringList choices_;
};
