#include "screens/common/Grid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kRowHeight = 24;

// Column 0 keeps the header's colours, selected row or not, as a fixed column does; the current
// cell sits there, so its focus frame is not drawn either (the row highlight shows the choice).
class FixedColumnDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != 0)
            return;
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        option->backgroundBrush = option->palette.button();
        option->palette.setBrush(QPalette::Text, option->palette.buttonText());
    }
};

} // namespace

// Model row r is grid row r + 1; grid row 0 is served as the horizontal header.
// Cells are kept row-major in one vector, so adding a row at the end is amortised O(1).
class Grid::Model final : public QAbstractTableModel {
public:
    explicit Model(QObject *parent) : QAbstractTableModel(parent) {}

    int cols() const { return cols_; }
    int rows() const { return rows_; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : std::max(0, rows_ - 1);
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : cols_;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return at(index.column(), index.row() + 1);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || rows_ < 1 || section < 0 ||
            section >= cols_)
            return {};
        return at(section, 0);
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

    bool contains(int col, int row) const
    {
        return col >= 0 && col < cols_ && row >= 0 && row < rows_;
    }

    const QString &at(int col, int row) const
    {
        return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) +
                      static_cast<size_t>(col)];
    }

    void set(int col, int row, const QString &text)
    {
        cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)] =
            text;
        if (row == 0)
            emit headerDataChanged(Qt::Horizontal, col, col);
        else
            markDirty(col, row - 1);
    }

    void setRows(int count)
    {
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
    }

    void setCols(int count)
    {
        if (count > cols_) {
            beginInsertColumns({}, cols_, count - 1);
            reshape(count);
            endInsertColumns();
        } else if (count < cols_) {
            beginRemoveColumns({}, count, cols_ - 1);
            reshape(count);
            endRemoveColumns();
        }
    }

private:
    void resizeRows(int count)
    {
        rows_ = count;
        const size_t size = static_cast<size_t>(rows_) * static_cast<size_t>(cols_);
        cells_.resize(size);
        // A grid cut back after a large search should not keep the large block.
        if (cells_.capacity() > 4096 && cells_.capacity() / 4 > size)
            cells_.shrink_to_fit();
    }

    void reshape(int count)
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
    void markDirty(int col, int modelRow)
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

    void flush()
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

    int cols_ = 0;
    int rows_ = 0;
    std::vector<QString> cells_;
    int dirtyTop_ = -1;
    int dirtyBottom_ = -1;
    int dirtyLeft_ = -1;
    int dirtyRight_ = -1;
    bool flushQueued_ = false;
};

Grid::Grid(QWidget *parent) : QTableView(parent), model_(new Model(this))
{
    setModel(model_);
    setItemDelegate(new FixedColumnDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid, as Enter-moves-on expects of every control.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);

    // Fixed row heights keep the vertical header from measuring 100,000 rows.
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);

    QHeaderView *cols = horizontalHeader();
    cols->setMinimumSectionSize(0);
    cols->setDefaultSectionSize(kDefaultColWidth);
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setStretchLastSection(false);
    cols->setSectionsClickable(false);
    cols->setHighlightSections(false);
    cols->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        setRow(index.row() + 1);
        emit dblClick();
    });

    // The counts a freshly placed string grid has.
    setColCount(5);
    setRowCount(5);
}

Grid::~Grid() = default;

int Grid::colCount() const
{
    return model_->cols();
}

void Grid::setColCount(int count)
{
    model_->setCols(std::max(0, count));
    keepCurrentRow();
}

int Grid::rowCount() const
{
    return model_->rows();
}

void Grid::setRowCount(int count)
{
    model_->setRows(std::max(0, count));
    keepCurrentRow();
}

QString Grid::cell(int col, int row) const
{
    return model_->contains(col, row) ? model_->at(col, row) : QString();
}

void Grid::setCell(int col, int row, const QString &text)
{
    if (model_->contains(col, row))
        model_->set(col, row, text);
}

void Grid::clearRow(int row)
{
    if (row < 0 || row >= model_->rows())
        return;
    for (int col = 0; col < model_->cols(); ++col)
        model_->set(col, row, QString());
}

void Grid::setRowCells(int row, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c)
        setCell(static_cast<int>(c), row, cells.at(c));
}

void Grid::fillRows(const QList<QStringList> &rows)
{
    setRowCount(static_cast<int>(rows.size()) + 1);
    for (qsizetype r = 0; r < rows.size(); ++r)
        setRowCells(static_cast<int>(r + 1), rows.at(r));
}

void Grid::setColWidths(const QList<int> &widths)
{
    for (qsizetype c = 0; c < widths.size(); ++c)
        setColWidth(static_cast<int>(c), widths.at(c));
}

int Grid::colWidth(int col) const
{
    return col >= 0 && col < model_->cols() ? columnWidth(col) : 0;
}

void Grid::setColWidth(int col, int px)
{
    if (col >= 0 && col < model_->cols())
        setColumnWidth(col, std::max(0, px));
}

int Grid::row() const
{
    const QModelIndex current = currentIndex();
    if (current.isValid())
        return current.row() + 1;
    return model_->rowCount() > 0 ? 1 : 0;
}

void Grid::setRow(int row)
{
    if (row < 1 || row >= model_->rows() || model_->cols() < 1)
        return;
    const int col = std::max(0, currentIndex().column());
    selectionModel()->setCurrentIndex(model_->index(row - 1, col),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
}

void Grid::keepCurrentRow()
{
    // A string grid always has a current data row, highlighted; row 1 until one is chosen,
    // and the nearest one left when rows are cut away.
    if (model_->rowCount() < 1 || model_->cols() < 1)
        return;
    QItemSelectionModel *selection = selectionModel();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        selection->setCurrentIndex(model_->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else if (!selection->isRowSelected(current.row()))
        selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
