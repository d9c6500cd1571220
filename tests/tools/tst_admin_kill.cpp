// An import killed half-way (a power cut, a closed terminal): every row written before stays
// whole, the catalog stays sound, and running the import again completes it.

#include "TestCatalog.h"
#include "XlsWriter.h"
#include "data/Connection.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {

constexpr int Rows = 20000;

QString key(int n)
{
    return QStringLiteral("QDTX2557/%1").arg(n, 5, 10, QLatin1Char('0'));
}

// A voucher sheet of Rows documents, each row's texts derived from its number.
QString writeSheet(const QTemporaryDir &dir)
{
    XlsWriter sheet;
    for (int col = 1; col <= 15; ++col)
        sheet.text(1, col, QStringLiteral("h%1").arg(col));
    for (int n = 1; n <= Rows; ++n) {
        const int r = n + 1;
        sheet.text(r, 2, QStringLiteral("ปกติ"));
        sheet.text(r, 3, key(n));
        sheet.text(r, 4, QStringLiteral("2/1/2557 10:02:00"));
        sheet.text(r, 8, QStringLiteral("เรื่องที่ %1 'ทดสอบ'").arg(n));
        sheet.text(r, 10, QStringLiteral("หน่วยงาน %1").arg(n));
        sheet.text(r, 15, QStringLiteral("4"));
    }
    const QString path = dir.filePath(QStringLiteral("vouchers.xls"));
    sheet.save(path);
    return path;
}

int documents(db::Connection &c)
{
    db::Rows r = c.select(db::Statement{"SELECT COUNT(*) AS n FROM Main_Deega_Control"});
    r.next();
    return int(r.integer(QStringLiteral("n")));
}

} // namespace

class TestAdminKill : public QObject {
    Q_OBJECT

private slots:
    void killedImportLeavesWholeRows()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        const QString sheet = writeSheet(dir);
        const QStringList args{QStringLiteral("import"), QStringLiteral("kvsis"), sheet,
                               QStringLiteral("--catalog"), catalog.url()};
        QProcess import;
        import.start(QStringLiteral(VOSTREL_ADMIN), args);
        QVERIFY(import.waitForStarted());
        db::Connection &c = catalog.connection();
        // Killed once some rows are in, well before the last.
        QElapsedTimer waited;
        waited.start();
        while (documents(c) < 200 && import.state() == QProcess::Running &&
               waited.elapsed() < 60000)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        import.kill();
        import.waitForFinished();
        const int stored = documents(c);
        QVERIFY2(stored > 0 && stored < Rows, qPrintable(QString::number(stored)));

        // The file is sound and every stored document is whole.
        {
            db::Rows check = c.select(db::Statement{"PRAGMA integrity_check"});
            QVERIFY(check.next());
            QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        }
        db::Rows rows = c.select(db::Statement{"SELECT Doc_PK, Topic, FromSite, DocStatus, "
                                               "DocNoDate_YYYYMMDD FROM Main_Deega_Control"});
        while (rows.next()) {
            const int n = rows.text(QStringLiteral("Doc_PK")).mid(9).toInt();
            QCOMPARE(rows.text(QStringLiteral("Topic")), QStringLiteral("เรื่องที่ %1 'ทดสอบ'").arg(n));
            QCOMPARE(rows.text(QStringLiteral("FromSite")), QStringLiteral("หน่วยงาน %1").arg(n));
            QCOMPARE(rows.text(QStringLiteral("DocStatus")), QStringLiteral("4"));
            QCOMPARE(rows.text(QStringLiteral("DocNoDate_YYYYMMDD")), QStringLiteral("25570102"));
        }

        // Running it again completes the import: the stored rows are updated, the rest added.
        QProcess again;
        again.start(QStringLiteral(VOSTREL_ADMIN), args);
        QVERIFY(again.waitForFinished(300000));
        QCOMPARE(again.exitCode(), 0);
        QCOMPARE(documents(c), Rows);
    }
};

QTEST_MAIN(TestAdminKill)
#include "tst_admin_kill.moc"
