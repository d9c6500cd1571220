// The guarantee commands of vostrel-admin, run as processes: what they write against what the
// entry and receipt screens write, the register against the register screen's grid, the
// refusals that write nothing, and many processes numbering at once.

#include "ToolRun.h"
#include "WorkflowFixture.h"
#include "core/Access.h"
#include "core/Guarantee.h"
#include "screens/common/MaskEdit.h"
#include "screens/guarantee/UEntry_DateRecCheque.h"
#include "screens/guarantee/UEntry_Money_Promise.h"
#include "screens/guarantee/URep_Money_Pormise.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <map>

namespace {

QString serverToday(db::Connection &c)
{
    return user_access::readStartUpValues(c).Today_Thai;
}

// Every row of the guarantee tables, every column, in key order.
QStringList dump(db::Connection &c)
{
    QStringList out;
    for (const char *table :
         {"Main_Deega_Control ORDER BY Doc_PK", "TR_Deega_Runno ORDER BY Year_S"}) {
        db::Rows rows =
            c.select(db::Statement{QStringLiteral("SELECT * FROM ") + QString::fromLatin1(table)});
        while (rows.next()) {
            QStringList cells;
            for (int i = 0; i < rows.columnCount(); ++i)
                cells << (rows.value(i).isNull() ? QStringLiteral("<null>")
                                                 : rows.value(i).toString());
            out << cells.join(u'|');
        }
    }
    return out;
}

guarantee::Form formOn(const QString &company, const QString &date)
{
    guarantee::Form f;
    f.fromSite = company;
    f.topic = QStringLiteral("ค้ำประกันสัญญา 'งานซ่อม'");
    f.fromUnit = QStringLiteral("INV-") + company.right(1);
    f.amount = QStringLiteral("1,500");
    f.docNoDate = date;
    f.dateIntoFin = date;
    return f;
}

QStringList gridLines(Grid *g)
{
    QStringList lines;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->colCount(); ++c)
            cells << g->cell(c, r);
        lines << cells.join(u'\t');
    }
    return lines;
}

// The control of the entry screen each option of guarantee add fills.
const std::pair<const char *, const char *> EntryBoxes[] = {
    {"from-site", "edtFromSite"}, {"topic", "edtTopic"},    {"from-unit", "edtFrom_Unit"},
    {"amount", "edtNo_Money"},    {"fax", "edtVendor_Fax"}, {"tel", "edtVendor_Tel"},
    {"to-who", "edtTo_Who"},      {"date", "edtDocNoDate"}, {"into-fin", "edtDate_Into_Fin"},
    {"remark", "edtDeega_Remark"}};

// Starts the processes, each adding `each` documents, and waits for all of them; gives the
// keys printed, and one line for each process that failed.
QStringList addAtOnce(const QString &url, int processes, int each, QStringList &failures)
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < processes; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(VOSTREL_ADMIN),
                 {QStringLiteral("guarantee"), QStringLiteral("add"), QStringLiteral("--from-site"),
                  QStringLiteral("สถานี %1").arg(i), QStringLiteral("--topic"),
                  QStringLiteral("ค้ำประกัน"), QStringLiteral("--count"), QString::number(each),
                  QStringLiteral("--catalog"), url});
        running.push_back(std::move(p));
    }
    QStringList keys;
    for (auto &p : running) {
        p->waitForFinished(-1);
        const QString err = QString::fromUtf8(p->readAllStandardError());
        if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0 || !err.isEmpty())
            failures << QStringLiteral("exit %1: %2").arg(p->exitCode()).arg(err);
        keys << QString::fromUtf8(p->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
    return keys;
}

QString runno(db::Connection &c, const QString &year)
{
    db::Rows r = c.select(db::Statement{
        QStringLiteral("SELECT Runno FROM TR_Deega_Runno WHERE Year_S = '%1'").arg(year)});
    return r.next() ? r.text(QStringLiteral("Runno")) : QStringLiteral("<none>");
}

// Every key of the year from 1 to count printed once, and the counter at count.
void checkSequence(db::Connection &c, const QStringList &keys, int count)
{
    const QString year = serverToday(c).mid(6, 4);
    QCOMPARE(keys.size(), count);
    const QSet<QString> distinct(keys.cbegin(), keys.cend());
    QCOMPARE(distinct.size(), count);
    for (int n = 1; n <= count; ++n)
        QVERIFY2(distinct.contains(guarantee::key(year, n)), qPrintable(guarantee::key(year, n)));
    QCOMPARE(runno(c, year), QString::number(count));
    db::Rows rows = c.select(db::Statement{"SELECT COUNT(*) AS n FROM Main_Deega_Control"});
    QVERIFY(rows.next());
    QCOMPARE(rows.integer(QStringLiteral("n")), count);
}

} // namespace

