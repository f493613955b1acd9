#pragma once

#include "core/model/record_order.h"
#include "core/rules/row_compare.h"
#include "ui/lists/record_table_model.h"

#include <QString>

#include <algorithm>
#include <span>
#include <vector>

struct TestRecord {
    Guid id;
    QString name;
    QString kind;
    int rate = 0;
};

// Four columns over plain records: "No", "Name" (any character), "Kind" (a
// drop-down) and "Freq" (digits and dots), ordered by name and by rate.
class TestRecords : public RecordTableModel {
public:
    explicit TestRecords(ListOwner& owner)
        : RecordTableModel({{QStringLiteral("No"), CellEditor::None, {}},
                            {QStringLiteral("Name"), CellEditor::Text, {}},
                            {QStringLiteral("Kind"), CellEditor::Choice, {}},
                            {QStringLiteral("Freq"), CellEditor::Text, QStringLiteral("0123456789.")}},
                           owner)
    {
    }

    void reorderRecords(std::span<const int> order) override
    {
        records = reordered(std::span<const TestRecord>(records), order);
    }
    void removeRecords(const std::vector<Guid>& ids) override
    {
        std::erase_if(records,
                      [&](const TestRecord& r) { return std::find(ids.begin(), ids.end(), r.id) != ids.end(); });
    }

    std::vector<TestRecord> records;

protected:
    int recordCount() const override { return static_cast<int>(records.size()); }
    Guid recordId(int record) const override { return records[static_cast<std::size_t>(record)].id; }
    QString recordText(int record, int column) const override
    {
        const TestRecord& r = records[static_cast<std::size_t>(record)];
        return column == 1 ? r.name : column == 2 ? r.kind : QString::number(r.rate);
    }
    int compareRecords(int a, int b, int column) const override
    {
        const TestRecord& first = records[static_cast<std::size_t>(a)];
        const TestRecord& second = records[static_cast<std::size_t>(b)];
        if (column == 1)
            return CompareNames(first.name.toStdString(), second.name.toStdString());
        if (column == 3)
            return first.rate < second.rate ? -1 : (second.rate < first.rate ? 1 : 0);
        return 0;
    }
};

// Records named by one letter each, of rate 0.
inline std::vector<TestRecord> lettered(const char* names)
{
    std::vector<TestRecord> records;
    for (const char* c = names; *c != 0; ++c)
        records.push_back({Guid::generate(), QString(QLatin1Char(*c)), QStringLiteral("TV"), 0});
    return records;
}
