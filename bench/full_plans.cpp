#include "full_plans.h"

#include <string>

PlanList makeFullPlans()
{
    PlanList list;
    for (int i = 0; i < PlanList::kMaxPlans; ++i) {
        auto plan = CComonOrbitune::withAddDefaults(static_cast<std::uint8_t>(i + 1),
                                                    std::string("P").append(std::to_string(i + 1)));
        for (int k = 0; k < CComonOrbitune::kSlotCount; ++k)
            plan.appendChannel(SateChannel::withAddDefaults(static_cast<std::uint8_t>(k + 1),
                                                            std::string("TP").append(std::to_string(k + 1))));
        list.append(plan);
    }
    return list;
}
