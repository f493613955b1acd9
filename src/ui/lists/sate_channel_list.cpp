#include "ui/lists/sate_channel_list.h"

#include "core/editing/record_gate.h"
#include "core/editing/repeated_tps.h"
#include "core/model/plan_list.h"
#include "core/model/records_by_id.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/free_names.h"
#include "ui/lists/row_clipboard.h"
#include "ui/text/qt_text.h"

#include <QHeaderView>
#include <QResizeEvent>

#include <algorithm>
#include <span>
#include <vector>

namespace {

const QString kNameChars = QStringLiteral("0123456789 -abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kDecimalChars = QStringLiteral("0123456789.");
const QString kSymbolRateChars = QStringLiteral("0123456789.-");

QStringList headers()
{
    QStringList texts;
    for (const std::string_view header : channel_column::kHeaders)
        texts.append(QString::fromLatin1(header));
    return texts;
}

} // namespace

CSateChannelList::CSateChannelList(PlanList& plans, Prompts& prompts, QWidget* parent)
    : QWidget(parent), plans_(plans), prompts_(prompts),
      list_(
          *this, [this](std::span<const Guid> ids) { return channels(ids); }, this)
{
    OnInitialUpdate();
}

void CSateChannelList::OnInitialUpdate()
{
    using namespace channel_column;
    list_.configure({headers(),
                     {kEnable, kSignalType, kCodeRate, kModulation, kRollOff, kPolarization, kLnbLo, kPilots},
                     {{kName, kNameChars},
                      {kFrequency, kDecimalChars},
                      {kBandwidth, kDecimalChars},
                      {kSymbolRate, kSymbolRateChars}}},
                    rect());
    GlueControlToEdges(resizer_, this, CSateChannelSortComboListCtrl::kControlId);
}

void CSateChannelList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    list_.shareWidth(event->size().width(), kMinColumnWidth);
}

CComonOrbitune* CSateChannelList::plan()
{
    if (!currentPlan_)
        return nullptr;
    CComonOrbitune* found = plans_.findPlanById(*currentPlan_);
    if (found == nullptr)
        currentPlan_.reset();
    return found;
}

std::vector<const SateChannel*> CSateChannelList::channels(std::span<const Guid> ids) const
{
    const CComonOrbitune* shown = currentPlan_ ? plans_.findPlanById(*currentPlan_) : nullptr;
    if (shown == nullptr)
        return std::vector<const SateChannel*>(ids.size(), nullptr);
    return recordsById(shown->usedChannels(), ids);
}

void CSateChannelList::removeAllRows()
{
    list_.removeAllRows();
}

void CSateChannelList::RefreshChannelList()
{
    const CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        list_.removeAllRows();
        return;
    }
    const std::vector<QString> notes = repeatNotes(*shown);
    list_.fillRows(shown->usedChannels(), ChannelCellText, [&notes](std::size_t slot) { return notes[slot]; });
}

void CSateChannelList::showView(std::optional<Guid> plan, const ListView& shown)
{
    setCurrentPlan(plan);
    if (const CComonOrbitune* found = this->plan()) {
        const std::vector<QString> notes = repeatNotes(*found);
        list_.showView(found->usedChannels(), ChannelCellText, shown,
                       [&notes](std::size_t slot) { return notes[slot]; });
    } else {
        list_.showView(std::span<const SateChannel>(), ChannelCellText, shown);
    }
}

void CSateChannelList::change(MessageId name, const std::function<void()>& change)
{
    makeChange(changes_, qtText(prompts_.text(name)), change);
}

void CSateChannelList::showPlan(const Guid& plan)
{
    setCurrentPlan(plan);
    RefreshChannelList();
}

void CSateChannelList::AddChannel()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        prompts_.tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    if (shown->channelCount >= CComonOrbitune::kTpLimit) {
        prompts_.tell(PromptOwner::ChannelPane, msg::kMaxTps);
        return;
    }
    change(msg::kLabelAddCh, [this, shown] {
        ++shown->channelsAdded;
        const auto number = static_cast<std::uint8_t>((shown->channelCount & 0xFF) + 1);
        shown->appendChannel(SateChannel::withAddDefaults(number, freeChannelName(*shown)));
        RefreshChannelList();
    });
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
    if (!prompts_.ask(PromptOwner::ChannelPane, msg::kConfirmDeleteTps))
        return;
    change(msg::kLabelDeleteCh, [&] {
        for (const Guid& id : ticked)
            shown->removeChannelById(id);
        list_.setFocus();
        RefreshChannelList();
    });
}

