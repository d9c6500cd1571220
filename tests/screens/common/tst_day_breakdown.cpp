// The day-by-day breakdown panel over a report row, on real catalogs.

#include "ScriptedDialogs.h"
#include "TestCatalog.h"
#include "core/Calendar.h"
#include "core/WorkDays.h"
#include "data/Connection.h"
#include "screens/common/DayBreakdown.h"
#include "screens/common/Grid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestDayBreakdown : public QObject {
    Q_OBJECT

private slots:
    void breakdownListsTheDaysAndAgreesWithTheCount_data() { TestCatalog::addBackendRows(); }
    void breakdownListsTheDaysAndAgreesWithTheCount()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        makeCalendar2555(catalog.connection());
        ScriptedDialogs dialogs;
        QWidget host;
        Grid report(&host);
        report.setColCount(9);
        report.setRowCount(3);
        report.setCell(4, 2, QStringLiteral("ซื้อวัสดุ"));
        report.setCell(5, 2, QStringLiteral("กองคลัง"));
        report.setCell(6, 2, QStringLiteral("คณะวิทย์"));
        report.setCell(7, 2, QStringLiteral("'02/01/2555"));
        report.setCell(8, 2, QStringLiteral("9/1/2555"));
        auto *panel = new DayBreakdownPanel(catalog.connection(), dialogs, &host);
        host.show();
        QCOMPARE(panel->objectName(), QStringLiteral("Panel2"));
        QVERIFY(!panel->isVisible());

        QStringList sent;
        catalog.connection().setObserver([&sent](const QString &s) { sent << s; });
        QVERIFY(panel->Show_Day_Breakdown(report, 2, 7, 8));
        QCOMPARE(sent,
                 QStringList{QStringLiteral("SELECT *\nFROM TR_Day_Calendar\n"
                                            "Where D_YYYYMMDD between '25550102' and '25550109'\n"
                                            "Order by D_YYYYMMDD")});
        QVERIFY(panel->isVisible());
        QVERIFY(dialogs.shown.isEmpty());

        const auto edit = [panel](const char *name) {
            return panel->findChild<QLineEdit *>(QLatin1String(name));
        };
        QCOMPARE(edit("edtTopic2")->text(), QStringLiteral("ซื้อวัสดุ"));
        QCOMPARE(edit("edtTo_Who2")->text(), QStringLiteral("กองคลัง"));
        QCOMPARE(edit("edtFrom_Site2")->text(), QStringLiteral("คณะวิทย์"));
        for (const char *name : {"edtTopic2", "edtNo_Date", "edtNo_Stop_Day", "edtSum1"})
            QVERIFY(!edit(name)->isEnabled());
        const DayCounts count =
            Count_Work_Days(catalog.connection(), report.cell(7, 2), report.cell(8, 2));
        QCOMPARE(edit("edtNo_Date")->text(), QString::number(count.calendarDays));
        QCOMPARE(edit("edtNo_Stop_Day")->text(), QString::number(count.holidays));
        QCOMPARE(edit("edtSum1")->text(), QString::number(count.workingDays));
        QCOMPARE(edit("edtNo_Date")->text(), QStringLiteral("8"));
        QCOMPARE(edit("edtNo_Stop_Day")->text(), QStringLiteral("3"));

        auto *days = panel->findChild<Grid *>(QStringLiteral("StringGrid2"));
        QCOMPARE(days->colCount(), 6);
        QCOMPARE(days->rowCount(), 9);
        const QStringList header{QStringLiteral("No"),         QStringLiteral("Eng_Date"),
                                 QStringLiteral("Thai Date"),  QStringLiteral("Name Of Day"),
                                 QStringLiteral("Day Status"), QStringLiteral("Day Remark")};
        const int widths[] = {30, 100, 100, 90, 90, 120};
        for (int col = 0; col < 6; ++col) {
            QCOMPARE(days->cell(col, 0), header[col]);
            QCOMPARE(days->colWidth(col), widths[col]);
        }
        // 03/01/2555 is the weekday holiday: second row.
        QCOMPARE(days->cell(0, 2), QStringLiteral("2"));
        QCOMPARE(days->cell(1, 2), QStringLiteral("'03/01/2012"));
        QCOMPARE(days->cell(2, 2), QStringLiteral("'03/01/2555"));
        QCOMPARE(days->cell(3, 2), QLocale::system().dayName(2));
        QCOMPARE(days->cell(4, 2), QStringLiteral("วันหยุด"));
        QCOMPARE(days->cell(5, 2), QStringLiteral("it's off"));
        QCOMPARE(days->cell(4, 1), QStringLiteral("-"));
        QCOMPARE(days->cell(1, 8), QStringLiteral("'09/01/2012"));

        panel->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QVERIFY(!panel->isVisible());

        // End before start: told, and the panel stays hidden with an empty first row.
        report.setCell(8, 2, QStringLiteral("01/01/2555"));
        QVERIFY(!panel->Show_Day_Breakdown(report, 2, 7, 8));
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ไม่พบข้อมูลที่ต้องการ")});
        QVERIFY(!panel->isVisible());
        QCOMPARE(days->rowCount(), 2);
        for (int col = 0; col < 6; ++col)
            QVERIFY(days->cell(col, 1).isEmpty());
    }
};

QTEST_MAIN(TestDayBreakdown)
#include "tst_day_breakdown.moc"
