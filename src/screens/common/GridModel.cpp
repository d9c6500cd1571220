#include "screens/common/GridModel.h"

#include <QStringMatcher>
#include <algorithm>
#include <numeric>

namespace {

// The find text, found in a cell letter case aside. A text with no letter that has a case
// (Thai, digits, signs) is found as it is, which is the same and much quicker.
class FindText {
public:
    explicit FindText(const QString &text)
        : text_(text), case_(hasCase(text) ? Qt::CaseInsensitive : Qt::CaseSensitive),
          matcher_(text, case_)
    {
    }

    bool in(const QString &cell) const
    {
        // One character is found quicker without the matcher's table.
        return text_.size() == 1 ? cell.contains(text_.front(), case_)
                                 : matcher_.indexIn(cell) >= 0;
    }

private:
    static bool hasCase(const QString &text)
    {
        return std::any_of(text.begin(), text.end(),
                           [](QChar c) { return c.toLower() != c.toUpper(); });
    }

    QString text_;
    Qt::CaseSensitivity case_;
    QStringMatcher matcher_;
};

} // namespace

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent) {}

int GridModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return arranged_ ? static_cast<int>(shown_.size()) : std::max(0, rows_ - 1);
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return shownText(index.column(), index.row());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || rows_ < 1 || section < 0 ||
        section >= cols_)
        return {};
    return at(section, 0);
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridModel::sort(int column, Qt::SortOrder order)
{
    sortCol_ = column;
    descending_ = order == Qt::DescendingOrder;
    arrange();
}

void GridModel::setFind(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == find_)
        return;
    find_ = trimmed;
    arrange();
}

int GridModel::gridRow(int modelRow) const
{
    return arranged_ ? shown_[static_cast<size_t>(modelRow)] : modelRow + 1;
}

int GridModel::modelRow(int gridRow) const
{
    if (gridRow < 1 || gridRow >= rows_)
        return -1;
    if (!arranged_)
        return gridRow - 1;
    const auto at = std::find(shown_.begin(), shown_.end(), gridRow);
    return at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin());
}

QString GridModel::shownText(int col, int modelRow) const
{
    const QString &text = at(col, gridRow(modelRow));
    // The running number counts the rows as they are shown, so that a sorted or narrowed list
    // still reads 1, 2, 3 ... and its last number is its length.
    if (col == 0 && arranged_ && !text.isEmpty())
        return QString::number(modelRow + 1);
    return text;
}

void GridModel::set(int col, int row, const QString &text)
{
    cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)] = text;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    forget(col);
    // A cell written into a result keeps the user's row; new rows start a new result.
    if (wantsArrangement())
        scheduleArrange(false);
    // Arranged, the whole view is renewed with the next arrangement.
    if (!arranged_)
        markDirty(col, row - 1);
}

void GridModel::setRows(int count)
{
    dropArrangement();
    forget(-1);
    const int oldData = rowCount();
    const int newData = std::max(0, count - 1);
    const bool headerChanged = (rows_ == 0) != (count == 0);
    if (newData > oldData) {
        beginInsertRows({}, oldData, newData - 1);
        resizeRows(count);
        endInsertRows();
    } else if (newData < oldData) {
        beginRemoveRows({}, newData, oldData - 1);
        resizeRows(count);
        endRemoveRows();
    } else {
        resizeRows(count);
    }
    if (headerChanged && cols_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (wantsArrangement())
        scheduleArrange(true);
}

void GridModel::setCols(int count)
{
    dropArrangement();
    forget(-1);
    if (count > cols_) {
        beginInsertColumns({}, cols_, count - 1);
        reshape(count);
        endInsertColumns();
    } else if (count < cols_) {
        beginRemoveColumns({}, count, cols_ - 1);
        reshape(count);
        endRemoveColumns();
    }
    if (wantsArrangement())
        scheduleArrange(true);
}

void GridModel::arrangeIfDue()
{
    if (due_)
        arrange();
}

bool GridModel::wantsArrangement() const
{
    return (sortCol_ >= 0 && sortCol_ < cols_) || !find_.isEmpty();
}

void GridModel::dropArrangement()
{
    if (!arranged_)
        return;
    beginResetModel();
    arranged_ = false;
    shown_.clear();
    forNewCells_ = true;
    endResetModel();
}

void GridModel::scheduleArrange(bool forNewCells)
{
    due_ = true;
    newCellsDue_ = newCellsDue_ || forNewCells;
    if (arrangeQueued_)
        return;
    arrangeQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            arrangeQueued_ = false;
            arrangeIfDue();
        },
        Qt::QueuedConnection);
}

