// Calendar generation and the fixed annual holidays, driven through the two screens.

#include "ScriptedDialogs.h"
#include "TestCatalog.h"
#include "app/MenuTable.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "screens/calendar/UCreate_Calendar.h"
#include "screens/calendar/UEntry_Stop_Day.h"
#include "screens/common/Grid.h"
#include "screens/common/ScreenRegistry.h"
#include "screens/common/Session.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

const QString Confirm = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");

struct Fixture {
    explicit Fixture(const QString &backend)
        : catalog(backend), session{catalog.connection(),
                                    dialogs,
                                    deployment,
                                    QStringLiteral("05/10/2557"),
                                    QStringLiteral("2015"),
                                    QStringLiteral("admin"),
                                    9,
                                    {}}
    {
    }

    int count(const QString &where = QString())
    {
        db::Rows r = catalog.connection().select(
            db::Statement{QStringLiteral("SELECT count(*) AS n FROM TR_Day_Calendar") +
                          (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where)});
        return r.next() ? static_cast<int>(r.integer(QStringLiteral("n"))) : -1;
    }

    QStringList day(const QString &key)
    {
        db::Rows r = catalog.connection().select(
            db::Statement{QStringLiteral("SELECT * FROM TR_Day_Calendar WHERE D_YYYYMMDD = '") +
                          key + QLatin1Char('\'')});
        if (!r.next())
            return {};
        QStringList out;
        for (const char *c :
             {"D_YYYYMMDD", "Eng_Day", "Thai_Day", "Name_Day", "Day_Status", "Day_Remark"})
            out << r.text(QLatin1String(c));
        return out;
    }

    void addStopDay(const QString &ddmm, const QString &remark)
    {
        catalog.connection().execute(db::Statement{
            QStringLiteral("INSERT INTO TR_Hard_StopDay (D_DDMM, SD_Remark) VALUES ('") +
            db::sqlText(ddmm) + QStringLiteral("', '") + db::sqlText(remark) +
            QStringLiteral("')")});
    }

    TestCatalog catalog;
    Deployment deployment;
    ScriptedDialogs dialogs;
    Session session;
};

struct CreateScreen {
    explicit CreateScreen(Fixture &f) : screen(std::make_unique<TfrmCreate_Calendar>(f.session))
    {
        first = screen->findChild<QLineEdit *>(QStringLiteral("edtBeg_Year"));
        last = screen->findChild<QLineEdit *>(QStringLiteral("edtEnd_Year"));
        grid = screen->findChild<Grid *>(QStringLiteral("StringGrid1"));
        progress = screen->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    }
    void preview(const QString &a, const QString &b)
    {
        first->setText(a);
        last->setText(b);
        button("btnShow_Data")->click();
    }
    void save() { button("Button2")->click(); }
    QPushButton *button(const char *name)
    {
        return screen->findChild<QPushButton *>(QLatin1String(name));
    }

    std::unique_ptr<TfrmCreate_Calendar> screen;
    QLineEdit *first, *last;
    Grid *grid;
    QProgressBar *progress;
};

// Notes, at each paint of a widget, what a counter then reads.
class PaintSpy final : public QObject {
public:
    PaintSpy(QWidget *widget, const int &counter, QList<int> &readings)
        : counter_(counter), readings_(readings)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            readings_ << counter_;
        return false;
    }

