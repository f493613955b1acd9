#pragma once

#include "core/model/guid.h"
#include "core/pointing/plan_pointing.h"
#include "core/pointing/site.h"
#include "ui/lists/plan_table_model.h"

#include <QString>

#include <array>
#include <chrono>
#include <map>
#include <optional>
#include <vector>

// The plan pane's columns of where to point the dish at each plan's
// satellite from the site the sky view shows: azimuth (true and magnetic),
// elevation, LNB skew and whether it is above the horizon, worked out as the
// sky view's table works them out. Without a site the cells are empty.
//
// A plan's figures are worked out once for its orbital position and kept by
// its id, so that drawing the rows and telling the views what changed cost no
// trigonometry; another site or day works them out afresh.
class PointingColumns {
public:
    explicit PointingColumns(Language language);

    const std::optional<Site>& site() const { return site_; }
    void setSite(std::optional<Site> site);
    // The day of the magnetic declination; today at first.
    void setDay(std::chrono::year_month_day day);

    // The plan table's columns, one per figure in the order of
    // kPointingFigures; they read this object, which outlives them.
    std::vector<PlanTableModel::Column> columns() const;

    QString text(const CComonOrbitune& plan, PointingFigure figure) const;
    int compare(const CComonOrbitune& a, const CComonOrbitune& b, PointingFigure figure) const;

private:
    struct Worked {
        double longitude = 0.0;
        PlanPointing pointing;
        std::array<QString, kPointingFigures.size()> texts;
    };

    // The plan's figures; none without a site.
    const Worked* workedOut(const CComonOrbitune& plan) const;
    void forget();

    Language language_;
    std::optional<Site> site_;
    std::chrono::year_month_day day_;
    Declination declination_;
    mutable std::map<Guid, Worked> worked_;
};
