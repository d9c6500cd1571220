// A report table as a PDF, read back as a reader would: pages, what each page carries, Thai text.

#include "PdfReadback.h"
#include "print/TablePdf.h"
#include "print/ThaiFace.h"
#include "util/Failure.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using print::TablePdf;
using print::TablePlan;

Q_DECLARE_METATYPE(TablePdf)

namespace {

const QString Date = QStringLiteral("05/10/2567");

// cols columns, rows rows; the first column a running number, the second a key "Knnnn".
TablePdf table(int cols, int rows, const QString &filler = QStringLiteral("ข้อมูล"))
{
    TablePdf doc;
    doc.title = QStringLiteral("รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง");
    doc.criteria = {QStringLiteral("ผู้รับผิดชอบ: 01 สมชาย"),
                    QStringLiteral("วันที่หนังสือเข้ากองคลัง: 01/10/2567 ถึงวันที่ 31/10/2567")};
    doc.printedDate = Date;
    doc.header << QStringLiteral("No");
    for (int c = 1; c < cols; ++c)
        doc.header << QStringLiteral("หัว%1").arg(c);
    for (int r = 0; r < rows; ++r) {
        QStringList row{QString::number(r + 1),
                        QStringLiteral("K%1").arg(r + 1, 4, 10, QChar(u'0'))};
        for (int c = 2; c < cols; ++c)
            row << filler + QString::number(c);
        doc.rows << row.mid(0, cols);
    }
    return doc;
}

TablePlan planOf(const TablePdf &doc)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    return print::planTable(doc, writer);
}

struct Written {
    PdfReadback pdf;
    QStringList pages; // the text of each page
};

Written write(const TablePdf &doc)
{
    static QTemporaryDir dir;
    static int n = 0;
    const QString file = dir.filePath(QStringLiteral("table%1.pdf").arg(++n));
    print::writeTablePdf(doc, file);
    Written w{readPdf(file), {}};
    w.pages = w.pdf.text.split(u'\f');
    if (!w.pages.isEmpty() && w.pages.constLast().trimmed().isEmpty())
        w.pages.removeLast();
    return w;
}

QString squeezed(const QString &text)
{
    QString out = text;
    out.remove(QRegularExpression(QStringLiteral("\\s")));
    return out;
}

} // namespace

class TestTablePdf : public QObject {
    Q_OBJECT

private slots:
    // Pages as planned, on A4 turned as planned; the header, the title, the date and the page's
    // number on every page, the criteria on the first alone.
    void pagesCarryTheirHeadings_data()
    {
        QTest::addColumn<TablePdf>("doc");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("split"); // over more than one band of columns
        QTest::newRow("narrow, many rows") << table(4, 250) << false << false;
        QTest::newRow("wide") << table(16, 120) << true << false;
        QTest::newRow("wider than landscape")
            << table(40, 60, QStringLiteral("ข้อความยาวพอสมควร")) << true << true;
        QTest::newRow("no rows") << table(5, 0) << false << false;
    }
    void pagesCarryTheirHeadings()
    {
        QFETCH(TablePdf, doc);
        QFETCH(bool, landscape);
        QFETCH(bool, split);
        const TablePlan plan = planOf(doc);
        QCOMPARE(plan.orientation == QPageLayout::Landscape, landscape);
        QCOMPARE(plan.bands.size() > 1, split);
        const Written w = write(doc);
        QVERIFY2(w.pdf.problem.isEmpty(), qPrintable(w.pdf.problem));
        QCOMPARE(w.pdf.pages, plan.pages.size());
        QCOMPARE(w.pages.size(), plan.pages.size());
        QVERIFY2(w.pdf.pageSize.endsWith(QLatin1String("(A4)")), qPrintable(w.pdf.pageSize));
        const QStringList size = w.pdf.pageSize.split(u' ');
        QCOMPARE(size.value(0).toDouble() > size.value(2).toDouble(), landscape);
        if (doc.rows.size() > 100)
            QVERIFY(plan.pages.size() >= 3);
        const int m = static_cast<int>(plan.pages.size());
        for (int i = 0; i < m; ++i) {
            const QString page = w.pages.at(i);
            const QString text = squeezed(page);
            QVERIFY2(text.contains(squeezed(doc.title)), qPrintable(page));
            QVERIFY2(page.contains(QStringLiteral("หน้า %1/%2").arg(i + 1).arg(m)),
                     qPrintable(page));
            QVERIFY(page.contains(QStringLiteral("พิมพ์วันที่ ") + Date));
            QCOMPARE(text.contains(squeezed(doc.criteria.at(0))), i == 0);
            for (int c : plan.bands.at(plan.pages.at(i).band).columns)
                QVERIFY2(text.contains(squeezed(doc.header.at(c))), qPrintable(doc.header.at(c)));
        }
    }

