#include "core/model/plan_list_diff.h"

#include <cmath>
#include <cstring>
#include <map>
#include <type_traits>

namespace {

using PlanIndex = std::map<Guid, const CComonOrbitune*>;

static_assert(std::is_trivially_copyable_v<CComonOrbitune>, "plans compare by their bytes first");

// The plans by id; nothing when an id repeats.
std::optional<PlanIndex> indexById(const PlanList& plans)
{
    PlanIndex index;
    for (const CComonOrbitune& plan : plans)
        if (!index.emplace(plan.id, &plan).second)
            return std::nullopt;
    return index;
}

std::vector<Guid> idsOf(const PlanList& plans)
{
    std::vector<Guid> ids;
    ids.reserve(static_cast<std::size_t>(plans.count()));
    for (const CComonOrbitune& plan : plans)
        ids.push_back(plan.id);
    return ids;
}

std::vector<CComonOrbitune> copyOf(const PlanList& plans)
{
    return {plans.begin(), plans.end()};
}

// Whether two plans are equal: at once when their bytes are the same (a NaN
// longitude alone is unequal to itself then), else field by field.
bool samePlan(const CComonOrbitune& a, const CComonOrbitune& b)
{
    if (std::memcmp(&a, &b, sizeof(CComonOrbitune)) == 0)
        return !std::isnan(a.longitude);
    return a == b;
}

const CComonOrbitune* findIn(const std::vector<CComonOrbitune>& plans, const Guid& id)
{
    for (const CComonOrbitune& plan : plans)
        if (plan.id == id)
            return &plan;
    return nullptr;
}

} // namespace

PlanListDiff::PlanFields PlanListDiff::PlanFields::of(const CComonOrbitune& plan)
{
    return {plan.tag,          plan.flag,    plan.number,    plan.name,   plan.countByte,    plan.pad,
            plan.lnbLow,       plan.lnbHigh, plan.longitude, plan.isEast, plan.channelCount, plan.channelCapacity,
            plan.channelsAdded};
}

void PlanListDiff::PlanFields::copyTo(CComonOrbitune& plan) const
{
    plan.tag = tag;
    plan.flag = flag;
    plan.number = number;
    plan.name = name;
    plan.countByte = countByte;
    plan.pad = pad;
    plan.lnbLow = lnbLow;
    plan.lnbHigh = lnbHigh;
    plan.longitude = longitude;
    plan.isEast = isEast;
    plan.channelCount = channelCount;
    plan.channelCapacity = channelCapacity;
    plan.channelsAdded = channelsAdded;
}

PlanListDiff PlanListDiff::between(const PlanList& before, const PlanList& after)
{
    PlanListDiff diff;
    const auto beforeIndex = indexById(before);
    const auto afterIndex = indexById(after);
    if (!beforeIndex || !afterIndex) {
        diff.whole_ = true;
        diff.wholeBefore_ = copyOf(before);
        diff.wholeAfter_ = copyOf(after);
        return diff;
    }
    if (std::vector<Guid> ids = idsOf(before), later = idsOf(after); ids != later) {
        diff.reordered_ = true;
        diff.orderBefore_ = std::move(ids);
        diff.orderAfter_ = std::move(later);
    }
    for (const CComonOrbitune& old : before) {
        const auto found = afterIndex->find(old.id);
        if (found == afterIndex->end()) {
            diff.removed_.push_back(old);
            continue;
        }
        if (const CComonOrbitune& now = *found->second; !samePlan(old, now))
            diff.changed_.push_back(changeOf(old, now));
    }
    for (const CComonOrbitune& now : after)
        if (!beforeIndex->contains(now.id))
            diff.added_.push_back(now);
    return diff;
}

PlanListDiff PlanListDiff::withinPlan(const CComonOrbitune& before, const CComonOrbitune& after)
{
    PlanListDiff diff;
    if (!samePlan(before, after))
        diff.changed_.push_back(changeOf(before, after));
    return diff;
}

PlanListDiff::PlanChange PlanListDiff::changeOf(const CComonOrbitune& before, const CComonOrbitune& after)
{
    PlanChange change{before.id, PlanFields::of(before), PlanFields::of(after), {}};
    for (int slot = 0; slot < CComonOrbitune::kSlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        if (!(before.channels[s] == after.channels[s]))
            change.slotChanges.push_back({slot, before.channels[s], after.channels[s]});
    }
    return change;
}

bool PlanListDiff::empty() const
{
    return !whole_ && !reordered_ && changed_.empty();
}

void PlanListDiff::apply(PlanList& plans) const
{
    turn(plans, true);
}

void PlanListDiff::revert(PlanList& plans) const
{
    turn(plans, false);
}

void PlanListDiff::turn(PlanList& plans, bool forward) const
{
    if (whole_) {
        plans.removeAll();
        for (const CComonOrbitune& plan : forward ? wholeAfter_ : wholeBefore_)
            plans.append(plan);
        return;
    }
    for (const PlanChange& change : changed_) {
        CComonOrbitune* plan = plans.findPlanById(change.id);
        if (plan == nullptr)
            continue;
        (forward ? change.after : change.before).copyTo(*plan);
        for (const SlotChange& slot : change.slotChanges)
            plan->channels[static_cast<std::size_t>(slot.slot)] = forward ? slot.after : slot.before;
    }
    if (!reordered_)
        return;
    const std::vector<CComonOrbitune>& arriving = forward ? added_ : removed_;
    PlanList next;
    for (const Guid& id : forward ? orderAfter_ : orderBefore_) {
        if (const CComonOrbitune* plan = findIn(arriving, id))
            next.append(*plan);
        else if (const CComonOrbitune* kept = plans.findPlanById(id))
            next.append(*kept);
    }
    plans = std::move(next);
}

std::size_t PlanListDiff::heapBytes() const
{
    std::size_t bytes = (orderBefore_.capacity() + orderAfter_.capacity()) * sizeof(Guid) +
                        (removed_.capacity() + added_.capacity() + wholeBefore_.capacity() + wholeAfter_.capacity()) *
                            sizeof(CComonOrbitune) +
                        changed_.capacity() * sizeof(PlanChange);
    for (const PlanChange& change : changed_)
        bytes += change.slotChanges.capacity() * sizeof(SlotChange);
    return bytes;
}
