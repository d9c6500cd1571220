// The embedded catalog: one SQLite file on the workstation.

#include "data/Backend.h"
#include "data/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
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
        // Screens send one autocommit statement per row (a calendar save: two per day). With
        // the write-ahead log and NORMAL sync a commit no longer waits for its own fsync; the
        // file stays consistent after a crash, only the last commits may be lost.
        run(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        run(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
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
        QDateTime t = QDateTime::fromString(raw.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!t.isValid())
            return raw;
        t.setTimeZone(QTimeZone::utc());
        return t.toLocalTime();
    }
    bool adapts(const QString &column) const override { return schema::isDateTimeColumn(column); }

    // The registered function reads pinned_ through its user data on every call.
    void pinServerClock(QSqlDatabase &, const QDateTime &now) override { pinned_ = now; }

private:
    void registerGetdate(QSqlDatabase &db)
    {
        const QVariant handle = db.driver()->handle();
        sqlite3 *raw = nullptr;
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            raw = *static_cast<sqlite3 *const *>(handle.constData());
        if (!raw)
            throw Error(QStringLiteral("เปิดแฟ้มฐานข้อมูล SQLite ไม่ได้"));
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
