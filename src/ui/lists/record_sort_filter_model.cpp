#include "ui/lists/record_sort_filter_model.h"

#include "ui/lists/record_table_model.h"

#include <algorithm>
#include <limits>
#include <numeric>

RecordSortFilterModel::RecordSortFilterModel(RecordTableModel& records, QObject* parent)
    : QSortFilterProxyModel(parent), records_(records)
{
    // Rows are ordered and filtered when asked, never again by themselves
    // while their records change.
    setDynamicSortFilter(false);
    setSourceModel(&records_);
    sort(0, Qt::AscendingOrder);
    // Rows afresh show in record order.
    connect(&records_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ranks_.clear(); });
    // Rows that come in while sorted go after the sorted ones.
    connect(&records_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!inRecordOrder())
            invalidate();
    });
}

std::pair<int, int> RecordSortFilterModel::placeOf(int sourceRow) const
{
    const auto rank = ranks_.find(records_.idAt(sourceRow));
    return {rank == ranks_.end() ? std::numeric_limits<int>::max() : rank->second, sourceRow};
}

bool RecordSortFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return placeOf(left.row()) < placeOf(right.row());
}

bool RecordSortFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (findText_.isEmpty())
        return true;
    for (int column = 0; column < records_.columnCount(); ++column)
        if (!records_.column(column).computed &&
            records_.text(sourceRow, column).contains(findText_, Qt::CaseInsensitive))
            return true;
    return false;
}

std::vector<Guid> RecordSortFilterModel::order() const
{
    std::vector<int> rows(static_cast<std::size_t>(records_.rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    std::sort(rows.begin(), rows.end(), [this](int a, int b) { return placeOf(a) < placeOf(b); });
    std::vector<Guid> ids;
    ids.reserve(rows.size());
    for (const int row : rows)
        ids.push_back(records_.idAt(row));
    return ids;
}

void RecordSortFilterModel::sortRows(int column, bool ascending)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(records_.rowCount()));
    for (const Guid& id : order())
        rows.push_back(records_.rowOf(id));
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int result = records_.compareRows(a, b, column);
        return ascending ? result < 0 : result > 0;
    });
    ranks_.clear();
    for (std::size_t rank = 0; rank < rows.size(); ++rank)
        ranks_.emplace(records_.idAt(rows[rank]), static_cast<int>(rank));
    invalidate();
}

void RecordSortFilterModel::showOrder(const std::vector<Guid>& ids)
{
    ranks_.clear();
    for (const Guid& id : ids)
        ranks_.emplace(id, static_cast<int>(ranks_.size()));
    invalidate();
}

void RecordSortFilterModel::showRecordOrder()
{
    if (ranks_.empty())
        return;
    ranks_.clear();
    invalidate();
}

void RecordSortFilterModel::setFindText(const QString& text)
{
    if (text == findText_)
        return;
    findText_ = text;
    // Rows the text lets through again find their places by the sort.
    if (inRecordOrder())
        invalidateFilter();
    else
        invalidate();
}

int RecordSortFilterModel::recordRow(int row) const
{
    return mapToSource(index(row, 0)).row();
}

int RecordSortFilterModel::shownRow(int recordRow) const
{
    return mapFromSource(records_.index(recordRow, 0)).row();
}
