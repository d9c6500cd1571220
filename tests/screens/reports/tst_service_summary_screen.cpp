// The service-level summary screen: how it opens, what it refuses, its grids against the tool's
// lines for the same criteria, a group's documents as the days-in-division report lists them,
// and its exports.

#include "PdfReadback.h"
#include "WorkflowFixture.h"
#include "XlsxReadback.h"
#include "core/Calendar.h"
#include "core/Report.h"
#include "core/Reports.h"
#include "screens/charts/Charts.h"
#include "screens/charts/ChartsPanel.h"
#include "screens/common/MaskEdit.h"
#include "screens/reports/ServiceSummaryScreen.h"
#include "spreadsheet/ReportExport.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

const QString Finished = QStringLiteral("เสร็จสิ้นดำเนินการ");

// The session's fiscal year 2015 runs 01/10/2557 to 30/09/2558; today is 05/10/2557.
// Working days by hand: S1 Wed-Fri 3; S2 06-14/10 7; S3 Sat-Mon 1; S4 September 2558 22.
// Open: S5 since Wed 01/10, 3; S6 since Mon 15/09, 15. S7 left the day before the period.
void fill(Fixture &fx)
{
    generateCalendar(fx.db(), 2557, 2558);
    fx.db().execute(db::Statement{QStringLiteral(
        "INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES ('01', 'สมชาย', 'A'), "
        "('02', 'สมหญิง', 'A')")});
    fx.db().execute(db::Statement{QStringLiteral(
        "INSERT INTO TR_DocType (DocType_Code, DocType_Name) VALUES ('01', 'ค่าใช้จ่ายทั่วไป'), "
        "('02', 'ค่าสาธารณูปโภค')")});
    struct Doc {
        const char *key, *officer, *type, *status, *entry, *exit;
    };
    const Doc docs[] = {
        {"S1", "01", "01", "4", "01/10/2557", "03/10/2557"},
        {"S2", "01", "02", "4", "06/10/2557", "14/10/2557"},
        {"S3", "02", "01", "4", "01/11/2557", "03/11/2557"},
        {"S4", "", "01", "4", "01/09/2558", "30/09/2558"},
        {"S5", "02", "01", "3", "01/10/2557", ""},
        {"S6", "01", "02", "2", "15/09/2557", ""},
        {"S7", "01", "01", "4", "25/09/2557", "30/09/2557"},
    };
    for (const Doc &d : docs) {
        QMap<QString, QString> values{{"DocType_Code", d.type},
                                      {"DocStatus", d.status},
                                      {"Date_Into_Fin", d.entry},
                                      {"Modified_Date", d.exit},
                                      {"Topic", QStringLiteral("เรื่อง ") + d.key},
                                      {"Doc_Stat", d.status == QLatin1String("4")
                                                       ? Finished
                                                       : QStringLiteral("ติดตามดำเนินการ")}};
        if (*d.officer)
            values.insert(QStringLiteral("Per_Code"), d.officer);
        fx.addDocument(QLatin1String(d.key), values);
    }
}

struct Summary {
    explicit Summary(const QString &backend, int target = 3) : fx(backend)
    {
        fx.deployment.summaryTarget = target;
        fill(fx);
        screen = std::make_unique<ServiceSummaryScreen>(fx.session);
        screen->show();
        fx.sent.clear();
    }
    ServiceSummaryScreen *operator->() const { return screen.get(); }
    Grid *grid(const char *name) const { return control<Grid>(screen.get(), name); }
    MaskEdit *date(const char *name) const { return control<MaskEdit>(screen.get(), name); }
    QLineEdit *target() const { return control<QLineEdit>(screen.get(), "edtTarget_Days"); }
    QComboBox *by() const { return control<QComboBox>(screen.get(), "cmbGroup_By"); }
    void run() { click(screen.get(), "btnSelect_Data"); }

    Fixture fx;
    std::unique_ptr<ServiceSummaryScreen> screen;
};

QStringList rowOf(Grid *g, int row)
{
    QStringList cells;
    for (int c = 0; c < g->colCount(); ++c)
        cells << g->cell(c, row);
    return cells;
}

