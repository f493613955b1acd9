#include "core/editing/pasted_rows.h"

#include "core/editing/table_text.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/decimal_text.h"
#include "core/rules/plan_cell_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <span>

namespace {

constexpr std::string_view kNoValue = "---";
constexpr std::uint64_t kKiloSymbolsFrom = 1000; // a symbol rate this large is in kS/s

struct Synonyms {
    int column;
    std::vector<std::string_view> names;
};

// Header names, lower case, letters and digits only, without units.
const std::vector<Synonyms>& channelHeaders()
{
    using namespace channel_column;
    static const std::vector<Synonyms> headers{
        {kName, {"tpname", "name", "label"}},
        {kEnable, {"enable", "enabled"}},
        {kSignalType, {"signaltype", "system", "type", "deliverysystem", "standard", "sys"}},
        {kFrequency, {"freq", "frequency", "downlink", "downlinkfrequency"}},
        {kBandwidth, {"bw", "bandwidth"}},
        {kSymbolRate, {"sr", "symbolrate", "srate", "symrate", "symbol"}},
        {kCodeRate, {"coderate", "fec", "innerfec"}},
        {kModulation, {"modulation", "mod", "modulationtype", "mtype"}},
        {kRollOff, {"rolloff", "roll", "ro"}},
        {kPolarization, {"polarization", "polarisation", "pol", "polar", "polarity"}},
        {kLnbLo, {"lnblo"}},
        {kPilots, {"pilots", "pilot"}},
    };
    return headers;
}

const std::vector<Synonyms>& planHeaders()
{
    using namespace plan_column;
    static const std::vector<Synonyms> headers{
        {kName, {"planname", "name", "satellite", "sat", "satname", "satellitename"}},
        {kEastOrWest, {"eastorwest", "eastwest", "hemisphere", "ew", "direction"}},
        {kLongitude, {"longitude", "position", "orbitalposition", "pos", "orbit"}},
        {kLnbLow, {"lnblowosc", "lnblow", "lowosc", "lof1", "lowlof", "lnblof1"}},
        {kLnbHigh, {"lnbhighosc", "lnbhigh", "highosc", "lof2", "highlof", "lnblof2"}},
    };
    return headers;
}

std::string upper(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

// Lower-case letters and digits of a header, without parts in brackets and
// without a trailing unit: "Freq(MHz)" and "Frequency MHz" give "freq" and
// "frequency".
std::string headerKey(std::string_view header)
{
    std::string key;
    int depth = 0;
    for (const char c : header) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (depth == 0 && std::isalnum(static_cast<unsigned char>(c)) != 0)
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    for (const std::string_view unit : {"mhz", "ghz", "khz", "ksyms", "ksymbols", "ksps", "msyms", "msps", "kbaud"})
        if (key.size() > unit.size() && key.ends_with(unit)) {
            key.erase(key.size() - unit.size());
            break;
        }
    return key;
}

struct MappedColumn {
    int listColumn;
    std::size_t textColumn;
    std::string header;
};

// The pasted columns the list knows, each list column once (its first
// pasted column), in the order the cells are to be applied.
std::vector<MappedColumn> mapColumns(const std::vector<std::string>& header, const std::vector<Synonyms>& known,
                                     std::span<const int> applyOrder)
{
    std::map<int, MappedColumn> byColumn;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string key = headerKey(header[i]);
        for (const Synonyms& synonyms : known)
            if (std::find(synonyms.names.begin(), synonyms.names.end(), key) != synonyms.names.end())
                byColumn.try_emplace(synonyms.column, MappedColumn{synonyms.column, i, header[i]});
    }
    std::vector<MappedColumn> mapped;
    for (const int column : applyOrder)
        if (const auto found = byColumn.find(column); found != byColumn.end())
            mapped.push_back(found->second);
    return mapped;
}

// A decimal comma as a point, when the text has no point of its own.
std::string decimalPoint(std::string_view text)
{
    std::string out(text);
    if (out.find('.') == std::string::npos && std::count(out.begin(), out.end(), ',') == 1)
        std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

std::string withoutBlanks(std::string_view text)
{
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '-' && c != '_')
            out.push_back(c);
    return out;
}

struct Alias {
    std::string_view spelled; // upper case, without blanks, "-" and "_"
    std::string_view choice;
};

constexpr std::array kChannelAliases{
    Alias{"YES", "Enable"},     Alias{"Y", "Enable"},         Alias{"ON", "Enable"},
    Alias{"1", "Enable"},       Alias{"TRUE", "Enable"},      Alias{"ENABLED", "Enable"},
    Alias{"NO", "Disable"},     Alias{"N", "Disable"},        Alias{"OFF", "Disable"},
    Alias{"0", "Disable"},      Alias{"FALSE", "Disable"},    Alias{"DISABLED", "Disable"},
    Alias{"DVBS", "DVB_S"},     Alias{"S", "DVB_S"},          Alias{"DVBS2", "DVB_S2"},
    Alias{"S2", "DVB_S2"},      Alias{"PSK8", "8PSK"},        Alias{"H", "HORIZ/LEFT"},
    Alias{"HOR", "HORIZ/LEFT"}, Alias{"HORIZ", "HORIZ/LEFT"}, Alias{"HORIZONTAL", "HORIZ/LEFT"},
    Alias{"L", "HORIZ/LEFT"},   Alias{"LEFT", "HORIZ/LEFT"},  Alias{"V", "VERT/RIGHT"},
    Alias{"VER", "VERT/RIGHT"}, Alias{"VERT", "VERT/RIGHT"},  Alias{"VERTICAL", "VERT/RIGHT"},
    Alias{"R", "VERT/RIGHT"},   Alias{"RIGHT", "VERT/RIGHT"}, Alias{"E", "East"},
    Alias{"W", "West"},
};

// The choice a pasted text names: a choice spelled in any case, or a common
// spelling of it; the text itself when it names none.
std::string choiceOf(std::string_view text, const std::vector<std::string>& choices)
{
    const std::string spelled = upper(text);
    for (const std::string& choice : choices)
        if (upper(choice) == spelled)
            return choice;
    const std::string bare = withoutBlanks(spelled);
    for (const Alias& alias : kChannelAliases)
        if (alias.spelled == bare && std::find(choices.begin(), choices.end(), alias.choice) != choices.end())
            return std::string(alias.choice);
    return std::string(text);
}

std::string joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts)
        out += (out.empty() ? "" : ", ") + text;
    return out;
}

