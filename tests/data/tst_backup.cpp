// Copies of the embedded catalog: taken while another station writes, checked, put back, and
// the rotating copy of each day.

#include "TestCatalog.h"
#include "data/Backup.h"
#include "data/Connection.h"
#include "data/History.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
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

// Runs statements on a copy with a plain SQLite connection, as another program would.
void alter(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw");
        raw.setDatabaseName(path);
        QVERIFY(raw.open());
        for (const QString &s : statements) {
            QSqlQuery q(raw);
            QVERIFY2(q.exec(s), qPrintable(s));
        }
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
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

    // Only a copy of exactly the catalog's own objects goes back: whatever another program
    // added or took away is refused before anything changes.
    void copiesOfAnotherShapeAreRefused_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::newRow("only the version")
            << QStringList{"DROP TABLE Main_Deega_Control", "DROP TABLE TR_User",
                           "DROP TABLE TR_PerSon", "DROP TABLE TR_DocType",
                           "DROP TABLE TR_Day_Calendar", "DROP TABLE TR_Hard_StopDay",
                           "DROP TABLE TR_Deega_Runno", "DROP TABLE M_Imp_ERP",
                           "DROP TABLE TR_History"};
        QTest::newRow("a trigger planted")
            << QStringList{"CREATE TRIGGER plant AFTER UPDATE ON Main_Deega_Control BEGIN "
                           "DELETE FROM TR_User; INSERT INTO TR_User VALUES ('x', 'x', 9); END"};
        QTest::newRow("a view") << QStringList{"CREATE VIEW v AS SELECT * FROM TR_User"};
        QTest::newRow("a table more") << QStringList{"CREATE TABLE extra (a)"};
        QTest::newRow("an index more")
            << QStringList{"CREATE INDEX IX_extra ON TR_User (U_Level)"};
        QTest::newRow("a column less")
            << QStringList{"ALTER TABLE TR_PerSon DROP COLUMN Per_status"};
        QTest::newRow("a column more") << QStringList{"ALTER TABLE TR_User ADD COLUMN Note TEXT"};
        QTest::newRow("half the history") << QStringList{"DROP INDEX IX_TR_History_1"};
    }
    void copiesOfAnotherShapeAreRefused()
    {
        QFETCH(QStringList, edits);
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        addPerson(c, 10);
        const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
        db::backupCatalog(c, copy);
        alter(copy, edits);
        addPerson(c, 11);
        QVERIFY(!db::catalogCopyProblem(copy).isEmpty());
        QVERIFY_THROWS_EXCEPTION(db::Error, db::restoreCatalog(c, copy));
        QCOMPARE(people(c), 2);
        // Nothing was kept beside the catalog either: nothing changed.
        QCOMPARE(QDir(QFileInfo(catalog.location().path).absolutePath())
                     .entryList({QStringLiteral("*before-restore*")})
                     .size(),
                 0);
    }

    // A copy from before the history goes back, and the history stays the catalog's own.
    void theHistoryOutlivesARestore()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        addPerson(c, 10);
        addPerson(c, 11);
        const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
        db::backupCatalog(c, copy);
        alter(copy, {"DROP TABLE TR_History"});
        c.execute(db::Statement{"UPDATE TR_PerSon SET Per_Name = 'renamed' WHERE Per_Code = '10'"});
        c.execute(db::Statement{"DELETE FROM TR_PerSon WHERE Per_Code = '11'"});
        addPerson(c, 12);
        const qint64 before = db::history::verify(c).entries;

        const QString kept = db::restoreCatalog(c, copy);
        QVERIFY(QFileInfo(kept).absolutePath() ==
                QFileInfo(catalog.location().path).absolutePath());
        QVERIFY(kept.contains(QStringLiteral("before-restore")));
        QCOMPARE(peopleIn(kept), 2); // 10 renamed, 12
        QCOMPARE(people(c), 2);
        db::Rows name = c.select(db::Statement{"SELECT Per_Name FROM TR_PerSon WHERE Per_Code = '10'"});
        QVERIFY(name.next());
        QCOMPARE(name.text(0), QStringLiteral("person 10"));
        // One entry per row the restore changed: 10 back, 11 again, 12 gone.
        const db::history::Verdict after = db::history::verify(c);
        QVERIFY2(after.ok(), qPrintable(after.why));
        QCOMPARE(after.entries, before + 3);
    }

    // Another process holding a write: the restore waits as any write waits, then gives up and
    // says so, changing nothing.
    void aRestoreGivesUpOnAWriteInProgress()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QTemporaryDir dir;
        db::Connection &c = catalog.connection();
        addPerson(c, 10);
        const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
        db::backupCatalog(c, copy);
        addPerson(c, 11);
        auto station = catalog.openAnother();
        station->beginWrite();
        addPerson(*station, 12);
        QElapsedTimer waited;
        waited.start();
        try {
            db::restoreCatalog(c, copy);
            QFAIL("the restore must give up");
        } catch (const db::Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral("ยังไม่ได้นำสำเนากลับ")),
                     qPrintable(e.message()));
        }
        QVERIFY(waited.elapsed() < 30000);
        station->rollback();
        QCOMPARE(people(c), 2);
        db::restoreCatalog(c, copy);
        QCOMPARE(people(c), 1);
    }

    // A copy that fails on a full disk leaves nothing behind, and the next start tries again.
    void aFullDiskLeavesNoPartialCopy()
    {
        QTemporaryDir dir;
        const QString small = dir.filePath(QStringLiteral("small"));
        QDir().mkpath(small);
        QProcess mount;
        mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                              QStringLiteral("-o"), QStringLiteral("size=64k"),
                                              QStringLiteral("tmpfs"), small});
        if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit ||
            mount.exitCode() != 0)
            QSKIP("this test cannot mount a small file system here (it needs to be root)");
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {small}); });
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        for (int n = 10; n < 99; ++n)
            addPerson(c, n);
        c.execute(db::Statement{QStringLiteral("UPDATE TR_PerSon SET Per_Name = '%1'")
                                    .arg(QString(200, u'ก'))});
        const QString folder = small + QStringLiteral("/backups");
        QVERIFY_THROWS_EXCEPTION(db::Error, db::keepDailyCopy(c, folder, QDate(2014, 10, 1)));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
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

        // A damaged copy is never counted among the fourteen, and the day's own is made again.
        QFile::resize(QDir(folder).filePath(QStringLiteral("catalog-2014-10-19.sqlite")), 1000);
        QFile::resize(QDir(folder).filePath(QStringLiteral("catalog-2014-10-20.sqlite")), 0);
        db::keepDailyCopy(c, folder, first.addDays(19));
        const QStringList after =
            QDir(folder).entryList({QStringLiteral("catalog-*.sqlite")}, QDir::Files, QDir::Name);
        QCOMPARE(after.size(), 13);
        QCOMPARE(after.first(), QStringLiteral("catalog-2014-10-07.sqlite"));
        QVERIFY(!after.contains(QStringLiteral("catalog-2014-10-19.sqlite")));
        QVERIFY(db::looksWhole(QDir(folder).filePath(QStringLiteral("catalog-2014-10-20.sqlite"))));
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
