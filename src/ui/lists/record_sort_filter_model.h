#pragma once

#include "core/model/guid.h"

#include <QSortFilterProxyModel>

#include <map>
#include <vector>

class RecordTableModel;

// The order and the find filter of a list's rows over its table of records.
// Rows show in record order until sorted; a sort orders them once by the
// records' comparison in a column and they keep that order while records
// change (an edited row stays where it is, new rows come last) until the next
// sort or until record order is shown again. The find text hides the rows none
// of whose cells contain it, ignoring case; rows it let through stay while
// they are edited, until the text changes.
class RecordSortFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RecordSortFilterModel(RecordTableModel& records, QObject* parent = nullptr);

    RecordTableModel& records() const { return records_; }

    // Orders every row by its record in `column`, ascending or descending;
    // rows whose records compare equal keep the order they are shown in.
    void sortRows(int column, bool ascending);
    // Shows the rows in the order of `ids`; rows not named come after them,
    // in record order.
    void showOrder(const std::vector<Guid>& ids);
    void showRecordOrder();
    bool inRecordOrder() const { return ranks_.empty(); }
    // The ids of every row, those the find text hides included, in the order
    // they are shown in.
    std::vector<Guid> order() const;

    void setFindText(const QString& text);
    const QString& findText() const { return findText_; }

    // The row of the table a row shown stands for, and back; -1 for none.
    int recordRow(int row) const;
    int shownRow(int recordRow) const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    // The place of a table row in the order shown: (rank, table row), ranked
    // rows first.
    std::pair<int, int> placeOf(int sourceRow) const;

    RecordTableModel& records_;
    std::map<Guid, int> ranks_;
    QString findText_;
};
