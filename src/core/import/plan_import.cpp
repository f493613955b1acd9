#include "core/import/plan_import.h"

#include "core/import/satellite_names.h"
#include "core/import/tp_choice.h"
#include "core/import/tp_match.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/free_names.h"
#include "core/rules/record_rules.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

constexpr std::int32_t kKuLowOscillator = 975000;   // 9750 MHz in 10 kHz units
constexpr std::int32_t kKuHighOscillator = 1060000; // 10600 MHz
constexpr std::int32_t kCOscillator = 515000;       // 5150 MHz
// The prefix of a taken name that leaves room for a number up to 255.
constexpr std::size_t kNumberedPrefixChars = 5;

using Taken = std::function<bool(const std::string&)>;

// The satellite's plan name (satellitePlanName); when that is taken, its
// first five characters and the lowest free number; when nothing is left,
// the name Add Plan gives.
std::string planNameOf(std::string_view satellite, const Taken& taken)
{
    const std::string name = satellitePlanName(satellite);
    if (name.empty())
        return lowestFreeName("Plan", taken);
    if (!taken(name))
        return name;
    return lowestFreeName(name.substr(0, kNumberedPrefixChars), taken);
}

// The TPs the records hold, in frequency order (the source's order among
// equal frequencies); the others go to `leftOut`.
std::vector<const SourceTp*> storableInFrequencyOrder(std::span<const SourceTp> tps, std::vector<LeftOutTp>& leftOut)
{
    std::vector<const SourceTp*> storable;
    for (const auto& tp : tps) {
        if (tp.channel)
            storable.push_back(&tp);
        else if (tp.leftOut)
            leftOut.push_back({tp.label, *tp.leftOut});
    }
    std::stable_sort(storable.begin(), storable.end(), [](const SourceTp* a, const SourceTp* b) {
        return a->channel->frequency < b->channel->frequency;
    });
    return storable;
}

// A TP whose code rate is a guess is less sure to lock.
constexpr int kGuessedRank = 1;

// Appends the TPs the model allows that are not the same as one the plan has
// or one offered before them, as many as the model's limit leaves room for,
// chosen by chooseTps.
void appendTps(PlanImport& result, std::span<const SourceTp* const> tps, MeterModel model)
{
    CComonOrbitune& plan = result.plan;
    const bool dvbS2 = limitsOf(model).dvbS2;
    const int limit = tpLimitOf(model);
    std::vector<TpCandidate> candidates;
    std::vector<const SourceTp*> offered;
    for (const SourceTp* tp : tps) {
        const SateChannel& channel = *tp->channel;
        const auto used = plan.usedChannels();
        const auto same = [&](const SateChannel& c) { return sameTp(c, channel); };
        if (!dvbS2 && holds(channel.signalType, SignalType::DVB_S2)) {
            result.leftOut.push_back({tp->label, {msg::kQ24NoS2, {}}});
            continue;
        }
        if (std::any_of(used.begin(), used.end(), same) ||
            std::any_of(candidates.begin(), candidates.end(), [&](const TpCandidate& c) { return same(c.tp); })) {
            result.leftOut.push_back({tp->label, {msg::kSameTpInPlan, {}}});
            continue;
        }
        SateChannel named = channel;
        named.setNameText(tp->name);
        if (const auto fault = recordFault(named)) {
            result.leftOut.push_back({tp->label, fault->rule});
            continue;
        }
        candidates.push_back({named, tp->codeRateGuessed ? kGuessedRank : 0});
        offered.push_back(tp);
    }
    const auto room = static_cast<std::size_t>(std::max(limit - plan.channelCount, 0));
    const std::vector<bool> taken = chooseTps(candidates, plan.usedChannels(), room);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const SourceTp& tp = *offered[i];
        if (!taken[i]) {
            result.leftOut.push_back(
                {tp.label, {msg::kPlanTpLimit, {std::to_string(limit), std::string(modelName(model))}}});
            continue;
        }
        SateChannel added = candidates[i].tp;
        added.number = static_cast<std::uint8_t>(plan.channelCount + 1);
        const auto used = plan.usedChannels();
        if (std::any_of(used.begin(), used.end(), [&](const SateChannel& c) { return c.nameText() == tp.name; }))
            added.setNameText(freeChannelName(plan));
        added.id = Guid::generate();
        plan.appendChannel(added);
        ++plan.channelsAdded;
        if (tp.codeRateGuessed)
            result.guessed.push_back({tp.label, ChannelCellText(added, channel_column::kCodeRate)});
    }
}

