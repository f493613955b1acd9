#include "support/list_driving.h"
#include "support/test_records.h"
#include "ui/lists/in_place_combo.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/record_sort_filter_model.h"
#include "ui/lists/record_table_model.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace {

struct Report {
    Guid id;
    int column;
    QString text;
};

// A pane that hosts a list and records what it is asked; it stores the texts
// committed, as a pane whose rules accept everything would.
class TestOwner : public QWidget, public ListOwner {
public:
    TestOwner()
    {
        resize(600, 300);
        list.setGeometry(0, 0, 600, 300);
        for (int c = 0; c < 4; ++c)
            list.setColumnWidth(c, 100);
    }

    void addRow(const char* name, int rate, const char* kind = "TV")
    {
        records.records.push_back({Guid::generate(), QString::fromUtf8(name), QString::fromUtf8(kind), rate});
        records.follow();
    }

    QStringList columnChoices(const Guid&, int column) override { return column == 2 ? choices : QStringList{}; }
    void cellEdited(const Guid& id, int column, const QString& text) override
    {
        reports.push_back({id, column, text});
        for (TestRecord& r : records.records) {
            if (r.id != id)
                continue;
            if (column == 1)
                r.name = text;
            else if (column == 2)
                r.kind = text;
        }
        records.follow();
    }
    void headerClicked(int column) override { headerClicks.push_back(column); }
    void rowFocused(int row) override { focusedRows.push_back(row); }
    void deleteRequested() override { ++deleteRequests; }
    void rowsDropped(const std::vector<Guid>& ids, const std::optional<Guid>& before) override
    {
        drops.push_back({ids, before});
    }

    QStringList names() const { return columnTexts(list, 1); }
    Guid id(int record) const { return records.records[static_cast<std::size_t>(record)].id; }

    QStringList choices{QStringLiteral("TV"), QStringLiteral("DVB_S"), QStringLiteral("DVB_S2")};
    std::vector<Report> reports;
    std::vector<int> headerClicks;
    std::vector<int> focusedRows;
    int deleteRequests = 0;
    std::vector<std::pair<std::vector<Guid>, std::optional<Guid>>> drops;
    TestRecords records{*this};
    CSateChannelSortComboListCtrl list{records, *this, this};
};

class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.addRow("b", 10000);
        owner.addRow("A", 9000);
        owner.addRow("a", 27500);
        owner.addRow("B", 1000);
        showActive(owner);
    }
    TestOwner owner;
};

// The first click on a cell of another row makes that row current; a click on
// a cell of the current row opens its editor.
TEST_F(ListCtrlTest, AClickOnTheCurrentRowEditsAndOnAnotherRowSelects)
{
    clickCell(owner.list, 2, 1);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.currentRow(), 2);
    clickCell(owner.list, 2, 3);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->column(), 3);

    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("9"));
    clickCell(owner.list, 0, 1); // ends the open edit first
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("9"));
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.currentRow(), 0);
}

TEST_F(ListCtrlTest, EditBoxFiltersTypingButPastesAnythingAndKeepsItsEditingKeys)
{
    openCellEditor(owner.list, 0, 3);
    CInPlaceEdit* edit = owner.list.openEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("10000"));
    QTest::keyClicks(edit, QStringLiteral("1a2.x5"));
    EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("12."));
    // Pasting brings in anything, refused characters included.
    QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("12.ab"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12.ab"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("12.ab"));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].id, owner.id(0));
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("12.ab"));
}

// However a refused character arrives, as a key's text of several units (an
// emoji) or as an input method's text, it never enters the box.
TEST_F(ListCtrlTest, EditBoxRefusesEmojiAndInputMethodText)
{
    openCellEditor(owner.list, 0, 3);
    CInPlaceEdit* edit = owner.list.openEdit();
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_End);
    QKeyEvent emoji(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xF0\x9F\x98\x80"));
    QApplication::sendEvent(edit, &emoji);
    EXPECT_EQ(edit->text(), QStringLiteral("10000"));
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\xE4\xB8\xAD"
                                               "1"));
    QApplication::sendEvent(edit, &composed);
    EXPECT_EQ(edit->text(), QStringLiteral("100001"));
    QTest::keyClick(edit, Qt::Key_Delete); // a key that types nothing still works
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("00001"));
}

