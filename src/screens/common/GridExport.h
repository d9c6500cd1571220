#pragma once

// The report screens' "3. ออกรายงานทาง MS Excel": the grid exactly as shown (the rows the find
// box lets through, in the order the user sorted them), written to a new workbook in the user's
// reports folder and opened in the desktop's spreadsheet program.

#include "print/TablePdf.h"
#include "spreadsheet/ReportExport.h"

class Grid;

// The grid as the export reads it: row 0 the header row, then the rows as shown.
spreadsheet::ReportTable GridTable(const Grid &grid);

// The grid as the export reads it, as a table to print: its header row, its data rows and its
// columns' widths; the title, criteria and date are the caller's.
print::TablePdf gridTablePdf(const Grid &grid);

// Writes the workbook and asks the desktop to open it; gives its path. Throws spreadsheet::Error.
QString exportGrid(const Grid &grid, const spreadsheet::ReportLayout &layout,
                   const QString &folder = spreadsheet::reportsFolder(), bool open = true);
