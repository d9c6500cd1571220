#include "HostileSheets.h"
#include "XlsWriter.h"
#include "spreadsheet/BiffTexts.h"
#include "spreadsheet/NumberFormats.h"
#include "spreadsheet/Workbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <random>

using spreadsheet::DateKind;
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
        const QString notXls = QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ");
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
            QCOMPARE(e.message(),
                     QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ") + path);
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
        QTest::newRow("rounded up to midnight") << "2013-01-05 24:00:00"
                                                << "6/1/2556";
        QTest::newRow("rounded up past the year's end") << "2013-12-31 24:00:00"
                                                        << "1/1/2557";
        QTest::newRow("time rounded up to midnight") << "24:00:00"
                                                     << "0:00:00";
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

    void formatDateKind_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("kind");
        const auto add = [](const char *code, DateKind k) {
            QTest::newRow(code) << QString::fromUtf8(code) << int(k);
        };
        add("d/m/yyyy", DateKind::Date);
        add("[$-1070000]d/m/yyyy;@", DateKind::Date);
        add("dd mmm", DateKind::Date);
        add("mmm yyyy", DateKind::Date);
        add("d/m/bbbb hh:mm", DateKind::Date); // no year letter: a date, as the .xls reader says
        add("yyyy-mm-dd hh:mm", DateKind::DateTime);
        add("D/M/YYYY H:MM:SS", DateKind::DateTime);
        add("h:mm:ss", DateKind::Time);
        add("mm:ss", DateKind::Time);
        add("[h]:mm:ss", DateKind::Time);
        add("[mm]:ss", DateKind::Time);
        add("h:mm AM/PM", DateKind::Time);
        add("General", DateKind::None);
        add("0.00", DateKind::None);
        add("#,##0.00\" days\"", DateKind::None);
        add("\"Month \"0", DateKind::None);
        add("[Red]#,##0;[Blue]-#,##0", DateKind::None);
        add("\\d\\m0", DateKind::None);
        add("_-* #,##0_m", DateKind::None);
        add("0.0E+00", DateKind::None);
        add("yy", DateKind::None);
        add("[ss]", DateKind::None);
        add("\"unclosed d/m/y", DateKind::None);
        add("[unclosed d/m/y", DateKind::None);
    }
    void formatDateKind()
    {
        QFETCH(QString, code);
        QFETCH(int, kind);
        QCOMPARE(int(spreadsheet::formatDateKind(code)), kind);
    }

    void serialDateText_data()
    {
        QTest::addColumn<double>("serial");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("date1904");
        QTest::addColumn<QString>("expected");
        const auto add = [](const char *name, double s, DateKind k, bool m, const char *text) {
            QTest::newRow(name) << s << int(k) << m << QString::fromUtf8(text);
        };
        add("date", 41276, DateKind::Date, false, "2/1/2556");
        add("date drops the time", 41276.75, DateKind::Date, false, "2/1/2556");
        add("date-time", 41276.5, DateKind::DateTime, false, "2/1/2556 12:00:00");
        add("date-time at midnight", 41276, DateKind::DateTime, false, "2/1/2556");
        add("seconds rounded", 41276.418055555558, DateKind::DateTime, false, "2/1/2556 10:02:00");
        add("rounded to the next day", 41279.9999953704, DateKind::DateTime, false, "6/1/2556");
        add("rounded past the year's end", 41639.99999999, DateKind::DateTime, false, "1/1/2557");
        add("time", 0.25, DateKind::Time, false, "6:00:00");
        add("time drops the day", 3.25, DateKind::Time, false, "6:00:00");
        add("time rounded to midnight", 0.99999999, DateKind::Time, false, "0:00:00");
        add("day 1", 1, DateKind::Date, false, "1/1/2443");
        add("day 0 reads as day 1", 0.5, DateKind::DateTime, false, "1/1/2443 12:00:00");
        add("before the leap day", 59, DateKind::Date, false, "28/2/2443");
        add("the leap day 1900 lacks", 60, DateKind::Date, false, "29/2/2443");
        add("after the leap day", 61, DateKind::Date, false, "1/3/2443");
        add("1904: day 0", 0, DateKind::Date, true, "1/1/2447");
        add("1904: date-time", 39814.4180555556, DateKind::DateTime, true, "2/1/2556 10:02:00");
        add("last day of 9999", 2958465, DateKind::Date, false, "31/12/10542");
        add("past 9999", 2958466, DateKind::Date, false, "2958466");
        add("negative", -1.5, DateKind::Date, false, "-1.5");
        add("far past any date", 1e300, DateKind::DateTime, false, "1e+300");
        add("no date kind", 41276, DateKind::None, false, "41276");
    }
    void serialDateText()
    {
        QFETCH(double, serial);
        QFETCH(int, kind);
        QFETCH(bool, date1904);
        QFETCH(QString, expected);
        QCOMPARE(spreadsheet::serialDateText(serial, DateKind(kind), date1904), expected);
    }
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
