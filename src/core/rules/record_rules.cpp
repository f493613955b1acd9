#include "core/rules/record_rules.h"

#include "core/model/plan_list.h"
#include "core/model/value_tables.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/decimal_text.h"
#include "core/rules/plan_cell_rules.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Hundredths for frequencies, bandwidths and LNB oscillators, thousandths for
// symbol rates: every stored digit, so that the rule sees the stored value.
constexpr int kTenKilohertzDecimals = 2;
constexpr int kKiloSymbolDecimals = 3;
// Nine decimals show a float's degrees to well below the least step of the
// longitude's range.
constexpr int kDegreeDecimals = 9;

std::string joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts)
        out += (out.empty() ? "" : ", ") + text;
    return out;
}

RecordFault fault(std::string_view field, Notice rule)
{
    return {std::string(field), std::move(rule), 0, {}};
}

// A stored value that none of the field's choices names.
RecordFault notAChoice(std::string_view field, std::int32_t value, const std::vector<std::string>& choices)
{
    return fault(field, {msg::kNotAChoice, {std::to_string(value), joined(choices)}});
}

template <typename E, std::size_t N> std::vector<std::string> textsOf(const std::array<NamedValue<E>, N>& table)
{
    std::vector<std::string> texts;
    for (const auto& v : table)
        texts.emplace_back(v.text);
    return texts;
}

template <typename E, std::size_t N> bool named(const std::array<NamedValue<E>, N>& table, std::int32_t value)
{
    return textOf(table, value).has_value();
}

// The message typing `text` into the TP's cell shows, if any. The row's other
// cells show what the record holds; a TV row is taken as a DVB-S2 row, whose
// symbol rate cell checks what it is given.
std::optional<MessageId> typedIntoTp(int column, const std::string& text, const SateChannel& tp)
{
    using namespace channel_column;
    static const CComonOrbitune kNoOtherTps;
    ChannelRowTexts row{ChannelCellText(tp, kSignalType), ChannelCellText(tp, kModulation),
                        ChannelCellText(tp, kRollOff)};
    if (holds(tp.signalType, SignalType::TV))
        row = {"DVB_S2", "QPSK", "0.35"};
    SateChannel unnamed = tp;
    unnamed.name.fill('\0');
    return ChannelCellEdited(column, text, row, unnamed, kNoOtherTps).messageId;
}

std::optional<MessageId> typedIntoPlan(int column, const std::string& text, const CComonOrbitune& plan)
{
    static const PlanList kNoOtherPlans;
    CComonOrbitune unnamed = plan;
    unnamed.name.fill('\0');
    return PlanCellEdited(column, text, unnamed, kNoOtherPlans).messageId;
}

// The code rate, modulation, roll-off and pilots a DVB-S or DVB-S2 TP may
// hold: those its drop-downs offer. A DVB-S2 code rate of either modulation
// passes, as choosing the modulation keeps the code rate.
std::optional<RecordFault> dvbFault(const SateChannel& tp, SignalType type)
{
    using namespace channel_column;
    const ChannelRowTexts row{ChannelCellText(tp, kSignalType), "QPSK", "0.35"};
    if (!codeRateOf(tp.codeRate, type)) {
        std::vector<std::string> choices = ChannelColumnChoices(kCodeRate, row);
        if (type == SignalType::DVB_S2)
            for (const std::string& rate : ChannelColumnChoices(kCodeRate, {row.signalType, "8PSK", row.rollOff}))
                if (std::find(choices.begin(), choices.end(), rate) == choices.end())
                    choices.push_back(rate);
        return notAChoice(kHeaders[kCodeRate], tp.codeRate, choices);
    }
    if (!named(kModulations, tp.modulation) || (type == SignalType::DVB_S && !holds(tp.modulation, Modulation::QPSK)))
        return notAChoice(kHeaders[kModulation], tp.modulation, ChannelColumnChoices(kModulation, row));
    if (!named(kRollOffs, tp.rollOff))
        return notAChoice(kHeaders[kRollOff], tp.rollOff, textsOf(kRollOffs));
    return std::nullopt;
}

} // namespace

std::optional<RecordFault> recordFault(const SateChannel& tp)
{
    using namespace channel_column;
    const std::string name = tp.nameText();
    if (!name.empty())
        if (const auto rule = typedIntoTp(kName, name, tp))
            return fault(kHeaders[kName], {*rule, {}});
    if (!named(kEnableValues, tp.enabled))
        return notAChoice(kHeaders[kEnable], tp.enabled, textsOf(kEnableValues));
    const auto type = textOf(kSignalTypes, tp.signalType);
    if (!type)
        return notAChoice(kHeaders[kSignalType], tp.signalType, textsOf(kSignalTypes));
    const std::vector<std::pair<int, std::string>> numbers{
        {kFrequency, decimal::formatScaled(tp.frequency, kTenKilohertzDecimals)},
        {kBandwidth, decimal::formatScaled(tp.bandwidth, kTenKilohertzDecimals)},
        {kSymbolRate, decimal::formatScaled(tp.symbolRate, kKiloSymbolDecimals)}};
    for (const auto& [column, text] : numbers)
        if (const auto rule = typedIntoTp(column, text, tp))
            return fault(kHeaders[column], {*rule, {}});
    const SignalType signalType = *valueOf(kSignalTypes, *type);
    if (signalType != SignalType::TV)
        if (auto dvb = dvbFault(tp, signalType))
            return dvb;
    if (!named(kPolarizations, tp.polarization))
        return notAChoice(kHeaders[kPolarization], tp.polarization, textsOf(kPolarizations));
    if (!named(kLnbLos, tp.lnbLo))
        return notAChoice(kHeaders[kLnbLo], tp.lnbLo, textsOf(kLnbLos));
    if (!named(kPilotSettings, tp.pilots) || (signalType == SignalType::DVB_S && !holds(tp.pilots, Pilots::Off)))
        return notAChoice(kHeaders[kPilots], tp.pilots,
                          signalType == SignalType::DVB_S ? std::vector<std::string>{"OFF"} : textsOf(kPilotSettings));
    return std::nullopt;
}

std::optional<RecordFault> recordFault(const CComonOrbitune& plan)
{
    using namespace plan_column;
    const std::string name = plan.nameText();
    if (!name.empty())
        if (const auto rule = typedIntoPlan(kName, name, plan))
            return fault(kHeaders[kName], {*rule, {}});
    if (plan.isEast != 0 && plan.isEast != 1)
        return notAChoice(kHeaders[kEastOrWest], plan.isEast, PlanColumnChoices(kEastOrWest));
    const std::vector<std::pair<int, std::string>> numbers{
        {kLongitude, decimal::formatFixed(static_cast<double>(plan.longitude), kDegreeDecimals)},
        {kLnbLow, decimal::formatScaled(plan.lnbLow, kTenKilohertzDecimals)},
        {kLnbHigh, decimal::formatScaled(plan.lnbHigh, kTenKilohertzDecimals)}};
    for (const auto& [column, text] : numbers)
        if (const auto rule = typedIntoPlan(column, text, plan))
            return fault(kHeaders[column], {*rule, {}});
    if (plan.channelCount > CComonOrbitune::kTpLimit)
        return fault({}, {msg::kMaxTps, {}});
    const auto used = plan.usedChannels();
    for (std::size_t k = 0; k < used.size(); ++k)
        if (auto tpFault = recordFault(used[k])) {
            tpFault->tp = static_cast<int>(k + 1);
            tpFault->tpName = used[k].nameText();
            return tpFault;
        }
    return std::nullopt;
}
