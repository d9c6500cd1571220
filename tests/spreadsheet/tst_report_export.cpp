#include "XlsxReadback.h"
#include "spreadsheet/ReportExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace spreadsheet;

Q_DECLARE_METATYPE(spreadsheet::ReportLayout)
Q_DECLARE_METATYPE(spreadsheet::ReportTable)

namespace {

const QString Blue = QStringLiteral("FF0C058F");
const QString HeaderFill = QStringLiteral("FF9BCDE6");
const QString White = QStringLiteral("FFFFFFFF");
const QString Thin = QStringLiteral("thin");

// A grid as a screen would hand it over: "H<c>" headers, "r<row>c<col>" data.
ReportTable grid(int cols, int rows)
{
    return {cols, rows, [](int c, int r) {
                return r == 0 ? QStringLiteral("H%1").arg(c)
                              : QStringLiteral("r%1c%2").arg(r).arg(c);
            }};
}

QString ref(int col0, int row1)
{
    return columnLetter(col0) + QString::number(row1);
}

} // namespace

class TestReportExport : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    XlsxReadback exportAndRead(const ReportTable &table, const ReportLayout &layout)
    {
        const QString path = exportReport(table, layout, dir_.path());
        XlsxReadback book;
        if (!book.load(path))
            qFatal("cannot read the workbook back: %s", qPrintable(book.error));
        return book;
    }