    // Every row's key once in each band, on the page the plan puts it, in order; a row whose
    // cell wraps keeps its lines together.
    void rowsStayWholeAndInOrder()
    {
        // Column 3 takes its texts' widest width, 60 mm, and next to nothing of the room left
        // over; its texts are some 80 mm long at the table's size, so each wraps onto two lines.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QFont face(print::interfaceThaiFace());
        face.setPointSizeF(9);
        const QFontMetricsF metrics(face, &writer);
        QString middle;
        while (metrics.horizontalAdvance(middle) < 80 * writer.logicalDpiX() / 25.4)
            middle += QStringLiteral("รายละเอียด ");
        TablePdf doc = table(6, 180);
        for (int r = 0; r < doc.rows.size(); ++r)
            doc.rows[r][3] = QStringLiteral("ต้น%1 %2ท้าย%1").arg(r + 1).arg(middle);
        doc.widths = {20, 40, 40, 0.01, 40, 40};
        const TablePlan plan = planOf(doc);
        const Written w = write(doc);
        QVERIFY2(w.pdf.problem.isEmpty(), qPrintable(w.pdf.problem));
        QCOMPARE(w.pages.size(), plan.pages.size());
        int next = 0;
        for (int i = 0; i < plan.pages.size(); ++i) {
            const TablePlan::Page &page = plan.pages.at(i);
            QCOMPARE(page.firstRow, next);
            next += page.rowCount;
            const QString text = squeezed(w.pages.at(i));
            qsizetype at = 0;
            for (int r = page.firstRow; r < page.firstRow + page.rowCount; ++r) {
                const QString key = doc.rows.at(r).at(1);
                at = text.indexOf(key, at);
                QVERIFY2(at >= 0, qPrintable(key));
                QVERIFY2(text.contains(QStringLiteral("ต้น%1").arg(r + 1)), qPrintable(key));
                QVERIFY2(text.contains(QStringLiteral("ท้าย%1").arg(r + 1)), qPrintable(key));
            }
            // Wrapped: the start and the end of the cell on lines of their own.
            const QString first = QStringLiteral("ต้น%1 ").arg(page.firstRow + 1);
            int lines = 0;
            for (const QString &line : w.pages.at(i).split(u'\n')) {
                if (!line.contains(first))
                    continue;
                ++lines;
                QVERIFY2(!line.contains(QStringLiteral("ท้าย")), qPrintable(line));
            }
            QCOMPARE(lines, 1);
        }
        QCOMPARE(next, doc.rows.size());
        QCOMPARE(occurrences(squeezed(w.pdf.text), QStringLiteral("K0180")), 1);
    }

