#include "ui/shell/autosave.h"

#include "core/model/plan_list.h"
#include "ui/shell/plan_history.h"
#include "ui/shell/recovery_file.h"

#include <utility>

Autosave::Autosave(PlanHistory& history, const PlanList& plans, RecoveryFile& file, QObject* parent)
    : QObject(parent), history_(history), plans_(plans), file_(file)
{
    pause_.setSingleShot(true);
    setTimes(kInterval, kPause);
    connect(&pause_, &QTimer::timeout, this, &Autosave::writeNow);
    connect(&interval_, &QTimer::timeout, this, &Autosave::writeNow);
    connect(&history_.stack(), &QUndoStack::indexChanged, this, &Autosave::plansChanged);
    connect(&history_.stack(), &QUndoStack::cleanChanged, this, &Autosave::plansChanged);
}

void Autosave::setTimes(std::chrono::milliseconds interval, std::chrono::milliseconds pause)
{
    interval_.setInterval(interval);
    pause_.setInterval(pause);
}

void Autosave::plansChanged()
{
    if (!history_.isModified()) {
        waiting_ = false;
        pause_.stop();
        interval_.stop();
        file_.discard();
        return;
    }
    waiting_ = true;
    pause_.start();
    if (!interval_.isActive())
        interval_.start();
}

void Autosave::writeNow()
{
    if (!std::exchange(waiting_, false))
        return;
    if (plans_.empty()) {
        file_.discard();
        return;
    }
    const SaveResult result = file_.write(plans_);
    const bool first = !std::exchange(failing_, !result.ok());
    if (!result.ok())
        emit writeFailed(*result.error, first);
}

void Autosave::hold()
{
    waiting_ = false;
    pause_.stop();
    interval_.stop();
}

void Autosave::finish(bool keep)
{
    hold();
    if (keep && history_.isModified()) {
        waiting_ = true;
        writeNow();
    } else {
        file_.discard();
    }
}