// A double-click on a row of a grid on the tab in front.
void doubleClick(QTabWidget *tabs, Grid *g, int row)
{
    tabs->setCurrentWidget(g->parentWidget());
    const QRect at = g->visualRect(g->model()->index(row - 1, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at.center());
}

int rowOfCell(Grid *g, int col, const QString &text)
{
    for (int r = 1; r < g->rowCount(); ++r) {
        if (g->cell(col, r) == text)
            return r;
    }
    return -1;
}

QString toolOutput(const QString &url, const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VOSTREL_ADMIN), QStringList{QStringLiteral("summary")} + args +
                                               QStringList{QStringLiteral("--catalog"), url});
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A chart's bars as "label=value", the labels from its category axis; with no such axis, the
// values alone.
QStringList bars(QChartView *view)
{
    QStringList labels;
    for (QAbstractAxis *axis : view->chart()->axes()) {
        if (auto *categories = qobject_cast<QBarCategoryAxis *>(axis))
            labels = categories->categories();
    }
    QStringList out;
    for (QAbstractSeries *series : view->chart()->series()) {
        auto *barSeries = qobject_cast<QAbstractBarSeries *>(series);
        if (!barSeries)
            continue;
        const QBarSet *set = barSeries->barSets().value(0);
        for (int i = 0; set && i < set->count(); ++i) {
            const QString value = QString::number(set->at(i));
            out << (labels.isEmpty() ? value : labels.value(i) + u'=' + value);
        }
    }
    return out;
}

// The y values of the chart's line of that name.
QList<double> line(QChartView *view, const QString &name)
{
    QList<double> values;
    for (QAbstractSeries *series : view->chart()->series()) {
        auto *l = qobject_cast<QLineSeries *>(series);
        if (l && l->name() == name) {
            for (const QPointF &p : l->points())
                values << p.y();
        }
    }
    return values;
}

int total(const QStringList &values)
{
    int sum = 0;
    for (const QString &v : values)
        sum += v.toInt();
    return sum;
}

} // namespace

