#include "core/Reference.h"

#include "core/Loaded.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "data/schema.h"
#include "util/Utility.h"

#include <QDate>
#include <QRegularExpression>

namespace reference {

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString col(const Field &f)
{
    return QLatin1String(f.column);
}

// The rule tables. Widths are the catalog's own (schema.cpp).
const Rules Tables[] = {
    {TableId::Officers,
     "TR_PerSon",
     "ข้อมูลเจ้าหน้าที่ผู้รับผิดชอบ",
     "เจ้าหน้าที่",
     {{"Per_Code", "รหัสเจ้าหน้าที่", FieldKind::Code, 2},
      {"Per_Name", "ชื่อเจ้าหน้าที่", FieldKind::Name, 100},
      {"Per_status", "ใช้งาน", FieldKind::Active, 1}},
     "Per_Code"},
    {TableId::DocTypes,
     "TR_DocType",
     "ข้อมูลประเภทเอกสาร",
     "ประเภทเอกสาร",
     {{"DocType_Code", "รหัสประเภทเอกสาร", FieldKind::Code, 2},
      {"DocType_Name", "ชื่อประเภทเอกสาร", FieldKind::Name, 100}},
     "DocType_Code"},
    {TableId::Users,
     "TR_User",
     "ข้อมูลผู้ใช้ระบบ",
     "ผู้ใช้",
     {{"UserName", "ชื่อผู้ใช้", FieldKind::Login, 50},
      {"Password", "รหัสผ่าน", FieldKind::Password, 10, false},
      {"U_Level", "ระดับผู้ใช้", FieldKind::Level, 0}}},
    {TableId::Holidays,
     "TR_Hard_StopDay",
     "ข้อมูลวันหยุดประจำปี",
     "วันหยุดประจำปี",
     {{"D_DDMM", "วันที่ (DD/MM)", FieldKind::DayMonth, 5},
      {"SD_Remark", "ชื่อวันหยุด", FieldKind::Name, 50}}},
};

constexpr TableId Ids[] = {TableId::Officers, TableId::DocTypes, TableId::Users, TableId::Holidays};

bool hasControl(const QString &text)
{
    for (QChar ch : text) {
        if (ch.unicode() < 32 || ch.unicode() == 127)
            return true;
    }
    return false;
}

// What is wrong with one field's value; empty when nothing.
QString fieldProblem(const Field &f, const QString &v)
{
    const QString caption = s(f.caption);
    if (hasControl(v))
        return QStringLiteral("%1 มีอักขระควบคุม (เช่น ขึ้นบรรทัดใหม่หรือ tab) ซึ่งบันทึกไม่ได้").arg(caption);
    switch (f.kind) {
    case FieldKind::Code:
        if (v.isEmpty())
            return QStringLiteral("กรุณาใส่%1").arg(caption);
        if (v.contains(u' ') || v.size() != f.width)
            return QStringLiteral("%1 ต้องมี %2 ตัวอักษรพอดี ไม่มีช่องว่าง (ใส่ \"%3\" มี %4 ตัวอักษร)")
                .arg(caption, QString::number(f.width), v, QString::number(v.size()));
        return {};
    case FieldKind::Name:
    case FieldKind::Login:
        if (v.isEmpty())
            return QStringLiteral("กรุณาใส่%1").arg(caption);
        break;
    case FieldKind::Password:
        if (v.isEmpty())
            return QStringLiteral("กรุณาใส่%1 (ระบบไม่รับรหัสผ่านว่าง)").arg(caption);
        if (v.front() == u' ' || v.back() == u' ')
            return QStringLiteral("%1ต้องไม่ขึ้นต้นหรือลงท้ายด้วยช่องว่าง").arg(caption);
        break;
    case FieldKind::Level: {
        bool ok = false;
        v.trimmed().toInt(&ok);
        if (!ok)
            return QStringLiteral("%1ต้องเป็นจำนวนเต็ม (ใส่ \"%2\")").arg(caption, v);
        return {};
    }
    case FieldKind::Active:
        if (v != schema::code::PersonActive && v != schema::code::PersonInactive)
            return QStringLiteral("%1ต้องเป็น A (ใช้งาน) หรือ N (ไม่ใช้งาน)").arg(caption);
        return {};
    case FieldKind::DayMonth:
        if (!isDayMonth(v))
            return QStringLiteral("%1 \"%2\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM (เช่น 05/12)").arg(caption, v);
        return {};
    }
    if (f.width > 0 && v.size() > f.width)
        return QStringLiteral("%1ยาวเกิน %2 ตัวอักษร (ใส่ %3 ตัวอักษร)")
            .arg(caption, QString::number(f.width), QString::number(v.size()));
    return {};
}

QString q(const QString &v)
{
    return QLatin1Char('\'') + db::sqlText(v) + QLatin1Char('\'');
}

QString literal(const Field &f, const QString &v)
{
    return f.kind == FieldKind::Level ? QString::number(v.trimmed().toInt()) : q(v);
}

QString keyCondition(const Rules &r, const QString &key)
{
    return QStringLiteral("WHERE %1 = %2").arg(col(r.key()), q(key));
}

db::Statement findStatement(const Rules &r, const QString &key)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM %1").arg(QLatin1String(r.table)),
            keyCondition(r, key)};
}

