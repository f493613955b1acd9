#include "ui/shell/recovery_file.h"

#include "core/files/recovery_copy.h"
#include "core/model/plan_list.h"
#include "core/rules/model_checks.h"
#include "ui/text/qt_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kCopySuffix = QStringLiteral(".gnr");
const QString kLockSuffix = QStringLiteral(".lock");

QString lockOf(const QString& copy)
{
    return copy.left(copy.size() - kCopySuffix.size()) + kLockSuffix;
}

// The lock file, opened and locked; -1 when another process holds it or it
// cannot be opened.
int takeLock(const QString& lockPath)
{
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void releaseLock(int& fd, const QString& lockPath)
{
    if (fd < 0)
        return;
    QFile::remove(lockPath);
    ::close(fd);
    fd = -1;
}

} // namespace

QString RecoveryFile::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/orbitune/recovery");
}

RecoveryFile::RecoveryFile(const QString& folder) : folder_(folder)
{
    std::error_code error;
    std::filesystem::create_directories(coreText(folder_), error);
    if (error) {
        failure_ = error.message();
        return;
    }
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString copy = QDir(folder_).filePath(name + kCopySuffix);
    lock_ = takeLock(lockOf(copy));
    if (lock_ >= 0)
        path_ = copy;
    else
        failure_ = std::strerror(errno);
}

RecoveryFile::~RecoveryFile()
{
    keepLeftCopy();
    if (!path_.isEmpty())
        releaseLock(lock_, lockOf(path_));
}

SaveResult RecoveryFile::write(const PlanList& plans)
{
    if (path_.isEmpty())
        return {FileError{FileError::Kind::CannotWrite, coreText(folder_), failure_}};
    SaveResult result = writeRecoveryCopy(coreText(path_), allPlans(plans));
    if (result.ok())
        dropLeftCopy();
    return result;
}

void RecoveryFile::discard()
{
    if (!path_.isEmpty())
        QFile::remove(path_);
    dropLeftCopy();
}

std::optional<RecoveryFile::LeftCopy> RecoveryFile::takeLeftCopy()
{
    keepLeftCopy();
    QDir dir(folder_);
    // Locks nobody holds and no copy goes with are what clean ends leave.
    for (const QFileInfo& lock : dir.entryInfoList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        const QString copy = lock.path() + QLatin1Char('/') + lock.completeBaseName() + kCopySuffix;
        if (copy == path_ || QFileInfo::exists(copy))
            continue;
        int fd = takeLock(lock.filePath());
        releaseLock(fd, lock.filePath());
    }
    for (const QFileInfo& copy : dir.entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files, QDir::Time)) {
        if (copy.filePath() == path_)
            continue;
        const int fd = takeLock(lockOf(copy.filePath()));
        if (fd < 0)
            continue;
        leftLock_ = fd;
        leftPath_ = copy.filePath();
        return LeftCopy{leftPath_, copy.lastModified()};
    }
    return std::nullopt;
}

void RecoveryFile::keepLeftCopy()
{
    if (leftPath_.isEmpty())
        return;
    ::close(leftLock_);
    leftLock_ = -1;
    leftPath_.clear();
}

void RecoveryFile::dropLeftCopy()
{
    if (leftPath_.isEmpty())
        return;
    QFile::remove(leftPath_);
    releaseLock(leftLock_, lockOf(leftPath_));
    leftPath_.clear();
}
