#include "ui/shell/plan_history.h"

#include "core/model/plan_list.h"
#include "core/model/plan_list_diff.h"

#include <QUndoCommand>

#include <utility>

namespace {

// One change. What the panes showed after it is taken when the step is
// first undone, so that Redo brings back the panes exactly as the user left
// them, whatever the list controls did after the change itself.
class PlanStep : public QUndoCommand {
public:
    PlanStep(const QString& name, PlanList& plans, PlanListDiff diff, PanesView before,
             const PlanHistory::ViewHooks& hooks)
        : QUndoCommand(name), plans_(plans), diff_(std::move(diff)), before_(std::move(before)), hooks_(hooks)
    {
    }

    void undo() override
    {
        after_ = hooks_.capture();
        diff_.revert(plans_);
        hooks_.show(before_);
    }

    // The change itself made the step; only later redos apply it.
    void redo() override
    {
        if (std::exchange(made_, false))
            return;
        diff_.apply(plans_);
        hooks_.show(after_);
    }

private:
    PlanList& plans_;
    PlanListDiff diff_;
    PanesView before_;
    PanesView after_;
    const PlanHistory::ViewHooks& hooks_;
    bool made_ = true;
};

} // namespace

PlanHistory::PlanHistory(PlanList& plans, ViewHooks hooks) : plans_(plans), hooks_(std::move(hooks)) {}

PlanHistory::~PlanHistory() = default;

void PlanHistory::make(const QString& name, const std::function<void()>& change)
{
    record(name, change, std::nullopt);
}

void PlanHistory::makeInPlan(const QString& name, const Guid& plan, const std::function<void()>& change)
{
    record(name, change, plan);
}

void PlanHistory::record(const QString& name, const std::function<void()>& change, const std::optional<Guid>& plan)
{
    if (depth_ > 0) {
        change();
        return;
    }
    PanesView before = hooks_.capture();
    std::optional<PlanListDiff> diff = runChange(change, plan ? plans_.indexOf(*plan) : -1);
    hooks_.follow(diff ? plan : std::nullopt);
    if (!diff)
        restart(false);
    else if (!diff->empty())
        stack_.push(std::make_unique<PlanStep>(name, plans_, std::move(*diff), std::move(before), hooks_).release());
    if (std::exchange(savedWithinStep_, false))
        stack_.setClean();
}

std::optional<PlanListDiff> PlanHistory::runChange(const std::function<void()>& change, int position)
{
    const int count = plans_.count();
    if (position >= 0)
        planBefore_ = plans_.at(position);
    else
        before_ = plans_;
    {
        struct Depth {
            int& depth;
            explicit Depth(int& d) : depth(++d) {}
            ~Depth() { --depth; }
        } inside(depth_);
        change();
    }
    if (position < 0)
        return PlanListDiff::between(before_, plans_);
    if (plans_.count() != count || plans_.at(position).id != planBefore_.id)
        return std::nullopt;
    return PlanListDiff::withinPlan(planBefore_, plans_.at(position));
}

void PlanHistory::restart(bool saved)
{
    stack_.clear();
    if (!saved)
        stack_.resetClean();
}

void PlanHistory::markSaved()
{
    if (depth_ > 0)
        savedWithinStep_ = true;
    else
        stack_.setClean();
}
