#pragma once

#include "data/Catalog.h"
#include "data/DbError.h"
#include "data/Statement.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace schema {
struct Table;
}

namespace db {

namespace detail {
class Backend;
class Cursor;
} // namespace detail

// The rows a SELECT returned, read forward one at a time and by column name (letter case
// ignored, as the catalog's own names are). A missing or NULL value reads as empty text, 0 or
// an invalid date-time.
class Rows {
public:
    Rows(Rows &&) noexcept;
    Rows &operator=(Rows &&) noexcept;
    ~Rows();

    // Moves to the next row; false when there is none. The first call moves to the first row.
    bool next();

    bool has(const QString &column) const;
    bool isNull(const QString &column) const;
    QString text(const QString &column) const;
    qint64 integer(const QString &column) const;
    double number(const QString &column) const;
    QDateTime dateTime(const QString &column) const;

    int columnCount() const;
    QString columnName(int index) const;
    QVariant value(int index) const;

    // A column's index, -1 when the result has none: for reading the same column of many rows
    // without looking its name up on each.
    int column(const QString &name) const { return indexOf(name); }
    QString text(int index) const;

private:
    friend class Connection;
    Rows(std::unique_ptr<detail::Cursor> cursor, const detail::Backend *backend);
    const QStringList &names() const;
    int indexOf(const QString &column) const;

    std::unique_ptr<detail::Cursor> cursor_;
    const detail::Backend *backend_ = nullptr;
    mutable bool described_ = false;
    mutable QStringList names_;
    mutable std::vector<bool> adapts_;  // whether the back end adapts the column's values
    mutable QHash<QString, int> index_; // by the folded name
    mutable QHash<QString, int> asked_; // by the name as asked
};

// The one connection of the process to its catalog. Statements go out as text; every failure is
// raised as db::Error with the server's message.
class Connection {
public:
    enum class OpenMode {
        MustExist, // the program: a missing SQLite file is a catalog that cannot be opened
        Create     // the administration tool: an SQLite file is created when there is none
    };

    explicit Connection(CatalogLocation where);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void open(OpenMode mode = OpenMode::MustExist);
    void close();
    bool isOpen() const;

    const CatalogLocation &location() const { return where_; }
    BackendKind backend() const { return where_.backend; }

    // A statement that returns rows.
    Rows select(const Statement &statement);
    // A copy of an embedded catalog (see Backup.h).
    void backupTo(const QString &path);

    // Bulk work: see BulkWrites.
    void beginBulkWrites();
    void makeDurable();

    // Whether the statement returns a row. The result is closed before this returns, so that
    // a write that follows does not meet an open read (SQLite refuses a write from a
    // connection whose read snapshot is older than another station's commit).
    bool exists(const Statement &statement);
    // A statement that returns none; gives the number of rows it changed (-1 when unknown).
    int execute(const Statement &statement);
    // A statement of the data layer's own upkeep (the history's triggers and entries, session
    // settings): sent like execute, but not shown to the observer, which sees what the program
    // itself asks of the catalog.
    int executeQuietly(const Statement &statement);
    // The same for a statement that returns rows.
    Rows selectQuietly(const Statement &statement);
    // The history's own: from now on this connection's writes are recorded (see History.h).
    void startRecording();
    bool recordsHistory() const { return recordsHistory_; }

    // Who writes through this connection and from where, as the history records it: the
    // logged-in user (the tool: the account running it) and the station's host name. Set
    // before opening or at any time after.
    void setActor(const QString &user, const QString &station);
    const QString &actorUser() const { return actorUser_; }
    const QString &actorStation() const { return actorStation_; }

    void begin();
    // A transaction that will write; see Transaction::Kind::Write.
    void beginWrite();
    void commit();
    void rollback();
    // The clause a SELECT inside a write transaction ends with to lock the rows it reads (empty
    // where the whole catalog is locked by the transaction itself).
    QString rowLockClause() const;
    // Inside a write transaction: no other station writes the table until it ends, so that a
    // check made in the transaction (a key still free, a row no one refers to) still holds
    // when it writes. The table name is the program's own, never a value.
    void lockTable(const char *table);

    // Table names of the catalog, as the server spells them.
    QStringList tableNames() const;

    // The back end's statements that create these tables (used by schema::create).
    QStringList schemaStatements(const std::vector<schema::Table> &tables) const;

    // Sees every statement's text just before it is sent (tests, and the tool's --trace).
    using Observer = std::function<void(const QString &statement)>;
    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // Makes Getdate() answer this instant from now on, so tests can choose the server's date.
    void pinServerClockForTests(const QDateTime &now);

private:
    void require() const;
    QString textToSend(const Statement &statement) const;
    int run(const QString &text);
    [[noreturn]] void fail(const QString &fallback, const QString &serverText) const;

    CatalogLocation where_;
    QString name_;
    std::unique_ptr<detail::Backend> backend_;
    Observer observer_;
    QString actorUser_;
    QString actorStation_;
    bool recordsHistory_ = false;
};

// Rolls back unless committed: a step that fails half-way leaves the catalog as it was.
class Transaction {
public:
    // Write: the transaction reads and then writes what it read (a counter), so it must hold
    // the right to write from the start.
    enum class Kind { Plain, Write };
    explicit Transaction(Connection &connection, Kind kind = Kind::Plain) : connection_(connection)
    {
        if (kind == Kind::Write)
            connection_.beginWrite();
        else
            connection_.begin();
    }
    ~Transaction()
    {
        if (!done_) {
            try {
                connection_.rollback();
            } catch (...) {
            }
        }
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit()
    {
        connection_.commit();
        done_ = true;
    }

private:
    Connection &connection_;
    bool done_ = false;
};

// Bulk work that commits row by row (an import, a calendar): the commits inside need not wait
// for the disk, and all of them are on disk once finish() returns, before the program says the
// work is done. Ended by a failure, what was written stays written and is made durable too.
class BulkWrites {
public:
    explicit BulkWrites(Connection &connection) : connection_(connection)
    {
        connection_.beginBulkWrites();
    }
    ~BulkWrites()
    {
        if (!done_) {
            try {
                connection_.makeDurable();
            } catch (...) {
            }
        }
    }
    BulkWrites(const BulkWrites &) = delete;
    BulkWrites &operator=(const BulkWrites &) = delete;
    void finish()
    {
        done_ = true;
        connection_.makeDurable();
    }

private:
    Connection &connection_;
    bool done_ = false;
};

} // namespace db
