#include "HostileSheets.h"
#include "XlsWriter.h"
#include "spreadsheet/BiffTexts.h"
#include "spreadsheet/Workbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <random>

using spreadsheet::openWorkbook;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(VOSTREL_FIXTURES "/") + QLatin1String(name);
}

} // namespace

class TestWorkbook : public QObject {
    Q_OBJECT

private slots:
    void cellText_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("expected");

        const QString kv = fixture("kvsis.xls");
        QTest::newRow("header text") << kv << 1 << 3 << QStringLiteral("เลขที่เอกสาร");
        QTest::newRow("key") << kv << 2 << 3 << QStringLiteral("QDTX2556/00002");
        QTest::newRow("date-time cell") << kv << 2 << 4 << QStringLiteral("2/1/2556 10:02:00");
        QTest::newRow("one-digit hour") << kv << 3 << 4 << QStringLiteral("3/1/2556 9:05:07");
        QTest::newRow("date without time") << kv << 4 << 4 << QStringLiteral("4/1/2556");
        QTest::newRow("modification date-time")
            << kv << 2 << 12 << QStringLiteral("15/1/2556 14:30:45");
        QTest::newRow("empty modification date") << kv << 3 << 12 << QString();
        QTest::newRow("date kept as text") << kv << 2 << 6 << QStringLiteral("25/12/2555");
        QTest::newRow("whole number") << kv << 4 << 5 << QStringLiteral("2017");
        QTest::newRow("decimal number") << kv << 6 << 5 << QStringLiteral("12.5");
        QTest::newRow("status code number") << kv << 2 << 15 << QStringLiteral("4");
        QTest::newRow("Thai text") << kv << 2 << 7 << QStringLiteral("กองคลัง");
        QTest::newRow("text with apostrophe")
            << kv << 4 << 8 << QStringLiteral("ค่าเดินทางไปราชการของ นาย ก' ข");
        QTest::newRow("repeated key") << kv << 5 << 3 << QStringLiteral("QDTX2556/00002");
        QTest::newRow("gap row: empty D") << kv << 7 << 4 << QString();
        QTest::newRow("gap row: other cells") << kv << 7 << 3 << QStringLiteral("QDTX2556/00006");
        QTest::newRow("row after the gap") << kv << 8 << 4 << QStringLiteral("9/1/2556 10:00:00");
        QTest::newRow("past the last row") << kv << 9 << 4 << QString();
        QTest::newRow("far past the last row") << kv << 100000 << 1 << QString();
        QTest::newRow("past the last column") << kv << 2 << 16 << QString();
        QTest::newRow("row 0") << kv << 0 << 1 << QString();
        QTest::newRow("column 0") << kv << 2 << 0 << QString();
        QTest::newRow("negative") << kv << -1 << -1 << QString();

        const QString sd = fixture("stopdays.xls");
        QTest::newRow("stop: heading") << sd << 2 << 2 << QStringLiteral("วันที่");
        QTest::newRow("stop: marker number") << sd << 3 << 1 << QStringLiteral("1");
        QTest::newRow("stop: date text") << sd << 3 << 2 << QStringLiteral("03/01/2555");
        QTest::newRow("stop: one-digit day") << sd << 4 << 2 << QStringLiteral("5/1/2555");
        QTest::newRow("stop: status N") << sd << 6 << 4 << QStringLiteral("N");
        QTest::newRow("stop: empty marker") << sd << 8 << 1 << QString();

