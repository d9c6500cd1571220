// The embedded catalog: one SQLite file on the workstation.

#include "data/Backend.h"
#include "data/History.h"
#include "data/Statement.h"
#include "data/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTimeZone>
#include <algorithm>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <unordered_set>
#include <vector>

namespace db::detail {

namespace {

// Getdate(): the workstation's local time, as the organisation's server gives its own.
void sqliteGetdate(sqlite3_context *context, int, sqlite3_value **)
{
    const auto *pinned = static_cast<const QDateTime *>(sqlite3_user_data(context));
    const QDateTime now = pinned && pinned->isValid() ? *pinned : QDateTime::currentDateTime();
    const QByteArray text = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
    sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// LIKE with "\\" as its escape, as PostgreSQL reads a pattern, so that one pattern text means
// the same on both back ends. Letter case is folded as SQLite's own LIKE folds it.
void sqliteLike(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    unsigned int escape = '\\';
    if (argc == 3) {
        const auto *e = reinterpret_cast<const char *>(sqlite3_value_text(argv[2]));
        if (!e || e[0] == 0 || e[1] != 0) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = static_cast<unsigned char>(e[0]);
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL, as LIKE gives
    const auto *pattern = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(context, sqlite3_strlike(pattern, text, escape) == 0);
}

// Who writes through the connection, as the history's triggers ask.
struct Actor {
    QByteArray user;
    QByteArray station;
};

void actorUser(sqlite3_context *context, int, sqlite3_value **)
{
    const auto *actor = static_cast<const Actor *>(sqlite3_user_data(context));
    sqlite3_result_text(context, actor->user.constData(), int(actor->user.size()), SQLITE_TRANSIENT);
}

void actorStation(sqlite3_context *context, int, sqlite3_value **)
{
    const auto *actor = static_cast<const Actor *>(sqlite3_user_data(context));
    sqlite3_result_text(context, actor->station.constData(), int(actor->station.size()),
                        SQLITE_TRANSIENT);
}

QString argText(sqlite3_value *v)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)),
                             sqlite3_value_bytes(v));
}

// A stored value as the history writes it: numbers as the shared server's JSON gives them.
std::optional<QString> storedText(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return QString::number(sqlite3_value_double(v), 'g', 15);
    default:
        return argText(v);
    }
}

