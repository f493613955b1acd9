#pragma once

#include "core/files/file_error.h"

#include <QDateTime>
#include <QString>

#include <optional>

class PlanList;

// The recovery copies of unsaved plans: General files in a folder of the
// user's state folder, one per running editor, each beside a lock file that
// its editor holds (an advisory lock the system drops when the process ends,
// however it ends). A copy whose lock nobody holds was left by an editor that
// crashed or was killed.
class RecoveryFile {
public:
    // $XDG_STATE_HOME/orbitune/recovery, or ~/.local/state/orbitune/recovery.
    static QString defaultFolder();

    // Creates the folder when needed and takes this editor's lock. Without a
    // folder or a lock no copy is written.
    explicit RecoveryFile(const QString& folder);
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // This editor's copy.
    QString path() const { return path_; }
    // Writes the plans to this editor's copy, atomically.
    SaveResult write(const PlanList& plans);
    // Removes this editor's copy, if there is one.
    void discard();

    // A copy left by an editor that no longer runs: the newest, locked by this
    // editor until dropLeftCopy. Nothing when there is none.
    struct LeftCopy {
        QString path;
        QDateTime written;
    };
    std::optional<LeftCopy> takeLeftCopy();
    // Removes the copy takeLeftCopy answered, with its lock.
    void dropLeftCopy();

private:
    QString folder_;
    QString path_;
    int lock_ = -1;
    int leftLock_ = -1;
    QString leftPath_;
};
