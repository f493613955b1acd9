#include "ui/lists/sort_combo_list_ctrl.h"

#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/list_owner.h"

#include <QApplication>
#include <QColor>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// Dragged rows: the list they come from and their ids.
constexpr char kRowsType[] = "application/x-orbitune-list-rows";
// The background of marked rows: a light orange that black text reads on in
// every style.
QColor markedBackground()
{
    return {255, 214, 160};
}

// The first cell of a row, carrying the id of the row's record.
class IdItem : public QTableWidgetItem {
public:
    static constexpr int kType = QTableWidgetItem::UserType + 1;

    explicit IdItem(const Guid& id) : QTableWidgetItem(kType), id_(id) {}
    const Guid& id() const { return id_; }

private:
    Guid id_;
};

} // namespace

CSortComboListCtrl::CSortComboListCtrl(int controlId, ListOwner& owner, QWidget* parent)
    : QTableWidget(parent), controlId_(controlId), owner_(owner)
{
    setProperty("controlId", controlId);
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
    // Rows are dragged within the list only; the owner moves their records.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(false);
    setDropIndicatorShown(true);
    setDefaultDropAction(Qt::MoveAction);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { owner_.headerClicked(column); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CSortComboListCtrl::takeFocusBeforeScrolling);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CSortComboListCtrl::takeFocusBeforeScrolling);
}

void CSortComboListCtrl::configure(const Columns& columns, const QRect& clientArea)
{
    setGeometry(clientArea);
    insertColumns(columns.headers, clientArea.width());
    SetReadOnlyColumn(0);
    for (const int column : columns.comboColumns)
        SetComboColumn(column);
    for (const auto& [column, chars] : columns.validChars)
        SetColumnValidChars(column, chars);
}

void CSortComboListCtrl::SetReadOnlyColumn(int column)
{
    readOnlyColumns_.insert(column);
}

void CSortComboListCtrl::SetComboColumn(int column)
{
    comboColumns_.insert(column);
}

void CSortComboListCtrl::SetColumnValidChars(int column, const QString& chars)
{
    if (column >= 0 && column < kMaxColumns)
        validChars_[static_cast<std::size_t>(column)] = chars;
}

QString CSortComboListCtrl::columnValidChars(int column) const
{
    return column >= 0 && column < kMaxColumns ? validChars_[static_cast<std::size_t>(column)] : QString();
}

void CSortComboListCtrl::insertColumns(const QStringList& headers, int clientWidth)
{
    const int count = static_cast<int>(headers.size());
    setColumnCount(count);
    setHorizontalHeaderLabels(headers);
    if (count == 0)
        return;
    setColumnWidths(clientWidth / count);
    // Fitting to the contents takes the header text into account too.
    for (int column = 0; column < count; ++column)
        resizeColumnToContents(column);
}

void CSortComboListCtrl::setColumnWidths(int width)
{
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, width);
}

void CSortComboListCtrl::shareWidth(int paneWidth, int minimum)
{
    if (columnCount() > 0)
        setColumnWidths(std::max(paneWidth / columnCount(), minimum));
}

void CSortComboListCtrl::toggleAllChecks(bool& flag)
{
    if (rowCount() == 0)
        return;
    flag = !flag;
    for (int row = 0; row < rowCount(); ++row)
        if (!isRowHidden(row))
            setChecked(row, flag);
}

bool CSortComboListCtrl::focusIsInside() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        return false;
    const QRect area(mapToGlobal(QPoint(0, 0)), size());
    return area.contains(focus->mapToGlobal(QPoint(0, 0)));
}

void CSortComboListCtrl::endOpenEdit()
{
    if (edit_ || combo_)
        setFocus(Qt::OtherFocusReason);
}

void CSortComboListCtrl::removeAllRows()
{
    const QSignalBlocker blocker(this);
    clearContents();
    setRowCount(0);
}

void CSortComboListCtrl::appendRow(const QStringList& texts, const Guid& id)
{
    const QSignalBlocker blocker(this);
    const int row = rowCount();
    insertRow(row);
    int column = 0;
    for (auto& item : rowItems({texts, id, {}}))
        setItem(row, column++, item.release());
}