Values readValues(const Rules &r, db::Rows &row, bool withPassword)
{
    Values out;
    for (const Field &f : r.fields) {
        if (f.kind != FieldKind::Password || withPassword)
            out.insert(col(f), f.kind == FieldKind::Level ? QString::number(row.integer(col(f)))
                                                          : row.text(col(f)));
    }
    return out;
}

std::optional<Values> stored(db::Connection &c, const Rules &r, const QString &key)
{
    db::Rows row = c.select(findStatement(r, key));
    if (!row.next())
        return std::nullopt;
    return readValues(r, row, false);
}

int countOf(db::Connection &c, const db::Statement &statement)
{
    db::Rows n = c.select(statement);
    return n.next() ? static_cast<int>(n.integer(QStringLiteral("n"))) : 0;
}

int administrators(db::Connection &c)
{
    return countOf(c, {QStringLiteral("SELECT COUNT(*) AS n"), QStringLiteral("FROM TR_User"),
                       QStringLiteral("WHERE U_Level >= %1").arg(UsersLevel)});
}

int documentsReferring(db::Connection &c, const Rules &r, const QString &key)
{
    return countOf(c, {QStringLiteral("SELECT COUNT(*) AS n"),
                       QStringLiteral("FROM Main_Deega_Control"),
                       QStringLiteral("WHERE %1 = %2").arg(QLatin1String(r.usedBy), q(key))});
}

// Whether the stored user name is the acting user's own row, as the catalog matches names.
bool isActor(db::Connection &c, const QString &storedName, const Actor &actor)
{
    if (actor.user.isEmpty())
        return false;
    const std::optional<Values> own = stored(c, rulesOf(TableId::Users), actor.user);
    return own && own->value(QStringLiteral("UserName")) == storedName;
}

QString keyText(const Rules &r, const QString &key)
{
    return QStringLiteral("%1 %2").arg(s(r.key().caption), key);
}

// The row as messages name it: the key, and the name where the table has one.
QString described(const Rules &r, const Values &v)
{
    const QString key = keyText(r, v.value(col(r.key())));
    for (const Field &f : r.fields.mid(1)) {
        if (f.kind == FieldKind::Name)
            return QStringLiteral("%1 (%2)").arg(key, trimText(v.value(col(f))));
    }
    return key;
}

Outcome notFound(const Rules &r, const QString &key)
{
    return {QStringLiteral("ไม่พบ%1 (%2) ในฐานข้อมูล").arg(s(r.noun), keyText(r, key)), 0};
}

