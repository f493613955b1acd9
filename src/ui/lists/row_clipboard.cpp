#include "ui/lists/row_clipboard.h"

#include "core/editing/copied_rows.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <memory>
#include <optional>
#include <string>

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
std::optional<std::string> clipboardJson(const char* type)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(type)))
        return std::nullopt;
    return data->data(QString::fromLatin1(type)).toStdString();
}

std::string clipboardText()
{
    return QApplication::clipboard()->text().toStdString();
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

PastedRows<CComonOrbitune> pastedPlans(std::size_t room)
{
    if (const auto json = clipboardJson(kPlansType))
        return plansFromJson(*json, room);
    return plansFromTable(clipboardText(), room);
}

PastedRows<SateChannel> pastedChannels(std::size_t room)
{
    if (const auto json = clipboardJson(kChannelsType))
        return channelsFromJson(*json, room);
    return channelsFromTable(clipboardText(), room);
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
