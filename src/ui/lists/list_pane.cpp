#include "ui/lists/list_pane.h"

#include "core/res/string_ids.h"
#include "ui/lists/list_filter_box.h"
#include "ui/lists/plan_changes.h"
#include "ui/lists/record_sort_filter_model.h"
#include "ui/lists/record_table_model.h"
#include "ui/text/qt_text.h"

#include <QResizeEvent>

#include <algorithm>

ListPane::ListPane(Prompts& prompts, Words words, int minColumnWidth, QWidget* parent)
    : QWidget(parent), prompts_(prompts), words_(words), minColumnWidth_(minColumnWidth)
{
}

void ListPane::attach(RecordTableModel& records, CSortComboListCtrl& list)
{
    records_ = &records;
    list_ = &list;
    list.configure(rect());
    GlueControlToEdges(resizer_, this, list.controlId());
}

void ListPane::followRecords()
{
    records_->follow();
}

void ListPane::followRecord(const Guid& id)
{
    records_->followRecord(id);
}

void ListPane::change(MessageId name, const std::function<void()>& change)
{
    this->change(qtText(prompts_.text(name)), change);
}

void ListPane::change(const QString& name, const std::function<void()>& change)
{
    if (changes_ != nullptr) {
        if (const std::optional<Guid> plan = changedPlan())
            changes_->makeInPlan(name, *plan, change);
        else
            changes_->make(name, change);
        return;
    }
    change();
    followRecords();
}

bool ListPane::admitted(const std::optional<RecordRefusal>& refusal, MessageId what)
{
    if (!refusal)
        return true;
    const Notice notice = refusalNotice(*refusal, what, prompts_.language());
    prompts_.tell(words_.owner, notice.message, notice.args);
    return false;
}

void ListPane::ToggleSelectAll()
{
    list_->toggleAllChecks(checkAllFlag_);
}

void ListPane::headerClicked(int column)
{
    list_->sortByColumn(column);
}

void ListPane::copySelected()
{
    const std::vector<Guid> ids = list_->chosenIds();
    if (!ids.empty())
        copyRecords(ids);
}

void ListPane::cutSelected()
{
    const std::vector<Guid> ids = list_->chosenIds();
    if (ids.empty())
        return;
    copyRecords(ids);
    removeRecords(msg::kLabelCut, ids);
}

// Only what the user selected is deleted: the current row alone is no
// selection.
void ListPane::deleteSelected()
{
    const std::vector<Guid> ids = list_->selectedIds();
    if (!ids.empty() && prompts_.ask(words_.owner, words_.deleteQuestion))
        removeRecords(words_.deleteLabel, ids);
}

void ListPane::removeRecords(MessageId name, const std::vector<Guid>& ids)
{
    change(name, [&] { records_->removeRecords(ids); });
    list_->setFocus();
    recordsRemoved();
}

int ListPane::positionAfter(const std::vector<Guid>& ids) const
{
    const std::vector<Guid> order = records_->recordIds();
    int after = 0;
    for (std::size_t position = 0; position < order.size(); ++position)
        if (std::find(ids.begin(), ids.end(), order[position]) != ids.end())
            after = static_cast<int>(position) + 1;
    return after;
}

void ListPane::showCopies(const std::vector<Guid>& originals, const std::vector<Guid>& copies)
{
    if (list_->isSorted()) {
        std::vector<Guid> order = list_->rowOrder().order();
        std::erase_if(order,
                      [&](const Guid& id) { return std::find(copies.begin(), copies.end(), id) != copies.end(); });
        auto last = order.end();
        for (auto at = order.begin(); at != order.end(); ++at)
            if (std::find(originals.begin(), originals.end(), *at) != originals.end())
                last = at + 1;
        order.insert(last, copies.begin(), copies.end());
        list_->rowOrder().showOrder(order);
    }
    list_->selectIds(copies);
}

void ListPane::moveSelected(MoveStep step)
{
    moveRecords(step == MoveStep::Up ? msg::kLabelMoveUp : msg::kLabelMoveDown, list_->chosenIds(),
                [step](const std::vector<bool>& chosen) { return orderAfterStep(chosen, step); });
}

void ListPane::rowsDropped(const std::vector<Guid>& ids, const std::optional<Guid>& before)
{
    if (ids.empty())
        return;
    const std::vector<Guid> order = records_->recordIds();
    const auto positionOf = [&order](const Guid& id) {
        return static_cast<int>(std::find(order.begin(), order.end(), id) - order.begin());
    };
    const int position = before ? positionOf(*before) : static_cast<int>(order.size());
    moveRecords(position <= positionOf(ids.front()) ? msg::kLabelMoveUp : msg::kLabelMoveDown, ids,
                [position](const std::vector<bool>& chosen) { return orderAfterDrop(chosen, position); });
}

void ListPane::moveRecords(MessageId name, const std::vector<Guid>& ids,
                           const std::function<std::vector<int>(const std::vector<bool>&)>& reorder)
{
    if (ids.empty())
        return;
    change(name, [&] {
        list_->clearSort();
        // The rows are selected again by id after the move; kept selected
        // through it, each of their cells would be carried across one by one.
        list_->selectionModel()->clearSelection();
        const std::vector<Guid> order = records_->recordIds();
        std::vector<bool> chosen(order.size(), false);
        for (std::size_t position = 0; position < order.size(); ++position)
            chosen[position] = std::find(ids.begin(), ids.end(), order[position]) != ids.end();
        records_->reorderRecords(reorder(chosen));
    });
    list_->selectIds(ids);
}

void ListPane::find()
{
    if (findBox_ == nullptr) {
        findBox_ = new ListFilterBox(this, list_);
        connect(findBox_, &QLineEdit::textChanged, list_, &CSortComboListCtrl::setFilterText);
        connect(findBox_, &ListFilterBox::dismissed, this, &ListPane::layOutFindBox);
    }
    list_->endOpenEdit();
    findBox_->setPlaceholderText(qtText(prompts_.text(msg::kFindPlaceholder)));
    findBox_->show();
    layOutFindBox();
    findBox_->selectAll();
    findBox_->setFocus(Qt::ShortcutFocusReason);
}

void ListPane::layOutFindBox()
{
    const bool shown = findBox_ != nullptr && !findBox_->isHidden();
    const int height = shown ? findBox_->sizeHint().height() : 0;
    if (shown)
        findBox_->setGeometry(0, this->height() - height, std::min(ListFilterBox::kWidth, width()), height);
    if (CWndResizer::CUIPanel* panel = resizer_.GetUIPanel(list_->controlId()); panel != nullptr) {
        panel->bottomOffset = height;
        resizer_.LayoutPanels();
    }
    if (list_->currentIndex().isValid())
        list_->scrollTo(list_->currentIndex());
}

void ListPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    list_->shareWidth(event->size().width(), minColumnWidth_);
    if (findBox_ != nullptr && !findBox_->isHidden())
        findBox_->setGeometry(0, height() - findBox_->height(), std::min(ListFilterBox::kWidth, width()),
                              findBox_->height());
}
