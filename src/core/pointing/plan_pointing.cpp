#include "core/pointing/plan_pointing.h"

#include "core/res/string_ids.h"
#include "core/rules/decimal_text.h"

#include <cmath>

PlanPointing pointPlan(const CComonOrbitune& plan, const Site& site, const Declination& declination)
{
    PlanPointing result;
    result.plan = plan.id;
    result.longitude = pointing::orbitalLongitude(plan);
    result.dish = pointing::pointDish(site, result.longitude);
    if (declination.known())
        result.magneticAzimuth = pointing::magneticAzimuth(result.dish.azimuth, declination.degrees);
    return result;
}

std::vector<PlanPointing> pointPlans(const PlanList& plans, const Site& site, const Declination& declination)
{
    std::vector<PlanPointing> rows;
    rows.reserve(static_cast<std::size_t>(plans.count()));
    for (const CComonOrbitune& plan : plans)
        rows.push_back(pointPlan(plan, site, declination));
    return rows;
}

namespace pointing_text {

std::string angleText(double degrees)
{
    const std::string text = decimal::formatFixed(degrees, 1);
    return text == "-0.0" ? std::string("0.0") : text;
}

std::string dateText(std::chrono::year_month_day day)
{
    const auto padded = [](unsigned value, std::size_t width) {
        std::string text = std::to_string(value);
        return std::string(text.size() < width ? width - text.size() : 0, '0') + text;
    };
    return std::to_string(static_cast<int>(day.year())) + "-" + padded(static_cast<unsigned>(day.month()), 2) + "-" +
           padded(static_cast<unsigned>(day.day()), 2);
}

std::optional<Notice> gapNotice(CompassGap gap, std::chrono::year_month_day day)
{
    switch (gap) {
    case CompassGap::BeforeModel:
    case CompassGap::AfterModel:
        return Notice{msg::kOutsideMagneticModel, {dateText(day)}};
    case CompassGap::NearMagneticPole:
        return Notice{msg::kNearMagneticPole, {}};
    case CompassGap::GeographicPole:
        return Notice{msg::kGeographicPole, {}};
    case CompassGap::None:
        break;
    }
    return std::nullopt;
}

} // namespace pointing_text