    // Columns split over bands: each band repeats the two key columns, every other column is in
    // exactly one band, and each band prints every row.
    void bandsRepeatTheKeyColumns()
    {
        const TablePdf doc = table(40, 30, QStringLiteral("ข้อความยาวพอสมควร"));
        const TablePlan plan = planOf(doc);
        QVERIFY(plan.bands.size() > 1);
        QList<int> seen;
        for (const TablePlan::Band &band : plan.bands) {
            QCOMPARE(band.columns.mid(0, 2), (QList<int>{0, 1}));
            seen << band.columns.mid(2);
            qreal width = 0;
            for (qreal w : band.widths)
                width += w;
            QVERIFY(width <= 277.01);
        }
        // The bands are full but for the last.
        for (qsizetype b = 0; b + 1 < plan.bands.size(); ++b) {
            qreal width = 0;
            for (qreal w : plan.bands.at(b).widths)
                width += w;
            QVERIFY(width > 276.99);
        }
        QCOMPARE(seen.size(), 38);
        for (int c = 2; c < 40; ++c)
            QCOMPARE(seen.count(c), 1);
        const Written w = write(doc);
        QVERIFY2(occurrences(squeezed(w.pdf.text), QStringLiteral("K0030")) ==
                     int(plan.bands.size()),
                 qPrintable(w.pdf.text));
    }

    // Marks, sara am, letters drawn with other forms: all read back as typed.
    void thaiReadsBackAsTyped()
    {
        const QStringList texts{QStringLiteral("กำหนดส่งคืนเงินประกันสัญญา"), QStringLiteral("ผู้รับผิดชอบ"),
                                QStringLiteral("น้ำประปาที่ค้างจ่าย"),
                                QStringLiteral("ญี่ปุ่น ฐานข้อมูล ปั้นจั่น"),
                                QStringLiteral("เสร็จสิ้นดำเนินการ")};
        TablePdf doc = table(3, 0);
        doc.header = {QStringLiteral("No"), QStringLiteral("เรื่อง"), QStringLiteral("สถานะ")};
        for (int i = 0; i < texts.size(); ++i)
            doc.rows << QStringList{QString::number(i + 1), texts.at(i),
                                    QStringLiteral("ดำเนินการ")};
        const Written w = write(doc);
        QVERIFY2(w.pdf.problem.isEmpty(), qPrintable(w.pdf.problem));
        for (const QChar c : w.pdf.text) {
            QVERIFY2(c.unicode() < 0xE000 || c.unicode() > 0xF8FF, qPrintable(w.pdf.text));
            QVERIFY(c != QChar::ReplacementCharacter);
        }
        for (const QString &t : texts)
            QVERIFY2(w.pdf.text.contains(t), qPrintable(t + QStringLiteral(" in ") + w.pdf.text));
        QVERIFY(w.pdf.text.contains(doc.title));
        QVERIFY(w.pdf.text.contains(doc.criteria.at(1)));
    }

    // A cell far too long for its column wraps to three lines and ends with an ellipsis.
    void longCellsAreCutShort()
    {
        TablePdf doc = table(4, 3);
        QString longText;
        for (int i = 1; i <= 60; ++i)
            longText += QStringLiteral("คำที่%1 ").arg(i);
        doc.rows[1][2] = longText;
        const Written w = write(doc);
        QVERIFY2(w.pdf.problem.isEmpty(), qPrintable(w.pdf.problem));
        const QString text = squeezed(w.pdf.text);
        QVERIFY(text.contains(QStringLiteral("คำที่1คำที่2")));
        QVERIFY(text.contains(QChar(0x2026)));
        QVERIFY(!text.contains(QStringLiteral("คำที่60")));
        QCOMPARE(w.pdf.pages, 1);
    }

    void failureLeavesNoFile()
    {
        QTemporaryDir dir;
        const TablePdf doc = table(3, 5);
        const QString missing = dir.filePath(QStringLiteral("no/such/folder/t.pdf"));
        QVERIFY_THROWS_EXCEPTION(Failure, print::writeTablePdf(doc, missing));
        QVERIFY(!QFile::exists(missing));
        QVERIFY_THROWS_EXCEPTION(Failure, print::writeTablePdf(doc, dir.path()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        // A file there is replaced by the whole new one.
        const QString file = dir.filePath(QStringLiteral("t.pdf"));
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        print::writeTablePdf(doc, file);
        const PdfReadback pdf = readPdf(file);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(pdf.pages, 1);
    }
};

QTEST_MAIN(TestTablePdf)
#include "tst_table_pdf.moc"
