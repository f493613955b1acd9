#pragma once

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
};
