#include "ui/lists/sort_combo_list_ctrl.h"

#include "ui/lists/cell_edit_delegate.h"
#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/record_sort_filter_model.h"
#include "ui/lists/record_table_model.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <utility>

CSortComboListCtrl::CSortComboListCtrl(int controlId, RecordTableModel& records, ListOwner& owner, QWidget* parent)
    : QTableView(parent), controlId_(controlId), records_(records), owner_(owner),
      rowOrder_(new RecordSortFilterModel(records, this)), delegate_(new CellEditDelegate(*this))
{
    setProperty("controlId", controlId);
    setModel(rowOrder_);
    setItemDelegate(delegate_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setShowGrid(true);
    setWordWrap(false);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    // The header's own minimum follows the widest glyph of the font, which a
    // Chinese font makes wider than the panes let their columns shrink to.
    horizontalHeader()->setMinimumSectionSize(kMinComboColumnWidth);
    horizontalHeader()->setSortIndicatorShown(false);
    // Rows are dragged within the list only, between rows; the owner moves
    // their records.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(false);
    setDropIndicatorShown(true);
    setDefaultDropAction(Qt::MoveAction);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { owner_.headerClicked(column); });
    if (sharedColumnCount() < records_.columnCount()) {
        horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
                &CSortComboListCtrl::showColumnMenu);
    }
    connect(rowOrder_, &QAbstractItemModel::modelReset, this, &CSortComboListCtrl::showSortIndicator);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CSortComboListCtrl::takeFocusBeforeScrolling);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CSortComboListCtrl::takeFocusBeforeScrolling);
}

CSortComboListCtrl::~CSortComboListCtrl() = default;

// Qt lays out the headers and the scroll bars again each time the rows are,
// after every move, sort and find; raising the scroll bars repaints them and
// the frame around the rows though nothing they are laid out from changed.
// Only the open editors then need to follow their cells.
void CSortComboListCtrl::updateGeometries()
{
    Extent now = extent();
    if (now == laidOut_) {
        QAbstractItemView::updateGeometries();
        return;
    }
    laidOut_ = std::move(now);
    QTableView::updateGeometries();
}

CSortComboListCtrl::Extent CSortComboListCtrl::extent() const
{
    const QHeaderView* header = horizontalHeader();
    Extent now{size(),
               viewport()->geometry(),
               verticalHeader()->count(),
               verticalHeader()->defaultSectionSize(),
               header->isHidden() ? 0 : header->sizeHint().height(),
               {},
               isRightToLeft()};
    now.columnWidths.reserve(static_cast<std::size_t>(header->count()));
    for (int column = 0; column < header->count(); ++column)
        now.columnWidths.push_back(header->isSectionHidden(column) ? -1 : header->sectionSize(column));
    return now;
}

void CSortComboListCtrl::configure(const QRect& clientArea)
{
    setGeometry(clientArea);
    const int count = records_.columnCount();
    if (sharedColumnCount() == 0)
        return;
    setColumnWidths(clientArea.width() / sharedColumnCount());
    // Fitting to the contents takes the header text into account too.
    for (int column = 0; column < count; ++column)
        resizeColumnToContents(column);
}

bool CSortComboListCtrl::isReadOnlyColumn(int column) const
{
    return !records_.isEditable(column);
}

bool CSortComboListCtrl::isComboColumn(int column) const
{
    return records_.isEditable(column) && records_.column(column).editor == CellEditor::Choice;
}

QString CSortComboListCtrl::columnValidChars(int column) const
{
    return column >= 0 && column < records_.columnCount() ? records_.column(column).typedChars : QString();
}

int CSortComboListCtrl::sharedColumnCount() const
{
    int count = 0;
    for (int column = 0; column < records_.columnCount(); ++column)
        count += records_.column(column).computed ? 0 : 1;
    return count;
}

void CSortComboListCtrl::setColumnWidths(int width)
{
    for (int column = 0; column < records_.columnCount(); ++column)
        if (!records_.column(column).computed)
            setColumnWidth(column, width);
}

void CSortComboListCtrl::shareWidth(int paneWidth, int minimum)
{
    if (sharedColumnCount() > 0)
        setColumnWidths(std::max(paneWidth / sharedColumnCount(), minimum));
}

