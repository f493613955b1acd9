#include "ui/shell/orbitune_list.h"

#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/plan_cell_rules.h"
#include "core/rules/plan_cell_texts.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/text/qt_text.h"

#include <QResizeEvent>

#include <algorithm>

namespace {

const QString kNameChars = QStringLiteral("0123456789 -abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kDecimalChars = QStringLiteral("0123456789.");

QStringList headers()
{
    return {QStringLiteral("Plan ID"),   QStringLiteral("Plan Name"),   QStringLiteral("EastOrWest"),
            QStringLiteral("Longitude"), QStringLiteral("LNB Low OSC"), QStringLiteral("LNB High OSC")};
}

// The first "Plan<n>" that no plan of the list is named, compared exactly.
std::string freePlanName(const PlanList& plans)
{
    std::string name;
    for (int n = 1; n <= PlanList::kMaxPlans; ++n) {
        name = "Plan" + std::to_string(n);
        if (std::none_of(plans.begin(), plans.end(), [&](const CComonOrbitune& p) { return p.nameText() == name; }))
            break;
    }
    return name;
}

} // namespace

COrbituneList::COrbituneList(PlanList& plans, Prompts& prompts, CSateChannelList& channels, QWidget* parent)
    : QWidget(parent), plans_(plans), prompts_(prompts), channels_(channels),
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
    list_.setGeometry(rect());
    list_.insertColumns(headers(), width());

    list_.SetReadOnlyColumn(kNumber);
    list_.SetComboColumn(kEastOrWest);
    list_.SetColumnValidChars(kName, kNameChars);
    list_.SetColumnValidChars(kLongitude, kDecimalChars);
    list_.SetColumnValidChars(kLnbLow, kDecimalChars);
    list_.SetColumnValidChars(kLnbHigh, kDecimalChars);
    GlueControlToEdges(resizer_, this, COrbituneSortComboListCtrl::kControlId);
}

void COrbituneList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    list_.setColumnWidths(std::max(event->size().width() / plan_column::kCount, kMinColumnWidth));
}

void COrbituneList::RefreshPlanList()
{
    list_.removeAllRows();
    int position = 0;
    for (const CComonOrbitune& plan : plans_) {
        QStringList texts{QString::number(++position)};
        for (int column = 1; column < plan_column::kCount; ++column)
            texts.append(qtText(PlanCellText(plan, column)));
        list_.appendRow(texts, plan.id);
    }
}

void COrbituneList::AddPlan()
{
    if (plans_.count() >= PlanList::kMaxPlans) {
        prompts_.tell(PromptOwner::PlanPane, msg::kMaxPlans);
        return;
    }
    ++nextPlanNumber_;
    plans_.append(
        CComonOrbitune::withAddDefaults(static_cast<std::uint8_t>(nextPlanNumber_ & 0xFF), freePlanName(plans_)));
    RefreshPlanList();
}

std::vector<Guid> COrbituneList::checkedPlanIds() const
{
    std::vector<Guid> ticked;
    for (int row = 0; row < list_.rowCount(); ++row)
        if (list_.isChecked(row))
            ticked.push_back(list_.rowId(row));
    return ticked;
}

void COrbituneList::DeletePlans()
{
    if (list_.rowCount() == 0)
        return;
    const std::vector<Guid> ticked = checkedPlanIds();
    if (!ticked.empty() && !prompts_.ask(PromptOwner::PlanPane, msg::kConfirmDeletePlans))
        return;
    for (const Guid& id : ticked)
        plans_.removePlanById(id);
    list_.setFocus();
    RefreshPlanList();
    channels_.setCurrentPlan(std::nullopt);
}

void COrbituneList::ToggleSelectAll()
{
    list_.toggleAllChecks(checkAllFlag_);
}

void COrbituneList::SortPlansByColumn(int column)
{
    if (column == plan_column::kNumber)
        return;
    list_.sortAscending = list_.sortColumn == column ? !list_.sortAscending : true;
    list_.sortColumn = column;
    list_.sortRows();
}

void COrbituneList::OnPlanItemChanged(int row)
{
    if (row < 0)
        return;
    const Guid id = list_.rowId(row);
    if (id.isNull() || plans_.findPlanById(id) == nullptr)
        return;
    channels_.setCurrentPlan(id);
    channels_.RefreshChannelList();
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
    if (result.record)
        *plan = *result.record;
    if (result.refreshList)
        RefreshPlanList();
}
