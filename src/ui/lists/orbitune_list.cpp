#include "ui/lists/orbitune_list.h"

#include "core/editing/record_gate.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/free_names.h"
#include "core/rules/plan_cell_rules.h"
#include "ui/lists/row_clipboard.h"
#include "ui/text/qt_text.h"

#include <algorithm>

namespace {

std::vector<PlanTableModel::Column> planColumns(const PointingColumns& pointing)
{
    std::vector<PlanTableModel::Column> columns = PlanTableModel::standardColumns();
    for (PlanTableModel::Column& column : pointing.columns())
        columns.push_back(std::move(column));
    return columns;
}

} // namespace

COrbituneList::COrbituneList(PlanList& plans, Prompts& prompts, QWidget* parent)
    : ListPane(prompts, {PromptOwner::PlanPane, msg::kConfirmDeletePlans, msg::kLabelDeletePlan}, kMinColumnWidth,
               parent),
      plans_(plans), pointing_(prompts.language()), planRecords_(plans, *this, planColumns(pointing_)),
      list_(planRecords_, *this, this)
{
    attach(planRecords_, list_);
    connect(&list_, &CSortComboListCtrl::hiddenColumnsChanged, this,
            [this] { emit hiddenPointingColumnsChanged(hiddenPointingColumns()); });
    // A tick or a click on a row shows its plan too.
    connect(&planRecords_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& top, const QModelIndex& bottom, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole) && top.row() == bottom.row())
                    OnPlanItemChanged(planRecords_.idAt(top.row()));
            });
    connect(&list_, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { OnPlanItemChanged(list_.rowId(index.row())); });
}

void COrbituneList::RefreshPlanList()
{
    planRecords_.refresh();
}

void COrbituneList::removeAllRows()
{
    planRecords_.clear();
}

void COrbituneList::showAddedRows()
{
    if (!planRecords_.showsRecords())
        RefreshPlanList();
}

void COrbituneList::showView(const ListView& shown)
{
    restoring_ = true;
    list_.showView(shown);
    restoring_ = false;
}

void COrbituneList::setPointingSite(std::optional<Site> site)
{
    pointing_.setSite(site);
    followRecords();
}

void COrbituneList::setPointingDay(std::chrono::year_month_day day)
{
    pointing_.setDay(day);
    followRecords();
}

std::vector<int> COrbituneList::hiddenPointingColumns() const
{
    std::vector<int> figures;
    for (const int column : list_.hiddenColumns())
        figures.push_back(column - kFirstPointingColumn);
    return figures;
}

void COrbituneList::setHiddenPointingColumns(const std::vector<int>& figures)
{
    std::vector<int> columns;
    for (const int figure : figures)
        if (figure >= 0 && figure < static_cast<int>(kPointingFigures.size()))
            columns.push_back(kFirstPointingColumn + figure);
    list_.setHiddenColumns(columns);
}

void COrbituneList::AddPlan()
{
    if (plans_.count() >= PlanList::kMaxPlans) {
        prompts().tell(PromptOwner::PlanPane, msg::kMaxPlans);
        return;
    }
    change(msg::kLabelAddPlan, [this] {
        ++nextPlanNumber_;
        plans_.append(
            CComonOrbitune::withAddDefaults(static_cast<std::uint8_t>(nextPlanNumber_ & 0xFF), freePlanName(plans_)));
    });
    showAddedRows();
}

void COrbituneList::DeletePlans()
{
    if (planRecords_.rowCount() == 0)
        return;
    const std::vector<Guid> ticked = checkedPlanIds();
    if (!ticked.empty() && !prompts().ask(PromptOwner::PlanPane, msg::kConfirmDeletePlans))
        return;
    change(msg::kLabelDeletePlan, [&] { planRecords_.removeRecords(ticked); });
    list_.setFocus();
    emit currentPlanCleared();
}

void COrbituneList::SortPlansByColumn(int column)
{
    list_.sortByColumn(column);
}

std::vector<Guid> COrbituneList::checkedPlanIds() const
{
    return list_.checkedIds();
}

void COrbituneList::rowFocused(int row)
{
    OnPlanItemChanged(list_.rowId(row));
}

void COrbituneList::OnPlanItemChanged(const Guid& plan)
{
    if (restoring_ || plan.isNull() || plans_.findPlanById(plan) == nullptr)
        return;
    emit currentPlanChosen(plan);
}

QStringList COrbituneList::columnChoices(const Guid&, int column)
{
    QStringList choices;
    for (const std::string& choice : PlanColumnChoices(column))
        choices.append(qtText(choice));
    return choices;
}

void COrbituneList::cellEdited(const Guid& id, int column, const QString& text)
{
    const CComonOrbitune* plan = plans_.findPlanById(id);
    if (plan == nullptr)
        return;
    const PlanCellResult result = PlanCellEdited(column, coreText(text), *plan, plans_);
    if (result.messageId) {
        prompts().tell(PromptOwner::PlanPane, *result.messageId);
        return;
    }
    if (!result.record || *result.record == *plan)
        return;
    change(planRecords_.column(column).header, [this, &id, &result] {
        if (CComonOrbitune* stored = plans_.findPlanById(id))
            *stored = *result.record;
    });
}

void COrbituneList::copyRecords(const std::vector<Guid>& ids)
{
    row_clipboard::copyPlans(plans_, ids);
}

void COrbituneList::paste()
{
    const auto room = static_cast<std::size_t>(PlanList::kMaxPlans - std::min(plans_.count(), PlanList::kMaxPlans));
    const PastedRows<CComonOrbitune> pasted = row_clipboard::pastedPlans(room);
    if (pasted.failure) {
        row_clipboard::tellFailure(prompts(), PromptOwner::PlanPane, *pasted.failure);
        return;
    }
    if (pasted.records.empty())
        return;
    const Admitted<CComonOrbitune> copies = admitPlans(pasted.records, plans_, nextPlanNumber_);
    if (!admitted(copies.refusal, msg::kPasteRefused))
        return;
    change(msg::kLabelPaste, [&] {
        for (const CComonOrbitune& copy : copies.records)
            plans_.append(copy);
        nextPlanNumber_ += static_cast<int>(copies.records.size());
    });
    showAddedRows();
    std::vector<Guid> added;
    for (const CComonOrbitune& copy : copies.records)
        added.push_back(copy.id);
    list_.selectIds(added);
    for (const Notice& note : pasted.notes)
        prompts().tell(PromptOwner::PlanPane, note.message, note.args);
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
    if (!admitted(copies.refusal, msg::kDuplicateRefused))
        return;
    const int position = positionAfter(ids);
    change(msg::kLabelDuplicate, [&] {
        for (std::size_t i = 0; i < copies.records.size(); ++i)
            plans_.insert(position + static_cast<int>(i), copies.records[i]);
        nextPlanNumber_ += static_cast<int>(copies.records.size());
    });
    std::vector<Guid> added;
    for (const CComonOrbitune& copy : copies.records)
        added.push_back(copy.id);
    showCopies(ids, added);
}
