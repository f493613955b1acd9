#include "core/editing/pasted_rows.h"

#include "core/editing/pasted_columns.h"
#include "core/editing/pasted_values.h"
#include "core/editing/table_text.h"
#include "core/files/plans_json.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/plan_cell_rules.h"

#include <algorithm>
#include <array>
#include <functional>
#include <span>
#include <utility>

namespace {

using namespace pasted_value;

constexpr std::string_view kNoValue = "---";

std::string joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts)
        out += (out.empty() ? "" : ", ") + text;
    return out;
}

PasteFailure failure(int row, const PastedColumn& column, MessageId rule, std::vector<std::string> args = {})
{
    return {row, column.header, rule, std::move(args)};
}

ChannelRowTexts rowTextsOf(const SateChannel& tp)
{
    using namespace channel_column;
    return {ChannelCellText(tp, kSignalType), ChannelCellText(tp, kModulation), ChannelCellText(tp, kRollOff)};
}

bool isComboChannelColumn(int column)
{
    using namespace channel_column;
    return column == kEnable || column == kSignalType || column == kCodeRate || column == kModulation ||
           column == kRollOff || column == kPolarization || column == kLnbLo || column == kPilots;
}

// One pasted cell of a TP through its rule; the failure, if any.
std::optional<MessageId> applyChannelCell(int column, std::string_view text, SateChannel& tp)
{
    static const CComonOrbitune kNoOtherTps;
    const ChannelCellResult result = ChannelCellEdited(column, text, rowTextsOf(tp), tp, kNoOtherTps);
    if (result.messageId)
        return result.messageId;
    if (result.record)
        tp = *result.record;
    return std::nullopt;
}

std::optional<PasteFailure> pasteChannelRow(int row, const std::vector<std::string>& cells,
                                            const std::vector<PastedColumn>& columns, SateChannel& tp)
{
    using namespace channel_column;
    std::optional<std::uint32_t> pastedBandwidth;
    for (const PastedColumn& column : columns) {
        const std::string cell = column.textColumn < cells.size() ? cells[column.textColumn] : std::string();
        if (cell.empty() || cell == kNoValue)
            continue;
        std::string text = cell;
        if (isComboChannelColumn(column.listColumn)) {
            const std::vector<std::string> choices = ChannelColumnChoices(column.listColumn, rowTextsOf(tp));
            text = choiceOf(column.listColumn == kRollOff ? rollOffText(cell) : cell, choices);
            if (std::find(choices.begin(), choices.end(), text) == choices.end())
                return failure(row, column, msg::kNotAChoice, {cell, joined(choices)});
        } else if (column.listColumn == kSymbolRate) {
            text = symbolRateText(cell);
        } else if (column.listColumn != kName) {
            text = decimalPoint(cell);
        }
        if (const auto rule = applyChannelCell(column.listColumn, text, tp))
            return failure(row, column, *rule);
        if (column.listColumn == kBandwidth)
            pastedBandwidth = tp.bandwidth;
    }
    if (pastedBandwidth)
        tp.bandwidth = *pastedBandwidth;
    return std::nullopt;
}

std::optional<MessageId> applyPlanCell(int column, std::string_view text, CComonOrbitune& plan)
{
    static const PlanList kNoOtherPlans;
    const PlanCellResult result = PlanCellEdited(column, text, plan, kNoOtherPlans);
    if (result.messageId)
        return result.messageId;
    if (result.record)
        plan = *result.record;
    return std::nullopt;
}

