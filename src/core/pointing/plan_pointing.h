#pragma once

#include "core/model/guid.h"
#include "core/model/plan_list.h"
#include "core/pointing/dish_pointing.h"
#include "core/res/string_table.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Where to point the dish at each plan's satellite from one site.
struct PlanPointing {
    Guid plan;
    double longitude = 0.0; // the orbital position, east positive
    DishPointing dish;
    // The compass bearing; none where the declination is not known.
    std::optional<double> magneticAzimuth;
};

// The figures a table of pointings shows of each plan, in the order its
// columns show them.
enum class PointingFigure { Azimuth, MagneticAzimuth, Elevation, Skew, AboveHorizon };
inline constexpr std::array<PointingFigure, 5> kPointingFigures{
    PointingFigure::Azimuth, PointingFigure::MagneticAzimuth, PointingFigure::Elevation, PointingFigure::Skew,
    PointingFigure::AboveHorizon};

PlanPointing pointPlan(const CComonOrbitune& plan, const Site& site, const Declination& declination);
// Every plan of the list, in list order.
std::vector<PlanPointing> pointPlans(const PlanList& plans, const Site& site, const Declination& declination);
// Two plans' pointings in the ascending order of a figure: negative, 0 or
// positive. A magnetic azimuth that is not known comes first, and below the
// horizon before above it.
int comparePointings(const PlanPointing& a, const PlanPointing& b, PointingFigure figure);

namespace pointing_text {

// Degrees with one decimal, "-0.0" written as "0.0": "172.7", "-4.5".
std::string angleText(double degrees);
// The title of a figure's column.
MessageId figureTitle(PointingFigure figure);
// A figure as a table shows it: degrees as angleText writes them, "-" for a
// magnetic azimuth that is not known, "Yes" or "No" for above the horizon.
std::string figureText(const PlanPointing& pointing, PointingFigure figure, Language language);
// "2026-03-01".
std::string dateText(std::chrono::year_month_day day);
// Why a declination is not known, as the message that says so; nothing for a
// known one.
std::optional<Notice> gapNotice(CompassGap gap, std::chrono::year_month_day day);

} // namespace pointing_text
