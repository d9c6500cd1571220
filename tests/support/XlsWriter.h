#pragma once

// Writes real .xls workbooks (a compound file holding a BIFF8 workbook stream) with any cell
// text the test wants, down to single UTF-16 units: halves of surrogate pairs, NUL, controls.
// The texts go into the shared-string table, split over CONTINUE records where it grows past
// one record, as spreadsheet programs write them.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <utility>

class XlsWriter {
public:
    // Rows and columns count from 1, as the reader's do. An empty text writes no cell.
    XlsWriter &text(int row, int col, const QString &text);
    XlsWriter &number(int row, int col, double value);
    // A date cell: the day count from 1899-12-30 with a date format, as spreadsheets store it.
    XlsWriter &date(int row, int col, double serial);

    QByteArray bytes() const;
    // Writes the file; false when it cannot be written.
    bool save(const QString &path) const;

private:
    struct Cell {
        enum Kind { Text, Number, Date } kind = Text;
        QString text;
        double value = 0;
    };
    QMap<std::pair<int, int>, Cell> cells_;
};
