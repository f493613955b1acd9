#include "core/editing/table_file.h"

#include "core/editing/copied_rows.h"
#include "core/editing/table_text.h"
#include "core/files/atomic_save.h"
#include "core/files/file_error_message.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/plan_cell_rules.h"
#include "core/rules/plan_cell_texts.h"

#include <array>

namespace {

constexpr std::array kPlanColumns{plan_column::kName, plan_column::kEastOrWest, plan_column::kLongitude};

} // namespace

std::string plansTpsTable(const PlanList& plans, std::span<const Guid> ids, char separator)
{
    std::vector<std::string> header;
    for (const int column : kPlanColumns)
        header.emplace_back(plan_column::kHeaders[static_cast<std::size_t>(column)]);
    for (int column = 1; column < channel_column::kCount; ++column)
        header.emplace_back(channel_column::kHeaders[static_cast<std::size_t>(column)]);
    TableRows rows{std::move(header)};
    for (const Guid& id : ids) {
        const int index = plans.indexOf(id);
        if (index < 0)
            continue;
        const CComonOrbitune& plan = plans.at(index);
        for (const SateChannel& tp : plan.usedChannels()) {
            std::vector<std::string> row;
            for (const int column : kPlanColumns)
                row.push_back(PlanCellText(plan, column));
            for (int column = 1; column < channel_column::kCount; ++column)
                row.push_back(column == channel_column::kFrequency ? exactFrequency(tp.frequency)
                                                                   : ChannelCellText(tp, column));
            rows.push_back(std::move(row));
        }
    }
    return tableText(rows, separator, "\r\n");
}

TableFileText readTableFile(const std::filesystem::path& file)
{
    TableFileText read;
    const auto bytes = readFilePrefix(file, kMaxTableFileBytes + 1);
    if (bytes.error)
        read.problem = fileErrorMessage(*bytes.error);
    else if (bytes.bytes.size() > kMaxTableFileBytes)
        read.problem = Notice{msg::kFileTooLarge, {file.string(), std::to_string(kMaxTableFileBytes)}};
    else
        read.text.assign(reinterpret_cast<const char*>(bytes.bytes.data()), bytes.bytes.size());
    // A byte order mark is no part of the header's first cell.
    if (read.text.starts_with("\xEF\xBB\xBF"))
        read.text.erase(0, 3);
    return read;
}

Notice tableFileFailure(const std::filesystem::path& file, const PasteFailure& failure, Language language)
{
    // A file has no clipboard: an empty one is told as such.
    const std::string why = failure.rule == msg::kNothingToPaste
                                ? noticeText({msg::kTableNoRows, {}}, language)
                                : noticeText({failure.rule, failure.ruleArgs}, language);
    if (failure.row == 0)
        return {msg::kTableImportFailed, {file.string(), why}};
    return {msg::kTableImportRowFailed, {file.string(), std::to_string(failure.row), failure.column, why}};
}

TableFileTps tableFileTps(const std::filesystem::path& file, std::size_t room, Language language)
{
    TableFileTps read;
    TableFileText text = readTableFile(file);
    if (text.problem) {
        read.failure = std::move(text.problem);
        return read;
    }
    PastedRows<SateChannel> pasted = channelsFromTable(text.text, room);
    if (pasted.failure) {
        read.failure = tableFileFailure(file, *pasted.failure, language);
        return read;
    }
    read.tps = std::move(pasted.records);
    read.notes = std::move(pasted.notes);
    return read;
}
