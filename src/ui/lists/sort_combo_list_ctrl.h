#pragma once

#include "core/model/guid.h"
#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/list_filter_box.h"

#include <QPointer>
#include <QTableWidget>

#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

class ListOwner;
class QMimeData;

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

// One row as a list shows it: a text per column, the id of its record and,
// when not empty, the note of a marked row.
struct ListRow {
    QStringList texts;
    Guid id;
    QString note;
};

// No record's row is marked.
struct NoRowNotes {
    QString operator()(std::size_t) const { return {}; }
};

// A report-style list whose cells are edited in place: a click on a cell of the
// focused row opens a drop-down or a filtering edit box exactly over it; when
// the editor closes, the text goes into the cell and to the owner pane. Rows
// carry the id of their record, never the record; a check box sits in column 0.
// The owner sets the sort state and asks for a sort; the comparison of two
// records is the derived class's.
//
// The keyboard: the arrows move the current cell; F2 or Enter opens its
// editor as a click does; Tab and Shift+Tab in an editor commit it and open
// the next or previous editable cell, row after row; Space ticks or unticks
// the current row; Delete asks the owner to delete the selected rows. Rows
// dragged within the list are handed to the owner to move. A filter hides the
// rows none of whose cells contain its text; the ids the list reports for
// commands (ticked, selected) are those of shown rows only.
class CSortComboListCtrl : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kMaxColumns = 100;
    static constexpr int kMinComboColumnWidth = 10;

    CSortComboListCtrl(int controlId, ListOwner& owner, QWidget* parent);

    // How an owner pane sets up its list: the headers (column 0 is the
    // read-only row number), the drop-down columns and the characters each
    // edit-box column accepts.
    struct Columns {
        QStringList headers;
        std::vector<int> comboColumns;
        std::vector<std::pair<int, QString>> validChars;
    };
    // Fills the owner's client area and sets up the columns, each as wide as
    // its contents or header.
    void configure(const Columns& columns, const QRect& clientArea);

    int controlId() const { return controlId_; }

    void SetReadOnlyColumn(int column);
    void SetComboColumn(int column);
    void SetColumnValidChars(int column, const QString& chars);
    bool isReadOnlyColumn(int column) const { return readOnlyColumns_.contains(column); }
    bool isComboColumn(int column) const { return comboColumns_.contains(column); }
    QString columnValidChars(int column) const;

    // Inserts a column per header, each `clientWidth / count` wide, then widens
    // every column to the larger of its contents and its header text.
    void insertColumns(const QStringList& headers, int clientWidth);
    // Gives every column the same width.
    void setColumnWidths(int width);
    // Gives every column an equal share of the pane's width, at least `minimum`.
    void shareWidth(int paneWidth, int minimum);
    // Flips `flag` and ticks or unticks every shown row to match; with no
    // rows nothing changes, the flag included.
    void toggleAllChecks(bool& flag);

    // Sort state: no column at first, so the first sort of any column ascends.
    std::optional<int> sortColumn;
    bool sortAscending = true;
    // Reorders the rows by sortColumn and sortAscending; rows of equal keys keep
    // their order.
    void sortRows();
    // A header click: column 0 never sorts; another column ascends, the same
    // one again flips the direction.
    void sortByColumn(int column);
    // Forgets the sort state, so that the next sort of any column ascends.
    void clearSort();

    // Rows.
    void removeAllRows();
    // Appends a row of `texts` (one per column) carrying `id`, unticked.
    void appendRow(const QStringList& texts, const Guid& id);
    // Rebuilds every row from `records`: column 0 the 1-based position, the
    // others the record's `cellText`. The row of the record at index i of
    // `records` is marked when `note(i)` is not empty: its cells show black
    // text on light orange, with the note as their tooltip.
    template <typename Records, typename CellText, typename RowNote = NoRowNotes>
    void fillRows(const Records& records, CellText cellText, RowNote note = {});

    ListView view() const;
    // Shows the rows as `shown` saw them: the records it names, in its order
    // (each numbered by its position in `records`, and marked as fillRows
    // marks it), ticked, selected and current as they were, and its sort
    // state. Records it does not name get no row. Reports no change of row or
    // tick.
    template <typename Records, typename CellText, typename RowNote = NoRowNotes>
    void showView(const Records& records, CellText cellText, const ListView& shown, RowNote note = {});
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    Guid rowId(int row) const;
    // The first row carrying `id`, or -1.
    int rowOf(const Guid& id) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // The ids of the ticked shown rows, in row order.
    std::vector<Guid> checkedIds() const;
    // The ids of the selected shown rows, in row order.
    std::vector<Guid> selectedIds() const;
    // The rows a command acts on: the selected shown rows, or else the
    // current row when it is shown.
    std::vector<Guid> chosenIds() const;
    // Whether a row is there and not hidden by the filter.
    bool isShown(int row) const { return row >= 0 && row < rowCount() && !isRowHidden(row); }
    // Selects the rows of `ids` (those there are) and nothing else; the first
    // of them becomes the current row.
    void selectIds(const std::vector<Guid>& ids);

    // Shows only the rows one of whose cells contains `text` (case does not
    // matter); an empty text shows every row. The filter holds for the rows
    // filled later too.
    void setFilterText(const QString& text);
    // Shows the find box over the list with the keyboard in it; what is typed
    // there is the filter. `placeholder` is shown while it is empty.
    void showFilterBox(const QString& placeholder);
    ListFilterBox* filterBox() const { return filterBox_; }

    // What a drag of the selected rows carries: their ids, marked as rows of
    // this list, which alone takes them.
    std::unique_ptr<QMimeData> draggedRows() const;

    // Opens the editor of a cell as a click on it does: nothing for a
    // read-only cell.
    void openEditor(int row, int column);
    // The rectangle of a cell in viewport coordinates, after scrolling the list
    // horizontally so that the cell's column is in view.
    QRect cellRect(int row, int column);

    // Whether the top-left corner of the widget with the keyboard focus lies
    // inside this control: drop-downs offer choices only then.
    bool focusIsInside() const;

    // Ends the open edit, if any, as a click elsewhere would.
    void endOpenEdit();

    // The editor open now, if any.
    CInPlaceEdit* openEdit() const { return edit_; }
    CInPlaceCombo* openCombo() const { return combo_; }

