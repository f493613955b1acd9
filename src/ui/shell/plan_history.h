#pragma once

#include "core/model/plan_list.h"
#include "core/model/plan_list_diff.h"
#include "ui/lists/plan_changes.h"
#include "ui/shell/panes_view.h"

#include <QUndoStack>

#include <functional>
#include <optional>

// The steps the user can undo and redo, from the last time the plans were
// replaced as a whole (opened, uploaded, restored). Each step keeps what its
// change did to the plans and what the panes showed before and after it, so
// undoing or redoing a step puts both the plans and the panes back exactly.
// The stack's clean state is the last save: the plans are modified away from
// it.
class PlanHistory : public PlanChanges {
public:
    struct ViewHooks {
        // What the panes show now.
        std::function<PanesView()> capture;
        // The panes follow the plans as they are now and show them as the
        // view says (after an undo or a redo).
        std::function<void(const PanesView&)> show;
        // The panes follow the plans as they are now (after a change); with a
        // plan, the change touched that plan alone.
        std::function<void(const std::optional<Guid>&)> follow;
    };

    PlanHistory(PlanList& plans, ViewHooks hooks);
    ~PlanHistory() override;
    PlanHistory(const PlanHistory&) = delete;
    PlanHistory& operator=(const PlanHistory&) = delete;

    // Changes made while another one runs belong to the outer step.
    void make(const QString& name, const std::function<void()>& change) override;
    // A change that breaks its promise (the plan moved or went, or plans were
    // added) cannot be undone exactly: the steps before it are dropped and the
    // plans count as modified.
    void makeInPlan(const QString& name, const Guid& plan, const std::function<void()>& change) override;

    // The plans were replaced as a whole: no earlier step can be undone. They
    // count as saved when a file holds them (opened), or with `saved` false
    // (restored from a recovery copy, uploaded from the meter) as modified
    // until the next save.
    void restart(bool saved);
    // The plans as they are now were saved to a file. Within a step, they are
    // those after the step.
    void markSaved();
    bool isModified() const { return !stack_.isClean(); }

    QUndoStack& stack() { return stack_; }

private:
    // Runs `change` as one step; with `plan`, only that plan may change.
    void record(const QString& name, const std::function<void()>& change, const std::optional<Guid>& plan);
    // What `change` did, `position` being the place of the one plan it may
    // change, or -1 for the whole list.
    std::optional<PlanListDiff> runChange(const std::function<void()>& change, int position);

    PlanList& plans_;
    // The records as they were before the step being made. Kept between steps
    // so that each step copies into memory it already has.
    PlanList before_;
    CComonOrbitune planBefore_;
    ViewHooks hooks_;
    QUndoStack stack_;
    int depth_ = 0;
    bool savedWithinStep_ = false;
};