// A roll-off as "0.35", "0,35", "35%" or "35".
std::string rollOffText(std::string_view text)
{
    std::string number = decimalPoint(text);
    const bool percent = !number.empty() && number.back() == '%';
    if (percent)
        number.pop_back();
    if (!IsNumericText(number))
        return std::string(text);
    const decimal::Scaled hundredths = decimal::scale(number, 2);
    const std::uint64_t value = percent || hundredths.value >= 100 ? decimal::scale(number, 0).value : hundredths.value;
    return decimal::formatScaled(static_cast<std::int64_t>(value), 2);
}

// A symbol rate in MS/s; 1000 and more are taken as kS/s.
std::string symbolRateText(std::string_view text)
{
    const std::string number = decimalPoint(text);
    if (!IsNumericText(number) || decimal::scale(number, 0).value < kKiloSymbolsFrom)
        return number;
    return decimal::formatScaled(static_cast<std::int64_t>(decimal::scale(number, 6).value), 9);
}

PasteFailure failure(int row, const MappedColumn& column, MessageId rule, std::vector<std::string> args = {})
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
                                            const std::vector<MappedColumn>& columns, SateChannel& tp)
{
    using namespace channel_column;
    std::optional<std::uint32_t> pastedBandwidth;
    for (const MappedColumn& column : columns) {
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

// A position such as "19.2E", "19.2 °W" or "-5.0": the degrees, and East or
// West where the text tells.
std::pair<std::string, std::optional<std::string>> positionText(std::string_view text)
{
    std::string number;
    for (const char c : decimalPoint(text))
        if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-' || c == 'E' || c == 'W' ||
            c == 'e' || c == 'w')
            number.push_back(c);
    std::optional<std::string> hemisphere;
    if (!number.empty() && (std::toupper(static_cast<unsigned char>(number.back())) == 'E' ||
                            std::toupper(static_cast<unsigned char>(number.back())) == 'W')) {
        hemisphere = std::toupper(static_cast<unsigned char>(number.back())) == 'E' ? "East" : "West";
        number.pop_back();
    }
    if (!number.empty() && number.front() == '-') {
        hemisphere = "West";
        number.erase(0, 1);
    }
    if (number.empty())
        return {std::string(text), std::nullopt};
    return {number, hemisphere};
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
                                         const std::vector<MappedColumn>& columns, CComonOrbitune& plan)
{
    using namespace plan_column;
    for (const MappedColumn& column : columns) {
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
            const auto [degrees, hemisphere] = positionText(cell);
            text = degrees;
            if (hemisphere)
                plan.isEast = *hemisphere == "East" ? 1 : 0;
        }
        if (const auto rule = applyPlanCell(column.listColumn, text, plan))
            return failure(row, column, *rule);
    }
    return std::nullopt;
}

template <typename Record, typename NewRecord, typename PasteRow>
PastedRows<Record> fromTable(std::string_view text, const std::vector<Synonyms>& known, std::span<const int> order,
                             NewRecord newRecord, PasteRow pasteRow)
{
    PastedRows<Record> pasted;
    const TableRows rows = parseTableText(text);
    if (rows.size() < 2) {
        pasted.failure = PasteFailure{0, {}, msg::kNothingToPaste, {}};
        return pasted;
    }
    const std::vector<MappedColumn> columns = mapColumns(rows.front(), known, order);
    if (columns.empty()) {
        pasted.failure = PasteFailure{0, {}, msg::kNoKnownColumn, {}};
        return pasted;
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
        Record record = newRecord();
        if (auto failed = pasteRow(static_cast<int>(i + 1), rows[i], columns, record)) {
            pasted.records.clear();
            pasted.failure = std::move(failed);
            return pasted;
        }
        pasted.records.push_back(record);
    }
    return pasted;
}

} // namespace

// The type comes first, as its change resets the code rate, modulation,
// roll-off and pilots; the modulation before the code rate, which it resets;
// the roll-off before the bandwidth and symbol rate that depend on it.
PastedRows<SateChannel> channelsFromTable(std::string_view text)
{
    using namespace channel_column;
    static constexpr std::array kOrder{kName,         kEnable, kSignalType, kModulation, kCodeRate,  kRollOff,
                                       kPolarization, kLnbLo,  kPilots,     kFrequency,  kBandwidth, kSymbolRate};
    return fromTable<SateChannel>(
        text, channelHeaders(), kOrder, [] { return SateChannel::withAddDefaults(0, ""); }, pasteChannelRow);
}

// The longitude before the hemisphere, so that a pasted hemisphere column
// wins over a letter in the position.
PastedRows<CComonOrbitune> plansFromTable(std::string_view text)
{
    using namespace plan_column;
    static constexpr std::array kOrder{kName, kLongitude, kEastOrWest, kLnbLow, kLnbHigh};
    return fromTable<CComonOrbitune>(
        text, planHeaders(), kOrder, [] { return CComonOrbitune::withAddDefaults(0, ""); }, pastePlanRow);
}
