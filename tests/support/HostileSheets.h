#pragma once

// Sheets an attacker or an unlucky export would hand to the imports, and what the catalog must
// hold once they are saved. The expectations are worked out here from first principles (a cut
// keeps whole characters; what a catalog cannot store becomes its nearest valid text), not
// from the import's own code.

#include "core/ImportRows.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <utility>

namespace db {
class Connection;
}

struct HostileText {
    const char *name;
    QString text;
    // False for texts no .xls file can carry (halves of surrogate pairs): those reach the
    // imports only through a sheet made in memory.
    bool inFile = true;
};

QList<HostileText> hostileTexts();

using CellMap = QMap<std::pair<int, int>, QString>; // (row, column) from 1 -> cell text

struct HostileSheet {
    CellMap cells;
    int rows = 0;     // data rows
    int notFound = 0; // compensatory-holiday rows whose day the calendar does not hold
    // Per stored row, its key (as the catalog must hold it) -> column -> expected text.
    QMap<QString, QMap<QString, QString>> expected;
};

// Every hostile text in every column the import stores, and a character outside the basic
// plane across the limit of every column the import cuts. fromFile: the sheet will be read
// from an .xls, whose reader drops NUL characters before any cut.
HostileSheet hostileSheet(ImportKind kind, bool fromFile);

// Adds the columns "backend" and "kind" (an ImportKind) to a QtTest data table, one row for
// each import on each back end of the run.
void addHostileDataRows();

// Makes a catalog ready for a hostile sheet: the user that hostileDifferences watches, and the
// calendar days the compensatory-holiday sheet updates.
void prepareHostileCatalog(db::Connection &c);

// The sheet as a real workbook: .xlsx when the path ends so, else .xls; false when it cannot
// be written.
bool saveHostileWorkbook(const HostileSheet &sheet, const QString &path);

// What differs between the catalog and the sheet's expectations; empty when nothing does.
// Also checks that the user table still holds its one row untouched.
QStringList hostileDifferences(db::Connection &c, ImportKind kind, const HostileSheet &sheet);

// The text as a catalog stores it: halves of pairs become U+FFFD, NUL characters go.
QString storedText(const QString &s);
