#include "core/editing/record_copies.h"

#include "core/rules/free_names.h"

#include <algorithm>

CComonOrbitune planCopy(CComonOrbitune plan, const PlanList& plans, std::uint8_t number)
{
    plan.id = Guid::generate();
    for (SateChannel& tp : plan.usedChannels())
        tp.id = Guid::generate();
    plan.number = number;
    const std::string name = plan.nameText();
    plan.setNameText(name.empty() ? freePlanName(plans) : uniqueName(name, [&plans](const std::string& candidate) {
        return std::any_of(plans.begin(), plans.end(),
                           [&](const CComonOrbitune& other) { return other.nameText() == candidate; });
    }));
    return plan;
}

SateChannel channelCopy(SateChannel tp, const CComonOrbitune& plan)
{
    tp.id = Guid::generate();
    tp.number = static_cast<std::uint8_t>((plan.channelCount & 0xFF) + 1);
    const std::string name = tp.nameText();
    const auto used = plan.usedChannels();
    tp.setNameText(name.empty() ? freeChannelName(plan) : uniqueName(name, [&used](const std::string& candidate) {
        return std::any_of(used.begin(), used.end(),
                           [&](const SateChannel& other) { return other.nameText() == candidate; });
    }));
    return tp;
}
