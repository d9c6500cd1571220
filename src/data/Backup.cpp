#include "data/Backup.h"

#include "data/Connection.h"
#include "data/schema.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>
#include <memory>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace db {

namespace {

// One text of a statement run on a copy opened on its own; empty when it gives no row.
QString firstText(sqlite3 *file, const char *sql, bool &failed)
{
    sqlite3_stmt *statement = nullptr;
    failed = sqlite3_prepare_v2(file, sql, -1, &statement, nullptr) != SQLITE_OK;
    QString text;
    if (!failed) {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            text = QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        else
            failed = rc != SQLITE_DONE;
    }
    sqlite3_finalize(statement);
    return text;
}

// Every row of a statement on the copy, its columns as texts.
QList<QStringList> allRows(sqlite3 *file, const QString &sql)
{
    QList<QStringList> rows;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(file, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        return rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            row << QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, i)));
        rows << row;
    }
    sqlite3_finalize(statement);
    return rows;
}

// Puts what was written to the file (or folder) on disk.
void sync(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The objects a whole catalog holds, as (type, name) in lower case, each naming its table; the
// history's apart, as a copy from before it may lack them.
struct Objects {
    QHash<QString, QString> catalog; // "table tr_person" -> "tr_person"
    QHash<QString, QString> history;
};

Objects expectedObjects()
{
    Objects out;
    const auto add = [](QHash<QString, QString> &into, const schema::Table &t) {
        const QString table = QString::fromLatin1(t.name).toLower();
        into.insert(QStringLiteral("table ") + table, table);
        for (size_t i = 0; i < t.indexes.size(); ++i)
            into.insert(QStringLiteral("index ix_%1_%2").arg(table).arg(i + 1), table);
    };
    for (const schema::Table &t : schema::tables())
        add(out.catalog, t);
    add(out.history, schema::historyTable());
    return out;
}

// Why the copy's objects are not exactly the catalog's own, or an empty text.
QString objectProblem(sqlite3 *copy, const QString &path)
{
    const Objects expected = expectedObjects();
    QHash<QString, QString> found;
    for (const QStringList &row :
         allRows(copy, QStringLiteral("SELECT type, name, tbl_name FROM sqlite_master "
                                      "WHERE substr(name, 1, 7) <> 'sqlite_'"))) {
        found.insert(row.value(0).toLower() + u' ' + row.value(1).toLower(),
                     row.value(2).toLower());
    }
    const auto unlike = [&](const QString &what) {
        return QStringLiteral("แฟ้ม %1 ไม่ใช่สำเนาของฐานข้อมูลของโปรแกรม: %2 จึงไม่นำกลับ").arg(path, what);
    };
    bool hasHistory = false;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (expected.history.value(it.key()) == it.value()) {
            hasHistory = true;
            continue;
        }
        if (expected.catalog.value(it.key()) != it.value())
            return unlike(QStringLiteral("มี %1 ที่ฐานข้อมูลของโปรแกรมไม่มี").arg(it.key()));
    }
    for (auto it = expected.catalog.cbegin(); it != expected.catalog.cend(); ++it) {
        if (!found.contains(it.key()))
            return unlike(QStringLiteral("ไม่มี %1").arg(it.key()));
    }
    if (hasHistory) {
        for (auto it = expected.history.cbegin(); it != expected.history.cend(); ++it) {
            if (!found.contains(it.key()))
                return unlike(QStringLiteral("ไม่มี %1").arg(it.key()));
        }
    }
    std::vector<schema::Table> tables = schema::tables();
    if (hasHistory)
        tables.push_back(schema::historyTable());
    for (const schema::Table &t : tables) {
        QStringList want;
        for (const schema::Column &c : t.columns)
            want << QString::fromLatin1(c.name).toLower();
        QStringList have;
        for (const QStringList &row :
             allRows(copy, QStringLiteral("PRAGMA table_info(\"%1\")").arg(QLatin1String(t.name))))
            have << row.value(1).toLower();
        if (have != want)
            return unlike(QStringLiteral("คอลัมน์ของตาราง %1 ไม่ตรงกับของโปรแกรม").arg(QLatin1String(t.name)));
    }
    return {};
}

QString columnList(const schema::Table &t, const char *prefix = nullptr)
{
    QStringList names;
    for (const schema::Column &c : t.columns)
        names << (prefix ? QLatin1String(prefix) + u'.' : QString()) + QLatin1String(c.name);
    return names.join(QStringLiteral(", "));
}

