#pragma once

// Reads a written .xlsx back (through `unzip -p`) into what the tests compare: the workbook's
// sheets and defined names, the first sheet's cells, rows, columns and page set-up, and the
// formats its cells point to.

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

struct XlsxReadback {
    struct Cell {
        QString type;  // the t attribute: "inlineStr", "s", "" for a number
        QString value; // the text (shared string resolved) or the number as written
        int style = 0;
    };
    struct Format {
        QString numFormat; // "" for General
        double fontSize = 11;
        QString fontColor;                // "FF0C058F"; "" when none
        QString fill;                     // solid fill colour; "" when none
        QString left, right, top, bottom; // border styles: "thin" or ""
        QString horizontal;
    };

    bool load(const QString &path); // false when a part is missing or unreadable
    QString error;

    QStringList sheetNames;
    QMap<QString, QString> definedNames;
    QHash<QString, Cell> cells;               // "A1" -> cell
    QMap<int, int> rowStyles;                 // row number -> style of the row (rows with s only)
    QList<std::tuple<int, int, double>> cols; // min, max, width
    QHash<QString, QString> pageMargins, pageSetup;
    QString oddHeader, oddFooter;
    QList<Format> formats;

    bool has(const QString &ref) const { return cells.contains(ref); }
    QString text(const QString &ref) const { return cells.value(ref).value; }
    Format format(const QString &ref) const;
    double width(int col1) const; // stored width of a column counted from 1; -1 when default
};

// Excel's stored column width for a width given in characters (Calibri 11 digit of 7 pixels).
double storedWidth(double characters);
