#include "core/import/plan_import.h"

#include "core/import/tp_match.h"
#include "core/rules/free_names.h"
#include "core/rules/record_rules.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

constexpr std::int32_t kKuLowOscillator = 975000;   // 9750 MHz in 10 kHz units
constexpr std::int32_t kKuHighOscillator = 1060000; // 10600 MHz
constexpr std::int32_t kCOscillator = 515000;       // 5150 MHz
constexpr std::size_t kMaxNameChars = 8;
// The prefix of a taken name that leaves room for a number up to 255.
constexpr std::size_t kNumberedPrefixChars = 5;

using Taken = std::function<bool(const std::string&)>;

bool planNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' ||
           c == '.' || c == '_';
}

// The satellite's name as a plan name: its first 8 characters that a plan
// name allows, without blanks or punctuation at either end; when that is
// taken, its first five characters and the lowest free number; when nothing
// is left, the name Add Plan gives.
std::string planNameOf(std::string_view satellite, const Taken& taken)
{
    std::string name;
    for (const char c : satellite)
        if (planNameChar(c) && name.size() < kMaxNameChars)
            name.push_back(c);
    const auto trim = [](std::string& s) {
        const auto isEdge = [](char c) { return c == ' ' || c == '-' || c == '.' || c == '_'; };
        while (!s.empty() && isEdge(s.back()))
            s.pop_back();
        s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), isEdge));
    };
    trim(name);
    if (name.empty())
        return lowestFreeName("Plan", taken);
    if (!taken(name))
        return name;
    std::string prefix = name.substr(0, kNumberedPrefixChars);
    trim(prefix);
    return lowestFreeName(prefix.empty() ? "Plan" : prefix, taken);
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

// Appends each TP the model allows that is not the same as one the plan has.
void appendTps(CComonOrbitune& plan, std::span<const SourceTp* const> tps, MeterModel model,
               std::vector<LeftOutTp>& leftOut)
{
    const bool dvbS2 = limitsOf(model).dvbS2;
    const int limit = tpLimitOf(model);
    for (const SourceTp* tp : tps) {
        const SateChannel& channel = *tp->channel;
        const auto used = plan.usedChannels();
        if (!dvbS2 && holds(channel.signalType, SignalType::DVB_S2)) {
            leftOut.push_back({tp->label, {msg::kQ24NoS2, {}}});
        } else if (std::any_of(used.begin(), used.end(), [&](const SateChannel& c) { return sameTp(c, channel); })) {
            leftOut.push_back({tp->label, {msg::kSameTpInPlan, {}}});
        } else if (plan.channelCount >= limit) {
            leftOut.push_back({tp->label, {msg::kPlanTpLimit, {std::to_string(limit), std::string(modelName(model))}}});
        } else {
            SateChannel added = channel;
            added.number = static_cast<std::uint8_t>(plan.channelCount + 1);
            const bool nameTaken =
                std::any_of(used.begin(), used.end(), [&](const SateChannel& c) { return c.nameText() == tp->name; });
            added.setNameText(nameTaken ? freeChannelName(plan) : tp->name);
            added.id = Guid::generate();
            if (const auto fault = recordFault(added)) {
                leftOut.push_back({tp->label, fault->rule});
                continue;
            }
            plan.appendChannel(added);
            ++plan.channelsAdded;
        }
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
    if (!given.starts_with(name))
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
    appendTps(result.plan, inBand, model, result.leftOut);
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
    PlanImport result{plan, {}, std::nullopt};
    const auto storable = storableInFrequencyOrder(tps, result.leftOut);
    appendTps(result.plan, storable, model, result.leftOut);
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
