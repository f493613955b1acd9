#include "ui/shell/app_settings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kLookKey = QStringLiteral("ApplicationLook");
const QString kRecentKey = QStringLiteral("Recent File List");
const QString kGeometryKey = QStringLiteral("Workspace/Geometry");
const QString kStateKey = QStringLiteral("Workspace/State");

} // namespace

AppSettings::AppSettings()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Local AppWizard-Generated Applications"),
                                            QStringLiteral("Orbitune")))
{
}

AppSettings::AppSettings(const QString& iniFile) : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

AppSettings::~AppSettings() = default;

int AppSettings::applicationLook() const
{
    bool ok = false;
    const int look = settings_->value(kLookKey, kDefaultLook).toInt(&ok);
    return ok ? look : kDefaultLook;
}

void AppSettings::setApplicationLook(int styleId)
{
    settings_->setValue(kLookKey, styleId);
}

QStringList AppSettings::recentFiles() const
{
    QStringList files = settings_->value(kRecentKey).toStringList();
    if (files.size() > kRecentFileCount)
        files.erase(files.begin() + kRecentFileCount, files.end());
    return files;
}

void AppSettings::addRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    if (files.size() > kRecentFileCount)
        files.removeLast();
    // Each write of the settings goes to the disk: a list that stays as it
    // is (the latest file opened again) is not written again.
    if (files != settings_->value(kRecentKey).toStringList())
        settings_->setValue(kRecentKey, files);
}

QByteArray AppSettings::windowGeometry() const
{
    return settings_->value(kGeometryKey).toByteArray();
}

QByteArray AppSettings::windowState() const
{
    return settings_->value(kStateKey).toByteArray();
}

void AppSettings::setWindowGeometry(const QByteArray& geometry, const QByteArray& state)
{
    settings_->setValue(kGeometryKey, geometry);
    settings_->setValue(kStateKey, state);
}
