// Workbooks read in the reader process: the same cells as a read in this process, carried
// exactly; every way the reader can fail is a Thai message here, and this process goes on.

#include "FakeReaders.h"
#include "HostileSheets.h"
#include "XlsWriter.h"
#include "ZipWriter.h"
#include "spreadsheet/ReaderProcess.h"
#include "spreadsheet/SheetTransport.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>

using spreadsheet::openWorkbook;
using spreadsheet::openWorkbookIsolated;
using spreadsheet::ReaderLimits;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(VOSTREL_FIXTURES "/") + QLatin1String(name);
}

QString realReader()
{
    return QStringLiteral(VOSTREL_SHEET);
}

ReaderLimits limits(const QString &program = realReader(), int timeLimitMs = 30000)
{
    ReaderLimits l;
    l.program = program;
    l.timeLimitMs = timeLimitMs;
    l.outputLimit = 1 << 20;
    return l;
}

// The message the read gives; empty when it gives a sheet.
QString refusal(const std::function<void()> &read)
{
    try {
        read();
    } catch (const spreadsheet::Error &e) {
        return e.message();
    }
    return {};
}

// Texts a tab-separated or line-based transport would break, and what the reader recovers
// from behind a NUL; each followed by what the cell must read.
QList<std::pair<QString, QString>> awkwardTexts()
{
    const QChar nul(u'\0');
    QList<std::pair<QString, QString>> texts{
        {QStringLiteral("a\tb"), QStringLiteral("a\tb")},
        {QStringLiteral("\tleading and trailing\t"), QStringLiteral("\tleading and trailing\t")},
        {QStringLiteral("line\nbreak"), QStringLiteral("line\nbreak")},
        {QStringLiteral("windows\r\nline"), QStringLiteral("windows\r\nline")},
        {QStringLiteral("\n"), QStringLiteral("\n")},
        {QStringLiteral("say \"yes\", 'no'"), QStringLiteral("say \"yes\", 'no'")},
        {QStringLiteral("ก่อน") + nul + QStringLiteral("หลัง"), QStringLiteral("ก่อนหลัง")},
        {nul + QStringLiteral("\tx\n"), QStringLiteral("\tx\n")},
        {QStringLiteral("VSHT END! \\0"), QStringLiteral("VSHT END! \\0")},
    };
    for (const HostileText &h : hostileTexts()) {
        if (h.inFile)
            texts.append({h.text, QString(h.text).remove(nul)});
    }
    return texts;
}

void compareSheets(const spreadsheet::WorkbookReader &apart,
                   const spreadsheet::WorkbookReader &here)
{
    QCOMPARE(apart.rowCount(), here.rowCount());
    QCOMPARE(apart.columnCount(), here.columnCount());
    for (int r = 0; r <= here.rowCount() + 1; ++r) {
        for (int c = 0; c <= here.columnCount() + 1; ++c)
            QCOMPARE(apart.cellText(r, c), here.cellText(r, c));
    }
}

// A frame built field by field, to be bent in ways no reader writes.
struct RawFrame {
    quint32 magic = 0x56534854;
    quint16 version = 1;
    quint8 kind = spreadsheet::Frame::Sheet;
    qint32 rows = 3;
    qint32 cols = 2;
    QList<std::tuple<qint32, qint32, QString>> cells{
        {1, 1, QStringLiteral("a")}, {1, 2, QStringLiteral("b")}, {3, 1, QStringLiteral("c")}};
    QString message = QStringLiteral("ข้อความ");
    quint32 end = 0x454E4421;
    QByteArray after;

    QByteArray bytes() const
    {
        QByteArray b;
        QDataStream s(&b, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_6_0);
        s << magic << version << kind;
        if (kind == spreadsheet::Frame::Refusal) {
            s << message;
        } else {
            s << rows << cols;
            for (const auto &[r, c, text] : cells)
                s << r << c << text;
            s << qint32(0);
        }
        s << end;
        return b + after;
    }
};

} // namespace