std::optional<PasteFailure> pastePlanRow(int row, const std::vector<std::string>& cells,
                                         const std::vector<PastedColumn>& columns, CComonOrbitune& plan)
{
    using namespace plan_column;
    for (const PastedColumn& column : columns) {
        const std::string cell = column.textColumn < cells.size() ? cells[column.textColumn] : std::string();
        if (cell.empty() || cell == kNoValue)
            continue;
        std::string text = column.listColumn == kName ? cell : decimalPoint(cell);
        if (column.listColumn == kEastOrWest) {
            const std::vector<std::string> choices = PlanColumnChoices(kEastOrWest);
            text = choiceOf(cell, choices);
            if (std::find(choices.begin(), choices.end(), text) == choices.end())
                return failure(row, column, msg::kNotAChoice, {cell, joined(choices)});
        } else if (column.listColumn == kLongitude) {
            const Position position = positionOf(cell);
            text = position.degrees;
            if (position.east)
                plan.isEast = *position.east ? 1 : 0;
        }
        if (const auto rule = applyPlanCell(column.listColumn, text, plan))
            return failure(row, column, *rule);
    }
    return std::nullopt;
}

// How a separator is named in a message: the key's name for a tab, the
// character in quotes for the others.
std::string separatorName(char separator)
{
    if (separator == '\t')
        return "Tab";
    if (separator == ' ')
        return "\" \"";
    return std::string("\"") + separator + "\"";
}

std::vector<std::string> splitAt(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start)
            parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The separator a one-cell header row has instead of a table's, when split
// at it the row names at least two columns: "Freq|Pol|SR", "Freq Pol SR".
std::optional<char> foreignSeparator(std::string_view header)
{
    for (const char separator : {'|', ':', ' '}) {
        const std::vector<std::string> parts = splitAt(header, separator);
        if (std::count_if(parts.begin(), parts.end(), [](const std::string& part) { return knownHeader(part); }) >= 2)
            return separator;
    }
    return std::nullopt;
}

std::string quotedList(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts)
        out += (out.empty() ? "\"" : ", \"") + text + "\"";
    return out;
}

// A table whose header row has been read: its rows (the header first) and
// the separator of its cells, or why it cannot be pasted; and the columns of
// the text that neither list takes, to tell.
struct CheckedTable {
    TableRows rows;
    char separator = '\t';
    std::optional<PasteFailure> failure;
    std::vector<Notice> notes;
};

// Reads a text as a table: at least one row under the header, at most `room`
// of them, a header naming a column of the list (`named`: whether
// `mapColumns` maps it), and no row with more cells than the header or with
// its cells separated otherwise.
CheckedTable checkedTable(std::string_view text, std::size_t room, MessageId full,
                          const std::function<bool(const std::vector<std::string>&)>& named)
{
    CheckedTable table;
    table.separator = tableSeparator(text);
    table.rows = parseTableText(text, table.separator);
    const auto refuse = [&table](int row, MessageId why, std::vector<std::string> args = {}) {
        table.failure = PasteFailure{row, {}, why, std::move(args)};
        return std::move(table);
    };
    if (table.rows.size() < 2)
        return refuse(0, msg::kNothingToPaste);
    // Rows past the room are refused before any record is made of them.
    if (table.rows.size() - 1 > room)
        return refuse(0, full);
    const std::vector<std::string>& header = table.rows.front();
    if (!named(header)) {
        if (header.size() == 1)
            if (const auto separator = foreignSeparator(header.front()))
                return refuse(0, msg::kWrongSeparator, {separatorName(*separator)});
        return refuse(0, msg::kNoKnownColumn, {quotedList(header)});
    }
    for (std::size_t i = 1; i < table.rows.size(); ++i) {
        const std::vector<std::string>& row = table.rows[i];
        // Empty cells past the last one with text are no cells of the row.
        std::size_t filled = row.size();
        while (filled > 0 && row[filled - 1].empty())
            --filled;
        const bool tooMany = filled > header.size();
        const bool otherSeparator =
            row.size() == 1 && header.size() > 1 &&
            std::any_of(kTableSeparators.begin(), kTableSeparators.end(), [&](char other) {
                return other != table.separator && splitAt(row.front(), other).size() == header.size();
            });
        if (tooMany || otherSeparator)
            return refuse(0, msg::kTableCellCount,
                          {std::to_string(i + 1), std::to_string(tooMany ? filled : row.size()),
                           std::to_string(header.size()), separatorName(table.separator)});
    }
    std::vector<std::string> unknown;
    for (const std::string& cell : header)
        if (!cell.empty() && !knownHeader(cell))
            unknown.push_back(cell);
    if (!unknown.empty())
        table.notes.push_back({msg::kColumnsLeftOut, {quotedList(unknown)}});
    return table;
}