private:
    const int &counter_;
    QList<int> &readings_;
};

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void opensWithItsYearsAndCaptions()
    {
        Fixture f(QStringLiteral("sqlite"));
        CreateScreen s(f);
        QCOMPARE(s.screen->objectName(), QStringLiteral("frmCreate_Calendar"));
        QCOMPARE(s.first->text(), QStringLiteral("2555"));
        QCOMPARE(s.last->text(), QStringLiteral("2557"));
        QCOMPARE(s.button("btnShow_Data")->text(), QStringLiteral("แสดงผล"));
        QCOMPARE(s.button("Button2")->text(), QStringLiteral("บันทึกข้อมูล"));
        QCOMPARE(s.button("btnExit1")->text(), QStringLiteral("กลับสู่เมนูหลัก"));
    }

    void previewsEveryDayOfTheYears_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("hasLeapDay");
        QTest::newRow("2555 leap") << "2555"
                                   << "2555" << 366 << true;
        QTest::newRow("2556") << "2556"
                              << "2556" << 365 << false;
        QTest::newRow("2643 is Gregorian 2100") << "2643"
                                                << "2643" << 365 << false;
        QTest::newRow("2643 with blanks") << " 2643 "
                                          << "2643" << 365 << false;
        QTest::newRow("2555-2556") << "2555"
                                   << "2556" << 731 << true;
        QTest::newRow("first after last") << "2557"
                                          << "2556" << 0 << false;
    }
    void previewsEveryDayOfTheYears()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, days);
        QFETCH(bool, hasLeapDay);
        Fixture f(QStringLiteral("sqlite"));
        CreateScreen s(f);
        s.preview(first, last);
        QVERIFY(f.dialogs.shown.isEmpty());
        QCOMPARE(s.grid->colCount(), 20);
        QCOMPARE(s.grid->rowCount(), std::max(days, 1) + 1);
        const QStringList header{QStringLiteral("No"),
                                 QStringLiteral("ปปปปดดวว"),
                                 QStringLiteral("วันเดือนปีค.ศ."),
                                 QStringLiteral("วันเดือนปีพ.ศ."),
                                 QStringLiteral("วัน"),
                                 QStringLiteral("สถานะวัน"),
                                 QString()};
        const int widths[] = {30, 110, 120, 110, 90, 90, 90};
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(s.grid->cell(c, 0), header[c]);
            QCOMPARE(s.grid->colWidth(c), widths[c]);
        }
        if (days == 0) {
            QVERIFY(s.grid->cell(1, 1).isEmpty());
            return;
        }
        bool leapDay = false;
        for (int r = 1; r <= days; ++r) {
            QCOMPARE(s.grid->cell(0, r), QString::number(r));
            const QString thai = s.grid->cell(3, r);
            leapDay = leapDay || thai.startsWith(QLatin1String("29/02/"));
            // Every row agrees with itself: key, both dates, weekday and status.
            const QDate d = QDate::fromString(s.grid->cell(2, r), QStringLiteral("dd/MM/yyyy"));
            QVERIFY(d.isValid());
            QCOMPARE(thai, d.toString(QStringLiteral("dd/MM/")) + QString::number(d.year() + 543));
            QCOMPARE(s.grid->cell(1, r), thai.mid(6, 4) + thai.mid(3, 2) + thai.left(2));
            QCOMPARE(s.grid->cell(4, r), QLocale::system().dayName(d.dayOfWeek()));
            QCOMPARE(s.grid->cell(5, r), QLatin1String(d.dayOfWeek() >= 6 ? "S" : "N"));
            QCOMPARE(s.grid->cell(6, r), QString::number(d.dayOfWeek()));
        }
        QCOMPARE(leapDay, hasLeapDay);
        QCOMPARE(s.grid->cell(3, days), QStringLiteral("31/12/") + last.trimmed());
    }

    void firstDayOf2555()
    {
        const QList<CalendarDay> days = previewYears(2555, 2555);
        QCOMPARE(days.size(), 366);
        const CalendarDay &d = days.first();
        QCOMPARE(d.key, QStringLiteral("25550101"));
        QCOMPARE(d.engDay, QStringLiteral("01/01/2012"));
        QCOMPARE(d.thaiDay, QStringLiteral("01/01/2555"));
        QCOMPARE(d.nameDay, QLocale::system().dayName(Qt::Sunday));
        QCOMPARE(d.status, QStringLiteral("S"));
        QCOMPARE(d.weekday, 7);
        QCOMPARE(days[59].thaiDay, QStringLiteral("29/02/2555"));
    }

    void refusesYearsItCannotGenerate_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString notNumber = QStringLiteral("กรุณาใส่ปีเป็นตัวเลข");
        const QString range = QStringLiteral("กรุณาใส่ปี พ.ศ. ระหว่าง 544 ถึง 9999");
        QTest::newRow("letters") << "25a5"
                                 << "2556" << notNumber << "edtBeg_Year";
        QTest::newRow("empty first") << ""
                                     << "2556" << notNumber << "edtBeg_Year";
        QTest::newRow("decimal last") << "2555"
                                      << "2556.5" << notNumber << "edtEnd_Year";
        QTest::newRow("543") << "543"
                             << "2555" << range << "edtBeg_Year";
        QTest::newRow("negative") << "-5"
                                  << "2555" << range << "edtBeg_Year";
        QTest::newRow("five digits") << "2555"
                                     << "10000" << range << "edtEnd_Year";
    }
    void refusesYearsItCannotGenerate()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f(QStringLiteral("sqlite"));
        CreateScreen s(f);
        s.screen->show();
        s.preview(QStringLiteral("2556"), QStringLiteral("2556"));
        s.preview(first, last);
        QCOMPARE(f.dialogs.texts(), QStringList{message});
        QCOMPARE(s.grid->colCount(), 20);
        QCOMPARE(s.grid->rowCount(), 2);
        QCOMPARE(s.screen->focusWidget()->objectName(), focus);
        QVERIFY_THROWS_EXCEPTION(db::Error, generateCalendar(f.catalog.connection(), 543, 2555));
        QCOMPARE(f.count(), 0);
    }

    void savesEachDayOnItsOwn_data() { TestCatalog::addBackendRows(); }
    void savesEachDayOnItsOwn()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        CreateScreen s(f);
        s.preview(QStringLiteral("2555"), QStringLiteral("2555"));
        QStringList sent;
        f.catalog.connection().setObserver([&sent](const QString &t) { sent << t; });
        s.save();
        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Saved}));
        QCOMPARE(sent.size(), 2 * 366);
        QCOMPARE(sent[0],
                 QStringLiteral("SELECT *\nFROM TR_Day_Calendar\nwhere D_YYYYMMDD ='25550101'"));
        QCOMPARE(sent[1],
                 QStringLiteral("INSERT INTO TR_Day_Calendar\n(D_YYYYMMDD, Eng_Day, Thai_Day\n"
                                ", Name_Day, Day_Status )\n"
                                "VALUES ('25550101', '01/01/2012', '01/01/2555'\n, '") +
                     QLocale::system().dayName(7) + QStringLiteral("', 'S')"));
        QCOMPARE(f.count(), 366);
        QCOMPARE(f.count(QStringLiteral("Day_Status = 'S'")), 105);
        QCOMPARE(f.day(QStringLiteral("25550229")),
                 (QStringList{"25550229", "29/02/2012", "29/02/2555", QLocale::system().dayName(3),
                              "N", ""}));
        QCOMPARE(s.progress->maximum(), 366);
        QCOMPARE(s.progress->value(), 366);

        // Saving again checks every day and inserts none; the grid still holds the preview.
        sent.clear();
        s.save();
        QCOMPARE(sent.size(), 366);
        QCOMPARE(s.grid->rowCount(), 367);
    }

    // A save of seconds: windows are painted while it runs, every button is disabled, and a
    // second start meanwhile (a click, the handler called again) does nothing.
    void longSaveKeepsPaintingAndRefusesASecondStart()
    {
        Fixture f(QStringLiteral("sqlite"));
        CreateScreen s(f);
        s.screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.screen.get()));
        s.preview(QStringLiteral("2555"), QStringLiteral("2555"));
        // Another window of the program: its paints come only from the event loop (a part
        // of the screen a closed box uncovers is painted the same way).
        QWidget other;
        other.resize(120, 80);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));

        int statements = 0;
        QList<int> paintedAt; // the statements sent at each paint of the other window
        PaintSpy spy(&other, statements, paintedAt);
        QList<bool> enabledMeanwhile;
        f.catalog.connection().setObserver([&](const QString &) {
            // About a millisecond a statement: the save lasts most of a second.
            std::this_thread::sleep_for(std::chrono::microseconds(1200));
            if (++statements % 200 != 0)
                return;
            other.update();
            for (const char *name : {"Button2", "btnShow_Data", "btnExit1"})
                enabledMeanwhile << s.button(name)->isEnabled();
            s.save();
            s.screen->Button2Click();
        });
        s.save();
        f.catalog.connection().setObserver({});

        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Saved}));
        QCOMPARE(f.count(), 366);
        QCOMPARE(enabledMeanwhile.size(), 3 * 3);
        QVERIFY(!enabledMeanwhile.contains(true));
        for (const char *name : {"Button2", "btnShow_Data", "btnExit1"})
            QVERIFY2(s.button(name)->isEnabled(), name);
        QCOMPARE(s.progress->value(), 366);
        const bool paintedMidway = std::any_of(paintedAt.cbegin(), paintedAt.cend(),
                                               [](int n) { return n > 200 && n < 2 * 366; });
        QVERIFY2(paintedMidway, qPrintable(QString::number(paintedAt.size())));
    }

    // A failing insert stops the save where it stood: the days before it stay and a second
    // save carries on with the rest.
    void failedInsertKeepsTheDaysBefore()
    {
        Fixture f(QStringLiteral("sqlite"));
        db::Connection &c = f.catalog.connection();
        c.execute(db::Statement{QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON TR_Day_Calendar "
            "WHEN NEW.D_YYYYMMDD = '25550110' BEGIN SELECT RAISE(ABORT, 'disk full'); END")});
        CreateScreen s(f);
        s.preview(QStringLiteral("2555"), QStringLiteral("2555"));
        s.save();
        QCOMPARE(f.dialogs.shown.size(), 2);
        QCOMPARE(f.dialogs.shown[1].kind, ScriptedDialogs::Shown::Error);
        QVERIFY(f.dialogs.shown[1].text.contains(QLatin1String("disk full")));
        QCOMPARE(f.count(), 9);
        QCOMPARE(s.progress->value(), 9);

        c.execute(db::Statement{QStringLiteral("DROP TRIGGER refuse")});
        f.dialogs.clear();
        s.save();
        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Saved}));
        QCOMPARE(f.count(), 366);
    }

    void cancelWritesNothing()
    {
        Fixture f(QStringLiteral("sqlite"));
        CreateScreen s(f);
        s.preview(QStringLiteral("2555"), QStringLiteral("2555"));
        f.dialogs.answer(false);
        s.save();
        QCOMPARE(f.dialogs.texts(), QStringList{Confirm});
        QCOMPARE(f.count(), 0);
    }

    void saveWithoutPreviewStoresNoEmptyDay()
    {
        Fixture f(QStringLiteral("sqlite"));
        CreateScreen s(f);
        s.save();
        s.preview(QStringLiteral("2557"), QStringLiteral("2556"));
        s.save();
        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Saved, Confirm, Saved}));
        QCOMPARE(f.count(), 0);
    }

    // Generating over stored years adds the missing days and leaves every stored one, holiday
    // marks included, as it was.
    void regenerationKeepsHolidayMarks_data() { TestCatalog::addBackendRows(); }
    void regenerationKeepsHolidayMarks()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        QCOMPARE(generateCalendar(f.catalog.connection(), 2555, 2555), 366);
        f.addStopDay(QStringLiteral("13/04"), QStringLiteral("สงกรานต์"));
        markHolidays(f.catalog.connection());
        CreateScreen s(f);
        s.preview(QStringLiteral("2554"), QStringLiteral("2556"));
        s.save();
        QCOMPARE(f.count(), 365 + 366 + 365);
        QCOMPARE(f.day(QStringLiteral("25550413")).mid(4), (QStringList{"S", "สงกรานต์"}));
        QCOMPARE(f.day(QStringLiteral("25560413")).mid(4), (QStringList{"S", ""}));
        QCOMPARE(f.day(QStringLiteral("25540413")).mid(4), (QStringList{"N", ""}));
    }

    void listsTheFixedHolidays()
    {
        Fixture f(QStringLiteral("sqlite"));
        f.addStopDay(QStringLiteral("05/12"), QStringLiteral("วันพ่อ"));
        f.addStopDay(QStringLiteral("01/05"), QStringLiteral("วันแรงงาน"));
        f.addStopDay(QStringLiteral("06/04"), QStringLiteral("วันจักรี"));
        f.addStopDay(QStringLiteral("01/01"), QStringLiteral("วันขึ้นปีใหม่"));
        TfrmEntry_Stop_Day screen(f.session);
        QCOMPARE(screen.objectName(), QStringLiteral("frmEntry_Stop_Day"));
        auto *grid = screen.findChild<Grid *>(QStringLiteral("StringGrid1"));
        QCOMPARE(grid->colCount(), 5);
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(grid->cell(0, 0), QStringLiteral("No. "));
        QCOMPARE(grid->cell(1, 0), QStringLiteral("Date(DD/MM)"));
        QCOMPARE(grid->cell(2, 0), QStringLiteral("ชื่อวันหยุด"));
        QCOMPARE(grid->colWidth(0), 50);
        QCOMPARE(grid->colWidth(1), 90);
        QCOMPARE(grid->colWidth(2), 90);
        QStringList listed;
        for (int r = 1; r < grid->rowCount(); ++r)
            listed << grid->cell(0, r) + u' ' + grid->cell(1, r) + u' ' + grid->cell(2, r);
        QCOMPARE(listed, (QStringList{"1 01/01 วันขึ้นปีใหม่", "2 01/05 วันแรงงาน", "3 05/12 วันพ่อ",
                                      "4 06/04 วันจักรี"}));
        QCOMPARE(screen.findChild<QPushButton *>(QStringLiteral("btnEdit_Data"))->text(),
                 QStringLiteral("ประมวลผลวันหยุด ลงฐานข้อมูล"));

        // A refresh after the list was emptied shows no stale holiday.
        f.catalog.connection().execute(
            db::Statement{QStringLiteral("DELETE FROM TR_Hard_StopDay")});
        screen.findChild<QPushButton *>(QStringLiteral("btnShow_Data"))->click();
        QCOMPARE(grid->rowCount(), 2);
        QVERIFY(grid->cell(1, 1).isEmpty());
    }

    void marksHolidaysInEveryYear_data() { TestCatalog::addBackendRows(); }
    void marksHolidaysInEveryYear()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        generateCalendar(f.catalog.connection(), 2555, 2556);
        f.addStopDay(QStringLiteral("31/12"), QStringLiteral("วันสิ้นปี"));
        f.addStopDay(QStringLiteral("29/02"), QStringLiteral("it's leap"));
        f.addStopDay(QStringLiteral("1/5"), QStringLiteral("แรงงาน"));
        const int before = f.count(QStringLiteral("Day_Status = 'S'"));
        TfrmEntry_Stop_Day screen(f.session);
        QStringList sent;
        f.catalog.connection().setObserver([&sent](const QString &t) { sent << t; });
        screen.findChild<QPushButton *>(QStringLiteral("btnEdit_Data"))->click();
        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Saved}));
        QCOMPARE(sent,
                 (QStringList{QStringLiteral("SELECT *\nFROM TR_Hard_StopDay\nOrder by D_DDMM"),
                              QStringLiteral("UPDATE TR_Day_Calendar\n"
                                             "SET Day_Status = 'S', Day_Remark = 'แรงงาน'\n"
                                             "WHERE SUBSTRING(Thai_Day,1,5) ='1/5'"),
                              QStringLiteral("UPDATE TR_Day_Calendar\n"
                                             "SET Day_Status = 'S', Day_Remark = 'it''s leap'\n"
                                             "WHERE SUBSTRING(Thai_Day,1,5) ='29/02'"),
                              QStringLiteral("UPDATE TR_Day_Calendar\n"
                                             "SET Day_Status = 'S', Day_Remark = 'วันสิ้นปี'\n"
                                             "WHERE SUBSTRING(Thai_Day,1,5) ='31/12'")}));
        // 31/12/2555 is a Monday and 31/12/2556 a Tuesday; 29/02/2555 a Wednesday.
        QCOMPARE(f.count(QStringLiteral("Day_Status = 'S'")), before + 3);
        QCOMPARE(f.day(QStringLiteral("25551231")).mid(4), (QStringList{"S", "วันสิ้นปี"}));
        QCOMPARE(f.day(QStringLiteral("25561231")).mid(4), (QStringList{"S", "วันสิ้นปี"}));
        QCOMPARE(f.day(QStringLiteral("25550229")).mid(4), (QStringList{"S", "it's leap"}));
        QCOMPARE(f.count(QStringLiteral("Day_Remark IS NOT NULL AND Day_Remark <> ''")), 3);
        QCOMPARE(f.day(QStringLiteral("25550501")).mid(4), (QStringList{"N", ""}));

        // Running it again rewrites the same values.
        markHolidays(f.catalog.connection());
        QCOMPARE(f.count(QStringLiteral("Day_Status = 'S'")), before + 3);
    }

    void markingWithNoHolidaysStillCompletes()
    {
        Fixture f(QStringLiteral("sqlite"));
        TfrmEntry_Stop_Day screen(f.session);
        f.dialogs.answer(false);
        screen.findChild<QPushButton *>(QStringLiteral("btnEdit_Data"))->click();
        screen.findChild<QPushButton *>(QStringLiteral("btnEdit_Data"))->click();
        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Confirm, Saved}));
    }

    void menuItemsOpenTheScreens()
    {
        Fixture f(QStringLiteral("sqlite"));
        const ScreenRegistry registry = menu::screens();
        std::unique_ptr<Screen> create(
            registry.create(QStringLiteral("CreateCalendar1"), f.session));
        std::unique_ptr<Screen> holidays(registry.create(QStringLiteral("N11"), f.session));
        QCOMPARE(create->objectName(), QStringLiteral("frmCreate_Calendar"));
        QCOMPARE(holidays->objectName(), QStringLiteral("frmEntry_Stop_Day"));
    }
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
