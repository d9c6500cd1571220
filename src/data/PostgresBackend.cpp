// The shared catalog: a PostgreSQL server that several workstations use at once.

#include "data/Backend.h"
#include "data/Statement.h"
#include "data/schema.h"

#include <QSqlDatabase>

namespace db::detail {

namespace {

QString columnType(const schema::Column &c)
{
    switch (c.kind) {
    case schema::Kind::Text:
        // citext: "=" and LIKE ignore letter case, as the organisation's server compares.
        return QStringLiteral("citext");
    case schema::Kind::Integer:
        return QStringLiteral("integer");
    case schema::Kind::Number:
        return QStringLiteral("double precision");
    case schema::Kind::DateTime:
        // Without a zone: CURRENT_TIMESTAMP is stored as the server's local time.
        return QStringLiteral("timestamp(3)");
    }
    return {};
}

// The statements compare a text column with a bare number ("WHERE (Year_S = 2557)"), which the
// organisation's server allows by reading the text as a number. These operators do the same;
// a text that is not a number equals no number.
QStringList numberComparisons()
{
    QStringList out;
    for (const char *number : {"integer", "bigint", "numeric"}) {
        const QString n = QLatin1String(number);
        out << QStringLiteral("CREATE FUNCTION vostrel_text_eq_%1(citext, %1) RETURNS boolean "
                              "LANGUAGE sql IMMUTABLE STRICT AS "
                              "$$SELECT CASE WHEN btrim($1::text) ~ '^[-+]?[0-9]+([.][0-9]*)?$' "
                              "THEN btrim($1::text)::numeric = $2 ELSE false END$$")
                   .arg(n);
        out << QStringLiteral("CREATE FUNCTION vostrel_eq_text_%1(%1, citext) RETURNS boolean "
                              "LANGUAGE sql IMMUTABLE STRICT AS "
                              "$$SELECT vostrel_text_eq_%1($2, $1)$$")
                   .arg(n);
        out << QStringLiteral("CREATE FUNCTION vostrel_text_ne_%1(citext, %1) RETURNS boolean "
                              "LANGUAGE sql IMMUTABLE STRICT AS "
                              "$$SELECT NOT vostrel_text_eq_%1($1, $2)$$")
                   .arg(n);
        out << QStringLiteral("CREATE FUNCTION vostrel_ne_text_%1(%1, citext) RETURNS boolean "
                              "LANGUAGE sql IMMUTABLE STRICT AS "
                              "$$SELECT NOT vostrel_text_eq_%1($2, $1)$$")
                   .arg(n);
        out << QStringLiteral("CREATE OPERATOR = (LEFTARG = citext, RIGHTARG = %1, "
                              "FUNCTION = vostrel_text_eq_%1, COMMUTATOR = =, NEGATOR = <>)")
                   .arg(n);
        out << QStringLiteral("CREATE OPERATOR = (LEFTARG = %1, RIGHTARG = citext, "
                              "FUNCTION = vostrel_eq_text_%1, COMMUTATOR = =, NEGATOR = <>)")
                   .arg(n);
        out << QStringLiteral("CREATE OPERATOR <> (LEFTARG = citext, RIGHTARG = %1, "
                              "FUNCTION = vostrel_text_ne_%1, COMMUTATOR = <>, NEGATOR = =)")
                   .arg(n);
        out << QStringLiteral("CREATE OPERATOR <> (LEFTARG = %1, RIGHTARG = citext, "
                              "FUNCTION = vostrel_ne_text_%1, COMMUTATOR = <>, NEGATOR = =)")
                   .arg(n);
    }
    return out;
}

class PostgresBackend final : public Backend {
public:
    QString driverName() const override { return QStringLiteral("QPSQL"); }

    void configure(QSqlDatabase &db, const CatalogLocation &where,
                   Connection::OpenMode) const override
    {
        db.setHostName(where.host);
        if (where.port > 0)
            db.setPort(where.port);
        db.setDatabaseName(where.database);
        db.setUserName(where.user);
        db.setPassword(where.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }

    void prepareSession(QSqlDatabase &db) override
    {
        // The quoting routine doubles single quotes only: backslashes must stay plain text.
        run(db, QStringLiteral("SET standard_conforming_strings = on"));
        // The server's notices ("... does not exist, skipping") are no failures to show.
        run(db, QStringLiteral("SET client_min_messages = warning"));
    }

    QStringList schemaStatements(const std::vector<schema::Table> &tables) const override
    {
        QStringList out;
        out << QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext");
        out << QStringLiteral("CREATE OR REPLACE FUNCTION getdate() RETURNS timestamp "
                              "LANGUAGE sql STABLE AS $$SELECT LOCALTIMESTAMP(3)$$");
        out << numberComparisons();
        out << createTableStatements(tables, columnType);
        return out;
    }

    QString rowLock() const override { return QStringLiteral("FOR UPDATE"); }

    // SHARE ROW EXCLUSIVE conflicts with itself and with every write, not with a SELECT.
    QString tableLock(const QString &table) const override
    {
        return QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(table);
    }

    // Session settings the history's functions read; a client that sets none is recorded as
    // its login and address.
    void setActor(QSqlDatabase &db, const QString &user, const QString &station) override
    {
        run(db, QStringLiteral("SELECT set_config('vostrel.user', '%1', false), "
                               "set_config('vostrel.station', '%2', false)")
                    .arg(sqlText(user), sqlText(station)));
    }

    void pinServerClock(QSqlDatabase &db, const QDateTime &now) override
    {
        run(db, QStringLiteral("CREATE OR REPLACE FUNCTION getdate() RETURNS timestamp "
                               "LANGUAGE sql STABLE AS $$SELECT TIMESTAMP '%1'$$")
                    .arg(now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))));
    }
};

} // namespace

std::unique_ptr<Backend> makePostgresBackend()
{
    return std::make_unique<PostgresBackend>();
}

} // namespace db::detail
