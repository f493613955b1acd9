#include "core/editing/repeated_tps.h"

#include "core/import/tp_match.h"

#include <algorithm>

std::vector<RepeatedTp> repeatedTps(const CComonOrbitune& plan)
{
    const auto used = plan.usedChannels();
    std::vector<RepeatedTp> repeated;
    std::vector<int> kept;
    for (int slot = 0; slot < static_cast<int>(used.size()); ++slot) {
        const SateChannel& tp = used[static_cast<std::size_t>(slot)];
        const auto earlier = std::find_if(kept.begin(), kept.end(),
                                          [&](int other) { return sameTp(used[static_cast<std::size_t>(other)], tp); });
        if (earlier == kept.end())
            kept.push_back(slot);
        else
            repeated.push_back({slot, *earlier});
    }
    return repeated;
}
