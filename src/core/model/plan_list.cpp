#include "core/model/plan_list.h"

#include "core/model/record_order.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

CComonOrbitune& PlanList::at(int position)
{
    if (position < 0 || position >= count())
        throw std::out_of_range("plan position out of range");
    return plans_[static_cast<std::size_t>(position)];
}

const CComonOrbitune& PlanList::at(int position) const
{
    if (position < 0 || position >= count())
        throw std::out_of_range("plan position out of range");
    return plans_[static_cast<std::size_t>(position)];
}

int PlanList::append(const CComonOrbitune& plan)
{
    if (plans_.size() == plans_.capacity()) {
        const std::size_t growBy = std::clamp<std::size_t>(plans_.size() / 8, 4, 1024);
        plans_.reserve(plans_.capacity() + growBy);
    }
    plans_.push_back(plan);
    return count() - 1;
}

void PlanList::insert(int position, const CComonOrbitune& plan)
{
    if (position < 0 || position > count())
        throw std::out_of_range("plan position out of range");
    append(plan);
    std::rotate(plans_.begin() + position, plans_.end() - 1, plans_.end());
}

void PlanList::removeAt(int position)
{
    at(position); // range check
    plans_.erase(plans_.begin() + position);
}

void PlanList::removeAll()
{
    plans_.clear();
    plans_.shrink_to_fit();
}

void PlanList::appendAll(std::vector<CComonOrbitune> plans)
{
    if (plans_.empty()) {
        plans_ = std::move(plans);
        return;
    }
    plans_.reserve(plans_.size() + plans.size());
    plans_.insert(plans_.end(), plans.begin(), plans.end());
}

CComonOrbitune* PlanList::findPlanById(const Guid& id)
{
    const int i = indexOf(id);
    return i < 0 ? nullptr : &plans_[static_cast<std::size_t>(i)];
}

const CComonOrbitune* PlanList::findPlanById(const Guid& id) const
{
    const int i = indexOf(id);
    return i < 0 ? nullptr : &plans_[static_cast<std::size_t>(i)];
}

int PlanList::indexOf(const Guid& id) const
{
    const auto it = std::find_if(plans_.begin(), plans_.end(), [&](const CComonOrbitune& p) { return p.id == id; });
    return it == plans_.end() ? -1 : static_cast<int>(it - plans_.begin());
}

void PlanList::removePlanById(const Guid& id)
{
    const int i = indexOf(id);
    if (i >= 0)
        removeAt(i);
}

void PlanList::reorder(std::span<const int> order)
{
    plans_ = reordered(std::span<const CComonOrbitune>(plans_), order);
}
