// The five report screens: their controls as they open, the statements they send, the grid
// after a run and after a run that finds nothing, the breakdown on a double-click, and the
// export read back from the workbook.

#include "PdfReadback.h"
#include "WorkflowFixture.h"
#include "XlsxReadback.h"
#include "core/Calendar.h"
#include "core/Messages.h"
#include "core/Reports.h"
#include "screens/calendar/URep_Day_Of_Year.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/ReportScreen.h"
#include "screens/erp/URep_Day_Kolvet.h"
#include "screens/reports/URep_Deega_No_date.h"
#include "screens/reports/URep_Detail_Deega.h"
#include "screens/reports/URep_DivBy_DocType.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

using Values = QMap<QString, QString>;
using Prepare = std::function<void(Fixture &)>;
using Act = std::function<void(QWidget *)>;

const QString Finished = QStringLiteral("เสร็จสิ้นดำเนินการ");

template <class T> ScreenFactory make()
{
    return [](Session &s) -> QWidget * { return new T(s); };
}

void insertRow(Fixture &fx, const QString &table, const Values &values)
{
    QStringList columns, literals;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << it.key();
        literals << u'\'' + db::sqlText(it.value()) + u'\'';
    }
    fx.db().execute(db::Statement{QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                                  columns.join(QStringLiteral(", ")) +
                                  QStringLiteral(") VALUES (") +
                                  literals.join(QStringLiteral(", ")) + QStringLiteral(")")});
    fx.sent.clear();
}

// The officers and document types the combos list; Anan is no longer active.
void addLists(Fixture &fx)
{
    insertRow(fx, "TR_PerSon", {{"Per_Code", "02"}, {"Per_Name", "Chai"}, {"Per_status", "A"}});
    insertRow(fx, "TR_PerSon", {{"Per_Code", "01"}, {"Per_Name", "Boon"}, {"Per_status", "A"}});
    insertRow(fx, "TR_PerSon", {{"Per_Code", "03"}, {"Per_Name", "Anan"}, {"Per_status", "N"}});
    insertRow(fx, "TR_DocType", {{"DocType_Code", "02"}, {"DocType_Name", "Loan"}});
    insertRow(fx, "TR_DocType", {{"DocType_Code", "01"}, {"DocType_Name", "Voucher"}});
}

// A finished document of January 2555 with an ERP row cleared that month, of type 01.
void addFinished(Fixture &fx, const QString &key = QStringLiteral("QDTX2555/00001"))
{
    fx.addDocument(key, {{"DocStatus", "4"},
                         {"Doc_Stat", Finished},
                         {"DocType_Code", "01"},
                         {"Topic", "Paper"},
                         {"To_Who", "Dean"},
                         {"FromSite", "Science"},
                         {"DocNoDate", "03/01/2555"},
                         {"Date_Into_Fin", "4/1/2555"},
                         {"Modified_Date", "09/01/2555"},
                         {"Per_Code", "01"},
                         {"SAP_Doc_No", "5100000001"},
                         {"SAP_Fiscal_Year", "2555"}});
    insertRow(fx, "M_Imp_ERP",
              {{"Fiscal_Year", "2555"},
               {"FI_Doc_No", "5100000001"},
               {"Clearing_Doc", "CL1"},
               {"Posting_Date", "06/01/2555"},
               {"Clearing_Date", "16/01/2555"}});
}

// A report screen opened on a catalog prepared before it opens.
struct Report {
    Report(const QString &backend, const ScreenFactory &make, const Prepare &prepare = {})
        : fx(backend)
    {
        if (prepare)
            prepare(fx);
        screen.reset(make(fx.session));
        // Room for the grid's rows, so that a double-click lands on them.
        screen->resize(1400, 1000);
        screen->show();
        fx.sent.clear();
    }
    ReportScreen *get() const { return static_cast<ReportScreen *>(screen.get()); }
    ReportScreen *operator->() const { return get(); }

    void run()
    {
        fx.sent.clear();
        fx.dialogs.clear();
        click(get(), "btnSelect_Data");
    }
    // The report's statement: the last one sent (the counting reports read the calendar first).
    QString statement() const { return fx.sent.isEmpty() ? QString() : fx.sent.constLast(); }

    Fixture fx;
    std::unique_ptr<QWidget> screen;
};

// The text a criteria control holds, as the screen reads it.
QString textOf(QWidget *screen, const QString &name)
{
    QWidget *w = screen->findChild<QWidget *>(name);
    if (auto *mask = qobject_cast<MaskEdit *>(w))
        return mask->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    return QStringLiteral("<no control %1>").arg(name);
}

QStringList itemsOf(QWidget *screen, const char *name)
{
    auto *combo = control<QComboBox>(screen, name);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

void setText(QWidget *screen, const char *name, const QString &text)
{
    if (auto *mask = qobject_cast<MaskEdit *>(control<QWidget>(screen, name)))
        mask->setText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(control<QWidget>(screen, name)))
        combo->setEditText(text);
    else
        control<QLineEdit>(screen, name)->setText(text);
}

void choose(QWidget *screen, const char *name, int index)
{
    control<QComboBox>(screen, name)->setCurrentIndex(index);
}

QStringList rowOf(Grid *g, int row)
{
    QStringList cells;
    for (int c = 0; c < g->colCount(); ++c)
        cells << g->cell(c, row);
    return cells;
}

