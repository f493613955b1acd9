#include "ui/lists/plan_table_model.h"

#include "core/model/plan_list.h"
#include "core/rules/plan_cell_rules.h"
#include "core/rules/plan_cell_texts.h"
#include "core/rules/row_compare.h"
#include "ui/text/qt_text.h"

std::vector<PlanTableModel::Column> PlanTableModel::standardColumns()
{
    using namespace plan_column;
    std::vector<Column> columns;
    for (int c = 0; c < kCount; ++c) {
        const QString header = QString::fromLatin1(kHeaders[static_cast<std::size_t>(c)]);
        ListColumn look{header, CellEditor::Text, QString::fromLatin1(kDecimalChars)};
        if (c == kNumber)
            look = {header, CellEditor::None, {}};
        else if (c == kName)
            look.typedChars = QString::fromLatin1(kNameChars);
        else if (c == kEastOrWest)
            look = {header, CellEditor::Choice, {}};
        columns.push_back({look, [c](const CComonOrbitune& plan) { return qtText(PlanCellText(plan, c)); },
                           [c](const CComonOrbitune& a, const CComonOrbitune& b) { return ComparePlans(a, b, c); }});
    }
    return columns;
}

std::vector<ListColumn> PlanTableModel::looksOf(const std::vector<Column>& columns)
{
    std::vector<ListColumn> looks;
    for (const Column& column : columns)
        looks.push_back(column.look);
    return looks;
}

PlanTableModel::PlanTableModel(PlanList& plans, ListOwner& owner, std::vector<Column> columns, QObject* parent)
    : RecordTableModel(looksOf(columns), owner, parent), plans_(plans), columns_(std::move(columns))
{
}

void PlanTableModel::reorderRecords(std::span<const int> order)
{
    plans_.reorder(order);
}

void PlanTableModel::removeRecords(const std::vector<Guid>& ids)
{
    for (const Guid& id : ids)
        plans_.removePlanById(id);
}

int PlanTableModel::recordCount() const
{
    return plans_.count();
}

Guid PlanTableModel::recordId(int record) const
{
    return plans_.at(record).id;
}

QString PlanTableModel::recordText(int record, int column) const
{
    return columns_[static_cast<std::size_t>(column)].text(plans_.at(record));
}

int PlanTableModel::compareRecords(int a, int b, int column) const
{
    return columns_[static_cast<std::size_t>(column)].compare(plans_.at(a), plans_.at(b));
}
