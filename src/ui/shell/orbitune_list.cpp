#include "ui/shell/orbitune_list.h"

#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/free_names.h"
#include "core/rules/plan_cell_rules.h"
#include "core/rules/plan_cell_texts.h"
#include "ui/text/qt_text.h"

#include <QResizeEvent>

namespace {

const QString kNameChars = QStringLiteral("0123456789 -abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kDecimalChars = QStringLiteral("0123456789.");

QStringList headers()
{
    return {QStringLiteral("Plan ID"),   QStringLiteral("Plan Name"),   QStringLiteral("EastOrWest"),
            QStringLiteral("Longitude"), QStringLiteral("LNB Low OSC"), QStringLiteral("LNB High OSC")};
}

} // namespace

COrbituneList::COrbituneList(PlanList& plans, Prompts& prompts, QWidget* parent)
    : QWidget(parent), plans_(plans), prompts_(prompts),
      list_(
          *this, [this](const Guid& id) { return std::as_const(plans_).findPlanById(id); }, this)
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