// A double-click on the data row, as the user gives it.
void doubleClick(Grid *g, int row)
{
    const QRect at = g->visualRect(g->model()->index(row - 1, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at.center());
}

int rowOfKey(QWidget *screen, const QString &key)
{
    return int(listedKeys(screen).indexOf(key)) + 1;
}

QString panelText(QWidget *screen, const char *name)
{
    return control<QLineEdit>(control<QWidget>(screen, "Panel2"), name)->text();
}

const QStringList Documents{"SELECT Main_Deega_Control.*, TR_PerSon.*",
                            "FROM Main_Deega_Control LEFT JOIN TR_PerSon",
                            " ON Main_Deega_Control.Per_Code = TR_PerSon.Per_Code",
                            "Where (Main_Deega_Control.doc_pk is not null)"};

} // namespace

Q_DECLARE_METATYPE(Prepare)
Q_DECLARE_METATYPE(Act)

class TestReportScreens : public QObject {
    Q_OBJECT

private slots:
    // Names, captions and what every control holds when the screen opens.
    void opensWithItsControls_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("switches"); // objectName=caption, in order
        QTest::addColumn<QStringList>("texts");    // objectName=text
        QTest::addColumn<QStringList>("lists");    // objectName=item|item|...
        QTest::addColumn<bool>("breakdown");
        const QString officers = QStringLiteral("cmbPer_Code1=01 Boon|02 Chai");
        const QString cheque = QStringLiteral("cmbIS_Rec_Cheq1=N ยังไม่รับเช็ค|A รับเช็คแล้ว");
        const QString success = QStringLiteral("cmbIS_Success1=N ยังไม่เสร็จสิ้น|S เสร็จสิ้นแล้ว");
        const QStringList documentBoxes{"CheckBox1=เลขที่หนังสือ",    "CheckBox2=วันที่หนังสือ",
                                        "CheckBox3=เรื่อง",         "CheckBox4=เลขที่ฏีกา",
                                        "CheckBox5=ผู้รับผิดชอบ",     "CheckBox6=รับเช็ค หรือ ยัง",
                                        "CheckBox7=เสร็จสิ้น หรือ ยัง"};
        const QStringList documentTexts{
            "edtDocNumber1=", "edtDocDate1=  /  /    ", "edtTopic1=",     "edtDeega_No1=",
            "cmbPer_Code1=",  "cmbIS_Rec_Cheq1=",       "cmbIS_Success1="};

