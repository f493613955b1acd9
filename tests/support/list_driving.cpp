#include "support/list_driving.h"

#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"

#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QModelIndex>
#include <QTest>

#include <gtest/gtest.h>

PaintCounter::PaintCounter(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets)
        widget->installEventFilter(this);
    QTest::qWait(50);
    paints = 0;
}

bool PaintCounter::eventFilter(QObject*, QEvent* event)
{
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
}

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void clickCell(CSortComboListCtrl& list, int row, int column, Qt::KeyboardModifiers modifiers)
{
    const QRect cell = list.visualRect(list.model()->index(row, column));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, cell.center());
}

void clickHeader(CSortComboListCtrl& list, int column)
{
    QHeaderView* header = list.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

QStringList columnTexts(const CSortComboListCtrl& list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts.append(list.cellText(row, column));
    return texts;
}

void openCellEditor(CSortComboListCtrl& list, int row, int column)
{
    clickCell(list, row, column);
    if (list.openEdit() == nullptr && list.openCombo() == nullptr)
        clickCell(list, row, column);
}

void editCell(CSortComboListCtrl& list, int row, int column, const QString& text)
{
    openCellEditor(list, row, column);
    CInPlaceEdit* edit = list.openEdit();
    ASSERT_NE(edit, nullptr) << "no edit box over row " << row << " column " << column;
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
}

void chooseInCell(CSortComboListCtrl& list, int row, int column, const QString& choice)
{
    openCellEditor(list, row, column);
    CInPlaceCombo* combo = list.openCombo();
    ASSERT_NE(combo, nullptr) << "no drop-down over row " << row << " column " << column;
    const int index = combo->findText(choice);
    ASSERT_GE(index, 0) << "no choice " << choice.toStdString();
    combo->setCurrentIndex(index);
    QTest::keyClick(combo, Qt::Key_Return);
    QApplication::processEvents();
}

bool dropOnList(CSortComboListCtrl& list, const QMimeData& data, const QPoint& at)
{
    QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
    return drop.isAccepted();
}

QStringList textList(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}
