// vostrel-admin audit as a user runs it: the listing's lines and filters, values that hold the
// separator, refusals, and the chain's check with its exit status.

#include "TestCatalog.h"
#include "ToolRun.h"
#include "data/Connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

class TestAdminAudit : public QObject {
    Q_OBJECT

private slots:
    void listsAndChecks_data() { TestCatalog::addBackendRows(); }
    void listsAndChecks()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.setActor(QStringLiteral("clerk"), QStringLiteral("st-1"));
        c.execute(db::Statement{"INSERT INTO Main_Deega_Control (Doc_PK, Topic) "
                                "VALUES ('QDTX2557/00001', 'a\tb\nc\\d')"});
        c.execute(db::Statement{"INSERT INTO TR_DocType (DocType_Code, DocType_Name) "
                                "VALUES ('01', 'n')"});
        const QStringList at{QStringLiteral("--catalog"), catalog.url()};

        Run r = runTool(QStringList{"audit", "QDTX2557/00001"} + at);
        QCOMPARE(r.exitCode, 0);
        QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringLiteral("เวลา\tผู้ใช้\tเครื่อง\tตาราง\tรหัส\tคอลัมน์\tค่าเดิม\tค่าใหม่"));
        QCOMPARE(lines.size(), 3); // the key and the topic
        QCOMPARE(lines.last().section(u'\t', 1),
                 QStringLiteral("clerk\tst-1\tMain_Deega_Control\tQDTX2557/00001\tTopic\t\t"
                                "a\\tb\\nc\\\\d"));

        const QString today = QDate::currentDate().addYears(543).toString(QStringLiteral("dd/MM/yyyy"));
        const QString tomorrow =
            QDate::currentDate().addDays(1).addYears(543).toString(QStringLiteral("d/M/yyyy"));
        const struct {
            QStringList args;
            int lines; // after the header
        } filters[] = {{{"audit", "--user", "CLERK"}, 4},
                       {{"audit", "--user", "nobody"}, 0},
                       {{"audit", "--from", today, "--to", today, "--user", "clerk"}, 4},
                       {{"audit", "--from", tomorrow}, 0},
                       {{"audit", "01"}, 2}};
        for (const auto &f : filters) {
            r = runTool(f.args + at);
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.out.count(u'\n') - 1, f.lines);
        }
        for (const QStringList &refused :
             {QStringList{"audit", "--from", "31/02/2567"}, QStringList{"audit", "a", "b"},
              QStringList{"audit", "--from", "02/01/2567", "--to", "01/01/2567"},
              QStringList{"audit", "--topic", "x"}}) {
            r = runTool(refused + at);
            QCOMPARE(r.exitCode, 2);
            QVERIFY(!r.err.isEmpty());
        }

        r = runTool(QStringList{"audit", "verify"} + at);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QStringLiteral("3 รายการ"))); // the version and the two rows
        if (backend != QLatin1String("sqlite"))
            return;
        // Edited by hand with another client: the check names the entry and fails.
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw");
            raw.setDatabaseName(catalog.location().path);
            QVERIFY(raw.open());
            QVERIFY(QSqlQuery(raw).exec("UPDATE TR_History SET Station = 'elsewhere' "
                                        "WHERE History_ID = 2"));
            raw.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        r = runTool(QStringList{"audit", "verify"} + at);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("รายการที่ 2 ")), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestAdminAudit)
#include "tst_admin_audit.moc"
