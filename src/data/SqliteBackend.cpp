// The embedded catalog: one SQLite file on the workstation.

#include "data/Backend.h"
#include "data/Statement.h"
#include "data/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTimeZone>
#include <sqlite3.h>

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
        registerGetdate(db);
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

    // The online backup copies every page under the file's write lock: the stations' own
    // connections stay open and see the copy's content from their next read.
    void restoreFrom(QSqlDatabase &db, const QString &path) override
    {
        sqlite3 *source = nullptr;
        const QByteArray file = path.toUtf8();
        if (sqlite3_open_v2(file.constData(), &source, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
            const QString why = QString::fromUtf8(sqlite3_errmsg(source));
            sqlite3_close(source);
            throw Error(QStringLiteral("เปิดแฟ้มสำรอง %1 ไม่ได้: %2").arg(path, why));
        }
        sqlite3 *target = rawHandle(db);
        sqlite3_backup *copy = sqlite3_backup_init(target, "main", source, "main");
        if (!copy) {
            const QString why = QString::fromUtf8(sqlite3_errmsg(target));
            sqlite3_close(source);
            throw Error(QStringLiteral("นำแฟ้มสำรองกลับไม่ได้: ") + why);
        }
        int rc = SQLITE_OK;
        do {
            rc = sqlite3_backup_step(copy, -1);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                sqlite3_sleep(100);
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(copy);
        sqlite3_close(source);
        if (rc != SQLITE_DONE)
            throw Error(QStringLiteral("นำแฟ้มสำรองกลับไม่ได้: ") +
                        QString::fromUtf8(sqlite3_errstr(rc)));
    }

    // The registered function reads pinned_ through its user data on every call.
    void pinServerClock(QSqlDatabase &, const QDateTime &now) override { pinned_ = now; }

private:
    static sqlite3 *rawHandle(QSqlDatabase &db)
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
        return sqlite3_get_autocommit(rawHandle(db)) == 0;
    }

    void registerGetdate(QSqlDatabase &db)
    {
        sqlite3 *raw = rawHandle(db);
        const int rc = sqlite3_create_function_v2(raw, "getdate", 0, SQLITE_UTF8, &pinned_,
                                                  sqliteGetdate, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw Error(QString::fromUtf8(sqlite3_errmsg(raw)));
    }

    QDateTime pinned_;
};

} // namespace

std::unique_ptr<Backend> makeSqliteBackend()
{
    return std::make_unique<SqliteBackend>();
}

} // namespace db::detail
