#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/guid.h"
#include "core/model/plan_list.h"

#include <cstddef>
#include <vector>

// What one change did to the plan list, kept so that it can be undone and
// redone: the plans it added or removed whole, the header fields and TP slots
// it changed in the plans it kept (by their ids), and the order of the plans
// when that changed. Only what differs is kept, so a cell edit costs a few
// hundred bytes however large the list is.
class PlanListDiff {
public:
    static PlanListDiff between(const PlanList& before, const PlanList& after);
    // What a change did to one plan that kept its id and its place.
    static PlanListDiff withinPlan(const CComonOrbitune& before, const CComonOrbitune& after);

    bool empty() const;
    // Turns the list as it was before the change into the list after it, and
    // back. Each expects the list in the state it turns from.
    void apply(PlanList& plans) const;
    void revert(PlanList& plans) const;

    // The heap bytes this diff holds.
    std::size_t heapBytes() const;

private:
    // Every member of a plan but its slots.
    struct PlanFields {
        std::int32_t tag = 0;
        std::int32_t flag = 0;
        std::uint8_t number = 0;
        std::array<char, CComonOrbitune::kNameSize> name{};
        std::uint8_t countByte = 0;
        std::uint8_t pad = 0;
        std::int32_t lnbLow = 0;
        std::int32_t lnbHigh = 0;
        float longitude = 0.0F;
        std::int32_t isEast = 0;
        std::int32_t channelCount = 0;
        std::int32_t channelCapacity = 0;
        std::int32_t channelsAdded = 0;

        friend bool operator==(const PlanFields&, const PlanFields&) = default;
        static PlanFields of(const CComonOrbitune& plan);
        void copyTo(CComonOrbitune& plan) const;
    };
    struct SlotChange {
        int slot = 0;
        SateChannel before;
        SateChannel after;
    };
    struct PlanChange {
        Guid id;
        PlanFields before;
        PlanFields after;
        std::vector<SlotChange> slotChanges;
    };

    static PlanChange changeOf(const CComonOrbitune& before, const CComonOrbitune& after);
    void turn(PlanList& plans, bool forward) const;

    // Ids of the plans in order before and after, kept when the change
    // reordered, added or removed plans.
    bool reordered_ = false;
    std::vector<Guid> orderBefore_;
    std::vector<Guid> orderAfter_;
    std::vector<CComonOrbitune> removed_; // only before the change
    std::vector<CComonOrbitune> added_;   // only after it
    std::vector<PlanChange> changed_;
    // A list whose ids repeat cannot be matched plan by plan: the change then
    // keeps both lists whole.
    std::vector<CComonOrbitune> wholeBefore_;
    std::vector<CComonOrbitune> wholeAfter_;
    bool whole_ = false;
};