// The user rules of a change of level or a removal (level: the new level; none: removed).
Outcome userRules(db::Connection &c, const Values &old, std::optional<int> level,
                  const Actor &actor)
{
    const int was = old.value(QStringLiteral("U_Level")).toInt();
    const QString name = old.value(QStringLiteral("UserName"));
    const int levelField = 2;
    if (!level && isActor(c, name, actor))
        return {QStringLiteral("ไม่สามารถลบชื่อผู้ใช้ %1 ที่กำลังใช้งานอยู่ได้").arg(name), 0};
    if (level && *level < was && isActor(c, name, actor))
        return {QStringLiteral("ไม่สามารถลดระดับของผู้ใช้ %1 ที่กำลังใช้งานอยู่ได้").arg(name), levelField};
    const bool losesAdministrator = was >= UsersLevel && (!level || *level < UsersLevel);
    if (losesAdministrator && administrators(c) <= 1)
        return {QStringLiteral("%1 เป็นผู้ใช้ระดับ %2 คนสุดท้าย ต้องมีผู้ใช้ระดับ %2 อย่างน้อยหนึ่งคน")
                    .arg(name, QString::number(UsersLevel)),
                level ? levelField : 0};
    return {};
}

db::Statement insertStatement(const Rules &r, const Values &v)
{
    QStringList columns;
    QStringList literals;
    for (const Field &f : r.fields) {
        columns << col(f);
        literals << literal(f, v.value(col(f)));
    }
    return {QStringLiteral("INSERT INTO %1 (%2)").arg(QLatin1String(r.table), columns.join(u", ")),
            QStringLiteral("VALUES (%1)").arg(literals.join(u", "))};
}

db::Statement updateStatement(const Rules &r, const QString &key, const Values &v)
{
    QStringList sets;
    for (const Field &f : r.fields.mid(1)) {
        if (v.contains(col(f)))
            sets << QStringLiteral("%1 = %2").arg(col(f), literal(f, v.value(col(f))));
    }
    return {QStringLiteral("UPDATE %1").arg(QLatin1String(r.table)),
            QStringLiteral("SET ") + sets.join(u", "), keyCondition(r, key)};
}

db::Statement deleteStatement(const Rules &r, const QString &key)
{
    return {QStringLiteral("DELETE FROM %1").arg(QLatin1String(r.table)), keyCondition(r, key)};
}

} // namespace

const Rules &rulesOf(TableId id)
{
    return Tables[static_cast<int>(id)];
}

std::span<const TableId> allTables()
{
    return Ids;
}

