#include "ui/shell/orbitune_list.h"

#include "core/editing/record_gate.h"
#include "core/model/plan_list.h"
#include "core/model/records_by_id.h"
#include "core/res/string_ids.h"
#include "core/rules/free_names.h"
#include "core/rules/plan_cell_rules.h"
#include "core/rules/plan_cell_texts.h"
#include "ui/lists/row_clipboard.h"
#include "ui/text/qt_text.h"

#include <QResizeEvent>

#include <algorithm>
#include <span>

namespace {

const QString kNameChars = QStringLiteral("0123456789 -abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kDecimalChars = QStringLiteral("0123456789.");

QStringList headers()
{
    QStringList texts;
    for (const std::string_view header : plan_column::kHeaders)
        texts.append(QString::fromLatin1(header));
    return texts;
}

} // namespace

COrbituneList::COrbituneList(PlanList& plans, Prompts& prompts, QWidget* parent)
    : QWidget(parent), plans_(plans), prompts_(prompts),
      list_(
          *this, [this](std::span<const Guid> ids) { return recordsById(std::as_const(plans_), ids); }, this)
{
    OnInitialUpdate();
    // Any change of a row (focus, selection, check box, text) shows its plan.
    connect(&list_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row != previousRow)
            OnPlanItemChanged(row);
    });
    connect(&list_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnPlanItemChanged(item->row()); });
}

void COrbituneList::OnInitialUpdate()
{
    using namespace plan_column;
    list_.configure(
        {headers(),
         {kEastOrWest},
         {{kName, kNameChars}, {kLongitude, kDecimalChars}, {kLnbLow, kDecimalChars}, {kLnbHigh, kDecimalChars}}},
        rect());
    GlueControlToEdges(resizer_, this, COrbituneSortComboListCtrl::kControlId);
}

void COrbituneList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    list_.shareWidth(event->size().width(), kMinColumnWidth);
}

void COrbituneList::RefreshPlanList()
{
    list_.fillRows(plans_, PlanCellText);
}

void COrbituneList::showView(const ListView& shown)
{
    list_.showView(plans_, PlanCellText, shown);
}

void COrbituneList::change(MessageId name, const std::function<void()>& change)
{
    makeChange(changes_, qtText(prompts_.text(name)), change);
}

void COrbituneList::AddPlan()
{
    if (plans_.count() >= PlanList::kMaxPlans) {
        prompts_.tell(PromptOwner::PlanPane, msg::kMaxPlans);
        return;
    }
    change(msg::kLabelAddPlan, [this] {
        ++nextPlanNumber_;
        plans_.append(
            CComonOrbitune::withAddDefaults(static_cast<std::uint8_t>(nextPlanNumber_ & 0xFF), freePlanName(plans_)));
        RefreshPlanList();
    });
}

void COrbituneList::DeletePlans()
{
    if (list_.rowCount() == 0)
        return;
    const std::vector<Guid> ticked = checkedPlanIds();
    if (!ticked.empty() && !prompts_.ask(PromptOwner::PlanPane, msg::kConfirmDeletePlans))
        return;
    change(msg::kLabelDeletePlan, [&] {
        for (const Guid& id : ticked)
            plans_.removePlanById(id);
        list_.setFocus();
        RefreshPlanList();
        emit currentPlanCleared();
    });
}

void COrbituneList::ToggleSelectAll()
{
    list_.toggleAllChecks(checkAllFlag_);
}

void COrbituneList::SortPlansByColumn(int column)
{
    list_.sortByColumn(column);
}

void COrbituneList::OnPlanItemChanged(int row)
{
    if (row < 0)
        return;
    const Guid id = list_.rowId(row);
    if (id.isNull() || plans_.findPlanById(id) == nullptr)
        return;
    emit currentPlanChosen(id);
}

QStringList COrbituneList::columnChoices(int, int column)
{
    QStringList choices;
    if (list_.focusIsInside())
        for (const std::string& choice : PlanColumnChoices(column))
            choices.append(qtText(choice));
    return choices;
}

void COrbituneList::cellEdited(int, int row, int column, const QString& text)
{
    CComonOrbitune* plan = plans_.findPlanById(list_.rowId(row));
    if (plan == nullptr)
        return;
    const PlanCellResult result = PlanCellEdited(column, coreText(text), *plan, plans_);
    if (result.messageId)
        prompts_.tell(PromptOwner::PlanPane, *result.messageId);
    makeChange(changes_, list_.horizontalHeaderItem(column)->text(), [&] {
        if (result.record)
            *plan = *result.record;
        if (result.refreshList)
            RefreshPlanList();
    });
}

