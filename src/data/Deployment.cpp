#include "data/Deployment.h"

#include "data/DbError.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

const QString Deployment::DefaultDatabase = QStringLiteral("DU_Vuv_Evaduve");
const QString Deployment::DefaultPassword = QStringLiteral("#RoLLk?584");

QString Deployment::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vostrel/vostrel.ini");
}

QString Deployment::defaultCatalogPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vostrel/catalog.sqlite");
}

Deployment Deployment::load(const QString &file)
{
    Deployment d;
    d.catalog.backend = db::BackendKind::SQLite;
    d.catalog.path = defaultCatalogPath();
    d.catalog.database = DefaultDatabase;
    d.catalog.password = DefaultPassword;
    d.organisation.title = QStringLiteral("ระบบติดตามฎีกาเบิกจ่าย กองคลัง");
    if (!QFileInfo::exists(file))
        return d;

    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("catalog"));
    const QString backend = ini.value(QStringLiteral("backend"), QStringLiteral("sqlite"))
                                .toString()
                                .trimmed()
                                .toLower();
    if (backend == QLatin1String("sqlite"))
        d.catalog.backend = db::BackendKind::SQLite;
    else if (backend == QLatin1String("postgresql"))
        d.catalog.backend = db::BackendKind::PostgreSQL;
    else if (backend == QLatin1String("sqlserver"))
        d.catalog.backend = db::BackendKind::SqlServer;
    else
        throw db::Error(QStringLiteral("แฟ้มตั้งค่า %1: ไม่รู้จักฐานข้อมูลแบบ \"%2\"").arg(file, backend));
    const QString path = ini.value(QStringLiteral("path")).toString();
    if (!path.isEmpty())
        d.catalog.path = QDir::isRelativePath(path)
                             ? QFileInfo(file).absoluteDir().absoluteFilePath(path)
                             : path;
    d.catalog.host = ini.value(QStringLiteral("host")).toString();
    d.catalog.port = ini.value(QStringLiteral("port"), 0).toInt();
    d.catalog.database = ini.value(QStringLiteral("database"), DefaultDatabase).toString();
    d.catalog.user = ini.value(QStringLiteral("user")).toString();
    d.catalog.password = ini.value(QStringLiteral("password"), DefaultPassword).toString();
    d.serverShortName = ini.value(QStringLiteral("server_short_name")).toString();
    ini.endGroup();

    ini.beginGroup(QStringLiteral("organisation"));
    auto text = [&ini](const char *key, const QString &fallback = {}) {
        return ini.value(QLatin1String(key), fallback).toString();
    };
    d.adminExtension = text("admin_extension");
    d.organisation.name = text("name");
    d.organisation.webAddress = text("web_address");
    d.organisation.building = text("building");
    d.organisation.campusProvince = text("campus_province");
    d.organisation.contactStaff = text("contact_staff");
    d.organisation.telephones = text("telephones");
    d.organisation.chequeCentrePhone = text("cheque_centre_phone");
    const QString emblem = text("emblem");
    d.organisation.emblemPath = emblem.isEmpty() || !QDir::isRelativePath(emblem)
                                    ? emblem
                                    : QFileInfo(file).absoluteDir().absoluteFilePath(emblem);
    d.organisation.title = text("title", d.organisation.title);
    ini.endGroup();

    // A value that is no whole number from 0 to 999 keeps the default rather than stopping the
    // program over a figure the user can change on the screen.
    bool ok = false;
    const int target = ini.value(QStringLiteral("summary/target")).toString().trimmed().toInt(&ok);
    if (ok && target >= 0 && target <= 999)
        d.summaryTarget = target;
    return d;
}

void Deployment::save(const QString &file) const
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("catalog"));
    switch (catalog.backend) {
    case db::BackendKind::SQLite:
        ini.setValue(QStringLiteral("backend"), QStringLiteral("sqlite"));
        break;
    case db::BackendKind::PostgreSQL:
        ini.setValue(QStringLiteral("backend"), QStringLiteral("postgresql"));
        break;
    case db::BackendKind::SqlServer:
        ini.setValue(QStringLiteral("backend"), QStringLiteral("sqlserver"));
        break;
    }
    ini.setValue(QStringLiteral("path"), catalog.path);
    ini.setValue(QStringLiteral("host"), catalog.host);
    ini.setValue(QStringLiteral("port"), catalog.port);
    ini.setValue(QStringLiteral("database"), catalog.database);
    ini.setValue(QStringLiteral("user"), catalog.user);
    ini.setValue(QStringLiteral("password"), catalog.password);
    ini.setValue(QStringLiteral("server_short_name"), serverShortName);
    ini.endGroup();
    ini.beginGroup(QStringLiteral("organisation"));
    ini.setValue(QStringLiteral("admin_extension"), adminExtension);
    ini.setValue(QStringLiteral("name"), organisation.name);
    ini.setValue(QStringLiteral("web_address"), organisation.webAddress);
    ini.setValue(QStringLiteral("building"), organisation.building);
    ini.setValue(QStringLiteral("campus_province"), organisation.campusProvince);
    ini.setValue(QStringLiteral("contact_staff"), organisation.contactStaff);
    ini.setValue(QStringLiteral("telephones"), organisation.telephones);
    ini.setValue(QStringLiteral("cheque_centre_phone"), organisation.chequeCentrePhone);
    ini.setValue(QStringLiteral("emblem"), organisation.emblemPath);
    ini.setValue(QStringLiteral("title"), organisation.title);
    ini.endGroup();
    ini.setValue(QStringLiteral("summary/target"), summaryTarget);
    ini.sync();
}
