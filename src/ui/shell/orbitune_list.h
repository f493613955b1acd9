#pragma once

#include "core/commands/prompts.h"
#include "core/model/guid.h"
#include "ui/layout/wnd_resizer.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/plan_changes.h"
#include "ui/lists/sort_combo_list_ctrls.h"

#include <QWidget>

#include <vector>

class PlanList;

// The plan pane: every plan of the plan list as a row of a six-column list,
// every cell but the first edited in place. Selecting a row asks for its
// plan's TPs to be shown (currentPlanChosen); rows name their plans by id.
class COrbituneList : public QWidget, private ListOwner {
    Q_OBJECT
public:
    static constexpr int kMinColumnWidth = 50;

    COrbituneList(PlanList& plans, Prompts& prompts, QWidget* parent = nullptr);

    void RefreshPlanList();
    void AddPlan();
    void DeletePlans();
    void ToggleSelectAll();
    void SortPlansByColumn(int column);

    // The ids of the ticked rows' plans, in row order.
    std::vector<Guid> checkedPlanIds() const { return list_.checkedIds(); }

    int nextPlanNumber() const { return nextPlanNumber_; }
    void setNextPlanNumber(int number) { nextPlanNumber_ = number; }
    bool checkAllFlag() const { return checkAllFlag_; }
    COrbituneSortComboListCtrl& listControl() { return list_; }

    // Where the pane's changes go to become undoable steps; none at start.
    void setPlanChanges(PlanChanges* changes) { changes_ = changes; }
    // Shows the plans as `shown` saw them, without reporting a change of row.
    void showView(const ListView& shown);

signals:
    // A row changed: the transponder pane shows its plan.
    void currentPlanChosen(const Guid& plan);
    // Delete Plan ran: the transponder pane has no plan, its rows as they are.
    void currentPlanCleared();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitialUpdate();
    void OnPlanItemChanged(int row);

    QStringList columnChoices(int row, int column) override;
    void cellEdited(int controlId, int row, int column, const QString& text) override;
    void headerClicked(int column) override { SortPlansByColumn(column); }

    void change(MessageId name, const std::function<void()>& change);

    PlanList& plans_;
    Prompts& prompts_;
    PlanChanges* changes_ = nullptr;
    COrbituneSortComboListCtrl list_;
    CWndResizer resizer_;
    int nextPlanNumber_ = 0;
    bool checkAllFlag_ = false;
};
