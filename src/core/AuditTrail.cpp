#include "core/AuditTrail.h"

#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

namespace audit {

namespace {

QString q(const QString &text)
{
    return QLatin1Char('\'') + db::sqlText(text) + QLatin1Char('\'');
}

QString dayText(const QDate &day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

db::Statement statement(const Filter &f)
{
    db::Statement s{QStringLiteral("SELECT History_ID, History_Time, User_Name, Station, "
                                   "Table_Name, Row_Key, Action, Changes"),
                    QStringLiteral("FROM TR_History"), QStringLiteral("WHERE (History_ID > 0)")};
    if (!f.key.isEmpty())
        s << QStringLiteral("AND (Row_Key = %1)").arg(q(f.key));
    if (f.from.isValid())
        s << QStringLiteral("AND (History_Time >= %1)").arg(q(dayText(f.from)));
    if (f.to.isValid())
        s << QStringLiteral("AND (History_Time < %1)").arg(q(dayText(f.to.addDays(1))));
    if (!f.user.isEmpty())
        s << QStringLiteral("AND (User_Name = %1)").arg(q(f.user));
    if (f.newest > 0)
        s << QStringLiteral("ORDER BY History_ID DESC LIMIT %1").arg(f.newest);
    else
        s << QStringLiteral("ORDER BY History_ID");
    return s;
}

// The catalog's spelling of a column the shared server gives folded.
QString columnName(const schema::Table *table, const QString &column)
{
    if (table) {
        for (const schema::Column &c : table->columns) {
            if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return QLatin1String(c.name);
        }
    }
    return column;
}

// A server time stamp as the screens show it; the embedded catalog keeps it in UTC.
QString valueText(db::BackendKind backend, bool dateTime, const QJsonValue &v)
{
    if (v.isNull() || v.isUndefined())
        return {};
    const QString text = v.isString() ? v.toString() : v.toVariant().toString();
    if (!dateTime)
        return text;
    QString iso = text;
    iso.replace(u'T', u' ');
    QDateTime t = QDateTime::fromString(iso.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid())
        return text;
    if (backend == db::BackendKind::SQLite) {
        t.setTimeZone(QTimeZone::utc());
        t = t.toLocalTime();
    }
    return thaiDateTimeText(t);
}

QString eventCaption(const QString &action)
{
    if (action == QLatin1String("login"))
        return QStringLiteral("เข้าสู่ระบบ");
    if (action == QLatin1String("login-failed"))
        return QStringLiteral("เข้าสู่ระบบไม่สำเร็จ");
    return action;
}

} // namespace

void read(db::Connection &c, const Filter &filter, const std::function<void(const Entry &)> &take)
{
    db::Rows rows = c.select(statement(filter));
    QList<Entry> newestFirst;
    while (rows.next()) {
        Entry e;
        e.id = rows.integer(QStringLiteral("History_ID"));
        e.time = QDateTime::fromString(rows.text(QStringLiteral("History_Time")),
                                       QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        e.user = rows.text(QStringLiteral("User_Name"));
        e.station = rows.text(QStringLiteral("Station"));
        e.table = rows.text(QStringLiteral("Table_Name"));
        e.key = rows.text(QStringLiteral("Row_Key"));
        e.action = rows.text(QStringLiteral("Action"));
        const schema::Table *table = schema::findTable(e.table);
        const QJsonArray changes =
            QJsonDocument::fromJson(rows.text(QStringLiteral("Changes")).toUtf8()).array();
        for (const QJsonValue &change : changes) {
            const QJsonArray c3 = change.toArray();
            const QString column = columnName(table, c3.at(0).toString());
            const bool dateTime = schema::isDateTimeColumn(column);
            e.changes.append({column, valueText(c.backend(), dateTime, c3.at(1)),
                              valueText(c.backend(), dateTime, c3.at(2))});
        }
        if (filter.newest > 0)
            newestFirst.prepend(e);
        else
            take(e);
    }
    for (const Entry &e : std::as_const(newestFirst))
        take(e);
}

QList<Entry> entries(db::Connection &c, const Filter &filter)
{
    QList<Entry> out;
    read(c, filter, [&out](const Entry &e) { out.append(e); });
    return out;
}

QList<Entry> ofDocument(db::Connection &c, const QString &key)
{
    Filter f;
    f.key = key;
    return entries(c, f);
}

QStringList header()
{
    return {QStringLiteral("เวลา"),    QStringLiteral("ผู้ใช้"),  QStringLiteral("เครื่อง"),
            QStringLiteral("ตาราง"),   QStringLiteral("รหัส"),   QStringLiteral("คอลัมน์"),
            QStringLiteral("ค่าเดิม"), QStringLiteral("ค่าใหม่")};
}

QList<QStringList> lines(const Entry &e)
{
    const QStringList head{thaiDateTimeText(e.time), e.user, e.station, e.table, e.key};
    QList<QStringList> out;
    if (e.table.isEmpty()) {
        out.append(head + QStringList{eventCaption(e.action), QString(), QString()});
        return out;
    }
    for (const Change &c : e.changes)
        out.append(head + QStringList{c.column, c.was, c.now});
    return out;
}

} // namespace audit