QString keyMatch(const schema::Table &t, const QString &a, const QString &b)
{
    QStringList parts;
    for (const char *k : schema::rowKey(t))
        parts << QStringLiteral("%1.%3 = %2.%3").arg(a, b, QLatin1String(k));
    return parts.join(QStringLiteral(" AND "));
}

// The statements that make one table of the catalog hold exactly the copy's rows, changing
// only the rows that differ (so that the history records those alone).
QStringList restoreStatements(Connection &c, const schema::Table &t)
{
    const QString name = QLatin1String(t.name);
    const QString target = QStringLiteral("main.") + name;
    const QString source = QStringLiteral("restored.") + name;
    if (t.primaryKey.empty() && t.unique.empty()) {
        // No key to match rows by: the whole table is put back when the two differ at all.
        Rows differ = c.select(Statement{
            QStringLiteral("SELECT ((SELECT count(*) FROM %1) <> (SELECT count(*) FROM %2)) OR "
                           "EXISTS (SELECT * FROM %1 EXCEPT SELECT * FROM %2) OR "
                           "EXISTS (SELECT * FROM %2 EXCEPT SELECT * FROM %1) AS n")
                .arg(target, source)});
        if (!differ.next() || differ.integer(QStringLiteral("n")) == 0)
            return {};
        return {QStringLiteral("DELETE FROM %1").arg(target),
                QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                    .arg(target, columnList(t), source)};
    }
    QStringList sets;
    QStringList differs;
    for (const schema::Column &col : t.columns) {
        const QString cn = QLatin1String(col.name);
        sets << QStringLiteral("%1 = s.%1").arg(cn);
        // Letter case counts here: a name whose case changed is put back too.
        differs << QStringLiteral("s.%1 IS NOT %2.%1 COLLATE BINARY").arg(cn, target);
    }
    return {QStringLiteral("DELETE FROM %1 WHERE NOT EXISTS (SELECT 1 FROM %2 AS s WHERE %3)")
                .arg(target, source, keyMatch(t, QStringLiteral("s"), target)),
            QStringLiteral("UPDATE %1 SET %2 FROM %3 AS s WHERE %4 AND (%5)")
                .arg(target, sets.join(QStringLiteral(", ")), source,
                     keyMatch(t, QStringLiteral("s"), target), differs.join(QStringLiteral(" OR "))),
            QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4 AS s WHERE NOT EXISTS "
                           "(SELECT 1 FROM %1 AS m WHERE %5)")
                .arg(target, columnList(t), columnList(t, "s"), source,
                     keyMatch(t, QStringLiteral("m"), QStringLiteral("s")))};
}

