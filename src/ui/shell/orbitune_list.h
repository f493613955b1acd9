#pragma once

#include "core/commands/prompts.h"
#include "core/editing/record_gate.h"
#include "core/model/guid.h"
#include "core/model/record_order.h"
#include "ui/layout/wnd_resizer.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/plan_changes.h"
#include "ui/lists/sort_combo_list_ctrls.h"

#include <QWidget>

#include <functional>
#include <optional>
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

    // The commands of the pane's keys and context menu. Each acts on the
    // chosen rows (the selected shown rows, or else the current one) and is
    // one step the user can undo. Paste adds the plans at the end, Duplicate
    // puts each copy after its original, both through the record gate
    // (admitPlans): fresh ids and free names, numbered and limited as Add
    // Plan's, every field within its cell's rule. Delete asks as Delete Plan
    // does.
    // Moving a sorted list shows the record order first.
    void copySelected();
    void cutSelected();
    void paste();
    void duplicateSelected();
    void deleteSelected();
    void moveSelected(MoveStep step);
    // Shows the find box over the list.
    void find();

    // Where the pane's changes go to become undoable steps; none at start.
    void setPlanChanges(PlanChanges* changes) { changes_ = changes; }
    // Shows the plans as `shown` saw them, without reporting a change of row.
    void showView(const ListView& shown);

signals:
    // A row changed: the transponder pane shows its plan.
    void currentPlanChosen(const Guid& plan);
    // Delete Plan ran: the transponder pane has no plan, its rows as they are.
    void currentPlanCleared();
    // Plans were cut or deleted: the transponder pane may show one of them.
    void plansRemoved();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitialUpdate();
    void OnPlanItemChanged(int row);

    QStringList columnChoices(int row, int column) override;
    void cellEdited(int controlId, int row, int column, const QString& text) override;
    void headerClicked(int column) override { SortPlansByColumn(column); }
    void deleteRequested() override { deleteSelected(); }
    void rowsDropped(const std::optional<Guid>& before) override;

    // Whether the gate let the plans in; tells why not, as `what` (a paste or
    // a duplicate), when it did not.
    bool admitted(const Admitted<CComonOrbitune>& admitted, MessageId what);
    void removePlans(MessageId name, const std::vector<Guid>& ids);
    // Moves the chosen plans to the order `reorder` gives the list, as one step.
    void moveChosen(MessageId name, const std::function<std::vector<int>(const std::vector<bool>&)>& reorder);

    void change(MessageId name, const std::function<void()>& change);

    PlanList& plans_;
    Prompts& prompts_;
    PlanChanges* changes_ = nullptr;
    COrbituneSortComboListCtrl list_;
    CWndResizer resizer_;
    int nextPlanNumber_ = 0;
    bool checkAllFlag_ = false;
};