TEST_F(ListCtrlTest, ColumnWithoutAcceptedCharactersTakesEverything)
{
    openCellEditor(owner.list, 1, 1);
    CInPlaceEdit* edit = owner.list.openEdit();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("x!?_"));
    EXPECT_EQ(edit->text(), QStringLiteral("x!?_"));
}

// Escape, and a text committed as it was, commit nothing; a changed text is
// committed once and the cell shows what the record holds then.
TEST_F(ListCtrlTest, OnlyAChangedTextIsCommittedAndEscapeCommitsNothing)
{
    openCellEditor(owner.list, 0, 1);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("zz"));
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Escape);
    EXPECT_TRUE(owner.reports.empty());
    EXPECT_TRUE(owner.list.hasFocus());
    EXPECT_EQ(owner.list.cellText(0, 1), QStringLiteral("b"));

    openCellEditor(owner.list, 0, 1);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Return);
    openCellEditor(owner.list, 0, 2);
    ASSERT_NE(owner.list.openCombo(), nullptr);
    QTest::keyClick(owner.list.openCombo(), Qt::Key_Tab);
    EXPECT_TRUE(owner.reports.empty());

    editCell(owner.list, 0, 1, QStringLiteral("new"));
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("new"));
    EXPECT_EQ(owner.list.cellText(0, 1), QStringLiteral("new"));
    // The editor has gone once the event loop has run.
    EXPECT_EQ(owner.list.openEdit(), nullptr);
}

// The focus going to a cell's editor and back changes how that cell looks,
// not the other rows: they are not drawn again.
TEST_F(ListCtrlTest, EditorTakingAndGivingBackTheFocusRedrawsItsRowOnly)
{
    struct PaintedRects : QObject {
        std::vector<QRect> rects;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                rects.push_back(static_cast<QPaintEvent*>(event)->rect());
            return false;
        }
    } painted;
    clickCell(owner.list, 1, 0);
    QApplication::processEvents();
    owner.list.viewport()->installEventFilter(&painted);
    openCellEditor(owner.list, 1, 1);
    QApplication::processEvents();
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_TRUE(owner.list.hasFocus());
    ASSERT_FALSE(painted.rects.empty());
    const QRect row = owner.list.visualRect(owner.list.rowOrder().index(1, 1));
    for (const QRect& rect : painted.rects) {
        EXPECT_GE(rect.top(), row.top());
        EXPECT_LE(rect.bottom(), row.bottom());
    }
}

TEST_F(ListCtrlTest, ReadOnlyCellsAndModifierClicksOpenNothing)
{
    clickCell(owner.list, 1, 0);
    clickCell(owner.list, 1, 0);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.currentRow(), 1);
    clickCell(owner.list, 3, 1, Qt::ControlModifier);
    clickCell(owner.list, 3, 1, Qt::ControlModifier);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.selectedIds(), (std::vector<Guid>{owner.id(1)}));
    EXPECT_TRUE(owner.reports.empty());
}

TEST_F(ListCtrlTest, ClickBelowTheLastRowChangesNothing)
{
    clickCell(owner.list, 1, 0);
    const QRect last = owner.list.visualRect(owner.list.model()->index(3, 1));
    QTest::mouseClick(owner.list.viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 3 * last.height()));
    EXPECT_EQ(owner.list.currentRow(), 1);
    EXPECT_EQ(owner.list.selectedIds().size(), 1U);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
}

TEST_F(ListCtrlTest, FocusedRowIsReported)
{
    owner.focusedRows.clear();
    clickCell(owner.list, 2, 0);
    clickCell(owner.list, 2, 0);
    clickCell(owner.list, 1, 0);
    EXPECT_EQ(owner.focusedRows, (std::vector<int>{2, 1}));
}

// The index of the last choice the open list of `combo` shows.
int lastShownChoice(CInPlaceCombo& combo)
{
    combo.showPopup();
    const QAbstractItemView* view = combo.view();
    const int last = view->indexAt(QPoint(1, view->viewport()->height() - 1)).row();
    combo.hidePopup();
    QApplication::processEvents();
    return last;
}

