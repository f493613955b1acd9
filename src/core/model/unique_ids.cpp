#include "core/model/unique_ids.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <set>
#include <vector>

namespace {

// A fresh id for `id` when it is null or already in `seen`; then notes it.
void claim(Guid& id, std::set<Guid>& seen)
{
    while (id.isNull() || !seen.insert(id).second)
        id = Guid::generate();
}

// An id as two machine words: equal ids give equal keys, the null id the zero
// key, and keys compare word by word.
struct IdKey {
    std::uint64_t first = 0;
    std::uint64_t second = 0;

    friend bool operator==(const IdKey&, const IdKey&) = default;
};

IdKey keyOf(const Guid& id)
{
    IdKey key;
    std::memcpy(&key.first, id.bytes.data(), sizeof(key.first));
    std::memcpy(&key.second, id.bytes.data() + sizeof(key.first), sizeof(key.second));
    return key;
}

std::uint64_t spread(const IdKey& key)
{
    std::uint64_t h = key.first ^ (key.second * 0x9E3779B97F4A7C15ULL);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ULL;
    return h ^ (h >> 29);
}

// Finds out whether ids are all set and all different (what every well-formed
// file holds) with an open-addressing table kept from call to call, so that
// the common case builds no set.
class RepeatCheck {
public:
    template <typename Records> bool allDistinct(const Records& records)
    {
        std::size_t slots = 16;
        while (slots < 2 * std::size(records))
            slots *= 2;
        table_.assign(slots, IdKey{});
        for (const auto& record : records) {
            const IdKey key = keyOf(record.id);
            if (key == IdKey{})
                return false;
            std::size_t at = spread(key) & (slots - 1);
            for (; table_[at] != IdKey{}; at = (at + 1) & (slots - 1))
                if (table_[at] == key)
                    return false;
            table_[at] = key;
        }
        return true;
    }

private:
    std::vector<IdKey> table_; // the zero key marks a free slot
};

template <typename Records> void freshen(Records&& records, RepeatCheck& check)
{
    if (check.allDistinct(records))
        return;
    std::set<Guid> seen;
    for (auto& record : records)
        claim(record.id, seen);
}

} // namespace

void freshenRepeatedIds(std::span<CComonOrbitune> plans)
{
    RepeatCheck check;
    freshen(plans, check);
    for (CComonOrbitune& plan : plans)
        freshen(plan.usedChannels(), check);
}
