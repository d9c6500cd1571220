// `vostrel-admin load` and `dump`, run as the tool itself: a whole catalog moved to the other
// back end and back, and the refusals that leave the table and the files as they were.

#include "TestCatalog.h"
#include "ToolRun.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

int people(db::Connection &c)
{
    db::Rows r = c.select(db::Statement{u"SELECT COUNT(*) AS n FROM TR_PerSon"_s});
    r.next();
    return int(r.integer(u"n"_s));
}

} // namespace

class TestAdminTables : public QObject {
    Q_OBJECT

private slots:
    // The demo catalog to the other back end and back to a third catalog, table by table, as
    // the README says to move one: every table reads the same at each stop, in both encodings.
    void catalogMovesAndComesBack_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("encoding");
        for (const char *b : {"sqlite", "postgresql"}) {
            for (const char *e : {"utf-8", "tis-620"})
                QTest::addRow("%s, %s", b, e) << QString::fromLatin1(b) << QString::fromLatin1(e);
        }
    }
    void catalogMovesAndComesBack()
    {
        QFETCH(QString, backend);
        QFETCH(QString, encoding);
        REQUIRE_BACKEND(backend);
        QTemporaryDir dir;
        TestCatalog source(u"sqlite"_s, false);
        TestCatalog middle(backend, false);
        TestCatalog back(u"sqlite"_s, false);
        QCOMPARE(runTool({u"demo"_s, u"--catalog"_s, source.url()}).exitCode, 0);
        for (const TestCatalog *c : {&middle, &back}) {
            const Run init = runTool({u"init"_s, u"--catalog"_s, c->url(), u"--user"_s, u"x"_s,
                                      u"--password"_s, u"x"_s, u"--level"_s, u"9"_s});
            QCOMPARE(init.exitCode, 0);
        }

        for (const schema::Table &t : schema::tables()) {
            const QString name = QLatin1String(t.name);
            const QString file = dir.filePath(name + u".csv"_s);
            const Run dumped = runTool(
                {u"dump"_s, name, file, u"--encoding"_s, encoding, u"--catalog"_s, source.url()});
            QCOMPARE(dumped.exitCode, 0);
            const QByteArray text = contents(file);
            QVERIFY(text.startsWith(t.columns.front().name));
            QString from = file;
            for (const TestCatalog *to : {&middle, &back}) {
                const Run loaded = runTool({u"load"_s, name, from, u"--replace"_s, u"--encoding"_s,
                                            encoding, u"--catalog"_s, to->url()});
                QVERIFY2(loaded.exitCode == 0, qPrintable(loaded.err));
                QVERIFY2(loaded.out.startsWith(u"บันทึก "_s), qPrintable(loaded.out));
                // Standard output gives the same bytes as the file.
                const Run again = runTool(
                    {u"dump"_s, name, u"--encoding"_s, encoding, u"--catalog"_s, to->url()});
                QCOMPARE(again.exitCode, 0);
                QCOMPARE(again.bytes, text);
                from = dir.filePath(name + u".again.csv"_s);
                write(from, again.bytes);
            }
        }
        // The report screens read the catalog that came back.
        const Run count =
            runTool({u"report"_s, u"calendar-of-year"_s, u"--all"_s, u"--catalog"_s, back.url()});
        QCOMPARE(count.exitCode, 0);
        QVERIFY(count.out.count(u'\n') > 3 * 365);
    }

    // Each refusal is one Thai line and exit status 2; the table and the files stay as they were.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args"); // FILE stands for the prepared file, NEW for none
        QTest::addColumn<QString>("error");
        QTest::newRow("no such table")
            << QStringList{u"load"_s, u"TR_People"_s, u"FILE"_s} << u"ไม่มีตาราง TR_People (มี "_s;
        QTest::newRow("no such encoding")
            << QStringList{u"load"_s, u"TR_PerSon"_s, u"FILE"_s, u"--encoding"_s, u"latin1"_s}
            << u"--encoding: \"latin1\" ต้องเป็น utf-8 หรือ tis-620"_s;
        QTest::newRow("no such file")
            << QStringList{u"load"_s, u"TR_PerSon"_s, u"NEW"_s} << u"เปิดแฟ้ม "_s;
        QTest::newRow("row too long, named by its line")
            << QStringList{u"load"_s, u"TR_PerSon"_s, u"FILE"_s}
            << u"บรรทัด 3 (แถวที่ 2): คอลัมน์ Per_Name ยาว 101 ตัวอักษร"_s;
        QTest::newRow("separator is for dump")
            << QStringList{u"load"_s, u"TR_PerSon"_s, u"FILE"_s, u"--separator"_s, u"tab"_s}
            << u"--separator ใช้กับ dump"_s;
        QTest::newRow("replace is for load")
            << QStringList{u"dump"_s, u"TR_PerSon"_s, u"NEW"_s, u"--replace"_s}
            << u"--replace ใช้กับ load"_s;
        QTest::newRow("no such separator")
            << QStringList{u"dump"_s, u"TR_PerSon"_s, u"NEW"_s, u"--separator"_s, u";"_s}
            << u"--separator: \";\" ต้องเป็น comma หรือ tab"_s;
        QTest::newRow("no TIS-620 byte: nothing written")
            << QStringList{u"dump"_s, u"TR_PerSon"_s, u"FILE"_s, u"--encoding"_s, u"tis-620"_s}
            << u"บรรทัด 3: อักษร \"é\" (U+00e9) ไม่มีใน TIS-620"_s;
        QTest::newRow("folder missing")
            << QStringList{u"dump"_s, u"TR_PerSon"_s, u"NEW/x.csv"_s} << u"เขียนแฟ้ม "_s;
        QTest::newRow("too many words")
            << QStringList{u"dump"_s, u"TR_PerSon"_s, u"NEW"_s, u"more"_s}
            << u"ใช้: vostrel-admin dump TABLE [FILE]"_s;
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        QTemporaryDir dir;
        TestCatalog catalog(u"sqlite"_s);
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{u"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'ก'), "
                                "('02', 'Café')"_s});
        const QString file = dir.filePath(u"officers.csv"_s);
        const QByteArray prepared =
            (u"Per_Code,Per_Name\n03,ข\n04,"_s + QString(101, u'ค') + u'\n').toUtf8();
        write(file, prepared);
        for (QString &a : args) {
            if (a == u"FILE"_s)
                a = file;
            else if (a.startsWith(u"NEW"_s))
                a.replace(u"NEW"_s, dir.filePath(u"new"_s));
        }
        const Run r = runTool(args << u"--catalog"_s << catalog.url());
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(r.bytes, QByteArray());
        QCOMPARE(people(c), 2);
        QCOMPARE(contents(file), prepared);
        QVERIFY(!QFile::exists(dir.filePath(u"new"_s)));
    }

    // A catalog with no table is named; nothing is made.
    void catalogWithoutTables()
    {
        TestCatalog empty(u"sqlite"_s, false);
        const Run r = runTool({u"dump"_s, u"TR_User"_s, u"--catalog"_s, empty.url()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(u"ยังไม่มีตาราง (สร้างด้วย vostrel-admin init ก่อน)"_s),
                 qPrintable(r.err));
    }

    // A dump replaces a file that is there, whole.
    void dumpReplacesAFile()
    {
        QTemporaryDir dir;
        TestCatalog catalog(u"sqlite"_s);
        const QString file = dir.filePath(u"version.tsv"_s);
        write(file, QByteArray(10000, 'x'));
        const Run r = runTool({u"dump"_s, u"tr_version"_s, file, u"--separator"_s, u"tab"_s,
                               u"--catalog"_s, catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(contents(file), QByteArray("Version_NO\n2.0\n"));
    }
};

QTEST_GUILESS_MAIN(TestAdminTables)
#include "tst_admin_tables.moc"