TEST_F(ListCtrlTest, DropDownOffersTheOwnersChoicesAndShowsTenAtMost)
{
    openCellEditor(owner.list, 0, 2);
    CInPlaceCombo* combo = owner.list.openCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QStringLiteral("TV"));
    EXPECT_EQ(lastShownChoice(*combo), 2);

    owner.choices.clear();
    for (int i = 0; i < 12; ++i)
        owner.choices.append(QString::number(i));
    openCellEditor(owner.list, 1, 2);
    ASSERT_NE(owner.list.openCombo(), nullptr);
    EXPECT_EQ(lastShownChoice(*owner.list.openCombo()), 9);
}

TEST_F(ListCtrlTest, DropDownOnACellNoneOfItsChoicesBeginsSelectsNothing)
{
    owner.records.records[1].kind = QStringLiteral("X");
    openCellEditor(owner.list, 1, 2);
    CInPlaceCombo* combo = owner.list.openCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), -1);
    QTest::keyClick(combo, Qt::Key_Return);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QString());
}

TEST_F(ListCtrlTest, ChoosingInTheOpenListEndsTheEditWithThatChoice)
{
    openCellEditor(owner.list, 0, 2);
    CInPlaceCombo* combo = owner.list.openCombo();
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("DVB_S2"));
    EXPECT_EQ(owner.list.cellText(0, 2), QStringLiteral("DVB_S2"));
    EXPECT_EQ(owner.list.openCombo(), nullptr);
}

TEST_F(ListCtrlTest, HalfHiddenColumnIsScrolledIntoViewBeforeEditing)
{
    owner.list.resize(250, 300);
    QApplication::processEvents();
    clickCell(owner.list, 0, 0);
    ASSERT_GT(owner.list.columnViewportPosition(3) + 100, owner.list.viewport()->width());
    // Click the visible part of the last column.
    const int x = owner.list.columnViewportPosition(3) + 5;
    const int y = owner.list.rowViewportPosition(0) + 3;
    QTest::mouseClick(owner.list.viewport(), Qt::LeftButton, {}, QPoint(x, y));
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_LE(owner.list.columnViewportPosition(3) + 100, owner.list.viewport()->width());
    EXPECT_EQ(owner.list.openEdit()->geometry().left(), owner.list.columnViewportPosition(3));
}

TEST_F(ListCtrlTest, ScrollingCommitsTheOpenEditFirst)
{
    openCellEditor(owner.list, 0, 1);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("q"));
    owner.list.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("q"));
}

TEST_F(ListCtrlTest, HeaderClicksGoToTheOwner)
{
    clickHeader(owner.list, 3);
    EXPECT_EQ(owner.headerClicks, (std::vector<int>{3}));
}

TEST_F(ListCtrlTest, SortsNamesInDictionaryOrderWithCaseDistinguished)
{
    owner.list.sortRows(1, true);
    EXPECT_EQ(owner.names(), textList({"a", "A", "b", "B"}));
    // Position texts and ticks travel with their rows.
    EXPECT_EQ(owner.list.cellText(0, 0), QStringLiteral("3"));
    owner.list.sortRows(1, false);
    EXPECT_EQ(owner.names(), textList({"B", "b", "A", "a"}));
}

