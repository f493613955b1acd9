#pragma once

#include "core/commands/prompts.h"
#include "core/model/guid.h"
#include "core/rules/channel_cell_rules.h"
#include "ui/lists/channel_table_model.h"
#include "ui/lists/list_pane.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <optional>
#include <vector>

class PlanList;
class CComonOrbitune;

// The transponder pane: the TPs of the current plan as rows of a thirteen-
// column list, every cell but the first edited in place. The current plan is
// named by its id and looked up whenever it is needed, so a plan that moved or
// was removed is never touched through a stale reference.
class CSateChannelList : public ListPane {
    Q_OBJECT
public:
    static constexpr int kMinColumnWidth = 30;

    CSateChannelList(PlanList& plans, Prompts& prompts, QWidget* parent = nullptr);

    // The plan whose TPs are shown; none at start. Setting it does not touch
    // the rows.
    std::optional<Guid> currentPlan() const { return tps_.plan(); }
    void setCurrentPlan(std::optional<Guid> plan) { tps_.setPlan(plan); }

    // Rows afresh from the current plan's TPs, every one unticked.
    void RefreshChannelList();
    // Makes `plan` the current plan and shows its TPs; the rows of the plan
    // shown already stay as they are.
    void showPlan(const Guid& plan);
    void AddChannel();
    void DeleteCheckedChannels();
    void SortChannelsByColumn(int column);
    // Shows no rows, keeping the current plan, until the next refresh.
    void removeAllRows();

    // Paste adds the TPs at the end of the current plan, Duplicate puts the
    // copies after the last chosen TP, both through the record gate
    // (admitChannels): fresh ids and free names, within the 100 TPs of Add
    // CH, every field within its cell's rule.
    void paste() override;
    void duplicateSelected() override;
    // Asks, then removes the TPs of shown rows that repeat an earlier TP of
    // the plan; they are marked in the list, with the TP they repeat.
    void RemoveDuplicateChannels();
    // The current plan was removed: the pane shows no plan.
    void forgetRemovedPlan();

    // Makes `plan` the current plan and shows its TPs as `shown` saw them.
    void showView(std::optional<Guid> plan, const ListView& shown);

    CSateChannelSortComboListCtrl& listControl() { return list_; }
    ChannelTableModel& tps() { return tps_; }
    int currentRow() const { return currentRow_; }
    int editColumn() const { return editColumn_; }

private:
    CComonOrbitune* plan();
    // The texts of the TP's cells that the cell rules read.
    static ChannelRowTexts rowTexts(const SateChannel& tp);
    // After TPs were added: the rows show again if they were removed.
    void showAddedRows();

    QStringList columnChoices(const Guid& id, int column) override;
    void cellEdited(const Guid& id, int column, const QString& text) override;
    void rowFocused(int row) override { currentRow_ = row; }
    void copyRecords(const std::vector<Guid>& ids) override;
    // Every change of the pane is to the TPs of the current plan.
    std::optional<Guid> changedPlan() const override { return currentPlan(); }

    PlanList& plans_;
    ChannelTableModel tps_;
    CSateChannelSortComboListCtrl list_;
    int currentRow_ = 0;
    int editColumn_ = 0;
};
