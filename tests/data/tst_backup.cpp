// Copies of the embedded catalog: taken while another station writes, checked, put back, and
// the rotating copy of each day.

#include "TestCatalog.h"
#include "data/Backup.h"
#include "data/Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

namespace {

int people(db::Connection &c)
{
    db::Rows r = c.select(db::Statement{"SELECT COUNT(*) AS n FROM TR_PerSon"});
    r.next();
    return int(r.integer(QStringLiteral("n")));
}

void addPerson(db::Connection &c, int n)
{
    c.execute(db::Statement{
        QStringLiteral("INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES "
                       "('%1', 'person %1', 'A')")
            .arg(n)});
}

// A copy opened as a catalog of its own.
int peopleIn(const QString &path)
{
    db::Connection copy(db::CatalogLocation::parse(QStringLiteral("sqlite:") + path));
    copy.open();
    return people(copy);
}

QString copyOf(const QString &from, const QString &to)
{
    QFile::copy(from, to);
    return to;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void copyWhileAnotherStationWrites()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        std::atomic<bool> stop = false;
        std::atomic<int> written = 0;
        std::thread station([&] {
            auto c = catalog.openAnother();
            for (int n = 10; n < 99 && !stop; ++n) {
                addPerson(*c, n);
                ++written;
            }
        });
        while (written < 20)
            std::this_thread::yield();
        const QString path = dir.filePath(QStringLiteral("copy.sqlite"));
        db::backupCatalog(catalog.connection(), path);
        stop = true;
        station.join();
        QCOMPARE(db::catalogCopyProblem(path), QString());
        const int copied = peopleIn(path);
        QVERIFY(copied >= 20 && copied <= written);
        // A copy is never written over.
        QVERIFY_THROWS_EXCEPTION(db::Error, db::backupCatalog(catalog.connection(), path));
    }

    void putBackAfterTheCheck()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        for (int n = 10; n < 15; ++n)
            addPerson(c, n);
        const QString path = dir.filePath(QStringLiteral("copy.sqlite"));
        db::backupCatalog(c, path);
        c.execute(db::Statement{"DELETE FROM TR_PerSon"});
        addPerson(c, 50);
        auto station = catalog.openAnother();
        QCOMPARE(people(*station), 1);

        db::restoreCatalog(c, path);
        QCOMPARE(people(c), 5);
        // Another station keeps its connection and sees the copy's content.
        QCOMPARE(people(*station), 5);
    }

    void damagedCopiesAreRefused()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        addPerson(c, 10);
        const QString good = dir.filePath(QStringLiteral("good.sqlite"));
        db::backupCatalog(c, good);

        const QString header = copyOf(good, dir.filePath(QStringLiteral("header.sqlite")));
        {
            QFile f(header);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(3);
            f.write("X"); // "SQLite format 3" no more
        }
        const QString cut = copyOf(good, dir.filePath(QStringLiteral("cut.sqlite")));
        QFile::resize(cut, QFileInfo(cut).size() / 2);
        const QString text = dir.filePath(QStringLiteral("text.sqlite"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a catalog\n");
        }
        const QString older = copyOf(good, dir.filePath(QStringLiteral("older.sqlite")));
        {
            db::Connection o(db::CatalogLocation::parse(QStringLiteral("sqlite:") + older));
            o.open();
            o.execute(db::Statement{"UPDATE TR_Version SET Version_NO = '1.6'"});
        }
        for (const QString &bad :
             {header, cut, text, older, dir.filePath(QStringLiteral("none"))}) {
            QVERIFY2(!db::catalogCopyProblem(bad).isEmpty(), qPrintable(bad));
            QVERIFY_THROWS_EXCEPTION(db::Error, db::restoreCatalog(c, bad));
        }
        QVERIFY(db::catalogCopyProblem(older).contains(QStringLiteral("1.6")));
        // Nothing was put back: the catalog is as it was.
        QCOMPARE(people(c), 1);
    }

    void oneCopyADayTheLastFourteenKept()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        const QString folder = dir.filePath(QStringLiteral("backups"));
        const QDate first(2014, 10, 1);
        const QString path = db::keepDailyCopy(c, folder, first);
        QVERIFY(path.endsWith(QStringLiteral("catalog-2014-10-01.sqlite")));
        QVERIFY(QFileInfo::exists(path));
        // The day's second start keeps the first copy.
        addPerson(c, 10);
        QCOMPARE(db::keepDailyCopy(c, folder, first), path);
        QCOMPARE(peopleIn(path), 0);

        for (int d = 1; d < 20; ++d)
            db::keepDailyCopy(c, folder, first.addDays(d));
        const QStringList kept =
            QDir(folder).entryList({QStringLiteral("catalog-*.sqlite")}, QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), 14);
        QCOMPARE(kept.first(), QStringLiteral("catalog-2014-10-07.sqlite"));
        QCOMPARE(kept.last(), QStringLiteral("catalog-2014-10-20.sqlite"));
    }

    void theServerHasItsOwnTools()
    {
        REQUIRE_BACKEND(QStringLiteral("postgresql"));
        TestCatalog catalog(QStringLiteral("postgresql"));
        QTemporaryDir dir;
        QCOMPARE(db::keepDailyCopy(catalog.connection(), dir.path(), QDate(2014, 10, 1)),
                 QString());
        try {
            db::backupCatalog(catalog.connection(), dir.filePath(QStringLiteral("x")));
            QFAIL("the server is backed up with its own tools");
        } catch (const db::Error &e) {
            QVERIFY(e.message().contains(QStringLiteral("pg_dump")));
        }
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
