// .xlsx workbooks: the same cells as the .xls of the same sheet, the parts of a package found
// as its relationships say, and every damaged, encrypted or hostile package refused with its
// Thai message.

#include "ZipWriter.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/XlsxParts.h"
#include "spreadsheet/XlsxReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using spreadsheet::openWorkbook;

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(VOSTREL_FIXTURES "/") + name;
}

// The message a read gives; empty when it gives a sheet.
QString refusal(const std::function<void()> &read)
{
    try {
        read();
    } catch (const spreadsheet::Error &e) {
        return e.message();
    }
    return {};
}

QByteArray row(int r, const QByteArray &cells)
{
    return "<row r=\"" + QByteArray::number(r) + "\">" + cells + "</row>";
}

// A package of the small workbook with one part replaced (or added).
QByteArray withPart(const QString &name, const QByteArray &content,
                    const QByteArray &rows = row(1, "<c r=\"A1\"><v>1</v></c>"))
{
    QMap<QString, QByteArray> parts = xlsxParts(rows);
    parts[name] = content;
    return ZipWriter().addAll(parts).bytes();
}

enum Outcome { Damaged, TooLarge, Encrypted, NoSheet };

QString message(Outcome outcome, const QString &path)
{
    switch (outcome) {
    case Damaged:
        return spreadsheet::damagedMessage(path);
    case TooLarge:
        return spreadsheet::tooLargeMessage(path);
    case Encrypted:
        return spreadsheet::encryptedMessage(path);
    case NoSheet:
        return spreadsheet::noSheetMessage(path);
    }
    return {};
}

} // namespace

class TestXlsx : public QObject {
    Q_OBJECT

private slots:
    // Each workbook saved by the same spreadsheet program as .xls and as .xlsx: every cell
    // (and the cells around the used size) reads the same through both readers.
    void sameCellsAsXls_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"kvsis", "stopdays", "erp", "formats", "dates1904", "blank"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void sameCellsAsXls()
    {
        QFETCH(QString, name);
        const auto xls = openWorkbook(fixture(name + ".xls"));
        const auto xlsx = openWorkbook(fixture(name + ".xlsx"));
        QCOMPARE(xlsx->rowCount(), xls->rowCount());
        QCOMPARE(xlsx->columnCount(), xls->columnCount());
        for (int r = 0; r <= xls->rowCount() + 1; ++r) {
            for (int c = 0; c <= xls->columnCount() + 1; ++c) {
                const QByteArray at = QByteArray::number(r) + "," + QByteArray::number(c);
                QVERIFY2(xlsx->cellText(r, c) == xls->cellText(r, c), at.constData());
            }
        }
    }

    void cellText_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("expected");
        const auto add = [](const char *name, const char *file, int r, int c, const QString &t) {
            QTest::newRow(name) << QString::fromLatin1(file) << r << c << t;
        };
        const char *first = "first-sheet-not-sheet1.xlsx";
        add("first sheet: shared string", first, 1, 1, QStringLiteral("วันที่"));
        add("first sheet: rich text runs", first, 1, 2, QStringLiteral("เลขที่ เอกสาร"));
        add("first sheet: built-in date", first, 2, 1, QStringLiteral("2/1/2556"));
        add("first sheet: built-in date-time", first, 2, 2, QStringLiteral("2/1/2556 10:02:00"));
        add("first sheet: built-in time", first, 2, 3, QStringLiteral("9:05:07"));
        add("first sheet: number", first, 4, 1, QStringLiteral("2017"));
        add("first sheet: formula result", first, 4, 2, QStringLiteral("504.25"));
        add("first sheet: unit in quotes", first, 4, 4, QStringLiteral("-12.5"));
        add("first sheet: empty row", first, 3, 1, QString());

        const char *inl = "inline-strings.xlsx";
        add("inline", inl, 1, 1, QStringLiteral("ชื่อ"));
        add("inline: next cell", inl, 1, 2, QStringLiteral("ค่า"));
        add("inline: blanks kept", inl, 2, 1, QStringLiteral("  มีช่องว่าง  "));
        add("inline: runs", inl, 2, 2, QStringLiteral("ตัวหนา"));
        add("inline: escaped line break", inl, 3, 1, QStringLiteral("line\r\nbreak"));
        add("inline: escaped escape", inl, 3, 2, QStringLiteral("_x0041_ stays"));
        add("true", inl, 5, 2, QStringLiteral("1"));
        add("false", inl, 5, 3, QStringLiteral("0"));
        add("error value", inl, 5, 4, QString());
        add("text formula", inl, 5, 5, QStringLiteral("ab"));
        add("exponent", inl, 6, 1, QStringLiteral("0.0015"));
        add("blanks round a number", inl, 6, 2, QStringLiteral("42"));
        add("negative zero", inl, 6, 3, QStringLiteral("0"));
        add("markup characters", inl, 6, 4, QStringLiteral("<tag> & \"quotes\" 'x'"));
        add("empty inline text", inl, 7, 1, QString());
        add("after an empty cell", inl, 7, 5, QStringLiteral("last"));

