#include "ui/lists/channel_table_model.h"

#include "core/editing/repeated_tps.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/row_compare.h"
#include "ui/text/qt_text.h"

ChannelTableModel::ChannelTableModel(PlanList& plans, Prompts& prompts, ListOwner& owner, QObject* parent)
    : RecordTableModel(columns(), owner, parent), plans_(plans), prompts_(prompts)
{
}

std::vector<ListColumn> ChannelTableModel::columns()
{
    using namespace channel_column;
    std::vector<ListColumn> columns;
    for (const std::string_view header : kHeaders)
        columns.push_back({QString::fromLatin1(header), CellEditor::Choice, {}});
    columns[kNumber].editor = CellEditor::None;
    columns[kName] = {columns[kName].header, CellEditor::Text, QString::fromLatin1(kNameChars)};
    for (const int decimal : {kFrequency, kBandwidth})
        columns[static_cast<std::size_t>(decimal)] = {columns[static_cast<std::size_t>(decimal)].header,
                                                      CellEditor::Text, QString::fromLatin1(kDecimalChars)};
    columns[kSymbolRate] = {columns[kSymbolRate].header, CellEditor::Text,
                            QString::fromLatin1(kDecimalChars) + QLatin1Char('-')};
    return columns;
}

void ChannelTableModel::showPlan(std::optional<Guid> plan)
{
    plan_ = plan;
    refresh();
}

const CComonOrbitune* ChannelTableModel::planRecord() const
{
    if (!plan_)
        return nullptr;
    if (planAt_ < 0 || planAt_ >= plans_.count() || plans_.at(planAt_).id != *plan_)
        planAt_ = plans_.indexOf(*plan_);
    return planAt_ >= 0 ? &plans_.at(planAt_) : nullptr;
}

CComonOrbitune* ChannelTableModel::planRecord()
{
    return const_cast<CComonOrbitune*>(std::as_const(*this).planRecord());
}

std::span<const SateChannel> ChannelTableModel::tps() const
{
    const CComonOrbitune* shown = planRecord();
    return shown != nullptr ? shown->usedChannels() : std::span<const SateChannel>();
}

void ChannelTableModel::reorderRecords(std::span<const int> order)
{
    if (CComonOrbitune* shown = planRecord())
        shown->reorderChannels(order);
}

void ChannelTableModel::removeRecords(const std::vector<Guid>& ids)
{
    if (CComonOrbitune* shown = planRecord())
        for (const Guid& id : ids)
            shown->removeChannelById(id);
}

int ChannelTableModel::recordCount() const
{
    return static_cast<int>(tps().size());
}

Guid ChannelTableModel::recordId(int record) const
{
    return tps()[static_cast<std::size_t>(record)].id;
}

QString ChannelTableModel::recordText(int record, int column) const
{
    return qtText(ChannelCellText(tps()[static_cast<std::size_t>(record)], column));
}

int ChannelTableModel::compareRecords(int a, int b, int column) const
{
    const auto used = tps();
    return CompareChannels(used[static_cast<std::size_t>(a)], used[static_cast<std::size_t>(b)], column);
}

std::vector<QString> ChannelTableModel::recordNotes() const
{
    const CComonOrbitune* shown = planRecord();
    if (shown == nullptr)
        return {};
    const std::vector<RepeatedTp> repeated = repeatedTps(*shown);
    if (repeated.empty())
        return {};
    const auto used = shown->usedChannels();
    std::vector<QString> notes(used.size());
    for (const RepeatedTp& tp : repeated) {
        const SateChannel& earlier = used[static_cast<std::size_t>(tp.repeats)];
        notes[static_cast<std::size_t>(tp.slot)] =
            qtText(prompts_.text(msg::kRepeatsTp, {std::to_string(tp.repeats + 1), earlier.nameText()}));
    }
    return notes;
}
