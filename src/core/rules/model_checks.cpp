#include "core/rules/model_checks.h"

#include "core/res/string_ids.h"

#include <algorithm>

namespace {

constexpr int kQ24MaxPlanCount = 16;
constexpr int kQ24MaxTpCount = 6;
constexpr int kQ36MaxPlanCount = 18;
constexpr int kQ36MaxTpCount = 9;
// The TP records an .Orbtab file has room for.
constexpr int kQ9100MaxTpCount = 102;

std::optional<Notice> failed(MessageId id)
{
    return Notice{id, {}};
}

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

std::optional<Notice> firstS2(std::span<const CComonOrbitune* const> plans)
{
    for (const auto* p : plans)
        if (hasS2(*p))
            return failed(msg::kQ24NoS2);
    return std::nullopt;
}

// The limits of the General and Q9100 files, once every plan has a TP: the
// General file keeps the 255 plans the list holds, each Q9100 file at most
// 102 TPs. Neither writer leaves out what does not fit.
std::optional<Notice> checkFileRoom(FileType type, std::span<const CComonOrbitune* const> plans)
{
    if (type == FileType::General && static_cast<int>(plans.size()) > PlanList::kMaxPlans)
        return failed(msg::kGeneralMaxPlans);
    if (type == FileType::Q9100)
        for (const auto* p : plans)
            if (p->channelCount > kQ9100MaxTpCount)
                return Notice{msg::kQ9100MaxTps, {p->nameText()}};
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
    case MeterModel::Q9100:
        return {PlanList::kMaxPlans, kQ9100MaxTpCount, true};
    case MeterModel::General:
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

std::optional<Notice> checkSaveSelected(FileType type, std::span<const CComonOrbitune* const> plans)
{
    if (type != FileType::Q24)
        return anyWithoutTp(plans) ? failed(msg::kPlanWithoutTp) : checkFileRoom(type, plans);
    if (static_cast<int>(plans.size()) > kQ24MaxPlanCount)
        return failed(msg::kQ24MaxPlans);
    for (const auto* p : plans) {
        if (p->channelCount > kQ24MaxTpCount)
            return failed(msg::kQ24MaxTpsSelect);
        if (p->channelCount < 1)
            return failed(msg::kPlanWithoutTp);
    }
    return firstS2(plans);
}

std::optional<Notice> checkSaveAll(FileType type, std::span<const CComonOrbitune* const> plans)
{
    if (anyWithoutTp(plans))
        return failed(msg::kPlanWithoutTp);
    if (type != FileType::Q24)
        return checkFileRoom(type, plans);
    if (static_cast<int>(plans.size()) > kQ24MaxPlanCount)
        return failed(msg::kQ24MaxPlans);
    for (const auto* p : plans) {
        if (p->channelCount > kQ24MaxTpCount)
            return failed(msg::kQ24MaxTpsAll);
        if (hasS2(*p))
            return failed(msg::kQ24NoS2);
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

std::optional<Notice> checkModel(MeterModel model, std::span<const CComonOrbitune* const> plans)
{
    switch (model) {
    case MeterModel::Q24:
        return checkSaveAll(FileType::Q24, plans);
    case MeterModel::Q36:
        if (const auto refused = checkQ36Download(plans))
            return failed(*refused);
        return std::nullopt;
    case MeterModel::Q9100:
        return checkSaveAll(FileType::Q9100, plans);
    case MeterModel::General:
        break;
    }
    return checkSaveAll(FileType::General, plans);
}