class TestAdminGuarantee : public QObject {
    Q_OBJECT

    // The register's catalogs, one per back end for the whole run.
    std::map<QString, std::unique_ptr<Fixture>> registers_;

    Fixture &registerCatalog(const QString &backend)
    {
        auto &fx = registers_[backend];
        if (fx)
            return *fx;
        fx = std::make_unique<Fixture>(backend);
        db::Connection &c = fx->db();
        const QString today = QStringLiteral("05/10/2568");
        for (const auto &[company, date] :
             {std::pair{"บริษัท ก", "05/10/2568"}, std::pair{"บริษัท ข", "05/10/2568"},
              std::pair{"บริษัท ค", "06/10/2568"}, std::pair{"บริษัท ง", "15/11/2568"},
              std::pair{"บริษัท จ", "03/01/2569"}})
            guarantee::saveNew(c, formOn(QString::fromUtf8(company), QLatin1String(date)), today);
        // An older key with "ส" at character 7, and a voucher of the same day that is no
        // guarantee.
        fx->addDocument(QStringLiteral("255701ส00003"),
                        {{QStringLiteral("DocNoDate"), QStringLiteral("05/10/2568")},
                         {QStringLiteral("FromSite"), QStringLiteral("ร้าน โอ'ไบรอัน")},
                         {QStringLiteral("Topic"), QStringLiteral("เก่า")}});
        fx->addDocument(QStringLiteral("QDTX2568/00001"),
                        {{QStringLiteral("DocNoDate"), QStringLiteral("05/10/2568")},
                         {QStringLiteral("FromSite"), QStringLiteral("คณะ")}});
        return *fx;
    }

    // A catalog with one guarantee document, kept for the refusals.
    std::unique_ptr<TestCatalog> refusals_;
    QString refusalKey_;

private slots:
    void initTestCase()
    {
        refusals_ = std::make_unique<TestCatalog>(QStringLiteral("sqlite"));
        db::Connection &c = refusals_->connection();
        refusalKey_ = guarantee::saveNew(c, formOn(QStringLiteral("บริษัท ก"), {}), serverToday(c));
    }

