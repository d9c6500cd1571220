#pragma once

// The parts of an .xlsx workbook that say how to read its first worksheet: where that sheet
// is, the date system, which cell styles show dates, and the shared strings. Element names are
// matched without their namespace, so that transitional and strict files read alike.

#include "spreadsheet/NumberFormats.h"

#include <QList>
#include <QString>
#include <QStringList>

class QXmlStreamReader;

namespace spreadsheet {

class ZipPackage;

struct XlsxBook {
    QString sheetPart;         // the first worksheet, in the workbook's order of sheets
    QString sharedStringsPart; // empty when the workbook has none
    QString stylesPart;        // likewise
    bool date1904 = false;
};

// Finds the workbook part and its first worksheet. Throws Error: damaged for a package that
// holds no spreadsheet workbook (another kind of document, a binary workbook), the no-sheet
// message for a workbook without a worksheet.
XlsxBook readXlsxBook(ZipPackage &package);

// The date kind of every cell style, by style number.
QList<DateKind> readCellStyles(ZipPackage &package, const QString &part);

// The shared strings, by number.
QStringList readSharedStrings(ZipPackage &package, const QString &part);

// The text of a string element (si or is) the reader stands at: its t elements, or those of
// its runs, joined; phonetic guides left out. Leaves the reader at the element's end.
QString richText(QXmlStreamReader &xml);

// A text as the file stores it made the cell's text: _xHHHH_ stands for the UTF-16 unit HHHH,
// NULs are dropped (as the .xls reader drops them). False for a text holding half of a
// surrogate pair, which the .xls reader refuses too.
bool storedText(QStringView raw, QString &out);

} // namespace spreadsheet
