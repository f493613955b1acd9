#pragma once

#include <QByteArray>
#include <QStringList>

#include <memory>

class QSettings;

// The per-user settings of the editor: the visual style, the recent files and
// the window's geometry and state.
class AppSettings {
public:
    static constexpr int kDefaultLook = 215;
    static constexpr int kRecentFileCount = 4;

    // The user's settings under the organisation "Local AppWizard-Generated
    // Applications" and the application "Orbitune".
    AppSettings();
    // Settings kept in an INI file, for tests.
    explicit AppSettings(const QString& iniFile);
    ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // The visual style's command id, kept as it was written even when no
    // style has that id.
    int applicationLook() const;
    void setApplicationLook(int styleId);

    // At most four paths, the latest first.
    QStringList recentFiles() const;
    // Puts `path` first; the settings are written only when the list changes.
    void addRecentFile(const QString& path);

    QByteArray windowGeometry() const;
    QByteArray windowState() const;
    void setWindowGeometry(const QByteArray& geometry, const QByteArray& state);

private:
    std::unique_ptr<QSettings> settings_;
};
