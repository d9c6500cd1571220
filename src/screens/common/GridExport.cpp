#include "screens/common/GridExport.h"

#include "screens/common/Grid.h"

#include <QDesktopServices>
#include <QUrl>

spreadsheet::ReportTable GridTable(const Grid &grid)
{
    spreadsheet::ReportTable table;
    table.cols = grid.colCount();
    table.rows = grid.shownRowCount();
    table.cell = [&grid](int col, int row) { return grid.shownCell(col, row); };
    return table;
}

print::TablePdf gridTablePdf(const Grid &grid)
{
    print::TablePdf doc;
    doc.rows = grid.shownRows();
    if (!doc.rows.isEmpty())
        doc.header = doc.rows.takeFirst();
    for (int c = 0; c < grid.colCount(); ++c)
        doc.widths << grid.colWidth(c);
    return doc;
}

QString exportGrid(const Grid &grid, const spreadsheet::ReportLayout &layout, const QString &folder,
                   bool open)
{
    const QString path = spreadsheet::exportReport(GridTable(grid), layout, folder);
    // The workbook is left for the user; a desktop without a spreadsheet program just keeps the
    // file.
    if (open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return path;
}
