#pragma once

#include "core/model/guid.h"

#include <QStringList>

#include <optional>

// What a list control asks of the pane that owns it. Every call is made
// synchronously, so the owner has answered (and possibly rebuilt the rows)
// before the control goes on.
class ListOwner {
public:
    virtual ~ListOwner() = default;

    // The entries of the drop-down opening on the cell of `row` and `column`.
    virtual QStringList columnChoices(int row, int column) = 0;
    // The text of a cell was committed; the control has already written it into
    // the cell.
    virtual void cellEdited(int controlId, int row, int column, const QString& text) = 0;
    // A header was clicked.
    virtual void headerClicked(int column) = 0;
    // The Delete key: the selected rows are to be deleted.
    virtual void deleteRequested() {}
    // Selected rows were dropped just before the row of `before`, or at the
    // end: their records are to move there.
    virtual void rowsDropped(const std::optional<Guid>& before) { (void)before; }
    // A row became the focused row (asked only by controls that report it).
    virtual void rowFocused(int controlId, int row)
    {
        (void)controlId;
        (void)row;
    }
};