bool isDayMonth(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{2})/([0-9]{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    // 2000 is a leap year: 29/02 is a fixed holiday of the leap years.
    return m.hasMatch() && QDate(2000, m.captured(2).toInt(), m.captured(1).toInt()).isValid();
}

Values normalised(const Rules &rules, const Values &values)
{
    Values out = values;
    for (const Field &f : rules.fields) {
        const auto it = out.find(col(f));
        if (it == out.end())
            continue;
        if (f.kind != FieldKind::Password)
            *it = Trim_Space(*it);
    }
    return out;
}

Outcome checkValues(const Rules &rules, const Values &values, bool adding)
{
    const Values v = normalised(rules, values);
    for (qsizetype i = 0; i < rules.fields.size(); ++i) {
        const Field &f = rules.fields[i];
        const int index = static_cast<int>(i);
        if (!v.contains(col(f))) {
            if (adding && f.kind != FieldKind::Active)
                return {QStringLiteral("กรุณาใส่%1").arg(s(f.caption)), index};
            continue;
        }
        const QString problem = fieldProblem(f, v.value(col(f)));
        if (!problem.isEmpty())
            return {problem, index};
    }
    return {};
}

QList<QStringList> list(db::Connection &c, TableId id)
{
    const Rules &r = rulesOf(id);
    db::Rows rows =
        c.select({QStringLiteral("SELECT *"), QStringLiteral("FROM %1").arg(QLatin1String(r.table)),
                  QStringLiteral("ORDER BY %1").arg(col(r.key()))});
    QList<QStringList> out;
    while (rows.next()) {
        const Values v = readValues(r, rows, false);
        QStringList cells;
        for (const Field &f : r.fields) {
            if (f.listed)
                cells << trimText(v.value(col(f)));
        }
        out << cells;
    }
    return out;
}

std::optional<Values> find(db::Connection &c, TableId id, const QString &key)
{
    const QString k = Trim_Space(key);
    if (k.isEmpty())
        return std::nullopt;
    return stored(c, rulesOf(id), k);
}

Outcome add(db::Connection &c, TableId id, const Values &values)
{
    const Rules &r = rulesOf(id);
    Values v = normalised(r, values);
    if (Outcome o = checkValues(r, v, true); !o.ok())
        return o;
    for (const Field &f : r.fields) {
        if (f.kind == FieldKind::Active && !v.contains(col(f)))
            v.insert(col(f), schema::code::PersonActive);
    }
    const QString key = v.value(col(r.key()));
    db::Transaction t(c, db::Transaction::Kind::Write);
    c.lockTable(r.table);
    if (const std::optional<Values> old = stored(c, r, key))
        return {QStringLiteral("%1 มีอยู่แล้ว").arg(described(r, *old)), 0};
    c.execute(insertStatement(r, v));
    t.commit();
    return {};
}

Outcome change(db::Connection &c, TableId id, const QString &key, const Values &values,
               const Actor &actor, const Values *loaded)
{
    const Rules &r = rulesOf(id);
    const QString k = Trim_Space(key);
    Values v = normalised(r, values);
    const QString keyColumn = col(r.key());
    if (v.contains(keyColumn) && v.value(keyColumn).compare(k, Qt::CaseInsensitive) != 0)
        return {QStringLiteral("%1 เปลี่ยนไม่ได้ (ลบแล้วเพิ่มใหม่)").arg(s(r.key().caption)), 0};
    v.remove(keyColumn);
    if (v.isEmpty())
        return {QStringLiteral("ไม่มีข้อมูลที่จะเปลี่ยน"), -1};
    if (Outcome o = checkValues(r, v, false); !o.ok())
        return o;
    db::Transaction t(c, db::Transaction::Kind::Write);
    c.lockTable(r.table);
    const std::optional<Values> old = stored(c, r, k);
    if (!old)
        return notFound(r, k);
    if (loaded) {
        QList<loaded::Shown> shown;
        for (const Field &f : r.fields) {
            if (f.kind != FieldKind::Password)
                shown.append({col(f), s(f.caption)});
        }
        const QList<loaded::Change> differ = loaded::changes(*loaded, *old, shown);
        if (!differ.isEmpty())
            return {loaded::message(differ), -1, true};
    }
    if (id == TableId::Users && v.contains(QStringLiteral("U_Level"))) {
        const Outcome o =
            userRules(c, *old, v.value(QStringLiteral("U_Level")).trimmed().toInt(), actor);
        if (!o.ok())
            return o;
    }
    c.execute(updateStatement(r, k, v));
    t.commit();
    return {};
}

Outcome remove(db::Connection &c, TableId id, const QString &key, const Actor &actor)
{
    const Rules &r = rulesOf(id);
    const QString k = Trim_Space(key);
    db::Transaction t(c, db::Transaction::Kind::Write);
    c.lockTable(r.table);
    const std::optional<Values> old = stored(c, r, k);
    if (!old)
        return notFound(r, k);
    if (r.usedBy) {
        const int documents = documentsReferring(c, r, k);
        if (documents > 0) {
            QString message = QStringLiteral("%1 %2 มีเอกสารอ้างถึงอยู่ %3 เรื่อง จึงลบไม่ได้")
                                  .arg(s(r.noun), described(r, *old), QString::number(documents));
            if (id == TableId::Officers)
                message += QStringLiteral(" (เปลี่ยนเป็นไม่ใช้งานได้)");
            return {message, 0};
        }
    }
    if (id == TableId::Users) {
        const Outcome o = userRules(c, *old, std::nullopt, actor);
        if (!o.ok())
            return o;
    }
    c.execute(deleteStatement(r, k));
    t.commit();
    return {};
}

} // namespace reference
