#include "data/Backup.h"

#include "data/Connection.h"
#include "data/schema.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

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

} // namespace

void backupCatalog(Connection &c, const QString &path)
{
    const QFileInfo target(path);
    if (target.exists())
        throw Error(QStringLiteral("มีแฟ้ม %1 อยู่แล้ว: ไม่เขียนทับ").arg(path));
    if (!QDir().mkpath(target.absolutePath()))
        throw Error(QStringLiteral("สร้างโฟลเดอร์ %1 ไม่ได้").arg(target.absolutePath()));
    c.backupTo(target.absoluteFilePath());
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
    }
    sqlite3_close(copy);
    return problem;
}

void restoreCatalog(Connection &c, const QString &path)
{
    const QString problem = catalogCopyProblem(path);
    if (!problem.isEmpty())
        throw Error(problem);
    c.restoreFrom(path);
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
    if (!QFileInfo::exists(path))
        backupCatalog(c, path);
    // The names sort by date: the oldest go first.
    const QStringList copies = dir.entryList({QStringLiteral("catalog-*.sqlite")}, QDir::Files,
                                             QDir::Name | QDir::Reversed);
    for (qsizetype i = keep; i < copies.size(); ++i)
        QFile::remove(dir.filePath(copies.at(i)));
    return path;
}

} // namespace db
