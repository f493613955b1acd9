#include "shell/plan_cell_texts.h"

#include "shell/plan_cell_rules.h"

#include <charconv>
#include <cstdint>

namespace {

// One decimal, rounded as printf's "%.1f" rounds, without the C locale.
std::string oneDecimal(float value)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 1);
    return {buffer, result.ptr};
}

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
        return oneDecimal(plan.longitude);
    case kLnbLow:
        return wholeMegahertz(plan.lnbLow);
    case kLnbHigh:
        return wholeMegahertz(plan.lnbHigh);
    default:
        return {};
    }
}
