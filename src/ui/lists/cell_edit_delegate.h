#pragma once

#include "ui/lists/cell_text_painter.h"

#include <QPointer>
#include <QStyledItemDelegate>

class CSortComboListCtrl;

// Opens the in-place editors of a list's cells, laid exactly over the cell:
// an edit box that takes the column's characters, or a drop-down of the
// choices the cell rules give the row. In an editor Enter commits, Escape
// ends the edit without committing anything, Tab and Shift+Tab commit and go
// on to the next or previous editable cell; the focus leaving the editor (a
// click elsewhere) commits too. A text equal to the cell's text when the edit
// began is never committed.
class CellEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CellEditDelegate(CSortComboListCtrl& list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The editor open now; null when none is.
    QWidget* openEditor() const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    // Keys on a cell are the list's: Space ticks through the list, and
    // Ctrl+Space selects, on the check box's cell too.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    CSortComboListCtrl& list_;
    mutable QPointer<QWidget> editor_;
    mutable CellTextPainter texts_;
};
