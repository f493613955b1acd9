#include "support/test_records.h"
#include "ui/lists/list_owner.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPersistentModelIndex>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

// An owner that takes nothing.
class NoOwner : public ListOwner {
public:
    QStringList columnChoices(const Guid&, int) override { return {}; }
    void cellEdited(const Guid&, int, const QString&) override {}
    void headerClicked(int) override {}
};

class RecordTableModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.records = lettered("abcdef");
        model.refresh();
    }

    QStringList names() const
    {
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row)
            shown.append(model.text(row, 1));
        return shown;
    }
    TestRecord& named(char name)
    {
        return *std::find_if(model.records.begin(), model.records.end(),
                             [name](const TestRecord& r) { return r.name == QLatin1Char(name); });
    }

    NoOwner owner;
    TestRecords model{owner};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

// What changed in the records reaches the views as removed, moved, inserted
// and changed rows, never as a reset; marks on records stay on them.
TEST_F(RecordTableModelTest, FollowingTellsWhatChangedAndKeepsMarksOnTheirRecords)
{
    QItemSelectionModel selection(&model);
    selection.select(model.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection.setCurrentIndex(model.index(3, 1), QItemSelectionModel::NoUpdate);
    model.setTicked(std::vector<Guid>{named('b').id, named('e').id}, true);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    // b removed, d moved to the front, x added after a, e renamed.
    const TestRecord d = named('d');
    model.removeRecords({named('b').id, d.id});
    model.records.insert(model.records.begin(), d);
    model.records.insert(model.records.begin() + 2, lettered("x").front());
    named('e').name = QStringLiteral("E");
    model.follow();

    EXPECT_EQ(names(), (QStringList{QStringLiteral("d"), QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("c"),
                                    QStringLiteral("E"), QStringLiteral("f")}));
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(reset.count(), 0);
    // d and a numbered anew; c numbered anew and E renamed; x came in as it is.
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(0, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(1, 0));
    EXPECT_EQ(changed[1][0].toModelIndex(), model.index(3, 0));
    EXPECT_EQ(changed[1][1].toModelIndex(), model.index(4, 1));
    EXPECT_EQ(model.text(4, 0), QStringLiteral("5"));

    EXPECT_EQ(selection.selectedRows(), (QModelIndexList{model.index(3, 0)}));
    EXPECT_EQ(selection.currentIndex(), model.index(0, 1));
    EXPECT_EQ(model.tickedIds(), std::vector<Guid>{named('E').id});
}

// Editing one cell tells that cell alone.
TEST_F(RecordTableModelTest, OneChangedCellIsToldAlone)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    named('c').rate = 7;
    model.follow();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(2, 3));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(2, 3));
    model.follow();
    EXPECT_EQ(changed.count(), 1);
}

// A change to one record is told for that record; when the rows no longer
// stand for the records one for one (a record came meanwhile), they follow
// the records as a whole.
TEST_F(RecordTableModelTest, OneRecordFollowedAloneUnlessTheRowsChanged)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    named('c').rate = 7;
    model.followRecord(named('c').id);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(2, 3));

    model.records.push_back(lettered("g").front());
    named('a').rate = 3;
    model.followRecord(named('a').id);
    EXPECT_EQ(names().back(), QStringLiteral("g"));
    EXPECT_EQ(model.text(0, 3), QStringLiteral("3"));
}

// Records whose ids repeat cannot be told apart: the rows start afresh,
// unticked.
TEST_F(RecordTableModelTest, RepeatedIdsStartTheRowsAfresh)
{
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setTicked(std::vector<Guid>{named('a').id}, true);
    model.records[1].id = model.records[0].id;
    model.follow();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_TRUE(model.tickedIds().empty());
    EXPECT_EQ(model.rowCount(), 6);
}

TEST_F(RecordTableModelTest, ClearedRowsStayEmptyUntilRefreshed)
{
    model.clear();
    model.records.push_back(lettered("g").front());
    model.follow();
    EXPECT_EQ(model.rowCount(), 0);
    model.refresh();
    EXPECT_EQ(model.rowCount(), 7);
}

// Rows of this table dragged elsewhere in it go to the owner as a move;
// moveRows moves a block the same way.
TEST_F(RecordTableModelTest, DropsAndBlockMovesGoToTheOwner)
{
    class Mover : public NoOwner {
    public:
        void rowsDropped(const std::vector<Guid>& ids, const std::optional<Guid>& before) override
        {
            moves.push_back({ids, before});
        }
        std::vector<std::pair<std::vector<Guid>, std::optional<Guid>>> moves;
    } mover;
    TestRecords records(mover);
    records.records = lettered("abc");
    records.refresh();
    const std::unique_ptr<QMimeData> data(records.mimeData({records.index(2, 1), records.index(0, 0)}));
    ASSERT_TRUE(records.canDropMimeData(data.get(), Qt::MoveAction, 1, 0, {}));
    EXPECT_FALSE(records.canDropMimeData(data.get(), Qt::CopyAction, 1, 0, {}));
    EXPECT_FALSE(model.canDropMimeData(data.get(), Qt::MoveAction, 1, 0, {}));
    EXPECT_TRUE(records.dropMimeData(data.get(), Qt::MoveAction, 1, 0, {}));
    EXPECT_TRUE(records.moveRows({}, 1, 2, {}, 0));
    EXPECT_FALSE(records.moveRows({}, 2, 2, {}, 0));
    const std::vector<Guid> ends{records.idAt(0), records.idAt(2)};
    const std::vector<Guid> block{records.idAt(1), records.idAt(2)};
    EXPECT_EQ(mover.moves, (std::vector<std::pair<std::vector<Guid>, std::optional<Guid>>>{{ends, records.idAt(1)},
                                                                                           {block, records.idAt(0)}}));
}

} // namespace
