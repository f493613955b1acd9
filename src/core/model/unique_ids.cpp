#include "core/model/unique_ids.h"

#include <set>

namespace {

// A fresh id for `id` when it is null or already in `seen`; then notes it.
void claim(Guid& id, std::set<Guid>& seen)
{
    while (id.isNull() || !seen.insert(id).second)
        id = Guid::generate();
}

} // namespace

void freshenRepeatedIds(std::span<CComonOrbitune> plans)
{
    std::set<Guid> planIds;
    for (CComonOrbitune& plan : plans) {
        claim(plan.id, planIds);
        std::set<Guid> tpIds;
        for (SateChannel& tp : plan.usedChannels())
            claim(tp.id, tpIds);
    }
}
