// `vostrel-admin summary`: its lines for a catalog whose figures were worked out by hand, the
// workbook it writes, and the refusals that read and write nothing.

#include "PdfReadback.h"
#include "TestCatalog.h"
#include "ToolRun.h"
#include "XlsxReadback.h"
#include "core/ServiceSummary.h"
#include "data/Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

// The calendar of 2555: 03/01 a weekday holiday, weekends off. Working days counted by hand:
// A1 02-05/01: 3; A2 04-10/01: 5; A3 the same day: 1; A4 02-31/01: 21; A5 01-03/02: 3.
// A6 has no entry date, A7 is open, A8 left the division before the period.
void fill(db::Connection &c)
{
    makeCalendar2555(c);
    c.execute(db::Statement{QStringLiteral(
        "INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES ('01', 'สมชาย', 'A'), "
        "('02', 'สมหญิง', 'A'), ('03', 'ไม่มีเรื่อง', 'A')")});
    c.execute(
        db::Statement{QStringLiteral("INSERT INTO TR_DocType (DocType_Code, DocType_Name) "
                                     "VALUES ('01', 'ค่าใช้จ่ายทั่วไป'), ('02', 'ค่าสาธารณูปโภค')")});
    const char *const rows[] = {
        "'A1', '01', '01', '4', '02/01/2555', '05/01/2555'",
        "'A2', '01', '02', '4', '04/01/2555', '10/01/2555'",
        "'A3', '02', '01', '4', '9/1/2555 08:30:00', '9/1/2555 16:00:00'",
        "'A4', NULL, '01', '4', '02/01/2555', '31/01/2555'",
        "'A5', '02', '02', '4', '01/02/2555', '03/02/2555'",
        "'A6', '01', '01', '4', '', '05/01/2555'",
        "'A7', '01', '01', '3', '05/01/2555', ''",
        "'A8', '02', '01', '4', '28/12/2554', '30/12/2554'",
    };
    for (const char *row : rows)
        c.execute(db::Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, "
                                               "DocType_Code, DocStatus, Date_Into_Fin, "
                                               "Modified_Date) VALUES (") +
                                QString::fromUtf8(row) + u')'});
}

const QString Header = QStringLiteral("\tจำนวนเรื่อง\tเฉลี่ย (วันทำการ)\tมัธยฐาน (วันทำการ)\t"
                                      "เปอร์เซ็นไทล์ที่ 90 (วันทำการ)\tภายในเป้าหมาย (เรื่อง)\t"
                                      "ร้อยละภายในเป้าหมาย\tเรื่องที่ใช้เวลานานที่สุด");

} // namespace