// vostrel_history_changes(table number, old values..., new values...): the changes as the
// history stores them, or NULL when no value differs.
void historyChanges(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    const std::vector<schema::Table> &tables = schema::tables();
    const auto index = static_cast<size_t>(sqlite3_value_int(argv[0]));
    if (index >= tables.size() || argc != 1 + 2 * int(tables[index].columns.size())) {
        sqlite3_result_error(context, "vostrel_history_changes: wrong arguments", -1);
        return;
    }
    const std::vector<schema::Column> &columns = tables[index].columns;
    const int n = int(columns.size());
    std::vector<db::history::ColumnValue> values;
    values.reserve(columns.size());
    for (int i = 0; i < n; ++i)
        values.push_back({columns[size_t(i)].name, columns[size_t(i)].secret,
                          storedText(argv[1 + i]), storedText(argv[1 + n + i])});
    const QByteArray text = db::history::changesText(values).toUtf8();
    if (text.isEmpty())
        return; // NULL: nothing to record
    sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// vostrel_history_hash(id, previous, time, user, station, table, key, action, changes).
void historyHash(sqlite3_context *context, int, sqlite3_value **argv)
{
    db::history::Entry e;
    e.id = sqlite3_value_int64(argv[0]);
    e.time = argText(argv[2]);
    e.user = argText(argv[3]);
    e.station = argText(argv[4]);
    e.table = argText(argv[5]);
    e.key = argText(argv[6]);
    e.action = argText(argv[7]);
    e.changes = argText(argv[8]);
    const QByteArray hash = db::history::entryHash(e, argText(argv[1])).toLatin1();
    sqlite3_result_text(context, hash.constData(), int(hash.size()), SQLITE_TRANSIENT);
}

QString columnType(const schema::Column &c)
{
    switch (c.kind) {
    case schema::Kind::Text:
        // NOCASE: text compares as the organisation's server compares it, letter case aside.
        return (c.width > 0 ? QStringLiteral("VARCHAR(%1)").arg(c.width) : QStringLiteral("TEXT")) +
               QStringLiteral(" COLLATE NOCASE");
    case schema::Kind::Integer:
        return QStringLiteral("INTEGER");
    case schema::Kind::Number:
        return QStringLiteral("REAL");
    case schema::Kind::DateTime:
        return QStringLiteral("DATETIME");
    }
    return {};
}

class SqliteCursor;

// The results read from the file that are still open; all of them end before it closes.
struct OpenCursors {
    std::unordered_set<SqliteCursor *> cursors;
};

// A result read from the file directly. Qt's driver converts every column of every row; a
// report of "SELECT a.*, b.*" reads a few of them, so a value is converted only when read, as
// the driver converts it. The first row is stepped to at once: a statement that fails there
// fails as it is sent, as with the driver.
class SqliteCursor final : public Cursor {
public:
    SqliteCursor(sqlite3_stmt *statement, std::shared_ptr<OpenCursors> open)
        : statement_(statement), open_(std::move(open))
    {
        open_->cursors.insert(this);
    }
    ~SqliteCursor() override
    {
        open_->cursors.erase(this);
        end();
    }
    SqliteCursor(const SqliteCursor &) = delete;
    SqliteCursor &operator=(const SqliteCursor &) = delete;

    // The first step; its failure is the statement's.
    int start()
    {
        const int rc = sqlite3_step(statement_);
        pending_ = rc == SQLITE_ROW;
        if (rc == SQLITE_DONE)
            finish();
        else if (rc != SQLITE_ROW)
            done_ = true;
        return rc;
    }

    bool next() override
    {
        onRow_ = false;
        std::fill(read_.begin(), read_.end(), false);
        if (pending_) {
            pending_ = false;
            onRow_ = true;
        } else if (!done_ && statement_) {
            // A failure after the first row ends the rows, as with the driver.
            onRow_ = sqlite3_step(statement_) == SQLITE_ROW;
            if (!onRow_)
                finish();
        }
        return onRow_;
    }

    // As the driver names them: double quotes removed.
    QStringList names() const override
    {
        QStringList out;
        const int n = statement_ ? sqlite3_column_count(statement_) : 0;
        for (int i = 0; i < n; ++i) {
            out << QString(reinterpret_cast<const QChar *>(sqlite3_column_name16(statement_, i)))
                       .remove(u'"');
        }
        return out;
    }

    // A value read twice on a row is converted once.
    QVariant value(int index) const override
    {
        if (!valid(index))
            return {};
        if (read_.empty()) {
            read_.assign(static_cast<size_t>(sqlite3_column_count(statement_)), false);
            row_.resize(read_.size());
        }
        const auto at = static_cast<size_t>(index);
        if (!read_[at]) {
            row_[at] = convert(index);
            read_[at] = true;
        }
        return row_[at];
    }

    bool isNull(int index) const override
    {
        return !valid(index) || sqlite3_column_type(statement_, index) == SQLITE_NULL;
    }

    // The rows have ended: the statement is reset, so it holds no read open, as the driver's.
    void finish()
    {
        sqlite3_reset(statement_);
        done_ = true;
    }

    // Finalizes the statement: the cursor reads no more rows.
    void end()
    {
        if (statement_)
            sqlite3_finalize(statement_);
        statement_ = nullptr;
        pending_ = false;
        onRow_ = false;
        done_ = true;
    }

private:
    // As the driver converts a value; a real number as a double, as Qt's queries here ask.
    QVariant convert(int index) const
    {
        switch (sqlite3_column_type(statement_, index)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement_, index)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(statement_, index));
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char *>(sqlite3_column_blob(statement_, index)),
                              sqlite3_column_bytes(statement_, index));
        default:
            break;
        }
        // The text first, then its size: the size is of the text as converted.
        const void *text = sqlite3_column_text16(statement_, index);
        const int bytes = sqlite3_column_bytes16(statement_, index);
        return QString(static_cast<const QChar *>(text), bytes / int(sizeof(QChar)));
    }

    bool valid(int index) const
    {
        return onRow_ && statement_ && index >= 0 && index < sqlite3_column_count(statement_);
    }

    sqlite3_stmt *statement_;
    std::shared_ptr<OpenCursors> open_;
    mutable std::vector<QVariant> row_; // the values of the row read so far
    mutable std::vector<bool> read_;
    bool pending_ = false; // the first row, stepped to and not yet read
    bool onRow_ = false;
    bool done_ = false;
};

