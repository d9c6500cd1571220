#include "data/TableText.h"

#include "data/Connection.h"
#include "data/schema.h"
#include "util/DelimitedText.h"
#include "util/Tis620.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace table_text {

using delimited::Field;

namespace {

const QString DateTimeForm = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

int lineAt(QByteArrayView bytes, qsizetype offset)
{
    return int(bytes.first(offset).count('\n')) + 1;
}

QString rowPlace(int line, int row)
{
    return QStringLiteral("บรรทัด %1 (แถวที่ %2)").arg(line).arg(row);
}

QString quoted(const QString &value)
{
    return u'\'' + db::sqlText(value) + u'\'';
}

// "yyyy-MM-dd", with "HH:mm", seconds and a fraction (any number of digits, read to the
// millisecond) after a blank or a "T". Local time.
QDateTime dateTimeOf(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d+))?)?)?$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const int ms = QString(m.captured(7) + QStringLiteral("000")).left(3).toInt();
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms);
    if (!day.isValid() || !time.isValid())
        return {};
    return QDateTime(day, time);
}

// The literal that stores the value in the column, or an empty text with the problem set.
QString literalOf(const schema::Column &column, const Field &value, db::BackendKind backend,
                  QString &problem)
{
    if (!value)
        return QStringLiteral("NULL");
    const QString name = QLatin1String(column.name);
    const QString v = column.kind == schema::Kind::Text ? *value : value->trimmed();
    if (column.kind != schema::Kind::Text && v.isEmpty())
        return QStringLiteral("NULL");
    switch (column.kind) {
    case schema::Kind::Text:
        if (v.contains(QChar(0))) {
            problem = QStringLiteral("คอลัมน์ %1 มีอักขระว่าง (NUL) ซึ่งเก็บไม่ได้").arg(name);
            return {};
        }
        // The widths count QString units, as the screens' boxes do.
        if (column.width > 0 && v.size() > column.width) {
            problem = QStringLiteral("คอลัมน์ %1 ยาว %2 ตัวอักษร เกิน %3 ตัวอักษรที่คอลัมน์เก็บได้")
                          .arg(name)
                          .arg(v.size())
                          .arg(column.width);
            return {};
        }
        return quoted(v);
    case schema::Kind::Integer: {
        static const QRegularExpression whole(QStringLiteral(R"(^[-+]?\d{1,18}$)"));
        if (!whole.match(v).hasMatch()) {
            problem = QStringLiteral("คอลัมน์ %1: \"%2\" ไม่ใช่จำนวนเต็ม").arg(name, v);
            return {};
        }
        return QString::number(v.toLongLong());
    }
    case schema::Kind::Number: {
        // "1,5" is no 15: the C locale would take the comma as a group separator.
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double d = c.toDouble(v, &ok);
        if (!ok || !std::isfinite(d)) {
            problem =
                QStringLiteral("คอลัมน์ %1: \"%2\" ไม่ใช่ตัวเลข (ใช้จุดทศนิยม ไม่มีจุลภาค)").arg(name, v);
            return {};
        }
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    case schema::Kind::DateTime: {
        const QDateTime t = dateTimeOf(v);
        if (!t.isValid()) {
            problem =
                QStringLiteral("คอลัมน์ %1: \"%2\" ไม่ใช่วันเวลา (yyyy-MM-dd HH:mm:ss)").arg(name, v);
            return {};
        }
        if (backend != db::BackendKind::SQLite)
            return quoted(t.toString(DateTimeForm));
        // As CURRENT_TIMESTAMP stores it there: UTC, the milliseconds only when there are any.
        const QDateTime utc = t.toUTC();
        return quoted(
            utc.toString(utc.time().msec() ? DateTimeForm : QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    }
    return {};
}

// A key value as the back end compares it: SQLite's NOCASE folds ASCII letters only, citext
// folds every letter.
QString folded(const QString &value, db::BackendKind backend)
{
    if (backend != db::BackendKind::SQLite)
        return value.toLower();
    QString out = value;
    for (QChar &c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

struct Key {
    QList<int> positions; // of the key's columns in the header
    QStringList names;
    bool primary = false;
    QHash<QString, int> seen; // folded value -> line (0: a row already in the table)
};

QString keyText(const Key &key, const QStringList &values)
{
    QStringList shown;
    for (const QString &v : values)
        shown << u'\'' + v + u'\'';
    if (key.names.size() == 1)
        return QStringLiteral("คีย์ %1 = %2").arg(key.names.first(), shown.first());
    return QStringLiteral("คีย์ (%1) = (%2)")
        .arg(key.names.join(QStringLiteral(", ")), shown.join(QStringLiteral(", ")));
}

// The key's values in a row, or none when one is NULL.
std::optional<QStringList> keyValues(const Key &key, const QList<Field> &fields)
{
    QStringList values;
    for (int p : key.positions) {
        if (p < 0 || !fields.at(p))
            return std::nullopt;
        values << *fields.at(p);
    }
    return values;
}

QString joinedKey(const QStringList &values, db::BackendKind backend)
{
    QStringList f;
    for (const QString &v : values)
        f << folded(v, backend);
    return f.join(QChar(0x1F));
}

const schema::Column *columnNamed(const schema::Table &table, const QString &name)
{
    for (const schema::Column &c : table.columns) {
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

struct Prepared {
    const delimited::Record *record;
    int row;
    QString values; // the VALUES list
};

} // namespace

bool encodingNamed(const QString &name, Encoding &encoding)
{
    const QString n = name.trimmed().toLower().remove(u'-').remove(u'_');
    if (n == QLatin1String("utf8"))
        encoding = Encoding::Utf8;
    else if (n == QLatin1String("tis620") || n == QLatin1String("cp874") ||
             n == QLatin1String("windows874"))
        encoding = Encoding::Tis620;
    else
        return false;
    return true;
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    QString text;
    if (encoding == Encoding::Tis620) {
        qsizetype bad = -1;
        text = tis620::decode(bytes, &bad);
        if (bad >= 0)
            throw InputError(QStringLiteral("บรรทัด %1: ไบต์ 0x%2 ไม่ใช่อักษรใน TIS-620")
                                 .arg(lineAt(bytes, bad))
                                 .arg(uchar(bytes.at(bad)), 2, 16, QLatin1Char('0')));
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8(bytes);
        if (utf8.hasError()) {
            // Found again line by line: no line break is part of a UTF-8 sequence.
            const QList<QByteArray> lines = bytes.split('\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                QStringDecoder one(QStringDecoder::Utf8);
                const QString decoded = one.decode(lines.at(i)); // decodes only when converted
                if (one.hasError())
                    throw InputError(QStringLiteral("บรรทัด %1: ไม่ใช่ข้อความ UTF-8 "
                                                    "(แฟ้ม TIS-620 ใช้ --encoding tis-620)")
                                         .arg(i + 1));
            }
            throw InputError(QStringLiteral("ท้ายแฟ้มไม่ใช่ข้อความ UTF-8 ที่ครบ"));
        }
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QByteArray encode(const QString &text, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return text.toUtf8();
    qsizetype bad = -1;
    QByteArray bytes = tis620::encode(text, &bad);
    if (bad >= 0)
        throw InputError(QStringLiteral("บรรทัด %1: อักษร \"%2\" (U+%3) ไม่มีใน TIS-620 "
                                        "(ใช้ --encoding utf-8)")
                             .arg(int(QStringView(text).first(bad).count(u'\n')) + 1)
                             .arg(text.at(bad))
                             .arg(text.at(bad).unicode(), 4, 16, QLatin1Char('0')));
    return bytes;
}

int load(db::Connection &connection, const schema::Table &table, const QByteArray &bytes,
         const LoadOptions &options)
{
    const QString tableName = QLatin1String(table.name);
    const QString text = decode(bytes, options.encoding);
    const QChar separator = text.section(u'\n', 0, 0).contains(u'\t') ? u'\t' : u',';
    QList<delimited::Record> records;
    try {
        records = delimited::parse(text, separator);
    } catch (const delimited::Error &e) {
        throw InputError(e.message());
    }
    if (records.isEmpty())
        throw InputError(QStringLiteral("แฟ้มว่าง: บรรทัดแรกต้องเป็นชื่อคอลัมน์ของตาราง %1").arg(tableName));

    // The header: which column each field is.
    QList<const schema::Column *> columns;
    for (const Field &f : records.first().fields) {
        const QString name = f.value_or(QString()).trimmed();
        const schema::Column *c = columnNamed(table, name);
        if (!c) {
            QStringList names;
            for (const schema::Column &k : table.columns)
                names << QLatin1String(k.name);
            throw InputError(QStringLiteral("บรรทัด 1: ตาราง %1 ไม่มีคอลัมน์ \"%2\" (มี %3)")
                                 .arg(tableName, name, names.join(QStringLiteral(", "))));
        }
        if (columns.contains(c))
            throw InputError(QStringLiteral("บรรทัด 1: คอลัมน์ %1 มีสองครั้ง").arg(name));
        columns << c;
    }
    const db::BackendKind backend = connection.backend();

    QList<Key> keys;
    auto addKey = [&](const std::vector<const char *> &names, bool primary) {
        Key key;
        key.primary = primary;
        for (const char *n : names) {
            const auto at = std::find_if(columns.cbegin(), columns.cend(),
                                         [n](auto *c) { return qstrcmp(c->name, n) == 0; });
            if (at == columns.cend() && primary)
                throw InputError(QStringLiteral("บรรทัด 1: ไม่มีคอลัมน์ %1 ซึ่งเป็นคีย์ของตาราง %2")
                                     .arg(QLatin1String(n), tableName));
            key.positions << (at == columns.cend() ? -1 : int(at - columns.cbegin()));
            key.names << QLatin1String(n);
        }
        keys << key;
    };
    if (!table.primaryKey.empty())
        addKey(table.primaryKey, true);
    for (const auto &unique : table.unique)
        addKey(unique, false);

    // Every row checked before the first write.
    QList<Prepared> rows;
    int row = 0;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const delimited::Record &record = records.at(r);
        // A blank line of a table of several columns is no row.
        if (columns.size() > 1 && record.fields.size() == 1 && !record.fields.first())
            continue;
        const QString place = rowPlace(record.line, ++row);
        if (record.fields.size() != columns.size())
            throw InputError(QStringLiteral("%1: มี %2 ช่อง แต่หัวตารางมี %3 ช่อง")
                                 .arg(place)
                                 .arg(record.fields.size())
                                 .arg(columns.size()));
        QStringList literals;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            QString problem;
            literals << literalOf(*columns.at(i), record.fields.at(i), backend, problem);
            if (!problem.isEmpty())
                throw InputError(place + QStringLiteral(": ") + problem);
        }
        for (Key &key : keys) {
            const std::optional<QStringList> values = keyValues(key, record.fields);
            if (!values) {
                if (key.primary)
                    throw InputError(QStringLiteral("%1: ต้องมีค่าในคอลัมน์ %2 ซึ่งเป็นคีย์")
                                         .arg(place, key.names.join(QStringLiteral(", "))));
                continue;
            }
            const QString joined = joinedKey(*values, backend);
            if (const auto before = key.seen.constFind(joined); before != key.seen.cend())
                throw InputError(QStringLiteral("%1: %2 ซ้ำกับบรรทัด %3")
                                     .arg(place, keyText(key, *values))
                                     .arg(*before));
            key.seen.insert(joined, record.line);
        }
        rows.append({&record, row, literals.join(QStringLiteral(", "))});
    }

    QStringList names;
    for (const schema::Column *c : columns)
        names << QLatin1String(c->name);
    const QString into = QStringLiteral("INSERT INTO %1 (%2)").arg(tableName, names.join(u", "));

    db::Transaction work(connection, db::Transaction::Kind::Write);
    if (options.replace) {
        connection.execute(db::Statement{QStringLiteral("DELETE FROM ") + tableName});
    } else {
        // The rows already there take part in the keys.
        for (const Key &key : keys) {
            db::Statement s{QStringLiteral("SELECT %1 FROM %2")
                                .arg(key.names.join(QStringLiteral(", ")), tableName)};
            db::Rows there = connection.select(s);
            QSet<QString> existing;
            while (there.next()) {
                QStringList values;
                bool hasNull = false;
                for (const QString &n : key.names) {
                    hasNull = hasNull || there.isNull(n);
                    values << there.text(n);
                }
                if (!hasNull)
                    existing.insert(joinedKey(values, backend));
            }
            for (const Prepared &p : rows) {
                const std::optional<QStringList> values = keyValues(key, p.record->fields);
                if (values && existing.contains(joinedKey(*values, backend)))
                    throw InputError(
                        QStringLiteral("%1: %2 มีอยู่แล้วในตาราง %3 (--replace แทนที่แถวทั้งตาราง)")
                            .arg(rowPlace(p.record->line, p.row), keyText(key, *values),
                                 tableName));
            }
        }
    }
    for (const Prepared &p : rows) {
        try {
            connection.execute(db::Statement{into, QStringLiteral("VALUES (%1)").arg(p.values)});
        } catch (const db::Error &e) {
            throw db::Error(rowPlace(p.record->line, p.row) + QStringLiteral(": ") + e.message());
        }
    }
    work.commit();
    return int(rows.size());
}

QByteArray dump(db::Connection &connection, const schema::Table &table, Encoding encoding,
                QChar separator)
{
    QStringList names;
    for (const schema::Column &c : table.columns)
        names << QLatin1String(c.name);
    db::Rows result = connection.select(db::Statement{
        QStringLiteral("SELECT %1 FROM %2").arg(names.join(u", "), QLatin1String(table.name))});
    QList<QList<Field>> rows;
    while (result.next()) {
        QList<Field> row;
        for (int i = 0; i < int(table.columns.size()); ++i) {
            const QVariant v = result.value(i);
            if (v.isNull() || !v.isValid()) {
                row << Field();
                continue;
            }
            bool ok = false;
            switch (table.columns[i].kind) {
            case schema::Kind::Text:
                row << v.toString();
                break;
            case schema::Kind::Integer: {
                const qlonglong n = v.toLongLong(&ok);
                row << (ok ? QString::number(n) : v.toString());
                break;
            }
            case schema::Kind::Number: {
                const double d = v.toDouble(&ok);
                row << (ok ? QString::number(d, 'g', QLocale::FloatingPointShortest)
                           : v.toString());
                break;
            }
            case schema::Kind::DateTime:
                row << (v.typeId() == QMetaType::QDateTime ? v.toDateTime().toString(DateTimeForm)
                                                           : v.toString());
                break;
            }
        }
        rows << row;
    }

    // The key's columns first, then the rest: the same rows in the same order on both back
    // ends, whatever each one's collation and place for NULL.
    QList<int> order;
    const std::vector<const char *> &key =
        !table.primaryKey.empty()
            ? table.primaryKey
            : (table.unique.empty() ? std::vector<const char *>{} : table.unique.front());
    for (const char *k : key)
        order << int(names.indexOf(QLatin1String(k)));
    for (int i = 0; i < int(names.size()); ++i) {
        if (!order.contains(i))
            order << i;
    }
    std::stable_sort(rows.begin(), rows.end(), [&order](const auto &a, const auto &b) {
        for (int i : order) {
            const Field &x = a.at(i);
            const Field &y = b.at(i);
            if (!x || !y) {
                if (bool(x) != bool(y))
                    return !x;
                continue;
            }
            int c = x->compare(*y, Qt::CaseInsensitive);
            if (c == 0)
                c = x->compare(*y);
            if (c != 0)
                return c < 0;
        }
        return false;
    });

    QList<Field> header;
    for (const QString &n : names)
        header << n;
    QString text = delimited::record(header, separator) + u'\n';
    for (const QList<Field> &row : rows)
        text += delimited::record(row, separator) + u'\n';
    return encode(text, encoding);
}

} // namespace table_text
