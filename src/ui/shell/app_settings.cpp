#include "ui/shell/app_settings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kLookKey = QStringLiteral("ApplicationLook");
const QString kRecentKey = QStringLiteral("Recent File List");
const QString kGeometryKey = QStringLiteral("Workspace/Geometry");
const QString kStateKey = QStringLiteral("Workspace/State");
const QString kSiteKey = QStringLiteral("Pointing/Site");
const QString kCitiesKey = QStringLiteral("Pointing/Cities");
const QString kHiddenColumnsKey = QStringLiteral("Pointing/HiddenColumns");
const QString kHiddenPlanColumnsKey = QStringLiteral("Pointing/HiddenPlanColumns");

// "Import/Model/Q36": the Model chosen under the Type that means the Q36.
QString importModelKey(MeterModel type)
{
    return QStringLiteral("Import/Model/") + QString::fromLatin1(modelName(type));
}

// "52.520000,13.400000": QString::number writes "." whatever the locale.
QString siteText(const Site& site)
{
    return QString::number(site.latitude, 'f', 6) + QLatin1Char(',') + QString::number(site.longitude, 'f', 6);
}

std::optional<Site> siteOf(const QString& text)
{
    return site_text::parseSite(text.toStdString());
}

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

std::optional<Site> AppSettings::site() const
{
    return siteOf(settings_->value(kSiteKey).toString());
}

void AppSettings::setSite(const Site& site)
{
    settings_->setValue(kSiteKey, siteText(site));
}

std::vector<NamedSite> AppSettings::userCities() const
{
    std::vector<NamedSite> cities;
    const int count = settings_->beginReadArray(kCitiesKey);
    for (int i = 0; i < count; ++i) {
        settings_->setArrayIndex(i);
        const QString name = settings_->value(QStringLiteral("Name")).toString();
        const auto site = siteOf(settings_->value(QStringLiteral("Site")).toString());
        if (!name.isEmpty() && site)
            cities.push_back({name.toStdString(), *site});
    }
    settings_->endArray();
    return cities;
}

void AppSettings::setUserCities(const std::vector<NamedSite>& cities)
{
    settings_->remove(kCitiesKey);
    settings_->beginWriteArray(kCitiesKey, static_cast<int>(cities.size()));
    for (std::size_t i = 0; i < cities.size(); ++i) {
        settings_->setArrayIndex(static_cast<int>(i));
        settings_->setValue(QStringLiteral("Name"), QString::fromStdString(cities[i].name));
        settings_->setValue(QStringLiteral("Site"), siteText(cities[i].site));
    }
    settings_->endArray();
}

std::vector<int> AppSettings::numbers(const QString& key) const
{
    std::vector<int> numbers;
    for (const QString& text : settings_->value(key).toStringList()) {
        bool ok = false;
        const int number = text.toInt(&ok);
        if (ok)
            numbers.push_back(number);
    }
    return numbers;
}

void AppSettings::setNumbers(const QString& key, const std::vector<int>& numbers)
{
    QStringList texts;
    for (const int number : numbers)
        texts.append(QString::number(number));
    settings_->setValue(key, texts);
}

std::vector<int> AppSettings::hiddenPointingColumns() const
{
    return numbers(kHiddenColumnsKey);
}

void AppSettings::setHiddenPointingColumns(const std::vector<int>& columns)
{
    setNumbers(kHiddenColumnsKey, columns);
}

std::vector<int> AppSettings::hiddenPlanPointingColumns() const
{
    return numbers(kHiddenPlanColumnsKey);
}

void AppSettings::setHiddenPlanPointingColumns(const std::vector<int>& figures)
{
    setNumbers(kHiddenPlanColumnsKey, figures);
}

std::optional<MeterModel> AppSettings::importModel(MeterModel type) const
{
    const QString kept = settings_->value(importModelKey(type)).toString();
    for (const MeterModel model : kMeterModels)
        if (kept == QLatin1String(modelName(model)))
            return model;
    return std::nullopt;
}

void AppSettings::setImportModel(MeterModel type, MeterModel chosen)
{
    if (importModel(type) != chosen)
        settings_->setValue(importModelKey(type), QString::fromLatin1(modelName(chosen)));
}
