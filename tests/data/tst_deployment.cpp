// Where the catalog is: the deployment file and catalog addresses.

#include "data/Catalog.h"
#include "data/DbError.h"
#include "data/Deployment.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(db::BackendKind)

class TestDeployment : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void parsesCatalogUrls_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<db::BackendKind>("backend");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::newRow("sqlite absolute")
            << QStringLiteral("sqlite:/var/lib/vostrel/catalog.sqlite") << db::BackendKind::SQLite
            << QStringLiteral("/var/lib/vostrel/catalog.sqlite") << QString() << 0 << QString()
            << QString();
        QTest::newRow("sqlite relative")
            << QStringLiteral("sqlite:demo.sqlite") << db::BackendKind::SQLite
            << QStringLiteral("demo.sqlite") << QString() << 0 << QString() << QString();
        QTest::newRow("postgresql with port")
            << QStringLiteral("postgresql://fin@db.example:5433/DU_Vuv_Evaduve")
            << db::BackendKind::PostgreSQL << QString() << QStringLiteral("db.example") << 5433
            << QStringLiteral("DU_Vuv_Evaduve") << QStringLiteral("fin");
        QTest::newRow("postgresql default port")
            << QStringLiteral("postgresql://fin@10.1.1.5/cat") << db::BackendKind::PostgreSQL
            << QString() << QStringLiteral("10.1.1.5") << 0 << QStringLiteral("cat")
            << QStringLiteral("fin");
        QTest::newRow("sqlserver")
            << QStringLiteral("sqlserver://sa@fin-srv/DU_Vuv_Evaduve") << db::BackendKind::SqlServer
            << QString() << QStringLiteral("fin-srv") << 0 << QStringLiteral("DU_Vuv_Evaduve")
            << QStringLiteral("sa");
    }
    void parsesCatalogUrls()
    {
        QFETCH(QString, url);
        QFETCH(db::BackendKind, backend);
        QFETCH(QString, path);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, database);
        QFETCH(QString, user);
        const db::CatalogLocation where = db::CatalogLocation::parse(url);
        QCOMPARE(where.backend, backend);
        QCOMPARE(where.path, path);
        QCOMPARE(where.host, host);
        QCOMPARE(where.port, port);
        QCOMPARE(where.database, database);
        QCOMPARE(where.user, user);
    }

    void refusesMalformedUrls_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("empty") << QString();
        QTest::newRow("sqlite without path") << QStringLiteral("sqlite:");
        QTest::newRow("unknown scheme") << QStringLiteral("mysql://u@h/db");
        QTest::newRow("no database") << QStringLiteral("postgresql://u@host");
        QTest::newRow("no host") << QStringLiteral("postgresql:///db");
        QTest::newRow("plain path") << QStringLiteral("/tmp/catalog.sqlite");
    }
    void refusesMalformedUrls()
    {
        QFETCH(QString, url);
        QVERIFY_THROWS_EXCEPTION(db::Error, db::CatalogLocation::parse(url));
    }

    void describeNeverShowsThePassword()
    {
        const auto where =
            db::CatalogLocation::parse(QStringLiteral("postgresql://fin:secret@h:5432/c"));
        QCOMPARE(where.password, QStringLiteral("secret"));
        QCOMPARE(where.describe(), QStringLiteral("postgresql://fin@h:5432/c"));
    }

    void noFileMeansTheEmbeddedCatalog()
    {
        QTemporaryDir dir;
        const Deployment d = Deployment::load(dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(d.catalog.backend, db::BackendKind::SQLite);
        QCOMPARE(d.catalog.path, Deployment::defaultCatalogPath());
        QVERIFY(d.catalog.path.endsWith(QLatin1String("/vostrel/catalog.sqlite")));
        QCOMPARE(d.catalog.password, QStringLiteral("#RoLLk?584"));
        QCOMPARE(d.catalog.database, QStringLiteral("DU_Vuv_Evaduve"));
    }

    void readsAServerDeployment()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("vostrel.ini"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[catalog]\nbackend=postgresql\nhost=fin-db\nport=5433\nuser=fin\n"
                "server_short_name=FIN01\n[organisation]\nadmin_extension=1234\n"
                "name=\xe0\xb8\xa1\xe0\xb8\xab\xe0\xb8\xb2\xe0\xb8\xa7\xe0\xb8\xb4\xe0\xb8\x97\n"
                "emblem=emblem.png\n");
        f.close();
        const Deployment d = Deployment::load(file);
        QCOMPARE(d.catalog.backend, db::BackendKind::PostgreSQL);
        QCOMPARE(d.catalog.host, QStringLiteral("fin-db"));
        QCOMPARE(d.catalog.port, 5433);
        QCOMPARE(d.catalog.user, QStringLiteral("fin"));
        QCOMPARE(d.catalog.database, QStringLiteral("DU_Vuv_Evaduve"));
        QCOMPARE(d.catalog.password, QStringLiteral("#RoLLk?584"));
        QCOMPARE(d.serverShortName, QStringLiteral("FIN01"));
        QCOMPARE(d.adminExtension, QStringLiteral("1234"));
        QCOMPARE(d.organisation.name, QStringLiteral("มหาวิท"));
        QCOMPARE(d.organisation.emblemPath, dir.filePath(QStringLiteral("emblem.png")));
    }

    void saveThenLoadKeepsEveryValue()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sub/vostrel.ini"));
        Deployment d = Deployment::load(file);
        d.catalog.backend = db::BackendKind::PostgreSQL;
        d.catalog.host = QStringLiteral("h");
        d.catalog.password = QStringLiteral("#a;b=c 'd'");
        d.organisation.contactStaff = QStringLiteral("คุณสมใจ, คุณสมหมาย");
        d.save(file);
        const Deployment back = Deployment::load(file);
        QCOMPARE(back.catalog.backend, db::BackendKind::PostgreSQL);
        QCOMPARE(back.catalog.password, d.catalog.password);
        QCOMPARE(back.organisation.contactStaff, d.organisation.contactStaff);
    }

    // The summary's target: a whole number from 0 to 999, anything else keeps 3.
    void readsTheSummaryTarget_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("target");
        QTest::newRow("no section") << QByteArray("[catalog]\nbackend=sqlite\n") << 3;
        QTest::newRow("five") << QByteArray("[summary]\ntarget=5\n") << 5;
        QTest::newRow("blanks and a comment")
            << QByteArray("[summary]\ntarget=  7   ; working days\n") << 7;
        QTest::newRow("zero") << QByteArray("[summary]\ntarget=0\n") << 0;
        QTest::newRow("largest") << QByteArray("[summary]\ntarget=999\n") << 999;
        QTest::newRow("too large") << QByteArray("[summary]\ntarget=1000\n") << 3;
        QTest::newRow("negative") << QByteArray("[summary]\ntarget=-2\n") << 3;
        QTest::newRow("no number") << QByteArray("[summary]\ntarget=three\n") << 3;
        QTest::newRow("a fraction") << QByteArray("[summary]\ntarget=2.5\n") << 3;
        QTest::newRow("empty") << QByteArray("[summary]\ntarget=\n") << 3;
    }
    void readsTheSummaryTarget()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, target);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("vostrel.ini"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        Deployment d = Deployment::load(file);
        QCOMPARE(d.summaryTarget, target);
        // What is saved reads back the same.
        d.summaryTarget = 12;
        d.save(file);
        QCOMPARE(Deployment::load(file).summaryTarget, 12);
    }

    void unknownBackendIsRefused()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("vostrel.ini"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[catalog]\nbackend=oracle\n");
        f.close();
        QVERIFY_THROWS_EXCEPTION(db::Error, Deployment::load(file));
    }
};

QTEST_GUILESS_MAIN(TestDeployment)
#include "tst_deployment.moc"
