#pragma once

#include "core/model/guid.h"

#include <QItemSelection>
#include <QRect>
#include <QSize>
#include <QTableView>

#include <memory>
#include <optional>
#include <vector>

class CellEditDelegate;
class CInPlaceCombo;
class CInPlaceEdit;
class ListOwner;
class QMimeData;
class RecordSortFilterModel;
class RecordTableModel;

// What the user sees of a list's rows: the records shown and their order, the
// ticked, selected and current ones, and the sort state.
struct ListView {
    std::vector<Guid> rows;
    std::vector<Guid> checked;
    std::vector<Guid> selected;
    Guid current; // null when no row is current
    int currentColumn = -1;
    std::optional<int> sortColumn;
    bool sortAscending = true;
    bool sorted = false; // the rows are in the order of the sort state

    friend bool operator==(const ListView&, const ListView&) = default;
};

// A report-style list over a table of records whose cells are edited in place:
// a click on a cell of the current row opens a drop-down or a filtering edit
// box exactly over it (a click on another row makes that row current); what
// the editor commits goes to the table and from there to the owner pane. Rows
// stand for records by id; a check box sits in column 0. The rows show
// through a sort and find filter (rowOrder); rows and columns named by
// number here are those shown.
//
// The keyboard: the arrows move the current cell; F2 or Enter opens its
// editor; in an editor Enter commits, Escape ends without committing, Tab and
// Shift+Tab commit and open the next or previous editable cell, row after
// row; Space ticks or unticks the current row; Delete asks the owner to
// delete the selected rows. Selected rows dragged with the mouse are dropped
// between rows. The ids the list reports for commands (ticked, selected) are
// those of shown rows only. The header's context menu hides and shows the
// computed columns.
class CSortComboListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int kMinComboColumnWidth = 10;

    CSortComboListCtrl(int controlId, RecordTableModel& records, ListOwner& owner, QWidget* parent);
    ~CSortComboListCtrl() override;

    // Fills the owner's client area, each column `clientWidth / count` wide,
    // then as wide as its contents or header text.
    void configure(const QRect& clientArea);

    int controlId() const { return controlId_; }
    RecordTableModel& records() const { return records_; }
    RecordSortFilterModel& rowOrder() const { return *rowOrder_; }
    ListOwner& owner() const { return owner_; }

    bool isReadOnlyColumn(int column) const;
    bool isComboColumn(int column) const;
    QString columnValidChars(int column) const;

    // Gives every column but the computed ones the same width.
    void setColumnWidths(int width);
    // Gives every column but the computed ones an equal share of the pane's
    // width, at least `minimum`.
    void shareWidth(int paneWidth, int minimum);

    // The computed columns hidden now, in column order.
    std::vector<int> hiddenColumns() const;
    // Hides the computed columns of `columns` and shows the other computed
    // ones; the rest are always shown.
    void setHiddenColumns(const std::vector<int>& columns);
    // Flips `flag` and ticks or unticks every shown row to match; with no
    // rows nothing changes, the flag included.
    void toggleAllChecks(bool& flag);

    // Sort state: no column at first, so the first sort of any column ascends.
    std::optional<int> sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }
    // Whether the rows show in the order of the sort state.
    bool isSorted() const;
    // Orders the rows by `column`, ascending or not; rows of equal keys keep
    // their order.
    void sortRows(int column, bool ascending);
    // A header click: column 0 never sorts; another column ascends, the same
    // one again flips the direction.
    void sortByColumn(int column);
    // Shows record order and forgets the sort state, so that the next sort of
    // any column ascends.
    void clearSort();

    // Rows as shown.
    int rowCount() const;
    QString cellText(int row, int column) const;
    Guid rowId(int row) const;
    // The row showing `id`, or -1.
    int rowOf(const Guid& id) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    int currentRow() const;
    int currentColumn() const;
    // The ids of the ticked shown rows, in row order.
    std::vector<Guid> checkedIds() const;
    // The ids of the selected shown rows, in row order.
    std::vector<Guid> selectedIds() const;
    // The rows a command acts on: the selected shown rows, or else the
    // current row when there is one.
    std::vector<Guid> chosenIds() const;
    // Selects the rows of `ids` (those shown) and nothing else; the first of
    // them becomes the current row, on the current column when that is
    // editable and else on the first editable one.
    void selectIds(const std::vector<Guid>& ids);

    ListView view() const;
    // Shows the rows as `shown` saw them: their order, ticks, selection,
    // current cell and sort state. Rows it does not name keep their places
    // after those it names.
    void showView(const ListView& shown);

    // Shows only the rows one of whose cells contains `text` (case does not
    // matter); an empty text shows every row.
    void setFilterText(const QString& text);

    // What a drag of the selected rows carries: their ids, marked as rows of
    // this list, which alone takes them.
    std::unique_ptr<QMimeData> draggedRows() const;

    // Opens the editor of a cell as a click on the current row does: nothing
    // for a read-only cell.
    void openEditor(int row, int column);
    // Ends the open edit, if any, committing its text as a click elsewhere
    // would.
    void endOpenEdit();
    // The editor open now, if any.
    CInPlaceEdit* openEdit() const;
    CInPlaceCombo* openCombo() const;

