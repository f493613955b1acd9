#pragma once

#include "core/pointing/site.h"
#include "core/rules/model_checks.h"

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QSettings;

// The per-user settings of the editor: the visual style, the recent files,
// the window's geometry and state (the panes and docks shown), the site the
// dish is pointed from with the cities the user added, and the Import
// dialog's Model under each ribbon Type.
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

    // The site, kept as "LAT,LON" text; none until one is set, or when the
    // text kept is not a site.
    std::optional<Site> site() const;
    void setSite(const Site& site);
    // The cities the user added, in their order; entries that are not
    // sites are left out.
    std::vector<NamedSite> userCities() const;
    void setUserCities(const std::vector<NamedSite>& cities);
    // The pointing table's columns the user hid.
    std::vector<int> hiddenPointingColumns() const;
    void setHiddenPointingColumns(const std::vector<int>& columns);
    // The plan pane's pointing columns the user hid, by their figures' places
    // in the order the pane shows them.
    std::vector<int> hiddenPlanPointingColumns() const;
    void setHiddenPlanPointingColumns(const std::vector<int>& figures);

    // The Model last chosen in the Import dialog while the ribbon's Type
    // meant `type`, kept by the models' names; none until one is chosen, or
    // when the text kept names no model.
    std::optional<MeterModel> importModel(MeterModel type) const;
    // Written only when it changes.
    void setImportModel(MeterModel type, MeterModel chosen);

private:
    std::vector<int> numbers(const QString& key) const;
    void setNumbers(const QString& key, const std::vector<int>& numbers);

    std::unique_ptr<QSettings> settings_;
};
