#pragma once

#include <QList>
#include <QStringList>
#include <QTableView>

// The string grid of every screen. Row 0 is the fixed header row (shown as the horizontal
// header) and column 0 the running number (painted like a fixed column); rows 1 and up are
// the data rows. Cells are addressed (column, row), and rowCount() counts row 0 too.
// Cells are plain text, not editable; selection is one whole row.
class Grid : public QTableView {
    Q_OBJECT

public:
    explicit Grid(QWidget *parent = nullptr);
    ~Grid() override;

    // Growing keeps every cell and adds empty ones; shrinking drops what lies beyond.
    int colCount() const;
    void setColCount(int count);
    int rowCount() const;
    void setRowCount(int count);

    // Reads outside the grid give empty text; writes outside it are ignored.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // Blanks every cell of that row.
    void clearRow(int row);
    // The row's cells from column 0; columns past the list keep their text.
    void setRowCells(int row, const QStringList &cells);
    // A result at once: rows 1 .. rows.size() from the list, row 0 kept.
    void fillRows(const QList<QStringList> &rows);

    // 64 pixels unless set; the user can drag the widths too.
    int colWidth(int col) const;
    void setColWidth(int col, int px);
    // Widths of columns 0, 1, ... in order.
    void setColWidths(const QList<int> &widths);

    // The current data row: 1 while nothing was chosen, 0 only when there is no data row.
    int row() const;
    // Makes a data row current and scrolls it into view; other numbers are ignored.
    void setRow(int row);

signals:
    // Double-click on a data row, which is current by then.
    void dblClick();

private:
    class Model;

    void keepCurrentRow();

    Model *model_;
};
