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
class QSqlError;

namespace schema {
struct Column;
struct Table;
} // namespace schema

namespace db::detail {

// A result read forward, as Rows reads it: values as the back end gives them, before adapt.
// Before the first row and after the last, a value is invalid and every column is null.
class Cursor {
public:
    virtual ~Cursor();
    virtual bool next() = 0;
    virtual QStringList names() const = 0;
    virtual QVariant value(int index) const = 0;
    virtual bool isNull(int index) const = 0;
};

class Backend {
public:
    virtual ~Backend();

    virtual QString driverName() const = 0;
    // Sets the connection's parameters before it opens; throws when it cannot be opened.
    virtual void configure(QSqlDatabase &db, const CatalogLocation &where,
                           Connection::OpenMode mode) const = 0;
    // Runs once right after the connection opened.
    virtual void prepareSession(QSqlDatabase &db) = 0;

    // Runs a statement that returns rows; throws db::Error with the server's message. Qt's
    // driver reads it unless the back end reads it itself.
    virtual std::unique_ptr<Cursor> select(QSqlDatabase &db, const QString &statement);
    // Runs before the connection closes: what the back end reads itself must end first.
    virtual void beforeClose() {}

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

    // Who writes through the connection, for the history's entries.
    virtual void setActor(QSqlDatabase &db, const QString &user, const QString &station) = 0;
    // From now on the connection's writes are recorded by the program itself (the embedded
    // catalog; the server records with its own triggers).
    virtual void startRecording(QSqlDatabase &db) { (void)db; }
    // Around each statement sent with execute: before it, whether it was given a transaction of
    // its own (so that its history is written with it); after it, what it changed recorded, or
    // forgotten when it failed, and that transaction ended.
    virtual bool beginStatement(QSqlDatabase &db, const QString &text)
    {
        (void)db;
        (void)text;
        return false;
    }
    virtual void endStatement(QSqlDatabase &db, bool succeeded, bool ownTransaction)
    {
        (void)db;
        (void)succeeded;
        (void)ownTransaction;
    }

    // Starts a transaction that will write: it holds the right to write from its first
    // statement, so that a read in it cannot be overtaken by another writer.
    virtual void beginWrite(QSqlDatabase &db);
    // Bulk work (an import, a calendar) may commit row by row without waiting for the disk;
    // durable() puts every commit made so far on disk and makes each later one durable again.
    virtual void bulkWrites(QSqlDatabase &db) { (void)db; }
    virtual void durable(QSqlDatabase &db) { (void)db; }
    // A consistent copy of the catalog into a new file. The shared server has its own tools:
    // it refuses.
    virtual void backupTo(QSqlDatabase &db, const QString &path);
    // What a SELECT ends with to lock the rows it reads until the transaction ends.
    virtual QString rowLock() const { return {}; }
    // The statement that keeps other writers out of a table until the transaction ends, while
    // plain reads go on; empty where the write transaction locks the whole catalog already.
    virtual QString tableLock(const QString &table) const
    {
        (void)table;
        return {};
    }
};

// CREATE TABLE and CREATE INDEX statements of the tables, with each back end's column types.
QStringList createTableStatements(const std::vector<schema::Table> &tables,
                                  QString (*columnType)(const schema::Column &));

std::unique_ptr<Backend> makeSqliteBackend();
std::unique_ptr<Backend> makePostgresBackend();
std::unique_ptr<Backend> makeBackend(BackendKind kind);

// Runs one statement on a raw connection, raising db::Error on failure (back-end internals).
void run(QSqlDatabase &db, const QString &statement);

// The message of a failure Qt's driver reports: the server's, else the driver's own.
QString serverMessage(const QSqlError &e);

} // namespace db::detail