void CSateChannelList::ToggleSelectAll()
{
    list_.toggleAllChecks(checkAllFlag_);
}

void CSateChannelList::SortChannelsByColumn(int column)
{
    list_.sortByColumn(column);
}

// The choices follow the row whose cell opens the drop-down. The row last
// reported as focused may no longer be that row: a sort moves the rows under
// the focus without a report.
QStringList CSateChannelList::columnChoices(int row, int column)
{
    currentRow_ = row;
    if (!list_.focusIsInside())
        return {};
    QStringList choices;
    for (const std::string& choice : ChannelColumnChoices(column, rowTexts(row)))
        choices.append(qtText(choice));
    return choices;
}

ChannelRowTexts CSateChannelList::rowTexts(int row) const
{
    using namespace channel_column;
    return {coreText(list_.cellText(row, kSignalType)), coreText(list_.cellText(row, kModulation)),
            coreText(list_.cellText(row, kRollOff))};
}

void CSateChannelList::rowFocused(int, int row)
{
    currentRow_ = row;
}

void CSateChannelList::cellEdited(int, int row, int column, const QString& text)
{
    currentRow_ = row;
    editColumn_ = column;
    CComonOrbitune* shown = plan();
    SateChannel* tp = shown != nullptr ? shown->findChannelById(list_.rowId(row)) : nullptr;
    if (tp == nullptr)
        return;
    const ChannelCellResult result = ChannelCellEdited(column, coreText(text), rowTexts(row), *tp, *shown);
    if (result.messageId)
        prompts_.tell(PromptOwner::ChannelPane, *result.messageId);
    makeChange(changes_, list_.horizontalHeaderItem(column)->text(), [&] {
        if (result.record)
            *tp = *result.record;
        for (const CellText& cell : result.cells)
            list_.setCellText(row, cell.column, qtText(cell.text));
        if (result.refreshList)
            RefreshChannelList();
    });
}

std::vector<QString> CSateChannelList::repeatNotes(const CComonOrbitune& plan) const
{
    const auto used = plan.usedChannels();
    std::vector<QString> notes(used.size());
    for (const RepeatedTp& repeated : repeatedTps(plan)) {
        const SateChannel& earlier = used[static_cast<std::size_t>(repeated.repeats)];
        notes[static_cast<std::size_t>(repeated.slot)] =
            qtText(prompts_.text(msg::kRepeatsTp, {std::to_string(repeated.repeats + 1), earlier.nameText()}));
    }
    return notes;
}

bool CSateChannelList::admitted(const Admitted<SateChannel>& admitted, MessageId what)
{
    if (!admitted.refusal)
        return true;
    const Notice notice = refusalNotice(*admitted.refusal, what, prompts_.language());
    prompts_.tell(PromptOwner::ChannelPane, notice.message, notice.args);
    return false;
}

void CSateChannelList::copySelected()
{
    const CComonOrbitune* shown = plan();
    const std::vector<Guid> ids = list_.chosenIds();
    if (shown != nullptr && !ids.empty())
        row_clipboard::copyChannels(*shown, ids);
}

void CSateChannelList::cutSelected()
{
    const std::vector<Guid> ids = list_.chosenIds();
    if (plan() == nullptr || ids.empty())
        return;
    copySelected();
    removeChannels(msg::kLabelCut, ids);
}

void CSateChannelList::deleteSelected()
{
    const std::vector<Guid> ids = list_.chosenIds();
    if (plan() == nullptr || ids.empty())
        return;
    if (prompts_.ask(PromptOwner::ChannelPane, msg::kConfirmDeleteTps))
        removeChannels(msg::kLabelDeleteCh, ids);
}

void CSateChannelList::removeChannels(MessageId name, const std::vector<Guid>& ids)
{
    CComonOrbitune* shown = plan();
    change(name, [&] {
        for (const Guid& id : ids)
            shown->removeChannelById(id);
        list_.setFocus();
        RefreshChannelList();
    });
}

void CSateChannelList::paste()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        prompts_.tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    const auto room =
        static_cast<std::size_t>(CComonOrbitune::kTpLimit - std::min(shown->channelCount, CComonOrbitune::kTpLimit));
    const PastedRows<SateChannel> pasted = row_clipboard::pastedChannels(room);
    if (pasted.failure) {
        row_clipboard::tellFailure(prompts_, PromptOwner::ChannelPane, *pasted.failure);
        return;
    }
    if (pasted.records.empty())
        return;
    const Admitted<SateChannel> copies = admitChannels(pasted.records, *shown);
    if (!admitted(copies, msg::kPasteRefused))
        return;
    change(msg::kLabelPaste, [&] {
        std::vector<Guid> added;
        for (const SateChannel& tp : copies.records) {
            ++shown->channelsAdded;
            shown->appendChannel(tp);
            added.push_back(tp.id);
        }
        RefreshChannelList();
        list_.selectIds(added);
    });
    for (const Notice& note : pasted.notes)
        prompts_.tell(PromptOwner::ChannelPane, note.message, note.args);
}