template <typename Record, typename NewRecord, typename PasteRow>
PastedRows<Record>
fromTable(std::string_view text,
          std::vector<PastedColumn> (*mapColumns)(const std::vector<std::string>&, std::span<const int>),
          std::span<const int> order, std::size_t room, MessageId full, NewRecord newRecord, PasteRow pasteRow)
{
    PastedRows<Record> pasted;
    CheckedTable table = checkedTable(
        text, room, full, [&](const std::vector<std::string>& header) { return !mapColumns(header, order).empty(); });
    if (table.failure) {
        pasted.failure = std::move(table.failure);
        return pasted;
    }
    const std::vector<PastedColumn> columns = mapColumns(table.rows.front(), order);
    for (std::size_t i = 1; i < table.rows.size(); ++i) {
        Record record = newRecord();
        if (auto failed = pasteRow(static_cast<int>(i + 1), table.rows[i], columns, record)) {
            pasted.records.clear();
            pasted.failure = std::move(failed);
            return pasted;
        }
        pasted.records.push_back(record);
    }
    pasted.notes = std::move(table.notes);
    return pasted;
}

} // namespace

// The type comes first, as its change resets the code rate, modulation,
// roll-off and pilots; the modulation before the code rate, which it resets;
// the roll-off before the bandwidth and symbol rate that depend on it.
PastedRows<SateChannel> channelsFromTable(std::string_view text, std::size_t room)
{
    using namespace channel_column;
    static constexpr std::array kOrder{kName,         kEnable, kSignalType, kModulation, kCodeRate,  kRollOff,
                                       kPolarization, kLnbLo,  kPilots,     kFrequency,  kBandwidth, kSymbolRate};
    return fromTable<SateChannel>(
        text, channelColumns, kOrder, room, msg::kMaxTps, [] { return SateChannel::withAddDefaults(0, ""); },
        pasteChannelRow);
}

// The longitude before the hemisphere, so that a pasted hemisphere column
// wins over a letter in the position.
PastedRows<CComonOrbitune> plansFromTable(std::string_view text, std::size_t room)
{
    using namespace plan_column;
    static constexpr std::array kOrder{kName, kLongitude, kEastOrWest, kLnbLow, kLnbHigh};
    return fromTable<CComonOrbitune>(
        text, planColumns, kOrder, room, msg::kMaxPlans, [] { return CComonOrbitune::withAddDefaults(0, ""); },
        pastePlanRow);
}

namespace {

template <typename Record> PastedRows<Record> refused(MessageId why)
{
    PastedRows<Record> pasted;
    pasted.failure = PasteFailure{0, {}, why, {}};
    return pasted;
}

} // namespace

PastedRows<CComonOrbitune> plansFromJson(std::string_view json, std::size_t room)
{
    PlansJsonResult decoded = decodePlansJson(json);
    if (decoded.error)
        return refused<CComonOrbitune>(msg::kNothingToPaste);
    if (decoded.plans.size() + static_cast<std::size_t>(decoded.plansNotTaken) > room)
        return refused<CComonOrbitune>(msg::kMaxPlans);
    return {std::move(decoded.plans), std::nullopt, {}};
}

PastedRows<SateChannel> channelsFromJson(std::string_view json, std::size_t room)
{
    const PlansJsonResult decoded = decodePlansJson(json);
    if (decoded.error)
        return refused<SateChannel>(msg::kNothingToPaste);
    std::size_t count = 0;
    for (const CComonOrbitune& plan : decoded.plans)
        count += plan.usedChannels().size();
    if (count > room || decoded.plansNotTaken > 0)
        return refused<SateChannel>(msg::kMaxTps);
    PastedRows<SateChannel> pasted;
    for (const CComonOrbitune& plan : decoded.plans)
        for (const SateChannel& tp : plan.usedChannels())
            pasted.records.push_back(tp);
    return pasted;
}
