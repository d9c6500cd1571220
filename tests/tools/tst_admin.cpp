// The administration tool: the library on both back ends, and the command itself.

#include "FakeReaders.h"
#include "HostileSheets.h"
#include "TestCatalog.h"
#include "ToolRun.h"
#include "admin/Admin.h"
#include "core/ImportRows.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "spreadsheet/Workbook.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <tuple>

using db::Statement;

namespace {

int count(db::Connection &c, const QString &from, const QString &where = QString())
{
    Statement s{QStringLiteral("SELECT * FROM ") + from};
    if (!where.isEmpty())
        s << QStringLiteral("Where ") + where;
    db::Rows r = c.select(s);
    int n = 0;
    while (r.next())
        ++n;
    return n;
}

} // namespace

class TestAdmin : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath(QStringLiteral("fifo.xls"))).constData(),
                         0600) == 0);
    }

    void initMakesAWorkingCatalog_data() { TestCatalog::addBackendRows(); }
    void initMakesAWorkingCatalog()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend, false);
        db::Connection &c = catalog.connection();
        admin::initCatalog(c, {QStringLiteral("root"), QStringLiteral("pw"), 9});
        QCOMPARE(count(c, QStringLiteral("TR_User"), QStringLiteral("UserName='ROOT'")), 1);
        QCOMPARE(count(c, QStringLiteral("TR_Version")), 1);
        // A second init touches nothing.
        QVERIFY_THROWS_EXCEPTION(
            db::Error, admin::initCatalog(c, {QStringLiteral("other"), QStringLiteral("pw"), 9}));
        QCOMPARE(count(c, QStringLiteral("TR_User")), 1);
    }

    void badFirstUserLeavesNoTables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("empty name") << QString() << QStringLiteral("pw");
        QTest::newRow("empty password") << QStringLiteral("u") << QString();
        QTest::newRow("password too long") << QStringLiteral("u") << QStringLiteral("12345678901");
    }
    void badFirstUserLeavesNoTables()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        TestCatalog catalog(QStringLiteral("sqlite"), false);
        QVERIFY_THROWS_EXCEPTION(db::Error,
                                 admin::initCatalog(catalog.connection(), {name, password, 5}));
        QVERIFY(!schema::hasTables(catalog.connection()));
    }

    void addUserRefusesAnExistingName_data() { TestCatalog::addBackendRows(); }
    void addUserRefusesAnExistingName()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        admin::addUser(c, {QStringLiteral("O'Neil"), QStringLiteral("a'b"), 5});
        QVERIFY_THROWS_EXCEPTION(
            db::Error, admin::addUser(c, {QStringLiteral("o'neil"), QStringLiteral("x"), 9}));
        db::Rows r = c.select(Statement{QStringLiteral("Select * From TR_User")});
        QVERIFY(r.next());
        QCOMPARE(r.text(QStringLiteral("UserName")), QStringLiteral("O'Neil"));
        QCOMPARE(r.text(QStringLiteral("Password")), QStringLiteral("a'b"));
        QCOMPARE(r.integer(QStringLiteral("U_Level")), 5);
        QVERIFY(!r.next());
    }

    // The demo catalog has something for every screen to find.
    void demoHoldsEveryStage_data() { TestCatalog::addBackendRows(); }
    void demoHoldsEveryStage()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend, false);
        db::Connection &c = catalog.connection();
        const admin::DemoSummary demo = admin::loadDemo(c);

        QList<int> levels;
        for (const admin::User &u : demo.users)
            levels << u.level;
        QCOMPARE(levels, (QList<int>{4, 5, 7, 9}));
        QCOMPARE(count(c, QStringLiteral("TR_User")), 4);
        QVERIFY(count(c, QStringLiteral("TR_PerSon"), QStringLiteral("Per_status ='A'")) >= 3);
        QVERIFY(count(c, QStringLiteral("TR_DocType")) >= 3);
        QVERIFY(count(c, QStringLiteral("TR_Hard_StopDay"), QStringLiteral("D_DDMM = '13/04'")) ==
                1);

        // Three years of calendar around the server's date, fixed holidays marked.
        QCOMPARE(count(c, QStringLiteral("TR_Day_Calendar")), demo.calendarDays);
        QVERIFY(demo.calendarDays >= 365 * 3);
        QVERIFY(count(c, QStringLiteral("TR_Day_Calendar"),
                      QStringLiteral("SUBSTRING(Thai_Day,1,5) = '13/04' And Day_Status = 'S'")) ==
                3);

        const QString main = QStringLiteral("Main_Deega_Control");
        const QString voucher = QStringLiteral("(Doc_PK like 'QDTX%') And ");
        // Each stage both still to do and already done.
        for (const char *stage : {"Per_Code", "Deega_No", "Date_Nud_Rec_Cheq", "SAP_Doc_No"}) {
            const QString s = QLatin1String(stage);
            QVERIFY2(count(c, main, voucher + QStringLiteral("((%1='') Or (%1 Is null))").arg(s)) >
                         0,
                     stage);
            QVERIFY2(count(c, main, voucher + QStringLiteral("(%1<>'')").arg(s)) > 0, stage);
        }
        for (const char *status : {"2", "3", "4"})
            QVERIFY(count(c, main,
                          voucher +
                              QStringLiteral("(DocStatus = '%1')").arg(QLatin1String(status))) > 0);
        // A document keyed in before any import has no document data yet.
        QVERIFY(count(c, main, voucher + QStringLiteral("(Topic Is null)")) > 0);
        // Finished documents carry the day keys the reports count with.
        db::Rows finished =
            c.select(Statement{QStringLiteral("SELECT * FROM Main_Deega_Control"),
                               QStringLiteral("Where DocStatus = '4' And Doc_PK like 'QDTX%'")});
        while (finished.next()) {
            QCOMPARE(finished.text(QStringLiteral("Doc_Stat")), QStringLiteral("เสร็จสิ้นดำเนินการ"));
            QCOMPARE(finished.text(QStringLiteral("Modified_Date_YYYYMMDD")).size(), 8);
        }
        // Guarantee documents with their yearly counter, waiting and finished.
        const QString guarantee = QStringLiteral("(SUBSTRING(Doc_PK,5,1) = 'ส') And ");
        QVERIFY(count(c, main, guarantee + QStringLiteral("(DocStatus ='3')")) > 0);
        QVERIFY(count(c, main, guarantee + QStringLiteral("(DocStatus ='4')")) > 0);
        db::Rows runno = c.select(Statement{QStringLiteral("SELECT * FROM TR_Deega_Runno")});
        QVERIFY(runno.next());
        QCOMPARE(runno.integer(QStringLiteral("Runno")), demo.guarantees);
        // ERP rows joined to their documents, one of them not yet cleared.
        QCOMPARE(count(c, QStringLiteral("M_Imp_ERP")), demo.erpRows);
        QVERIFY(count(c, QStringLiteral("M_Imp_ERP"), QStringLiteral("Clearing_Doc = ''")) > 0);
        QCOMPARE(count(c,
                       QStringLiteral(
                           "Main_Deega_Control LEFT JOIN M_Imp_ERP ON "
                           "(Main_Deega_Control.SAP_Doc_No = M_Imp_ERP.FI_Doc_No) "
                           "AND (Main_Deega_Control.SAP_Fiscal_Year = M_Imp_ERP.Fiscal_Year)"),
                       QStringLiteral("(M_Imp_ERP.Clearing_Doc<>'')")),
                 demo.erpRows - 1);
    }

    // A demo document at a stage has been through every stage before it, and some documents wait
    // at each stage: no column of a later stage is filled while an earlier one is empty.
    void demoStagesFollowEachOther_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("later");
        const char *const order[] = {"DocNoDate", "Per_Code", "Deega_No", "Date_Nud_Rec_Cheq",
                                     "SAP_Doc_No"};
        for (std::size_t i = 1; i < std::size(order); ++i)
            QTest::addRow("%s then %s", order[i - 1], order[i])
                << QString::fromLatin1(order[i - 1]) << QString::fromLatin1(order[i]);
    }
    void demoStagesFollowEachOther()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, later);
        TestCatalog catalog(QStringLiteral("sqlite"), false);
        db::Connection &c = catalog.connection();
        admin::loadDemo(c);
        const QString main = QStringLiteral("Main_Deega_Control");
        const QString filled = QStringLiteral("(%1<>'')");
        const QString empty = QStringLiteral("((%1='') Or (%1 Is null))");
        // Documents keyed in on paper have an officer but nothing imported yet.
        const QString voucher =
            QStringLiteral("(Doc_PK like 'QDTX%') And (Topic Is not null) And ");
        QCOMPARE(count(c, main,
                       voucher + filled.arg(later) + QStringLiteral(" And ") + empty.arg(earlier)),
                 0);
        QVERIFY(count(c, main,
                      voucher + filled.arg(earlier) + QStringLiteral(" And ") + empty.arg(later)) >
                0);
    }

    // The tool imports a workbook with the same read and save as the import screens.
    void importMatchesTheScreensSave_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("order");
        QTest::newRow("kvsis") << QStringLiteral("kvsis") << int(ImportKind::Kvsis)
                               << QStringLiteral("kvsis.xls")
                               << QStringLiteral("Main_Deega_Control") << QStringLiteral("Doc_PK");
        QTest::newRow("erp") << QStringLiteral("erp") << int(ImportKind::Erp)
                             << QStringLiteral("erp.xls") << QStringLiteral("M_Imp_ERP")
                             << QStringLiteral("FI_Doc_No");
    }
    void importMatchesTheScreensSave()
    {
        QFETCH(QString, word);
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QString, order);
        const QString path = QStringLiteral(VOSTREL_FIXTURES "/") + file;
        TestCatalog byTool(QStringLiteral("sqlite"));
        TestCatalog byScreen(QStringLiteral("sqlite"));

        Run r = runTool(
            {QStringLiteral("import"), word, path, QStringLiteral("--catalog"), byTool.url()});
        QCOMPARE(r.exitCode, 0);
        const auto sheet = spreadsheet::openWorkbook(path);
        const ImportPreview preview = readPreview(ImportKind(kind), *sheet);
        ImportResult result;
        savePreview(ImportKind(kind), byScreen.connection(), preview.rows, result);
        QCOMPARE(r.out.trimmed(), QStringLiteral("inserted %1 updated %2 not_found %3 skipped %4 refused 0")
                                      .arg(result.inserted)
                                      .arg(result.updated)
                                      .arg(result.notFound)
                                      .arg(result.skipped));
        auto dump = [&](db::Connection &c) {
            QStringList out;
            db::Rows rows = c.select(Statement{QStringLiteral("SELECT * FROM ") + table,
                                               QStringLiteral("ORDER BY ") + order});
            while (rows.next()) {
                QStringList cells;
                for (int i = 0; i < rows.columnCount(); ++i)
                    cells << rows.value(i).toString();
                out << cells.join(QLatin1Char('|'));
            }
            return out;
        };
        const QStringList expected = dump(byScreen.connection());
        QVERIFY(!expected.isEmpty());
        QCOMPARE(dump(byTool.connection()), expected);

        r = runTool({QStringLiteral("preview"), word, path});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), preview.rows.size() + 1);
        QVERIFY(lines.first().startsWith(QStringLiteral("No. \t")));
        QCOMPARE(lines.at(1), preview.rows.first().join(QLatin1Char('\t')));

        r = runTool({QStringLiteral("import"), word,
                     QStringLiteral(VOSTREL_FIXTURES "/truncated.xls"), QStringLiteral("--catalog"),
                     byTool.url()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.err.isEmpty());
    }

    // Another import's workbook: one Thai message naming the workbook expected, exit status 2,
    // nothing printed and nothing written, by import and by preview alike.
    void wrongWorkbookIsRefused_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        const QList<std::tuple<const char *, const char *, const char *>> imports{
            {"kvsis", "kvsis.xls", "KVSIS"},
            {"stopdays", "stopdays.xls", "แฟ้มวันหยุดชดเชย"},
            {"erp", "erp.xls", "KVERP"}};
        for (const auto &[word, own, expected] : imports) {
            for (const auto &[_, file, unused] : imports) {
                if (file != own)
                    QTest::addRow("%s, %s", word, file)
                        << QString::fromLatin1(word) << QString::fromLatin1(file)
                        << QString::fromUtf8(expected);
            }
        }
    }
    void wrongWorkbookIsRefused()
    {
        QFETCH(QString, word);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        const QString path = QStringLiteral(VOSTREL_FIXTURES "/") + file;
        TestCatalog catalog(QStringLiteral("sqlite"));
        for (const QString &command : {QStringLiteral("import"), QStringLiteral("preview")}) {
            QStringList args{command, word, path};
            if (command == QLatin1String("import"))
                args << QStringLiteral("--catalog") << catalog.url();
            const Run r = runTool(args);
            QCOMPARE(r.exitCode, 2);
            QCOMPARE(r.out, QString());
            QVERIFY2(r.err.contains(expected), qPrintable(r.err));
        }
        db::Connection &c = catalog.connection();
        QCOMPARE(count(c, QStringLiteral("Main_Deega_Control")) +
                     count(c, QStringLiteral("M_Imp_ERP")),
                 0);
    }

    // Hostile workbooks through the command: every value arrives as its nearest valid text,
    // nothing else moves; a workbook with half a character in a cell is refused whole.
    void hostileWorkbook_data() { addHostileDataRows(); }
    void hostileWorkbook()
    {
        QFETCH(QString, backend);
        QFETCH(int, kind);
        REQUIRE_BACKEND(backend);
        const auto k = ImportKind(kind);
        const QString word = k == ImportKind::Kvsis      ? QStringLiteral("kvsis")
                             : k == ImportKind::StopDays ? QStringLiteral("stopdays")
                                                         : QStringLiteral("erp");
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        prepareHostileCatalog(c);
        const HostileSheet hostile = hostileSheet(k, true);
        QTemporaryDir dir;
        const int stored = hostile.rows - hostile.notFound;
        // The .xls first inserts; every later read of the same sheet, .xlsx too, updates.
        for (const QString &name : QStringList{"hostile.xls", "hostile.xlsx"}) {
            const QString path = dir.filePath(name);
            QVERIFY(saveHostileWorkbook(hostile, path));
            for (const bool again : {false, true}) {
                const bool inserts = !again && !name.endsWith(u"xlsx") && k != ImportKind::StopDays;
                const Run r = runTool({QStringLiteral("import"), word, path,
                                       QStringLiteral("--catalog"), catalog.url()});
                QCOMPARE(r.err, QString());
                QCOMPARE(r.exitCode, 0);
                QCOMPARE(r.out.trimmed(),
                         QStringLiteral("inserted %1 updated %2 not_found %3 skipped 0 refused 0")
                             .arg(inserts ? stored : 0)
                             .arg(inserts ? 0 : stored)
                             .arg(hostile.notFound));
                QCOMPARE(hostileDifferences(c, k, hostile), QStringList());
            }

            HostileSheet half;
            half.cells[{1, 3}] = QStringLiteral("x") + QChar(0xD83D);
            QVERIFY(saveHostileWorkbook(half, path));
            const Run r = runTool(
                {QStringLiteral("import"), word, path, QStringLiteral("--catalog"), catalog.url()});
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(QStringLiteral("เสียหาย")), qPrintable(r.err));
            QCOMPARE(hostileDifferences(c, k, hostile), QStringList());
        }
    }

    // A workbook the reader cannot read, because the workbook library crashes or hangs on it or
    // because it is no workbook at all: the tool gives the one Thai message (the reader found
    // beside the tool, or the one the environment names), prints nothing and writes nothing.
    void unreadableWorkbookWritesNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("fakeReader");
        QTest::addColumn<QString>("message");
        const QString damaged = QStringLiteral(VOSTREL_FIXTURES "/damaged-one-byte.xls");
        const QString kvsis = QStringLiteral(VOSTREL_FIXTURES "/kvsis.xls");
        const QString ods = QStringLiteral(VOSTREL_FIXTURES "/stopdays.ods");
        const QString fifo = dir_.filePath(QStringLiteral("fifo.xls"));
        for (const char *command : {"import", "preview"}) {
            const auto row = [command](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", command, name) << QString::fromLatin1(command);
            };
            row("parser crash") << damaged << QByteArray()
                                << QStringLiteral(
                                       "แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ") +
                                       damaged;
            row("parser hang") << kvsis << QByteArray("exec sleep 60")
                               << QStringLiteral(
                                      "อ่านแฟ้มไม่เสร็จภายใน 0.5 วินาที "
                                      "แฟ้มอาจเสียหายหรือไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx): ") +
                                      kvsis;
            row("FIFO") << fifo << QByteArray("exec sleep 60")
                        << QStringLiteral("ชื่อนี้ไม่ใช่แฟ้มข้อมูลธรรมดา (เช่น ท่อส่งข้อมูลหรืออุปกรณ์) "
                                          "จึงอ่านไม่ได้: ") +
                               fifo;
            const QString cut = QStringLiteral(VOSTREL_FIXTURES "/truncated.xlsx");
            row("xlsx cut short") << cut << QByteArray()
                                  << QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) "
                                                    "หรือแฟ้มเสียหาย: ") +
                                         cut;
            const QString locked = QStringLiteral(VOSTREL_FIXTURES "/encrypted.xlsx");
            row("xlsx with a password")
                << locked << QByteArray()
                << QStringLiteral("แฟ้มนี้ถูกเข้ารหัสด้วยรหัสผ่าน จึงอ่านไม่ได้ กรุณาเปิดแฟ้มด้วยโปรแกรม Excel "
                                  "ยกเลิกรหัสผ่าน แล้วบันทึกใหม่: ") +
                       locked;
            row("ods") << ods << QByteArray()
                       << QStringLiteral("แฟ้มนี้เป็นแบบ OpenDocument (.ods) ซึ่งยังอ่านไม่ได้ "
                                         "กรุณาบันทึกเป็นแบบ Excel (.xlsx หรือ .xls): ") +
                              ods;
        }
    }
    void unreadableWorkbookWritesNothing()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, fakeReader);
        QFETCH(QString, message);
        TestCatalog catalog(QStringLiteral("sqlite"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QTemporaryDir dir;
        if (!fakeReader.isEmpty()) {
            const QString reader = dir.filePath(QStringLiteral("reader"));
            QVERIFY(writeFakeReader(reader, fakeReader));
            env.insert(QStringLiteral("VOSTREL_SHEET_READER"), reader);
            env.insert(QStringLiteral("VOSTREL_SHEET_TIME_LIMIT_MS"), QStringLiteral("500"));
        }
        const auto catalogBytes = [&] {
            QFile f(catalog.location().path);
            return f.open(QIODevice::ReadOnly)
                       ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                       : QByteArray();
        };
        const QByteArray before = catalogBytes();
        QVERIFY(!before.isEmpty());

        const Run r = runTool(
            {command, QStringLiteral("kvsis"), file, QStringLiteral("--catalog"), catalog.url()},
            env);
        QCOMPARE(r.err, message + u'\n');
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(catalogBytes(), before);
        QCOMPARE(count(catalog.connection(), QStringLiteral("Main_Deega_Control")), 0);
    }

    // How the tool reads its words: each refusal names its reason first, then the usage text
    // follows (exit 2); none of them opens, let alone makes, the catalog.
    void commandWords_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("firstLine");
        const char *const usage = "ใช้งาน:";
        const char *const importForm = "ใช้: vostrel-admin import kvsis|stopdays|erp FILE";
        const char *const previewForm = "ใช้: vostrel-admin preview kvsis|stopdays|erp FILE";
        const char *const reportForm =
            "ใช้: vostrel-admin report NAME [เงื่อนไข] [--xlsx FILE] [--pdf FILE]";
        const char *const needUser = "ต้องระบุ --user, --password และ --level";
        struct Case {
            const char *name, *words;
            int exitCode;
            const char *firstLine;
        };
        const Case cases[] = {
            {"no words", "", 2, usage},
            {"help", "--help", 2, usage},
            {"unknown option", "--bogus", 2, "Unknown option 'bogus'."},
            {"unknown word", "frobnicate", 2, "ไม่รู้จักคำสั่ง: frobnicate"},
            {"first word of two", "user", 2, "ไม่รู้จักคำสั่ง: user"},
            {"wrong second word", "user del", 2, "ไม่รู้จักคำสั่ง: user del"},
            {"word too many", "user add extra", 2, "ไม่รู้จักคำสั่ง: user add extra"},
            {"init with operand", "init extra", 2, "ไม่รู้จักคำสั่ง: init extra"},
            {"demo with operand", "demo extra", 2, "ไม่รู้จักคำสั่ง: demo extra"},
            {"calendar alone", "calendar", 2, "ไม่รู้จักคำสั่ง: calendar"},
            {"holidays too many", "holidays mark x", 2, "ไม่รู้จักคำสั่ง: holidays mark x"},
            {"count one date", "count 1/1/2555", 2, "ไม่รู้จักคำสั่ง: count 1/1/2555"},
            {"count three", "count 1/1/2555 2/1/2555 x", 2, "ไม่รู้จักคำสั่ง: count 1/1/2555 2/1/2555 x"},
            {"import alone", "import", 2, importForm},
            {"import no file", "import kvsis", 2, importForm},
            {"import unknown kind", "import csv x.xls", 2, importForm},
            {"import two files", "import erp a.xls b.xls", 2, importForm},
            {"preview alone", "preview", 2, previewForm},
            {"preview unknown kind", "preview csv x.xls", 2, previewForm},
            {"preview two files", "preview erp a.xls b.xls", 2, previewForm},
            {"report alone", "report", 2, reportForm},
            {"guarantee alone", "guarantee", 2, "ไม่รู้จักคำสั่ง: guarantee"},
            {"receive two keys", "guarantee receive a b", 2,
             "ใช้: vostrel-admin guarantee receive KEY --date DD/MM/YYYY"},
            {"init without user", "init", 2, needUser},
            {"user add without level", "user add --user u --password p", 2, needUser},
            {"level not a number", "init --user u --password p --level x", 2,
             "ระดับผู้ใช้ (--level) ต้องเป็นจำนวนเต็ม"},
            {"calendar without to", "calendar generate --from 2555", 2,
             "ต้องระบุ --from และ --to เป็นปี พ.ศ. (ตัวเลข)"},
            // A catalog that cannot be named refuses every command but the preview.
            {"bad catalog", "init --user u --password p --level 5 --catalog nonsense", 1,
             "ที่อยู่ฐานข้อมูลไม่ถูกต้อง: \"nonsense\" "
             "(ใช้ sqlite:PATH หรือ postgresql://USER@HOST[:PORT]/DB)"},
            {"preview needs no catalog", "preview kvsis FILE --catalog nonsense", 0, ""},
        };
        for (const Case &c : cases) {
            QStringList words =
                QString::fromUtf8(c.words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            words.replaceInStrings(QStringLiteral("FILE"),
                                   QStringLiteral(VOSTREL_FIXTURES "/kvsis.xls"));
            QTest::newRow(c.name) << words << c.exitCode << QString::fromUtf8(c.firstLine);
        }
    }
    void commandWords()
    {
        QFETCH(QStringList, words);
        QFETCH(int, exitCode);
        QFETCH(QString, firstLine);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("c.sqlite"));
        if (!words.contains(QStringLiteral("--catalog")))
            words << QStringLiteral("--catalog") << QStringLiteral("sqlite:") + file;
        const Run r = runTool(words);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.err.section(QLatin1Char('\n'), 0, 0), firstLine);
        if (exitCode == 2)
            QVERIFY2(r.err.contains(QStringLiteral("ใช้งาน:\n  vostrel-admin init ")),
                     qPrintable(r.err));
        else
            QVERIFY2(!r.err.contains(QStringLiteral("ใช้งาน:")), qPrintable(r.err));
        QVERIFY(!QFile::exists(file));
    }

    void commandLine()
    {
        QTemporaryDir dir;
        const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("c.sqlite"));
        const QStringList user = {QStringLiteral("--user"),     QStringLiteral("boss"),
                                  QStringLiteral("--password"), QStringLiteral("pw"),
                                  QStringLiteral("--level"),    QStringLiteral("9")};
        Run r =
            runTool(QStringList{QStringLiteral("init"), QStringLiteral("--catalog"), url} + user);
        QCOMPARE(r.exitCode, 0);
        r = runTool(QStringList{QStringLiteral("init"), QStringLiteral("--catalog"), url} + user);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(QStringLiteral("มีตารางอยู่แล้ว")));

        r = runTool({QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("--catalog"),
                     url, QStringLiteral("--user"), QStringLiteral("clerk"),
                     QStringLiteral("--password"), QStringLiteral("c1"), QStringLiteral("--level"),
                     QStringLiteral("5")});
        QCOMPARE(r.exitCode, 0);
        r = runTool({QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("--catalog"),
                     url, QStringLiteral("--user"), QStringLiteral("CLERK"),
                     QStringLiteral("--password"), QStringLiteral("c2"), QStringLiteral("--level"),
                     QStringLiteral("5")});
        // A name taken is refused as bad input is: one line, exit status 2.
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err, QStringLiteral("ชื่อผู้ใช้ clerk มีอยู่แล้ว (--user)\n"));

        r = runTool({QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("--catalog"),
                     url, QStringLiteral("--user"), QStringLiteral("x"),
                     QStringLiteral("--password"), QStringLiteral("p"), QStringLiteral("--level"),
                     QStringLiteral("high")});
        QCOMPARE(r.exitCode, 2);
        r = runTool({QStringLiteral("frobnicate")});
        QCOMPARE(r.exitCode, 2);
        r = runTool(
            {QStringLiteral("init"), QStringLiteral("--catalog"), QStringLiteral("nonsense")});
        QVERIFY(r.exitCode != 0);
        QVERIFY(!r.err.isEmpty());

        // A user added to a file that is no catalog is refused, and no file is made.
        const QString missing =
            QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("none.sqlite"));
        r = runTool(QStringList{QStringLiteral("user"), QStringLiteral("add"),
                                QStringLiteral("--catalog"), missing} +
                    user);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.sqlite"))));

        const QString demo =
            QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("demo.sqlite"));
        r = runTool({QStringLiteral("demo"), QStringLiteral("--catalog"), demo});
        QCOMPARE(r.exitCode, 0);
        // The demo calendar counts from the first start; the commands agree with it.
        r = runTool({QStringLiteral("calendar"), QStringLiteral("generate"),
                     QStringLiteral("--from"), QStringLiteral("2555"), QStringLiteral("--to"),
                     QStringLiteral("2555"), QStringLiteral("--catalog"), demo});
        QCOMPARE(r.exitCode, 0);
        r = runTool({QStringLiteral("holidays"), QStringLiteral("mark"),
                     QStringLiteral("--catalog"), demo});
        QCOMPARE(r.exitCode, 0);
        // Friday 06/01/2555 to Monday 09/01/2555: a weekend between.
        r = runTool({QStringLiteral("count"), QStringLiteral("6/1/2555"),
                     QStringLiteral("09/01/2555"), QStringLiteral("--catalog"), demo});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.trimmed(), QStringLiteral("4 2 2"));
        // 31/12/2554 is no generated day; 01/01/2555 is a Sunday and New Year's Day.
        r = runTool({QStringLiteral("count"), QStringLiteral("31/12/2554"),
                     QStringLiteral("02/01/2555"), QStringLiteral("--catalog"), demo});
        QCOMPARE(r.out.trimmed(), QStringLiteral("2 1 1"));
        r = runTool({QStringLiteral("calendar"), QStringLiteral("generate"),
                     QStringLiteral("--from"), QStringLiteral("abc"), QStringLiteral("--catalog"),
                     demo});
        QCOMPARE(r.exitCode, 2);

        r = runTool({QStringLiteral("demo"), QStringLiteral("--catalog"), demo});
        QCOMPARE(r.exitCode, 1);
        r = runTool({QStringLiteral("demo"), QStringLiteral("--catalog"),
                     QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("demo2.sqlite"))});
        for (const char *login : {"viewer / view1234 / 4", "clerk / clerk1234 / 5",
                                  "admin / admin1234 / 7", "super / super1234 / 9"})
            QVERIFY2(r.out.contains(QLatin1String(login)), qPrintable(r.out));
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_admin.moc"
