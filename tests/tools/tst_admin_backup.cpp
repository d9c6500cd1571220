// `vostrel-admin backup` and `restore` on an embedded catalog, run as the tool itself.

#include "TestCatalog.h"
#include "ToolRun.h"
#include "data/Connection.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

int officers(db::Connection &c)
{
    db::Rows r = c.select(db::Statement{"SELECT COUNT(*) AS n FROM TR_PerSon"});
    r.next();
    return int(r.integer(QStringLiteral("n")));
}

} // namespace

class TestAdminBackup : public QObject {
    Q_OBJECT

private slots:
    void backupThenRestore()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'a')"});
        const QString copy = dir.filePath(QStringLiteral("สำเนา 1.sqlite"));
        Run r =
            runTool({QStringLiteral("backup"), copy, QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFile::exists(copy));
        // Never over an existing file.
        r = runTool({QStringLiteral("backup"), copy, QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(QStringLiteral("ไม่เขียนทับ")));

        c.execute(db::Statement{"DELETE FROM TR_PerSon"});
        r = runTool({QStringLiteral("restore"), copy, QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(officers(c), 1);
    }

    void damagedCopyIsRefused()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'a')"});
        const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
        QCOMPARE(
            runTool({QStringLiteral("backup"), copy, QStringLiteral("--catalog"), catalog.url()})
                .exitCode,
            0);
        QFile::resize(copy, QFileInfo(copy).size() / 2);
        c.execute(db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('02', 'b')"});
        const Run r =
            runTool({QStringLiteral("restore"), copy, QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.trimmed().isEmpty());
        QCOMPARE(officers(c), 2);
    }
};

QTEST_MAIN(TestAdminBackup)
#include "tst_admin_backup.moc"
