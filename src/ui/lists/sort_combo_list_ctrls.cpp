#include "ui/lists/sort_combo_list_ctrls.h"

#include "core/rules/row_compare.h"
#include "ui/lists/list_owner.h"

CSateChannelSortComboListCtrl::CSateChannelSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent)
    : CSortComboListCtrl(kControlId, owner, parent), lookup_(std::move(lookup))
{
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row >= 0 && row != previousRow)
            this->owner().rowFocused(controlId(), row);
    });
}

int CSateChannelSortComboListCtrl::compareRecords(const Guid& a, const Guid& b, int column) const
{
    const SateChannel* first = lookup_(a);
    const SateChannel* second = lookup_(b);
    return first != nullptr && second != nullptr ? CompareChannels(*first, *second, column) : 0;
}

COrbituneSortComboListCtrl::COrbituneSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent)
    : CSortComboListCtrl(kControlId, owner, parent), lookup_(std::move(lookup))
{
}

int COrbituneSortComboListCtrl::compareRecords(const Guid& a, const Guid& b, int column) const
{
    const CComonOrbitune* first = lookup_(a);
    const CComonOrbitune* second = lookup_(b);
    return first != nullptr && second != nullptr ? ComparePlans(*first, *second, column) : 0;
}
