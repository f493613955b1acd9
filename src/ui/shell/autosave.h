#pragma once

#include "core/files/file_error.h"

#include <QObject>
#include <QTimer>

#include <chrono>

class PlanHistory;
class PlanList;
class RecoveryFile;

// Keeps a recovery copy of unsaved plans: written a pause after a change, and
// at least once an interval while changes keep coming; removed as soon as the
// plans are saved again.
class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kInterval{60'000};
    static constexpr std::chrono::milliseconds kPause{2'000};

    Autosave(PlanHistory& history, const PlanList& plans, RecoveryFile& file, QObject* parent = nullptr);

    void setTimes(std::chrono::milliseconds interval, std::chrono::milliseconds pause);
    // Writes the copy now when a change waits for it.
    void writeNow();
    // The editor ends: with `keep` and unsaved plans the copy is written and
    // kept for the next start, otherwise it is removed.
    void finish(bool keep);

signals:
    // Every failed write; `first` for the first one since the editor started
    // or a write last succeeded.
    void writeFailed(const FileError& error, bool first);

private:
    void plansChanged();
    // Nothing is written until the plans change again.
    void hold();

    PlanHistory& history_;
    const PlanList& plans_;
    RecoveryFile& file_;
    QTimer pause_;
    QTimer interval_;
    bool waiting_ = false;
    bool failing_ = false;
};