        add("custom long date", "formats.xlsx", 2, 2, QStringLiteral("2/1/2556"));
        add("custom date-time", "formats.xlsx", 3, 2, QStringLiteral("2/1/2556 10:02:00"));
        add("month and year", "formats.xlsx", 4, 2, QStringLiteral("13/10/2559"));
        add("midnight", "formats.xlsx", 5, 2, QStringLiteral("5/1/2556"));
        add("rounded to the next day", "formats.xlsx", 6, 2, QStringLiteral("6/1/2556"));
        add("time", "formats.xlsx", 7, 2, QStringLiteral("9:05:07"));
        add("elapsed hours", "formats.xlsx", 8, 2, QStringLiteral("6:15:00"));
        add("percentage", "formats.xlsx", 11, 2, QStringLiteral("0.125"));
        add("days in quotes", "formats.xlsx", 13, 2, QStringLiteral("45"));
        add("1904: date-time", "dates1904.xlsx", 2, 1, QStringLiteral("2/1/2556 10:02:00"));
        add("1904: leap day", "dates1904.xlsx", 3, 1, QStringLiteral("29/2/2559"));
        add("1904: day 1", "dates1904.xlsx", 4, 1, QStringLiteral("2/1/2447"));
        add("1904: far date", "dates1904.xlsx", 5, 1, QStringLiteral("31/12/2642"));
    }
    void cellText()
    {
        QFETCH(QString, file);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, expected);
        QCOMPARE(openWorkbook(fixture(file))->cellText(row, col), expected);
    }

    void usedSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::newRow("past the stated dimension") << "first-sheet-not-sheet1.xlsx" << 4 << 4;
        QTest::newRow("empty cells at the end") << "inline-strings.xlsx" << 7 << 5;
        QTest::newRow("blank") << "blank.xlsx" << 0 << 0;
        QTest::newRow("kvsis") << "kvsis.xlsx" << 8 << 15;
    }
    void usedSize()
    {
        QFETCH(QString, file);
        QFETCH(int, rows);
        QFETCH(int, cols);
        const auto book = openWorkbook(fixture(file));
        QCOMPARE(book->rowCount(), rows);
        QCOMPARE(book->columnCount(), cols);
    }

    // The committed files that are no workbook to read, by their content whatever their name.
    void badFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("outcome");
        QTest::newRow("cut short") << "truncated.xlsx" << int(Damaged);
        QTest::newRow("no bytes") << "empty.xlsx" << int(Damaged);
        QTest::newRow("saved with a password") << "encrypted.xlsx" << int(Encrypted);
        QTest::newRow("no worksheet") << "no-sheet.xlsx" << int(NoSheet);
        QTest::newRow("a text document") << "text-document.xlsx" << int(Damaged);
    }
    void badFiles()
    {
        QFETCH(QString, file);
        QFETCH(int, outcome);
        const QString path = fixture(file);
        QCOMPARE(refusal([&] { openWorkbook(path); }), message(Outcome(outcome), path));
        // Named .xls, the same file is told by its content.
        QTemporaryDir dir;
        const QString renamed = dir.filePath(QStringLiteral("book.xls"));
        QVERIFY(QFile::copy(path, renamed));
        QCOMPARE(refusal([&] { openWorkbook(renamed); }), message(Outcome(outcome), renamed));
    }

    // Packages made to break a reader: each is refused with its message, nothing read in part.
    void hostilePackages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<qint64>("partLimit");
        const qint64 noLimit = spreadsheet::ZipLimits().partBytes;
        const auto add = [&](const char *name, const QByteArray &rows, Outcome o,
                             const QByteArray &sst = {}) {
            QTest::newRow(name) << ZipWriter().addAll(xlsxParts(rows, sst)).bytes() << int(o)
                                << noLimit;
        };
        add("row past the last", row(1048577, "<c><v>1</v></c>"), Damaged);
        add("row 0", row(0, "<c><v>1</v></c>"), Damaged);
        add("column past the last", row(1, "<c r=\"XFE1\"><v>1</v></c>"), Damaged);
        add("reference without a row", row(1, "<c r=\"B\"><v>1</v></c>"), Damaged);
        add("reference upside down", row(1, "<c r=\"1B\"><v>1</v></c>"), Damaged);
        add("cells past the last column",
            row(1, QByteArray("<c/>").repeated(16384) + "<c><v>1</v></c>"), Damaged);
        add("used area past the largest",
            row(1, "<c r=\"A1\"><v>1</v></c>") + row(1048576, "<c r=\"XFD1048576\"><v>1</v></c>"),
            TooLarge);
        add("string number past the table", row(1, "<c t=\"s\"><v>1</v></c>"), Damaged,
            "<si><t>only</t></si>");
        add("string number negative", row(1, "<c t=\"s\"><v>-1</v></c>"), Damaged,
            "<si><t>only</t></si>");
        add("string cell without strings", row(1, "<c t=\"s\"><v>0</v></c>"), Damaged);
        add("number that is none", row(1, "<c><v>12abc</v></c>"), Damaged);
        add("number past any", row(1, "<c><v>1e400</v></c>"), Damaged);
        add("unknown cell type", row(1, "<c t=\"x\"><v>1</v></c>"), Damaged);
        add("half a pair, escaped", row(1, "<c t=\"inlineStr\"><is><t>a_xD83D_</t></is></c>"),
            Damaged);
        add("half a pair in a string", row(1, "<c t=\"s\"><v>0</v></c>"), Damaged,
            "<si><t>_xDE00_b</t></si>");
        add("character the XML forbids", row(1, "<c t=\"inlineStr\"><is><t>&#1;</t></is></c>"),
            Damaged);
        add("element left open", row(1, "<c><v>1</v>"), Damaged);

        const QByteArray laughs =
            "<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
            "\"&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
            "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&c;</t></is></c></row>"
            "</sheetData></worksheet>";
        const auto part = [&](const char *name, const QString &partName, const QByteArray &content,
                              Outcome o) {
            QTest::newRow(name) << withPart(partName, content) << int(o) << noLimit;
        };
        part("entities declared", "xl/worksheets/sheet1.xml", laughs, Damaged);
        part("external entity", "xl/worksheets/sheet1.xml",
             "<!DOCTYPE w [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><worksheet>&x;</worksheet>",
             Damaged);
        part("another root", "xl/worksheets/sheet1.xml", "<chartsheet/>", Damaged);
        part("no element at all", "xl/worksheets/sheet1.xml", "<?xml version=\"1.0\"?>", Damaged);
        part("sheet part missing", "xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"r1\" Type=\"x/worksheet\" Target=\"nothere.xml\"/>"
             "</Relationships>",
             Damaged);
        part("sheet not related", "xl/_rels/workbook.xml.rels", "<Relationships/>", Damaged);
        part("target above the package", "xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"r1\" Type=\"x/worksheet\" "
             "Target=\"../../sheet1.xml\"/></Relationships>",
             Damaged);
        part("only a chart sheet", "xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"r1\" Type=\"x/chartsheet\" "
             "Target=\"worksheets/sheet1.xml\"/></Relationships>",
             NoSheet);
        part("binary workbook", "_rels/.rels",
             "<Relationships><Relationship Id=\"r1\" Type=\"x/officeDocument\" "
             "Target=\"xl/workbook.bin\"/></Relationships>",
             Damaged);

        // Sizes: a header that says the part is huge; parts that unpack past the limits.
        const QMap<QString, QByteArray> small = xlsxParts(row(1, "<c><v>1</v></c>"));
        ZipWriter claims;
        for (auto it = small.cbegin(); it != small.cend(); ++it)
            claims.add(it.key(), it.value(), true,
                       it.key().contains(QLatin1String("sheet1")) ? (qint64(1) << 31) : -1);
        QTest::newRow("header claims 2 GB") << claims.bytes() << int(TooLarge) << noLimit;
        const QByteArray blanks(3 << 20, ' ');
        const QByteArray bomb =
            ZipWriter().addAll(xlsxParts(row(1, "<c><v>1</v></c>" + blanks))).bytes();
        QVERIFY(bomb.size() < 20000);
        QTest::newRow("part unpacks past its limit") << bomb << int(TooLarge) << qint64(1 << 20);
        QTest::newRow("within a larger limit") << bomb << -1 << qint64(4 << 20);
        QTest::newRow("strings past the limit")
            << ZipWriter()
                   .addAll(
                       xlsxParts(row(1, "<c t=\"s\"><v>0</v></c>"), "<si><t>x</t></si>" + blanks))
                   .bytes()
            << int(TooLarge) << qint64(1 << 20);

        // The package itself: a checksum that does not match, an encrypted entry.
        QMap<QString, QByteArray> parts = xlsxParts(row(1, "<c><v>7</v></c>"));
        const QString sheetName = QStringLiteral("xl/worksheets/sheet1.xml");
        const QByteArray sheet = parts.take(sheetName);
        QByteArray stored = ZipWriter().addAll(parts).add(sheetName, sheet, false).bytes();
        stored.replace("<v>7</v>", "<v>8</v>");
        QTest::newRow("checksum") << stored << int(Damaged) << noLimit;
        ZipWriter locked;
        locked.addAll(xlsxParts(row(1, "<c><v>1</v></c>")));
        locked.encryptLast();
        QTest::newRow("encrypted entry") << locked.bytes() << int(Encrypted) << noLimit;
    }
    void hostilePackages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, outcome);
        QFETCH(qint64, partLimit);
        const QString path = QStringLiteral("/nowhere/book.xlsx");
        spreadsheet::ZipLimits limits;
        limits.partBytes = partLimit;
        const QString got = refusal([&] { spreadsheet::readXlsx(bytes, path, limits); });
        QCOMPARE(got, outcome < 0 ? QString() : message(Outcome(outcome), path));
    }

    // All parts together count too: each of these is within the part limit.
    void packageLimit()
    {
        const QByteArray blanks(600 << 10, ' ');
        const QByteArray bytes = ZipWriter()
                                     .addAll(xlsxParts(row(1, "<c t=\"s\"><v>0</v></c>" + blanks),
                                                       "<si><t>x</t></si>" + blanks))
                                     .bytes();
        spreadsheet::ZipLimits limits;
        limits.partBytes = 1 << 20;
        QCOMPARE(refusal([&] { spreadsheet::readXlsx(bytes, QString(), limits); }), QString());
        limits.packageBytes = 1 << 20;
        QCOMPARE(refusal([&] { spreadsheet::readXlsx(bytes, QStringLiteral("p"), limits); }),
                 spreadsheet::tooLargeMessage(QStringLiteral("p")));
    }

    // A package without its relationships still names its workbook where every writer puts it;
    // a style number past the styles is an ordinary number.
    void lenientReads()
    {
        QMap<QString, QByteArray> parts =
            xlsxParts(row(1, "<c s=\"1\"><v>41276</v></c><c s=\"9\"><v>41276</v></c>"), {},
                      "<numFmt numFmtId=\"200\" formatCode=\"dd/mm/yyyy\"/>",
                      "<xf numFmtId=\"0\"/><xf numFmtId=\"200\"/>");
        parts.remove(QStringLiteral("_rels/.rels"));
        const auto book = spreadsheet::readXlsx(ZipWriter().addAll(parts).bytes(), QString());
        QCOMPARE(book->cellText(1, 1), QStringLiteral("2/1/2556"));
        QCOMPARE(book->cellText(1, 2), QStringLiteral("41276"));
    }

    void storedText_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "ก ข" << true << "ก ข";
        QTest::newRow("carriage return") << "a_x000D_b" << true << "a\rb";
        QTest::newRow("upper and lower hex") << "_x0e01__x0E01_" << true << "กก";
        QTest::newRow("escaped underscore") << "_x005F_x0041_" << true << "_x0041_";
        QTest::newRow("NUL dropped") << "a_x0000_b" << true << "ab";
        QTest::newRow("not hex") << "_x00zz_" << true << "_x00zz_";
        QTest::newRow("too short") << "_x41_" << true << "_x41_";
        QTest::newRow("cut at the end") << "ab_x004" << true << "ab_x004";
        QTest::newRow("pair") << "_xD83D__xDE00_" << true << QStringLiteral("😀");
        QTest::newRow("high half") << "_xD83D_" << false << QString();
        QTest::newRow("low half") << "_xDE00_x" << false << QString();
        QTest::newRow("halves swapped") << "_xDE00__xD83D_" << false << QString();
    }
    void storedText()
    {
        QFETCH(QString, raw);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        QString out;
        QCOMPARE(spreadsheet::storedText(raw, out), ok);
        if (ok)
            QCOMPARE(out, expected);
    }
};

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