protected:
    // Ascending comparison in a column of two rows, given by their indexes in
    // the ids the comparison was made for.
    using RowComparison = std::function<int(std::size_t, std::size_t)>;
    // The comparison in `column` of the records of the rows carrying `ids`.
    virtual RowComparison compareRecords(std::span<const Guid> ids, int column) const = 0;
    ListOwner& owner() { return owner_; }

    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    template <typename Record, typename CellText>
    ListRow recordRow(const Record& record, int position, CellText cellText, QString note) const;
    // Replaces every row with `rows`, unticked.
    void setRows(const std::vector<ListRow>& rows);
    // The items of a row, unticked.
    std::vector<std::unique_ptr<QTableWidgetItem>> rowItems(const ListRow& row) const;
    // The first row of each id the rows carry.
    std::map<Guid, int> rowsById() const;
    // The row of `id` in `rows`, or -1.
    static int rowIn(const std::map<Guid, int>& rows, const Guid& id);
    // Tells the views once that every cell may have changed, after cells were
    // set with the model's signals blocked.
    void cellsReplaced();
    // Ticks, selection, current cell and sort state of `shown`, on the rows there are.
    void showMarks(const ListView& shown);
    // After the rows were filled in record order.
    void rowsFilled();
    void applyFilter();
    void showSortIndicator();
    void openDropDown(int row, int column, const QString& text);
    void openEditBox(int row, int column, const QString& text);
    void editEnded(const Guid& id, int column, const QString& text, EditExit exit);
    // The editable cell after (or before) a cell, row after row among the
    // shown rows; nothing at the end of the list.
    std::optional<std::pair<int, int>> neighbourCell(int row, int column, EditExit direction) const;
    void takeFocusBeforeScrolling();
    // The id of the shown row a drop at `position` goes before; none for the end.
    std::optional<Guid> dropTarget(const QPoint& position) const;
    // Whether a drag carries rows of this list.
    bool carriesOwnRows(const QMimeData* data) const;

    int controlId_;
    ListOwner& owner_;
    std::set<int> comboColumns_;
    std::set<int> readOnlyColumns_;
    std::array<QString, kMaxColumns> validChars_;
    QPointer<CInPlaceEdit> edit_;
    QPointer<CInPlaceCombo> combo_;
    bool rowsSorted_ = false;
    QString filterText_;
    ListFilterBox* filterBox_ = nullptr;
};

template <typename Record, typename CellText>
ListRow CSortComboListCtrl::recordRow(const Record& record, int position, CellText cellText, QString note) const
{
    ListRow row{{QString::number(position)}, record.id, std::move(note)};
    for (int column = 1; column < columnCount(); ++column)
        row.texts.append(QString::fromStdString(cellText(record, column)));
    return row;
}

template <typename Records, typename CellText, typename RowNote>
void CSortComboListCtrl::fillRows(const Records& records, CellText cellText, RowNote note)
{
    std::vector<ListRow> rows;
    rows.reserve(static_cast<std::size_t>(std::distance(std::begin(records), std::end(records))));
    for (const auto& record : records)
        rows.push_back(recordRow(record, static_cast<int>(rows.size()) + 1, cellText, note(rows.size())));
    setRows(rows);
    rowsFilled();
}

template <typename Records, typename CellText, typename RowNote>
void CSortComboListCtrl::showView(const Records& records, CellText cellText, const ListView& shown, RowNote note)
{
    using Record = std::remove_cvref_t<decltype(*std::begin(records))>;
    std::map<Guid, std::pair<std::size_t, const Record*>> byId;
    std::size_t index = 0;
    for (const auto& record : records)
        byId.emplace(record.id, std::pair(index++, &record));
    std::vector<ListRow> rows;
    rows.reserve(shown.rows.size());
    for (const Guid& id : shown.rows)
        if (const auto found = byId.find(id); found != byId.end()) {
            const auto [at, record] = found->second;
            rows.push_back(recordRow(*record, static_cast<int>(at) + 1, cellText, note(at)));
        }
    setRows(rows);
    showMarks(shown);
}
