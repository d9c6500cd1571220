#pragma once

// The report screens' "3. ออกรายงานทาง MS Excel": the grid exactly as shown, written to a new
// workbook in the user's reports folder and opened in the desktop's spreadsheet program.

#include "spreadsheet/Report_Export.h"

class Grid;

// The grid as the export reads it (row 0 the header row).
spreadsheet::Report_Table Grid_Table(const Grid &grid);

// Writes the workbook and asks the desktop to open it; gives its path. Throws spreadsheet::Error.
QString Export_Grid(const Grid &grid, const spreadsheet::Report_Layout &layout,
                    const QString &folder = spreadsheet::reportsFolder(), bool open = true);
