#include "ui/lists/cell_edit_delegate.h"

#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/record_sort_filter_model.h"
#include "ui/lists/record_table_model.h"
#include "ui/lists/sort_combo_list_ctrl.h"

#include <QKeyEvent>

namespace {

// How a key ends an edit, if it does.
enum class EditEnd { None, Commit, Cancel, Next, Previous };

EditEnd endOf(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EditEnd::Commit;
    case Qt::Key_Escape:
        return EditEnd::Cancel;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0)
            return EditEnd::None;
        return key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier) != 0 ? EditEnd::Previous
                                                                                          : EditEnd::Next;
    default:
        return EditEnd::None;
    }
}

} // namespace

CellEditDelegate::CellEditDelegate(CSortComboListCtrl& list) : QStyledItemDelegate(&list), list_(list) {}

void CellEditDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!texts_.paint(*painter, cell))
        QStyledItemDelegate::paint(painter, option, index);
}

QWidget* CellEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const ListColumn& column = list_.records().column(index.column());
    QWidget* editor = nullptr;
    switch (column.editor) {
    case CellEditor::Choice: {
        if (list_.columnWidth(index.column()) < CSortComboListCtrl::kMinComboColumnWidth)
            return nullptr;
        auto* combo =
            new CInPlaceCombo(parent, list_.records().choices(list_.rowOrder().recordRow(index.row()), index.column()));
        const QPointer<CInPlaceCombo> closing(combo);
        auto* self = const_cast<CellEditDelegate*>(this);
        connect(combo, &CInPlaceCombo::listClosed, self, [self, closing] {
            // Unless the edit has ended meanwhile.
            if (closing && closing == self->editor_ && closing->isVisible()) {
                emit self->commitData(closing);
                emit self->closeEditor(closing, SubmitModelCache);
            }
        });
        editor = combo;
        break;
    }
    case CellEditor::Text:
        editor = new CInPlaceEdit(parent, column.typedChars);
        break;
    case CellEditor::None:
        return nullptr;
    }
    editor_ = editor;
    return editor;
}

void CellEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (auto* edit = qobject_cast<CInPlaceEdit*>(editor))
        edit->start(index.row(), index.column(), text);
    else if (auto* combo = qobject_cast<CInPlaceCombo*>(editor))
        combo->start(index.row(), index.column(), text);
}

// Leaving a cell as it was changes nothing: the text a cell shows may stand
// for a value it does not show exactly (11778.50 MHz shows as 11778).
void CellEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QString text;
    QString initial;
    if (const auto* edit = qobject_cast<CInPlaceEdit*>(editor)) {
        text = edit->text();
        initial = edit->initialText();
    } else if (const auto* combo = qobject_cast<CInPlaceCombo*>(editor)) {
        text = combo->finalText();
        initial = combo->initialText();
    } else {
        return;
    }
    if (text != initial)
        model->setData(index, text, Qt::EditRole);
}

void CellEditDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

QWidget* CellEditDelegate::openEditor() const
{
    return editor_ && editor_->isVisible() ? editor_.data() : nullptr;
}

bool CellEditDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    if (event->type() == QEvent::KeyPress)
        return false;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

// The keys that end an edit are the editor's own, whatever shortcuts, default
// or cancel buttons the window has.
bool CellEditDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    const EditEnd end = editor != nullptr && key ? endOf(*static_cast<QKeyEvent*>(event)) : EditEnd::None;
    if (end == EditEnd::None)
        return QStyledItemDelegate::eventFilter(object, event);
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    switch (end) {
    case EditEnd::Commit:
        emit commitData(editor);
        emit closeEditor(editor, SubmitModelCache);
        break;
    case EditEnd::Cancel:
        emit closeEditor(editor, RevertModelCache);
        break;
    case EditEnd::Next:
        emit commitData(editor);
        emit closeEditor(editor, EditNextItem);
        break;
    case EditEnd::Previous:
        emit commitData(editor);
        emit closeEditor(editor, EditPreviousItem);
        break;
    case EditEnd::None:
        break;
    }
    return true;
}
