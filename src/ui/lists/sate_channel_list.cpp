#include "ui/lists/sate_channel_list.h"

#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/free_names.h"
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
    return {QStringLiteral("TP NO"),       QStringLiteral("TP Name"),      QStringLiteral("Enable"),
            QStringLiteral("Signal Type"), QStringLiteral("Freq(MHz)"),    QStringLiteral("BW(MHz)"),
            QStringLiteral("SR(MS/s)"),    QStringLiteral("Code Rate"),    QStringLiteral("Modulation"),
            QStringLiteral("Roll off"),    QStringLiteral("Polarization"), QStringLiteral("LNB_LO"),
            QStringLiteral("Pilots")};
}

} // namespace

CSateChannelList::CSateChannelList(PlanList& plans, Prompts& prompts, QWidget* parent)
    : QWidget(parent), plans_(plans), prompts_(prompts),
      list_(
          *this, [this](const Guid& id) { return channel(id); }, this)
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

const SateChannel* CSateChannelList::channel(const Guid& id) const
{
    const CComonOrbitune* shown = currentPlan_ ? plans_.findPlanById(*currentPlan_) : nullptr;
    return shown != nullptr ? shown->findChannelById(id) : nullptr;
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
    list_.fillRows(shown->usedChannels(), ChannelCellText);
}

void CSateChannelList::showView(std::optional<Guid> plan, const ListView& shown)
{
    setCurrentPlan(plan);
    if (const CComonOrbitune* found = this->plan())
        list_.showView(found->usedChannels(), ChannelCellText, shown);
    else
        list_.showView(std::span<const SateChannel>(), ChannelCellText, shown);
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
    if (shown->channelCount >= kMaxChannels) {
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