bool COrbituneList::admitted(const Admitted<CComonOrbitune>& admitted, MessageId what)
{
    if (!admitted.refusal)
        return true;
    const Notice notice = refusalNotice(*admitted.refusal, what, prompts_.language());
    prompts_.tell(PromptOwner::PlanPane, notice.message, notice.args);
    return false;
}

void COrbituneList::copySelected()
{
    const std::vector<Guid> ids = list_.chosenIds();
    if (!ids.empty())
        row_clipboard::copyPlans(plans_, ids);
}

void COrbituneList::cutSelected()
{
    const std::vector<Guid> ids = list_.chosenIds();
    if (ids.empty())
        return;
    row_clipboard::copyPlans(plans_, ids);
    removePlans(msg::kLabelCut, ids);
}

void COrbituneList::deleteSelected()
{
    const std::vector<Guid> ids = list_.chosenIds();
    if (!ids.empty() && prompts_.ask(PromptOwner::PlanPane, msg::kConfirmDeletePlans))
        removePlans(msg::kLabelDeletePlan, ids);
}

void COrbituneList::removePlans(MessageId name, const std::vector<Guid>& ids)
{
    change(name, [&] {
        for (const Guid& id : ids)
            plans_.removePlanById(id);
        list_.setFocus();
        RefreshPlanList();
        emit plansRemoved();
    });
}

void COrbituneList::paste()
{
    const auto room = static_cast<std::size_t>(PlanList::kMaxPlans - std::min(plans_.count(), PlanList::kMaxPlans));
    const PastedRows<CComonOrbitune> pasted = row_clipboard::pastedPlans(room);
    if (pasted.failure) {
        row_clipboard::tellFailure(prompts_, PromptOwner::PlanPane, *pasted.failure);
        return;
    }
    if (pasted.records.empty())
        return;
    const Admitted<CComonOrbitune> copies = admitPlans(pasted.records, plans_, nextPlanNumber_);
    if (!admitted(copies, msg::kPasteRefused))
        return;
    change(msg::kLabelPaste, [&] {
        std::vector<Guid> added;
        for (const CComonOrbitune& copy : copies.records) {
            plans_.append(copy);
            added.push_back(copy.id);
        }
        nextPlanNumber_ += static_cast<int>(copies.records.size());
        RefreshPlanList();
        list_.selectIds(added);
    });
    for (const Notice& note : pasted.notes)
        prompts_.tell(PromptOwner::PlanPane, note.message, note.args);
}

void COrbituneList::duplicateSelected()
{
    const std::vector<Guid> ids = list_.chosenIds();
    std::vector<CComonOrbitune> originals;
    for (const Guid& id : ids)
        if (const CComonOrbitune* plan = plans_.findPlanById(id))
            originals.push_back(*plan);
    if (originals.empty())
        return;
    const Admitted<CComonOrbitune> copies = admitPlans(originals, plans_, nextPlanNumber_);
    if (!admitted(copies, msg::kDuplicateRefused))
        return;
    change(msg::kLabelDuplicate, [&] {
        std::vector<Guid> added;
        for (std::size_t i = 0; i < originals.size(); ++i) {
            plans_.insert(plans_.indexOf(originals[i].id) + 1, copies.records[i]);
            added.push_back(copies.records[i].id);
        }
        nextPlanNumber_ += static_cast<int>(copies.records.size());
        RefreshPlanList();
        list_.selectIds(added);
    });
}

void COrbituneList::moveSelected(MoveStep step)
{
    moveChosen(step == MoveStep::Up ? msg::kLabelMoveUp : msg::kLabelMoveDown,
               [step](const std::vector<bool>& chosen) { return orderAfterStep(chosen, step); });
}

void COrbituneList::rowsDropped(const std::optional<Guid>& before)
{
    const int position = before ? plans_.indexOf(*before) : plans_.count();
    const std::vector<Guid> ids = list_.chosenIds();
    const int first = ids.empty() ? -1 : plans_.indexOf(ids.front());
    moveChosen(first >= 0 && position <= first ? msg::kLabelMoveUp : msg::kLabelMoveDown,
               [position](const std::vector<bool>& chosen) { return orderAfterDrop(chosen, position); });
}

void COrbituneList::moveChosen(MessageId name, const std::function<std::vector<int>(const std::vector<bool>&)>& reorder)
{
    const std::vector<Guid> ids = list_.chosenIds();
    if (ids.empty())
        return;
    change(name, [&] {
        std::vector<bool> chosen;
        for (const CComonOrbitune& plan : plans_)
            chosen.push_back(std::find(ids.begin(), ids.end(), plan.id) != ids.end());
        plans_.reorder(reorder(chosen));
        list_.clearSort();
        RefreshPlanList();
        list_.selectIds(ids);
    });
}

void COrbituneList::find()
{
    list_.showFilterBox(qtText(prompts_.text(msg::kFindPlaceholder)));
}
