#pragma once

#include "core/files/file_error.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>

class PlanList;

// The recovery copies of unsaved plans, one per running editor, in a folder
// of the user's state folder; each copy tells whether it is whole (see
// recovery_copy.h) and lies beside a lock file that its editor holds (an
// advisory lock the system drops when the process ends, however it ends). A
// copy whose lock nobody holds was left by an editor that crashed or was
// killed, or whose user chose to decide later.
class RecoveryFile {
public:
    // $XDG_STATE_HOME/orbitune/recovery, or ~/.local/state/orbitune/recovery.
    static QString defaultFolder();

    // Creates the folder when needed and takes this editor's lock. Without a
    // folder or a lock no copy is written.
    explicit RecoveryFile(const QString& folder);
    // Lets go of the locks; every copy stays.
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // This editor's copy.
    QString path() const { return path_; }
    // Writes the plans to this editor's copy, atomically. Once it is written,
    // the copy taken with takeLeftCopy goes: this one holds its plans now.
    SaveResult write(const PlanList& plans);
    // Removes this editor's copy, if there is one, and the copy taken with
    // takeLeftCopy: the plans were saved or given up.
    void discard();

    // A copy left by an editor that no longer runs: the newest, locked by this
    // editor until it is kept or dropped, or this editor writes or discards
    // its own copy. Nothing when there is none.
    struct LeftCopy {
        QString path;
        QDateTime written;
    };
    std::optional<LeftCopy> takeLeftCopy();
    // Lets go of the copy takeLeftCopy answered and leaves it for the next
    // start.
    void keepLeftCopy();
    // Removes the copy takeLeftCopy answered, with its lock.
    void dropLeftCopy();

private:
    QString folder_;
    QString path_;
    std::string failure_; // why there is no lock, for the error of write
    int lock_ = -1;
    int leftLock_ = -1;
    QString leftPath_;
};