std::string_view bandName(bool cBand)
{
    return cBand ? "C" : "Ku";
}

PlanImport planOf(const Satellite& satellite, const Taken& taken, MeterModel model, std::uint8_t number)
{
    PlanImport result;
    const std::string name = planNameOf(satellite.name, taken);
    std::string_view given = satellite.name;
    given.remove_prefix(std::min(given.find_first_not_of(' '), given.size()));
    given.remove_suffix(given.size() - std::min(given.find_last_not_of(' ') + 1, given.size()));
    if (given != name)
        result.nameChanged = Notice{msg::kSatelliteNameChanged, {satellite.name, name}};
    result.plan = CComonOrbitune::withAddDefaults(number, name);
    result.plan.longitude = static_cast<float>(satellite.position.tenths) / 10.0F;
    result.plan.isEast = satellite.position.east ? 1 : 0;

    const auto storable = storableInFrequencyOrder(satellite.tps, result.leftOut);
    const auto cCount = std::count_if(storable.begin(), storable.end(),
                                      [](const SourceTp* tp) { return bandOf(*tp->channel) == Band::C; });
    const bool cBand = cCount * 2 > static_cast<std::ptrdiff_t>(storable.size());
    result.plan.lnbLow = cBand ? kCOscillator : kKuLowOscillator;
    result.plan.lnbHigh = cBand ? kCOscillator : kKuHighOscillator;

    std::vector<const SourceTp*> inBand;
    for (const SourceTp* tp : storable) {
        const bool cTp = bandOf(*tp->channel) == Band::C;
        if (cTp == cBand)
            inBand.push_back(tp);
        else
            result.leftOut.push_back(
                {tp->label, {msg::kOtherBandTp, {std::string(bandName(cTp)), std::string(bandName(cBand))}}});
    }
    appendTps(result, inBand, model);
    return result;
}

} // namespace

int tpLimitOf(MeterModel model)
{
    return std::min(limitsOf(model).maxTps, CComonOrbitune::kTpLimit);
}

ImportResult importSatellites(std::span<const Satellite> satellites, const PlanList& plans, MeterModel model,
                              std::int32_t nextPlanNumber)
{
    ImportResult result;
    result.nextPlanNumber = nextPlanNumber;
    if (static_cast<std::size_t>(plans.count()) + satellites.size() > static_cast<std::size_t>(PlanList::kMaxPlans)) {
        result.refused = Notice{msg::kMaxPlans, {}};
        return result;
    }
    std::vector<std::string> names;
    for (const auto& plan : plans)
        names.push_back(plan.nameText());
    const Taken taken = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const auto& satellite : satellites) {
        ++nextPlanNumber;
        result.plans.push_back(planOf(satellite, taken, model, static_cast<std::uint8_t>(nextPlanNumber & 0xFF)));
        names.push_back(result.plans.back().plan.nameText());
    }
    result.nextPlanNumber = nextPlanNumber;
    std::vector<CComonOrbitune> made;
    made.reserve(result.plans.size());
    for (const auto& planImport : result.plans) {
        if (const auto fault = recordFault(planImport.plan)) {
            result.refused = fault->rule;
            return result;
        }
        made.push_back(planImport.plan);
    }
    result.refused = checkImport(plans, made, model);
    return result;
}

PlanImport addToPlan(const CComonOrbitune& plan, std::span<const SourceTp> tps, MeterModel model)
{
    PlanImport result{plan, {}, std::nullopt, {}};
    const auto storable = storableInFrequencyOrder(tps, result.leftOut);
    appendTps(result, storable, model);
    return result;
}

std::optional<Notice> checkImport(const PlanList& plans, std::span<const CComonOrbitune> imported, MeterModel model)
{
    int count = static_cast<int>(imported.size());
    for (const auto& plan : plans)
        if (std::none_of(imported.begin(), imported.end(), [&](const CComonOrbitune& p) { return p.id == plan.id; }))
            ++count;
    if (count > PlanList::kMaxPlans)
        return Notice{msg::kMaxPlans, {}};
    PlanRefs refs;
    for (const auto& plan : imported)
        refs.push_back(&plan);
    return checkModel(model, refs);
}
