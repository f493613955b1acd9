#include "core/rules/free_names.h"

#include <algorithm>

namespace {

constexpr int kLastNumber = 255;

} // namespace

std::string lowestFreeName(std::string_view prefix, const std::function<bool(const std::string&)>& taken)
{
    std::string name;
    for (int n = 1; n <= kLastNumber; ++n) {
        name = std::string(prefix) + std::to_string(n);
        if (!taken(name))
            break;
    }
    return name;
}

std::string freePlanName(const PlanList& plans)
{
    return lowestFreeName("Plan", [&plans](const std::string& name) {
        return std::any_of(plans.begin(), plans.end(), [&](const CComonOrbitune& p) { return p.nameText() == name; });
    });
}

std::string freeChannelName(const CComonOrbitune& plan)
{
    const auto used = plan.usedChannels();
    return lowestFreeName("TP", [&used](const std::string& name) {
        return std::any_of(used.begin(), used.end(), [&](const SateChannel& tp) { return tp.nameText() == name; });
    });
}
