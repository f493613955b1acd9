#pragma once

#include <QLineEdit>

// The edit box laid over a list cell while it is edited. Its validator lets
// only the characters of `validChars` be typed (empty: every character), and
// a refused character sounds the warning beep; pasting brings in any text, as
// the cell rules check what is committed. The editing keys (Ctrl+A, Ctrl+Z,
// Ctrl+C, ...) are the box's own. The list's delegate opens it and ends it.
class CInPlaceEdit : public QLineEdit {
    Q_OBJECT
public:
    CInPlaceEdit(QWidget* parent, QString validChars);

    // Starts the edit of the cell at `row` and `column` (as the list shows
    // them) with the cell's text, all of it selected.
    void start(int row, int column, const QString& text);

    int row() const { return row_; }
    int column() const { return column_; }
    const QString& validChars() const { return validChars_; }
    // The cell's text when the edit began.
    const QString& initialText() const { return initialText_; }

    // Pastes the clipboard's text whatever characters it holds.
    void pasteAnything();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool takes(const QString& text) const;

    int row_ = -1;
    int column_ = -1;
    QString validChars_;
    QString initialText_;
};