// The driver's words for a text of more than one statement, and of none.
const char *const MultipleStatements = "Unable to execute multiple statements at a time";
const char *const NoQuery = "No query";

class SqliteBackend final : public Backend {
public:
    QString driverName() const override { return QStringLiteral("QSQLITE"); }

    void configure(QSqlDatabase &db, const CatalogLocation &where,
                   Connection::OpenMode mode) const override
    {
        const QFileInfo file(where.path);
        if (mode == Connection::OpenMode::MustExist && !file.isFile())
            throw Error(QStringLiteral("ไม่พบแฟ้มฐานข้อมูล %1").arg(where.path));
        if (mode == Connection::OpenMode::Create && !QDir().mkpath(file.absolutePath()))
            throw Error(QStringLiteral("สร้างโฟลเดอร์ %1 ไม่ได้").arg(file.absolutePath()));
        db.setDatabaseName(where.path);
        // Another program holding the file briefly should make us wait, not fail.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }

    void prepareSession(QSqlDatabase &db) override
    {
        raw_ = handleOf(db);
        registerGetdate();
        registerLike();
        registerHistory();
        // An empty file that is not a catalog must fail here, not half-way through a screen.
        run(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        // The write-ahead log lets stations read while one writes. With FULL sync every commit
        // is on disk before the program says it is saved; bulk work relaxes that inside its
        // loop (bulkWrites) and is made durable before its completion message (durable).
        run(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        run(db, QStringLiteral("PRAGMA synchronous=FULL"));
    }

    QStringList schemaStatements(const std::vector<schema::Table> &tables) const override
    {
        return createTableStatements(tables, columnType);
    }

    std::unique_ptr<Cursor> select(QSqlDatabase &db, const QString &statement) override
    {
        if (!raw_)
            return Backend::select(db, statement);
        sqlite3_stmt *prepared = nullptr;
        const void *tail = nullptr;
        const int size = static_cast<int>((statement.size() + 1) * sizeof(QChar));
        if (sqlite3_prepare16_v2(raw_, statement.constData(), size, &prepared, &tail) !=
            SQLITE_OK) {
            sqlite3_finalize(prepared);
            throw Error(errorText());
        }
        if (tail && !QStringView(static_cast<const QChar *>(tail)).trimmed().isEmpty()) {
            sqlite3_finalize(prepared);
            throw Error(QString::fromLatin1(MultipleStatements));
        }
        // A text of no statement (blanks, a comment) prepares to nothing.
        if (!prepared)
            throw Error(QString::fromLatin1(NoQuery));
        auto cursor = std::make_unique<SqliteCursor>(prepared, open_);
        const int rc = cursor->start();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            // A failed step tells its own message once the statement is reset.
            sqlite3_reset(prepared);
            const QString message = errorText();
            cursor.reset();
            throw Error(message);
        }
        return cursor;
    }

    void beforeClose() override
    {
        for (SqliteCursor *cursor : open_->cursors)
            cursor->end();
        raw_ = nullptr;
    }

    // CURRENT_TIMESTAMP stores UTC text here; the program reads the server's local time.
    QVariant adapt(const QString &column, const QVariant &raw) const override
    {
        if (raw.isNull() || raw.typeId() != QMetaType::QString || !schema::isDateTimeColumn(column))
            return raw;
        // CURRENT_TIMESTAMP writes whole seconds; a value loaded from the shared server keeps
        // its milliseconds.
        const QString text = raw.toString();
        QDateTime t = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!t.isValid())
            t = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        if (!t.isValid())
            return raw;
        t.setTimeZone(QTimeZone::utc());
        return t.toLocalTime();
    }
    bool adapts(const QString &column) const override { return schema::isDateTimeColumn(column); }

    // The whole file is locked for writing at once: a deferred transaction that read first
    // would fail, not wait, when another process wrote in between.
    void beginWrite(QSqlDatabase &db) override { run(db, QStringLiteral("BEGIN IMMEDIATE")); }

    // Inside a transaction (the tool's demo catalog) there is one commit, under FULL: nothing
    // to relax, and the sync level cannot change there anyway.
    void bulkWrites(QSqlDatabase &db) override
    {
        if (!inTransaction(db))
            run(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    }

    // The commits made under NORMAL sit in the log, maybe not yet on disk. One more commit
    // under FULL syncs the whole log: a header write that changes nothing (the same
    // user_version) is that commit.
    void durable(QSqlDatabase &db) override
    {
        if (inTransaction(db))
            return;
        run(db, QStringLiteral("PRAGMA synchronous=FULL"));
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
            throw Error(QStringLiteral("อ่านรุ่นของแฟ้มฐานข้อมูลไม่ได้"));
        const qint64 version = q.value(0).toLongLong();
        q.finish();
        run(db, QStringLiteral("PRAGMA user_version=%1").arg(version));
    }

    // VACUUM INTO reads one snapshot: a consistent copy while other stations write.
    void backupTo(QSqlDatabase &db, const QString &path) override
    {
        run(db, QStringLiteral("VACUUM INTO '") + sqlText(path) + QStringLiteral("'"));
    }

    // The registered function reads pinned_ through its user data on every call.
    void pinServerClock(QSqlDatabase &, const QDateTime &now) override { pinned_ = now; }

    void setActor(QSqlDatabase &, const QString &user, const QString &station) override
    {
        actor_ = {user.toUtf8(), station.toUtf8()};
    }

private:
    static sqlite3 *handleOf(QSqlDatabase &db)
    {
        const QVariant handle = db.driver()->handle();
        sqlite3 *raw = nullptr;
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            raw = *static_cast<sqlite3 *const *>(handle.constData());
        if (!raw)
            throw Error(QStringLiteral("เปิดแฟ้มฐานข้อมูล SQLite ไม่ได้"));
        return raw;
    }

    static bool inTransaction(QSqlDatabase &db)
    {
        return sqlite3_get_autocommit(handleOf(db)) == 0;
    }

    void registerGetdate()
    {
        const int rc = sqlite3_create_function_v2(raw_, "getdate", 0, SQLITE_UTF8, &pinned_,
                                                  sqliteGetdate, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw Error(QString::fromUtf8(sqlite3_errmsg(raw_)));
    }

    void registerHistory()
    {
        const struct {
            const char *name;
            int args;
            void (*run)(sqlite3_context *, int, sqlite3_value **);
            int flags;
        } functions[] = {{"vostrel_history_user", 0, actorUser, 0},
                         {"vostrel_history_station", 0, actorStation, 0},
                         {"vostrel_history_changes", -1, historyChanges, SQLITE_DETERMINISTIC},
                         {"vostrel_history_hash", 9, historyHash, SQLITE_DETERMINISTIC}};
        for (const auto &f : functions) {
            const int rc = sqlite3_create_function_v2(raw_, f.name, f.args, SQLITE_UTF8 | f.flags,
                                                      &actor_, f.run, nullptr, nullptr, nullptr);
            if (rc != SQLITE_OK)
                throw Error(QString::fromUtf8(sqlite3_errmsg(raw_)));
        }
    }

    void registerLike()
    {
        for (const int args : {2, 3}) {
            const int rc = sqlite3_create_function_v2(
                raw_, "like", args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, sqliteLike,
                nullptr, nullptr, nullptr);
            if (rc != SQLITE_OK)
                throw Error(QString::fromUtf8(sqlite3_errmsg(raw_)));
        }
    }

    QString errorText() const
    {
        const QString text = QString(reinterpret_cast<const QChar *>(sqlite3_errmsg16(raw_)));
        return text.isEmpty() ? QStringLiteral("คำสั่งฐานข้อมูลล้มเหลว") : text;
    }

    QDateTime pinned_;
    Actor actor_;
    sqlite3 *raw_ = nullptr; // the driver's connection, once open
    std::shared_ptr<OpenCursors> open_ = std::make_shared<OpenCursors>();
};

} // namespace

std::unique_ptr<Backend> makeSqliteBackend()
{
    return std::make_unique<SqliteBackend>();
}

} // namespace db::detail