        const QString erp = fixture("erp.xls");
        QTest::newRow("erp: title") << erp << 1 << 3 << QStringLiteral("Dynamic List Display");
        QTest::newRow("erp: empty A") << erp << 6 << 1 << QString();
        QTest::newRow("erp: fiscal year") << erp << 6 << 3 << QStringLiteral("2017");
        QTest::newRow("erp: day.month.year") << erp << 6 << 4 << QStringLiteral("13.10.2016");
        QTest::newRow("erp: short day.month") << erp << 7 << 4 << QStringLiteral("1.2.2017");
        QTest::newRow("erp: ten-digit number") << erp << 6 << 5 << QStringLiteral("3100001234");
        QTest::newRow("erp: blank clearing date") << erp << 7 << 7 << QString();
        QTest::newRow("erp: amount") << erp << 6 << 14 << QStringLiteral("12500.5");
        QTest::newRow("erp: zero") << erp << 6 << 17 << QStringLiteral("0");
        QTest::newRow("erp: blanks kept") << erp << 7 << 19 << QStringLiteral(" FUND02 ");
        QTest::newRow("erp: end row") << erp << 9 << 3 << QString();
    }
    void cellText()
    {
        QFETCH(QString, file);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, expected);
        const auto book = openWorkbook(file);
        QCOMPARE(book->cellText(row, col), expected);
    }

    void longTextsComeWhole()
    {
        const auto kv = openWorkbook(fixture("kvsis.xls"));
        const QString subject = kv->cellText(3, 8);
        QVERIFY2(subject.size() > 250, qPrintable(QString::number(subject.size())));
        QVERIFY(subject.startsWith(QStringLiteral("ขออนุมัติเบิกจ่ายเงินค่าจ้างเหมา")));
        const auto erp = openWorkbook(fixture("erp.xls"));
        QVERIFY(erp->cellText(6, 12).size() > 50);
        QVERIFY(erp->cellText(6, 13).size() > 20);
    }

    void usedSize()
    {
        const auto kv = openWorkbook(fixture("kvsis.xls"));
        QCOMPARE(kv->rowCount(), 8);
        QCOMPARE(kv->columnCount(), 15);
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        const QString notXls = QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls) หรือแฟ้มเสียหาย: ");
        const QString missing = fixture("no-such-file.xls");
        QTest::newRow("missing") << missing << QStringLiteral("ไม่พบแฟ้ม ") + missing;
        QTest::newRow("no file chosen") << QString() << QStringLiteral("ไม่พบแฟ้ม ");
        QTest::newRow("folder") << QStringLiteral(VOSTREL_FIXTURES)
                                << QStringLiteral("ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม: " VOSTREL_FIXTURES);
        for (const char *name : {"not-a-workbook.xls", "truncated.xls", "empty.xls"})
            QTest::newRow(name) << fixture(name) << notXls + fixture(name);
    }
    void badFiles()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        try {
            openWorkbook(path);
            QFAIL("no error raised");
        } catch (const spreadsheet::Error &e) {
            QCOMPARE(e.message(), message);
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    void xlsxIsToldApart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.xls"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\x03\x04 rest of a zip container");
        f.close();
        try {
            openWorkbook(path);
            QFAIL("no error raised");
        } catch (const spreadsheet::Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral(".xlsx")), qPrintable(e.message()));
            QVERIFY(e.message().endsWith(path));
        }
    }

    void unreadableFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("locked.xls"));
        QVERIFY(QFile::copy(fixture("kvsis.xls"), path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("permissions do not stop this user from reading");
        QVERIFY_THROWS_EXCEPTION(spreadsheet::Error, openWorkbook(path));
    }

    // Written texts come back unit for unit; a NUL no longer ends a text: it is dropped and
    // what follows it stays. The strings outgrow one record, so they cross CONTINUE records.
    void writtenTextsComeBackWhole()
    {
        QList<QString> texts;
        for (const HostileText &h : hostileTexts()) {
            if (h.inFile)
                texts << h.text;
        }
        const QString nul(QChar(u'\0'));
        texts << nul + QStringLiteral("at the start") << QStringLiteral("at the end") + nul
              << QStringLiteral("a") + nul + nul + QStringLiteral("b") + nul + QStringLiteral("c'");
        for (int i = 0; texts.size() < 400; ++i) // long strings, NULs where records split them
            texts << QString(300, QChar(u'ก' + i % 40)).replace(i % 300, 1, nul);
        XlsWriter w;
        for (int i = 0; i < texts.size(); ++i)
            w.text(i + 1, 1 + i % 3, texts[i]);
        w.number(1, 5, 12.5).date(2, 5, 42656);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hostile.xls"));
        QVERIFY(w.save(path));

        const auto book = openWorkbook(path);
        for (int i = 0; i < texts.size(); ++i) {
            QString expected = texts[i];
            expected.remove(QChar(u'\0'));
            QCOMPARE(book->cellText(i + 1, 1 + i % 3), expected);
        }
        QCOMPARE(book->cellText(1, 5), QStringLiteral("12.5"));
        QCOMPARE(book->cellText(2, 5), QStringLiteral("13/10/2559"));
    }

    // The same in workbooks saved by a spreadsheet program: the workbook stream in ordinary
    // sectors (kvsis.xls), and in the mini stream of a small file (stopdays.xls), with a text
    // of one-byte and one of two-byte characters.
    void nulInSavedWorkbooks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("find");
        QTest::addColumn<QByteArray>("replace");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one-byte text") << "kvsis.xls" << QByteArray("QDTX2556/00003")
                                       << QByteArray("QDTX2556\0"
                                                     "00003",
                                                     14)
                                       << 3 << 3 << QStringLiteral("QDTX255600003");
        const QString holiday = QStringLiteral("วันหยุดพิเศษ");
        const QByteArray utf16(reinterpret_cast<const char *>(holiday.utf16()), holiday.size() * 2);
        QTest::newRow("two-byte text, mini stream")
            << "stopdays.xls" << utf16 << QByteArray(2, '\0') + utf16.mid(2) << 4 << 3
            << holiday.mid(1);
    }
    void nulInSavedWorkbooks()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, find);
        QFETCH(QByteArray, replace);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, expected);
        QFile in(fixture(file.toLatin1().constData()));
        QVERIFY(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        QCOMPARE(bytes.count(find), 1);
        bytes.replace(find, replace);
        QTemporaryDir dir;
        QFile out(dir.filePath(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        QCOMPARE(openWorkbook(out.fileName())->cellText(row, col), expected);
    }

    // The text reader runs on every workbook opened, damaged ones included: whatever bytes it
    // gets, it reads inside them and ends. (The workbook library itself is not called here.)
    void textReaderSurvivesDamage()
    {
        std::mt19937 random(4242);
        QList<QByteArray> originals;
        for (const char *name : {"kvsis.xls", "stopdays.xls", "erp.xls"}) {
            QFile f(fixture(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            originals << f.readAll();
        }
        XlsWriter long_;
        for (int i = 1; i < 300; ++i)
            long_.text(i, 1, QString(200, QChar(u'ก' + i % 40)) + QChar(u'\0'));
        originals << long_.bytes();
        for (int round = 0; round < 3000; ++round) {
            QByteArray b = originals.at(round % originals.size());
            const int changes = 1 + int(random() % 8);
            for (int i = 0; i < changes; ++i)
                b[qsizetype(random() % quint32(b.size()))] = char(random() % 256);
            if (round % 5 == 0)
                b.truncate(qsizetype(random() % quint32(b.size())));
            spreadsheet::biffTextsWithNul(b);
        }
        QCOMPARE(spreadsheet::biffTextsWithNul(originals.last()).size(), 299);
    }

    // Half of a surrogate pair in a cell: the workbook is refused as damaged, never read in part.
    void halfPairInACellIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("half.xls"));
        QVERIFY(XlsWriter()
                    .text(1, 1, QStringLiteral("ok"))
                    .text(2, 1, QStringLiteral("ab") + QChar(0xD83D))
                    .save(path));
        try {
            openWorkbook(path);
            QFAIL("no error raised");
        } catch (const spreadsheet::Error &e) {
            QCOMPARE(e.message(), QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls) หรือแฟ้มเสียหาย: ") + path);
        }
    }

    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("year") << 2017.0 << QStringLiteral("2017");
        QTest::newRow("half") << 12.5 << QStringLiteral("12.5");
        QTest::newRow("negative") << -0.25 << QStringLiteral("-0.25");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("binary noise cut at 15 digits") << 0.1 + 0.2 << QStringLiteral("0.3");
        QTest::newRow("third") << 1.0 / 3 << QStringLiteral("0.333333333333333");
        QTest::newRow("large, no exponent") << 1e15 << QStringLiteral("1000000000000000");
        QTest::newRow("amount") << 1234567.89 << QStringLiteral("1234567.89");
        QTest::newRow("small, no exponent") << 0.000012 << QStringLiteral("0.000012");
        QTest::newRow("tiny") << 1e-12 << QStringLiteral("1e-12");
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(spreadsheet::numberText(value), expected);
    }

    void dateCellText_data()
    {
        QTest::addColumn<QString>("iso");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date-time") << "2013-01-02 10:02:00"
                                   << "2/1/2556 10:02:00";
        QTest::newRow("date") << "2013-01-02"
                              << "2/1/2556";
        QTest::newRow("midnight dropped") << "2013-12-31 00:00:00"
                                          << "31/12/2556";
        QTest::newRow("one second past midnight") << "2013-12-31 00:00:01"
                                                  << "31/12/2556 0:00:01";
        QTest::newRow("time alone") << "09:05:07"
                                    << "9:05:07";
        QTest::newRow("not a date") << "abc"
                                    << "abc";
        QTest::newRow("broken date") << "2013-1-02"
                                     << "2013-1-02";
    }
    void dateCellText()
    {
        QFETCH(QString, iso);
        QFETCH(QString, expected);
        QCOMPARE(spreadsheet::dateCellText(iso), expected);
    }
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
