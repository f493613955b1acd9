#include "ui/lists/sort_combo_list_ctrls.h"

#include "core/rules/row_compare.h"
#include "ui/lists/list_owner.h"

namespace {

// Compares the records looked up once for the rows; rows without a record
// compare equal to every row.
template <typename Record, typename Compare>
std::function<int(std::size_t, std::size_t)> recordComparison(std::vector<const Record*> records, int column,
                                                              Compare compare)
{
    return [records = std::move(records), column, compare](std::size_t a, std::size_t b) {
        const Record* first = records[a];
        const Record* second = records[b];
        return first != nullptr && second != nullptr ? compare(*first, *second, column) : 0;
    };
}

} // namespace

CSateChannelSortComboListCtrl::CSateChannelSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent)
    : CSortComboListCtrl(kControlId, owner, parent), lookup_(std::move(lookup))
{
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row >= 0 && row != previousRow)
            this->owner().rowFocused(controlId(), row);
    });
}

CSortComboListCtrl::RowComparison CSateChannelSortComboListCtrl::compareRecords(std::span<const Guid> ids,
                                                                                int column) const
{
    return recordComparison(lookup_(ids), column, CompareChannels);
}

COrbituneSortComboListCtrl::COrbituneSortComboListCtrl(ListOwner& owner, RecordLookup lookup, QWidget* parent)
    : CSortComboListCtrl(kControlId, owner, parent), lookup_(std::move(lookup))
{
}

CSortComboListCtrl::RowComparison COrbituneSortComboListCtrl::compareRecords(std::span<const Guid> ids,
                                                                             int column) const
{
    return recordComparison(lookup_(ids), column, ComparePlans);
}
