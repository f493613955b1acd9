#pragma once

#include "core/commands/prompts.h"
#include "core/model/guid.h"
#include "core/pointing/site.h"
#include "core/rules/plan_cell_rules.h"
#include "ui/lists/list_pane.h"
#include "ui/lists/plan_table_model.h"
#include "ui/lists/pointing_columns.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <chrono>
#include <optional>
#include <vector>

class PlanList;

// The plan pane: every plan of the plan list as a row of a six-column list,
// every cell but the first edited in place, followed by the pointing columns:
// where to point the dish at the plan's satellite from the site the sky view
// shows, read-only, each of which the user may hide. A row the user makes
// current, ticks or clicks asks for its plan's TPs to be shown
// (currentPlanChosen); rows name their plans by id.
class COrbituneList : public ListPane {
    Q_OBJECT
public:
    static constexpr int kMinColumnWidth = 50;

    COrbituneList(PlanList& plans, Prompts& prompts, QWidget* parent = nullptr);

    // Rows afresh from the plan list, every one unticked.
    void RefreshPlanList();
    // Shows no rows until the next refresh.
    void removeAllRows();
    void AddPlan();
    void DeletePlans();
    void SortPlansByColumn(int column);

    // The ids of the ticked rows' plans, in row order.
    std::vector<Guid> checkedPlanIds() const;

    int nextPlanNumber() const { return nextPlanNumber_; }
    void setNextPlanNumber(int number) { nextPlanNumber_ = number; }
    COrbituneSortComboListCtrl& listControl() { return list_; }
    PlanTableModel& planRecords() { return planRecords_; }

    // Paste adds the plans at the end, Duplicate puts the copies after the
    // last chosen plan, both through the record gate (admitPlans): fresh ids
    // and free names, numbered and limited as Add Plan's, every field within
    // its cell's rule.
    void paste() override;
    void duplicateSelected() override;

    // Shows the plans as `shown` saw them, without asking for any plan's TPs.
    void showView(const ListView& shown);

    // The site the pointing columns are worked out from (none leaves them
    // empty), and the day of the magnetic declination: the cells follow at
    // once.
    void setPointingSite(std::optional<Site> site);
    void setPointingDay(std::chrono::year_month_day day);
    // The column of the first pointing figure; the others follow it in the
    // order of kPointingFigures.
    static constexpr int kFirstPointingColumn = plan_column::kCount;
    // The pointing columns hidden, by their figures' places in
    // kPointingFigures.
    std::vector<int> hiddenPointingColumns() const;
    void setHiddenPointingColumns(const std::vector<int>& figures);

signals:
    // A row changed: the transponder pane shows its plan.
    void currentPlanChosen(const Guid& plan);
    // Delete Plan ran: the transponder pane has no plan, its rows as they are.
    void currentPlanCleared();
    // Plans were cut or deleted: the transponder pane may show one of them.
    void plansRemoved();
    // The user hid or showed a pointing column.
    void hiddenPointingColumnsChanged(const std::vector<int>& figures);

private:
    void OnPlanItemChanged(const Guid& plan);
    // After plans were added: the rows show again if they were removed.
    void showAddedRows();

    QStringList columnChoices(const Guid& id, int column) override;
    void cellEdited(const Guid& id, int column, const QString& text) override;
    void rowFocused(int row) override;
    void copyRecords(const std::vector<Guid>& ids) override;
    void recordsRemoved() override { emit plansRemoved(); }

    PlanList& plans_;
    PointingColumns pointing_;
    PlanTableModel planRecords_;
    COrbituneSortComboListCtrl list_;
    int nextPlanNumber_ = 0;
    // While a view is put back, no row asks for its plan.
    bool restoring_ = false;
};
