#include "core/pointing/plan_pointing.h"

#include "core/res/string_ids.h"
#include "core/rules/decimal_text.h"

#include <cmath>
#include <utility>

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

namespace {

// Where a figure places a pointing; the magnetic azimuth's first part tells
// whether it is known at all.
std::pair<double, double> orderKey(const PlanPointing& pointing, PointingFigure figure)
{
    switch (figure) {
    case PointingFigure::Azimuth:
        return {0.0, pointing.dish.azimuth};
    case PointingFigure::MagneticAzimuth:
        return pointing.magneticAzimuth ? std::pair{1.0, *pointing.magneticAzimuth} : std::pair{0.0, 0.0};
    case PointingFigure::Elevation:
        return {0.0, pointing.dish.elevation};
    case PointingFigure::Skew:
        return {0.0, pointing.dish.skew};
    case PointingFigure::AboveHorizon:
        return {pointing.dish.aboveHorizon() ? 1.0 : 0.0, 0.0};
    }
    return {};
}

} // namespace

int comparePointings(const PlanPointing& a, const PlanPointing& b, PointingFigure figure)
{
    const auto first = orderKey(a, figure);
    const auto second = orderKey(b, figure);
    return first < second ? -1 : second < first ? 1 : 0;
}

namespace pointing_text {

std::string angleText(double degrees)
{
    const std::string text = decimal::formatFixed(degrees, 1);
    return text == "-0.0" ? std::string("0.0") : text;
}

MessageId figureTitle(PointingFigure figure)
{
    switch (figure) {
    case PointingFigure::Azimuth:
        return msg::kAzimuth;
    case PointingFigure::MagneticAzimuth:
        return msg::kMagneticAzimuth;
    case PointingFigure::Elevation:
        return msg::kElevation;
    case PointingFigure::Skew:
        return msg::kLnbSkew;
    case PointingFigure::AboveHorizon:
        return msg::kAboveHorizon;
    }
    return msg::kAzimuth;
}

std::string figureText(const PlanPointing& pointing, PointingFigure figure, Language language)
{
    switch (figure) {
    case PointingFigure::Azimuth:
        return angleText(pointing.dish.azimuth);
    case PointingFigure::MagneticAzimuth:
        return pointing.magneticAzimuth ? angleText(*pointing.magneticAzimuth) : std::string("-");
    case PointingFigure::Elevation:
        return angleText(pointing.dish.elevation);
    case PointingFigure::Skew:
        return angleText(pointing.dish.skew);
    case PointingFigure::AboveHorizon:
        return std::string(messageText(pointing.dish.aboveHorizon() ? msg::kYes : msg::kNo, language));
    }
    return {};
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
