#include "support/list_driving.h"
#include "ui/lists/list_owner.h"
#include "ui/lists/sort_combo_list_ctrls.h"

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

#include <map>
#include <memory>
#include <span>
#include <vector>

namespace {

struct Report {
    int row;
    int column;
    QString text;
};

// A pane that hosts a transponder list control and records what it is asked.
class TestOwner : public QWidget, public ListOwner {
public:
    TestOwner()
        : list(
              *this,
              [this](std::span<const Guid> ids) {
                  std::vector<const SateChannel*> found;
                  for (const Guid& id : ids)
                      found.push_back(find(id));
                  return found;
              },
              this)
    {
        resize(600, 300);
        list.setGeometry(0, 0, 600, 300);
        list.setColumnCount(4);
        list.setHorizontalHeaderLabels(
            {QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Freq")});
        for (int c = 0; c < 4; ++c)
            list.setColumnWidth(c, 100);
        list.SetReadOnlyColumn(0);
        list.SetComboColumn(2);
        list.SetColumnValidChars(3, QStringLiteral("0123456789."));
    }

    void addRow(const std::string& name, std::int32_t symbolRate, const QString& kind = QStringLiteral("TV"))
    {
        SateChannel tp = SateChannel::withAddDefaults(static_cast<std::uint8_t>(records.size() + 1), name);
        tp.symbolRate = symbolRate;
        records[tp.id.toString()] = tp;
        list.appendRow(
            {QString::number(list.rowCount() + 1), QString::fromStdString(name), kind, QString::number(symbolRate)},
            tp.id);
    }

    const SateChannel* find(const Guid& id) const
    {
        const auto it = records.find(id.toString());
        return it == records.end() ? nullptr : &it->second;
    }

    QStringList columnChoices(int, int column) override
    {
        ++choiceRequests;
        return column == 2 ? choices : QStringList{};
    }
    void cellEdited(int, int row, int column, const QString& text) override { reports.push_back({row, column, text}); }
    void headerClicked(int column) override { headerClicks.push_back(column); }
    void rowFocused(int, int row) override { focusedRows.push_back(row); }
    void deleteRequested() override { ++deleteRequests; }
    void rowsDropped(const std::optional<Guid>& before) override { drops.push_back(before); }

    QStringList names() const { return columnTexts(list, 1); }

    std::map<std::string, SateChannel> records;
    QStringList choices{QStringLiteral("TV"), QStringLiteral("DVB_S"), QStringLiteral("DVB_S2")};
    std::vector<Report> reports;
    std::vector<int> headerClicks;
    std::vector<int> focusedRows;
    int choiceRequests = 0;
    int deleteRequests = 0;
    std::vector<std::optional<Guid>> drops;
    CSateChannelSortComboListCtrl list;
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

TEST_F(ListCtrlTest, EditBoxFiltersTypedCharactersButPassesEditingKeys)
{
    clickCell(owner.list, 0, 3);
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
    EXPECT_EQ(edit->text(), QStringLiteral("12.ab"));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("12.ab"));
    EXPECT_EQ(owner.list.cellText(0, 3), QStringLiteral("12.ab"));
}

// However a refused character arrives, as a key's text of several units (an
// emoji) or as an input method's text, it never enters the box.
TEST_F(ListCtrlTest, EditBoxRefusesEmojiAndInputMethodText)
{
    clickCell(owner.list, 0, 3);
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
    clickCell(owner.list, 1, 1);
    CInPlaceEdit* edit = owner.list.openEdit();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("x!?_"));
    EXPECT_EQ(edit->text(), QStringLiteral("x!?_"));
}

TEST_F(ListCtrlTest, EscapeReportsTheInitialTextAndEnterTheCurrentOneOncePerEdit)
{
    clickCell(owner.list, 0, 1);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("zz"));
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("b"));
    EXPECT_TRUE(owner.list.hasFocus());

