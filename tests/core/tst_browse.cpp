// The browse-and-edit and report rules without a window: criteria lines, field checks and
// assignments, the stage save with its vanished-row decision, and report rows; on real catalogs.

#include "TestCatalog.h"
#include "core/Browse.h"
#include "core/Report.h"
#include "core/Workflow.h"
#include "data/Connection.h"

#include <QTest>

using criteria::Criterion;
using criteria::Input;

namespace {

void addDocument(db::Connection &c, const QString &key, const QString &stage = {})
{
    c.execute(db::Statement{
        QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, DocNumber, Topic, Deega_No) "
                       "VALUES ('") +
        db::sqlText(key) + QStringLiteral("', ' ศธ 1/2557 ', 'ซื้อ''วัสดุ', '") + db::sqlText(stage) +
        QStringLiteral("')")});
}

QString stored(db::Connection &c, const QString &key, const QString &column)
{
    db::Rows rows = c.select(db::Statement{QStringLiteral("SELECT ") + column +
                                           QStringLiteral(" FROM Main_Deega_Control WHERE "
                                                          "Doc_PK = '") +
                                           db::sqlText(key) + QStringLiteral("'")});
    return rows.next() ? rows.text(column) : QStringLiteral("<no row>");
}

} // namespace

class TestBrowse : public QObject {
    Q_OBJECT

private slots:
    void criterionLines_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("line");
        const auto in = [](Input i) { return static_cast<int>(i); };
        QTest::newRow("text, quote doubled")
            << in(Input::Text) << QStringList{"O'Neil"} << "B(O''Neil)A";
        QTest::newRow("text, empty") << in(Input::Text) << QStringList{""} << "B()A";
        QTest::newRow("date as typed")
            << in(Input::Date) << QStringList{"05/10/2557"} << "B(05/10/2557)A";
        QTest::newRow("choice, code only")
            << in(Input::Choice) << QStringList{"07 สมชาย"} << "B(07)A";
        QTest::newRow("choice shorter than its code")
            << in(Input::Choice) << QStringList{"7"} << "B(7)A";
        QTest::newRow("range, day keys")
            << in(Input::DateRange) << QStringList{"05/10/2557", "06/01/2558"}
            << "B(25571005)-(25580106)A";
        QTest::newRow("range, quote in a box")
            << in(Input::DateRange) << QStringList{"0'/10/2557", "31/12/2557"}
            << "B(2557100'')-(25571231)A";
    }
    void criterionLines()
    {
        QFETCH(int, input);
        QFETCH(QStringList, values);
        QFETCH(QString, line);
        Criterion c = criteria::makeCriterion(QStringLiteral("CheckBox1"), {},
                                              QStringLiteral("edt1"), static_cast<Input>(input),
                                              QStringLiteral("B("), QStringLiteral(")A"));
        c.take = 2;
        c.between = QStringLiteral(")-(");
        QCOMPARE(criteria::criterionLine(c, values), line);
    }

    void onlyTickedCriteriaInOrder()
    {
        const QList<Criterion> list = {browse::docNumberCriterion(), browse::docDateCriterion(),
                                       browse::topicCriterion()};
        const criteria::Entered entered = {QStringList{"12"}, std::nullopt, QStringList{"x"}};
        QCOMPARE(criteria::criteriaLines(list, entered),
                 (QStringList{"And (DocNumber like '%12%')", "And (Topic like '%x%')"}));
        // Fewer entries than criteria: the rest count as unticked.
        QCOMPARE(criteria::criteriaLines(list, {QStringList{"1"}}).size(), 1);
    }

    void requiredFieldsInOrder_data()
    {
        QTest::addColumn<QString>("deegaNo");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("missing");
        QTest::newRow("all given") << "12"
                                   << "SCB"
                                   << "";
        QTest::newRow("first missing first") << ""
                                             << ""
                                             << "edtDeega_No2";
        QTest::newRow("blanks and controls are empty") << " \t\n"
                                                       << "SCB"
                                                       << "edtDeega_No2";
        QTest::newRow("second") << "12"
                                << "  "
                                << "cmbRec_Cheq_Branch2";
    }
    void requiredFieldsInOrder()
    {
        QFETCH(QString, deegaNo);
        QFETCH(QString, place);
        QFETCH(QString, missing);
        const browse::Shape shape = deega_no::shape();
        const browse::Field *f =
            browse::missingField(shape, {{QStringLiteral("Deega_No"), deegaNo},
                                         {QStringLiteral("Rec_Cheq_Branch"), place}});
        QCOMPARE(f ? f->objectName : QString(), missing);
    }

    void untouchedDateBoxIsMissing()
    {
        const browse::Shape shape = lastday_into_fin::shape();
        const browse::Field *blank =
            browse::missingField(shape, {{QStringLiteral("Date_Into_Fin"), "  /  /    "}});
        QVERIFY(blank);
        QCOMPARE(blank->requiredMessage, QStringLiteral("กรุณาใส่วันที่เข้ากองคลังครั้งสุดท้ายด้วย"));
        QVERIFY(!browse::missingField(shape, {{QStringLiteral("Date_Into_Fin"), "1 /  /    "}}));
    }

    void assignmentsFollowTheWriteOrder()
    {
        const browse::ProgramValues program{QStringLiteral("clerk"), QStringLiteral("05/10/2557"),
                                            QStringLiteral("2015")};
        QCOMPARE(browse::assignmentLines(deega_veq::shape(),
                                         {{"Per_Code", "07 สมชาย"},
                                          {"DocType_Code", "02 ฎีกา"},
                                          {"KumDeega_No", "K'1"},
                                          {"Company_Rec_Cheq", "บริษัท"},
                                          {"Remark1", ""}},
                                         program),
                 (QStringList{"Set Per_Code='07'", ", KumDeega_No='K''1'",
                              ", Company_Rec_Cheq='บริษัท'", ", Remark1=''", ", DocType_Code='02'"}));
        // Shown fields are never written; stamps come from the program values.
        QCOMPARE(browse::assignmentLines(doc_no::shape(),
                                         {{"KumDeega_No", "never"},
                                          {"SAP_Doc_No", "51"},
                                          {"SAP_Fiscal_Year", "2015"},
                                          {"SAP_Doc_Remark", "r"},
                                          {"IS_Rec_Cheq", "A"},
                                          {"IS_Success", "N"},
                                          {"Date_Nud_Rec_Cheq", "1/1"}},
                                         program),
                 (QStringList{"Set SAP_Doc_No='51'", ", SAP_Fiscal_Year='2015'",
                              ", User_Key_Doc='clerk'", ", Date_Key_Doc='05/10/2557'",
                              ", SAP_Doc_Remark='r'", ", IS_Rec_Cheq='A'", ", IS_Success='N'",
                              ", Date_Nud_Rec_Cheq='1/1'"}));
    }

    void loadedTexts()
    {
        const browse::ProgramValues program{{}, {}, QStringLiteral("2015")};
        const browse::Shape shape = doc_no::shape();
        const auto fieldOf = [&](const QString &name) {
            for (const browse::Field &f : shape.fields) {
                if (f.objectName == name)
                    return f;
            }
            return browse::Field{};
        };
        const browse::Field year = fieldOf(QStringLiteral("edtSAP_Fiscal_Year2"));
        QCOMPARE(browse::loadedText(year, {}, program), QStringLiteral("2015"));
        QCOMPARE(browse::loadedText(year, {{"SAP_Fiscal_Year", "2014"}}, program),
                 QStringLiteral("2014"));
        const browse::Field collected = fieldOf(QStringLiteral("CheckBox8"));
        QVERIFY(!browse::loadsTicked(collected, QStringLiteral("N")));
        QVERIFY(browse::loadsTicked(collected, QStringLiteral("A")));
        QVERIFY(browse::loadsTicked(collected, QString())); // only "N" reads as not collected
    }

    void stageSave_data() { TestCatalog::addBackendRows(); }
    void stageSave()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const browse::Shape shape = deega_no::shape();
        addDocument(c, QStringLiteral("QDTX2557/00001"));
        QStringList sent;
        c.setObserver([&sent](const QString &s) { sent << s; });

        // The first save fills the stage and stamps its entry time.
        QCOMPARE(browse::saveStage(c, shape, QStringLiteral("QDTX2557/00001"),
                                   {browse::assignment(true, QStringLiteral("Deega_No"), "D1")}),
                 browse::SaveOutcome::Saved);
        QCOMPARE(sent.size(), 2);
        QVERIFY(sent.at(1).contains(QStringLiteral(", Date_Ent_Deega=CURRENT_TIMESTAMP")));
        QCOMPARE(stored(c, QStringLiteral("QDTX2557/00001"), QStringLiteral("Deega_No")),
                 QStringLiteral("D1"));
        const QString stamped =
            stored(c, QStringLiteral("QDTX2557/00001"), QStringLiteral("Date_Ent_Deega"));
        QVERIFY(!stamped.isEmpty());

        // A correction keeps the first entry time.
        sent.clear();
        QCOMPARE(browse::saveStage(c, shape, QStringLiteral("QDTX2557/00001"),
                                   {browse::assignment(true, QStringLiteral("Deega_No"), "D2")}),
                 browse::SaveOutcome::Saved);
        QVERIFY(!sent.at(1).contains(QStringLiteral("Date_Ent_Deega")));

        // An empty key sends nothing; a vanished document is found by the re-read.
        sent.clear();
        QCOMPARE(browse::saveStage(c, shape, QString(), {QStringLiteral("Set Deega_No='x'")}),
                 browse::SaveOutcome::NotFound);
        QVERIFY(sent.isEmpty());
        QCOMPARE(browse::saveStage(c, shape, QStringLiteral("QDTX2557/09999"),
                                   {QStringLiteral("Set Deega_No='x'")}),
                 browse::SaveOutcome::NotFound);
        QCOMPARE(sent.size(), 1);

        // Without the re-read, the update changing no row tells it.
        const browse::Shape noReread = doc_no::shape();
        QCOMPARE(browse::saveStage(c, noReread, QStringLiteral("QDTX2557/09999"),
                                   {QStringLiteral("Set SAP_Doc_No='x'")}),
                 browse::SaveOutcome::NotFound);
        QCOMPARE(browse::saveStage(c, noReread, QStringLiteral("QDTX2557/00001"),
                                   {QStringLiteral("Set SAP_Doc_No='x'")}),
                 browse::SaveOutcome::Saved);
    }

    void searchAndFind_data() { TestCatalog::addBackendRows(); }
    void searchAndFind()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        addDocument(c, QStringLiteral("QDTX2557/00001"));
        addDocument(c, QStringLiteral("QDTX2557/00002"), QStringLiteral("D9"));
        const browse::Shape shape = deega_no::shape();
        const criteria::Entered topic = {std::nullopt, std::nullopt, QStringList{"'ว"}};
        const QList<QStringList> open = browse::search(c, shape, topic, browse::Stage::Add);
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.at(0).mid(0, 3),
                 (QStringList{"1", "QDTX2557/00001", "ศธ 1/2557"})); // trimmed
        QCOMPARE(browse::search(c, shape, topic, browse::Stage::Update).size(), 1);

        const auto found = browse::findDocument(c, shape, QStringLiteral("QDTX2557/00002"));
        QVERIFY(found);
        QCOMPARE(found->value(QStringLiteral("Deega_No")), QStringLiteral("D9"));
        QCOMPARE(found->value(QStringLiteral("Topic")), QStringLiteral("ซื้อ'วัสดุ"));
        QVERIFY(!browse::findDocument(c, shape, QString()));
        QVERIFY(!browse::findDocument(c, shape, QStringLiteral("QDTX2557/00003")));
    }

    // A typed "%", "_" or "\\" in a like criterion matches only itself, the same on both back
    // ends, while letter case is still ignored.
    void typedWildcardsMatchThemselves_data() { TestCatalog::addBackendRows(); }
    void typedWildcardsMatchThemselves()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QStringList topics = {"100% ok", "a_b", "axb", "C:\\new", "Cxnew", "abc"};
        for (qsizetype i = 0; i < topics.size(); ++i)
            c.execute(db::Statement{
                QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, Topic) VALUES ('K%1', '%2')")
                    .arg(i)
                    .arg(db::sqlText(topics[i]))});
        const browse::Shape shape = deega_no::shape();
        const struct {
            const char *typed;
            QStringList found;
        } cases[] = {{"%", {"100% ok"}},
                     {"_", {"a_b"}},
                     {"a_b", {"a_b"}},
                     {"\\", {"C:\\new"}},
                     {"C:\\new", {"C:\\new"}},
                     {"ABC", {"abc"}},
                     {"", topics}};
        for (const auto &k : cases) {
            const criteria::Entered entered = {std::nullopt, std::nullopt,
                                               QStringList{QString::fromUtf8(k.typed)}};
            QStringList found;
            for (const QStringList &row : browse::search(c, shape, entered, browse::Stage::Add))
                found << row.at(4);
            found.sort();
            QStringList expected = k.found;
            expected.sort();
            QCOMPARE(found, expected);
        }
        // The line keeps its fragments around the escaped value.
        QCOMPARE(browse::searchStatement(shape, {std::nullopt, std::nullopt, QStringList{"5%_'"}},
                                         browse::Stage::Add)
                     .lines()
                     .at(3),
                 QStringLiteral("And (Topic like '%5\\%\\_''%')"));
    }

    void reportRows_data() { TestCatalog::addBackendRows(); }
    void reportRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        addDocument(c, QStringLiteral("QDTX2557/00001"));
        addDocument(c, QStringLiteral("QDTX2557/00002"), QStringLiteral("D9"));
        report::Shape shape;
        shape.head = {QStringLiteral("SELECT *"), QStringLiteral("FROM Main_Deega_Control"),
                      QStringLiteral("Where (doc_pk is not null)")};
        shape.criteria = {browse::deegaNoCriterion()};
        shape.tail = {QStringLiteral("Order by Doc_PK")};
        shape.columns = {
            {QStringLiteral("รหัส"), 110, QStringLiteral("Doc_PK"), report::Trim::Space, {}},
            {QStringLiteral("DocNumber"), 0, QStringLiteral("DocNumber"), report::Trim::Space,
             QStringLiteral("'")},
            {QStringLiteral("นับ"), 0, QString(), report::Trim::Space, {}}};
        QCOMPARE(report::columnCount(shape), 4);
        QCOMPARE(report::headerRow(shape), (QStringList{"No", "รหัส", "DocNumber", "นับ"}));
        QCOMPARE(report::widths(shape), (QList<int>{30, 110, 0, 0}));
        QCOMPARE(report::statement(shape, {QStringList{"D"}}).text(),
                 QStringLiteral("SELECT *\nFROM Main_Deega_Control\nWhere (doc_pk is not null)\n"
                                "And (Deega_No like'%D%')\nOrder by Doc_PK"));

        const QList<QStringList> all =
            report::run(c, shape, {std::nullopt}, [](db::Rows &row, QStringList &cells) {
                cells[3] = row.text(QStringLiteral("Deega_No")).isEmpty() ? QStringLiteral("-")
                                                                          : QStringLiteral("1");
            });
        QCOMPARE(all, (QList<QStringList>{{"1", "QDTX2557/00001", "'ศธ 1/2557", "-"},
                                          {"2", "QDTX2557/00002", "'ศธ 1/2557", "1"}}));
        QCOMPARE(report::run(c, shape, {QStringList{"D9"}}).size(), 1);
    }
};

QTEST_MAIN(TestBrowse)
#include "tst_browse.moc"
