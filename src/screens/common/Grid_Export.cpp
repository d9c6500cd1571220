#include "screens/common/Grid_Export.h"

#include "screens/common/Grid.h"

#include <QDesktopServices>
#include <QUrl>

spreadsheet::Report_Table Grid_Table(const Grid &grid)
{
    spreadsheet::Report_Table table;
    table.cols = grid.colCount();
    table.rows = grid.rowCount();
    table.cell = [&grid](int col, int row) { return grid.cell(col, row); };
    return table;
}

QString Export_Grid(const Grid &grid, const spreadsheet::Report_Layout &layout,
                    const QString &folder, bool open)
{
    const QString path = spreadsheet::Export_Report(Grid_Table(grid), layout, folder);
    // The workbook is left for the user; a desktop without a spreadsheet program just keeps the
    // file.
    if (open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return path;
}
