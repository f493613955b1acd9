#include "ui/lists/sort_combo_list_ctrl.h"

#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/list_owner.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

constexpr int kIdRole = Qt::UserRole;

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
    for (int column = 0; column < columnCount(); ++column) {
        auto item = std::make_unique<QTableWidgetItem>(column < texts.size() ? texts.at(column) : QString());
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (column == 0) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            item->setData(kIdRole, QString::fromStdString(id.toString()));
        }
        setItem(row, column, item.release());
    }
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
    if (cell == nullptr)
        return {};
    return Guid::fromString(cell->data(kIdRole).toString().toStdString()).value_or(Guid{});
}

int CSortComboListCtrl::rowOf(const Guid& id) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (rowId(row) == id)
            return row;
    return -1;
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
    return shown;
}

void CSortComboListCtrl::showMarks(const ListView& shown)
{
    const QSignalBlocker blocker(this);
    for (const Guid& id : shown.checked)
        setChecked(rowOf(id), true);
    if (const int row = rowOf(shown.current); row >= 0 && !shown.current.isNull())
        setCurrentCell(row, std::max(shown.currentColumn, 0), QItemSelectionModel::NoUpdate);
    clearSelection();
    for (const Guid& id : shown.selected)
        if (const int row = rowOf(id); row >= 0)
            selectionModel()->select(model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    sortColumn = shown.sortColumn;
    sortAscending = shown.sortAscending;
}

std::vector<Guid> CSortComboListCtrl::checkedIds() const
{
    std::vector<Guid> ticked;
    for (int row = 0; row < rowCount(); ++row)
        if (isChecked(row))
            ticked.push_back(rowId(row));
    return ticked;
}

void CSortComboListCtrl::sortRows()
{
    if (!sortColumn)
        return;
    const int rows = rowCount();
    const int columns = columnCount();
    std::vector<Guid> ids;
    for (int row = 0; row < rows; ++row)
        ids.push_back(rowId(row));
    std::vector<int> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    const int column = *sortColumn;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = compareRecords(ids[static_cast<std::size_t>(a)], ids[static_cast<std::size_t>(b)], column);
        return sortAscending ? result < 0 : result > 0;
    });

    // Selection and focus travel with their rows, as ticks do.
    const std::optional<Guid> current = currentRow() >= 0 ? std::optional(rowId(currentRow())) : std::nullopt;
    std::vector<Guid> selected;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        selected.push_back(rowId(index.row()));

    const QSignalBlocker blocker(this);
    std::vector<std::vector<QTableWidgetItem*>> taken(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        for (int c = 0; c < columns; ++c)
            taken[static_cast<std::size_t>(row)].push_back(takeItem(row, c));
    for (int row = 0; row < rows; ++row)
        for (int c = 0; c < columns; ++c)
            setItem(row, c,
                    taken[static_cast<std::size_t>(order[static_cast<std::size_t>(row)])][static_cast<std::size_t>(c)]);

    clearSelection();
    if (current)
        setCurrentCell(rowOf(*current), 0, QItemSelectionModel::NoUpdate);
    for (const Guid& id : selected)
        selectionModel()->select(model()->index(rowOf(id), 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
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
    const int column = index.column();
    if (row < 0 || row >= rowCount() || row != currentRow())
        return;
    const QString text = cellText(row, column);
    if (isComboColumn(column))
        openDropDown(row, column, text);
    else if (!isReadOnlyColumn(column))
        openEditBox(row, column, text);
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
                               [self, id](int, int editedColumn, const QString& finalText) {
                                   if (self)
                                       self->editEnded(id, editedColumn, finalText);
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
                             [self, id](int, int editedColumn, const QString& finalText) {
                                 if (self)
                                     self->editEnded(id, editedColumn, finalText);
                             });
}

void CSortComboListCtrl::editEnded(const Guid& id, int column, const QString& text)
{
    // The row is found again by its record's id: a sort or a rebuild while the
    // editor was open must not put the text into another record.
    const int row = rowOf(id);
    if (row < 0)
        return;
    setCellText(row, column, text);
    owner_.cellEdited(controlId_, row, column, text);
}
