#pragma once

// A table as a paginated A4 PDF: the report's title and criteria over the first page's table,
// the header row on every page, the date printed and "หน้า N/M" at every page's foot. The table
// is turned to landscape when portrait is too narrow for it, set smaller when landscape is too,
// and split into bands of columns (the key columns repeated in each) when even that is not
// enough. A cell too long for its column wraps onto at most three lines, the last cut short with
// an ellipsis; a row never runs over two pages. Numbers stand at their cells' right; a cell's
// leading apostrophe (the grid's mark of a date kept as text) is not printed.

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPaintDevice;

namespace print {

struct TablePdf {
    QString title;
    QStringList criteria; // one line each, under the title on the first page
    QStringList header;
    QList<QStringList> rows;
    // Relative widths of the columns (the grid's pixels will do): every column has the room
    // its texts ask for, and the room the page has left over goes by these; a column without
    // one, or with 0, counts as the mean of the others. None given: by the texts alone.
    QList<qreal> widths;
    QString printedDate; // as the program shows dates (dd/mm/yyyy, Buddhist era); empty: today
    int keyColumns = 2;  // repeated at the left of every band when the columns are split
};

// Where the table falls, for a device of a given resolution.
struct TablePlan {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    qreal fontPoints = 0; // the table's texts
    struct Band {
        QList<int> columns;  // left to right
        QList<qreal> widths; // of those columns, in millimetres
    };
    QList<Band> bands;
    struct Page {
        int band = 0;
        int firstRow = 0; // index into rows
        int rowCount = 0;
    };
    QList<Page> pages; // in print order: every page of the first band, then of the next
};

// The page the table is printed on: A4 with 10 mm margins.
QPageLayout tablePageLayout(QPageLayout::Orientation orientation);

// The plan for a device whose resolution stands for the PDF's.
TablePlan planTable(const TablePdf &doc, const QPaintDevice &device);

// Writes the PDF to path in one step: a file already there is replaced only by a whole new one.
// Throws Failure with a Thai message when it cannot be written (nothing is left behind then).
void writeTablePdf(const TablePdf &doc, const QString &path);

} // namespace print
