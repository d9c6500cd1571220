#include "data/History.h"

#include "data/Connection.h"
#include "data/schema.h"

#include <QRegularExpression>
#include <openssl/sha.h>
#include <utility>

namespace db::history {

namespace {

const char *const Columns =
    "History_ID, History_Time, User_Name, Station, Table_Name, Row_Key, Action, Changes, Hash";

const char *const KeptMessage = "ประวัติการแก้ไขข้อมูลแก้ไขหรือลบไม่ได้";

QString literal(const QString &text)
{
    return QLatin1Char('\'') + sqlText(text) + QLatin1Char('\'');
}

QString actionWord(Event event)
{
    return event == Event::Login ? QStringLiteral("login") : QStringLiteral("login-failed");
}

bool hasTable(const QStringList &names, const char *table)
{
    for (const QString &name : names) {
        if (name.compare(QLatin1String(table), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// ---- the embedded catalog ----

// The triggers that refuse, on this connection, any change to the history itself.
QStringList sqliteSessionTriggers()
{
    QStringList out;
    for (const char *op : {"UPDATE", "DELETE"}) {
        out << QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS vostrel_history_kept_%1 BEFORE %2 "
                              "ON main.TR_History BEGIN SELECT RAISE(ABORT, '%3'); END")
                   .arg(QString::fromLatin1(op).toLower(), QLatin1String(op),
                        QString::fromUtf8(KeptMessage));
    }
    return out;
}

// ---- the shared server ----

QString lowerNames(const std::vector<const char *> &names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::fromLatin1(n).toLower();
    return out.join(u',');
}

QStringList postgresObjects()
{
    QStringList out;
    // One writer appends at a time, so the chain follows the order of the entries' numbers.
    out << QStringLiteral(
        "CREATE OR REPLACE FUNCTION vostrel_history_append(p_user text, p_table text, "
        "p_key text, p_action text, p_changes text) RETURNS void LANGUAGE plpgsql "
        "SECURITY DEFINER SET search_path = public, pg_temp AS $$\n"
        "DECLARE last_id bigint; last_hash text; v_id bigint; v_time text; v_user text; "
        "v_station text;\n"
        "BEGIN\n"
        "  PERFORM pg_advisory_xact_lock(2033041187);\n"
        "  SELECT History_ID, Hash INTO last_id, last_hash FROM TR_History "
        "ORDER BY History_ID DESC LIMIT 1;\n"
        "  v_id := coalesce(last_id, 0) + 1;\n"
        "  v_time := to_char(getdate(), 'YYYY-MM-DD HH24:MI:SS.MS');\n"
        "  v_user := coalesce(p_user, nullif(current_setting('vostrel.user', true), ''), "
        "session_user::text);\n"
        "  v_station := coalesce(nullif(current_setting('vostrel.station', true), ''), "
        "host(inet_client_addr()), 'local');\n"
        "  INSERT INTO TR_History (History_ID, History_Time, User_Name, Station, Table_Name, "
        "Row_Key, Action, Changes, Hash) VALUES (v_id, v_time, v_user, v_station, p_table, "
        "p_key, p_action, p_changes, encode(sha256(convert_to(concat_ws(E'\\n', v_id::text, "
        "coalesce(last_hash::text, ''), v_time, v_user, v_station, p_table, p_key, p_action, "
        "p_changes), 'UTF8')), 'hex'));\n"
        "END $$");
    // Column names come as the server folds them; the reader gives them their own spelling.
    out << QStringLiteral(
               "CREATE OR REPLACE FUNCTION vostrel_history_row() RETURNS trigger LANGUAGE plpgsql "
               "SECURITY DEFINER SET search_path = public, pg_temp AS $$\n"
               "DECLARE o json; n json; r json; k text; ch text;\n"
               "  keys text[] := string_to_array(TG_ARGV[1], ',');\n"
               "  secrets text[] := coalesce(string_to_array(TG_ARGV[2], ','), '{}');\n"
               "BEGIN\n"
               "  IF TG_OP <> 'INSERT' THEN o := row_to_json(OLD); END IF;\n"
               "  IF TG_OP <> 'DELETE' THEN n := row_to_json(NEW); END IF;\n"
               "  r := coalesce(n, o);\n"
               "  SELECT string_agg(coalesce(r ->> x.c, ''), ' ' ORDER BY x.i) INTO k "
               "FROM unnest(keys) WITH ORDINALITY AS x(c, i);\n"
               "  SELECT json_agg(json_build_array(f.key, "
               "CASE WHEN f.key = ANY(secrets) AND (o ->> f.key) IS NOT NULL THEN '%1' "
               "ELSE o ->> f.key END, "
               "CASE WHEN f.key = ANY(secrets) AND (n ->> f.key) IS NOT NULL THEN '%1' "
               "ELSE n ->> f.key END) ORDER BY f.i)::text INTO ch "
               "FROM json_each(r) WITH ORDINALITY AS f(key, value, i) "
               "WHERE (o ->> f.key) IS DISTINCT FROM (n ->> f.key);\n"
               "  IF ch IS NOT NULL THEN\n"
               "    PERFORM vostrel_history_append(NULL, TG_ARGV[0], k, lower(TG_OP), ch);\n"
               "  END IF;\n"
               "  RETURN NULL;\n"
               "END $$")
               .arg(QLatin1String(Hidden));
    out << QStringLiteral("CREATE OR REPLACE FUNCTION vostrel_history_kept() RETURNS trigger "
                          "LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION '%1'; END $$")
               .arg(QString::fromUtf8(KeptMessage));
    for (const schema::Table &t : schema::tables()) {
        std::vector<const char *> secrets;
        for (const schema::Column &c : t.columns) {
            if (c.secret)
                secrets.push_back(c.name);
        }
        out << QStringLiteral("CREATE TRIGGER vostrel_history AFTER INSERT OR UPDATE OR DELETE "
                              "ON %1 FOR EACH ROW EXECUTE FUNCTION vostrel_history_row('%1', "
                              "'%2', '%3')")
                   .arg(QLatin1String(t.name), lowerNames(schema::rowKey(t)),
                        lowerNames(secrets));
    }
    out << QStringLiteral("CREATE TRIGGER vostrel_history_kept BEFORE UPDATE OR DELETE ON "
                          "TR_History FOR EACH ROW EXECUTE FUNCTION vostrel_history_kept()");
    out << QStringLiteral("CREATE TRIGGER vostrel_history_kept_all BEFORE TRUNCATE ON TR_History "
                          "FOR EACH STATEMENT EXECUTE FUNCTION vostrel_history_kept()");
    out << QStringLiteral("REVOKE UPDATE, DELETE, TRUNCATE ON TR_History FROM PUBLIC");
    return out;
}

// The history table and its indexes, without what the back end adds for the nine tables.
QStringList tableStatements(Connection &c)
{
    static const QRegularExpression tableOrIndex(QStringLiteral("^CREATE (TABLE|INDEX) "));
    return c.schemaStatements({schema::historyTable()}).filter(tableOrIndex);
}

qint64 count(Connection &c, const QString &statement)
{
    Rows rows = c.selectQuietly(Statement{statement});
    return rows.next() ? rows.integer(QStringLiteral("n")) : 0;
}

} // namespace

bool installed(Connection &c)
{
    if (c.backend() == BackendKind::PostgreSQL) {
        // The table, and the recording trigger of each of the nine tables.
        return count(c, QStringLiteral("SELECT count(*) AS n FROM pg_trigger WHERE tgname = "
                                       "'vostrel_history' AND NOT tgisinternal")) ==
                   static_cast<qint64>(schema::tables().size()) &&
               count(c, QStringLiteral("SELECT count(*) AS n FROM pg_class WHERE relname = "
                                       "'tr_history' AND relkind = 'r'")) == 1;
    }
    return hasTable(c.tableNames(), schema::historyTable().name);
}

void install(Connection &c)
{
    QStringList statements;
    if (c.backend() == BackendKind::PostgreSQL) {
        // Two stations starting on a catalog without its history: one installs it.
        c.executeQuietly(Statement{QStringLiteral("SELECT pg_advisory_xact_lock(2033041188)")});
        if (installed(c))
            return;
        if (count(c, QStringLiteral("SELECT count(*) AS n FROM pg_class WHERE relname = "
                                    "'tr_history'")) == 0)
            statements << tableStatements(c);
        statements << QStringLiteral("DROP TRIGGER IF EXISTS vostrel_history_kept ON TR_History")
                   << QStringLiteral(
                          "DROP TRIGGER IF EXISTS vostrel_history_kept_all ON TR_History");
        for (const schema::Table &t : schema::tables())
            statements << QStringLiteral("DROP TRIGGER IF EXISTS vostrel_history ON %1")
                              .arg(QLatin1String(t.name));
        statements << postgresObjects();
    } else {
        if (installed(c))
            return;
        statements << tableStatements(c);
    }
    for (const QString &s : statements)
        c.executeQuietly(Statement{s});
}

void attach(Connection &c)
{
    const QStringList tables = c.tableNames();
    if (!hasTable(tables, "Main_Deega_Control"))
        return;
    // The embedded catalog's names tell at once; the server's triggers are asked for.
    const bool present = c.backend() == BackendKind::SQLite
                             ? hasTable(tables, schema::historyTable().name)
                             : installed(c);
    if (!present) {
        Transaction t(c, Transaction::Kind::Write);
        install(c);
        t.commit();
    }
    startRecording(c);
}

void startRecording(Connection &c)
{
    if (c.backend() == BackendKind::SQLite) {
        for (const QString &s : sqliteSessionTriggers())
            c.executeQuietly(Statement{s});
    }
    c.startRecording();
}

void recordEvent(Connection &c, Event event, const QString &user)
{
    if (!c.recordsHistory())
        return;
    if (c.backend() == BackendKind::PostgreSQL) {
        c.executeQuietly(Statement{QStringLiteral("SELECT vostrel_history_append(%1, '', '', "
                                                  "%2, '[]')")
                                       .arg(literal(user), literal(actionWord(event)))});
        return;
    }
    c.executeQuietly(Statement{QStringLiteral("SELECT vostrel_history_event(%1, %2)")
                                   .arg(literal(actionWord(event)), literal(user))});
}

QByteArray hashOf(std::initializer_list<QByteArrayView> fields)
{
    QByteArray text;
    qsizetype size = qsizetype(fields.size());
    for (const QByteArrayView f : fields)
        size += f.size();
    text.reserve(size);
    bool first = true;
    for (const QByteArrayView f : fields) {
        if (!first)
            text += '\n';
        text += f;
        first = false;
    }
    // OpenSSL's digest uses the processor's SHA instructions: an import records a row in a
    // few microseconds.
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char *>(text.constData()), size_t(text.size()), digest);
    return QByteArray(reinterpret_cast<const char *>(digest), SHA256_DIGEST_LENGTH).toHex();
}

QString entryHash(const Entry &e, const QString &previous)
{
    return QString::fromLatin1(hashOf({QByteArray::number(e.id), previous.toUtf8(), e.time.toUtf8(),
                                       e.user.toUtf8(), e.station.toUtf8(), e.table.toUtf8(),
                                       e.key.toUtf8(), e.action.toUtf8(), e.changes.toUtf8()}));
}

namespace {

// A JSON string of UTF-8 text: quotes, backslashes and control characters escaped; the runs
// between them copied whole.
void appendJsonString(QByteArray &out, QByteArrayView text)
{
    out += '"';
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '"' && c != '\\' && c >= 0x20)
            continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            const char escape[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 15]};
            out.append(escape, 6);
        } else {
            const char escape[] = {'\\', char(c)};
            out.append(escape, 2);
        }
    }
    out.append(text.data() + run, text.size() - run);
    out += '"';
}

