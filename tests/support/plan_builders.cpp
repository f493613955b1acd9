#include "support/plan_builders.h"

CComonOrbitune makePlan(const std::string& name, int tpCount, std::uint8_t number)
{
    auto plan = CComonOrbitune::withAddDefaults(number, name);
    for (int i = 0; i < tpCount; ++i)
        plan.appendChannel(SateChannel::withAddDefaults(static_cast<std::uint8_t>(i + 1), "TP" + std::to_string(i + 1)));
    return plan;
}

PlanList makePlanList(int planCount, int tpCount)
{
    PlanList list;
    for (int i = 0; i < planCount; ++i)
        list.append(makePlan("Plan" + std::to_string(i + 1), tpCount, static_cast<std::uint8_t>(i + 1)));
    return list;
}
