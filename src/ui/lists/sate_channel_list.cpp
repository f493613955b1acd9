#include "ui/lists/sate_channel_list.h"

#include "core/editing/record_gate.h"
#include "core/editing/repeated_tps.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/free_names.h"
#include "ui/lists/row_clipboard.h"
#include "ui/text/qt_text.h"

#include <algorithm>
#include <vector>

CSateChannelList::CSateChannelList(PlanList& plans, Prompts& prompts, QWidget* parent)
    : ListPane(prompts, {PromptOwner::ChannelPane, msg::kConfirmDeleteTps, msg::kLabelDeleteCh}, kMinColumnWidth,
               parent),
      plans_(plans), tps_(plans, prompts, *this), list_(tps_, *this, this)
{
    attach(tps_, list_);
}

CComonOrbitune* CSateChannelList::plan()
{
    CComonOrbitune* found = tps_.planRecord();
    if (found == nullptr)
        tps_.setPlan(std::nullopt);
    return found;
}

void CSateChannelList::removeAllRows()
{
    tps_.clear();
}

void CSateChannelList::RefreshChannelList()
{
    plan();
    tps_.refresh();
}

void CSateChannelList::showPlan(const Guid& plan)
{
    if (tps_.plan() == plan && tps_.showsRecords())
        return;
    tps_.showPlan(plan);
}

void CSateChannelList::showView(std::optional<Guid> plan, const ListView& shown)
{
    if (plan != tps_.plan() || !tps_.showsRecords())
        tps_.showPlan(plan);
    else
        followRecords();
    list_.showView(shown);
}

void CSateChannelList::showAddedRows()
{
    if (!tps_.showsRecords())
        RefreshChannelList();
}

void CSateChannelList::AddChannel()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        prompts().tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    if (shown->channelCount >= CComonOrbitune::kTpLimit) {
        prompts().tell(PromptOwner::ChannelPane, msg::kMaxTps);
        return;
    }
    change(msg::kLabelAddCh, [this] {
        CComonOrbitune* adding = plan();
        ++adding->channelsAdded;
        const auto number = static_cast<std::uint8_t>((adding->channelCount & 0xFF) + 1);
        adding->appendChannel(SateChannel::withAddDefaults(number, freeChannelName(*adding)));
    });
    showAddedRows();
}

void CSateChannelList::DeleteCheckedChannels()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        list_.setFocus();
        RefreshChannelList();
        return;
    }
    if (shown->channelCount == 0)
        return;
    const std::vector<Guid> ticked = list_.checkedIds();
    if (ticked.empty())
        return;
    if (!prompts().ask(PromptOwner::ChannelPane, msg::kConfirmDeleteTps))
        return;
    removeRecords(msg::kLabelDeleteCh, ticked);
}

void CSateChannelList::SortChannelsByColumn(int column)
{
    list_.sortByColumn(column);
}

ChannelRowTexts CSateChannelList::rowTexts(const SateChannel& tp)
{
    using namespace channel_column;
    return {ChannelCellText(tp, kSignalType), ChannelCellText(tp, kModulation), ChannelCellText(tp, kRollOff)};
}

// The choices follow the TP whose cell opens the drop-down, wherever the
// keyboard focus is.
QStringList CSateChannelList::columnChoices(const Guid& id, int column)
{
    currentRow_ = list_.rowOf(id);
    CComonOrbitune* shown = plan();
    const SateChannel* tp = shown != nullptr ? shown->findChannelById(id) : nullptr;
    if (tp == nullptr)
        return {};
    QStringList choices;
    for (const std::string& choice : ChannelColumnChoices(column, rowTexts(*tp)))
        choices.append(qtText(choice));
    return choices;
}