void appendJsonValue(QByteArray &out, bool secret, std::optional<QByteArrayView> v)
{
    if (!v)
        out += "null";
    else
        appendJsonString(out, secret ? QByteArrayView(Hidden) : *v);
}

} // namespace

void ChangesJson::add(const char *column, bool secret, std::optional<QByteArrayView> before,
                      std::optional<QByteArrayView> after)
{
    if (text_.isEmpty())
        text_.reserve(1024);
    text_ += text_.isEmpty() ? "[[" : ",[";
    appendJsonString(text_, column);
    text_ += ',';
    appendJsonValue(text_, secret, before);
    text_ += ',';
    appendJsonValue(text_, secret, after);
    text_ += ']';
}

QByteArray ChangesJson::take()
{
    if (!text_.isEmpty())
        text_ += ']';
    return std::exchange(text_, {});
}

Verdict verify(Connection &c)
{
    Verdict v;
    if (!installed(c)) {
        v.firstBad = -1;
        v.why = QStringLiteral("ฐานข้อมูลนี้ไม่มีประวัติการแก้ไขข้อมูล");
        return v;
    }
    Rows rows = c.select(Statement{QStringLiteral("SELECT %1 FROM TR_History ORDER BY History_ID")
                                       .arg(QLatin1String(Columns))});
    QString previous;
    qint64 expected = 1;
    while (rows.next()) {
        Entry e;
        e.id = rows.integer(QStringLiteral("History_ID"));
        e.time = rows.text(QStringLiteral("History_Time"));
        e.user = rows.text(QStringLiteral("User_Name"));
        e.station = rows.text(QStringLiteral("Station"));
        e.table = rows.text(QStringLiteral("Table_Name"));
        e.key = rows.text(QStringLiteral("Row_Key"));
        e.action = rows.text(QStringLiteral("Action"));
        e.changes = rows.text(QStringLiteral("Changes"));
        e.hash = rows.text(QStringLiteral("Hash"));
        ++v.entries;
        if (e.id != expected) {
            v.firstBad = e.id;
            v.why = QStringLiteral("รายการที่ %1 ขาดหายไป (รายการถัดไปคือ %2)").arg(expected).arg(e.id);
            return v;
        }
        if (entryHash(e, previous) != e.hash) {
            v.firstBad = e.id;
            v.why = QStringLiteral("รายการที่ %1 ไม่ตรงกับรหัสตรวจสอบ (ถูกแก้ไขหลังบันทึก)").arg(e.id);
            return v;
        }
        previous = e.hash;
        ++expected;
    }
    return v;
}

} // namespace db::history
