// Several stations importing at once into one catalog (separate connections: separate handles
// on the SQLite file, separate sessions on the server): every import finishes, every row is
// there, and a key written meanwhile by another station is updated, not refused.

#include "TestCatalog.h"
#include "core/ImportRows.h"
#include "data/Connection.h"
#include "data/History.h"

#include <QTest>
#include <thread>

namespace {

QStringList voucherRow(int n, const QString &topic)
{
    QStringList cells(importLayoutOf(ImportKind::Kvsis).columns.size());
    cells[0] = QString::number(n);
    cells[2] = QStringLiteral("QDTX2557/%1").arg(n, 5, 10, QLatin1Char('0'));
    cells[3] = QStringLiteral("2/1/2557 10:02:00");
    cells[7] = topic;
    cells[11] = QStringLiteral("9/1/2557 10:00:00");
    cells[13] = QStringLiteral("4");
    return cells;
}

QStringList erpRow(int n, const QString &vendor)
{
    QStringList cells(importLayoutOf(ImportKind::Erp).columns.size());
    cells[0] = QString::number(n);
    cells[1] = QStringLiteral("2014");
    cells[3] = QStringLiteral("FI%1").arg(n);
    cells[10] = vendor;
    return cells;
}

int count(db::Connection &c, const QString &sql)
{
    db::Rows r = c.select(db::Statement{sql});
    r.next();
    return int(r.integer(QStringLiteral("n")));
}

} // namespace

class TestConcurrentImports : public QObject {
    Q_OBJECT

private slots:
    void stationsImportAtOnce_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<int>("stations");
        for (const QString &b : TestCatalog::backends()) {
            for (int n : {2, 4})
                QTest::addRow("%s, %d stations", qPrintable(b), n) << b << n;
        }
    }
    void stationsImportAtOnce()
    {
        QFETCH(QString, backend);
        QFETCH(int, stations);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        // Each station imports the same 60 new vouchers and ERP rows (all meet one another),
        // plus 20 of its own.
        constexpr int Shared = 60;
        constexpr int Own = 20;
        QList<QString> failures(stations);
        QList<ImportResult> vouchers(stations);
        std::vector<std::thread> threads;
        for (int s = 0; s < stations; ++s) {
            threads.emplace_back([&, s] {
                try {
                    auto c = catalog.openAnother();
                    QList<QStringList> v;
                    QList<QStringList> erp;
                    for (int n = 1; n <= Shared; ++n) {
                        v << voucherRow(n, QStringLiteral("station %1").arg(s));
                        erp << erpRow(n, QStringLiteral("station %1").arg(s));
                    }
                    for (int n = 0; n < Own; ++n) {
                        v << voucherRow(1000 + s * 100 + n, QStringLiteral("own"));
                        erp << erpRow(1000 + s * 100 + n, QStringLiteral("own"));
                    }
                    savePreview(ImportKind::Kvsis, *c, v, vouchers[s]);
                    ImportResult e;
                    savePreview(ImportKind::Erp, *c, erp, e);
                } catch (const db::Error &e) {
                    failures[s] = e.message();
                }
            });
        }
        for (std::thread &t : threads)
            t.join();
        for (const QString &f : failures)
            QVERIFY2(f.isEmpty(), qPrintable(f));
        db::Connection &c = catalog.connection();
        const int expected = Shared + stations * Own;
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) AS n FROM Main_Deega_Control")),
                 expected);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) AS n FROM M_Imp_ERP")), expected);
        // Every shared key was inserted once and updated by the others.
        int inserted = 0;
        int updated = 0;
        for (const ImportResult &r : vouchers) {
            inserted += r.inserted;
            updated += r.updated;
            QCOMPARE(r.inserted + r.updated, Shared + Own);
        }
        QCOMPARE(inserted, expected);
        QCOMPARE(updated, (stations - 1) * Shared);
        // The stations' history entries, appended at once, form one unbroken chain.
        const db::history::Verdict chain = db::history::verify(c);
        QVERIFY2(chain.ok(), qPrintable(chain.why));
        QVERIFY(chain.entries >= 2 * expected);
    }
};

QTEST_MAIN(TestConcurrentImports)
#include "tst_concurrent_imports.moc"
