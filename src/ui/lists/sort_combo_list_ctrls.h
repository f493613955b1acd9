#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/sate_channel.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <functional>

// The transponder list (control 1001): rows carry TPs, and the focused row is
// reported to the owner.
class CSateChannelSortComboListCtrl : public CSortComboListCtrl {
    Q_OBJECT
public:
    static constexpr int kControlId = 1001;
    using RecordLookup = std::function<const SateChannel*(const Guid&)>;

    CSateChannelSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent);

protected:
    int compareRecords(const Guid& a, const Guid& b, int column) const override;

private:
    RecordLookup lookup_;
};

// The plan list (control 1000): rows carry plans.
class COrbituneSortComboListCtrl : public CSortComboListCtrl {
    Q_OBJECT
public:
    static constexpr int kControlId = 1000;
    using RecordLookup = std::function<const CComonOrbitune*(const Guid&)>;

    COrbituneSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent);

protected:
    int compareRecords(const Guid& a, const Guid& b, int column) const override;

private:
    RecordLookup lookup_;
};