void CSateChannelList::cellEdited(const Guid& id, int column, const QString& text)
{
    currentRow_ = list_.rowOf(id);
    editColumn_ = column;
    CComonOrbitune* shown = plan();
    const SateChannel* tp = shown != nullptr ? shown->findChannelById(id) : nullptr;
    if (tp == nullptr)
        return;
    const ChannelCellResult result = ChannelCellEdited(column, coreText(text), rowTexts(*tp), *tp, *shown);
    if (result.messageId) {
        prompts().tell(PromptOwner::ChannelPane, *result.messageId);
        return;
    }
    if (!result.record || *result.record == *tp)
        return;
    change(tps_.column(column).header, [this, &id, &result] {
        if (CComonOrbitune* edited = plan())
            if (SateChannel* stored = edited->findChannelById(id))
                *stored = *result.record;
    });
}

void CSateChannelList::copyRecords(const std::vector<Guid>& ids)
{
    if (const CComonOrbitune* shown = plan())
        row_clipboard::copyChannels(*shown, ids);
}

void CSateChannelList::paste()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        prompts().tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    const auto room =
        static_cast<std::size_t>(CComonOrbitune::kTpLimit - std::min(shown->channelCount, CComonOrbitune::kTpLimit));
    const PastedRows<SateChannel> pasted = row_clipboard::pastedChannels(room);
    if (pasted.failure) {
        row_clipboard::tellFailure(prompts(), PromptOwner::ChannelPane, *pasted.failure);
        return;
    }
    if (pasted.records.empty())
        return;
    const Admitted<SateChannel> copies = admitChannels(pasted.records, *shown);
    if (!admitted(copies.refusal, msg::kPasteRefused))
        return;
    change(msg::kLabelPaste, [&] {
        CComonOrbitune* adding = plan();
        for (const SateChannel& tp : copies.records) {
            ++adding->channelsAdded;
            adding->appendChannel(tp);
        }
    });
    showAddedRows();
    std::vector<Guid> added;
    for (const SateChannel& tp : copies.records)
        added.push_back(tp.id);
    list_.selectIds(added);
    for (const Notice& note : pasted.notes)
        prompts().tell(PromptOwner::ChannelPane, note.message, note.args);
}

void CSateChannelList::duplicateSelected()
{
    CComonOrbitune* shown = plan();
    const std::vector<Guid> ids = list_.chosenIds();
    if (shown == nullptr || ids.empty())
        return;
    std::vector<SateChannel> originals;
    for (const Guid& id : ids)
        if (const SateChannel* tp = shown->findChannelById(id))
            originals.push_back(*tp);
    const Admitted<SateChannel> copies = admitChannels(originals, *shown);
    if (!admitted(copies.refusal, msg::kDuplicateRefused))
        return;
    const int position = positionAfter(ids);
    change(msg::kLabelDuplicate, [&] {
        CComonOrbitune* adding = plan();
        for (std::size_t i = 0; i < copies.records.size(); ++i) {
            ++adding->channelsAdded;
            adding->insertChannel(position + static_cast<int>(i), copies.records[i]);
        }
    });
    std::vector<Guid> added;
    for (const SateChannel& tp : copies.records)
        added.push_back(tp.id);
    showCopies(ids, added);
}

void CSateChannelList::RemoveDuplicateChannels()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        prompts().tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    std::vector<Guid> later;
    const auto used = shown->usedChannels();
    for (const RepeatedTp& repeated : repeatedTps(*shown)) {
        const Guid& id = used[static_cast<std::size_t>(repeated.slot)].id;
        if (list_.rowOf(id) >= 0)
            later.push_back(id);
    }
    if (later.empty()) {
        prompts().tell(PromptOwner::ChannelPane, msg::kNoDuplicates);
        return;
    }
    if (prompts().ask(PromptOwner::ChannelPane, msg::kConfirmRemoveDuplicates, {std::to_string(later.size())}))
        removeRecords(msg::kLabelRemoveDuplicates, later);
}

void CSateChannelList::forgetRemovedPlan()
{
    if (tps_.plan() && plans_.findPlanById(*tps_.plan()) == nullptr)
        tps_.showPlan(std::nullopt);
}