        QTest::newRow("days in division")
            << make<TfrmRep_Deega_No_date>() << "รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง"
            << documentBoxes + QStringList{"CheckBox8=วันที่หนังสือเข้ากองคลัง", "CheckBox9=สถานะเอกสาร"}
            << documentTexts + QStringList{"edtDocNoDate_Beg1=05/10/2557",
                                           "edtDocNoDate_End1=05/10/2557",
                                           "cmbDocStatus1=2. รอดำเนินการ"}
            << QStringList{officers, cheque, success,
                           "cmbDocStatus1=2. รอดำเนินการ|3. ติดตามดำเนินการ|4. เสร็จสิ้นดำเนินการ"}
            << true;
        QTest::newRow("movement detail")
            << make<TfrmRep_Detail_Deega>() << "รายงานรายละเอียดขั้นตอนฏีกา" << documentBoxes
            << documentTexts << QStringList{officers, cheque, success} << false;
        QTest::newRow("by document type")
            << make<TfrmRep_DivBy_DocType>() << "รายงานแบ่งตามประเภทเอกสาร"
            << QStringList{"CheckBox5=ผู้รับผิดชอบ", "CheckBox6=รับเช็ค หรือ ยัง",
                           "CheckBox7=เสร็จสิ้น หรือ ยัง"}
            << QStringList{"cmbDocType_Code=01 Voucher",
                           "cmbPer_Code1=", "cmbIS_Rec_Cheq1=", "cmbIS_Success1="}
            << QStringList{"cmbDocType_Code=01 Voucher|02 Loan", officers, cheque, success}
            << false;
        QTest::newRow("days to payment")
            << make<TfrmRep_Day_Kolvet>()
            << "รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง จนถึงจ่ายเจ้าหนี้ (KV-ERP)"
            << QStringList{"CheckBox1=เดือนปี Clearing Date(KV-ERP)", "CheckBox2=ประเภทเอกสาร"}
            << QStringList{"edtClearing_Date=10/2557", "cmbDocType_Code2="}
            << QStringList{"cmbDocType_Code2=01 Voucher|02 Loan"} << true;
        QTest::newRow("calendar of the year")
            << make<TfrmRep_Day_Of_Year>() << "รายงานวันที่ในแต่ละปี"
            << QStringList{"RadioButton1=ทั้งหมด", "RadioButton2=เฉพาะปี"}
            << QStringList{"edtSel_Year=2557"} << QStringList{} << false;
    }
    void opensWithItsControls()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(QString, title);
        QFETCH(QStringList, switches);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, lists);
        QFETCH(bool, breakdown);
        Report r(QStringLiteral("sqlite"), screen, addLists);
        QWidget *s = r.get();

        QCOMPARE(control<QLabel>(s, "Label1")->text(), title);
        QCOMPARE(control<QGroupBox>(s, "GroupBox1")->title(), QStringLiteral("1.กำหนดเงื่อนไข"));
        QCOMPARE(control<QGroupBox>(s, "GroupBox2")->title(), QStringLiteral("2. รายการที่ต้องการ"));
        QCOMPARE(control<QPushButton>(s, "btnSelect_Data")->text(), QStringLiteral("แสดงข้อมูล"));
        QCOMPARE(control<QPushButton>(s, "btnExit1")->text(), QStringLiteral("กลับสู่เมนูหลัก"));
        QCOMPARE(control<QPushButton>(s, "btnExp_excel")->text(),
                 QStringLiteral("3. ออกรายงานทาง MS Excel"));
        QVERIFY(grid(s));

        // Exactly these switches, in this order, as they start.
        QStringList shown;
        for (QAbstractButton *b : s->findChildren<QAbstractButton *>()) {
            if (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b))
                shown << b->objectName() + u'=' + b->text();
        }
        QCOMPARE(shown, switches);
        for (const QString &sw : switches) {
            const QString name = sw.section(u'=', 0, 0);
            const bool on = name == QLatin1String("RadioButton2");
            QCOMPARE(s->findChild<QAbstractButton *>(name)->isChecked(), on);
        }
        for (const QString &t : texts)
            QCOMPARE(textOf(s, t.section(u'=', 0, 0)), t.section(u'=', 1));
        for (const QString &l : lists) {
            const QString name = l.section(u'=', 0, 0);
            QCOMPARE(itemsOf(s, qPrintable(name)), l.section(u'=', 1).split(u'|'));
        }
        // The breakdown panel is there, hidden, only on the counting reports.
        auto *panel = s->findChild<QWidget *>(QStringLiteral("Panel2"));
        QCOMPARE(panel != nullptr, breakdown);
        if (panel)
            QVERIFY(panel->isHidden());
        QVERIFY(r.fx.dialogs.shown.isEmpty());
    }

    void rangeLabelAndTypeLabel()
    {
        const auto labels = [](QWidget *s) {
            QStringList out;
            for (QLabel *l : s->findChildren<QLabel *>())
                out << l->text();
            return out;
        };
        Report days(QStringLiteral("sqlite"), make<TfrmRep_Deega_No_date>());
        QVERIFY(labels(days.get()).contains(QStringLiteral("ถึงวันที่")));
        Report type(QStringLiteral("sqlite"), make<TfrmRep_DivBy_DocType>());
        QVERIFY(labels(type.get()).contains(QStringLiteral("ประเภทเอกสาร")));
        // No document type: the combo opens on a single blank and the search finds nothing.
        QCOMPARE(textOf(type.get(), QStringLiteral("cmbDocType_Code")), QStringLiteral(" "));
        type.fx.addDocument(QStringLiteral("QDTX2555/00001"), {{"DocStatus", "4"}});
        type.run();
        QCOMPARE(type.fx.dialogs.texts(), QStringList{msg::NotFound});
        QCOMPARE(type.statement().split(u'\n').constLast(),
                 QStringLiteral("And (Main_Deega_Control.DocType_Code =' ')"));
    }

    // The statement each screen sends for what was ticked and entered.
    void sendsItsStatement_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<Act>("enter");
        QTest::addColumn<QStringList>("expected");
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            const auto row = [&backend](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", qPrintable(backend), name) << backend;
            };
            row("days in division, nothing ticked")
                << make<TfrmRep_Deega_No_date>() << Act([](QWidget *) {}) << Documents;
            row("days in division, a mix")
                << make<TfrmRep_Deega_No_date>() << Act([](QWidget *s) {
                       tick(s, "CheckBox1");
                       typeInto(s, "edtDocNumber1", QStringLiteral("O'Neil"));
                       tick(s, "CheckBox2");
                       setText(s, "edtDocDate1", QStringLiteral("05/01/2555"));
                       tick(s, "CheckBox5");
                       choose(s, "cmbPer_Code1", 1);
                       tick(s, "CheckBox8");
                       setText(s, "edtDocNoDate_Beg1", QStringLiteral("01/01/2555"));
                       setText(s, "edtDocNoDate_End1", QStringLiteral("31/01/2555"));
                       tick(s, "CheckBox9");
                       choose(s, "cmbDocStatus1", 2);
                   })
                << Documents + QStringList{"And (Main_Deega_Control.DocNumber like '%O''Neil%')",
                                           "And (Main_Deega_Control.DocDate like '05/01/2555%')",
                                           "And (Main_Deega_Control.Per_Code ='02')",
                                           "And (DocNoDate_YYYYMMDD between '25550101' and "
                                           "'25550131')",
                                           "And (DocStatus ='4')"};
            row("days in division, empty inputs ticked")
                << make<TfrmRep_Deega_No_date>() << Act([](QWidget *s) {
                       tick(s, "CheckBox2");
                       tick(s, "CheckBox3");
                       tick(s, "CheckBox4");
                       tick(s, "CheckBox6");
                       tick(s, "CheckBox9");
                   })
                << Documents + QStringList{"And (Main_Deega_Control.DocDate like '  /  /    %')",
                                           "And (Main_Deega_Control.Topic like '%%')",
                                           "And (Main_Deega_Control.Deega_No like'%%')",
                                           "And (Main_Deega_Control.IS_Rec_Cheq ='')",
                                           "And (DocStatus ='2')"};
            row("movement detail, a mix")
                << make<TfrmRep_Detail_Deega>() << Act([](QWidget *s) {
                       tick(s, "CheckBox3");
                       setText(s, "edtTopic1", QStringLiteral("ซื้อ"));
                       tick(s, "CheckBox4");
                       setText(s, "edtDeega_No1", QStringLiteral("12"));
                       tick(s, "CheckBox6");
                       choose(s, "cmbIS_Rec_Cheq1", 1);
                       tick(s, "CheckBox7");
                       setText(s, "cmbIS_Success1", QStringLiteral("S typed"));
                   })
                << Documents + QStringList{"And (Main_Deega_Control.Topic like '%ซื้อ%')",
                                           "And (Main_Deega_Control.Deega_No like'%12%')",
                                           "And (Main_Deega_Control.IS_Rec_Cheq ='A')",
                                           "And (Main_Deega_Control.IS_Success ='S')",
                                           "And (Main_Deega_Control.DocStatus ='4')"};
            row("by document type, as it opens")
                << make<TfrmRep_DivBy_DocType>() << Act([](QWidget *) {})
                << Documents + QStringList{"And (Main_Deega_Control.DocType_Code ='01')"};
            row("by document type, another type and an officer")
                << make<TfrmRep_DivBy_DocType>() << Act([](QWidget *s) {
                       choose(s, "cmbDocType_Code", 1);
                       tick(s, "CheckBox5");
                       choose(s, "cmbPer_Code1", 0);
                       tick(s, "CheckBox7");
                       choose(s, "cmbIS_Success1", 0);
                   })
                << Documents + QStringList{"And (Main_Deega_Control.DocType_Code ='02')",
                                           "And (Main_Deega_Control.Per_Code ='01')",
                                           "And (Main_Deega_Control.IS_Success ='N')"};
            row("by document type, type cleared")
                << make<TfrmRep_DivBy_DocType>()
                << Act([](QWidget *s) { setText(s, "cmbDocType_Code", QString()); })
                << Documents + QStringList{"And (Main_Deega_Control.DocType_Code ='')"};
            const QStringList erp{
                "SELECT Main_Deega_Control.*, M_Imp_ERP.*",
                "FROM Main_Deega_Control LEFT JOIN M_Imp_ERP ON (Main_Deega_Control.SAP_Doc_No = "
                "M_Imp_ERP.FI_Doc_No)",
                "AND (Main_Deega_Control.SAP_Fiscal_Year = M_Imp_ERP.Fiscal_Year)",
                "WHERE (M_Imp_ERP.Clearing_Doc<>'')"};
            row("days to payment, nothing ticked")
                << make<TfrmRep_Day_Kolvet>() << Act([](QWidget *) {}) << erp;
            row("days to payment, both boxes")
                << make<TfrmRep_Day_Kolvet>() << Act([](QWidget *s) {
                       tick(s, "CheckBox1");
                       tick(s, "CheckBox2");
                       choose(s, "cmbDocType_Code2", 1);
                   })
                << erp + QStringList{"AND (SUBSTring(Clearing_Date,4,7)='10/2557')",
                                     "AND (Main_Deega_Control.DocType_Code='02')"};
            const QStringList calendar{"SELECT *", "FROM TR_Day_Calendar",
                                       "Where (D_YYYYMMDD is not null )"};
            row("calendar, the current year")
                << make<TfrmRep_Day_Of_Year>() << Act([](QWidget *) {})
                << calendar +
                       QStringList{"And (SUBSTRING(d_yyyymmdd,1,4)='2557')", "Order by D_YYYYMMDD"};
            row("calendar, all") << make<TfrmRep_Day_Of_Year>() << Act([](QWidget *s) {
                control<QRadioButton>(s, "RadioButton1")->click();
            }) << calendar + QStringList{"Order by D_YYYYMMDD"};
        }
    }
    void sendsItsStatement()
    {
        QFETCH(QString, backend);
        QFETCH(ScreenFactory, screen);
        QFETCH(Act, enter);
        QFETCH(QStringList, expected);
        REQUIRE_BACKEND(backend);
        Report r(backend, screen, addLists);
        enter(r.get());
        r.run();
        QCOMPARE(r.statement().split(u'\n'), expected);
        // Nothing matches in an empty catalog, and nothing failed.
        QCOMPARE(r.fx.dialogs.texts(), QStringList{msg::NotFound});
    }

    // A ticked date, range end or month box holding no real day is told by its caption, gets
    // the focus, and the report does not run; a d/m/yyyy day runs as the box's dd/mm/yyyy.
    void impossibleCriteriaDatesRefused_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<QString>("tickBox");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("letter date") << make<TfrmRep_Deega_No_date>() << "CheckBox2" << "edtDocDate1"
                                     << "30/02/2555" << "วันที่หนังสือ";
        QTest::newRow("half typed") << make<TfrmRep_Deega_No_date>() << "CheckBox2" << "edtDocDate1"
                                    << "05/01/25  " << "วันที่หนังสือ";
        QTest::newRow("range end") << make<TfrmRep_Deega_No_date>() << "CheckBox8"
                                   << "edtDocNoDate_End1" << "32/01/2555" << "";
        QTest::newRow("clearing month") << make<TfrmRep_Day_Kolvet>() << "CheckBox1"
                                        << "edtClearing_Date" << "13/2557" << "";
    }
    void impossibleCriteriaDatesRefused()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(QString, tickBox);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, caption);
        Report r(QStringLiteral("sqlite"), screen, addLists);
        tick(r.get(), qPrintable(tickBox));
        setText(r.get(), qPrintable(box), typed);
        r.run();
        QCOMPARE(r.fx.dialogs.texts().size(), 1);
        QVERIFY2(r.fx.dialogs.texts().first().contains(u'"' + textOf(r.get(), box) + u'"'),
                 qPrintable(r.fx.dialogs.texts().first()));
        QVERIFY(r.fx.dialogs.texts().first().startsWith(caption));
        QVERIFY(r.fx.sent.isEmpty());
        QCOMPARE(r.get()->window()->focusWidget(), control<QWidget>(r.get(), qPrintable(box)));
    }

    void dayWithoutLeadingZerosRuns()
    {
        Report r(QStringLiteral("sqlite"), make<TfrmRep_Deega_No_date>(), addLists);
        tick(r.get(), "CheckBox2");
        setText(r.get(), "edtDocDate1", QStringLiteral(" 5/ 1/2555"));
        r.run();
        QCOMPARE(r.statement().split(u'\n').last(),
                 QStringLiteral("And (Main_Deega_Control.DocDate like '05/01/2555%')"));
    }

    // A run that finds nothing after one that found rows: the message, the old header and one
    // blank data row.
    void notFoundKeepsTheHeader_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<Act>("narrow");
        QTest::addColumn<QString>("firstKey"); // column 1 of the first run's row
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            const auto row = [&backend](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", qPrintable(backend), name) << backend;
            };
            const Prepare finished = [](Fixture &fx) {
                addLists(fx);
                makeCalendar2555(fx.db());
                addFinished(fx);
            };
            const Act documentNumber = [](QWidget *s) {
                tick(s, "CheckBox1");
                setText(s, "edtDocNumber1", QStringLiteral("no such number"));
            };
            row("days in division")
                << make<TfrmRep_Deega_No_date>() << finished << documentNumber << "QDTX2555/00001";
            row("movement detail")
                << make<TfrmRep_Detail_Deega>() << finished << documentNumber << "QDTX2555/00001";
            row("by document type")
                << make<TfrmRep_DivBy_DocType>() << finished
                << Act([](QWidget *s) { choose(s, "cmbDocType_Code", 1); }) << "QDTX2555/00001";
            row("days to payment") << make<TfrmRep_Day_Kolvet>() << finished << Act([](QWidget *s) {
                tick(s, "CheckBox1");
                setText(s, "edtClearing_Date", QStringLiteral("02/2555"));
            }) << "QDTX2555/00001";
            row("calendar, a Gregorian year")
                << make<TfrmRep_Day_Of_Year>()
                << Prepare([](Fixture &fx) { generateCalendar(fx.db(), 2557, 2557); })
                << Act([](QWidget *s) { setText(s, "edtSel_Year", QStringLiteral("2014")); })
                << "'01/01/2014";
        }
    }
    void notFoundKeepsTheHeader()
    {
        QFETCH(QString, backend);
        QFETCH(ScreenFactory, screen);
        QFETCH(Prepare, prepare);
        QFETCH(Act, narrow);
        QFETCH(QString, firstKey);
        REQUIRE_BACKEND(backend);
        Report r(backend, screen, prepare);
        const report::Shape &shape = r->shape();
        Grid *g = grid(r.get());

        r.run();
        QVERIFY2(r.fx.dialogs.shown.isEmpty(), qPrintable(r.fx.dialogs.texts().join(u'\n')));
        const QStringList header = report::headerRow(shape);
        QCOMPARE(g->colCount(), header.size());
        QCOMPARE(rowOf(g, 0), header);
        QCOMPARE(g->cell(0, 1), QStringLiteral("1"));
        QCOMPARE(g->cell(1, 1), firstKey);
        const QList<int> widths = report::widths(shape);
        for (int c = 0; c < widths.size(); ++c) {
            if (widths.at(c) > 0)
                QCOMPARE(g->colWidth(c), widths.at(c));
        }

        narrow(r.get());
        r.run();
        QCOMPARE(r.fx.dialogs.texts(), QStringList{msg::NotFound});
        QCOMPARE(g->rowCount(), 2);
        QCOMPARE(g->colCount(), header.size());
        QCOMPARE(rowOf(g, 0), header);
        QCOMPARE(rowOf(g, 1), QStringList(header.size(), QString()));
    }

    // The current year from the first of January, every generated day in order, no Gregorian
    // year.
    void calendarOfTheYear_data() { TestCatalog::addBackendRows(); }
    void calendarOfTheYear()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Report r(backend, make<TfrmRep_Day_Of_Year>(),
                 [](Fixture &fx) { generateCalendar(fx.db(), 2556, 2557); });
        Grid *g = grid(r.get());
        r.run();
        QCOMPARE(g->rowCount(), 365 + 1);
        QCOMPARE(g->cell(2, 1), QStringLiteral("'01/01/2557"));
        QCOMPARE(g->cell(1, 1), QStringLiteral("'01/01/2014"));
        QCOMPARE(g->cell(2, 365), QStringLiteral("'31/12/2557"));

        control<QRadioButton>(r.get(), "RadioButton1")->click();
        r.run();
        QCOMPARE(g->rowCount(), 2 * 365 + 1);
        QDate d(2013, 1, 1);
        for (int row = 1; row < g->rowCount(); ++row, d = d.addDays(1))
            QCOMPARE(g->cell(1, row), u'\'' + d.toString(QStringLiteral("dd/MM/yyyy")));
        QVERIFY(r.fx.dialogs.shown.isEmpty());
    }

    // Double-clicks on the days-in-division grid: refused for a document not finished or
    // without its dates, the panel with the row's counts for a finished one.
    void daysInDivisionBreakdown_data() { TestCatalog::addBackendRows(); }
    void daysInDivisionBreakdown()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Report r(backend, make<TfrmRep_Deega_No_date>(), [](Fixture &fx) {
            makeCalendar2555(fx.db());
            addFinished(fx);
            fx.addDocument(QStringLiteral("QDTX2555/00002"),
                           {{"DocStatus", "3"},
                            {"Doc_Stat", QStringLiteral("ติดตามดำเนินการ")},
                            {"Date_Into_Fin", "04/01/2555"},
                            {"Modified_Date", "09/01/2555"}});
            fx.addDocument(
                QStringLiteral("QDTX2555/00003"),
                {{"DocStatus", "4"}, {"Doc_Stat", Finished}, {"Date_Into_Fin", "04/01/2555"}});
        });
        r.run();
        Grid *g = grid(r.get());
        QWidget *panel = control<QWidget>(r.get(), "Panel2");

        doubleClick(g, rowOfKey(r.get(), "QDTX2555/00002"));
        QCOMPARE(r.fx.dialogs.texts(), QStringList{reports::NotFinished});
        QVERIFY(!panel->isVisible());

        r.fx.dialogs.clear();
        doubleClick(g, rowOfKey(r.get(), "QDTX2555/00003"));
        QCOMPARE(r.fx.dialogs.texts(), QStringList{reports::CannotCount});
        QVERIFY(!panel->isVisible());

        r.fx.dialogs.clear();
        const int row = rowOfKey(r.get(), "QDTX2555/00001");
        QCOMPARE(g->cell(11, row), QStringLiteral("6"));
        doubleClick(g, row);
        QVERIFY(r.fx.dialogs.shown.isEmpty());
        QVERIFY(panel->isVisible());
        QCOMPARE(panelText(r.get(), "edtTopic2"), QStringLiteral("Paper"));
        QCOMPARE(panelText(r.get(), "edtTo_Who2"), QStringLiteral("Dean"));
        QCOMPARE(panelText(r.get(), "edtFrom_Site2"), QStringLiteral("Science"));
        QCOMPARE(panelText(r.get(), "edtNo_Date"), g->cell(11, row));
        QCOMPARE(panelText(r.get(), "edtNo_Stop_Day"), g->cell(12, row));
        QCOMPARE(panelText(r.get(), "edtSum1"), g->cell(13, row));
        click(panel, "Button1");
        QVERIFY(!panel->isVisible());
    }

    // The days-to-payment breakdown covers range A, and a row without a posting date (the
    // apostrophe alone in column 10) is refused.
    void daysToPaymentBreakdown_data() { TestCatalog::addBackendRows(); }
    void daysToPaymentBreakdown()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Report r(backend, make<TfrmRep_Day_Kolvet>(), [](Fixture &fx) {
            makeCalendar2555(fx.db());
            addFinished(fx);
            fx.addDocument(QStringLiteral("QDTX2555/00002"), {{"Date_Into_Fin", "04/01/2555"},
                                                              {"SAP_Doc_No", "5100000002"},
                                                              {"SAP_Fiscal_Year", "2555"}});
            insertRow(fx, "M_Imp_ERP",
                      {{"Fiscal_Year", "2555"},
                       {"FI_Doc_No", "5100000002"},
                       {"Clearing_Doc", "CL2"},
                       {"Clearing_Date", "16/01/2555"}});
        });
        r.run();
        Grid *g = grid(r.get());
        QWidget *panel = control<QWidget>(r.get(), "Panel2");
        QCOMPARE(g->rowCount(), 3);

        const int unposted = rowOfKey(r.get(), "QDTX2555/00002");
        QCOMPARE(g->cell(10, unposted), QStringLiteral("'"));
        doubleClick(g, unposted);
        QCOMPARE(r.fx.dialogs.texts(), QStringList{reports::CannotCount});
        QVERIFY(!panel->isVisible());

        r.fx.dialogs.clear();
        const int posted = rowOfKey(r.get(), "QDTX2555/00001");
        QCOMPARE(g->cell(9, posted), QStringLiteral("'04/01/2555"));
        QCOMPARE(g->cell(11, posted), QStringLiteral("3")); // Wednesday to Friday
        doubleClick(g, posted);
        QVERIFY(r.fx.dialogs.shown.isEmpty());
        QVERIFY(panel->isVisible());
        QCOMPARE(panelText(r.get(), "edtNo_Date"), g->cell(11, posted));
        QCOMPARE(panelText(r.get(), "edtNo_Stop_Day"), g->cell(12, posted));
        QCOMPARE(panelText(r.get(), "edtSum1"), g->cell(13, posted));
        QCOMPARE(control<Grid>(panel, "StringGrid2")->cell(2, 1), QStringLiteral("'04/01/2555"));
    }

    // The export: the grid as shown, into a workbook read back here.
    void exportsTheGrid_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<Act>("enter");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("line2"); // A2
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<QStringList>("row5"); // A5, B5, C5 as read back
        QTest::newRow("days in division")
            << make<TfrmRep_Deega_No_date>() << Act([](QWidget *) {}) << "รายงานฏีกา "
            << ""
            << "portrait" << QStringList{"1", "QDTX2555/00001", ""};
        QTest::newRow("movement detail")
            << make<TfrmRep_Detail_Deega>() << Act([](QWidget *) {}) << "รายงานฏีกา "
            << ""
            << "portrait" << QStringList{"1", "QDTX2555/00001", "03/01/2555"};
        QTest::newRow("by document type")
            << make<TfrmRep_DivBy_DocType>() << Act([](QWidget *) {})
            << "รายงานฏีกา แยกตามประเภทเอกสาร"
            << ""
            << "portrait" << QStringList{"1", "QDTX2555/00001", "03/01/2555"};
        QTest::newRow("days to payment")
            << make<TfrmRep_Day_Kolvet>() << Act([](QWidget *) {}) << "รายงานฏีกา "
            << ""
            << "landscape" << QStringList{"1", "QDTX2555/00001", ""};
        QTest::newRow("days to payment, type ticked")
            << make<TfrmRep_Day_Kolvet>() << Act([](QWidget *s) {
                   tick(s, "CheckBox2");
                   choose(s, "cmbDocType_Code2", 0);
               })
            << "รายงานฏีกา "
            << "ประเภทเอกสาร 01 Voucher"
            << "landscape" << QStringList{"1", "QDTX2555/00001", ""};
        QTest::newRow("calendar of the year")
            << make<TfrmRep_Day_Of_Year>()
            << Act([](QWidget *s) { setText(s, "edtSel_Year", QStringLiteral("2555")); })
            << "รายงานวันในแต่ละปี "
            << ""
            << "portrait" << QStringList{"1", "01/01/2012", "01/01/2555"};
    }
    void exportsTheGrid()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(Act, enter);
        QFETCH(QString, title);
        QFETCH(QString, line2);
        QFETCH(QString, orientation);
        QFETCH(QStringList, row5);
        Report r(QStringLiteral("sqlite"), screen, [](Fixture &fx) {
            addLists(fx);
            makeCalendar2555(fx.db());
            addFinished(fx);
        });
        QTemporaryDir folder;
        r->setExportFolder(folder.path(), false);
        enter(r.get());
        r.run();
        Grid *g = grid(r.get());
        click(r.get(), "btnExp_excel");
        QVERIFY2(r.fx.dialogs.shown.isEmpty(), qPrintable(r.fx.dialogs.texts().join(u'\n')));

        const QStringList written = QDir(folder.path()).entryList({QStringLiteral("*.xlsx")});
        QCOMPARE(written.size(), 1);
        XlsxReadback book;
        QVERIFY2(book.load(QDir(folder.path()).filePath(written.at(0))), qPrintable(book.error));
        QCOMPARE(book.sheetNames, QStringList{QStringLiteral("Text 1")});
        QCOMPARE(book.text(QStringLiteral("A1")), title);
        QCOMPARE(book.text(QStringLiteral("A2")), line2);
        QCOMPARE(book.pageSetup.value(QStringLiteral("orientation")), orientation);
        const QStringList header = report::headerRow(r->shape());
        for (int c = 0; c < header.size(); ++c)
            QCOMPARE(book.text(spreadsheet::columnLetter(c) + u'4'), header.at(c));
        QCOMPARE(book.text(spreadsheet::columnLetter(header.size()) + u'4'), QString());
        for (int c = 0; c < row5.size(); ++c)
            QCOMPARE(book.text(spreadsheet::columnLetter(c) + u'5'), row5.at(c));
        // The last row of the grid is the last row of the sheet.
        const int last = g->rowCount() + 3;
        QCOMPARE(book.text(QStringLiteral("A%1").arg(last)), QString::number(g->rowCount() - 1));
        QVERIFY(!book.has(QStringLiteral("A%1").arg(last + 1)));
    }

    // "บันทึกเป็น PDF": the grid shown, under the report's title and the criteria of its run.
    void savesTheGridAsPdf_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<Act>("enter");
        QTest::addColumn<QStringList>("expected"); // texts the PDF holds
        QTest::newRow("days in division, officer ticked")
            << make<TfrmRep_Deega_No_date>() << Act([](QWidget *s) {
                   tick(s, "CheckBox5");
                   choose(s, "cmbPer_Code1", 0);
               })
            << QStringList{"รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง", "ผู้รับผิดชอบ: 01 Boon",
                           "QDTX2555/00001", "วันที่เรื่องเข้ากองครั้งสุดท้าย"};
        QTest::newRow("days to payment, wide") << make<TfrmRep_Day_Kolvet>() << Act([](QWidget *s) {
            tick(s, "CheckBox1");
            setText(s, "edtClearing_Date", QStringLiteral("01/2555"));
        }) << QStringList{"เดือนปี Clearing Date(KV-ERP): 01/2555", "QDTX2555/00001", "Clearing_Doc"};
        QTest::newRow("calendar of the year") << make<TfrmRep_Day_Of_Year>() << Act([](QWidget *s) {
            setText(s, "edtSel_Year", QStringLiteral("2555"));
        }) << QStringList{"รายงานวันที่ในแต่ละปี", "เฉพาะปี: 2555", "01/01/2555", "Day Remark"};
    }
    void savesTheGridAsPdf()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(Act, enter);
        QFETCH(QStringList, expected);
        Report r(QStringLiteral("sqlite"), screen, [](Fixture &fx) {
            addLists(fx);
            makeCalendar2555(fx.db());
            addFinished(fx);
        });
        QTemporaryDir folder;
        QString answer;
        QStringList asked;
        r->choosePdfFile = [&](QWidget *, const QString &suggested) {
            asked << suggested;
            return answer;
        };
        QCOMPARE(control<QPushButton>(r.get(), "btnSavePdf")->text(),
                 QStringLiteral("บันทึกเป็น PDF"));
        // Nothing shown yet: nothing to save.
        click(r.get(), "btnSavePdf");
        QCOMPARE(r.fx.dialogs.texts(), QStringList{msg::NotFound});
        QVERIFY(asked.isEmpty());

        enter(r.get());
        r.run();
        // The user gives no file: nothing happens.
        click(r.get(), "btnSavePdf");
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first().endsWith(r->shape().title + QStringLiteral(".pdf")));
        QVERIFY(r.fx.dialogs.shown.isEmpty());

        // Criteria changed after the run do not change what the saved rows were run for.
        if (r->findChild<QAbstractButton *>(QStringLiteral("CheckBox6")))
            tick(r.get(), "CheckBox6");
        answer = folder.filePath(QStringLiteral("รายงาน.pdf"));
        r.fx.session.Today_Thai = QStringLiteral("15/02/2555");
        click(r.get(), "btnSavePdf");
        QCOMPARE(r.fx.dialogs.texts(),
                 QStringList{QStringLiteral("บันทึกรายงานลงแฟ้ม %1 เรียบร้อยแล้ว").arg(answer)});
        const PdfReadback pdf = readPdf(answer);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QVERIFY(pdf.pages >= 1);
        const QString text = pdf.text.simplified();
        for (const QString &e : expected)
            QVERIFY2(text.contains(e), qPrintable(e + u'\n' + text));
        QVERIFY(!text.contains(QStringLiteral("รับเช็ค หรือ ยัง")));
        QVERIFY(text.contains(QStringLiteral("พิมพ์วันที่ 15/02/2555")));

        // A file that cannot be written: the error box, and no file.
        r.fx.dialogs.clear();
        answer = folder.filePath(QStringLiteral("none/รายงาน.pdf"));
        click(r.get(), "btnSavePdf");
        QCOMPARE(r.fx.dialogs.shown.size(), 1);
        QCOMPARE(r.fx.dialogs.shown.at(0).kind, ScriptedDialogs::Shown::Error);
        QVERIFY(!QFile::exists(answer));
    }

    // The PDF holds the rows as shown: sorted by the user, narrowed by the find box.
    void pdfTakesTheRowsAsShown()
    {
        Report r(QStringLiteral("sqlite"), make<TfrmRep_Day_Of_Year>(),
                 [](Fixture &fx) { makeCalendar2555(fx.db()); });
        setText(r.get(), "edtSel_Year", QStringLiteral("2555"));
        r.run();
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("ปฏิทิน.pdf"));
        r->choosePdfFile = [&](QWidget *, const QString &) { return file; };
        Grid *g = control<Grid>(r.get(), "StringGrid1");
        const int dates =
            static_cast<int>(report::headerRow(r->shape()).indexOf(QStringLiteral("Thai Date")));
        QVERIFY(dates >= 0);
        g->sortByColumn(dates, Qt::DescendingOrder);
        g->setFindText(QStringLiteral("15/0"));
        click(r.get(), "btnSavePdf");
        QCOMPARE(r.fx.dialogs.texts(),
                 QStringList{QStringLiteral("บันทึกรายงานลงแฟ้ม %1 เรียบร้อยแล้ว").arg(file)});
        const QString text = readPdf(file).text.simplified();
        qsizetype at = 0;
        for (int month = 9; month >= 1; --month) {
            const QString day = QStringLiteral("15/%1/2555").arg(month, 2, 10, QChar(u'0'));
            at = text.indexOf(day, at);
            QVERIFY2(at >= 0, qPrintable(day + u'\n' + text));
        }
        for (const char *hidden : {"15/10/2555", "14/09/2555", "16/01/2555"})
            QVERIFY2(!text.contains(QLatin1String(hidden)), hidden);
    }

    // A reports folder that cannot be made is told when the user exports, not when the screen
    // opens.
    void unwritableReportsFolderToldAtExport()
    {
        QTemporaryDir home;
        QFile blocker(home.filePath(QStringLiteral("Documents"))); // a file where the folder goes
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        struct Env {
            const char *name;
            QByteArray old = qgetenv(name);
            bool had = qEnvironmentVariableIsSet(name);
            ~Env() { had ? qputenv(name, old) : qunsetenv(name); }
        } homeVar{"HOME"}, configVar{"XDG_CONFIG_HOME"};
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));

        Report r(QStringLiteral("sqlite"), make<TfrmRep_Detail_Deega>());
        QVERIFY(r.fx.dialogs.shown.isEmpty());
        click(r.get(), "btnExp_excel");
        QCOMPARE(r.fx.dialogs.shown.size(), 1);
        QCOMPARE(r.fx.dialogs.shown.at(0).kind, ScriptedDialogs::Shown::Error);
        QVERIFY(r.fx.dialogs.last().startsWith(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์")));
    }
};

QTEST_MAIN(TestReportScreens)
#include "tst_report_screens.moc"