    editCell(owner.list, 0, 1, QStringLiteral("new"));
    ASSERT_EQ(owner.reports.size(), 2U);
    EXPECT_EQ(owner.reports[1].text, QStringLiteral("new"));
    // The editor has gone once the event loop has run.
    EXPECT_EQ(owner.list.openEdit(), nullptr);
}

TEST_F(ListCtrlTest, ClickOnAnotherCellEndsTheOpenEditFirst)
{
    clickCell(owner.list, 0, 1);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("x"));
    clickCell(owner.list, 2, 1);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].row, 0);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("x"));
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->row(), 2);
}

TEST_F(ListCtrlTest, ReadOnlyCellsAndModifierClicksOpenNothing)
{
    clickCell(owner.list, 1, 0);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.currentRow(), 1);
    clickCell(owner.list, 3, 1, Qt::ControlModifier);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.selectionModel()->selectedRows().size(), 2);
    EXPECT_TRUE(owner.reports.empty());
}

TEST_F(ListCtrlTest, ClickBelowTheLastRowChangesNothing)
{
    clickCell(owner.list, 1, 0);
    const QRect last = owner.list.visualRect(owner.list.model()->index(3, 1));
    QTest::mouseClick(owner.list.viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 3 * last.height()));
    EXPECT_EQ(owner.list.currentRow(), 1);
    EXPECT_EQ(owner.list.selectionModel()->selectedRows().size(), 1);
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
    clickCell(owner.list, 0, 2);
    CInPlaceCombo* combo = owner.list.openCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QStringLiteral("TV"));
    EXPECT_EQ(lastShownChoice(*combo), 2);

    owner.choices.clear();
    for (int i = 0; i < 12; ++i)
        owner.choices.append(QString::number(i));
    clickCell(owner.list, 1, 2);
    ASSERT_NE(owner.list.openCombo(), nullptr);
    EXPECT_EQ(lastShownChoice(*owner.list.openCombo()), 9);
}

TEST_F(ListCtrlTest, DropDownOnAnEmptyCellSelectsNothingAndEscapeReportsEmptyText)
{
    owner.list.setCellText(1, 2, QString());
    clickCell(owner.list, 1, 2);
    CInPlaceCombo* combo = owner.list.openCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), -1);
    QTest::keyClick(combo, Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QString());
}

TEST_F(ListCtrlTest, ChoosingInTheOpenListEndsTheEditWithThatChoice)
{
    clickCell(owner.list, 0, 2);
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
}

TEST_F(ListCtrlTest, HalfHiddenColumnIsScrolledIntoViewBeforeEditing)
{
    owner.list.resize(250, 300);
    QApplication::processEvents();
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
    clickCell(owner.list, 0, 1);
    QTest::keyClicks(owner.list.openEdit(), QStringLiteral("q"));
    owner.list.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("q"));
}

TEST_F(ListCtrlTest, HeaderClicksGoToTheOwner)
{
    QHeaderView* header = owner.list.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 10, header->height() / 2));
    EXPECT_EQ(owner.headerClicks, (std::vector<int>{3}));
}

TEST_F(ListCtrlTest, SortsNamesInDictionaryOrderWithCaseDistinguished)
{
    owner.list.sortColumn = 1;
    owner.list.sortAscending = true;
    owner.list.sortRows();
    EXPECT_EQ(owner.names(),
              (QStringList{QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("B")}));
    // Position texts and ticks travel with their rows.
    EXPECT_EQ(owner.list.cellText(0, 0), QStringLiteral("3"));
    owner.list.sortAscending = false;
    owner.list.sortRows();
    EXPECT_EQ(owner.names(),
              (QStringList{QStringLiteral("B"), QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("a")}));
}

