#include "WorkflowFixture.h"
#include "app/MenuTable.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/ScreenRegistry.h"
#include "screens/workflow/UEntry_Deega_No.h"
#include "screens/workflow/UEntry_Deega_Veq.h"
#include "screens/workflow/UEntry_Doc_No.h"
#include "screens/workflow/UEntry_LastDay_Into_Fin.h"
#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

#include <QComboBox>
#include <QRadioButton>

namespace {

ScreenFactory factoryOf(const QString &item)
{
    return [item](Session &s) -> QWidget * {
        const ScreenRegistry registry = menu::screens();
        return registry.create(item, s);
    };
}

const QStringList Base{QStringLiteral("SELECT  *"), QStringLiteral("FROM Main_Deega_Control"),
                       QStringLiteral("where (doc_pk is not null)")};

struct OpenItem : Open {
    OpenItem(const QString &backend, const QString &item) : Open(backend, factoryOf(item)) {}
};

} // namespace

class TestWorkflowSearch : public QObject {
    Q_OBJECT

private slots:
    void registryMapsMenuItems()
    {
        Fixture fx(QStringLiteral("sqlite"));
        const ScreenRegistry registry = menu::screens();
        const QList<std::pair<QString, QString>> items{
            {QStringLiteral("N3"), QStringLiteral("frmEntry_Deega_Veq")},
            {QStringLiteral("N4"), QStringLiteral("frmEntry_Deega_No")},
            {QStringLiteral("N6"), QStringLiteral("frmEntry_Nud_Rec_Cheq")},
            {QStringLiteral("N18"), QStringLiteral("frmEntry_LastDay_Into_Fin")},
            {QStringLiteral("N28"), QStringLiteral("frmEntry_Doc_No")}};
        for (const auto &[item, name] : items) {
            std::unique_ptr<QWidget> s(registry.create(item, fx.session));
            QVERIFY(s);
            QCOMPARE(s->objectName(), name);
            QVERIFY(s->findChild<QWidget *>(QStringLiteral("Panel2"))->isHidden());
        }
    }