// Rows moved or sorted leave the scroll bars as they were: they are not laid
// out and painted again. Rows added and a column widened still reach them.
TEST_F(ListCtrlTest, ScrollBarsFollowRowsAndColumnsButNotMovesOrSorts)
{
    for (int row = 0; row < 40; ++row)
        owner.addRow("r", row);
    owner.list.setColumnWidth(1, 900);
    QApplication::processEvents();
    QScrollBar& rowsBar = *owner.list.verticalScrollBar();
    QScrollBar& columnsBar = *owner.list.horizontalScrollBar();
    // The ranges are what the rows and columns need beyond the viewport.
    const auto expectRanges = [&] {
        EXPECT_EQ(rowsBar.maximum(), owner.list.rowCount() - owner.list.viewport()->height() / owner.list.rowHeight(0));
        EXPECT_EQ(columnsBar.maximum(), owner.list.horizontalHeader()->length() - owner.list.viewport()->width());
    };
    expectRanges();
    PaintCounter painted{&rowsBar, &columnsBar};
    std::rotate(owner.records.records.begin(), owner.records.records.begin() + 3, owner.records.records.end());
    owner.records.follow();
    QApplication::processEvents();
    owner.list.sortRows(3, false);
    QApplication::processEvents();
    EXPECT_EQ(painted.paints, 0);

    for (int row = 0; row < 20; ++row)
        owner.addRow("s", row);
    owner.list.setColumnWidth(1, 500);
    QApplication::processEvents();
    expectRanges();
}

// A sort is an order the rows keep: an edited row stays where it is and new
// rows come last, until record order is shown again.
TEST_F(ListCtrlTest, SortedRowsKeepTheirPlacesWhileRecordsChange)
{
    owner.list.setChecked(2, true);
    owner.list.sortRows(3, true);
    EXPECT_EQ(owner.names(), textList({"B", "A", "b", "a"}));
    EXPECT_TRUE(owner.list.isChecked(3));
    owner.list.sortRows(2, true); // a column without a key keeps the order
    EXPECT_EQ(owner.names(), textList({"B", "A", "b", "a"}));

    owner.list.sortRows(1, true);
    editCell(owner.list, 0, 1, QStringLiteral("z"));
    owner.addRow("c", 1);
    EXPECT_EQ(owner.names(), textList({"z", "A", "b", "B", "c"}));
    owner.list.clearSort();
    EXPECT_EQ(owner.names(), textList({"b", "A", "z", "B", "c"}));
}

TEST_F(ListCtrlTest, EditOfARowRemovedMeanwhileIsDropped)
{
    openCellEditor(owner.list, 1, 1);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("x"));
    owner.records.removeRecords({owner.id(1)});
    owner.records.follow();
    owner.list.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(owner.reports.empty());
    EXPECT_EQ(owner.names(), textList({"b", "a", "B"}));
    openCellEditor(owner.list, 0, 1);
    EXPECT_NE(owner.list.openEdit(), nullptr);
}

// The keyboard alone moves, opens, commits and goes on from cell to cell.
TEST_F(ListCtrlTest, KeysOpenEditorsAndTabGoesOnFromCellToCell)
{
    owner.list.setFocus(); // the first cell becomes the current one
    QTest::keyClick(&owner.list, Qt::Key_Down);
    QTest::keyClick(&owner.list, Qt::Key_Right);
    EXPECT_EQ(owner.list.currentRow(), 1);
    EXPECT_EQ(owner.list.currentColumn(), 1);
    QTest::keyClick(&owner.list, Qt::Key_F2);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("x"));
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Tab);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("x"));
    ASSERT_NE(owner.list.openCombo(), nullptr); // the next cell, a drop-down
    QTest::keyClick(owner.list.openCombo(), Qt::Key_Tab);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->column(), 3);
    // Past the last column the next row's first editable cell opens; Shift+Tab
    // goes back.
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Tab);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->row(), 2);
    EXPECT_EQ(owner.list.openEdit()->column(), 1);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->row(), 1);
    EXPECT_EQ(owner.list.openEdit()->column(), 3);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    // Enter opens the current cell's editor too; on column 0 nothing opens;
    // past the last row Tab opens nothing.
    QTest::keyClick(&owner.list, Qt::Key_Return);
    EXPECT_NE(owner.list.openEdit(), nullptr);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Escape);
    QTest::keyClick(&owner.list, Qt::Key_Home);
    QTest::keyClick(&owner.list, Qt::Key_F2);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    QTest::keyClick(&owner.list, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&owner.list, Qt::Key_F2);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Tab);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.currentRow(), 3);
}