    // The document guarantee add saves is, column for column, the one the entry screen saves
    // from the same boxes, under the same key drawn from the server's year.
    void addSavesAsTheEntryScreen_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QStringList>("given"); // "option=text", in the order given
        const QString longest = QString(250, QChar(0x0E01));
        const QStringList every{"from-site=ห้างหุ้นส่วนจำกัด โอ'ไบรอัน",
                                "topic=ค้ำประกันสัญญา \"ซ่อมหลังคา\"",
                                "from-unit=INV-01",
                                "amount=1,234.50",
                                "fax=02-456",
                                "tel=02-123",
                                "to-who=งานการเงิน",
                                "date=05/10/2568",
                                "into-fin=06/10/2568",
                                "remark=a\\b",
                                "place=finance"};
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            const auto row = [&](const char *name, const QStringList &given) {
                QTest::addRow("%s: %s", qPrintable(backend), name) << backend << given;
            };
            row("every box", every);
            row("company and topic only", {"from-site=บริษัท ก", "topic=ค้ำ"});
            // Blanks pass the screen's checks; an emptied amount box is zero.
            row("blank company, empty amount, bank",
                {"from-site=  ", "topic=x", "amount=", "place=bank"});
            row("texts as long as the boxes take",
                {"from-site=" + longest, "topic=" + longest, "fax=" + QString(30, u'9')});
        }
    }
    void addSavesAsTheEntryScreen()
    {
        QFETCH(QString, backend);
        QFETCH(QStringList, given);
        REQUIRE_BACKEND(backend);
        TestCatalog byTool(backend);
        QStringList args{QStringLiteral("guarantee"), QStringLiteral("add")};
        for (const QString &g : given)
            args << QStringLiteral("--") + g.section(u'=', 0, 0) << g.section(u'=', 1);
        const Run r = runTool(args + QStringList{QStringLiteral("--catalog"), byTool.url()});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);

        Open s(backend, [](Session &session) { return new TfrmEntry_Money_Promise(session); });
        s.fx.session.Today_Thai = serverToday(s.fx.db());
        click(s.get(), "btnAdd_Data");
        for (const QString &g : given) {
            const QString option = g.section(u'=', 0, 0);
            const QString text = g.section(u'=', 1);
            if (option == QLatin1String("place")) {
                click(s.get(), text == QLatin1String("bank") ? "RadioButton1" : "RadioButton2");
                continue;
            }
            for (const auto &[name, box] : EntryBoxes) {
                if (option == QLatin1String(name))
                    control<QLineEdit>(s.get(), box)->setText(text);
            }
        }
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.dialogs.texts(), QStringList{msg::ConfirmSave});
        const QString key = control<QLabel>(s.get(), "QRL_DocNo")->text();
        QCOMPARE(key, guarantee::key(s.fx.session.Today_Thai.mid(6, 4), 1));

        QCOMPARE(r.out, key + u'\n');
        const QStringList expected = dump(s.fx.db());
        QCOMPARE(expected.size(), 2);
        QCOMPARE(dump(byTool.connection()), expected);
    }

    // The cheque date recorded by guarantee receive is what the receipt screen records, for a
    // key of either layout.
    void receiveAsTheReceiptScreen_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("olderLayout");
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::addRow("%s: key with ส at 5", qPrintable(backend)) << backend << false;
            QTest::addRow("%s: key with ส at 7", qPrintable(backend)) << backend << true;
        }
    }
    void receiveAsTheReceiptScreen()
    {
        QFETCH(QString, backend);
        QFETCH(bool, olderLayout);
        REQUIRE_BACKEND(backend);
        const QString date = QStringLiteral("29/02/2567");
        TestCatalog byTool(backend);
        Open s(backend, [](Session &session) { return new TfrmEntry_DateRecCheque(session); });
        // The same two documents in both catalogs; the one received is the second.
        QString key;
        for (db::Connection *c : {&byTool.connection(), &s.fx.db()}) {
            guarantee::saveNew(*c, formOn(QStringLiteral("บริษัท ก"), date), date);
            if (olderLayout) {
                key = QStringLiteral("255701ส00003");
                c->execute(db::Statement{
                    QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, FromSite, Topic, "
                                   "DocStatus) VALUES ('%1', 'เก่า', 'old', '3')")
                        .arg(key)});
            } else {
                key = guarantee::saveNew(*c, formOn(QStringLiteral("บริษัท ข"), date), date);
            }
        }
        const QString received = QStringLiteral("10/03/2567");
        const Run r = runTool({QStringLiteral("guarantee"), QStringLiteral("receive"), key,
                               QStringLiteral("--date"), received, QStringLiteral("--catalog"),
                               byTool.url()});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out,
                 QStringLiteral("บันทึกวันที่รับเช็ค %1 ของเอกสาร %2 เรียบร้อยแล้ว\n").arg(received, key));

        click(s.get(), "btnSearch_Data");
        const int row = int(listedKeys(s.get()).indexOf(key)) + 1;
        QVERIFY(row > 0);
        grid(s.get())->setRow(row);
        click(s.get(), "btnEdit_Data4");
        control<MaskEdit>(s.get(), "edtModified_Date")->setText(received);
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.dialogs.texts(), QStringList{msg::ConfirmSave});
        const QStringList expected = dump(s.fx.db());
        QVERIFY(expected.join(u'\n').contains(received));
        QCOMPARE(dump(byTool.connection()), expected);
    }

    // report guarantee-register prints the register screen's grid, cell for cell, for each of
    // its three choices; nothing found is the screen's message on standard error.
    void registerAsTheScreen_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows"); // -1: nothing found
        struct Case {
            const char *name, *option, *text;
            int rows;
        };
        const Case cases[] = {
            {"one day, older key among them", "day", "05/10/2568", 3},
            {"one month", "month", "10/2568", 4},
            {"one year", "year", "2568", 5},
            {"the next year", "year", "2569", 1},
            {"a day with none", "day", "07/10/2568", -1},
            {"a month with none", "month", "12/2568", -1},
        };
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const Case &c : cases)
                QTest::addRow("%s: %s", qPrintable(backend), c.name)
                    << backend << QString::fromLatin1(c.option) << QString::fromLatin1(c.text)
                    << c.rows;
        }
    }
    void registerAsTheScreen()
    {
        QFETCH(QString, backend);
        QFETCH(QString, option);
        QFETCH(QString, text);
        QFETCH(int, rows);
        REQUIRE_BACKEND(backend);
        Fixture &fx = registerCatalog(backend);
        const Run r = runTool({QStringLiteral("report"), QStringLiteral("guarantee-register"),
                               QStringLiteral("--") + option, text, QStringLiteral("--catalog"),
                               fx.catalog.url()});
        QCOMPARE(r.exitCode, 0);

        fx.dialogs.clear();
        TfrmRep_Money_Pormise screen(fx.session);
        screen.show();
        const char *radio = option == QLatin1String("day")     ? "RadioButton1"
                            : option == QLatin1String("month") ? "RadioButton2"
                                                               : "RadioButton3";
        const char *box = option == QLatin1String("day")     ? "edtDDMMYY_Search"
                          : option == QLatin1String("month") ? "edtMMYY_Search"
                                                             : "edtYY_Search";
        click(&screen, radio);
        control<MaskEdit>(&screen, box)->setText(text);
        click(&screen, "btnSearch_data");

        if (rows < 0) {
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err, msg::NotFound + u'\n');
            QCOMPARE(fx.dialogs.texts(), QStringList{msg::NotFound});
            return;
        }
        QCOMPARE(r.err, QString());
        QCOMPARE(fx.dialogs.texts(), QStringList());
        const QStringList shown = gridLines(grid(&screen));
        QCOMPARE(shown.size(), rows + 1);
        QVERIFY(!shown.join(u'\n').contains(QStringLiteral("QDTX")));
        QCOMPARE(r.out, shown.join(u'\n') + u'\n');
    }

    // Each refusal is its one Thai line (or the command's form and the usage) with exit 2, and
    // leaves the catalog as it was.
    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message"); // the whole of standard error, or its first line
        QTest::addColumn<bool>("usage");      // the usage text follows the first line
        const QString dateForm = QStringLiteral("ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)");
        struct Case {
            const char *name;
            QStringList args;
            QString message;
            bool usage = false;
        };
        const QString add = QStringLiteral("guarantee add --from-site บริษัท --topic ค้ำ ");
        const auto split = [](const QString &line) { return line.split(u' ', Qt::SkipEmptyParts); };
        const QString longText = QString(251, QChar(0x0E01));
        const QList<Case> cases{
            {"add without company", split("guarantee add --topic ค้ำ"),
             "กรุณาในข้อมูล บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"},
            {"add without topic", split("guarantee add --from-site บริษัท"),
             "กรุณาในข้อมูล รายการ(เรื่อง)"},
            {"amount with letters", split(add + "--amount 1,5OO"), guarantee::AmountNotNumber},
            {"date of no day", split(add + "--date 31/02/2568"),
             "--date: \"31/02/2568\" " + dateForm},
            {"last entry date with dashes", split(add + "--into-fin 05-10-2568"),
             "--into-fin: \"05-10-2568\" " + dateForm},
            {"place unknown", split(add + "--place home"),
             "--place: \"home\" ต้องเป็น bank (ธนาคาร) หรือ finance (งานการเงิน กองคลัง)"},
            {"count zero", split(add + "--count 0"), "--count: \"0\" ต้องเป็นจำนวนเต็มตั้งแต่ 1 ขึ้นไป"},
            {"remark longer than its column", split(add + "--remark") << longText,
             "--remark: ยาว 251 ตัวอักษร เกิน 150 ตัวอักษรที่บันทึกได้"},
            {"option of another command", split(add + "--day 05/10/2568"),
             "คำสั่ง guarantee add ไม่มีตัวเลือก --day"},
            {"option given twice", split(add + "--topic อื่น"), "ระบุ --topic ซ้ำ"},
            {"value lost to the next option",
             split("guarantee add --from-site บริษัท --topic --trace"), "ต้องระบุค่าหลัง --topic"},
            {"add with a word", split(add + "extra"),
             "ใช้: vostrel-admin guarantee add --from-site TEXT --topic TEXT [ตัวเลือก]", true},
            {"receive without key", split("guarantee receive --date 10/10/2568"),
             "ใช้: vostrel-admin guarantee receive KEY --date DD/MM/YYYY", true},
            {"receive a voucher key", split("guarantee receive QDTX2568/00001 --date 10/10/2568"),
             "\"QDTX2568/00001\" ไม่ใช่เลขที่เอกสารเงินประกันสัญญา (ต้องมี \"ส\" เป็นตัวอักษรที่ 5 หรือ 7)"},
            {"receive without date", split("guarantee receive KEY"),
             "กรุณาใส่วันที่รับเช็คด้วย (--date DD/MM/YYYY)"},
            {"receive a date of no day", split("guarantee receive KEY --date 32/01/2568"),
             "--date: \"32/01/2568\" " + dateForm},
            {"receive with a topic", split("guarantee receive KEY --date 10/10/2568 --topic x"),
             "คำสั่ง guarantee receive ไม่มีตัวเลือก --topic"},
            {"receive an unknown key", split("guarantee receive 2568ส9999999 --date 10/10/2568"),
             "ไม่พบเอกสารเงินประกันสัญญาเลขที่ 2568ส9999999"},
            {"register without choice", split("report guarantee-register"),
             "รายงาน guarantee-register ต้องระบุ --day, --month หรือ --year อย่างใดอย่างหนึ่ง"},
            {"register with two choices",
             split("report guarantee-register --day 05/10/2568 --year 2568"),
             "ระบุ --day และ --year พร้อมกันไม่ได้"},
            {"register day of no day", split("report guarantee-register --day 30/02/2568"),
             "--day: \"30/02/2568\" " + dateForm},
            {"register month 13", split("report guarantee-register --month 13/2568"),
             "--month: \"13/2568\" ไม่ใช่เดือนปีในรูป MM/YYYY (ปี พ.ศ.)"},
            {"register year of two digits", split("report guarantee-register --year 68"),
             "--year: \"68\" ไม่ใช่ปี พ.ศ. สี่หลัก (YYYY)"},
            {"register with a workbook",
             split("report guarantee-register --year 2568 --xlsx o.xlsx"),
             "รายงาน guarantee-register ไม่มีแฟ้ม Excel: ไม่รับ --xlsx"},
            {"register with a report's option",
             split("report guarantee-register --year 2568 --topic x"),
             "รายงาน guarantee-register ไม่มีตัวเลือก --topic"},
            {"register with a word", split("report guarantee-register --year 2568 extra"),
             "มีคำเกินมา: extra"},
            {"register unknown option", split("report guarantee-register --bogus"),
             "ไม่รู้จักตัวเลือก: --bogus"},
            {"a report with the register's option", split("report movement --day 05/10/2568"),
             "รายงาน movement ไม่มีตัวเลือก --day"},
        };
        for (const Case &c : cases)
            QTest::newRow(c.name) << c.args << c.message << c.usage;
    }
    void refusalsWriteNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QFETCH(bool, usage);
        args.replaceInStrings(QStringLiteral("KEY"), refusalKey_);
        db::Connection &c = refusals_->connection();
        const QStringList before = dump(c);
        const Run r = runTool(args + QStringList{QStringLiteral("--catalog"), refusals_->url()});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        if (usage) {
            QCOMPARE(r.err.section(u'\n', 0, 0), message);
            QVERIFY(r.err.contains(QStringLiteral("vostrel-admin guarantee receive KEY")));
        } else {
            QCOMPARE(r.err, message + u'\n');
        }
        QCOMPARE(dump(c), before);
    }

    // A failure at the server is its message and exit 1; a full year writes nothing.
    void serverFailure_data() { TestCatalog::addBackendRows(); }
    void serverFailure()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QString year = serverToday(c).mid(6, 4);
        c.execute(db::Statement{
            QStringLiteral("INSERT INTO TR_Deega_Runno (Year_S, Runno) VALUES ('%1', 9999999)")
                .arg(year)});
        const QStringList before = dump(c);
        const Run r = runTool({QStringLiteral("guarantee"), QStringLiteral("add"),
                               QStringLiteral("--from-site"), QStringLiteral("บริษัท"),
                               QStringLiteral("--topic"), QStringLiteral("ค้ำ"),
                               QStringLiteral("--catalog"), catalog.url()});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(QStringLiteral("9,999,999")), qPrintable(r.err));
        QCOMPARE(dump(c), before);
    }

    // Eight processes adding 125 documents each at once on the shared server: every key of the
    // year from 1 to 1000 once, and the counter at 1000.
    void eightProcessesOnTheServer()
    {
        REQUIRE_BACKEND(QStringLiteral("postgresql"));
        TestCatalog catalog(QStringLiteral("postgresql"));
        QStringList failures;
        QElapsedTimer clock;
        clock.start();
        const QStringList keys = addAtOnce(catalog.url(), 8, 125, failures);
        qInfo("eight processes, 1000 documents: %lld ms", clock.elapsed());
        QCOMPARE(failures, QStringList());
        checkSequence(catalog.connection(), keys, 1000);
    }

    // Four processes on one SQLite file: each waits its turn at the file, none shares a key.
    void fourProcessesOnOneFile()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QStringList failures;
        QElapsedTimer clock;
        clock.start();
        const QStringList keys = addAtOnce(catalog.url(), 4, 50, failures);
        qInfo("four processes, 200 documents: %lld ms", clock.elapsed());
        QCOMPARE(failures, QStringList());
        checkSequence(catalog.connection(), keys, 200);
    }
};

QTEST_MAIN(TestAdminGuarantee)
#include "tst_admin_guarantee.moc"
