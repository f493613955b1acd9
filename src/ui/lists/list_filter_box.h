#pragma once

#include <QLineEdit>

// The find box shown below a list: what is typed filters the list's rows.
// Enter hands the keyboard back to the list and keeps the filter; Escape
// clears the filter, hides the box and hands the keyboard back.
class ListFilterBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kWidth = 260;

    // A hidden box of `pane` that hands the keyboard back to `list`.
    ListFilterBox(QWidget* pane, QWidget* list);

signals:
    // Escape hid the box.
    void dismissed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* list_;
};