// Space ticks the current row, once; Ctrl+Space takes it out of the
// selection or puts it back, even on the check box's cell.
TEST_F(ListCtrlTest, SpaceTicksCtrlSpaceSelectsAndDeleteAsksTheOwner)
{
    clickCell(owner.list, 1, 0);
    QTest::keyClick(&owner.list, Qt::Key_Space);
    EXPECT_TRUE(owner.list.isChecked(1));
    QTest::keyClick(&owner.list, Qt::Key_Space);
    EXPECT_FALSE(owner.list.isChecked(1));
    QTest::keyClick(&owner.list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(owner.list.selectedIds().empty());
    EXPECT_FALSE(owner.list.isChecked(1));
    EXPECT_EQ(owner.list.currentRow(), 1);
    QTest::keyClick(&owner.list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(owner.list.selectedIds(), std::vector<Guid>{owner.id(1)});
    QTest::keyClick(&owner.list, Qt::Key_Delete);
    EXPECT_EQ(owner.deleteRequests, 1);
}

// Hidden rows take no part in what the list reports for commands.
TEST_F(ListCtrlTest, FilteredRowsAreLeftOutOfCommands)
{
    bool flag = false;
    owner.list.setFilterText(QStringLiteral("b"));
    EXPECT_EQ(owner.names(), textList({"b", "B"}));
    owner.list.selectAll();
    owner.list.toggleAllChecks(flag);
    EXPECT_EQ(owner.list.checkedIds(), (std::vector<Guid>{owner.id(0), owner.id(3)}));
    EXPECT_EQ(owner.list.selectedIds(), owner.list.checkedIds());
    owner.list.setFilterText(QString());
    EXPECT_EQ(owner.list.rowCount(), 4);
    EXPECT_FALSE(owner.list.isChecked(1));
}

TEST_F(ListCtrlTest, HeaderShowsTheSortDirectionWhileRowsAreSorted)
{
    QHeaderView* header = owner.list.horizontalHeader();
    owner.list.sortByColumn(3);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    owner.list.sortByColumn(3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    owner.list.clearSort();
    EXPECT_FALSE(header->isSortIndicatorShown());
}

// A drop of the list's own rows tells the owner which row they go before;
// other drops are refused.
TEST_F(ListCtrlTest, DroppedRowsGoToTheOwner)
{
    const QRect second = owner.list.visualRect(owner.list.model()->index(1, 1));
    const auto drop = [&](const QMimeData& data, const QPoint& at) { return dropOnList(owner.list, data, at); };
    QMimeData text;
    text.setText(QStringLiteral("11493"));
    EXPECT_FALSE(drop(text, second.center()));
    clickCell(owner.list, 3, 0);
    const std::unique_ptr<QMimeData> rows = owner.list.draggedRows();
    EXPECT_TRUE(drop(*rows, second.topLeft() + QPoint(5, 2)));
    EXPECT_TRUE(drop(*rows, second.bottomLeft() + QPoint(5, -2)));
    EXPECT_TRUE(drop(*rows, QPoint(5, owner.list.viewport()->height() - 2)));
    const std::vector<Guid> dragged{owner.id(3)};
    EXPECT_EQ(owner.drops, (std::vector<std::pair<std::vector<Guid>, std::optional<Guid>>>{
                               {dragged, owner.id(1)}, {dragged, owner.id(2)}, {dragged, std::nullopt}}));
    // Another list's rows are not taken.
    TestOwner other;
    other.addRow("x", 1);
    other.list.selectAll();
    EXPECT_FALSE(drop(*other.list.draggedRows(), second.center()));
}

TEST(ListCtrlInDialog, EnterAndEscapeEndTheEditButNeverTheDialog)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* owner = new TestOwner;
    layout->addWidget(owner);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    owner->addRow("a", 1000);
    showActive(dialog);

    openCellEditor(owner->list, 0, 1);
    ASSERT_NE(owner->list.openEdit(), nullptr);
    QTest::keyClicks(owner->list.openEdit(), QStringLiteral("b"));
    QTest::keyClick(owner->list.openEdit(), Qt::Key_Return);
    openCellEditor(owner->list, 0, 2);
    ASSERT_NE(owner->list.openCombo(), nullptr);
    QTest::keyClick(owner->list.openCombo(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(owner->reports.size(), 1U);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

} // namespace