std::vector<int> CSortComboListCtrl::hiddenColumns() const
{
    std::vector<int> hidden;
    for (int column = 0; column < records_.columnCount(); ++column)
        if (records_.column(column).computed && isColumnHidden(column))
            hidden.push_back(column);
    return hidden;
}

void CSortComboListCtrl::setHiddenColumns(const std::vector<int>& columns)
{
    for (int column = 0; column < records_.columnCount(); ++column)
        if (records_.column(column).computed)
            setColumnHidden(column, std::find(columns.begin(), columns.end(), column) != columns.end());
}

void CSortComboListCtrl::showColumnMenu(const QPoint& at)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int column = 0; column < records_.columnCount(); ++column) {
        if (!records_.column(column).computed)
            continue;
        QAction* action = menu->addAction(records_.column(column).header);
        action->setCheckable(true);
        action->setChecked(!isColumnHidden(column));
        connect(action, &QAction::toggled, this, [this, column](bool shown) {
            setColumnHidden(column, !shown);
            emit hiddenColumnsChanged(hiddenColumns());
        });
    }
    menu->popup(horizontalHeader()->mapToGlobal(at));
}

void CSortComboListCtrl::toggleAllChecks(bool& flag)
{
    if (records_.rowCount() == 0)
        return;
    flag = !flag;
    std::vector<Guid> shown;
    for (int row = 0; row < rowCount(); ++row)
        shown.push_back(rowId(row));
    records_.setTicked(shown, flag);
}

bool CSortComboListCtrl::isSorted() const
{
    return !rowOrder_->inRecordOrder();
}

void CSortComboListCtrl::sortRows(int column, bool ascending)
{
    sortColumn_ = column;
    sortAscending_ = ascending;
    rowOrder_->sortRows(column, ascending);
    showSortIndicator();
}

void CSortComboListCtrl::sortByColumn(int column)
{
    if (column == 0)
        return;
    sortRows(column, sortColumn_ == column ? !sortAscending_ : true);
}

void CSortComboListCtrl::clearSort()
{
    sortColumn_.reset();
    sortAscending_ = true;
    rowOrder_->showRecordOrder();
    showSortIndicator();
}

