#include "core/Report.h"

#include "data/Connection.h"
#include "util/Utility.h"

namespace report {

namespace {

QString trimmedAs(Trim trim, const QString &text)
{
    switch (trim) {
    case Trim::Space:
        return Trim_Space(text);
    case Trim::Text:
        return trimText(text);
    case Trim::None:
        break;
    }
    return text;
}

QString shown(const Column &c, const QString &text)
{
    // Without a prefix the cell shares the text read instead of copying it.
    if (c.prefix.isEmpty())
        return trimmedAs(c.trim, text);
    return c.prefix + trimmedAs(c.trim, text);
}

} // namespace

int columnCount(const Shape &shape)
{
    return static_cast<int>(shape.columns.size()) + 1;
}

QStringList headerRow(const Shape &shape)
{
    QStringList row{shape.headers0.value(0, QStringLiteral("No"))};
    for (const Column &c : shape.columns)
        row << c.header;
    return row;
}

QList<int> widths(const Shape &shape)
{
    QList<int> out{shape.numberWidth};
    for (const Column &c : shape.columns)
        out << c.width;
    return out;
}

db::Statement statement(const Shape &shape, const criteria::Entered &entered)
{
    db::Statement s;
    for (const QString &line : shape.head)
        s << line;
    for (const QString &line : criteria::criteriaLines(shape.criteria, entered))
        s << line;
    for (const QString &line : shape.tail)
        s << line;
    return s;
}

void readRowsInto(const Shape &shape, db::Rows &rows, QList<QStringList> &out, const RowHook &hook)
{
    const qsizetype first = out.size();
    // The fields' places in the result, looked up on its first row.
    QList<int> at;
    while (rows.next()) {
        if (at.isEmpty()) {
            for (const Column &c : shape.columns)
                at << (c.field.isEmpty() ? -1 : rows.column(c.field));
        }
        QStringList cells;
        cells.reserve(shape.columns.size() + 1);
        cells << QString::number(out.size() - first + 1);
        for (qsizetype i = 0; i < shape.columns.size(); ++i) {
            const Column &c = shape.columns.at(i);
            cells << (c.field.isEmpty() ? QString() : shown(c, rows.text(at.at(i))));
        }
        if (hook)
            hook(rows, cells);
        out.append(cells);
    }
}

QList<QStringList> readRows(const Shape &shape, db::Rows &rows, const RowHook &hook)
{
    QList<QStringList> out;
    readRowsInto(shape, rows, out, hook);
    return out;
}

void runInto(db::Connection &c, const Shape &shape, const criteria::Entered &entered,
             QList<QStringList> &out, const RowHook &hook)
{
    RowHook fill = hook;
    if (shape.filling) {
        RowHook counts = shape.filling(c, entered);
        fill = [counts, hook](db::Rows &row, QStringList &cells) {
            counts(row, cells);
            if (hook)
                hook(row, cells);
        };
    }
    db::Rows rows = c.select(statement(shape, entered));
    readRowsInto(shape, rows, out, fill);
}

QList<QStringList> run(db::Connection &c, const Shape &shape, const criteria::Entered &entered,
                       const RowHook &hook)
{
    QList<QStringList> out;
    runInto(c, shape, entered, out, hook);
    return out;
}

} // namespace report
