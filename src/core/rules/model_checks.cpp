#include "core/rules/model_checks.h"

#include "core/res/string_ids.h"

#include <algorithm>

namespace {

constexpr int kQ24MaxPlanCount = 16;
constexpr int kQ24MaxTpCount = 6;
constexpr int kQ36MaxPlanCount = 18;
constexpr int kQ36MaxTpCount = 9;

bool anyWithoutTp(std::span<const CComonOrbitune* const> plans)
{
    return std::any_of(plans.begin(), plans.end(), [](const CComonOrbitune* p) { return p->channelCount < 1; });
}

bool hasS2(const CComonOrbitune& plan)
{
    const auto used = plan.usedChannels();
    return std::any_of(used.begin(), used.end(),
                       [](const SateChannel& c) { return c.signalType >= stored(SignalType::DVB_S2); });
}

std::optional<MessageId> firstS2(std::span<const CComonOrbitune* const> plans)
{
    for (const auto* p : plans)
        if (hasS2(*p))
            return msg::kQ24NoS2;
    return std::nullopt;
}

} // namespace

std::string_view modelName(MeterModel model)
{
    switch (model) {
    case MeterModel::Q24:
        return "Q24";
    case MeterModel::Q36:
        return "Q36";
    case MeterModel::Q9100:
        return "Q9100";
    case MeterModel::General:
        break;
    }
    return "General";
}

ModelLimits limitsOf(MeterModel model)
{
    switch (model) {
    case MeterModel::Q24:
        return {kQ24MaxPlanCount, kQ24MaxTpCount, false};
    case MeterModel::Q36:
        return {kQ36MaxPlanCount, kQ36MaxTpCount, true};
    case MeterModel::General:
    case MeterModel::Q9100:
        break;
    }
    return {PlanList::kMaxPlans, CComonOrbitune::kSlotCount, true};
}

PlanRefs allPlans(const PlanList& plans)
{
    PlanRefs refs;
    refs.reserve(static_cast<std::size_t>(plans.count()));
    for (const auto& p : plans)
        refs.push_back(&p);
    return refs;
}

std::optional<MessageId> checkSaveSelected(FileType type, std::span<const CComonOrbitune* const> plans)
{
    if (type != FileType::Q24)
        return anyWithoutTp(plans) ? std::optional{msg::kPlanWithoutTp} : std::nullopt;
    if (static_cast<int>(plans.size()) > kQ24MaxPlanCount)
        return msg::kQ24MaxPlans;
    for (const auto* p : plans) {
        if (p->channelCount > kQ24MaxTpCount)
            return msg::kQ24MaxTpsSelect;
        if (p->channelCount < 1)
            return msg::kPlanWithoutTp;
    }
    return firstS2(plans);
}

std::optional<MessageId> checkSaveAll(FileType type, std::span<const CComonOrbitune* const> plans)
{
    if (anyWithoutTp(plans))
        return msg::kPlanWithoutTp;
    if (type != FileType::Q24)
        return std::nullopt;
    if (static_cast<int>(plans.size()) > kQ24MaxPlanCount)
        return msg::kQ24MaxPlans;
    for (const auto* p : plans) {
        if (p->channelCount > kQ24MaxTpCount)
            return msg::kQ24MaxTpsAll;
        if (hasS2(*p))
            return msg::kQ24NoS2;
    }
    return std::nullopt;
}

std::optional<MessageId> checkQ36Download(std::span<const CComonOrbitune* const> plans)
{
    if (static_cast<int>(plans.size()) > kQ36MaxPlanCount)
        return msg::kQ36MaxPlans;
    for (const auto* p : plans) {
        if (p->channelCount < 1)
            return msg::kQ36PlanNeedsTp;
        for (const auto& c : p->usedChannels()) {
            if (holds(c.signalType, SignalType::TV))
                return msg::kQ36NoTv;
            if (holds(c.signalType, SignalType::DVB_S) && !holds(c.rollOff, RollOff::R035))
                return msg::kQ36DvbsRollOff;
        }
    }
    for (const auto* p : plans)
        if (p->channelCount > kQ36MaxTpCount)
            return msg::kQ36MaxTps;
    return std::nullopt;
}

std::optional<MessageId> checkModel(MeterModel model, std::span<const CComonOrbitune* const> plans)
{
    switch (model) {
    case MeterModel::Q24:
        return checkSaveAll(FileType::Q24, plans);
    case MeterModel::Q36:
        return checkQ36Download(plans);
    case MeterModel::Q9100:
        return checkSaveAll(FileType::Q9100, plans);
    case MeterModel::General:
        break;
    }
    return checkSaveAll(FileType::General, plans);
}
