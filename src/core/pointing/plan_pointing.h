#pragma once

#include "core/model/guid.h"
#include "core/model/plan_list.h"
#include "core/pointing/dish_pointing.h"
#include "core/res/string_table.h"

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

PlanPointing pointPlan(const CComonOrbitune& plan, const Site& site, const Declination& declination);
// Every plan of the list, in list order.
std::vector<PlanPointing> pointPlans(const PlanList& plans, const Site& site, const Declination& declination);

namespace pointing_text {

// Degrees with one decimal, "-0.0" written as "0.0": "172.7", "-4.5".
std::string angleText(double degrees);
// "2026-03-01".
std::string dateText(std::chrono::year_month_day day);
// Why a declination is not known, as the message that says so; nothing for a
// known one.
std::optional<Notice> gapNotice(CompassGap gap, std::chrono::year_month_day day);

} // namespace pointing_text
