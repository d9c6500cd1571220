#pragma once

// How the administration work writes its rows: each column's value as the statement carries it.

#include <QList>
#include <QPair>
#include <QString>
#include <span>

namespace db {
class Connection;
}

namespace admin {

struct User;

// A column value as it goes into a statement: text quoted, numbers and the server time bare.
struct Value {
    QString sql;
    static Value text(const QString &v);
    static Value utf8(const char *v) { return text(QString::fromUtf8(v)); }
    static Value number(double v) { return {QString::number(v, 'f', 2)}; }
    static Value integer(qint64 v) { return {QString::number(v)}; }
    static Value serverTime() { return {QStringLiteral("CURRENT_TIMESTAMP")}; }
};

// Column names and values, in the order the statement lists them.
using Row = QList<QPair<const char *, Value>>;

void insert(db::Connection &c, const char *table, const Row &row);

void insertUser(db::Connection &c, const User &u);

// A column whose value is drawn from one entry of a table of data.
template <typename Source> struct Column {
    const char *name;
    Value (*value)(const Source &);
};

template <typename Source>
void append(Row &row, std::span<const Column<Source>> columns, const Source &source)
{
    for (const Column<Source> &c : columns)
        row << QPair<const char *, Value>{c.name, c.value(source)};
}

// Rows of text cells under the given columns, inserted as they stand.
template <std::size_t Width, std::size_t Height>
void insertTexts(db::Connection &c, const char *table, const char *const (&columns)[Width],
                 const char *const (&rows)[Height][Width])
{
    for (const auto &cells : rows) {
        Row row;
        for (std::size_t i = 0; i < Width; ++i)
            row << QPair<const char *, Value>{columns[i], Value::utf8(cells[i])};
        insert(c, table, row);
    }
}

} // namespace admin
