#pragma once

#include <QObject>

// Drops the user's clicks, keys and other input everywhere in the application
// while it is engaged, for work that keeps the user-interface thread busy and
// lets it paint meanwhile. Input given during that time is discarded, never
// delivered once the work is done.
class UserInputBlocker : public QObject {
    Q_OBJECT
public:
    UserInputBlocker();
    ~UserInputBlocker() override;
    UserInputBlocker(const UserInputBlocker&) = delete;
    UserInputBlocker& operator=(const UserInputBlocker&) = delete;

    // Handles every event that has arrived, dropping the input among them.
    static void flush();
    // Drops whatever input has arrived so far, then lets input through again.
    void release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool engaged_ = true;
};