std::vector<std::unique_ptr<QTableWidgetItem>> CSortComboListCtrl::rowItems(const ListRow& row) const
{
    // What every cell of the row shows alike is set once and shared.
    QTableWidgetItem shared;
    shared.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (!row.note.isEmpty()) {
        shared.setBackground(markedBackground());
        shared.setForeground(QColor(Qt::black));
        shared.setToolTip(row.note);
    }
    std::vector<std::unique_ptr<QTableWidgetItem>> items;
    items.reserve(static_cast<std::size_t>(columnCount()));
    for (int column = 0; column < columnCount(); ++column) {
        std::unique_ptr<QTableWidgetItem> item =
            column == 0 ? std::make_unique<IdItem>(row.id) : std::make_unique<QTableWidgetItem>();
        *item = shared;
        item->setText(column < row.texts.size() ? row.texts.at(column) : QString());
        if (column == 0) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        items.push_back(std::move(item));
    }
    return items;
}

void CSortComboListCtrl::setRows(const std::vector<ListRow>& rows)
{
    removeAllRows();
    const QSignalBlocker blocker(this);
    setRowCount(static_cast<int>(rows.size()));
    {
        // Each cell set would tell the views on its own; they are told once.
        const QSignalBlocker cellNotices(model());
        for (int row = 0; row < rowCount(); ++row) {
            int column = 0;
            for (auto& item : rowItems(rows[static_cast<std::size_t>(row)]))
                setItem(row, column++, item.release());
        }
    }
    cellsReplaced();
}

void CSortComboListCtrl::cellsReplaced()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit model()->dataChanged(model()->index(0, 0), model()->index(rowCount() - 1, columnCount() - 1));
}

QString CSortComboListCtrl::cellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

void CSortComboListCtrl::setCellText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
}

Guid CSortComboListCtrl::rowId(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    if (cell == nullptr || cell->type() != IdItem::kType)
        return {};
    return static_cast<const IdItem*>(cell)->id();
}

int CSortComboListCtrl::rowOf(const Guid& id) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (rowId(row) == id)
            return row;
    return -1;
}

std::map<Guid, int> CSortComboListCtrl::rowsById() const
{
    std::map<Guid, int> rows;
    for (int row = 0; row < rowCount(); ++row)
        rows.emplace(rowId(row), row);
    return rows;
}

int CSortComboListCtrl::rowIn(const std::map<Guid, int>& rows, const Guid& id)
{
    const auto found = rows.find(id);
    return found == rows.end() ? -1 : found->second;
}

bool CSortComboListCtrl::isChecked(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    return cell != nullptr && cell->checkState() == Qt::Checked;
}

