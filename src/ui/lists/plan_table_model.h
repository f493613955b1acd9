#pragma once

#include "core/model/comon_orbitune.h"
#include "ui/lists/record_table_model.h"

#include <functional>
#include <span>
#include <vector>

class PlanList;

// Every plan of the plan list as a row, in list order. Each column says how it
// shows and is edited, the text a plan shows in it and how it orders two
// plans, so that a column is added by adding it to the list of columns.
class PlanTableModel : public RecordTableModel {
    Q_OBJECT
public:
    struct Column {
        ListColumn look;
        // The text of a plan's cell; unused for column 0, the row's position.
        std::function<QString(const CComonOrbitune&)> text;
        // Ascending order of two plans: negative, 0 (no order) or positive.
        std::function<int(const CComonOrbitune&, const CComonOrbitune&)> compare;
    };

    // "Plan ID" to "LNB High OSC".
    static std::vector<Column> standardColumns();

    PlanTableModel(PlanList& plans, ListOwner& owner, std::vector<Column> columns = standardColumns(),
                   QObject* parent = nullptr);

    void reorderRecords(std::span<const int> order) override;
    void removeRecords(const std::vector<Guid>& ids) override;

protected:
    int recordCount() const override;
    Guid recordId(int record) const override;
    QString recordText(int record, int column) const override;
    int compareRecords(int a, int b, int column) const override;

private:
    static std::vector<ListColumn> looksOf(const std::vector<Column>& columns);

    PlanList& plans_;
    std::vector<Column> columns_;
};
