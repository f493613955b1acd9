#pragma once

#include "core/model/guid.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <type_traits>
#include <vector>

// The record of each id among `records` (the first one that carries it), or
// null where none does: one pass to sort the records by id, then a binary
// search per id, so that a whole list of rows is looked up at once.
template <typename Records> auto recordsById(const Records& records, std::span<const Guid> ids)
{
    using Record = std::remove_cvref_t<decltype(*std::begin(records))>;
    std::vector<const Record*> byId;
    for (const Record& record : records)
        byId.push_back(&record);
    std::stable_sort(byId.begin(), byId.end(), [](const Record* a, const Record* b) { return a->id < b->id; });
    std::vector<const Record*> found;
    found.reserve(ids.size());
    for (const Guid& id : ids) {
        const auto at = std::lower_bound(byId.begin(), byId.end(), id,
                                         [](const Record* record, const Guid& wanted) { return record->id < wanted; });
        found.push_back(at != byId.end() && (*at)->id == id ? *at : nullptr);
    }
    return found;
}
