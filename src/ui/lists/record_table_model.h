#pragma once

#include "core/model/guid.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <set>
#include <span>
#include <vector>

class ListOwner;

// How the cells of a list column are edited in place.
enum class CellEditor {
    None,   // read-only
    Text,   // an edit box
    Choice, // a drop-down of the choices the cell rules give the row
};

// The characters the edit boxes of both lists take for names and for decimal
// numbers.
inline constexpr char kNameChars[] = "0123456789 -abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr char kDecimalChars[] = "0123456789.";

// One column of a list: its header, how its cells are edited and, for an edit
// box, the characters that may be typed into it (empty: every character).
// A computed column shows what is worked out from a record rather than what
// the record holds: it is read-only, Find does not look in it, the user may
// hide it, and it is as wide as its contents rather than a share of the
// pane's width.
struct ListColumn {
    QString header;
    CellEditor editor = CellEditor::None;
    QString typedChars;
    bool computed = false;
};

// A table of records keyed by their ids: one row per record, in the records'
// order. Column 0 shows the row's position from 1 and carries its check box;
// the other columns show what the records hold, read from the records each
// time a cell is drawn.
//
// The rows follow the records: after the records changed, follow() tells the
// views which rows went, came and moved and which cells show other texts, so
// that the current cell, the selection and the ticks stay on their records.
// Only refresh() starts the rows afresh. Ticks belong to the table, by record
// id. Edited texts, drops and moves go to the owner, which checks them and
// changes the records; the table itself changes no record.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Dragged rows: the table they come from, then their ids, one per line.
    static constexpr char kRowsType[] = "application/x-orbitune-list-rows";

    RecordTableModel(std::vector<ListColumn> columns, ListOwner& owner, QObject* parent = nullptr);

    const ListColumn& column(int column) const;
    bool isEditable(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edited text goes to the owner; a check state ticks or unticks the row.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    // Rows of this table dropped before `row` (the end for any other row) go
    // to the owner to move.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    // The records of `count` rows from `sourceRow` go to the owner to move
    // before the row `destinationChild` (the end for the row count).
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
                  int destinationChild) override;

    // The id of the record of a row; null outside the rows.
    Guid idAt(int row) const;
    // The row of a record, -1 when none shows it.
    int rowOf(const Guid& id) const;
    // What a cell shows.
    QString text(int row, int column) const;
    // The note of a marked row, empty for a row that is not marked.
    QString note(int row) const;
    // The entries of a cell's drop-down, as the owner gives them.
    QStringList choices(int row, int column) const;
    // Two rows' records in `column`, ascending: negative when `a` comes first,
    // positive when `b` does, 0 when the column orders them not.
    int compareRows(int a, int b, int column) const;

    bool isTicked(int row) const;
    // Ticks or unticks the rows of `ids` that there are.
    void setTicked(std::span<const Guid> ids, bool ticked);
    // Ticks exactly the rows of `ids`.
    void setTicks(std::span<const Guid> ids);
    // The ids of the ticked rows, in row order.
    std::vector<Guid> tickedIds() const;

    // Tells the views what changed in the records since they were last told.
    // Records whose ids repeat cannot be told apart: the rows then start
    // afresh.
    void follow();
    // The same after a change to the record of `id` alone.
    void followRecord(const Guid& id);
    // Rows afresh from the records, every one unticked.
    void refresh();
    // No rows until the next refresh; follow() keeps them so.
    void clear();
    bool showsRecords() const { return shown_; }
    // Whether the rows are following the records (or starting afresh) now:
    // what changes meanwhile is no doing of the user's.
    bool isFollowing() const { return following_; }

    // The ids of the records, in their order.
    std::vector<Guid> recordIds() const;
    // Changes to the records themselves, told to the views by the next
    // follow(). Puts them in a new order: the record at order[i] goes to
    // position i.
    virtual void reorderRecords(std::span<const int> order) = 0;
    // Removes the records of `ids`.
    virtual void removeRecords(const std::vector<Guid>& ids) = 0;

protected:
    virtual int recordCount() const = 0;
    virtual Guid recordId(int record) const = 0;
    // The text of a record's cell in a column other than 0.
    virtual QString recordText(int record, int column) const = 0;
    virtual int compareRecords(int a, int b, int column) const = 0;
    // The note of each record, in record order; empty for a record that is not
    // marked, and no notes at all when none is.
    virtual std::vector<QString> recordNotes() const { return {}; }

private:
    // What a row showed when the views were last told of it.
    struct RowLook {
        QStringList texts;
        QString note;

        friend bool operator==(const RowLook&, const RowLook&) = default;
    };

    // The record a row shows, -1 when it is gone.
    int recordOf(int row) const;
    RowLook lookOf(int record, const std::vector<QString>& notes) const;
    std::vector<RowLook> looksOfRecords() const;
    void removeGoneRows(const std::set<Guid>& now);
    void moveKeptRows(const std::vector<Guid>& target);
    void tellChangedCells(std::vector<RowLook> fresh);

    std::vector<ListColumn> columns_;
    ListOwner& owner_;
    std::vector<Guid> rows_;
    std::vector<RowLook> looks_;
    std::set<Guid> ticked_;
    bool shown_ = true;
    bool following_ = false;
};