void CSortComboListCtrl::setChecked(int row, bool checked)
{
    if (QTableWidgetItem* cell = item(row, 0))
        cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CSortComboListCtrl::sortByColumn(int column)
{
    if (column == 0)
        return;
    sortAscending = sortColumn == column ? !sortAscending : true;
    sortColumn = column;
    sortRows();
}

void CSortComboListCtrl::clearSort()
{
    sortColumn.reset();
    sortAscending = true;
    rowsSorted_ = false;
    showSortIndicator();
}

void CSortComboListCtrl::showSortIndicator()
{
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(rowsSorted_ && sortColumn.has_value());
    if (rowsSorted_ && sortColumn)
        header->setSortIndicator(*sortColumn, sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CSortComboListCtrl::rowsFilled()
{
    rowsSorted_ = false;
    showSortIndicator();
    applyFilter();
}

void CSortComboListCtrl::setFilterText(const QString& text)
{
    filterText_ = text;
    applyFilter();
}

void CSortComboListCtrl::showFilterBox(const QString& placeholder)
{
    if (filterBox_ == nullptr) {
        filterBox_ = new ListFilterBox(this);
        connect(filterBox_, &QLineEdit::textChanged, this, &CSortComboListCtrl::setFilterText);
    }
    endOpenEdit();
    filterBox_->setPlaceholderText(placeholder);
    filterBox_->placeOver(viewport()->geometry());
    filterBox_->show();
    filterBox_->raise();
    filterBox_->selectAll();
    filterBox_->setFocus(Qt::ShortcutFocusReason);
}

void CSortComboListCtrl::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    if (filterBox_ != nullptr)
        filterBox_->placeOver(viewport()->geometry());
}

void CSortComboListCtrl::applyFilter()
{
    for (int row = 0; row < rowCount(); ++row) {
        bool shown = filterText_.isEmpty();
        for (int column = 0; column < columnCount() && !shown; ++column)
            shown = cellText(row, column).contains(filterText_, Qt::CaseInsensitive);
        setRowHidden(row, !shown);
    }
}

ListView CSortComboListCtrl::view() const
{
    ListView shown;
    for (int row = 0; row < rowCount(); ++row) {
        shown.rows.push_back(rowId(row));
        if (isChecked(row))
            shown.checked.push_back(shown.rows.back());
    }
    for (const QModelIndex& index : selectionModel()->selectedRows())
        shown.selected.push_back(rowId(index.row()));
    if (currentRow() >= 0) {
        shown.current = rowId(currentRow());
        shown.currentColumn = currentColumn();
    }
    shown.sortColumn = sortColumn;
    shown.sortAscending = sortAscending;
    shown.sorted = rowsSorted_;
    return shown;
}

void CSortComboListCtrl::showMarks(const ListView& shown)
{
    const QSignalBlocker blocker(this);
    const std::map<Guid, int> rows = rowsById();
    for (const Guid& id : shown.checked)
        setChecked(rowIn(rows, id), true);
    if (const int row = rowIn(rows, shown.current); row >= 0 && !shown.current.isNull())
        setCurrentCell(row, std::max(shown.currentColumn, 0), QItemSelectionModel::NoUpdate);
    clearSelection();
    for (const Guid& id : shown.selected)
        if (const int row = rowIn(rows, id); row >= 0)
            selectionModel()->select(model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    sortColumn = shown.sortColumn;
    sortAscending = shown.sortAscending;
    rowsSorted_ = shown.sorted;
    showSortIndicator();
    applyFilter();
}

std::vector<Guid> CSortComboListCtrl::checkedIds() const
{
    std::vector<Guid> ticked;
    for (int row = 0; row < rowCount(); ++row)
        if (isChecked(row) && !isRowHidden(row))
            ticked.push_back(rowId(row));
    return ticked;
}

std::vector<Guid> CSortComboListCtrl::selectedIds() const
{
    std::vector<Guid> selected;
    for (int row = 0; row < rowCount(); ++row)
        if (!isRowHidden(row) && selectionModel()->isRowSelected(row, QModelIndex()))
            selected.push_back(rowId(row));
    return selected;
}

std::vector<Guid> CSortComboListCtrl::chosenIds() const
{
    std::vector<Guid> chosen = selectedIds();
    if (chosen.empty() && isShown(currentRow()))
        chosen.push_back(rowId(currentRow()));
    return chosen;
}

void CSortComboListCtrl::selectIds(const std::vector<Guid>& ids)
{
    clearSelection();
    const std::map<Guid, int> rows = rowsById();
    bool first = true;
    for (const Guid& id : ids) {
        const int row = rowIn(rows, id);
        if (row < 0)
            continue;
        if (std::exchange(first, false))
            setCurrentCell(row, std::max(currentColumn(), 0), QItemSelectionModel::NoUpdate);
        selectionModel()->select(model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void CSortComboListCtrl::sortRows()
{
    if (!sortColumn)
        return;
    const int rows = rowCount();
    const int columns = columnCount();
    std::vector<Guid> ids;
    ids.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        ids.push_back(rowId(row));
    std::vector<std::size_t> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    const RowComparison compare = compareRecords(ids, *sortColumn);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int result = compare(a, b);
        return sortAscending ? result < 0 : result > 0;
    });

    // Selection and focus travel with their rows, as ticks do.
    const std::optional<Guid> current = currentRow() >= 0 ? std::optional(rowId(currentRow())) : std::nullopt;
    std::vector<Guid> selected;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        selected.push_back(rowId(index.row()));

    const QSignalBlocker blocker(this);
    {
        // Each cell taken or set would tell the views on its own; they are told once.
        const QSignalBlocker cellNotices(model());
        std::vector<std::vector<QTableWidgetItem*>> taken(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row)
            for (int c = 0; c < columns; ++c)
                taken[static_cast<std::size_t>(row)].push_back(takeItem(row, c));
        for (int row = 0; row < rows; ++row)
            for (int c = 0; c < columns; ++c)
                setItem(row, c, taken[order[static_cast<std::size_t>(row)]][static_cast<std::size_t>(c)]);
    }
    cellsReplaced();

    const std::map<Guid, int> sortedRows = rowsById();
    clearSelection();
    if (current)
        setCurrentCell(rowIn(sortedRows, *current), 0, QItemSelectionModel::NoUpdate);
    for (const Guid& id : selected)
        selectionModel()->select(model()->index(rowIn(sortedRows, id), 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    rowsSorted_ = true;
    showSortIndicator();
    applyFilter();
}

QRect CSortComboListCtrl::cellRect(int row, int column)
{
    const int width = columnWidth(column);
    const int x = columnViewportPosition(column);
    const int clientRight = viewport()->width();
    int dx = 0;
    if (x < 0 || x > clientRight)
        dx = x;
    else if (x + width > clientRight)
        dx = x + width - clientRight;
    if (dx != 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    return {columnViewportPosition(column), rowViewportPosition(row), width, rowHeight(row)};
}

void CSortComboListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTableWidget::mousePressEvent(event);
        return;
    }
    // A click outside every cell (below the last row, right of the last
    // column) changes nothing, not even the selection.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    QTableWidget::mousePressEvent(event);
    if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0)
        return;
    const int row = index.row();
    if (row < 0 || row >= rowCount() || row != currentRow())
        return;
    openEditor(row, index.column());
}

void CSortComboListCtrl::openEditor(int row, int column)
{
    const QString text = cellText(row, column);
    if (isComboColumn(column))
        openDropDown(row, column, text);
    else if (!isReadOnlyColumn(column))
        openEditBox(row, column, text);
}

void CSortComboListCtrl::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int row = currentRow();
    const bool onShownRow = row >= 0 && !isRowHidden(row);
    switch (plain ? event->key() : Qt::Key_unknown) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (onShownRow)
            openEditor(row, currentColumn());
        return;
    case Qt::Key_Space:
        if (onShownRow)
            setChecked(row, !isChecked(row));
        return;
    case Qt::Key_Delete:
        owner_.deleteRequested();
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

std::unique_ptr<QMimeData> CSortComboListCtrl::draggedRows() const
{
    QStringList lines{QString::number(reinterpret_cast<quintptr>(this))};
    for (const Guid& id : selectedIds())
        lines.append(QString::fromStdString(id.toString()));
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kRowsType), lines.join(QLatin1Char('\n')).toLatin1());
    return data;
}

bool CSortComboListCtrl::carriesOwnRows(const QMimeData* data) const
{
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(kRowsType)))
        return false;
    const QByteArray rows = data->data(QString::fromLatin1(kRowsType));
    return rows.left(rows.indexOf('\n')) == QByteArray::number(reinterpret_cast<quintptr>(this));
}

