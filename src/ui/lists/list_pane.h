#pragma once

#include "core/commands/prompts.h"
#include "core/editing/record_gate.h"
#include "core/model/guid.h"
#include "core/model/record_order.h"
#include "ui/layout/wnd_resizer.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class ListFilterBox;
class PlanChanges;
class RecordTableModel;

// What the plan pane and the TP pane do alike. A pane shows one list of
// records glued to its edges, with the find box below the list while the box
// shows. It serves the list's Select All and header sorts and the commands of
// the keys and context menu that act on the chosen rows (the selected shown
// rows, or else the current one): Copy, Cut, Delete, Move Up, Move Down and
// drops of rows, each one step the user can undo. Moving a sorted list shows
// the record order first. Every change to the records goes through
// `change`, after which the list follows what changed.
class ListPane : public QWidget, protected ListOwner {
    Q_OBJECT
public:
    // The words of a pane's commands.
    struct Words {
        PromptOwner owner;
        MessageId deleteQuestion; // asked before the selected rows are deleted
        MessageId deleteLabel;    // the step of a delete
    };

    CSortComboListCtrl& listControl() { return *list_; }
    bool checkAllFlag() const { return checkAllFlag_; }
    // Flips the Select All toggle and ticks or unticks every shown row to
    // match; with no rows nothing changes, the flag included.
    void ToggleSelectAll();
    // Shows the find box below the list with the keyboard in it.
    void find();
    ListFilterBox* findBox() const { return findBox_; }

    void copySelected();
    void cutSelected();
    // Asks, then deletes the selected shown rows; nothing without a selection.
    void deleteSelected();
    void moveSelected(MoveStep step);
    virtual void paste() = 0;
    // The chosen records copied just after the last of them, in the order
    // shown.
    virtual void duplicateSelected() = 0;

    // Where the pane's changes go to become undoable steps; none at start.
    // Without any, the list follows each change itself.
    void setPlanChanges(PlanChanges* changes) { changes_ = changes; }
    // The list follows what changed in the records, or in the record of `id`
    // alone.
    void followRecords();
    void followRecord(const Guid& id);

protected:
    ListPane(Prompts& prompts, Words words, int minColumnWidth, QWidget* parent);
    // Sets the pane up around its list once the derived pane has made it.
    void attach(RecordTableModel& records, CSortComboListCtrl& list);

    Prompts& prompts() const { return prompts_; }
    RecordTableModel& records() const { return *records_; }

    void change(MessageId name, const std::function<void()>& change);
    void change(const QString& name, const std::function<void()>& change);
    // Whether the gate let the records in; tells why not, as `what` (a paste
    // or a duplicate), when it did not.
    bool admitted(const std::optional<RecordRefusal>& refusal, MessageId what);
    // Removes the records of `ids` as one step.
    void removeRecords(MessageId name, const std::vector<Guid>& ids);
    // The position in record order just after the last record of `ids`.
    int positionAfter(const std::vector<Guid>& ids) const;
    // Shows the copies just after the last of their originals when the list is
    // sorted (in record order they are there already) and selects them.
    void showCopies(const std::vector<Guid>& originals, const std::vector<Guid>& copies);

    // The one plan every change of the pane touches, when there is one.
    virtual std::optional<Guid> changedPlan() const { return std::nullopt; }
    virtual void copyRecords(const std::vector<Guid>& ids) = 0;
    // Records of the pane were cut or deleted.
    virtual void recordsRemoved() {}

    void headerClicked(int column) override;
    void deleteRequested() override { deleteSelected(); }
    void rowsDropped(const std::vector<Guid>& ids, const std::optional<Guid>& before) override;

    void resizeEvent(QResizeEvent* event) override;

private:
    // Moves the records of `ids` to the order `reorder` gives the records
    // (flagged chosen or not), as one step; they stay selected.
    void moveRecords(MessageId name, const std::vector<Guid>& ids,
                     const std::function<std::vector<int>(const std::vector<bool>&)>& reorder);
    // The list ends above the find box while the box shows.
    void layOutFindBox();

    Prompts& prompts_;
    Words words_;
    int minColumnWidth_;
    PlanChanges* changes_ = nullptr;
    RecordTableModel* records_ = nullptr;
    CSortComboListCtrl* list_ = nullptr;
    CWndResizer resizer_;
    ListFilterBox* findBox_ = nullptr;
    bool checkAllFlag_ = false;
};
