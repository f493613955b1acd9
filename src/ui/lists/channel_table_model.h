#pragma once

#include "core/commands/prompts.h"
#include "core/model/comon_orbitune.h"
#include "ui/lists/record_table_model.h"

#include <optional>
#include <span>
#include <vector>

class PlanList;

// The TPs of the current plan as rows of the thirteen columns of the TP list.
// The plan is named by its id and looked up whenever it is read, so that a
// plan that moved or was removed is never read through a stale reference. A
// TP that repeats an earlier TP of the plan is marked, its note naming that
// TP.
class ChannelTableModel : public RecordTableModel {
    Q_OBJECT
public:
    ChannelTableModel(PlanList& plans, Prompts& prompts, ListOwner& owner, QObject* parent = nullptr);

    // The columns of the TP list.
    static std::vector<ListColumn> columns();

    // The plan whose TPs the rows are; none at first.
    std::optional<Guid> plan() const { return plan_; }
    // The rows become those of `plan` (none: no rows), afresh.
    void showPlan(std::optional<Guid> plan);
    // Takes `plan` as the current plan without touching the rows.
    void setPlan(std::optional<Guid> plan) { plan_ = plan; }
    // The current plan's record; null without one, or when it is gone.
    CComonOrbitune* planRecord();
    const CComonOrbitune* planRecord() const;

    void reorderRecords(std::span<const int> order) override;
    void removeRecords(const std::vector<Guid>& ids) override;

protected:
    int recordCount() const override;
    Guid recordId(int record) const override;
    QString recordText(int record, int column) const override;
    int compareRecords(int a, int b, int column) const override;
    std::vector<QString> recordNotes() const override;

private:
    std::span<const SateChannel> tps() const;

    PlanList& plans_;
    Prompts& prompts_;
    std::optional<Guid> plan_;
    // Where the plan was last found in the list.
    mutable int planAt_ = 0;
};
