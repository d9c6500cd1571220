#pragma once

// The report family without its windows: a statement made of fixed lines and the lines of the
// ticked criteria, and the grid rows read from its result. What differs between reports is
// data (Shape); a report with computed cells adds them through a row hook.

#include "core/Criteria.h"
#include "data/Statement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace db {
class Connection;
class Rows;
} // namespace db

namespace report {

// How a grid cell shows its column's text.
enum class Trim { Space, Text, None };

struct Column {
    QString header;
    int width = 0; // pixels; 0 keeps the grid's standard width
    QString field; // the result column shown; empty: a cell the row hook fills
    Trim trim = Trim::Space;
    QString prefix; // put before the text, e.g. "'" for a date kept as text
};

// Fills the cells the shape leaves to the report (computed counts); cells holds the row's grid
// cells, already filled from the shape's columns.
using RowHook = std::function<void(db::Rows &row, QStringList &cells)>;

// When a row may be broken down day by day, and between which of its cells.
struct Breakdown {
    int startCol = -1; // -1: the report has no breakdown
    int endCol = -1;
    // The message refusing the row's breakdown; empty when it may be broken down.
    std::function<QString(const QStringList &cells)> refusal;
};

struct Shape {
    QString objectName; // the screen's, e.g. "frmRep_Deega_No_date"
    QString title;
    QStringList head; // the fixed lines before the criteria
    QList<criteria::Criterion> criteria;
    QStringList tail;      // the fixed lines after them (an ordering)
    QStringList headers0;  // header of column 0 ("No")
    int numberWidth = 30;  // width of column 0
    QList<Column> columns; // grid columns 1, 2, ...
    // Made once per run (the calendar is read then): the hook for the cells the columns leave.
    std::function<RowHook(db::Connection &c, const criteria::Entered &entered)> filling;
    Breakdown breakdown;
};

// The grid's column count: the running number and the shape's columns.
int columnCount(const Shape &shape);
// Row 0 of the grid and the widths of its columns (0 where the standard width stays).
QStringList headerRow(const Shape &shape);
QList<int> widths(const Shape &shape);

// head, one line per ticked criterion in the shape's order, tail.
db::Statement statement(const Shape &shape, const criteria::Entered &entered);

// The grid rows of a result in the database's order: the running number from 1, then the
// shape's columns, then what the hook fills.
QList<QStringList> readRows(const Shape &shape, db::Rows &rows, const RowHook &hook = {});
void readRowsInto(const Shape &shape, db::Rows &rows, QList<QStringList> &out,
                  const RowHook &hook = {});

// Runs the statement and appends its rows to out as they are read, so that on a failure the
// rows read before it stay there. The shape's filling, when it has one, is made for this run
// and fills its cells (a hook given here then runs after it).
void runInto(db::Connection &c, const Shape &shape, const criteria::Entered &entered,
             QList<QStringList> &out, const RowHook &hook = {});
QList<QStringList> run(db::Connection &c, const Shape &shape, const criteria::Entered &entered,
                       const RowHook &hook = {});

} // namespace report