void GridModel::arrange()
{
    const bool forNewCells = newCellsDue_;
    due_ = false;
    newCellsDue_ = false;
    const bool wanted = wantsArrangement() && rows_ > 1;
    if (!wanted && !arranged_)
        return;
    std::vector<int> order;
    if (wanted) {
        const std::vector<int> &sorted = sortedRows();
        if (find_.isEmpty()) {
            order = sorted;
        } else {
            markHolders();
            order.reserve(sorted.size());
            for (int row : sorted) {
                if (holds_[static_cast<size_t>(row - 1)])
                    order.push_back(row);
            }
        }
    }
    beginResetModel();
    arranged_ = wanted;
    shown_ = std::move(order);
    forNewCells_ = forNewCells;
    endResetModel();
}

void GridModel::forget(int col)
{
    if (col < 0 || col == keysCol_)
        keysCol_ = -1;
    if (col < 0 || col == sortedCol_)
        sortedValid_ = false;
    // The running number is not searched.
    if (col != 0)
        holdsValid_ = false;
}

const std::vector<int> &GridModel::sortedRows()
{
    if (sortedValid_ && sortedCol_ == sortCol_ && sortedDescending_ == descending_)
        return sorted_;
    const int data = rows_ - 1;
    sorted_.resize(static_cast<size_t>(data));
    sortedValid_ = true;
    sortedCol_ = sortCol_;
    sortedDescending_ = descending_;
    if (sortCol_ <= 0 || sortCol_ >= cols_) {
        // Column 0 numbers the rows in their own order.
        std::iota(sorted_.begin(), sorted_.end(), 1);
        if (sortCol_ == 0 && descending_)
            std::reverse(sorted_.begin(), sorted_.end());
        return sorted_;
    }
    if (keysCol_ != sortCol_) {
        QStringList column;
        column.reserve(data);
        for (int r = 1; r < rows_; ++r)
            column << at(sortCol_, r);
        keys_ = cellorder::columnKeys(column);
        keysCol_ = sortCol_;
    }
    const std::vector<int> places = cellorder::sortedOrder(keys_, descending_);
    for (size_t i = 0; i < places.size(); ++i)
        sorted_[i] = places[i] + 1;
    return sorted_;
}

void GridModel::markHolders()
{
    const auto data = static_cast<size_t>(std::max(0, rows_ - 1));
    // Typing on narrows what was found: only the rows that held the shorter text can hold this.
    const bool narrowing = holdsValid_ && holds_.size() == data && !holdsFor_.isEmpty() &&
                           find_.contains(holdsFor_, Qt::CaseInsensitive);
    if (!narrowing)
        holds_.assign(data, 1);
    const FindText text(find_);
    // The running number is the list's, not the row's: finding "12" should not bring row 12.
    for (size_t i = 0; i < data; ++i) {
        if (!holds_[i])
            continue;
        const int row = static_cast<int>(i) + 1;
        bool found = false;
        for (int c = 1; c < cols_ && !found; ++c)
            found = text.in(at(c, row));
        holds_[i] = found;
    }
    holdsFor_ = find_;
    holdsValid_ = true;
}

void GridModel::resizeRows(int count)
{
    rows_ = count;
    const size_t size = static_cast<size_t>(rows_) * static_cast<size_t>(cols_);
    cells_.resize(size);
    // A grid cut back after a large search should not keep the large block.
    if (cells_.capacity() > 4096 && cells_.capacity() / 4 > size)
        cells_.shrink_to_fit();
}

void GridModel::reshape(int count)
{
    std::vector<QString> next(static_cast<size_t>(rows_) * static_cast<size_t>(count));
    const int keep = std::min(cols_, count);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < keep; ++c)
            next[static_cast<size_t>(r) * static_cast<size_t>(count) + static_cast<size_t>(c)] =
                std::move(cells_[static_cast<size_t>(r) * static_cast<size_t>(cols_) +
                                 static_cast<size_t>(c)]);
    }
    cells_ = std::move(next);
    cols_ = count;
}

// A screen writes a whole result set inside one handler; one dataChanged for the written
// area, sent when the event loop next runs, replaces a signal per cell. data() reads the
// vector directly, so nothing ever sees stale text.
void GridModel::markDirty(int col, int modelRow)
{
    if (dirtyTop_ < 0) {
        dirtyTop_ = dirtyBottom_ = modelRow;
        dirtyLeft_ = dirtyRight_ = col;
    } else {
        dirtyTop_ = std::min(dirtyTop_, modelRow);
        dirtyBottom_ = std::max(dirtyBottom_, modelRow);
        dirtyLeft_ = std::min(dirtyLeft_, col);
        dirtyRight_ = std::max(dirtyRight_, col);
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { flush(); }, Qt::QueuedConnection);
    }
}

void GridModel::flush()
{
    flushQueued_ = false;
    const int top = dirtyTop_;
    const int bottom = std::min(dirtyBottom_, rowCount() - 1);
    const int left = dirtyLeft_;
    const int right = std::min(dirtyRight_, cols_ - 1);
    dirtyTop_ = -1;
    if (top >= 0 && top <= bottom && left <= right)
        emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole});
}
