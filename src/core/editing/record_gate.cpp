#include "core/editing/record_gate.h"

#include "core/res/string_ids.h"
#include "core/rules/free_names.h"
#include "core/rules/record_rules.h"

#include <algorithm>
#include <functional>
#include <type_traits>

namespace {

using Taken = std::function<bool(const std::string&)>;

// The record's name kept when it is free, or else the lowest free numbered
// one; `fresh` names a record that has none.
std::string freeNameFor(const std::string& name, const Taken& taken, std::string_view fresh)
{
    return name.empty() ? lowestFreeName(fresh, taken) : uniqueName(name, taken);
}

template <typename Record>
std::optional<RecordRefusal> firstFault(std::span<const Record> offered, std::size_t held, int limit, MessageId full)
{
    if (held + offered.size() > static_cast<std::size_t>(limit))
        return RecordRefusal{{full, {}}, 0, {}, 0, {}, {}, false};
    for (std::size_t i = 0; i < offered.size(); ++i)
        if (const auto fault = recordFault(offered[i]))
            return RecordRefusal{fault->rule,
                                 static_cast<int>(i + 1),
                                 offered[i].nameText(),
                                 fault->tp,
                                 fault->tpName,
                                 fault->field,
                                 std::is_same_v<Record, CComonOrbitune>};
    return std::nullopt;
}

} // namespace

Admitted<CComonOrbitune> admitPlans(std::span<const CComonOrbitune> offered, const PlanList& plans,
                                    std::int32_t nextPlanNumber)
{
    Admitted<CComonOrbitune> admitted;
    admitted.refusal =
        firstFault(offered, static_cast<std::size_t>(plans.count()), PlanList::kMaxPlans, msg::kMaxPlans);
    if (admitted.refusal)
        return admitted;
    std::vector<std::string> names;
    for (const CComonOrbitune& plan : plans)
        names.push_back(plan.nameText());
    const Taken taken = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (CComonOrbitune plan : offered) {
        plan.id = Guid::generate();
        for (SateChannel& tp : plan.usedChannels())
            tp.id = Guid::generate();
        plan.number = static_cast<std::uint8_t>(++nextPlanNumber & 0xFF);
        plan.setNameText(freeNameFor(plan.nameText(), taken, "Plan"));
        names.push_back(plan.nameText());
        admitted.records.push_back(plan);
    }
    return admitted;
}

Admitted<SateChannel> admitChannels(std::span<const SateChannel> offered, const CComonOrbitune& plan)
{
    Admitted<SateChannel> admitted;
    admitted.refusal = firstFault(offered, plan.usedChannels().size(), CComonOrbitune::kTpLimit, msg::kMaxTps);
    if (admitted.refusal)
        return admitted;
    std::vector<std::string> names;
    for (const SateChannel& tp : plan.usedChannels())
        names.push_back(tp.nameText());
    const Taken taken = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    int count = plan.channelCount;
    for (SateChannel tp : offered) {
        tp.id = Guid::generate();
        tp.number = static_cast<std::uint8_t>((count++ & 0xFF) + 1);
        tp.setNameText(freeNameFor(tp.nameText(), taken, "TP"));
        names.push_back(tp.nameText());
        admitted.records.push_back(tp);
    }
    return admitted;
}

Notice refusalNotice(const RecordRefusal& refusal, MessageId what, Language language)
{
    if (refusal.record == 0)
        return refusal.rule;
    std::vector<std::string> where;
    if (refusal.tp > 0) {
        where.push_back(
            formatMessage(msg::kRecordPlan, language, std::vector{std::to_string(refusal.record), refusal.recordName}));
        where.push_back(
            formatMessage(msg::kRecordTp, language, std::vector{std::to_string(refusal.tp), refusal.tpName}));
    } else {
        where.push_back(formatMessage(refusal.plan ? msg::kRecordPlan : msg::kRecordTp, language,
                                      std::vector{std::to_string(refusal.record), refusal.recordName}));
    }
    if (!refusal.field.empty())
        where.push_back(refusal.field);
    std::string place;
    for (const std::string& part : where)
        place += (place.empty() ? "" : ", ") + part;
    return {what, {place, noticeText(refusal.rule, language)}};
}
