#pragma once

// A worksheet as the imports read it: cell texts by row and column, both counted from 1.
// The workbook readers implement it; the import rules read through it, so they know no file
// format and the readers know no table.

#include <QString>

class SheetCells {
public:
    virtual ~SheetCells() = default;
    // Empty for an empty cell and for any cell outside the sheet.
    virtual QString cellText(int row, int col) const = 0;
};
