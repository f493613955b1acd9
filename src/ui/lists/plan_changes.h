#pragma once

#include "core/model/guid.h"

#include <QString>

#include <functional>

// Where the panes make their changes to the plans, so that each change becomes
// one step the user can undo and redo.
class PlanChanges {
public:
    virtual ~PlanChanges() = default;

    // Runs `change`; what it changes in the plans becomes one step called
    // `name`, and every list follows it. A change that changes nothing leaves
    // no step.
    virtual void make(const QString& name, const std::function<void()>& change) = 0;
    // The same for a change that touches the plan `plan` alone: its fields and
    // TPs change, but no plan is added, removed or moved. Only that plan is
    // compared and kept for the step, however long the list.
    virtual void makeInPlan(const QString& name, const Guid& plan, const std::function<void()>& change) = 0;
};
