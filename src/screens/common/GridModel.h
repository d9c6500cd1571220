#pragma once

// The cells behind a Grid, and the order its data rows are shown in.
// Grid row 0 is served as the horizontal header; the model's rows are the data rows shown.
// Without a sort or a find text, model row r is grid row r + 1. With one, the rows shown are
// arranged once (sorted by precomputed keys, filtered in one pass) and mapped through a list,
// and column 0, the running number, counts down the rows shown.

#include "util/CellOrder.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class GridModel final : public QAbstractTableModel {
public:
    explicit GridModel(QObject *parent);

    int cols() const { return cols_; }
    int rows() const { return rows_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Column -1 takes the sort away; column 0 is the rows' own order.
    void sort(int column, Qt::SortOrder order) override;

    bool contains(int col, int row) const
    {
        return col >= 0 && col < cols_ && row >= 0 && row < rows_;
    }
    const QString &at(int col, int row) const
    {
        return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) +
                      static_cast<size_t>(col)];
    }
    void set(int col, int row, const QString &text);
    void setRows(int count);
    void setCols(int count);

    // The find text: data rows holding it in any cell but the running number, letter case
    // aside, stay shown. Blanks around it do not count.
    void setFind(const QString &text);
    const QString &find() const { return find_; }

    // The grid row shown at a model row, and back (-1 when that row is not shown).
    int gridRow(int modelRow) const;
    int modelRow(int gridRow) const;
    // A shown cell's text: column 0 numbered as shown.
    QString shownText(int col, int modelRow) const;

    // The arrangement after cells or rows changed is made when the event loop next runs, once
    // for a whole result; this makes it now if it is due.
    void arrangeIfDue();
    // Whether the last arrangement was made for new cells rather than a new sort or find.
    bool lastArrangeWasForNewCells() const { return forNewCells_; }

private:
    bool wantsArrangement() const;
    void arrange();
    void dropArrangement();
    void scheduleArrange(bool forNewCells);
    // What the sort and the find worked out, kept until the cells they read change.
    void forget(int col);
    const std::vector<int> &sortedRows();
    void markHolders();

    void resizeRows(int count);
    void reshape(int count);
    void markDirty(int col, int modelRow);
    void flush();

    int cols_ = 0;
    int rows_ = 0;
    std::vector<QString> cells_;

    int sortCol_ = -1;
    bool descending_ = false;
    QString find_;
    bool arranged_ = false;  // shown_ maps the model rows
    std::vector<int> shown_; // model row -> grid row
    bool due_ = false;       // cells or rows changed since the arrangement
    bool arrangeQueued_ = false;
    bool newCellsDue_ = false; // the due arrangement is for new cells
    bool forNewCells_ = false;
    int keysCol_ = -1; // the column keys_ were made for; -1: none valid
    std::vector<cellorder::Key> keys_;
    std::vector<int> sorted_; // every data row, as sortedCol_ sorts them
    bool sortedValid_ = false;
    int sortedCol_ = -1;
    bool sortedDescending_ = false;
    std::vector<char> holds_; // per data row: whether it holds holdsFor_
    QString holdsFor_;
    bool holdsValid_ = false;

    int dirtyTop_ = -1;
    int dirtyBottom_ = -1;
    int dirtyLeft_ = -1;
    int dirtyRight_ = -1;
    bool flushQueued_ = false;
};
