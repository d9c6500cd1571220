#pragma once

#include <QList>
#include <QStringList>
#include <QTableView>

class GridModel;
class QLabel;
class QLineEdit;
class QTimer;

// The string grid of every screen. Row 0 is the fixed header row (shown as the horizontal
// header) and column 0 the running number (painted like a fixed column); rows 1 and up are
// the data rows. Cells are addressed (column, row), and rowCount() counts row 0 too.
// Cells are plain text, not editable; selection is one whole row.
//
// A result grid (sortAndFind()) can also be sorted by a click on a column header and narrowed
// by a find box. Rows keep their numbers for cell(), setCell() and row() whatever is shown;
// the shown...() functions give what the user sees, for an export or a printout.
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

    // Widths are given in the pixels of the 8-point face the screens were laid out for, and
    // shown scaled to the grid's font (widthScale()); 64 unless set. The user can drag the
    // widths too; colWidth() gives them back in the same given pixels.
    int colWidth(int col) const;
    void setColWidth(int col, int px);
    // Widths of columns 0, 1, ... in order.
    void setColWidths(const QList<int> &widths);
    // Shown pixels per given pixel: how much wider the font's digits or capitals are than
    // those of an 8-point face at 96 dpi, never below 1. The cells' text margins beyond the
    // original's 2 pixels are added to each width after scaling.
    double widthScale() const;
    // Whether a shown cell's text is wider than its column; such a cell shows its whole text
    // as its tool tip. False for a row not shown.
    bool isClipped(int col, int row) const;

    // The current data row, as cell() counts rows: 1 while nothing was chosen, 0 only when
    // there is no data row, and past the last row (its cells read empty) when the find box
    // hides every row.
    int row() const;
    // Makes a data row current and scrolls it into view; other numbers, and rows the find box
    // hides, are ignored.
    void setRow(int row);

    // Makes this a result grid: header clicks sort (a second click on the same header the
    // other way; the running number column gives back the rows' own order), and the find box
    // this returns, for the screen to place by the grid, narrows the rows shown.
    QWidget *sortAndFind();
    // What the find box holds; set here, it applies at once.
    QString findText() const;
    void setFindText(const QString &text);

    // The rows as shown: row 0 the header row, then the data rows the find box lets through,
    // in their shown order, the running number counting them 1, 2, ...
    QList<QStringList> shownRows() const;
    int shownRowCount() const;
    QString shownCell(int col, int shownRow) const;
    // The grid row (as cell() counts) shown at that place; 0 for the header row, -1 outside.
    int sourceRow(int shownRow) const;

signals:
    // Double-click on a data row, which is current by then.
    void dblClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    void keepCurrentRow();
    void selectModelRow(int modelRow);
    void rememberCurrent();
    void afterArrangement();
    void fitToFont();
    int shownWidth(int given) const;
    int givenWidth(int shown) const;
    void showFindCount();

    GridModel *model_;
    double scale_ = 1.0;
    int extraMargins_ = 0;
    int currentBefore_ = -1; // grid row current before a rearrangement
    QLineEdit *findBox_ = nullptr;
    QLabel *findCount_ = nullptr;
    QTimer *findDelay_ = nullptr;
};