signals:
    // The user hid or showed a computed column.
    void hiddenColumnsChanged(const std::vector<int>& columns);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void updateGeometries() override;

private:
    // What the headers and the scroll bars are laid out from.
    struct Extent {
        QSize size;
        QRect viewport;
        int rows = 0;
        int rowHeight = 0;
        int headerHeight = 0;
        std::vector<int> columnWidths;
        bool rightToLeft = false;

        friend bool operator==(const Extent&, const Extent&) = default;
    };
    Extent extent() const;

    QModelIndex cell(int row, int column) const;
    // The shown rows of `ids`, whole.
    QItemSelection rowsSelection(const std::vector<Guid>& ids) const;
    // The editable cell after (or before) a cell, row after row; none past
    // the ends.
    QModelIndex neighbourCell(const QModelIndex& from, int step) const;
    int firstEditableColumn() const;
    // The shown row a drop at `position` goes before; the row count for the end.
    int dropRow(const QPoint& position) const;
    void showSortIndicator();
    void takeFocusBeforeScrolling();
    // The columns that share the pane's width: all but the computed ones.
    int sharedColumnCount() const;
    // A checkable entry per computed column, ticked while it shows.
    void showColumnMenu(const QPoint& at);
    // The focus passing between the list and its own editor changes how the
    // current cell and the frame look, nothing else: only they are drawn
    // again, not every row.
    void updateFocusLook();

    int controlId_;
    RecordTableModel& records_;
    ListOwner& owner_;
    RecordSortFilterModel* rowOrder_;
    CellEditDelegate* delegate_;
    std::optional<int> sortColumn_;
    bool sortAscending_ = true;
    // A press on a cell of the current row edits it when released there.
    bool editOnRelease_ = false;
    // An editor is closing: the focus it had comes back to the list.
    bool closingEditor_ = false;
    // The record of the current row, as last told to the owner.
    Guid currentId_;
    Extent laidOut_;
};

// The transponder list (control 1001).
class CSateChannelSortComboListCtrl : public CSortComboListCtrl {
public:
    static constexpr int kControlId = 1001;

    CSateChannelSortComboListCtrl(RecordTableModel& tps, ListOwner& owner, QWidget* parent)
        : CSortComboListCtrl(kControlId, tps, owner, parent)
    {
    }
};

// The plan list (control 1000).
class COrbituneSortComboListCtrl : public CSortComboListCtrl {
public:
    static constexpr int kControlId = 1000;

    COrbituneSortComboListCtrl(RecordTableModel& plans, ListOwner& owner, QWidget* parent)
        : CSortComboListCtrl(kControlId, plans, owner, parent)
    {
    }
};