void CSateChannelList::duplicateSelected()
{
    CComonOrbitune* shown = plan();
    const std::vector<Guid> ids = list_.chosenIds();
    if (shown == nullptr || ids.empty())
        return;
    std::vector<SateChannel> originals;
    for (const SateChannel* tp : channels(ids))
        if (tp != nullptr)
            originals.push_back(*tp);
    const Admitted<SateChannel> copies = admitChannels(originals, *shown);
    if (!admitted(copies, msg::kDuplicateRefused))
        return;
    change(msg::kLabelDuplicate, [&] {
        std::vector<Guid> added;
        for (std::size_t i = 0; i < originals.size(); ++i) {
            const auto used = shown->usedChannels();
            const auto original =
                std::find_if(used.begin(), used.end(), [&](const SateChannel& tp) { return tp.id == originals[i].id; });
            ++shown->channelsAdded;
            shown->insertChannel(static_cast<int>(original - used.begin()) + 1, copies.records[i]);
            added.push_back(copies.records[i].id);
        }
        RefreshChannelList();
        list_.selectIds(added);
    });
}

void CSateChannelList::moveSelected(MoveStep step)
{
    moveChosen(step == MoveStep::Up ? msg::kLabelMoveUp : msg::kLabelMoveDown,
               [step](const std::vector<bool>& chosen) { return orderAfterStep(chosen, step); });
}

void CSateChannelList::rowsDropped(const std::optional<Guid>& before)
{
    const CComonOrbitune* shown = plan();
    const std::vector<Guid> ids = list_.chosenIds();
    if (shown == nullptr || ids.empty())
        return;
    const auto used = shown->usedChannels();
    const auto slotOf = [&used](const std::optional<Guid>& id) {
        return static_cast<int>(
            std::find_if(used.begin(), used.end(), [&](const SateChannel& tp) { return id && tp.id == *id; }) -
            used.begin());
    };
    const int position = slotOf(before);
    moveChosen(position <= slotOf(ids.front()) ? msg::kLabelMoveUp : msg::kLabelMoveDown,
               [position](const std::vector<bool>& chosen) { return orderAfterDrop(chosen, position); });
}

void CSateChannelList::moveChosen(MessageId name,
                                  const std::function<std::vector<int>(const std::vector<bool>&)>& reorder)
{
    CComonOrbitune* shown = plan();
    const std::vector<Guid> ids = list_.chosenIds();
    if (shown == nullptr || ids.empty())
        return;
    change(name, [&] {
        const auto used = shown->usedChannels();
        std::vector<bool> chosen(used.size(), false);
        for (std::size_t slot = 0; slot < used.size(); ++slot)
            chosen[slot] = std::find(ids.begin(), ids.end(), used[slot].id) != ids.end();
        shown->reorderChannels(reorder(chosen));
        list_.clearSort();
        RefreshChannelList();
        list_.selectIds(ids);
    });
}

void CSateChannelList::RemoveDuplicateChannels()
{
    CComonOrbitune* shown = plan();
    if (shown == nullptr) {
        prompts_.tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    std::vector<Guid> later;
    const auto used = shown->usedChannels();
    for (const RepeatedTp& repeated : repeatedTps(*shown)) {
        const Guid& id = used[static_cast<std::size_t>(repeated.slot)].id;
        if (list_.isShown(list_.rowOf(id)))
            later.push_back(id);
    }
    if (later.empty()) {
        prompts_.tell(PromptOwner::ChannelPane, msg::kNoDuplicates);
        return;
    }
    if (prompts_.ask(PromptOwner::ChannelPane, msg::kConfirmRemoveDuplicates, {std::to_string(later.size())}))
        removeChannels(msg::kLabelRemoveDuplicates, later);
}

void CSateChannelList::find()
{
    list_.showFilterBox(qtText(prompts_.text(msg::kFindPlaceholder)));
}

void CSateChannelList::forgetRemovedPlan()
{
    if (currentPlan_ && plans_.findPlanById(*currentPlan_) == nullptr) {
        currentPlan_.reset();
        list_.removeAllRows();
    }
}