    // The exact statement for a mix of ticked criteria, typed values quoted.
    void searchStatement_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("typed"); // pairs: check box, field ("" untyped), text
        QTest::addColumn<bool>("update");
        QTest::addColumn<QStringList>("criteria");
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            auto row = [&](const char *name) {
                return &QTest::newRow(
                    qPrintable(backend + QLatin1Char(' ') + QString::fromLatin1(name)));
            };
            *row("veq number+topic update")
                << backend << "N3" << QStringList{"CheckBox1", "edtDocNumber1", "ศธ 0512",
                                                  "CheckBox3", "edtTopic1",     "O'Brien"}
                << true
                << QStringList{"And (DocNumber like '%ศธ 0512%')", "And (Topic like '%O''Brien%')",
                               "And (Per_Code<>'')"};
            *row("deega_no untouched date + register, add")
                << backend << "N4"
                << QStringList{"CheckBox2", "", "", "CheckBox4", "edtKumDeega_No1", " K1 "} << false
                << QStringList{"And (DocDate like '  /  /    %')", "And (KumDeega_No like'% K1 %')",
                               "And (Sumkun_No like '%%')",
                               "And ((Deega_No='') Or (Deega_No Is null))"};
            *row("nud voucher no")
                << backend << "N6" << QStringList{"CheckBox4", "edtDeega_No1", "D'1"} << false
                << QStringList{"And (Deega_No like'%D''1%')",
                               "And ((Date_Nud_Rec_Cheq='') Or (Date_Nud_Rec_Cheq Is null))"};
            *row("lastday typed date, no stage line")
                << backend << "N18" << QStringList{"CheckBox2", "edtDocDate1",  "01022557",
                                                   "CheckBox4", "edtDeega_No1", "9"}
                << false
                << QStringList{"And (DocDate like '01/02/2557%')", "And (Deega_No like'%9%')"};
            *row("doc_no register ends-with, site, year")
                << backend << "N28" << QStringList{"CheckBox4", "edtKumDeega_No1",    "12",
                                                   "CheckBox6", "edtFromSite1",       "คณะ'วิทย์",
                                                   "CheckBox7", "edtYear_DocNoDate1", "2557"}
                << false
                << QStringList{"And (KumDeega_No like'%12')", "And (FromSite like '%คณะ''วิทย์%')",
                               "And (DocNoDate like '%2557%')"};
        }
    }

    void searchStatement()
    {
        QFETCH(QString, backend);
        QFETCH(QString, item);
        QFETCH(QStringList, typed);
        QFETCH(bool, update);
        QFETCH(QStringList, criteria);
        REQUIRE_BACKEND(backend);
        OpenItem o(backend, item);
        for (qsizetype i = 0; i + 2 < typed.size() + 1; i += 3) {
            tick(o.screen.get(), qPrintable(typed.at(i)));
            if (!typed.at(i + 1).isEmpty()) {
                auto *edit = control<QLineEdit>(o.screen.get(), qPrintable(typed.at(i + 1)));
                if (auto *date = qobject_cast<MaskEdit *>(edit))
                    QTest::keyClicks(date, typed.at(i + 2));
                else
                    edit->setText(typed.at(i + 2));
            }
        }
        // Sumkun_No's box ticked with nothing typed matches every non-null value.
        if (item == QLatin1String("N4"))
            tick(o.screen.get(), "CheckBox5");
        if (update)
            control<QRadioButton>(o.screen.get(), "RadioButton2")->setChecked(true);
        click(o.screen.get(), "btnSelect_Data");
        QCOMPARE(o.fx.sent.size(), 1);
        QCOMPARE(o.fx.sent.first().split(QLatin1Char('\n')), Base + criteria);
        QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::NotFound});
    }

    // Add lists empty and null stages, Update only the filled ones.
    void addAndUpdateListing_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("stage");
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::newRow(qPrintable(backend + " veq")) << backend << "N3"
                                                        << "Per_Code";
            QTest::newRow(qPrintable(backend + " deega_no")) << backend << "N4"
                                                             << "Deega_No";
            QTest::newRow(qPrintable(backend + " nud")) << backend << "N6"
                                                        << "Date_Nud_Rec_Cheq";
        }
    }

    void addAndUpdateListing()
    {
        QFETCH(QString, backend);
        QFETCH(QString, item);
        QFETCH(QString, stage);
        REQUIRE_BACKEND(backend);
        OpenItem o(backend, item);
        o.fx.addDocument(QStringLiteral("QDTX2557/00001"), {{QStringLiteral("Topic"), "a"}});
        o.fx.addDocument(QStringLiteral("QDTX2557/00002"), {{stage, QString()}});
        o.fx.addDocument(QStringLiteral("QDTX2557/00003"), {{stage, QStringLiteral("01")}});
        click(o.screen.get(), "btnSelect_Data");
        QStringList add = listedKeys(o.screen.get());
        add.sort();
        QCOMPARE(add, (QStringList{"QDTX2557/00001", "QDTX2557/00002"}));
        control<QRadioButton>(o.screen.get(), "RadioButton2")->setChecked(true);
        click(o.screen.get(), "btnSelect_Data");
        QCOMPARE(listedKeys(o.screen.get()), QStringList{"QDTX2557/00003"});
        QVERIFY(o.fx.dialogs.shown.isEmpty());
    }

    void gridShowsTrimmedValues_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("topicWidth");
        QTest::addColumn<QString>("shownTopic"); // stored "\t เรื่อง \r\n"
        QTest::addColumn<QString>("lastHeader");
        QTest::newRow("veq") << "N3" << 7 << 250 << "\t เรื่อง \r\n"
                             << "FromSite";
        QTest::newRow("deega_no") << "N4" << 8 << 250 << "เรื่อง"
                                  << "เลขทีใบสำคัญ";
        QTest::newRow("nud") << "N6" << 9 << 250 << "เรื่อง"
                             << "เลขทีฏีกา";
        QTest::newRow("lastday") << "N18" << 9 << 250 << "\t เรื่อง \r\n"
                                 << "เลขทีฏีกา";
        QTest::newRow("doc_no") << "N28" << 11 << 400 << "เรื่อง"
                                << "หมายเหตุ";
    }

    void gridShowsTrimmedValues()
    {
        QFETCH(QString, item);
        QFETCH(int, cols);
        QFETCH(int, topicWidth);
        QFETCH(QString, shownTopic);
        QFETCH(QString, lastHeader);
        OpenItem o(QStringLiteral("sqlite"), item);
        o.fx.addDocument(QStringLiteral("QDTX2557/00001"),
                         {{QStringLiteral("Topic"), QStringLiteral("  \t เรื่อง \r\n ")},
                          {QStringLiteral("FromSite"), QStringLiteral(" site ")},
                          {QStringLiteral("Deega_No"), QString()},
                          {QStringLiteral("Per_Code"), QString()}});
        click(o.screen.get(), "btnSelect_Data");
        Grid *g = grid(o.screen.get());
        QCOMPARE(g->colCount(), cols);
        QCOMPARE(g->rowCount(), 2);
        QCOMPARE(g->colWidth(4), topicWidth);
        QCOMPARE(g->colWidth(1), 90);
        QCOMPARE(g->cell(0, 1), QStringLiteral("1"));
        QCOMPARE(g->cell(4, 1), shownTopic);
        QCOMPARE(g->cell(5, 1), QStringLiteral("site"));
        QCOMPARE(g->cell(0, 0), QStringLiteral("No"));
        QCOMPARE(g->cell(item == QLatin1String("N3") ? 5 : cols - 1, 0), lastHeader);
    }

    // Nothing found: the message, and the grid kept or its first row blanked.
    void noResult_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("blanks");
        QTest::newRow("veq") << "N3" << false;
        QTest::newRow("deega_no") << "N4" << false;
        QTest::newRow("nud") << "N6" << true;
        QTest::newRow("lastday") << "N18" << true;
        QTest::newRow("doc_no") << "N28" << false;
    }

    void noResult()
    {
        QFETCH(QString, item);
        QFETCH(bool, blanks);
        OpenItem o(QStringLiteral("sqlite"), item);
        o.fx.addDocument(QStringLiteral("QDTX2557/00001"), {{QStringLiteral("Topic"), "a"}});
        click(o.screen.get(), "btnSelect_Data");
        QCOMPARE(listedKeys(o.screen.get()), QStringList{"QDTX2557/00001"});
        tick(o.screen.get(), "CheckBox3");
        control<QLineEdit>(o.screen.get(), "edtTopic1")->setText(QStringLiteral("zzz"));
        click(o.screen.get(), "btnSelect_Data");
        QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::NotFound});
        QCOMPARE(listedKeys(o.screen.get()),
                 QStringList{blanks ? QString() : QStringLiteral("QDTX2557/00001")});
        QCOMPARE(grid(o.screen.get())->cell(0, 0), QStringLiteral("No"));
    }

    void quotedTextFound_data() { TestCatalog::addBackendRows(); }

    void quotedTextFound()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        OpenItem o(backend, QStringLiteral("N28"));
        o.fx.addDocument(QStringLiteral("QDTX2557/00001"),
                         {{QStringLiteral("Topic"), QStringLiteral("จ้าง O'Brien ซ่อม")}});
        o.fx.addDocument(QStringLiteral("QDTX2557/00002"),
                         {{QStringLiteral("Topic"), QStringLiteral("จ้าง OBrien")}});
        tick(o.screen.get(), "CheckBox3");
        control<QLineEdit>(o.screen.get(), "edtTopic1")->setText(QStringLiteral("O'Brien"));
        click(o.screen.get(), "btnSelect_Data");
        QCOMPARE(listedKeys(o.screen.get()), QStringList{"QDTX2557/00001"});
        QVERIFY(o.fx.dialogs.shown.isEmpty());
    }

    // The register criterion finds numbers that end with the text.
    void registerEndsWith_data() { TestCatalog::addBackendRows(); }

    void registerEndsWith()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        OpenItem o(backend, QStringLiteral("N28"));
        o.fx.addDocument(QStringLiteral("QDTX2557/00001"),
                         {{QStringLiteral("KumDeega_No"), "A12"}});
        o.fx.addDocument(QStringLiteral("QDTX2557/00002"),
                         {{QStringLiteral("KumDeega_No"), "123"}});
        tick(o.screen.get(), "CheckBox4");
        typeInto(o.screen.get(), "edtKumDeega_No1", QStringLiteral("12"));
        click(o.screen.get(), "btnSelect_Data");
        QCOMPARE(listedKeys(o.screen.get()), QStringList{"QDTX2557/00001"});
    }

    // With no document chosen (no search yet, or one that found nothing) the key is empty:
    // the not-found message, and a save writes nothing.
    void emptyKeyNeverWrites_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("searchFirst");
        for (const char *item : {"N3", "N4", "N6", "N18", "N28"}) {
            QTest::newRow(qPrintable(QString::fromLatin1(item) + " before search"))
                << item << false;
            QTest::newRow(qPrintable(QString::fromLatin1(item) + " after empty search"))
                << item << true;
        }
    }

    void emptyKeyNeverWrites()
    {
        QFETCH(QString, item);
        QFETCH(bool, searchFirst);
        OpenItem o(QStringLiteral("sqlite"), item);
        // A stray row with an empty key must stay untouched.
        o.fx.addDocument(QString(), {{QStringLiteral("Per_Code"), "01"},
                                     {QStringLiteral("Deega_No"), "1"},
                                     {QStringLiteral("Date_Nud_Rec_Cheq"), "x"}});
        o.fx.db().execute(db::Statement{"INSERT INTO TR_PerSon VALUES ('01', 'สมชาย', 'A')"});
        if (searchFirst) {
            click(o.screen.get(), "btnSelect_Data"); // Add: the stray row has its stage set
            if (item == QLatin1String("N18") || item == QLatin1String("N28")) {
                tick(o.screen.get(), "CheckBox1");
                control<QLineEdit>(o.screen.get(), "edtDocNumber1")->setText("none");
                click(o.screen.get(), "btnSelect_Data");
            }
            QCOMPARE(o.fx.dialogs.last(), msg::NotFound);
        }
        o.fx.dialogs.clear();
        click(o.screen.get(), "BitBtn3");
        QVERIFY(!control<QWidget>(o.screen.get(), "Panel2")->isHidden());
        QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::SystemFailure});
        QCOMPARE(control<QLineEdit>(o.screen.get(), "edtDoc_PK2")->text(), QString());
        // Fill what each screen requires, then save.
        for (const char *name :
             {"edtDeega_No2", "edtDate_Nud_Rec_Cheq2", "edtKumDeega_No2", "edtCompany_Rec_Cheq2"}) {
            if (auto *e = o.screen->findChild<QLineEdit *>(QString::fromLatin1(name));
                e && e->isEnabled())
                e->setText(QStringLiteral("x"));
        }
        for (const char *name : {"cmbRec_Cheq_Branch2", "cmbPer_Code2"}) {
            if (auto *c = o.screen->findChild<QComboBox *>(QString::fromLatin1(name)))
                c->setEditText(QStringLiteral("01"));
        }
        if (auto *d = o.screen->findChild<MaskEdit *>(QStringLiteral("edtDate_Into_Fin")))
            d->setText(QStringLiteral("01/02/2557"));
        o.fx.dialogs.clear();
        o.fx.sent.clear();
        click(o.screen.get(), "btnSave2");
        QVERIFY2(o.fx.writes().isEmpty(), qPrintable(o.fx.writes().join(QLatin1Char('|'))));
        QVERIFY(!o.fx.dialogs.texts().contains(msg::Saved));
        QVERIFY(!control<QWidget>(o.screen.get(), "Panel2")->isHidden());
        QCOMPARE(o.fx.text(QString(), QStringLiteral("Per_Code")), QStringLiteral("01"));
    }
};

QTEST_MAIN(TestWorkflowSearch)
#include "tst_workflow_search.moc"
