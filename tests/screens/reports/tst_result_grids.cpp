// The screens' result grids sort and narrow; the grids the user fills or saves from do not. What
// a screen does with "the chosen row" (the breakdown, the choose) takes the row the user sees.

#include "WorkflowFixture.h"
#include "screens/calendar/UCreate_Calendar.h"
#include "screens/calendar/UEntry_Stop_Day.h"
#include "screens/calendar/URep_Day_Of_Year.h"
#include "screens/erp/URep_Day_Kolvet.h"
#include "screens/guarantee/UEntry_DateRecCheque.h"
#include "screens/guarantee/UEntry_Money_Promise.h"
#include "screens/guarantee/URep_Money_Pormise.h"
#include "screens/imports/UImp_Day_Stop.h"
#include "screens/imports/UImp_Excel_Deega.h"
#include "screens/imports/UImp_Excel_KVERP.h"
#include "screens/reports/URep_Deega_No_date.h"
#include "screens/reports/URep_Detail_Deega.h"
#include "screens/reports/URep_DivBy_DocType.h"
#include "screens/workflow/UEntry_Deega_No.h"
#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

using namespace Qt::StringLiterals;

namespace {

template <class T> ScreenFactory make()
{
    return [](Session &s) -> QWidget * { return new T(s); };
}

bool hasFindBar(Grid *g)
{
    return g->parentWidget()->findChild<QWidget *>(u"findBar"_s, Qt::FindDirectChildrenOnly);
}

void doubleClickShown(Grid *g, int shownRow)
{
    const QRect at = g->visualRect(g->model()->index(shownRow - 1, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at.center());
}

QString panelText(QWidget *screen, const char *name)
{
    return control<QLineEdit>(control<QWidget>(screen, "Panel2"), name)->text();
}

// Finished documents of January 2555 whose stays differ in length.
void addStays(Fixture &fx)
{
    const QString finished = u"เสร็จสิ้นดำเนินการ"_s;
    const QList<QStringList> stays{{u"QDTX2555/00001"_s, u"04/01/2555"_s, u"09/01/2555"_s},
                                   {u"QDTX2555/00002"_s, u"04/01/2555"_s, u"20/01/2555"_s},
                                   {u"QDTX2555/00003"_s, u"10/01/2555"_s, u"11/01/2555"_s}};
    for (const QStringList &s : stays)
        fx.addDocument(s.at(0), {{"DocStatus", "4"},
                                 {"Doc_Stat", finished},
                                 {"Topic", u"เรื่อง "_s + s.at(0).right(1)},
                                 {"Date_Into_Fin", s.at(1)},
                                 {"Modified_Date", s.at(2)}});
}

} // namespace

class TestResultGrids : public QObject {
    Q_OBJECT

private slots:
    void resultGridsOnly_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<bool>("result");
        QTest::newRow("days in division") << make<TfrmRep_Deega_No_date>() << true;
        QTest::newRow("movement detail") << make<TfrmRep_Detail_Deega>() << true;
        QTest::newRow("by document type") << make<TfrmRep_DivBy_DocType>() << true;
        QTest::newRow("days to payment") << make<TfrmRep_Day_Kolvet>() << true;
        QTest::newRow("calendar of the year") << make<TfrmRep_Day_Of_Year>() << true;
        QTest::newRow("guarantee register") << make<TfrmRep_Money_Pormise>() << true;
        QTest::newRow("voucher number") << make<TfrmEntry_Deega_No>() << true;
        QTest::newRow("cheque appointment") << make<TfrmEntry_Nud_Rec_Cheq>() << true;
        QTest::newRow("guarantee finder") << make<TfrmEntry_Money_Promise>() << true;
        QTest::newRow("guarantee cheque finder") << make<TfrmEntry_DateRecCheque>() << true;
        // The rows these show are what gets saved, in the order read.
        QTest::newRow("voucher import") << make<TfrmImp_Excel_Deega>() << false;
        QTest::newRow("holiday import") << make<TfrmImp_Day_Stop>() << false;
        QTest::newRow("ERP import") << make<TfrmImp_Excel_KVERP>() << false;
        QTest::newRow("calendar generation") << make<TfrmCreate_Calendar>() << false;
        QTest::newRow("fixed holidays") << make<TfrmEntry_Stop_Day>() << false;
    }
    void resultGridsOnly()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(bool, result);
        Open o(u"sqlite"_s, screen);
        Grid *g = grid(o.get());
        QCOMPARE(g->isSortingEnabled(), result);
        QCOMPARE(hasFindBar(g), result);
    }

    void breakdownOfTheShownRow_data() { TestCatalog::addBackendRows(); }
    void breakdownOfTheShownRow()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture fx(backend);
        makeCalendar2555(fx.db());
        addStays(fx);
        std::unique_ptr<QWidget> s(new TfrmRep_Deega_No_date(fx.session));
        s->resize(1400, 1000);
        s->show();
        click(s.get(), "btnSelect_Data");
        Grid *g = grid(s.get());
        QCOMPARE(g->rowCount(), 4);

        // Longest stay first: 4 to 20 January.
        g->sortByColumn(11, Qt::DescendingOrder);
        QCOMPARE(g->shownCell(1, 1), u"QDTX2555/00002"_s);
        doubleClickShown(g, 1);
        QVERIFY(fx.dialogs.shown.isEmpty());
        QCOMPARE(panelText(s.get(), "edtTopic2"), u"เรื่อง 2"_s);
        QCOMPARE(panelText(s.get(), "edtNo_Date"), u"17"_s);
        QCOMPARE(panelText(s.get(), "edtNo_Date"), g->shownCell(11, 1));
        click(control<QWidget>(s.get(), "Panel2"), "Button1");

        g->setFindText(u"00003"_s);
        doubleClickShown(g, 1);
        QCOMPARE(panelText(s.get(), "edtTopic2"), u"เรื่อง 3"_s);
        QCOMPARE(panelText(s.get(), "edtNo_Date"), u"2"_s);
    }

    void chooseTakesTheShownRow()
    {
        Open o(u"sqlite"_s, make<TfrmEntry_Nud_Rec_Cheq>());
        o.fx.addDocument(u"QDTX2557/00007"_s, {{"Deega_No", "D7"}});
        o.fx.addDocument(u"QDTX2557/00008"_s, {{"Deega_No", "D8"}});
        o.fx.addDocument(u"QDTX2557/00009"_s, {{"Deega_No", "D9"}});
        click(o.get(), "RadioButton1");
        click(o.get(), "btnSelect_Data");
        Grid *g = grid(o.get());
        QCOMPARE(g->rowCount(), 4);

        g->sortByColumn(1, Qt::DescendingOrder);
        QVERIFY(QTest::qWaitForWindowExposed(o.get()));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(1, 1)).center());
        click(o.get(), "BitBtn3");
        QCOMPARE(control<QLineEdit>(o.get(), "edtDoc_PK2")->text(), u"QDTX2557/00008"_s);
        QCOMPARE(control<QLineEdit>(o.get(), "edtDeega_No2")->text(), u"D8"_s);
        click(o.get(), "btnExit2");

        g->setFindText(u"00007"_s);
        click(o.get(), "BitBtn3");
        QCOMPARE(control<QLineEdit>(o.get(), "edtDoc_PK2")->text(), u"QDTX2557/00007"_s);
        click(o.get(), "btnExit2");

        // Nothing shown, nothing chosen: the choose finds no document, as on a blank row.
        g->setFindText(u"ไม่มี"_s);
        o.fx.dialogs.clear();
        click(o.get(), "BitBtn3");
        QCOMPARE(control<QLineEdit>(o.get(), "edtDoc_PK2")->text(), QString());
        QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::SystemFailure});
    }
};

QTEST_MAIN(TestResultGrids)
#include "tst_result_grids.moc"
