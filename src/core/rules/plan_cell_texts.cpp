#include "core/rules/plan_cell_texts.h"

#include "core/rules/longitude.h"
#include "core/rules/plan_cell_rules.h"

#include <cstdint>

namespace {

std::string wholeMegahertz(std::int32_t tenKilohertz)
{
    return std::to_string(static_cast<std::uint32_t>(tenKilohertz) / 100U);
}

} // namespace

std::string PlanCellText(const CComonOrbitune& plan, int column)
{
    using namespace plan_column;
    switch (column) {
    case kName:
        return plan.nameText();
    case kEastOrWest:
        return plan.isEast != 0 ? "East" : "West";
    case kLongitude:
        return longitude::degreesText(plan.longitude);
    case kLnbLow:
        return wholeMegahertz(plan.lnbLow);
    case kLnbHigh:
        return wholeMegahertz(plan.lnbHigh);
    default:
        return {};
    }
}
