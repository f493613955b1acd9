#pragma once

#include "core/commands/prompts.h"
#include "core/editing/record_gate.h"
#include "core/model/guid.h"
#include "core/model/record_order.h"
#include "core/rules/channel_cell_rules.h"
#include "ui/layout/wnd_resizer.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/plan_changes.h"
#include "ui/lists/sort_combo_list_ctrls.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class PlanList;
class CComonOrbitune;

// The transponder pane: the TPs of the current plan as rows of a thirteen-
// column list, every cell but the first edited in place. The current plan is
// named by its id and looked up whenever it is needed, so a plan that moved or
// was removed is never touched through a stale reference.
class CSateChannelList : public QWidget, private ListOwner {
    Q_OBJECT
public:
    static constexpr int kMinColumnWidth = 30;

    CSateChannelList(PlanList& plans, Prompts& prompts, QWidget* parent = nullptr);

    // The plan whose TPs are shown; none at start. Setting it does not rebuild
    // the rows.
    std::optional<Guid> currentPlan() const { return currentPlan_; }
    void setCurrentPlan(std::optional<Guid> plan) { currentPlan_ = plan; }

    void RefreshChannelList();
    // Makes `plan` the current plan and rebuilds the rows.
    void showPlan(const Guid& plan);
    void AddChannel();
    void DeleteCheckedChannels();
    void ToggleSelectAll();
    void SortChannelsByColumn(int column);
    // Deletes every row, keeping the current plan.
    void removeAllRows();

    // The commands of the pane's keys and context menu. Each acts on the
    // chosen rows (the selected shown rows, or else the current one) and is
    // one step the user can undo. Paste adds the TPs at the end of the
    // current plan, Duplicate puts each copy after its original, both through
    // the record gate (admitChannels): fresh ids and free names, within the
    // 100 TPs of Add CH, every field within its cell's rule. Delete asks as
    // Delete CH does. Moving a sorted list shows the record order first.
    void copySelected();
    void cutSelected();
    void paste();
    void duplicateSelected();
    void deleteSelected();
    void moveSelected(MoveStep step);
    // Asks, then removes the TPs of shown rows that repeat an earlier TP of
    // the plan; they are marked in the list, with the TP they repeat.
    void RemoveDuplicateChannels();
    // Shows the find box over the list.
    void find();
    // The current plan was removed: the pane shows no plan.
    void forgetRemovedPlan();

    // Where the pane's changes go to become undoable steps; none at start.
    void setPlanChanges(PlanChanges* changes) { changes_ = changes; }
    // Makes `plan` the current plan and shows its TPs as `shown` saw them.
    void showView(std::optional<Guid> plan, const ListView& shown);

    CSateChannelSortComboListCtrl& listControl() { return list_; }
    int currentRow() const { return currentRow_; }
    int editColumn() const { return editColumn_; }
    bool checkAllFlag() const { return checkAllFlag_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitialUpdate();
    CComonOrbitune* plan();
    // The TPs of the current plan with those ids, or null where there is none.
    std::vector<const SateChannel*> channels(std::span<const Guid> ids) const;
    // The texts of the row's cells that the cell rules read.
    ChannelRowTexts rowTexts(int row) const;

    QStringList columnChoices(int row, int column) override;
    void cellEdited(int controlId, int row, int column, const QString& text) override;
    void headerClicked(int column) override { SortChannelsByColumn(column); }
    void rowFocused(int controlId, int row) override;
    void deleteRequested() override { deleteSelected(); }
    void rowsDropped(const std::optional<Guid>& before) override;

    // Per used slot of `plan`, what the mark of a TP that repeats an earlier
    // one says; empty for the others.
    std::vector<QString> repeatNotes(const CComonOrbitune& plan) const;
    // Whether the gate let the records in; tells why not, as `what` (a paste
    // or a duplicate), when it did not.
    bool admitted(const Admitted<SateChannel>& admitted, MessageId what);
    // Moves the chosen TPs to the order `reorder` gives the slots, as one step.
    void moveChosen(MessageId name, const std::function<std::vector<int>(const std::vector<bool>&)>& reorder);
    void removeChannels(MessageId name, const std::vector<Guid>& ids);

    void change(MessageId name, const std::function<void()>& change);

    PlanList& plans_;
    Prompts& prompts_;
    PlanChanges* changes_ = nullptr;
    CSateChannelSortComboListCtrl list_;
    CWndResizer resizer_;
    int currentRow_ = 0;
    int editColumn_ = 0;
    std::optional<Guid> currentPlan_;
    bool checkAllFlag_ = false;
};