class TestReaderProcess : public QObject {
    Q_OBJECT

private slots:
    // The reader, and the FIFO, links and odd files badFiles reads.
    void initTestCase()
    {
        QVERIFY2(QFile::exists(realReader()), VOSTREL_SHEET);
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath("fifo.xls")).constData(), 0600) == 0);
        QVERIFY(QFile::link(dir_.filePath("fifo.xls"), dir_.filePath("to-fifo.xls")));
        QVERIFY(QFile::link(dir_.filePath("gone.xls"), dir_.filePath("nowhere.xls")));
        QFile zip(dir_.filePath("book.xls"));
        QVERIFY(zip.open(QIODevice::WriteOnly));
        zip.write("PK\x03\x04 rest of a zip container");
        zip.close();
        QVERIFY(XlsWriter()
                    .text(1, 1, QStringLiteral("ab") + QChar(0xD83D))
                    .save(dir_.filePath("half.xls")));
    }

    // Every cell, and the used size, as the workbook library gives them in this process.
    void sameCellsAsInProcess_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"kvsis.xls", "stopdays.xls", "erp.xls", "kvsis.xlsx",
                                 "first-sheet-not-sheet1.xlsx", "inline-strings.xlsx"})
            QTest::newRow(name) << fixture(name);
    }
    void sameCellsAsInProcess()
    {
        QFETCH(QString, file);
        const auto apart = openWorkbookIsolated(file, limits());
        compareSheets(*apart, *openWorkbook(file));
        QVERIFY(apart->rowCount() > 0);
    }

    // Tabs, line breaks, quotes, Thai and texts recovered from behind a NUL arrive exactly,
    // from either kind of workbook.
    void awkwardTextsArriveExactly_data()
    {
        QTest::addColumn<bool>("xlsx");
        QTest::newRow("xls") << false;
        QTest::newRow("xlsx") << true;
    }
    void awkwardTextsArriveExactly()
    {
        QFETCH(bool, xlsx);
        const auto texts = awkwardTexts();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("awkward.xls"));
        if (xlsx) {
            QByteArray rows;
            for (int i = 0; i < texts.size(); ++i) {
                const QByteArray number = i == 1 ? "<c r=\"D2\"><v>-0.25</v></c>" : "";
                rows += "<row r=\"" + QByteArray::number(i + 1) + "\">" +
                        inlineTextCell(i + 1, 2, texts[i].first) + number + "</row>";
            }
            QVERIFY(ZipWriter().addAll(xlsxParts(rows)).save(path));
        } else {
            XlsWriter w;
            for (int i = 0; i < texts.size(); ++i)
                w.text(i + 1, 2, texts[i].first);
            w.number(2, 4, -0.25);
            QVERIFY(w.save(path));
        }

        const auto apart = openWorkbookIsolated(path, limits());
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(apart->cellText(i + 1, 2), texts[i].second);
        QCOMPARE(apart->cellText(2, 4), QStringLiteral("-0.25"));
        compareSheets(*apart, *openWorkbook(path));
    }

    void frameRoundTrip()
    {
        spreadsheet::SheetTexts sheet(4, 3);
        const auto texts = awkwardTexts();
        sheet.setCell(1, 1, QStringLiteral("first"));
        sheet.setCell(2, 3, QString(QChar(0xD83D))); // half a pair: carried as it is
        sheet.setCell(4, 2, texts.first().first);
        sheet.setCell(4, 3, texts.last().first);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(spreadsheet::writeSheet(buffer, sheet));
        const spreadsheet::Frame frame = spreadsheet::readFrame(buffer.data());
        QCOMPARE(frame.kind, spreadsheet::Frame::Sheet);
        compareSheets(*frame.sheet, sheet);

        QBuffer refused;
        refused.open(QIODevice::WriteOnly);
        const QString message = QStringLiteral("แฟ้ม\t\"ก'\"\n");
        QVERIFY(spreadsheet::writeRefusal(refused, message));
        const spreadsheet::Frame back = spreadsheet::readFrame(refused.data());
        QCOMPARE(back.kind, spreadsheet::Frame::Refusal);
        QCOMPARE(back.message, message);

        // Cut anywhere, neither is taken for a frame.
        for (const QByteArray &whole : {buffer.data(), refused.data()}) {
            for (qsizetype n = 0; n < whole.size(); ++n)
                QVERIFY2(spreadsheet::readFrame(whole.left(n)).kind == spreadsheet::Frame::Damaged,
                         qPrintable(QString::number(n)));
        }
    }

    // The first row is the bytes a reader writes; every other bends one field of them.
    void framesNoReaderWrites_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        const auto row = [](const char *name, const std::function<void(RawFrame &)> &bend,
                            int kind = spreadsheet::Frame::Damaged) {
            RawFrame f;
            bend(f);
            QTest::newRow(name) << f.bytes() << kind;
        };
        row(
            "as written", [](RawFrame &) {}, spreadsheet::Frame::Sheet);
        row(
            "refusal as written", [](RawFrame &f) { f.kind = 2; }, spreadsheet::Frame::Refusal);
        row(
            "no cells", [](RawFrame &f) { f.cells.clear(); }, spreadsheet::Frame::Sheet);
        row("other magic", [](RawFrame &f) { f.magic ^= 1; });
        row("other version", [](RawFrame &f) { f.version = 2; });
        row("unknown kind", [](RawFrame &f) { f.kind = 3; });
        row("damaged kind", [](RawFrame &f) { f.kind = 0; });
        row("negative rows", [](RawFrame &f) { f.rows = -1; });
        row("more rows than any sheet", [](RawFrame &f) { f.rows = (1 << 20) + 1; });
        row("more columns than any sheet", [](RawFrame &f) { f.cols = (1 << 14) + 1; });
        row("cell below the used size", [](RawFrame &f) { f.cells.append({4, 1, "x"}); });
        row("cell right of the used size", [](RawFrame &f) { f.cells.append({3, 3, "x"}); });
        row("cell in column 0", [](RawFrame &f) { f.cells.prepend({1, 0, "x"}); });
        row("negative row", [](RawFrame &f) { f.cells.prepend({-1, 1, "x"}); });
        row("cell twice", [](RawFrame &f) { f.cells.append({3, 1, "again"}); });
        row("cells out of order", [](RawFrame &f) { f.cells.swapItemsAt(0, 1); });
        row("empty cell sent", [](RawFrame &f) { std::get<2>(f.cells[1]) = QString(""); });
        row("null cell sent", [](RawFrame &f) { std::get<2>(f.cells[1]) = QString(); });
        row("empty refusal", [](RawFrame &f) {
            f.kind = 2;
            f.message = QString();
        });
        row("refusal of a whole page", [](RawFrame &f) {
            f.kind = 2;
            f.message = QString(5000, u'ก');
        });
        row("other end mark", [](RawFrame &f) { f.end = 0; });
        row("a byte after the end", [](RawFrame &f) { f.after = "\n"; });
        row("a second frame after it", [](RawFrame &f) { f.after = RawFrame().bytes(); });
        QTest::newRow("text") << QByteArray("No.\tDocNo\n1\tQDTX2556/00002\n")
                              << int(spreadsheet::Frame::Damaged);
        QTest::newRow("nothing") << QByteArray() << int(spreadsheet::Frame::Damaged);
        // A text length far past the bytes there are.
        QByteArray huge = RawFrame().bytes();
        huge.replace(huge.indexOf(QByteArray("\0\0\0\2\0a", 6)), 6,
                     QByteArray("\x7f\xff\xff\xfe\0a"));
        QTest::newRow("text longer than the frame") << huge << int(spreadsheet::Frame::Damaged);
    }
    void framesNoReaderWrites()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        const spreadsheet::Frame frame = spreadsheet::readFrame(bytes);
        QCOMPARE(int(frame.kind), kind);
        if (kind == spreadsheet::Frame::Sheet) {
            QCOMPARE(frame.sheet->rowCount(), 3);
            QCOMPARE(frame.sheet->columnCount(), 2);
        }
    }

    // Files that are not a workbook the reader knows are told apart, in this process and apart
    // alike. Those the program can tell without the workbook library are refused before any
    // reader starts (the reader given here does not exist), FIFOs and devices without waiting.
    void badFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("needsReader");
        const QString damaged = QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ");
        const QString notRegular =
            QStringLiteral("ชื่อนี้ไม่ใช่แฟ้มข้อมูลธรรมดา (เช่น ท่อส่งข้อมูลหรืออุปกรณ์) จึงอ่านไม่ได้: ");
        const QString missing = fixture("no-such-file.xls");
        QTest::newRow("missing") << missing << QStringLiteral("ไม่พบแฟ้ม ") + missing << false;
        QTest::newRow("no file chosen") << QString() << QStringLiteral("ไม่พบแฟ้ม ") << false;
        QTest::newRow("folder") << QStringLiteral(VOSTREL_FIXTURES)
                                << QStringLiteral("ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม: " VOSTREL_FIXTURES)
                                << false;
        QTest::newRow("FIFO") << dir_.filePath("fifo.xls") << notRegular + dir_.filePath("fifo.xls")
                              << false;
        QTest::newRow("link to a FIFO")
            << dir_.filePath("to-fifo.xls") << notRegular + dir_.filePath("to-fifo.xls") << false;
        QTest::newRow("device") << QStringLiteral("/dev/null")
                                << notRegular + QStringLiteral("/dev/null") << false;
        QTest::newRow("dangling link")
            << dir_.filePath("nowhere.xls")
            << QStringLiteral("ไม่พบแฟ้ม ") + dir_.filePath("nowhere.xls") << false;
        for (const char *name : {"not-a-workbook.xls", "empty.xls", "empty.xlsx"})
            QTest::newRow(name) << fixture(name) << damaged + fixture(name) << false;
        QTest::newRow("ods") << fixture("stopdays.ods")
                             << QStringLiteral("แฟ้มนี้เป็นแบบ OpenDocument (.ods) ซึ่งยังอ่านไม่ได้ "
                                               "กรุณาบันทึกเป็นแบบ Excel (.xlsx หรือ .xls): ") +
                                    fixture("stopdays.ods")
                             << false;
        // A zip is an .xlsx to the program; only the reader tells a broken one.
        QTest::newRow("broken zip")
            << dir_.filePath("book.xls") << damaged + dir_.filePath("book.xls") << true;
        for (const char *name : {"truncated.xlsx", "text-document.xlsx"})
            QTest::newRow(name) << fixture(name) << damaged + fixture(name) << true;
        QTest::newRow("saved with a password")
            << fixture("encrypted.xlsx") << spreadsheet::encryptedMessage(fixture("encrypted.xlsx"))
            << true;
        QTest::newRow("no worksheet")
            << fixture("no-sheet.xlsx") << spreadsheet::noSheetMessage(fixture("no-sheet.xlsx"))
            << true;
        QTest::newRow("truncated")
            << fixture("truncated.xls") << damaged + fixture("truncated.xls") << true;
        QTest::newRow("half a pair")
            << dir_.filePath("half.xls") << damaged + dir_.filePath("half.xls") << true;
    }
    void badFiles()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        QFETCH(bool, needsReader);
        const QString noReader = dir_.filePath(QStringLiteral("no-such-reader"));
        QCOMPARE(refusal([&] {
                     openWorkbookIsolated(path, limits(needsReader ? realReader() : noReader));
                 }),
                 message);
        QCOMPARE(refusal([&] { openWorkbook(path); }), message);
    }

    // A byte changed in a fixture crashes the workbook library; read apart, that is the
    // damaged-file message, and this process reads on.
    void parserCrashIsAMessage()
    {
        const QString damaged = fixture("damaged-one-byte.xls");
        QProcess direct;
        direct.start(realReader(), {damaged});
        QVERIFY(direct.waitForFinished());
        QCOMPARE(direct.exitStatus(), QProcess::CrashExit);

        QCOMPARE(refusal([&] { openWorkbookIsolated(damaged, limits()); }),
                 QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ") + damaged);
        QCOMPARE(openWorkbookIsolated(fixture("kvsis.xls"), limits())->cellText(2, 3),
                 QStringLiteral("QDTX2556/00002"));
    }

    // Readers that crash, hang, write too much or answer as no reader does.
    void faultyReaders_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("outcome");
        for (const ReaderFault &f : readerFaults())
            QTest::newRow(f.name) << f.script << int(f.outcome);
    }
    void faultyReaders()
    {
        QFETCH(QByteArray, script);
        QFETCH(int, outcome);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("reader"));
        QVERIFY(writeFakeReader(program, script, realReader()));
        const QString file = fixture("kvsis.xls");
        const QString expected[] = {
            QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ") + file,
            QStringLiteral(
                "อ่านแฟ้มไม่เสร็จภายใน 0.5 วินาที แฟ้มอาจเสียหายหรือไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx): ") +
                file,
            QStringLiteral("แฟ้มนี้มีข้อมูลมากเกินกว่าจะอ่านได้ หรือแฟ้มเสียหาย: ") + file,
        };
        // Only a hang waits out the limit; the others end long before it.
        const int limit = outcome == ReaderFault::TimeLimit ? 500 : 30000;
        QCOMPARE(refusal([&] { openWorkbookIsolated(file, limits(program, limit)); }),
                 expected[outcome]);
    }

    void readerThatCannotStart_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/vostrel-sheet");
        QTest::newRow("not executable") << QStringLiteral(VOSTREL_FIXTURES "/kvsis.tsv");
        QTest::newRow("none") << QString();
    }
    void readerThatCannotStart()
    {
        QFETCH(QString, program);
        const QString message =
            refusal([&] { openWorkbookIsolated(fixture("kvsis.xls"), limits(program)); });
        QVERIFY2(
            message.startsWith(QStringLiteral("ไม่สามารถเรียกโปรแกรมอ่านแฟ้ม Excel (vostrel-sheet)")),
            qPrintable(message));
        QVERIFY(message.endsWith(program));
    }

    // The reader used: the one named in the environment, else the one beside this program;
    // the time limit likewise.
    void readerSettings_data()
    {
        QTest::addColumn<QByteArray>("reader");
        QTest::addColumn<QByteArray>("limit");
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("limitMs");
        const QString beside = QCoreApplication::applicationDirPath() + "/vostrel-sheet";
        QTest::newRow("defaults") << QByteArray() << QByteArray() << beside << 30000;
        QTest::newRow("named") << QByteArray("/opt/r") << QByteArray("250") << "/opt/r" << 250;
        QTest::newRow("zero limit") << QByteArray() << QByteArray("0") << beside << 30000;
        QTest::newRow("negative limit") << QByteArray() << QByteArray("-5") << beside << 30000;
        QTest::newRow("limit not a number") << QByteArray() << QByteArray("1s") << beside << 30000;
    }
    void readerSettings()
    {
        QFETCH(QByteArray, reader);
        QFETCH(QByteArray, limit);
        QFETCH(QString, program);
        QFETCH(int, limitMs);
        const auto set = [](const char *name, const QByteArray &value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("VOSTREL_SHEET_READER", reader);
        set("VOSTREL_SHEET_TIME_LIMIT_MS", limit);
        const QString found = spreadsheet::readerProgram();
        const int foundMs = spreadsheet::readerTimeLimitMs();
        const ReaderLimits defaults;
        qunsetenv("VOSTREL_SHEET_READER");
        qunsetenv("VOSTREL_SHEET_TIME_LIMIT_MS");
        QCOMPARE(found, program);
        QCOMPARE(foundMs, limitMs);
        QCOMPARE(defaults.program, program);
        QCOMPARE(defaults.timeLimitMs, limitMs);
    }

    // The reader run by hand: a refusal is its exit status 3 with the message framed on
    // standard output; anything but one file is a usage error.
    void readerItself()
    {
        QProcess reader;
        reader.start(realReader(), {fixture("truncated.xls")});
        QVERIFY(reader.waitForFinished());
        QCOMPARE(reader.exitCode(), int(spreadsheet::ReaderRefused));
        const spreadsheet::Frame frame = spreadsheet::readFrame(reader.readAllStandardOutput());
        QCOMPARE(frame.kind, spreadsheet::Frame::Refusal);
        QCOMPARE(frame.message, refusal([] { openWorkbook(fixture("truncated.xls")); }));

        for (const QStringList &args : {QStringList(), QStringList{"a.xls", "b.xls"}}) {
            reader.start(realReader(), args);
            QVERIFY(reader.waitForFinished());
            QCOMPARE(reader.exitCode(), int(spreadsheet::ReaderUsage));
            QCOMPARE(reader.readAllStandardOutput(), QByteArray());
        }
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestReaderProcess)
#include "tst_reader_process.moc"
