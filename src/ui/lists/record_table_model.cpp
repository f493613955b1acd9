#include "ui/lists/record_table_model.h"

#include "ui/lists/list_owner.h"

#include <QBrush>
#include <QColor>
#include <QMimeData>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The background of marked rows: a light orange that black text reads on in
// every style.
QColor markedBackground()
{
    return {255, 214, 160};
}

} // namespace

RecordTableModel::RecordTableModel(std::vector<ListColumn> columns, ListOwner& owner, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), owner_(owner)
{
}

const ListColumn& RecordTableModel::column(int column) const
{
    return columns_.at(static_cast<std::size_t>(column));
}

bool RecordTableModel::isEditable(int column) const
{
    return column > 0 && column < columnCount() && this->column(column).editor != CellEditor::None &&
           !this->column(column).computed;
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(row, index.column());
    case Qt::CheckStateRole:
        if (index.column() == 0)
            return isTicked(row) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        return note(row).isEmpty() ? QVariant() : QVariant(note(row));
    case Qt::BackgroundRole:
        return note(row).isEmpty() ? QVariant() : QVariant(QBrush(markedBackground()));
    case Qt::ForegroundRole:
        return note(row).isEmpty() ? QVariant() : QVariant(QBrush(Qt::black));
    default:
        return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return column(section).header;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    if (isEditable(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= rowCount())
        return false;
    const Guid id = idAt(index.row());
    if (role == Qt::CheckStateRole && index.column() == 0) {
        setTicked(std::span(&id, 1), value.toInt() == Qt::Checked);
        return true;
    }
    if (role == Qt::EditRole && isEditable(index.column())) {
        owner_.cellEdited(id, index.column(), value.toString());
        return true;
    }
    return false;
}

QStringList RecordTableModel::mimeTypes() const
{
    return {QString::fromLatin1(kRowsType)};
}

QMimeData* RecordTableModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<int> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid() && index.row() < rowCount())
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return nullptr;
    QByteArray lines = QByteArray::number(reinterpret_cast<quintptr>(this));
    for (const int row : rows)
        lines += '\n' + QByteArray::fromStdString(idAt(row).toString());
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kRowsType), lines);
    return data;
}

namespace {

// The ids of rows dragged from the table at `source`; none for other data.
std::optional<std::vector<Guid>> draggedIds(const QMimeData* data, quintptr source)
{
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(RecordTableModel::kRowsType)))
        return std::nullopt;
    const QList<QByteArray> lines = data->data(QString::fromLatin1(RecordTableModel::kRowsType)).split('\n');
    if (lines.isEmpty() || lines.front() != QByteArray::number(source))
        return std::nullopt;
    std::vector<Guid> ids;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (const auto id = Guid::fromString(lines[i].toStdString()))
            ids.push_back(*id);
    return ids;
}

} // namespace

bool RecordTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int, const QModelIndex&) const
{
    return action == Qt::MoveAction && draggedIds(data, reinterpret_cast<quintptr>(this)).has_value();
}

bool RecordTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex&)
{
    const auto ids = draggedIds(data, reinterpret_cast<quintptr>(this));
    if (action != Qt::MoveAction || !ids || ids->empty())
        return false;
    const std::optional<Guid> before = row >= 0 && row < rowCount() ? std::optional(idAt(row)) : std::nullopt;
    owner_.rowsDropped(*ids, before);
    return true;
}

Qt::DropActions RecordTableModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions RecordTableModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

bool RecordTableModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                                const QModelIndex& destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 ||
        sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount())
        return false;
    const std::vector<Guid> ids(rows_.begin() + sourceRow, rows_.begin() + sourceRow + count);
    const std::optional<Guid> before =
        destinationChild < rowCount() ? std::optional(idAt(destinationChild)) : std::nullopt;
    owner_.rowsDropped(ids, before);
    return true;
}

Guid RecordTableModel::idAt(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)] : Guid{};
}

