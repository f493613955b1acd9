#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the terminal)
// into a close of every window, so that the editor ends as after a click on
// the close box: its settings are written and it exits with status 0.
// `signalled` comes first, so that windows can close without a question. One
// at a time; the signals take their default action again when it goes.
class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignals(QObject* parent = nullptr);
    ~QuitOnSignals() override;
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

signals:
    void signalled();

private:
    void onSignal();

    QSocketNotifier* notifier_ = nullptr;
};