void CSortComboListCtrl::startDrag(Qt::DropActions)
{
    // The open edit is committed before its row moves.
    endOpenEdit();
    if (selectedIds().empty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(draggedRows().release());
    drag->exec(Qt::MoveAction);
}

void CSortComboListCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (!carriesOwnRows(event->mimeData())) {
        event->ignore();
        return;
    }
    setState(DraggingState);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CSortComboListCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    if (!carriesOwnRows(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

// The list moves no rows itself: the owner moves the records and refills.
void CSortComboListCtrl::dropEvent(QDropEvent* event)
{
    setState(NoState);
    if (!carriesOwnRows(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    owner_.rowsDropped(dropTarget(event->position().toPoint()));
}

std::optional<Guid> CSortComboListCtrl::dropTarget(const QPoint& position) const
{
    const int row = rowAt(position.y());
    if (row < 0)
        return std::nullopt;
    int before = row;
    if (position.y() >= rowViewportPosition(row) + rowHeight(row) / 2)
        ++before;
    while (before < rowCount() && isRowHidden(before))
        ++before;
    return before < rowCount() ? std::optional(rowId(before)) : std::nullopt;
}

void CSortComboListCtrl::wheelEvent(QWheelEvent* event)
{
    takeFocusBeforeScrolling();
    QTableWidget::wheelEvent(event);
}

void CSortComboListCtrl::takeFocusBeforeScrolling()
{
    // Taking the focus ends an open edit before the rows move under it.
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void CSortComboListCtrl::openDropDown(int row, int column, const QString& text)
{
    const QStringList choices = owner_.columnChoices(row, column);
    if (row >= rowCount() || column >= columnCount() || columnWidth(column) < kMinComboColumnWidth)
        return;
    const QModelIndex index = model()->index(row, column);
    if (!visualRect(index).intersects(viewport()->rect()))
        scrollTo(index);
    const QRect cell = cellRect(row, column);
    const Guid id = rowId(row);
    const QPointer<CSortComboListCtrl> self(this);
    combo_ = new CInPlaceCombo(viewport(), this, cell, row, column, choices, text,
                               [self, id](int, int editedColumn, const QString& finalText, EditExit exit) {
                                   if (self)
                                       self->editEnded(id, editedColumn, finalText, exit);
                               });
    if (!text.isEmpty()) {
        const auto match = std::find_if(choices.begin(), choices.end(), [&](const QString& choice) {
            return choice.startsWith(text, Qt::CaseInsensitive);
        });
        if (match != choices.end())
            combo_->setCurrentIndex(static_cast<int>(match - choices.begin()));
    }
}

void CSortComboListCtrl::openEditBox(int row, int column, const QString& text)
{
    const QRect cell = cellRect(row, column);
    const Guid id = rowId(row);
    const QPointer<CSortComboListCtrl> self(this);
    edit_ = new CInPlaceEdit(viewport(), this, cell, row, column, columnValidChars(column), text,
                             [self, id](int, int editedColumn, const QString& finalText, EditExit exit) {
                                 if (self)
                                     self->editEnded(id, editedColumn, finalText, exit);
                             });
}

void CSortComboListCtrl::editEnded(const Guid& id, int column, const QString& text, EditExit exit)
{
    // The row is found again by its record's id: a sort or a rebuild while the
    // editor was open must not put the text into another record.
    const int row = rowOf(id);
    if (row < 0)
        return;
    setCellText(row, column, text);
    owner_.cellEdited(controlId_, row, column, text);
    if (exit == EditExit::Stay)
        return;
    // The next editor opens once the focus has settled on the list, after the
    // owner may have rebuilt the rows.
    QMetaObject::invokeMethod(
        this,
        [this, id, column, exit] {
            const auto next = neighbourCell(rowOf(id), column, exit);
            if (!next || rowOf(id) < 0)
                return;
            setCurrentCell(next->first, next->second);
            openEditor(next->first, next->second);
        },
        Qt::QueuedConnection);
}

std::optional<std::pair<int, int>> CSortComboListCtrl::neighbourCell(int row, int column, EditExit direction) const
{
    const int step = direction == EditExit::PreviousCell ? -1 : 1;
    while (row >= 0 && row < rowCount()) {
        column += step;
        if (column < 0 || column >= columnCount()) {
            row += step;
            column = step > 0 ? -1 : columnCount();
            continue;
        }
        if (!isRowHidden(row) && !isReadOnlyColumn(column))
            return std::pair(row, column);
    }
    return std::nullopt;
}
