#pragma once

#include "core/model/guid.h"
#include "core/pointing/dish_pointing.h"
#include "core/pointing/plan_pointing.h"
#include "core/pointing/site.h"
#include "core/res/string_table.h"

#include <QWidget>

#include <chrono>
#include <optional>
#include <vector>

class PlanList;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class SkyPicture;

// Where to point the dish at each plan's satellite from the user's site. At
// the top the site: a city chosen from the list (the known cities, then those
// the user added) or a latitude and longitude typed in; "Add City" keeps the
// typed site under the name in the city box, "Remove City" drops an added
// city. Below it the sky seen from the site: the horizon, the visible arc of
// the geostationary orbit and each plan's satellite on it, the current plan's
// highlighted; then a table of every plan's azimuth (true and magnetic),
// elevation and LNB skew, whose header's context menu hides and shows
// columns. A line under the site says why there is no magnetic azimuth, when
// the magnetic model gives none on the day.
class SkyView : public QWidget {
    Q_OBJECT
public:
    // The table's columns.
    enum Column { kPlanName, kPosition, kAzimuth, kMagnetic, kElevation, kSkew, kColumnCount };

    SkyView(const PlanList& plans, Language language, QWidget* parent = nullptr);

    void setSite(std::optional<Site> site);
    std::optional<Site> site() const { return site_; }
    void setUserCities(std::vector<NamedSite> cities);
    const std::vector<NamedSite>& userCities() const { return userCities_; }
    void setHiddenColumns(const std::vector<int>& columns);
    std::vector<int> hiddenColumns() const;
    // The day of the magnetic declination; today at first.
    void setDay(std::chrono::year_month_day day);

    // The plan highlighted; none highlights none.
    void showPlan(std::optional<Guid> plan);
    std::optional<Guid> plan() const { return plan_; }
    // Points the dish again after a change to the plans.
    void refresh();

    // Every plan's pointing, in list order; empty without a site.
    const std::vector<PlanPointing>& pointings() const { return pointings_; }
    const Declination& declination() const { return declination_; }

    QComboBox& cityBox() { return *cities_; }
    QLineEdit& latitudeEdit() { return *latitude_; }
    QLineEdit& longitudeEdit() { return *longitude_; }
    QPushButton& addCityButton() { return *addCity_; }
    QPushButton& removeCityButton() { return *removeCity_; }
    QLabel& problemLabel() { return *problem_; }
    QTableWidget& table() { return *table_; }

signals:
    // The user chose or typed another site.
    void siteChosen(const Site& site);
    void userCitiesChanged(const std::vector<NamedSite>& cities);
    void hiddenColumnsChanged(const std::vector<int>& columns);

private:
    void fillCities();
    void cityChosen(int index);
    void typedSiteEdited();
    void addCity();
    void removeCity();
    void showHeaderMenu(const QPoint& at);
    void fillTable();
    void showSiteFields();

    const PlanList& plans_;
    Language language_;
    std::optional<Site> site_;
    std::vector<NamedSite> userCities_;
    std::optional<Guid> plan_;
    std::chrono::year_month_day day_;
    Declination declination_;
    std::vector<PlanPointing> pointings_;

    QComboBox* cities_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QPushButton* addCity_ = nullptr;
    QPushButton* removeCity_ = nullptr;
    QLabel* problem_ = nullptr;
    SkyPicture* picture_ = nullptr;
    QTableWidget* table_ = nullptr;
};
