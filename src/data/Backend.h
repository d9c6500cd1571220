#pragma once

// Internal to the data layer: what differs between the catalog's back ends. Each back end
// supplies what the program's statements rely on (Getdate(), SUBSTRING, text compared without
// regard to letter case, a text column compared with a bare number).

#include "data/Catalog.h"
#include "data/Connection.h"

#include <QStringList>
#include <QVariant>
#include <memory>

class QSqlDatabase;

namespace schema {
struct Column;
struct Table;
} // namespace schema

namespace db::detail {

class Backend {
public:
    virtual ~Backend();

    virtual QString driverName() const = 0;
    // Sets the connection's parameters before it opens; throws when it cannot be opened.
    virtual void configure(QSqlDatabase &db, const CatalogLocation &where,
                           Connection::OpenMode mode) const = 0;
    // Runs once right after the connection opened.
    virtual void prepareSession(QSqlDatabase &db) = 0;

    // The statements that create the catalog's tables and the functions they rely on.
    virtual QStringList schemaStatements(const std::vector<schema::Table> &tables) const = 0;

    // A stored value as the program reads it.
    virtual QVariant adapt(const QString &column, const QVariant &raw) const
    {
        (void)column;
        return raw;
    }
    // Whether adapt may change the column's values at all; asked once per column of a result.
    virtual bool adapts(const QString &column) const
    {
        (void)column;
        return false;
    }

    virtual void pinServerClock(QSqlDatabase &db, const QDateTime &now) = 0;
};

// CREATE TABLE and CREATE INDEX statements of the tables, with each back end's column types.
QStringList createTableStatements(const std::vector<schema::Table> &tables,
                                  QString (*columnType)(const schema::Column &));

std::unique_ptr<Backend> makeSqliteBackend();
std::unique_ptr<Backend> makePostgresBackend();
std::unique_ptr<Backend> makeBackend(BackendKind kind);

// Runs one statement on a raw connection, raising db::Error on failure (back-end internals).
void run(QSqlDatabase &db, const QString &statement);

} // namespace db::detail
