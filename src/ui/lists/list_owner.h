#pragma once

#include "core/model/guid.h"

#include <QStringList>

#include <optional>
#include <vector>

// What a list asks of the pane that owns it. Records are named by their ids,
// never by a row, so that a sort, a filter or a change of the records meanwhile
// cannot send a text or a move to another record. Every call is made
// synchronously.
class ListOwner {
public:
    virtual ~ListOwner() = default;

    // The entries of the drop-down of the cell of record `id` in `column`.
    virtual QStringList columnChoices(const Guid& id, int column) = 0;
    // A text was committed in a cell of record `id` that differs from the
    // cell's text when the edit began.
    virtual void cellEdited(const Guid& id, int column, const QString& text) = 0;
    // A header was clicked.
    virtual void headerClicked(int column) = 0;
    // The Delete key: the selected rows are to be deleted.
    virtual void deleteRequested() {}
    // The records of `ids` were dropped just before the record `before`, or
    // at the end: they are to move there.
    virtual void rowsDropped(const std::vector<Guid>& ids, const std::optional<Guid>& before)
    {
        (void)ids;
        (void)before;
    }
    // A row (as shown) became the current row.
    virtual void rowFocused(int row) { (void)row; }
};
