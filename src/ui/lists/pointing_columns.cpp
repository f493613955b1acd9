#include "ui/lists/pointing_columns.h"

#include "core/model/plan_list.h"
#include "ui/text/qt_text.h"

#include <cstddef>

PointingColumns::PointingColumns(Language language) : language_(language), day_(pointing::today()) {}

void PointingColumns::setSite(std::optional<Site> site)
{
    site_ = site;
    forget();
}

void PointingColumns::setDay(std::chrono::year_month_day day)
{
    day_ = day;
    forget();
}

void PointingColumns::forget()
{
    worked_.clear();
    declination_ = site_ ? pointing::declinationAt(*site_, day_) : Declination{};
}

std::vector<PlanTableModel::Column> PointingColumns::columns() const
{
    std::vector<PlanTableModel::Column> columns;
    for (const PointingFigure figure : kPointingFigures) {
        ListColumn look{qtMessage(pointing_text::figureTitle(figure), language_), CellEditor::None, {}};
        look.computed = true;
        columns.push_back(
            {look, [this, figure](const CComonOrbitune& plan) { return text(plan, figure); },
             [this, figure](const CComonOrbitune& a, const CComonOrbitune& b) { return compare(a, b, figure); }});
    }
    return columns;
}

QString PointingColumns::text(const CComonOrbitune& plan, PointingFigure figure) const
{
    const Worked* worked = workedOut(plan);
    return worked != nullptr ? worked->texts[static_cast<std::size_t>(figure)] : QString();
}

int PointingColumns::compare(const CComonOrbitune& a, const CComonOrbitune& b, PointingFigure figure) const
{
    const Worked* first = workedOut(a);
    const Worked* second = workedOut(b);
    return first != nullptr && second != nullptr ? comparePointings(first->pointing, second->pointing, figure) : 0;
}

const PointingColumns::Worked* PointingColumns::workedOut(const CComonOrbitune& plan) const
{
    if (!site_)
        return nullptr;
    const double longitude = pointing::orbitalLongitude(plan);
    if (const auto kept = worked_.find(plan.id); kept != worked_.end() && kept->second.longitude == longitude)
        return &kept->second;
    // Ids of plans long gone are let go now and then.
    if (worked_.size() >= 4 * static_cast<std::size_t>(PlanList::kMaxPlans))
        worked_.clear();
    Worked worked;
    worked.longitude = longitude;
    worked.pointing = pointPlan(plan, *site_, declination_);
    for (std::size_t i = 0; i < kPointingFigures.size(); ++i)
        worked.texts[i] = qtText(pointing_text::figureText(worked.pointing, kPointingFigures[i], language_));
    return &(worked_[plan.id] = std::move(worked));
}