// Where the catalog as it stood before a restore is kept: beside its file, named by the moment.
QString keptCopyPath(const QString &catalogPath)
{
    const QFileInfo file(catalogPath);
    return file.absoluteDir().filePath(
        QStringLiteral("%1-before-restore-%2.sqlite")
            .arg(file.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

} // namespace

void backupCatalog(Connection &c, const QString &path)
{
    const QFileInfo target(path);
    if (target.exists())
        throw Error(QStringLiteral("มีแฟ้ม %1 อยู่แล้ว: ไม่เขียนทับ").arg(path));
    if (!QDir().mkpath(target.absolutePath()))
        throw Error(QStringLiteral("สร้างโฟลเดอร์ %1 ไม่ได้").arg(target.absolutePath()));
    // Written under another name, and given its own once whole: a copy cut short by a full
    // disk is never mistaken for a copy.
    const QString part = target.absoluteFilePath() + QStringLiteral(".part");
    QFile::remove(part);
    try {
        c.backupTo(part);
    } catch (const Error &e) {
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        throw Error(QStringLiteral("สำรองฐานข้อมูลไปที่ %1 ไม่สำเร็จ: %2 (ไม่มีแฟ้มที่เขียนไม่ครบเหลืออยู่)")
                        .arg(path, e.message()));
    }
    sync(part, O_RDONLY);
    if (!QFile::rename(part, target.absoluteFilePath())) {
        QFile::remove(part);
        throw Error(QStringLiteral("สำรองฐานข้อมูลไปที่ %1 ไม่สำเร็จ: ตั้งชื่อแฟ้มไม่ได้").arg(path));
    }
    sync(target.absolutePath(), O_RDONLY | O_DIRECTORY);
}

bool looksWhole(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = f.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false;
    const quint32 rawPageSize = qFromBigEndian<quint16>(header.constData() + 16);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    if (pageSize < 512)
        return false;
    const qint64 size = f.size();
    const quint32 changes = qFromBigEndian<quint32>(header.constData() + 24);
    const quint32 pages = qFromBigEndian<quint32>(header.constData() + 28);
    const quint32 validFor = qFromBigEndian<quint32>(header.constData() + 92);
    if (pages > 0 && validFor == changes)
        return size == pages * pageSize;
    return size > 0 && size % pageSize == 0;
}

QString catalogCopyProblem(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return QStringLiteral("ไม่พบแฟ้มสำรอง %1").arg(path);
    sqlite3 *copy = nullptr;
    const QByteArray name = path.toUtf8();
    if (sqlite3_open_v2(name.constData(), &copy, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(copy);
        return QStringLiteral("แฟ้ม %1 ไม่ใช่ฐานข้อมูลของโปรแกรม").arg(path);
    }
    bool failed = false;
    const QString integrity = firstText(copy, "PRAGMA integrity_check", failed);
    QString problem;
    if (failed || integrity != QLatin1String("ok")) {
        problem = QStringLiteral("แฟ้มสำรอง %1 เสียหาย (ตรวจความถูกต้องไม่ผ่าน)").arg(path);
    } else {
        const QString version =
            firstText(copy, "SELECT Version_NO FROM TR_Version", failed).trimmed();
        if (failed)
            problem = QStringLiteral("แฟ้ม %1 ไม่ใช่ฐานข้อมูลของโปรแกรม").arg(path);
        else if (version != schema::Version)
            problem = QStringLiteral("แฟ้มสำรอง %1 เป็นรุ่น %2 แต่โปรแกรมใช้รุ่น %3")
                          .arg(path, version, schema::Version);
        else
            problem = objectProblem(copy, path);
    }
    sqlite3_close(copy);
    return problem;
}

QString restoreCatalog(Connection &c, const QString &path)
{
    const QString problem = catalogCopyProblem(path);
    if (!problem.isEmpty())
        throw Error(problem);
    if (c.backend() != BackendKind::SQLite)
        throw Error(QStringLiteral("ฐานข้อมูลกลางนำกลับด้วย pg_restore ของเครื่องแม่ข่าย (ดู README)"));
    const QString kept = keptCopyPath(c.location().path);
    backupCatalog(c, kept);
    c.execute(Statement{QStringLiteral("ATTACH DATABASE '%1' AS restored").arg(sqlText(path))});
    const auto detach = [&c] {
        try {
            c.execute(Statement{QStringLiteral("DETACH DATABASE restored")});
        } catch (const Error &) {
        }
    };
    try {
        std::unique_ptr<Transaction> t;
        try {
            t = std::make_unique<Transaction>(c, Transaction::Kind::Write);
        } catch (const Error &e) {
            throw Error(QStringLiteral("เครื่องอื่นกำลังบันทึกข้อมูลอยู่นานเกินที่รอได้ จึงยังไม่ได้นำสำเนากลับ "
                                       "ฐานข้อมูลยังเป็นอย่างเดิม ลองใหม่อีกครั้ง (%1)")
                            .arg(e.message()));
        }
        for (const schema::Table &table : schema::tables()) {
            for (const QString &s : restoreStatements(c, table))
                c.execute(Statement{s});
        }
        t->commit();
    } catch (...) {
        detach();
        // Nothing changed: the copy kept beside it is the catalog as it still is.
        QFile::remove(kept);
        throw;
    }
    detach();
    return kept;
}

QString dailyCopyFolder(const QString &catalogPath)
{
    return QFileInfo(catalogPath).absoluteDir().filePath(QStringLiteral("backups"));
}

QString keepDailyCopy(Connection &c, const QString &folder, const QDate &day, int keep)
{
    if (c.backend() != BackendKind::SQLite)
        return {};
    const QDir dir(folder);
    const QString path =
        dir.filePath(QStringLiteral("catalog-") + day.toString(QStringLiteral("yyyy-MM-dd")) +
                     QStringLiteral(".sqlite"));
    // What a copy that failed left, from a program that did not write under another name.
    for (const QString &left : dir.entryList({QStringLiteral("catalog-*.sqlite.part*")}, QDir::Files))
        QFile::remove(dir.filePath(left));
    if (QFileInfo::exists(path) && !looksWhole(path))
        QFile::remove(path);
    if (!QFileInfo::exists(path))
        backupCatalog(c, path);
    // The names sort by date: the newest whole copies are kept, a damaged one is never counted.
    const QStringList copies = dir.entryList({QStringLiteral("catalog-*.sqlite")}, QDir::Files,
                                             QDir::Name | QDir::Reversed);
    int whole = 0;
    for (const QString &copy : copies) {
        const QString file = dir.filePath(copy);
        if (whole < keep && looksWhole(file))
            ++whole;
        else
            QFile::remove(file);
    }
    return path;
}

} // namespace db