private slots:
    void layouts_data()
    {
        QTest::addColumn<ReportLayout>("layout");
        QTest::addColumn<int>("gridCols");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("titleLast"); // last column of the title span, from 0
        QTest::addColumn<int>("lastFormatted");
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<QList<double>>("widths"); // A, B, C, ... up to the last listed one

        const QList<double> detail{4, 20, 15.5, 15.5, 15.5, 103, 33, 33, 15.5, 15.5, 15.5, 22};
        const QList<double> days{4, 20, 15.5, 15.5, 15.5, 30, 33, 33, 15.5, 15.5, 13, 13, 13, 19.8};
        QTest::newRow("movement detail")
            << movementDetailLayout() << 20 << QStringLiteral("รายงานฏีกา ") << 11 << 19
            << QStringLiteral("portrait") << detail;
        QTest::newRow("days in division")
            << daysInDivisionLayout() << 15 << QStringLiteral("รายงานฏีกา ") << 11 << 13
            << QStringLiteral("portrait") << days;
        QTest::newRow("calendar of year")
            << calendarOfYearLayout() << 6 << QStringLiteral("รายงานวันในแต่ละปี ") << 5 << 5
            << QStringLiteral("portrait") << QList<double>{4, 15, 21, 21, 21, 21};
        QTest::newRow("by document type")
            << byDocTypeLayout() << 21 << QStringLiteral("รายงานฏีกา แยกตามประเภทเอกสาร") << 20 << 20
            << QStringLiteral("portrait") << detail;
        QTest::newRow("days to payment")
            << daysToPaymentLayout() << 34 << QStringLiteral("รายงานฏีกา ") << 33 << 33
            << QStringLiteral("landscape") << days;
    }
    void layouts()
    {
        QFETCH(ReportLayout, layout);
        QFETCH(int, gridCols);
        QFETCH(QString, title);
        QFETCH(int, titleLast);
        QFETCH(int, lastFormatted);
        QFETCH(QString, orientation);
        QFETCH(QList<double>, widths);

        const int rows = 4; // header and three data rows: sheet rows 5, 6, 7
        const XlsxReadback book = exportAndRead(grid(gridCols, rows), layout);
        QCOMPARE(book.sheetNames, QStringList{QStringLiteral("Text 1")});
        // The No and key columns and the rows down to the header, on every printed page.
        QCOMPARE(book.definedNames.value(QStringLiteral("_xlnm.Print_Titles")),
                 QStringLiteral("'Text 1'!$A:$B,'Text 1'!$1:$4"));

        // Title and the rows above the header.
        QCOMPARE(book.text(QStringLiteral("A1")), title);
        QCOMPARE(book.format(QStringLiteral("A1")).fontColor, Blue);
        QCOMPARE(book.format(QStringLiteral("A1")).fontSize, 16.0);
        for (int c = 0; c <= titleLast; ++c)
            QCOMPARE(book.format(ref(c, 1)).horizontal, QStringLiteral("centerContinuous"));
        QVERIFY(!book.has(ref(titleLast + 1, 1)));
        for (const char *cell : {"A2", "A3"}) {
            QCOMPARE(book.format(QLatin1String(cell)).fontColor, Blue);
            QCOMPARE(book.format(QLatin1String(cell)).fontSize, 14.0);
        }
        QCOMPARE(book.text(QStringLiteral("A2")), QString());

        // Header row: every grid header, formatted up to the last formatted column.
        for (int c = 0; c < gridCols; ++c)
            QCOMPARE(book.text(ref(c, 4)), QStringLiteral("H%1").arg(c));
        for (int c = 0; c <= lastFormatted; ++c) {
            const auto f = book.format(ref(c, 4));
            QCOMPARE(f.fill, HeaderFill);
            QCOMPARE(f.fontColor, Blue);
            QCOMPARE(f.fontSize, 12.0);
            QCOMPARE(f.horizontal, QStringLiteral("center"));
            QCOMPARE(f.left, Thin);
            QCOMPARE(f.right, Thin);
            QCOMPARE(f.top, Thin);
            QCOMPARE(f.bottom, Thin);
        }

        // Data: white, size 12, vertical lines everywhere, one line above and one below.
        for (int g = 1; g < rows; ++g) {
            for (int c = 0; c < gridCols; ++c) {
                const QString at = ref(c, g + 4);
                QCOMPARE(book.text(at), QStringLiteral("r%1c%2").arg(g).arg(c));
                const auto f = book.format(at);
                QCOMPARE(f.fill, White);
                QCOMPARE(f.fontSize, 12.0);
                QCOMPARE(f.left, c <= lastFormatted ? Thin : QString());
                QCOMPARE(f.right, c <= lastFormatted ? Thin : QString());
                QCOMPARE(f.top, g == 1 && c <= lastFormatted ? Thin : QString());
                QCOMPARE(f.bottom, g == rows - 1 && c <= lastFormatted ? Thin : QString());
            }
            QCOMPARE(book.formats.value(book.rowStyles.value(g + 4, -1)).fontSize, 12.0);
        }
        QCOMPARE(book.formats.value(book.rowStyles.value(4, -1)).fontSize, 12.0);
        QVERIFY(!book.has(ref(0, rows + 4)));

        // Widths as the span settings leave them; the columns after keep the default.
        for (int c = 0; c < widths.size(); ++c)
            QCOMPARE(book.width(c + 1), storedWidth(widths[c]));
        QCOMPARE(book.width(static_cast<int>(widths.size()) + 1), -1.0);

        // Page set-up.
        QCOMPARE(book.pageSetup.value(QStringLiteral("orientation")), orientation);
        QCOMPARE(book.pageSetup.value(QStringLiteral("paperSize")), QStringLiteral("9"));
        const QString order = book.pageSetup.value(QStringLiteral("pageOrder"));
        QVERIFY(order.isEmpty() || order == u"downThenOver");
        QVERIFY(!book.pageSetup.contains(QStringLiteral("draft")) ||
                book.pageSetup.value(QStringLiteral("draft")) == u"0");
        QVERIFY(!book.pageSetup.contains(QStringLiteral("useFirstPageNumber")));
        const auto inches = [&book](const char *name) {
            return book.pageMargins.value(QLatin1String(name)).toDouble() * 72;
        };
        QCOMPARE(qRound(inches("left")), 20);
        QCOMPARE(qRound(inches("right")), 20);
        QCOMPARE(qRound(inches("top")), 70);
        QCOMPARE(qRound(inches("bottom")), 45);
        QCOMPARE(qRound(inches("header")), 20);
        QCOMPARE(qRound(inches("footer")), 20);
        QCOMPARE(book.oddHeader, QStringLiteral("&LPage &P From &N&R(Emp001)"));
        QCOMPARE(book.oddFooter, QStringLiteral("&LDevelop By Varnolt&R&D &T"));
    }

    void fifteenthColumnOutsideTheSpan()
    {
        const XlsxReadback book = exportAndRead(grid(15, 3), daysInDivisionLayout());
        QCOMPARE(book.text(QStringLiteral("O4")), QStringLiteral("H14"));
        const auto header = book.format(QStringLiteral("O4"));
        QCOMPARE(header.fill, QString());
        QCOMPARE(header.horizontal, QString());
        QCOMPARE(header.fontColor, QString());
        QCOMPARE(header.fontSize, 12.0);
        QCOMPARE(header.left + header.right + header.top + header.bottom, QString());
        for (const char *cell : {"O5", "O6"}) {
            const auto f = book.format(QLatin1String(cell));
            QCOMPARE(f.fill, White);
            QCOMPARE(f.fontSize, 12.0);
            QCOMPARE(f.left + f.right + f.top + f.bottom, QString());
        }
        QCOMPARE(book.format(QStringLiteral("N5")).right, Thin);
        QCOMPARE(book.width(15), -1.0);
        QVERIFY(!book.has(QStringLiteral("P4")));
    }

    void fewerColumnsThanTheSpan()
    {
        const XlsxReadback book = exportAndRead(grid(3, 3), movementDetailLayout());
        for (int c = 3; c <= 19; ++c) {
            QCOMPARE(book.text(ref(c, 4)), QString());
            QCOMPARE(book.format(ref(c, 4)).fill, HeaderFill);
            for (int r : {5, 6}) {
                const auto f = book.format(ref(c, r));
                QCOMPARE(f.fill, QString()); // never written: borders only
                QCOMPARE(f.left, Thin);
                QCOMPARE(f.right, Thin);
                QCOMPARE(f.top, r == 5 ? Thin : QString());
                QCOMPARE(f.bottom, r == 6 ? Thin : QString());
            }
        }
        QVERIFY(!book.has(QStringLiteral("U4")));
        QVERIFY(!book.has(QStringLiteral("U5")));
    }

    void onlyABlankDataRow()
    {
        // What a search that found nothing leaves: the header and one blank row.
        const ReportTable table{
            20, 2, [](int c, int r) { return r == 0 ? QStringLiteral("H%1").arg(c) : QString(); }};
        const XlsxReadback book = exportAndRead(table, movementDetailLayout());
        for (int c = 0; c < 20; ++c) {
            const QString at = ref(c, 5);
            QVERIFY(book.has(at));
            QCOMPARE(book.text(at), QString());
            const auto f = book.format(at);
            QCOMPARE(f.fill, White);
            QCOMPARE(f.left + f.right + f.top + f.bottom, Thin + Thin + Thin + Thin);
        }
        QVERIFY(!book.has(QStringLiteral("A6")));
        QVERIFY(!book.has(QStringLiteral("U5")));
    }

    void secondLine()
    {
        const XlsxReadback empty =
            exportAndRead(grid(34, 2), daysToPaymentLayout(docTypeLine(QString())));
        QCOMPARE(empty.text(QStringLiteral("A2")), QStringLiteral("ประเภทเอกสาร "));
        const XlsxReadback named = exportAndRead(
            grid(34, 2), daysToPaymentLayout(docTypeLine(QStringLiteral("01 ฎีกาเบิกจ่าย"))));
        QCOMPARE(named.text(QStringLiteral("A2")), QStringLiteral("ประเภทเอกสาร 01 ฎีกาเบิกจ่าย"));
        QCOMPARE(named.format(QStringLiteral("A2")).fontSize, 14.0);
    }

    void typedCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("stored"); // the text, or the number
        QTest::addColumn<QString>("numFormat");
        const int text = int(CellKind::Text), quoted = int(CellKind::QuotedText),
                  number = int(CellKind::Number), date = int(CellKind::Date),
                  blank = int(CellKind::Blank);
        QTest::newRow("empty") << "" << blank << ""
                               << "";
        QTest::newRow("apostrophe date") << "'05/10/2557" << quoted << "05/10/2557"
                                         << "";
        QTest::newRow("apostrophe alone") << "'" << quoted << ""
                                          << "";
        QTest::newRow("apostrophe number") << "'12" << quoted << "12"
                                           << "";
        QTest::newRow("whole") << "12" << number << "12"
                               << "";
        QTest::newRow("zero") << "0" << number << "0"
                              << "";
        QTest::newRow("negative") << "-3" << number << "-3"
                                  << "";
        QTest::newRow("decimals kept in view") << "1250.50" << number << "1250.5"
                                               << "0.00";
        QTest::newRow("below one") << "0.25" << number << "0.25"
                                   << "0.00";
        QTest::newRow("fifteen digits") << "123456789012345" << number << "123456789012345"
                                        << "";
        QTest::newRow("sixteen digits stay text")
            << "1234567890123456" << text << "1234567890123456"
            << "";
        QTest::newRow("leading zero code") << "01" << text << "01"
                                           << "";
        QTest::newRow("thousands separator") << "1,234" << text << "1,234"
                                             << "";
        QTest::newRow("plus sign") << "+5" << text << "+5"
                                   << "";
        QTest::newRow("minus zero") << "-0" << text << "-0"
                                    << "";
        QTest::newRow("blank around") << " 12" << text << " 12"
                                      << "";
        QTest::newRow("dot only") << "." << text << "."
                                  << "";
        QTest::newRow("Buddhist date") << "05/10/2557" << date << "41917"
                                       << "[$-1070000]dd/mm/yyyy;@";
        QTest::newRow("short Buddhist date") << "5/1/2557" << date << "41644"
                                             << "[$-1070000]d/m/yyyy;@";
        QTest::newRow("Gregorian date") << "5/1/2014" << date << "41644"
                                        << "d/m/yyyy;@";
        QTest::newRow("no such day") << "31/02/2557" << text << "31/02/2557"
                                     << "";
        QTest::newRow("date with time") << "05/10/2557 10:00:00" << text << "05/10/2557 10:00:00"
                                        << "";
        QTest::newRow("month-year") << "10/2557" << text << "10/2557"
                                    << "";
        QTest::newRow("untouched date box") << "  /  /    " << text << "  /  /    "
                                            << "";
        QTest::newRow("Thai") << "ข้อความ" << text << "ข้อความ"
                              << "";
    }
    void typedCells()
    {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, stored);
        QFETCH(QString, numFormat);
        const TypedCell cell = typeCellText(text);
        QCOMPARE(int(cell.kind), kind);
        if (cell.kind == CellKind::Number || cell.kind == CellKind::Date)
            QCOMPARE(cell.number, stored.toDouble());
        else
            QCOMPARE(cell.text, stored);
        QCOMPARE(cell.numFormat, numFormat);
    }

    void typedCellsInTheSheet()
    {
        const QStringList row{QStringLiteral("'05/10/2557"), QStringLiteral("1250.50"),
                              QStringLiteral("01"), QStringLiteral("05/10/2557"),
                              QStringLiteral("O'Brien")};
        const ReportTable table{
            5, 2, [&row](int c, int r) { return r == 0 ? QStringLiteral("H") : row[c]; }};
        const XlsxReadback book = exportAndRead(table, calendarOfYearLayout());
        const auto quoted = book.cells.value(QStringLiteral("A5"));
        QVERIFY(quoted.type == u"inlineStr" || quoted.type == u"s");
        QCOMPARE(quoted.value, QStringLiteral("05/10/2557"));
        QCOMPARE(book.format(QStringLiteral("A5")).numFormat, QStringLiteral("@"));
        QCOMPARE(book.cells.value(QStringLiteral("B5")).type, QString());
        QCOMPARE(book.text(QStringLiteral("B5")), QStringLiteral("1250.5"));
        QCOMPARE(book.format(QStringLiteral("B5")).numFormat, QStringLiteral("0.00"));
        QVERIFY(!book.cells.value(QStringLiteral("C5")).type.isEmpty());
        QCOMPARE(book.text(QStringLiteral("C5")), QStringLiteral("01"));
        QCOMPARE(book.text(QStringLiteral("D5")), QStringLiteral("41917"));
        QCOMPARE(book.format(QStringLiteral("D5")).numFormat,
                 QStringLiteral("[$-1070000]dd/mm/yyyy;@"));
        QCOMPARE(book.text(QStringLiteral("E5")), QStringLiteral("O'Brien"));
        // Typed cells keep the data styling.
        QCOMPARE(book.format(QStringLiteral("D5")).fill, White);
        QCOMPARE(book.format(QStringLiteral("A5")).left, Thin);
    }

    void columnLetters_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("letters");
        QTest::newRow("first") << 0 << "A";
        QTest::newRow("Z") << 25 << "Z";
        QTest::newRow("AA") << 26 << "AA";
        QTest::newRow("AH") << 33 << "AH";
        QTest::newRow("BA") << 52 << "BA";
        QTest::newRow("IV") << 255 << "IV";
        QTest::newRow("past IV") << 256 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void columnLetters()
    {
        QFETCH(int, col);
        QFETCH(QString, letters);
        QCOMPARE(columnLetter(col), letters);
    }

    void neverOverwrites()
    {
        QTemporaryDir dir;
        const QString first = exportReport(grid(6, 2), calendarOfYearLayout(), dir.path());
        QFile keep(first);
        const qint64 size = keep.size();
        QVERIFY(size > 0);
        const QString second = exportReport(grid(6, 3), calendarOfYearLayout(), dir.path());
        QVERIFY(first != second);
        QCOMPARE(QFile(first).size(), size);
        QVERIFY(QFileInfo(second).fileName().startsWith(QStringLiteral("รายงาน-")));
        QVERIFY(second.endsWith(QStringLiteral(".xlsx")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }

    void emptyGrid()
    {
        // No header row at all still gives the formatted top of the sheet.
        const XlsxReadback book = exportAndRead(ReportTable{}, calendarOfYearLayout());
        QCOMPARE(book.text(QStringLiteral("A1")), QStringLiteral("รายงานวันในแต่ละปี "));
        QCOMPARE(book.format(QStringLiteral("F4")).fill, HeaderFill);
        QVERIFY(!book.has(QStringLiteral("A5")));
    }

    void failures_data()
    {
        QTest::addColumn<ReportTable>("table");
        QTest::addColumn<bool>("folderUnderFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("too many columns")
            << grid(257, 3) << false
            << QStringLiteral("ตารางมีมากกว่า 256 คอลัมน์ ไม่สามารถออกรายงานทาง Excel ได้");
        QTest::newRow("folder under a file")
            << grid(6, 3) << true << QStringLiteral("ไม่สามารถสร้างโฟลเดอร์สำหรับเก็บรายงานได้: ");
        // Found only while writing: the half-written workbook must not be left behind.
        const ReportTable tooLong{
            6, 3, [](int c, int r) { return r == 2 && c == 1 ? QString(40000, u'x') : QString(); }};
        QTest::newRow("cell text over the sheet's limit")
            << tooLong << false << QStringLiteral("ไม่สามารถเขียนแฟ้มรายงานได้: ");
    }
    void failures()
    {
        QFETCH(ReportTable, table);
        QFETCH(bool, folderUnderFile);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString folder = dir.path();
        if (folderUnderFile) {
            QFile file(dir.filePath(QStringLiteral("plain")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            folder = file.fileName() + QStringLiteral("/reports");
        }
        try {
            exportReport(table, calendarOfYearLayout(), folder);
            QFAIL("no error raised");
        } catch (const Error &e) {
            QVERIFY2(e.message().startsWith(message), qPrintable(e.message()));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), folderUnderFile ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestReportExport)
#include "tst_report_export.moc"