class TestServiceSummaryScreen : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheFiscalYear()
    {
        Summary s(QStringLiteral("sqlite"), 4);
        QCOMPARE(s->windowTitle(), QStringLiteral("รายงานสรุปจำนวนวันทำการตามเป้าหมายการให้บริการ"));
        QCOMPARE(s.date("edtExit_Date_Beg")->text(), QStringLiteral("01/10/2557"));
        QCOMPARE(s.date("edtExit_Date_End")->text(), QStringLiteral("30/09/2558"));
        QCOMPARE(s.target()->text(), QStringLiteral("4"));
        QCOMPARE(s.by()->currentText(), QStringLiteral("ผู้รับผิดชอบ"));
        QCOMPARE(s.by()->count(), 3);
        QCOMPARE(rowOf(s.grid("StringGrid1"), 0),
                 summary::finishedGridHeader(summary::By::Officer));
        QCOMPARE(rowOf(s.grid("StringGrid3"), 0), report::headerRow(reports::daysInDivision()));
    }

    // Criteria that cannot be read are told and nothing is asked of the catalog.
    void refusals_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("by");
        QTest::addColumn<QString>("message");
        const QString badDate = QStringLiteral("กรุณาใส่วันที่เรื่องออกจากกองให้ถูกต้อง (วว/ดด/ปปปป ปี พ.ศ.)");
        const QString badTarget =
            QStringLiteral("กรุณาใส่เป้าหมายเป็นจำนวนวันทำการ เลขจำนวนเต็มตั้งแต่ 0 ถึง 999");
        QTest::newRow("no such day") << "31/02/2558"
                                     << "30/09/2558"
                                     << "3"
                                     << "ผู้รับผิดชอบ" << badDate;
        QTest::newRow("an empty date") << "01/10/2557"
                                       << ""
                                       << "3"
                                       << "ผู้รับผิดชอบ" << badDate;
        QTest::newRow("reversed") << "01/10/2558"
                                  << "30/09/2558"
                                  << "3"
                                  << "ผู้รับผิดชอบ"
                                  << "วันที่เริ่มต้นต้องไม่อยู่หลังวันที่สิ้นสุด";
        QTest::newRow("no number") << "01/10/2557"
                                   << "30/09/2558"
                                   << "สาม"
                                   << "ผู้รับผิดชอบ" << badTarget;
        QTest::newRow("negative") << "01/10/2557"
                                  << "30/09/2558"
                                  << "-1"
                                  << "ผู้รับผิดชอบ" << badTarget;
        QTest::newRow("too large") << "01/10/2557"
                                   << "30/09/2558"
                                   << "1000"
                                   << "ผู้รับผิดชอบ" << badTarget;
        QTest::newRow("a grouping typed") << "01/10/2557"
                                          << "30/09/2558"
                                          << "3"
                                          << "รายวัน"
                                          << "กรุณาเลือกการแยกกลุ่มจากรายการ";
    }
    void refusals()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, target);
        QFETCH(QString, by);
        QFETCH(QString, message);
        Summary s(QStringLiteral("sqlite"));
        s.date("edtExit_Date_Beg")->setText(from);
        s.date("edtExit_Date_End")->setText(to);
        s.target()->setText(target);
        s.by()->setEditText(by);
        QSignalSpy shown(s.screen.get(), &ServiceSummaryScreen::summaryShown);
        s.run();
        QCOMPARE(s.fx.dialogs.texts(), QStringList{message});
        QVERIFY(s.fx.sent.isEmpty());
        QCOMPARE(shown.count(), 0);
        QCOMPARE(s.grid("StringGrid1")->cell(0, 1), QString());
    }

    // The grid of each grouping holds the tool's lines for the same criteria, names beside.
    void sameFiguresAsTheTool_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("word");
        for (const QString &backend : TestCatalog::backends()) {
            QTest::addRow("%s, officer", qPrintable(backend)) << backend << 0 << "officer";
            QTest::addRow("%s, type", qPrintable(backend)) << backend << 1 << "type";
            QTest::addRow("%s, month", qPrintable(backend)) << backend << 2 << "month";
        }
    }
    void sameFiguresAsTheTool()
    {
        QFETCH(QString, backend);
        QFETCH(int, choice);
        QFETCH(QString, word);
        REQUIRE_BACKEND(backend);
        Summary s(backend);
        s.target()->setText(QStringLiteral("5"));
        s.by()->setCurrentIndex(choice);
        QSignalSpy shown(s.screen.get(), &ServiceSummaryScreen::summaryShown);
        s.run();
        QCOMPARE(s.fx.dialogs.texts(), QStringList());
        QCOMPARE(shown.count(), 1);
        QStringList lines;
        Grid *g = s.grid("StringGrid1");
        for (int r = 0; r < g->rowCount(); ++r) {
            QStringList cells = rowOf(g, r).mid(1);
            cells.removeAt(1); // the name
            lines << cells.join(u'\t');
        }
        const QString tool =
            toolOutput(s.fx.catalog.url(), {QStringLiteral("--from"), QStringLiteral("01/10/2557"),
                                            QStringLiteral("--to"), QStringLiteral("30/09/2558"),
                                            QStringLiteral("--target"), QStringLiteral("5"),
                                            QStringLiteral("--by"), word});
        QCOMPARE(lines.join(u'\n') + u'\n', tool);
        QCOMPARE(g->rowCount(), choice == 0 ? 4 : choice == 1 ? 3 : 4);
        if (choice == 0)
            QCOMPARE(rowOf(g, 1).mid(1, 3), (QStringList{"01", "สมชาย", "2"}));
        QCOMPARE(control<QLabel>(s.screen.get(), "lblFinished")->text(),
                 QStringLiteral("เรื่องที่เสร็จสิ้น 4 เรื่อง ภายในเป้าหมาย 5 วันทำการ 2 เรื่อง "
                                "(ร้อยละ 50.0) ค่ามัธยฐาน 5.0 วันทำการ"));
    }

    // The open documents by officer: their age to today and how many are past the target.
    void openDocuments()
    {
        Summary s(QStringLiteral("sqlite"));
        s.run();
        Grid *g = s.grid("StringGrid2");
        QCOMPARE(rowOf(g, 0), summary::openGridHeader(summary::By::Officer));
        QCOMPARE(g->rowCount(), 3);
        QCOMPARE(rowOf(g, 1), (QStringList{"1", "01", "สมชาย", "1", "15.0", "15", "S6", "1"}));
        QCOMPARE(rowOf(g, 2), (QStringList{"2", "02", "สมหญิง", "1", "3.0", "3", "S5", "0"}));
        QCOMPARE(control<QLabel>(s.screen.get(), "lblOpen")->text(),
                 QStringLiteral("เรื่องที่ยังไม่เสร็จ 2 เรื่อง เกินเป้าหมายแล้ว 1 เรื่อง (อายุนับถึงวันที่ "
                                "05/10/2557)"));
    }

    // A double-click on a group lists its documents as the days-in-division report lists them;
    // one on a document breaks its days down, or tells why not.
    void groupDocuments_data() { TestCatalog::addBackendRows(); }
    void groupDocuments()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Summary s(backend);
        s.run();
        auto *tabs = s->resultTabs();
        Grid *groups = s.grid("StringGrid1");
        Grid *documents = s.grid("StringGrid3");
        doubleClick(tabs, groups, rowOfCell(groups, 1, QStringLiteral("01")));
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(documents->rowCount(), 3);
        QCOMPARE(control<QLabel>(s.screen.get(), "lblDocuments")->text(),
                 QStringLiteral("เรื่องที่เสร็จสิ้นของ 01 สมชาย (2 เรื่อง)"));
        // The report's own rows for the same documents, cell for cell but the running number.
        const report::Shape shape = reports::daysInDivision();
        QMap<QString, QStringList> reported;
        for (const QStringList &row :
             report::run(s.fx.db(), shape, criteria::Entered(shape.criteria.size(), std::nullopt)))
            reported.insert(row.at(1), row.mid(1));
        QStringList keys;
        for (int r = 1; r < documents->rowCount(); ++r) {
            keys << documents->cell(1, r);
            QCOMPARE(rowOf(documents, r).mid(1), reported.value(documents->cell(1, r)));
        }
        keys.sort();
        QCOMPARE(keys, (QStringList{"S1", "S2"}));
        QCOMPARE(documents->cell(13, rowOfCell(documents, 1, QStringLiteral("S2"))),
                 QStringLiteral("7"));

        // The group without an officer, then a document's days.
        doubleClick(tabs, groups, rowOfCell(groups, 1, QString()));
        QCOMPARE(documents->rowCount(), 2);
        QCOMPARE(documents->cell(1, 1), QStringLiteral("S4"));
        QWidget *panel = control<QWidget>(s.screen.get(), "Panel2");
        QVERIFY(!panel->isVisible());
        doubleClick(tabs, documents, 1);
        QCOMPARE(s.fx.dialogs.texts(), QStringList());
        QVERIFY(panel->isVisible());
        QCOMPARE(control<QLineEdit>(panel, "edtSum1")->text(), QStringLiteral("22"));

        // An open group's document cannot be counted yet.
        Grid *open = s.grid("StringGrid2");
        doubleClick(tabs, open, rowOfCell(open, 1, QStringLiteral("02")));
        QCOMPARE(documents->cell(1, 1), QStringLiteral("S5"));
        doubleClick(tabs, documents, 1);
        QCOMPARE(s.fx.dialogs.texts(), QStringList{reports::NotFinished});

        // A new summary leaves no group's documents of the one before.
        s.run();
        QCOMPARE(documents->rowCount(), 2);
        QCOMPARE(documents->cell(1, 1), QString());
        QCOMPARE(tabs->currentIndex(), 0);
    }

    // Each tab's grid exports under its own title, the criteria in A2.
    void exports_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("line2");
        QTest::addColumn<QString>("b5");
        const QString criteria = QStringLiteral("วันที่เรื่องออกจากกอง 01/10/2557 ถึงวันที่ 30/09/2558  "
                                                "เป้าหมาย 3 วันทำการ  แยกตามผู้รับผิดชอบ");
        QTest::newRow("groups") << 0 << summary::title() << criteria << "01";
        QTest::newRow("open") << 1 << summary::openTitle() << criteria << "01";
        QTest::newRow("documents") << 2 << "รายงานฏีกา "
                                   << ""
                                   << "S1";
    }
    void exports()
    {
        QFETCH(int, tab);
        QFETCH(QString, title);
        QFETCH(QString, line2);
        QFETCH(QString, b5);
        Summary s(QStringLiteral("sqlite"));
        QTemporaryDir folder;
        s->setExportFolder(folder.path(), false);
        s.run();
        Grid *groups = s.grid("StringGrid1");
        doubleClick(s->resultTabs(), groups, rowOfCell(groups, 1, QStringLiteral("01")));
        s->resultTabs()->setCurrentIndex(tab);
        click(s.screen.get(), "btnExp_excel");
        QCOMPARE(s.fx.dialogs.texts(), QStringList());
        const QStringList written = QDir(folder.path()).entryList({QStringLiteral("*.xlsx")});
        QCOMPARE(written.size(), 1);
        XlsxReadback book;
        QVERIFY2(book.load(QDir(folder.path()).filePath(written.at(0))), qPrintable(book.error));
        QCOMPARE(book.text(QStringLiteral("A1")), title);
        QCOMPARE(book.text(QStringLiteral("A2")), line2);
        QCOMPARE(book.text(QStringLiteral("B5")), b5);
    }

    // The charts tab draws the summary just shown, under its period and target, whatever the
    // grouping: documents and working days per month of exit, officers' shares, every document's
    // working days.
    void chartsFollowTheSummary_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("by");
        QTest::addColumn<QStringList>("months");
        QTest::addColumn<QList<double>>("medians");
        QTest::addColumn<QList<double>>("p90s");
        QTest::addColumn<QStringList>("shares");
        for (const QString &backend : TestCatalog::backends()) {
            QTest::addRow("%s: the fiscal year", qPrintable(backend))
                << backend << "30/09/2558"
                << "3" << 0 << QStringList{"10/2557=2", "11/2557=1", "09/2558=1"}
                << QList<double>{5, 1, 22} << QList<double>{7, 1, 22}
                << QStringList{"01 สมชาย=50", "02 สมหญิง=100", "(ไม่ระบุ)=0"};
            QTest::addRow("%s: October, target 7, by type", qPrintable(backend))
                << backend << "31/10/2557"
                << "7" << 1 << QStringList{"10/2557=2"} << QList<double>{5} << QList<double>{7}
                << QStringList{"01 สมชาย=100"};
        }
    }
    void chartsFollowTheSummary()
    {
        QFETCH(QString, backend);
        QFETCH(QString, to);
        QFETCH(QString, target);
        QFETCH(int, by);
        QFETCH(QStringList, months);
        QFETCH(QList<double>, medians);
        QFETCH(QList<double>, p90s);
        QFETCH(QStringList, shares);
        REQUIRE_BACKEND(backend);
        Summary s(backend);
        auto *panel = control<charts::ChartsPanel>(s.screen.get(), "Charts");
        QCOMPARE(s->resultTabs()->indexOf(panel), 3);
        // A summary before, so that the one asked for must replace its figures.
        s.run();
        s.date("edtExit_Date_End")->setText(to);
        s.target()->setText(target);
        s.by()->setCurrentIndex(by);
        s.run();
        QCOMPARE(s.fx.dialogs.texts(), QStringList());
        QCOMPARE(bars(panel->monthChart()), months);
        QCOMPARE(line(panel->monthChart(), QStringLiteral("มัธยฐานของวันทำการ")), medians);
        QCOMPARE(line(panel->monthChart(), QStringLiteral("เปอร์เซ็นไทล์ที่ 90 ของวันทำการ")), p90s);
        QStringList shown = bars(panel->shareChart());
        shown.sort();
        shares.sort();
        QCOMPARE(shown, shares);
        // Every finished document once, as many as the month bars and the groups count.
        const int documents = s->result().documents.finished.size();
        QCOMPARE(total(bars(panel->daysHistogram())), documents);
        int grouped = 0;
        for (int r = 1; r < s.grid("StringGrid1")->rowCount(); ++r)
            grouped += s.grid("StringGrid1")->cell(3, r).toInt();
        QCOMPARE(grouped, documents);
        int monthly = 0;
        for (const QString &m : months)
            monthly += m.section(u'=', 1).toInt();
        QCOMPARE(monthly, documents);
    }

    // "บันทึกเป็น PDF" saves the grid of the tab in front as shown: sorted, narrowed by the find
    // box, under the summary's title and criteria.
    void pdfOfTheTabInFront_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("column"); // sorted by
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("rows"); // as shown, in order
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("groups, the longest mean first")
            << 0 << 4 << true << "" << summary::title()
            << QStringList{"(ไม่ระบุ) 1 22.0", "01 สมชาย 2 5.0", "02 สมหญิง 1 1.0"} << QStringList{};
        QTest::newRow("groups, narrowed")
            << 0 << 4 << true << "สม" << summary::title()
            << QStringList{"01 สมชาย 2 5.0", "02 สมหญิง 1 1.0"} << QStringList{"(ไม่ระบุ)", "S4"};
        QTest::newRow("open documents, the youngest first")
            << 1 << 4 << false << "" << summary::openTitle()
            << QStringList{"02 สมหญิง 1 3.0", "01 สมชาย 1 15.0"} << QStringList{};
        QTest::newRow("a group's documents, narrowed")
            << 2 << 1 << true << "S2" << reports::daysInDivision().title << QStringList{"S2"}
            << QStringList{"S1"};
    }
    void pdfOfTheTabInFront()
    {
        QFETCH(int, tab);
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QString, find);
        QFETCH(QString, title);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, hidden);
        Summary s(QStringLiteral("sqlite"));
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("สรุป.pdf"));
        QStringList asked;
        s->choosePdfFile = [&](QWidget *, const QString &suggested) {
            asked << suggested;
            return file;
        };
        QCOMPARE(control<QPushButton>(s.screen.get(), "btnSavePdf")->text(),
                 QStringLiteral("บันทึกเป็น PDF"));
        click(s.screen.get(), "btnSavePdf");
        QCOMPARE(s.fx.dialogs.texts(), QStringList{msg::NotFound});
        QVERIFY(asked.isEmpty());
        s.fx.dialogs.clear();

        s.run();
        Grid *groups = s.grid("StringGrid1");
        doubleClick(s->resultTabs(), groups, rowOfCell(groups, 1, QStringLiteral("01")));
        Grid *g = tab == 0 ? groups : s.grid(tab == 1 ? "StringGrid2" : "StringGrid3");
        g->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        g->setFindText(find);
        s->resultTabs()->setCurrentIndex(tab);
        click(s.screen.get(), "btnSavePdf");
        QCOMPARE(s.fx.dialogs.texts(),
                 QStringList{QStringLiteral("บันทึกรายงานลงแฟ้ม %1 เรียบร้อยแล้ว").arg(file)});
        QCOMPARE(
            asked,
            QStringList{
                QDir(spreadsheet::reportsFolderPath()).filePath(title + QStringLiteral(".pdf"))});
        const PdfReadback pdf = readPdf(file);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        const QString text = pdf.text.simplified();
        QVERIFY2(text.contains(title.trimmed()), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("วันที่เรื่องออกจากกอง 01/10/2557 ถึงวันที่ 30/09/2558")));
        qsizetype at = 0;
        for (const QString &row : rows) {
            at = text.indexOf(row, at);
            QVERIFY2(at >= 0, qPrintable(row + u'\n' + text));
        }
        for (const QString &h : hidden)
            QVERIFY2(!text.contains(h), qPrintable(h + u'\n' + text));
    }

    // Nothing finished in the period: told, an empty grid, and nothing to export.
    void nothingFound()
    {
        Summary s(QStringLiteral("sqlite"));
        QTemporaryDir folder;
        s->setExportFolder(folder.path(), false);
        s.date("edtExit_Date_Beg")->setText(QStringLiteral("01/01/2558"));
        s.date("edtExit_Date_End")->setText(QStringLiteral("31/01/2558"));
        s.run();
        QCOMPARE(s.fx.dialogs.texts(), QStringList{msg::NotFound});
        QCOMPARE(s.grid("StringGrid1")->rowCount(), 2);
        QCOMPARE(s.grid("StringGrid1")->cell(0, 1), QString());
        s.fx.dialogs.clear();
        click(s.screen.get(), "btnExp_excel");
        QCOMPARE(s.fx.dialogs.texts(), QStringList{msg::NotFound});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TestServiceSummaryScreen)
#include "tst_service_summary_screen.moc"