int RecordTableModel::rowOf(const Guid& id) const
{
    const auto found = std::find(rows_.begin(), rows_.end(), id);
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

QString RecordTableModel::text(int row, int column) const
{
    // A row's number is the one the views were last told, so that rows
    // coming, going or moving do not renumber the others before they hear of
    // it.
    if (column == 0)
        return row >= 0 && row < rowCount() ? looks_[static_cast<std::size_t>(row)].texts.value(0) : QString();
    const int record = recordOf(row);
    return record >= 0 && column < columnCount() ? recordText(record, column) : QString();
}

QString RecordTableModel::note(int row) const
{
    return row >= 0 && row < rowCount() ? looks_[static_cast<std::size_t>(row)].note : QString();
}

QStringList RecordTableModel::choices(int row, int column) const
{
    return row >= 0 && row < rowCount() ? owner_.columnChoices(idAt(row), column) : QStringList();
}

int RecordTableModel::compareRows(int a, int b, int column) const
{
    const int first = recordOf(a);
    const int second = recordOf(b);
    return first >= 0 && second >= 0 ? compareRecords(first, second, column) : 0;
}

bool RecordTableModel::isTicked(int row) const
{
    return row >= 0 && row < rowCount() && ticked_.contains(rows_[static_cast<std::size_t>(row)]);
}

void RecordTableModel::setTicked(std::span<const Guid> ids, bool ticked)
{
    std::set<Guid> next = ticked_;
    for (const Guid& id : ids) {
        if (ticked)
            next.insert(id);
        else
            next.erase(id);
    }
    setTicks(std::vector<Guid>(next.begin(), next.end()));
}

void RecordTableModel::setTicks(std::span<const Guid> ids)
{
    std::set<Guid> next;
    for (const Guid& id : ids)
        if (rowOf(id) >= 0)
            next.insert(id);
    std::vector<int> changed;
    for (int row = 0; row < rowCount(); ++row)
        if (ticked_.contains(idAt(row)) != next.contains(idAt(row)))
            changed.push_back(row);
    ticked_ = std::move(next);
    // One notice per run of rows.
    for (std::size_t first = 0; first < changed.size();) {
        std::size_t last = first;
        while (last + 1 < changed.size() && changed[last + 1] == changed[last] + 1)
            ++last;
        emit dataChanged(index(changed[first], 0), index(changed[last], 0), {Qt::CheckStateRole});
        first = last + 1;
    }
}

std::vector<Guid> RecordTableModel::tickedIds() const
{
    std::vector<Guid> ids;
    for (const Guid& id : rows_)
        if (ticked_.contains(id))
            ids.push_back(id);
    return ids;
}

std::vector<Guid> RecordTableModel::recordIds() const
{
    std::vector<Guid> ids;
    const int count = recordCount();
    ids.reserve(static_cast<std::size_t>(count));
    for (int record = 0; record < count; ++record)
        ids.push_back(recordId(record));
    return ids;
}

int RecordTableModel::recordOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    const Guid& id = rows_[static_cast<std::size_t>(row)];
    const int count = recordCount();
    // Between changes each row shows the record at its own position.
    if (row < count && recordId(row) == id)
        return row;
    for (int record = 0; record < count; ++record)
        if (recordId(record) == id)
            return record;
    return -1;
}

RecordTableModel::RowLook RecordTableModel::lookOf(int record, const std::vector<QString>& notes) const
{
    RowLook look;
    look.texts.reserve(columnCount());
    look.texts.append(QString::number(record + 1));
    for (int column = 1; column < columnCount(); ++column)
        look.texts.append(recordText(record, column));
    if (static_cast<std::size_t>(record) < notes.size())
        look.note = notes[static_cast<std::size_t>(record)];
    return look;
}

std::vector<RecordTableModel::RowLook> RecordTableModel::looksOfRecords() const
{
    const std::vector<QString> notes = recordNotes();
    std::vector<RowLook> looks;
    const int count = recordCount();
    looks.reserve(static_cast<std::size_t>(count));
    for (int record = 0; record < count; ++record)
        looks.push_back(lookOf(record, notes));
    return looks;
}

namespace {

// Sets a flag while it lives.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag), was_(std::exchange(flag, true)) {}
    ~Raised() { flag_ = was_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
    bool was_;
};

} // namespace

void RecordTableModel::refresh()
{
    const Raised following(following_);
    beginResetModel();
    shown_ = true;
    rows_ = recordIds();
    looks_ = looksOfRecords();
    ticked_.clear();
    endResetModel();
}

void RecordTableModel::clear()
{
    const Raised following(following_);
    beginResetModel();
    shown_ = false;
    rows_.clear();
    looks_.clear();
    ticked_.clear();
    endResetModel();
}

