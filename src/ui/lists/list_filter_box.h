#pragma once

#include <QLineEdit>

// The find box laid over the bottom of a list: what is typed filters the
// list's rows. Enter hands the keyboard back to the list and keeps the
// filter; Escape clears the filter, hides the box and hands the keyboard back.
class ListFilterBox : public QLineEdit {
    Q_OBJECT
public:
    // A box over `list`, hidden until shown.
    explicit ListFilterBox(QWidget* list);

    // Lays the box over the bottom left of `area` (the list's viewport, in the
    // list's coordinates).
    void placeOver(const QRect& area);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* list_;
};
