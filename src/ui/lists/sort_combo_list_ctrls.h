#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/sate_channel.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <functional>
#include <span>
#include <vector>

// The transponder list (control 1001): rows carry TPs, and the focused row is
// reported to the owner.
class CSateChannelSortComboListCtrl : public CSortComboListCtrl {
    Q_OBJECT
public:
    static constexpr int kControlId = 1001;
    // The TP of each id, or null where there is none.
    using RecordLookup = std::function<std::vector<const SateChannel*>(std::span<const Guid>)>;

    CSateChannelSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent);

protected:
    RowComparison compareRecords(std::span<const Guid> ids, int column) const override;

private:
    RecordLookup lookup_;
};

// The plan list (control 1000): rows carry plans.
class COrbituneSortComboListCtrl : public CSortComboListCtrl {
    Q_OBJECT
public:
    static constexpr int kControlId = 1000;
    // The plan of each id, or null where there is none.
    using RecordLookup = std::function<std::vector<const CComonOrbitune*>(std::span<const Guid>)>;

    COrbituneSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent);

protected:
    RowComparison compareRecords(std::span<const Guid> ids, int column) const override;

private:
    RecordLookup lookup_;
};