void RecordTableModel::follow()
{
    if (!shown_)
        return;
    const Raised following(following_);
    const std::vector<Guid> now = recordIds();
    const std::set<Guid> nowIds(now.begin(), now.end());
    const std::set<Guid> shownIds(rows_.begin(), rows_.end());
    if (nowIds.size() != now.size() || shownIds.size() != rows_.size()) {
        refresh();
        return;
    }
    std::vector<RowLook> fresh = looksOfRecords();
    removeGoneRows(nowIds);
    const std::set<Guid> kept(rows_.begin(), rows_.end());
    std::vector<Guid> target;
    target.reserve(kept.size());
    for (const Guid& id : now)
        if (kept.contains(id))
            target.push_back(id);
    moveKeptRows(target);
    // New rows come in with their looks: the views draw them anyway.
    for (std::size_t i = 0; i < now.size();) {
        if (kept.contains(now[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < now.size() && !kept.contains(now[end]))
            ++end;
        beginInsertRows({}, static_cast<int>(i), static_cast<int>(end) - 1);
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i), now.begin() + static_cast<std::ptrdiff_t>(i),
                     now.begin() + static_cast<std::ptrdiff_t>(end));
        looks_.insert(looks_.begin() + static_cast<std::ptrdiff_t>(i), fresh.begin() + static_cast<std::ptrdiff_t>(i),
                      fresh.begin() + static_cast<std::ptrdiff_t>(end));
        endInsertRows();
        i = end;
    }
    std::erase_if(ticked_, [&nowIds](const Guid& id) { return !nowIds.contains(id); });
    tellChangedCells(std::move(fresh));
}

void RecordTableModel::followRecord(const Guid& id)
{
    const int row = rowOf(id);
    bool rowsAreRecords = row >= 0 && recordCount() == rowCount();
    for (int record = 0; rowsAreRecords && record < recordCount(); ++record)
        rowsAreRecords = recordId(record) == rows_[static_cast<std::size_t>(record)];
    if (!shown_ || !rowsAreRecords) {
        follow();
        return;
    }
    const Raised following(following_);
    std::vector<RowLook> fresh = looks_;
    fresh[static_cast<std::size_t>(row)] = lookOf(row, recordNotes());
    tellChangedCells(std::move(fresh));
}

void RecordTableModel::removeGoneRows(const std::set<Guid>& now)
{
    for (int last = rowCount() - 1; last >= 0; --last) {
        if (now.contains(rows_[static_cast<std::size_t>(last)]))
            continue;
        int first = last;
        while (first > 0 && !now.contains(rows_[static_cast<std::size_t>(first) - 1]))
            --first;
        beginRemoveRows({}, first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        looks_.erase(looks_.begin() + first, looks_.begin() + last + 1);
        endRemoveRows();
        last = first;
    }
}

// Brings the rows into the order of `target`, which names each of them once,
// a run of rows at a time: a run already in order is moved as one.
void RecordTableModel::moveKeptRows(const std::vector<Guid>& target)
{
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (rows_[i] == target[i])
            continue;
        const auto from = static_cast<std::size_t>(
            std::find(rows_.begin() + static_cast<std::ptrdiff_t>(i) + 1, rows_.end(), target[i]) - rows_.begin());
        std::size_t length = 1;
        while (from + length < rows_.size() && i + length < target.size() && rows_[from + length] == target[i + length])
            ++length;
        beginMoveRows({}, static_cast<int>(from), static_cast<int>(from + length) - 1, {}, static_cast<int>(i));
        const auto at = [](auto& items, std::size_t position) {
            return items.begin() + static_cast<std::ptrdiff_t>(position);
        };
        std::rotate(at(rows_, i), at(rows_, from), at(rows_, from + length));
        std::rotate(at(looks_, i), at(looks_, from), at(looks_, from + length));
        endMoveRows();
    }
}

// The rows are in record order now: each row whose look differs from what it
// showed is told, one notice per run of rows.
void RecordTableModel::tellChangedCells(std::vector<RowLook> fresh)
{
    struct Run {
        int firstRow;
        int lastRow;
        int firstColumn;
        int lastColumn;
    };
    std::optional<Run> run;
    const auto tell = [this](const Run& r) {
        emit dataChanged(index(r.firstRow, r.firstColumn), index(r.lastRow, r.lastColumn));
    };
    for (int row = 0; row < rowCount(); ++row) {
        const RowLook& was = looks_[static_cast<std::size_t>(row)];
        const RowLook& is = fresh[static_cast<std::size_t>(row)];
        if (was == is)
            continue;
        int first = 0;
        int last = columnCount() - 1;
        if (was.note == is.note && was.texts.size() == is.texts.size()) {
            while (first < last && was.texts[first] == is.texts[first])
                ++first;
            while (last > first && was.texts[last] == is.texts[last])
                --last;
        }
        if (run && run->lastRow == row - 1) {
            run->lastRow = row;
            run->firstColumn = std::min(run->firstColumn, first);
            run->lastColumn = std::max(run->lastColumn, last);
            continue;
        }
        if (run)
            tell(*run);
        run = Run{row, row, first, last};
    }
    if (run)
        tell(*run);
    looks_ = std::move(fresh);
}
