#pragma once

// The formatted report workbook of the five report screens: a grid copied as shown into the
// sheet "Text 1" of a new .xlsx, with the title, header styling, borders, widths, page set-up
// and print titles of the report it comes from.

#include "spreadsheet/SpreadsheetError.h"

#include <QList>
#include <QString>
#include <functional>

namespace spreadsheet {

// The grid as the screen shows it: row 0 the header, rows 1 .. rows-1 the data; cell(col, row)
// gives the text exactly as shown.
struct ReportTable {
    int cols = 0;
    int rows = 0;
    std::function<QString(int col, int row)> cell;
};

// One column-width setting: a span of columns named by first and last letter ("C:K") and
// its width in character widths. Settings are applied in order, a later one overriding.
struct ColumnWidth {
    QString span;
    double width = 0;
};

enum class Orientation { Portrait, Landscape };

// What tells one report's workbook from another's.
struct ReportLayout {
    QString title;               // into A1
    QString titleSpan;           // centred across, e.g. "A1:L1"
    QString lastFormattedColumn; // bounds the header fill and all borders, e.g. "T"
    Orientation orientation = Orientation::Portrait;
    QList<ColumnWidth> widths; // in the order they are applied
    QString line2;             // A2; empty writes nothing
};

// The layouts of the report screens.
ReportLayout movementDetailLayout(); // TfrmRep_Detail_Deega
ReportLayout daysInDivisionLayout(); // TfrmRep_Deega_No_date
ReportLayout calendarOfYearLayout(); // TfrmRep_Day_Of_Year
ReportLayout byDocTypeLayout();      // TfrmRep_DivBy_DocType
// TfrmRep_Day_Kolvet; docTypeLine is "ประเภทเอกสาร " + the chosen type when the document-type
// box is ticked, empty otherwise (see docTypeLine).
ReportLayout daysToPaymentLayout(const QString &docTypeLine = {});
QString docTypeLine(const QString &docTypeText);
// The service-level summary's grids: their title, the criteria in A2, and their column count.
ReportLayout summaryLayout(const QString &title, const QString &criteriaLine, int columns);

// The spreadsheet letters of column c counted from 0: A .. Z, AA .. IV (256 names);
// empty past IV.
QString columnLetter(int c);

// How a grid text is stored, as a typed entry would be:
//  - a leading apostrophe: the rest as literal text, the apostrophe kept hidden (quote prefix);
//  - a plain decimal ("12", "-3", "1250.50"; no sign "+", no thousands separators, no
//    leading zero before another digit, at most 15 significant digits): a number, shown
//    with as many decimals as written;
//  - a date d/m/yyyy (day and month of one or two digits, a real calendar day): a date
//    value shown in the same form; a year from 2400 on is Buddhist era and shown so;
//  - anything else, a date with a time included: text.
// Codes such as "01" thus keep their zeros, and no text changes its look in the workbook.
enum class CellKind { Blank, Text, QuotedText, Number, Date };
struct TypedCell {
    CellKind kind = CellKind::Blank;
    QString text;      // Text / QuotedText: what is stored
    double number = 0; // Number: the value; Date: the serial day (1900 system)
    QString numFormat; // Number / Date: the display format; empty = General
};
TypedCell typeCellText(const QString &text);

// Writes the report workbook into folder under a fresh name
// ("รายงาน-yyyyMMdd-HHmmss-N.xlsx", N from 1; an existing file is never overwritten)
// and returns its path. Throws Error with a Thai message when the folder cannot be written,
// the grid does not fit a sheet, or the writer fails; no partial file is left behind then.
QString exportReport(const ReportTable &table, const ReportLayout &layout, const QString &folder);

// The user's reports folder (Documents/Vostrel reports), created when missing.
QString reportsFolder();
// Where that folder is, without making it (what the program tells of it).
QString reportsFolderPath();

} // namespace spreadsheet
