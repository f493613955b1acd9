#include "ui/lists/row_clipboard.h"

#include "core/editing/copied_rows.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <memory>

namespace row_clipboard {

namespace {

void put(const char* type, const std::string& json, const std::string& table)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(type), QByteArray::fromStdString(json));
    data->setText(QString::fromStdString(table));
    QApplication::clipboard()->setMimeData(data.release());
}

// The JSON of `type` on the clipboard, if there is any.
std::optional<PlansJsonResult> clipboardJson(const char* type)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(type)))
        return std::nullopt;
    return decodePlansJson(data->data(QString::fromLatin1(type)).toStdString());
}

std::string clipboardText()
{
    return QApplication::clipboard()->text().toStdString();
}

template <typename Record> PastedRows<Record> unreadable()
{
    PastedRows<Record> pasted;
    pasted.failure = PasteFailure{0, {}, msg::kNothingToPaste, {}};
    return pasted;
}

} // namespace

void copyPlans(const PlanList& plans, const std::vector<Guid>& ids)
{
    PlanList copied;
    for (const Guid& id : ids)
        if (const CComonOrbitune* plan = plans.findPlanById(id))
            copied.append(*plan);
    put(kPlansType, encodePlansJson(0, copied), plansTableText(plans, ids));
}

void copyChannels(const CComonOrbitune& plan, const std::vector<Guid>& ids)
{
    CComonOrbitune holder = plan;
    holder.channels.fill(SateChannel{});
    holder.channelCount = 0;
    for (const Guid& id : ids)
        if (const SateChannel* tp = plan.findChannelById(id))
            holder.appendChannel(*tp);
    PlanList copied;
    copied.append(holder);
    put(kChannelsType, encodePlansJson(0, copied), channelsTableText(plan, ids));
}

PastedRows<CComonOrbitune> pastedPlans()
{
    if (const auto json = clipboardJson(kPlansType)) {
        if (json->error)
            return unreadable<CComonOrbitune>();
        return {json->plans, std::nullopt, json->renamed};
    }
    return plansFromTable(clipboardText());
}

PastedRows<SateChannel> pastedChannels()
{
    if (const auto json = clipboardJson(kChannelsType)) {
        if (json->error)
            return unreadable<SateChannel>();
        PastedRows<SateChannel> pasted;
        pasted.renamed = json->renamed;
        for (const CComonOrbitune& plan : json->plans)
            for (const SateChannel& tp : plan.usedChannels())
                pasted.records.push_back(tp);
        return pasted;
    }
    return channelsFromTable(clipboardText());
}

void tellFailure(Prompts& prompts, PromptOwner owner, const PasteFailure& failure)
{
    if (failure.row == 0)
        prompts.tell(owner, failure.rule, failure.ruleArgs);
    else
        prompts.tell(owner, msg::kPasteFailed,
                     {std::to_string(failure.row), failure.column, prompts.text(failure.rule, failure.ruleArgs)});
}

} // namespace row_clipboard