class TestAdminSummary : public QObject {
    Q_OBJECT

private slots:
    void printsTheFigures_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("lines"); // '|' for the tabs
        struct Case {
            const char *name, *args;
            QStringList lines;
        };
        const Case cases[] = {
            {"by officer, the document without one last",
             "",
             {"ผู้รับผิดชอบ", "01|2|4.0|4.0|5|1|50.0|A2", "02|2|2.0|2.0|3|2|100.0|A5",
              "|1|21.0|21.0|21|0|0.0|A4"}},
            {"by type",
             "--by type",
             {"ประเภทเอกสาร", "01|3|8.3|3.0|21|2|66.7|A4", "02|2|4.0|4.0|5|1|50.0|A2"}},
            {"by month, Buddhist-era months",
             "--by month",
             {"เดือนที่เรื่องออกจากกอง", "01/2555|4|7.5|4.0|21|2|50.0|A4",
              "02/2555|1|3.0|3.0|3|1|100.0|A5"}},
            {"another target",
             "--target 5",
             {"ผู้รับผิดชอบ", "01|2|4.0|4.0|5|2|100.0|A2", "02|2|2.0|2.0|3|2|100.0|A5",
              "|1|21.0|21.0|21|0|0.0|A4"}},
            {"the last day is in, the day after it out",
             "--to 02/02/2555",
             {"ผู้รับผิดชอบ", "01|2|4.0|4.0|5|1|50.0|A2", "02|1|1.0|1.0|1|1|100.0|A3",
              "|1|21.0|21.0|21|0|0.0|A4"}},
        };
        for (const QString &backend : TestCatalog::backends()) {
            for (const Case &c : cases)
                QTest::addRow("%s: %s", qPrintable(backend), c.name)
                    << backend << words(c.args) << c.lines;
        }
    }
    void printsTheFigures()
    {
        QFETCH(QString, backend);
        QFETCH(QStringList, args);
        QFETCH(QStringList, lines);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        fill(catalog.connection());
        // The period first; a --to in the case replaces its own (given twice is refused).
        QStringList period{QStringLiteral("--from"), QStringLiteral("01/01/2555")};
        if (!args.contains(QStringLiteral("--to")))
            period << QStringLiteral("--to") << QStringLiteral("03/02/2555");
        const Run r = runTool(QStringList{QStringLiteral("summary")} + period + args +
                              QStringList{QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QStringList expected{lines.first() + Header};
        for (const QString &l : lines.mid(1))
            expected << QString(l).replace(u'|', u'\t');
        QCOMPARE(r.out, expected.join(u'\n') + u'\n');
        // The finished document without an entry date is told of, not counted.
        QCOMPARE(r.err, QStringLiteral("ไม่นับเรื่องที่เสร็จสิ้นในช่วงนี้แต่ไม่มีวันที่เข้ากอง 1 เรื่อง\n"));
    }

    // --xlsx: the summary screen's grid, names included, under the title and the criteria.
    void writesTheWorkbook_data() { TestCatalog::addBackendRows(); }
    void writesTheWorkbook()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        fill(catalog.connection());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("สรุป มกราคม.xlsx"));
        const Run r = runTool({QStringLiteral("summary"), QStringLiteral("--from"),
                               QStringLiteral("01/01/2555"), QStringLiteral("--to"),
                               QStringLiteral("03/02/2555"), QStringLiteral("--xlsx"), file,
                               QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("สรุป มกราคม.xlsx")});
        XlsxReadback book;
        QVERIFY2(book.load(file), qPrintable(book.error));
        QCOMPARE(book.text(QStringLiteral("A1")), summary::title());
        QCOMPARE(book.text(QStringLiteral("A2")),
                 QStringLiteral("วันที่เรื่องออกจากกอง 01/01/2555 ถึงวันที่ 03/02/2555  เป้าหมาย 3 "
                                "วันทำการ  แยกตามผู้รับผิดชอบ"));
        const QStringList header = summary::finishedGridHeader(summary::By::Officer);
        const QStringList row5{"1", "01", "สมชาย", "2", "4", "4", "5", "1", "50", "A2"};
        const QStringList row7{"3", "", "(ไม่ระบุ)", "1", "21", "21", "21", "0", "0", "A4"};
        for (int c = 0; c < header.size(); ++c) {
            const QString col = QChar(u'A' + c);
            QCOMPARE(book.text(col + u'4'), header.at(c));
            QCOMPARE(book.text(col + u'5'), row5.at(c));
            QCOMPARE(book.text(col + u'7'), row7.at(c));
        }
        QCOMPARE(book.text(QStringLiteral("C6")), QStringLiteral("สมหญิง"));
        QVERIFY(!book.has(QStringLiteral("A8")));
    }

    // --pdf: the same grid on paper, under the title and the criteria, every group on it.
    void writesThePdf_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("by");
        QTest::addColumn<QStringList>("groups"); // a group's cells, spaces between
        for (const QString &backend : TestCatalog::backends()) {
            QTest::addRow("%s: by officer", qPrintable(backend))
                << backend << QStringLiteral("officer")
                << QStringList{QStringLiteral("1 01 สมชาย 2 4.0 4.0 5 1 50.0 A2"),
                               QStringLiteral("2 02 สมหญิง 2 2.0 2.0 3 2 100.0 A5"),
                               QStringLiteral("3 (ไม่ระบุ) 1 21.0 21.0 21 0 0.0 A4")};
            QTest::addRow("%s: by month", qPrintable(backend))
                << backend << QStringLiteral("month")
                << QStringList{QStringLiteral("1 01/2555 4 7.5 4.0 21 2 50.0 A4"),
                               QStringLiteral("2 02/2555 1 3.0 3.0 3 1 100.0 A5")};
        }
    }
    void writesThePdf()
    {
        QFETCH(QString, backend);
        QFETCH(QString, by);
        QFETCH(QStringList, groups);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        fill(catalog.connection());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("สรุป มกราคม.pdf"));
        const Run r = runTool(
            {QStringLiteral("summary"), QStringLiteral("--from"), QStringLiteral("01/01/2555"),
             QStringLiteral("--to"), QStringLiteral("03/02/2555"), QStringLiteral("--by"), by,
             QStringLiteral("--pdf"), file, QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.count(u'\n'), groups.size() + 1); // the lines are printed all the same
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("สรุป มกราคม.pdf")});
        const PdfReadback pdf = readPdf(file);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(pdf.pages, 1);
        const QString text = pdf.text.simplified();
        QStringList expected{summary::title(),
                             QStringLiteral("วันที่เรื่องออกจากกอง 01/01/2555 ถึงวันที่ 03/02/2555"),
                             QStringLiteral("เป้าหมาย 3 วันทำการ"), QStringLiteral("หน้า 1/1")};
        expected << groups;
        for (const QString &e : std::as_const(expected))
            QVERIFY2(text.contains(e), qPrintable(e + u'\n' + text));
        // The header's cells in order after the criteria, by their first words (a long one
        // wraps within its column).
        qsizetype at = text.indexOf(QStringLiteral("แยกตาม"));
        for (const QString &h : summary::finishedGridHeader(*summary::byOf(by))) {
            at = text.indexOf(h.section(u' ', 0, 0), at + 1);
            QVERIFY2(at >= 0, qPrintable(h + u'\n' + text));
        }
    }

    // A PDF that cannot be written: the reason in Thai, exit 1, nothing printed, no file left.
    void unwritablePdfLeavesNothing()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        fill(catalog.connection());
        const QString file = QStringLiteral("/proc/vostrel-summary.pdf");
        const Run r = runTool({QStringLiteral("summary"), QStringLiteral("--from"),
                               QStringLiteral("01/01/2555"), QStringLiteral("--to"),
                               QStringLiteral("03/02/2555"), QStringLiteral("--pdf"), file,
                               QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(QStringLiteral("บันทึกแฟ้ม PDF ") + file + QStringLiteral(" ไม่ได้")),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(file));
    }

    // A refusal is one Thai line and exit 2, before the catalog is opened or a file begun.
    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        struct Case {
            const char *args, *message;
        };
        const Case cases[] = {
            {"--from 31/02/2568 --to 01/03/2568",
             "--from: \"31/02/2568\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)"},
            {"--from 01/01/2568 --to 1/2/68",
             "--to: \"1/2/68\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)"},
            {"--from 01/01/2568", "คำสั่ง summary ต้องระบุ --from และ --to (DD/MM/YYYY ปี พ.ศ.)"},
            {"--to 01/01/2568", "คำสั่ง summary ต้องระบุ --from และ --to (DD/MM/YYYY ปี พ.ศ.)"},
            {"--from 02/01/2568 --to 01/01/2568", "--from 02/01/2568 อยู่หลัง --to 01/01/2568"},
            {"--from 01/01/2568 --to 01/02/2568 --target x",
             "--target: \"x\" ต้องเป็นจำนวนวันทำการ เลขจำนวนเต็มตั้งแต่ 0 ถึง 999"},
            {"--from 01/01/2568 --to 01/02/2568 --target -1",
             "--target: \"-1\" ต้องเป็นจำนวนวันทำการ เลขจำนวนเต็มตั้งแต่ 0 ถึง 999"},
            {"--from 01/01/2568 --to 01/02/2568 --target 1000",
             "--target: \"1000\" ต้องเป็นจำนวนวันทำการ เลขจำนวนเต็มตั้งแต่ 0 ถึง 999"},
            {"--from 01/01/2568 --to 01/02/2568 --by week",
             "--by: \"week\" ต้องเป็น officer, type หรือ month"},
            {"--from 01/01/2568 --to 01/02/2568 --year 2568", "คำสั่ง summary ไม่มีตัวเลือก --year"},
            {"--from 01/01/2568 --to 01/02/2568 --bogus", "ไม่รู้จักตัวเลือก: --bogus"},
            {"--from 01/01/2568 --from 02/01/2568 --to 01/02/2568", "ระบุ --from ซ้ำ"},
            {"--from 01/01/2568 --to 01/02/2568 --target --xlsx FILE", "ต้องระบุค่าหลัง --target"},
            {"--from 01/01/2568 --to 01/02/2568 extra", "มีคำเกินมา: extra"},
            {"--from 01/01/2568 --to 01/02/2568 --xlsx DIR/none/o.xlsx",
             "--xlsx: ไม่มีโฟลเดอร์ DIR/none"},
            {"--from 01/01/2568 --to 01/02/2568 --xlsx FILE --pdf DIR/o.pdf",
             "ระบุ --xlsx และ --pdf พร้อมกันไม่ได้"},
            {"--from 01/01/2568 --to 01/02/2568 --pdf DIR/none/o.pdf",
             "--pdf: ไม่มีโฟลเดอร์ DIR/none"},
            {"--from 01/01/2568 --to 01/02/2568 --pdf DIR", "--pdf: DIR เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
            {"--from 01/01/2568 --to 01/02/2568 --pdf DIR/o.pdf --xlsx FILE",
             "ระบุ --xlsx และ --pdf พร้อมกันไม่ได้"},
        };
        for (const Case &c : cases)
            QTest::newRow(c.args) << words(c.args) << QString::fromUtf8(c.message);
    }
    void refusalsWriteNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        args.replaceInStrings(QStringLiteral("FILE"), dir.filePath(QStringLiteral("o.xlsx")));
        args.replaceInStrings(QStringLiteral("DIR"), dir.path());
        message.replace(QStringLiteral("DIR"), dir.path());
        const Run r = runBeforeCatalog(QStringList{QStringLiteral("summary")} + args, dir.path());
        QCOMPARE(r.err, message + u'\n');
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // Nothing finished in the period: the report screens' message, no lines and no workbook.
    void nothingFound_data() { TestCatalog::addBackendRows(); }
    void nothingFound()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        fill(catalog.connection());
        QTemporaryDir dir;
        const Run r = runTool(
            {QStringLiteral("summary"), QStringLiteral("--from"), QStringLiteral("01/03/2555"),
             QStringLiteral("--to"), QStringLiteral("31/03/2555"), QStringLiteral("--xlsx"),
             dir.filePath(QStringLiteral("o.xlsx")), QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("ไม่พบข้อมูลที่ต้องการ\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestAdminSummary)
#include "tst_admin_summary.moc"