TEST_F(ListCtrlTest, SymbolRateSortsByValueAndKeylessColumnsKeepTheOrder)
{
    owner.list.setChecked(2, true);
    owner.list.sortColumn = 6;
    owner.list.sortRows();
    EXPECT_EQ(owner.names(),
              (QStringList{QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_TRUE(owner.list.isChecked(3));
    owner.list.sortColumn = 2;
    owner.list.sortRows();
    EXPECT_EQ(owner.names(),
              (QStringList{QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("a")}));
}

TEST_F(ListCtrlTest, EditOfARowRemovedMeanwhileIsDropped)
{
    clickCell(owner.list, 1, 1);
    ASSERT_NE(owner.list.openEdit(), nullptr);
    owner.list.removeAllRows();
    owner.list.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(owner.reports.empty());
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
    QApplication::processEvents();
    ASSERT_EQ(owner.reports.size(), 1U);
    EXPECT_EQ(owner.reports[0].text, QStringLiteral("x"));
    ASSERT_NE(owner.list.openCombo(), nullptr); // the next cell, a drop-down
    QTest::keyClick(owner.list.openCombo(), Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->column(), 3);
    // Past the last column the next row's first editable cell opens; Shift+Tab
    // goes back.
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->row(), 2);
    EXPECT_EQ(owner.list.openEdit()->column(), 1);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Backtab, Qt::ShiftModifier);
    QApplication::processEvents();
    ASSERT_NE(owner.list.openEdit(), nullptr);
    EXPECT_EQ(owner.list.openEdit()->row(), 1);
    EXPECT_EQ(owner.list.openEdit()->column(), 3);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(owner.reports.size(), 5U);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
    // Enter opens the current cell's editor too; on column 0 nothing opens.
    QTest::keyClick(&owner.list, Qt::Key_Return);
    EXPECT_NE(owner.list.openEdit(), nullptr);
    QTest::keyClick(owner.list.openEdit(), Qt::Key_Escape);
    QApplication::processEvents();
    QTest::keyClick(&owner.list, Qt::Key_Home);
    QTest::keyClick(&owner.list, Qt::Key_F2);
    EXPECT_EQ(owner.list.openEdit(), nullptr);
}

TEST_F(ListCtrlTest, SpaceTicksAndDeleteAsksTheOwner)
{
    clickCell(owner.list, 1, 0);
    QTest::keyClick(&owner.list, Qt::Key_Space);
    EXPECT_TRUE(owner.list.isChecked(1));
    QTest::keyClick(&owner.list, Qt::Key_Space);
    EXPECT_FALSE(owner.list.isChecked(1));
    QTest::keyClick(&owner.list, Qt::Key_Delete);
    EXPECT_EQ(owner.deleteRequests, 1);
}

// Hidden rows take no part in what the list reports for commands.
TEST_F(ListCtrlTest, FindBoxHidesRowsThatCommandsThenSkip)
{
    bool flag = false;
    owner.list.showFilterBox(QStringLiteral("Find"));
    ASSERT_TRUE(owner.list.filterBox()->hasFocus());
    QTest::keyClicks(owner.list.filterBox(), QStringLiteral("b"));
    EXPECT_FALSE(owner.list.isShown(1));
    EXPECT_TRUE(owner.list.isShown(3));
    owner.list.selectAll();
    owner.list.toggleAllChecks(flag);
    EXPECT_EQ(owner.list.checkedIds(), (std::vector<Guid>{owner.list.rowId(0), owner.list.rowId(3)}));
    EXPECT_EQ(owner.list.selectedIds(), owner.list.checkedIds());
    QTest::keyClick(owner.list.filterBox(), Qt::Key_Escape);
    EXPECT_TRUE(owner.list.hasFocus());
    EXPECT_FALSE(owner.list.filterBox()->isVisible());
    EXPECT_TRUE(owner.list.isShown(1));
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
    EXPECT_EQ(owner.drops, (std::vector<std::optional<Guid>>{owner.list.rowId(1), owner.list.rowId(2), std::nullopt}));
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

    clickCell(owner->list, 0, 1);
    ASSERT_NE(owner->list.openEdit(), nullptr);
    QTest::keyClick(owner->list.openEdit(), Qt::Key_Return);
    clickCell(owner->list, 0, 2);
    ASSERT_NE(owner->list.openCombo(), nullptr);
    QTest::keyClick(owner->list.openCombo(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(owner->reports.size(), 2U);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

} // namespace
