#include "data/Catalog.h"

#include "data/DbError.h"

#include <QUrl>

namespace db {

namespace {

Error badUrl(const QString &url)
{
    return Error(QStringLiteral("ที่อยู่ฐานข้อมูลไม่ถูกต้อง: \"%1\" (ใช้ sqlite:PATH หรือ "
                                "postgresql://USER@HOST[:PORT]/DB)")
                     .arg(url));
}

} // namespace

CatalogLocation CatalogLocation::parse(const QString &url)
{
    CatalogLocation where;
    if (url.startsWith(QLatin1String("sqlite:"))) {
        where.backend = BackendKind::SQLite;
        where.path = url.mid(7);
        if (where.path.startsWith(QLatin1String("//")))
            where.path = where.path.mid(2);
        if (where.path.isEmpty())
            throw badUrl(url);
        return where;
    }

    const QUrl u(url, QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    if (scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres"))
        where.backend = BackendKind::PostgreSQL;
    else if (scheme == QLatin1String("sqlserver") || scheme == QLatin1String("mssql"))
        where.backend = BackendKind::SqlServer;
    else
        throw badUrl(url);

    where.host = u.host();
    where.port = u.port(0);
    where.user = u.userName();
    where.password = u.password();
    where.database = u.path().mid(1);
    if (!u.isValid() || where.host.isEmpty() || where.database.isEmpty() ||
        where.database.contains(QLatin1Char('/')))
        throw badUrl(url);
    return where;
}

QString CatalogLocation::describe() const
{
    if (backend == BackendKind::SQLite)
        return QLatin1String("sqlite:") + path;
    const QString scheme = backend == BackendKind::PostgreSQL ? QStringLiteral("postgresql")
                                                              : QStringLiteral("sqlserver");
    QString s = scheme + QLatin1String("://");
    if (!user.isEmpty())
        s += user + QLatin1Char('@');
    s += host;
    if (port > 0)
        s += QLatin1Char(':') + QString::number(port);
    return s + QLatin1Char('/') + database;
}

} // namespace db
