#include "core/model/unique_ids.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

// A fresh id for `id` when it is null or already in `seen`; then notes it.
void claim(Guid& id, std::set<Guid>& seen)
{
    while (id.isNull() || !seen.insert(id).second)
        id = Guid::generate();
}

// Whether the ids are all set and all different: what every well-formed file
// holds, found without building a set.
template <typename Records> bool distinctIds(const Records& records)
{
    std::vector<Guid> ids;
    ids.reserve(records.size());
    for (const auto& record : records)
        ids.push_back(record.id);
    std::sort(ids.begin(), ids.end());
    return std::adjacent_find(ids.begin(), ids.end()) == ids.end() &&
           std::none_of(ids.begin(), ids.end(), [](const Guid& id) { return id.isNull(); });
}

template <typename Records> void freshen(Records&& records)
{
    if (distinctIds(records))
        return;
    std::set<Guid> seen;
    for (auto& record : records)
        claim(record.id, seen);
}

} // namespace

void freshenRepeatedIds(std::span<CComonOrbitune> plans)
{
    freshen(plans);
    for (CComonOrbitune& plan : plans)
        freshen(plan.usedChannels());
}
