// What the program says is saved is on disk: every single commit of the embedded catalog is
// synced; bulk work relaxes that inside its loop and is synced before it reports completion.

#include "TestCatalog.h"
#include "data/Connection.h"

#include <QTest>

namespace {

qint64 pragma(db::Connection &c, const char *name)
{
    db::Rows r = c.select(db::Statement{QStringLiteral("PRAGMA ") + QLatin1String(name)});
    return r.next() ? r.value(0).toLongLong() : -1;
}

constexpr qint64 Normal = 1;
constexpr qint64 Full = 2;

} // namespace

class TestDurability : public QObject {
    Q_OBJECT

private slots:
    void singleSavesAreSynced()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        QCOMPARE(pragma(c, "synchronous"), Full);
        // A second station's connection is set up the same way.
        auto other = catalog.openAnother();
        QCOMPARE(pragma(*other, "synchronous"), Full);
    }

    void bulkWorkIsSyncedBeforeItEnds()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        const qint64 version = pragma(c, "user_version");
        {
            db::BulkWrites bulk(c);
            QCOMPARE(pragma(c, "synchronous"), Normal);
            c.execute(
                db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'a')"});
            bulk.finish();
            QCOMPARE(pragma(c, "synchronous"), Full);
        }
        QCOMPARE(pragma(c, "user_version"), version);

        // Ended by a failure: the rows before it stay, and later commits are synced again.
        try {
            db::BulkWrites bulk(c);
            c.execute(
                db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('02', 'b')"});
            c.execute(db::Statement{"INSERT INTO No_Such_Table VALUES (1)"});
            QFAIL("the statement must fail");
        } catch (const db::Error &) {
        }
        QCOMPARE(pragma(c, "synchronous"), Full);
        db::Rows r = c.select(db::Statement{"SELECT COUNT(*) AS n FROM TR_PerSon"});
        QVERIFY(r.next());
        QCOMPARE(r.integer(QStringLiteral("n")), 2);
    }

    // The server syncs its commits as it is set up to: bulk work there changes nothing.
    void serverKeepsItsSetting()
    {
        REQUIRE_BACKEND(QStringLiteral("postgresql"));
        TestCatalog catalog(QStringLiteral("postgresql"));
        db::Connection &c = catalog.connection();
        const auto setting = [&c] {
            db::Rows r = c.select(db::Statement{"SHOW synchronous_commit"});
            return r.next() ? r.value(0).toString() : QString();
        };
        const QString before = setting();
        db::BulkWrites bulk(c);
        c.execute(db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'a')"});
        bulk.finish();
        QCOMPARE(setting(), before);
    }

    // Inside a transaction there is one commit to make durable, the transaction's own.
    void bulkInsideATransaction()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        db::Transaction t(c);
        db::BulkWrites bulk(c);
        c.execute(db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'a')"});
        bulk.finish();
        t.commit();
        QCOMPARE(pragma(c, "synchronous"), Full);
    }
};

QTEST_MAIN(TestDurability)
#include "tst_durability.moc"
