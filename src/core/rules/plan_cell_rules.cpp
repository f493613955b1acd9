#include "core/rules/plan_cell_rules.h"

#include "core/model/name_text.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/decimal_text.h"
#include "core/rules/longitude.h"

#include <algorithm>
#include <limits>

namespace {

using namespace plan_column;

constexpr float kMaxLongitude = 180.0F;
constexpr std::uint64_t kMinLnbMhz = 1000;
constexpr std::uint64_t kMaxLnbMhz = 12000;

PlanCellResult refused(MessageId messageId)
{
    PlanCellResult result;
    result.accepted = false;
    result.messageId = messageId;
    result.refreshList = true;
    return result;
}

PlanCellResult store(const CComonOrbitune& record)
{
    PlanCellResult result;
    result.record = record;
    return result;
}

PlanCellResult editName(std::string_view text, const CComonOrbitune& plan, const PlanList& plans)
{
    if (!IsNameText(text))
        return refused(msg::kBadChars);
    if (names::charCount(text) > 8)
        return refused(msg::kTooLong);
    if (text == plan.nameText()) {
        PlanCellResult unchanged;
        unchanged.accepted = false;
        return unchanged;
    }
    if (std::any_of(plans.begin(), plans.end(), [&](const CComonOrbitune& other) { return other.nameText() == text; }))
        return refused(msg::kPlanNameExists);
    CComonOrbitune changed = plan;
    changed.setNameText(text);
    return store(changed);
}

// The longitude is the typed number narrowed to single precision, as stored.
PlanCellResult editLongitude(std::string_view text, const CComonOrbitune& plan)
{
    if (!IsNumericText(text))
        return refused(msg::kBadChars);
    // Digits too many for a double are no number within the range either.
    const double value = longitude::leadingNumber(text).value_or(std::numeric_limits<double>::infinity());
    // Numbers far beyond the range are refused before narrowing, which a
    // float could not hold.
    if (!(value <= 2.0 * kMaxLongitude))
        return refused(msg::kLongitudeRange);
    const auto degrees = static_cast<float>(value);
    if (degrees < 0.0F || degrees > kMaxLongitude)
        return refused(msg::kLongitudeRange);
    CComonOrbitune changed = plan;
    changed.longitude = degrees;
    return store(changed);
}

// LNB oscillators take the whole MHz of the typed number (its integer digits),
// stored in 10 kHz units.
PlanCellResult editLnb(std::string_view text, const CComonOrbitune& plan, std::int32_t CComonOrbitune::*field)
{
    if (!IsNumericText(text))
        return refused(msg::kBadChars);
    const std::uint64_t mhz = decimal::scale(text, 0).value;
    if (mhz < kMinLnbMhz || mhz > kMaxLnbMhz)
        return refused(msg::kLnbRange);
    CComonOrbitune changed = plan;
    changed.*field = static_cast<std::int32_t>(mhz * 100);
    return store(changed);
}

} // namespace

std::vector<std::string> PlanColumnChoices(int column)
{
    if (column == kEastOrWest)
        return {"East", "West"};
    return {};
}

PlanCellResult PlanCellEdited(int column, std::string_view text, const CComonOrbitune& plan, const PlanList& plans)
{
    switch (column) {
    case kName:
        return editName(text, plan, plans);
    case kEastOrWest: {
        CComonOrbitune changed = plan;
        changed.isEast = text == "East" ? 1 : 0;
        return store(changed);
    }
    case kLongitude:
        return editLongitude(text, plan);
    case kLnbLow:
        return editLnb(text, plan, &CComonOrbitune::lnbLow);
    case kLnbHigh:
        return editLnb(text, plan, &CComonOrbitune::lnbHigh);
    default:
        return {};
    }
}