void CSortComboListCtrl::showSortIndicator()
{
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(isSorted() && sortColumn_.has_value());
    if (isSorted() && sortColumn_)
        header->setSortIndicator(*sortColumn_, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

QModelIndex CSortComboListCtrl::cell(int row, int column) const
{
    return rowOrder_->index(row, column);
}

int CSortComboListCtrl::rowCount() const
{
    return rowOrder_->rowCount();
}

QString CSortComboListCtrl::cellText(int row, int column) const
{
    return cell(row, column).data(Qt::DisplayRole).toString();
}

Guid CSortComboListCtrl::rowId(int row) const
{
    return row >= 0 && row < rowCount() ? records_.idAt(rowOrder_->recordRow(row)) : Guid{};
}

int CSortComboListCtrl::rowOf(const Guid& id) const
{
    const int recordRow = records_.rowOf(id);
    return recordRow < 0 ? -1 : rowOrder_->shownRow(recordRow);
}

bool CSortComboListCtrl::isChecked(int row) const
{
    return row >= 0 && row < rowCount() && records_.isTicked(rowOrder_->recordRow(row));
}

void CSortComboListCtrl::setChecked(int row, bool checked)
{
    if (row < 0 || row >= rowCount())
        return;
    const Guid id = rowId(row);
    records_.setTicked(std::span(&id, 1), checked);
}

int CSortComboListCtrl::currentRow() const
{
    return currentIndex().row();
}

int CSortComboListCtrl::currentColumn() const
{
    return currentIndex().column();
}

std::vector<Guid> CSortComboListCtrl::checkedIds() const
{
    std::vector<Guid> ticked;
    for (int row = 0; row < rowCount(); ++row)
        if (isChecked(row))
            ticked.push_back(rowId(row));
    return ticked;
}

std::vector<Guid> CSortComboListCtrl::selectedIds() const
{
    std::vector<Guid> selected;
    for (int row = 0; row < rowCount(); ++row)
        if (selectionModel()->isRowSelected(row, QModelIndex()))
            selected.push_back(rowId(row));
    return selected;
}

std::vector<Guid> CSortComboListCtrl::chosenIds() const
{
    std::vector<Guid> chosen = selectedIds();
    if (chosen.empty() && currentRow() >= 0)
        chosen.push_back(rowId(currentRow()));
    return chosen;
}

int CSortComboListCtrl::firstEditableColumn() const
{
    for (int column = 0; column < records_.columnCount(); ++column)
        if (records_.isEditable(column))
            return column;
    return 0;
}

// One range per run of adjacent rows: the fewer ranges, the less the views
// have to keep up to date while rows move.
QItemSelection CSortComboListCtrl::rowsSelection(const std::vector<Guid>& ids) const
{
    std::vector<int> rows;
    rows.reserve(ids.size());
    for (const Guid& id : ids)
        if (const int row = rowOf(id); row >= 0)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QItemSelection selection;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(cell(rows[first], 0), cell(rows[last], records_.columnCount() - 1));
        first = last + 1;
    }
    return selection;
}

void CSortComboListCtrl::selectIds(const std::vector<Guid>& ids)
{
    selectionModel()->select(rowsSelection(ids), QItemSelectionModel::ClearAndSelect);
    int first = -1;
    for (const Guid& id : ids) {
        first = rowOf(id);
        if (first >= 0)
            break;
    }
    if (first < 0)
        return;
    const int column = records_.isEditable(currentColumn()) ? currentColumn() : firstEditableColumn();
    selectionModel()->setCurrentIndex(cell(first, column), QItemSelectionModel::NoUpdate);
}

ListView CSortComboListCtrl::view() const
{
    ListView shown;
    shown.rows = rowOrder_->order();
    for (const Guid& id : shown.rows)
        if (records_.isTicked(records_.rowOf(id)))
            shown.checked.push_back(id);
    shown.selected = selectedIds();
    if (currentIndex().isValid()) {
        shown.current = rowId(currentRow());
        shown.currentColumn = currentColumn();
    }
    shown.sortColumn = sortColumn_;
    shown.sortAscending = sortAscending_;
    shown.sorted = isSorted();
    return shown;
}

void CSortComboListCtrl::showView(const ListView& shown)
{
    sortColumn_ = shown.sortColumn;
    sortAscending_ = shown.sortAscending;
    if (shown.sorted)
        rowOrder_->showOrder(shown.rows);
    else
        rowOrder_->showRecordOrder();
    showSortIndicator();
    records_.setTicks(shown.checked);
    selectionModel()->select(rowsSelection(shown.selected), QItemSelectionModel::ClearAndSelect);
    const int current = shown.current.isNull() ? -1 : rowOf(shown.current);
    selectionModel()->setCurrentIndex(current < 0 ? QModelIndex() : cell(current, std::max(shown.currentColumn, 0)),
                                      QItemSelectionModel::NoUpdate);
}

void CSortComboListCtrl::setFilterText(const QString& text)
{
    rowOrder_->setFindText(text);
}

std::unique_ptr<QMimeData> CSortComboListCtrl::draggedRows() const
{
    QModelIndexList rows;
    for (int row = 0; row < rowCount(); ++row)
        if (selectionModel()->isRowSelected(row, QModelIndex()))
            rows.append(cell(row, 0));
    return std::unique_ptr<QMimeData>(rowOrder_->mimeData(rows));
}

void CSortComboListCtrl::openEditor(int row, int column)
{
    const QModelIndex index = cell(row, column);
    if (!index.isValid() || (index.flags() & Qt::ItemIsEditable) == 0)
        return;
    // The whole cell comes into view first.
    scrollTo(index);
    edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

void CSortComboListCtrl::endOpenEdit()
{
    QWidget* editor = delegate_->openEditor();
    if (editor == nullptr)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

CInPlaceEdit* CSortComboListCtrl::openEdit() const
{
    return qobject_cast<CInPlaceEdit*>(delegate_->openEditor());
}

CInPlaceCombo* CSortComboListCtrl::openCombo() const
{
    return qobject_cast<CInPlaceCombo*>(delegate_->openEditor());
}

QModelIndex CSortComboListCtrl::neighbourCell(const QModelIndex& from, int step) const
{
    int row = from.row();
    int column = from.column();
    const int columns = records_.columnCount();
    while (row >= 0 && row < rowCount()) {
        column += step;
        if (column < 0 || column >= columns) {
            row += step;
            column = step > 0 ? -1 : columns;
            continue;
        }
        if (records_.isEditable(column))
            return cell(row, column);
    }
    return {};
}

// Tab and Shift+Tab go from editable cell to editable cell, row after row,
// and stop at the ends of the list.
QModelIndex CSortComboListCtrl::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    if ((cursorAction == MoveNext || cursorAction == MovePrevious) && current.isValid())
        return neighbourCell(current, cursorAction == MoveNext ? 1 : -1);
    return QTableView::moveCursor(cursorAction, modifiers);
}

// The owner hears of another record becoming current, wherever its row is,
// unless that follows from the records changing.
void CSortComboListCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    const Guid id = current.isValid() ? rowId(current.row()) : Guid{};
    if (std::exchange(currentId_, id) != id && current.isValid() && !records_.isFollowing())
        owner_.rowFocused(current.row());
}

void CSortComboListCtrl::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    // A click outside every cell (below the last row, right of the last
    // column) changes nothing, not even the selection.
    if (event->button() == Qt::LeftButton && !index.isValid())
        return;
    editOnRelease_ = event->button() == Qt::LeftButton &&
                     (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) == 0 &&
                     currentIndex().isValid() && currentIndex().row() == index.row();
    QTableView::mousePressEvent(event);
}

void CSortComboListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool edits = std::exchange(editOnRelease_, false) && event->button() == Qt::LeftButton && index.isValid() &&
                       index == currentIndex();
    QTableView::mouseReleaseEvent(event);
    if (edits && state() != EditingState)
        openEditor(index.row(), index.column());
}

void CSortComboListCtrl::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const QModelIndex current = currentIndex();
    switch (plain ? event->key() : Qt::Key_unknown) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current.isValid())
            openEditor(current.row(), current.column());
        event->accept();
        return;
    case Qt::Key_Space:
        if (current.isValid())
            setChecked(current.row(), !isChecked(current.row()));
        event->accept();
        return;
    case Qt::Key_Delete:
        owner_.deleteRequested();
        event->accept();
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}

// The drag carries the ids of the selected rows; the drop moves their
// records, so nothing is removed here once the drag is done.
void CSortComboListCtrl::startDrag(Qt::DropActions)
{
    editOnRelease_ = false;
    // The open edit is committed before its row moves.
    endOpenEdit();
    std::unique_ptr<QMimeData> data = draggedRows();
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void CSortComboListCtrl::dropEvent(QDropEvent* event)
{
    setState(NoState);
    stopAutoScroll();
    viewport()->update();
    if (!records_.canDropMimeData(event->mimeData(), Qt::MoveAction, -1, -1, {})) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    rowOrder_->dropMimeData(event->mimeData(), Qt::MoveAction, dropRow(event->position().toPoint()), 0, {});
}

void CSortComboListCtrl::focusInEvent(QFocusEvent* event)
{
    if (!closingEditor_) {
        QTableView::focusInEvent(event);
        return;
    }
    setAttribute(Qt::WA_InputMethodEnabled, currentIndex().flags().testFlag(Qt::ItemIsEditable));
    updateFocusLook();
}

void CSortComboListCtrl::focusOutEvent(QFocusEvent* event)
{
    if (!viewport()->isAncestorOf(QApplication::focusWidget())) {
        QTableView::focusOutEvent(event);
        return;
    }
    updateFocusLook();
}

void CSortComboListCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool was = std::exchange(closingEditor_, true);
    QTableView::closeEditor(editor, hint);
    closingEditor_ = was;
}

void CSortComboListCtrl::updateFocusLook()
{
    viewport()->update(visualRect(currentIndex()));
    update(QRegion(rect()).subtracted(contentsRect()));
}

int CSortComboListCtrl::dropRow(const QPoint& position) const
{
    const int row = rowAt(position.y());
    if (row < 0)
        return rowCount();
    const QRect bounds = visualRect(cell(row, 0));
    return position.y() >= bounds.top() + bounds.height() / 2 ? row + 1 : row;
}

void CSortComboListCtrl::wheelEvent(QWheelEvent* event)
{
    takeFocusBeforeScrolling();
    QTableView::wheelEvent(event);
}

// An open edit ends before the rows move under it.
void CSortComboListCtrl::takeFocusBeforeScrolling()
{
    endOpenEdit();
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
}
