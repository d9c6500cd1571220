#pragma once

// Reading the first worksheet of a workbook, a cell at a time, as text.

#include "spreadsheet/SpreadsheetError.h"
#include "util/SheetCells.h"

#include <QString>
#include <memory>

namespace spreadsheet {

// The first worksheet of an open workbook; the file itself is never written.
// Rows and columns count from 1, as Cells(row, column) does.
class WorkbookReader : public SheetCells {
public:
    // The cell as text:
    //  - text as stored;
    //  - a number in general decimal form ("2017", "12.5", "-0.25"), no exponent for
    //    ordinary magnitudes;
    //  - a date as d/m/yyyy with the Buddhist-era year, plus a blank and H:mm:ss when it
    //    holds a time ("2/1/2556 10:02:00"); a time alone as H:mm:ss;
    //  - an empty cell, and any cell outside the sheet (row or column below 1 or past the
    //    last), as empty text.
    QString cellText(int row, int col) const override = 0;

    // The used size of the sheet: the last row and column holding anything (0 when empty).
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
};

// Checks that path names a workbook this reader knows, without blocking and without the
// workbook libraries: it must be a regular file (a folder, a FIFO, a device or a link to one is
// refused at once), readable, and by its content a compound file (an .xls, or an .xlsx saved
// with a password) or a zip package (an .xlsx); an OpenDocument file is named as such. Whether
// a zip really holds a workbook only its reading tells. Throws Error with a Thai message when
// it is not.
void checkWorkbookFile(const QString &path);

// The messages for a file that is damaged or no workbook of the expected kinds; one saved with
// a password; a workbook without a worksheet; one too large to read.
QString damagedMessage(const QString &path);
QString encryptedMessage(const QString &path);
QString noSheetMessage(const QString &path);
QString tooLargeMessage(const QString &path);

// Opens the workbook at path and selects its first worksheet. The reader is chosen by the
// file's content (not its name): an .xls (BIFF8) or an .xlsx (Office Open XML) workbook.
// Throws Error with a Thai message when the file is missing, cannot be read, is not a
// workbook of a known kind, is damaged or encrypted, or holds no worksheet.
// The workbook libraries run in this process: a damaged file can crash or hang it. The program
// reads workbooks through openWorkbookIsolated (ReaderProcess.h) instead.
std::unique_ptr<WorkbookReader> openWorkbook(const QString &path);

// A number as a cell shows it in general form: up to 15 significant digits, trailing zeros
// dropped, no exponent between 1e-10 and 1e20 (outside that, exponent form).
QString numberText(double value);

// A date (and time) text from the reader's ISO form "yyyy-mm-dd", "yyyy-mm-dd hh:mm:ss" or
// "hh:mm:ss" into d/m/yyyy (Buddhist era) [H:mm:ss]; a midnight time is left off.
// A text of no such form comes back unchanged.
QString dateCellText(const QString &iso);

} // namespace spreadsheet
