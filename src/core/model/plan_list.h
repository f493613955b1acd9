#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/guid.h"

#include <cstddef>
#include <span>
#include <vector>

// The one ordered list of plans, held by value. Position in the list is the row
// position in the plan pane after a refresh; everything else reaches a plan by
// its id.
class PlanList {
public:
    static constexpr int kMaxPlans = 255;

    int count() const { return static_cast<int>(plans_.size()); }
    bool empty() const { return plans_.empty(); }

    // Element access; a position outside 0..count-1 throws std::out_of_range.
    CComonOrbitune& at(int position);
    const CComonOrbitune& at(int position) const;

    // Copies the record to the end and answers its position. The storage grows
    // by an eighth of the count (at least 4, at most 1,024 records) at a time.
    int append(const CComonOrbitune& plan);
    // Copies the record to `position` (0 to count), moving later plans down.
    void insert(int position, const CComonOrbitune& plan);
    void removeAt(int position);
    // Destroys every record and releases the storage.
    void removeAll();
    // Appends the records of `plans` in their order; an empty list takes over
    // their storage as it is.
    void appendAll(std::vector<CComonOrbitune> plans);

    CComonOrbitune* findPlanById(const Guid& id);
    const CComonOrbitune* findPlanById(const Guid& id) const;
    // Position of the plan with that id, or -1.
    int indexOf(const Guid& id) const;
    void removePlanById(const Guid& id);
    // Puts the plans in a new order: the plan at position order[i] moves to
    // position i. `order` names every position once, or std::invalid_argument
    // is thrown and nothing moves.
    void reorder(std::span<const int> order);

    std::size_t capacity() const { return plans_.capacity(); }

    auto begin() { return plans_.begin(); }
    auto end() { return plans_.end(); }
    auto begin() const { return plans_.begin(); }
    auto end() const { return plans_.end(); }

private:
    std::vector<CComonOrbitune> plans_;
};
