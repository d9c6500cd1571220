// The working-day count and the one-read calendar, on real catalogs.

#include "TestCatalog.h"
#include "core/Calendar.h"
#include "core/WorkDays.h"
#include "data/Connection.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

DayCounts counts(int days, int holidays)
{
    return {days, holidays, days - holidays};
}

} // namespace

Q_DECLARE_METATYPE(DayCounts)

class TestWorkDays : public QObject {
    Q_OBJECT

private slots:
    void countsRanges_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<DayCounts>("expected");
        struct Row {
            const char *name, *start, *end;
            DayCounts expected;
        };
        const Row rows[] = {
            {"same working day", "04/01/2555", "04/01/2555", counts(1, 0)},
            {"Friday to Monday", "06/01/2555", "09/01/2555", counts(4, 2)},
            {"no leading zeros", "6/1/2555", "9/1/2555", counts(4, 2)},
            {"time after the year", "06/01/2555 10:30:00", "09/01/2555 8:00", counts(4, 2)},
            {"apostrophe before the day", "'06/01/2555", "'09/01/2555", counts(4, 2)},
            {"starts on a weekday holiday", "03/01/2555", "04/01/2555", counts(2, 1)},
            {"one Saturday", "07/01/2555", "07/01/2555", counts(1, 1)},
            {"end before start", "09/01/2555", "06/01/2555", counts(0, 0)},
            {"into a year never generated", "25/12/2555", "10/01/2556", counts(7, 2)},
            {"before any generated year", "01/01/2554", "31/12/2554", counts(0, 0)},
            {"whole year", "01/01/2555", "31/12/2555", counts(366, 106)},
            {"empty start counts up to the end", "", "09/01/2555", counts(9, 4)},
            {"empty end finds nothing", "06/01/2555", "", counts(0, 0)},
        };
        for (const QString &backend : TestCatalog::backends()) {
            for (const Row &r : rows) {
                QTest::addRow("%s: %s", qPrintable(backend), r.name)
                    << backend << QString::fromUtf8(r.start) << QString::fromUtf8(r.end)
                    << r.expected;
            }
        }
    }
    void countsRanges()
    {
        QFETCH(QString, backend);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(DayCounts, expected);
        TestCatalog catalog(backend);
        makeCalendar2555(catalog.connection());
        const DayCounts got = Count_Work_Days(catalog.connection(), start, end);
        QCOMPARE(got.calendarDays, expected.calendarDays);
        QCOMPARE(got.holidays, expected.holidays);
        QCOMPARE(got.workingDays, expected.workingDays);
        QCOMPARE(dayCountsText(got), QStringLiteral("%1 %2 %3")
                                         .arg(expected.calendarDays)
                                         .arg(expected.holidays)
                                         .arg(expected.workingDays));
        const WorkDayCalendar once(catalog.connection());
        QVERIFY(once.count(start, end) == got);
    }

    void sendsTheTwoCountingQueries()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        QStringList sent;
        catalog.connection().setObserver([&sent](const QString &s) { sent << s; });
        Count_Work_Days(catalog.connection(), QStringLiteral("6/1/2555"),
                        QStringLiteral("'09/01/2555 10:00"));
        QCOMPARE(sent, (QStringList{
                           QStringLiteral("SELECT *\nFROM TR_Day_Calendar\n"
                                          "Where D_YYYYMMDD between '25550106' and '25550109'"),
                           QStringLiteral("SELECT *\nFROM TR_Day_Calendar\n"
                                          "Where (D_YYYYMMDD between '25550106' and '25550109')\n"
                                          "And (Day_Status='S')")}));
    }

    void quoteInADateStaysInsideItsLiteral()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        makeCalendar2555(catalog.connection());
        // A broken cell must count nothing rather than end the literal early.
        const DayCounts got = Count_Work_Days(catalog.connection(), QStringLiteral("01/01/2555"),
                                              QStringLiteral("01/01/2' or '1'='1"));
        QCOMPARE(got.calendarDays, 0);
    }

    // The one-read calendar answers as the queries do, over two years with a gap between
    // them, odd statuses and every kind of date text a report cell holds.
    void oneReadMatchesTheQueries_data() { TestCatalog::addBackendRows(); }
    void oneReadMatchesTheQueries()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        generateCalendar(c, 2555, 2555);
        generateCalendar(c, 2557, 2557);
        c.execute(db::Statement{QStringLiteral(
            "UPDATE TR_Day_Calendar SET Day_Status = 's' WHERE D_YYYYMMDD = '25570505'")});
        c.execute(db::Statement{QStringLiteral(
            "UPDATE TR_Day_Calendar SET Day_Status = 'X' WHERE D_YYYYMMDD = '25570506'")});
        c.execute(db::Statement{QStringLiteral(
            "UPDATE TR_Day_Calendar SET Day_Status = 'S' WHERE D_YYYYMMDD = '25551213'")});
        const WorkDayCalendar once(c);
        QCOMPARE(once.size(), 366 + 365);

        QRandomGenerator random(20120101);
        const auto dateText = [&random]() -> QString {
            switch (random.bounded(12)) {
            case 0:
                return {};
            case 1:
                return QStringLiteral("  /  /    ");
            case 2:
                return QStringLiteral("2556");
            default:
                break;
            }
            const QDate d = QDate(2011, 6, 1).addDays(random.bounded(365 * 4));
            const QString y = QString::number(d.year() + 543);
            switch (random.bounded(4)) {
            case 0:
                return QStringLiteral("%1/%2/%3").arg(d.day()).arg(d.month()).arg(y);
            case 1:
                return u'\'' + d.toString(QStringLiteral("dd/MM/")) + y;
            case 2:
                return d.toString(QStringLiteral("dd/MM/")) + y + QStringLiteral(" 13:45:00");
            default:
                return d.toString(QStringLiteral("dd/MM/")) + y;
            }
        };
        const int rounds = backend == QLatin1String("sqlite") ? 400 : 120;
        for (int i = 0; i < rounds; ++i) {
            const QString start = dateText();
            const QString end = dateText();
            const DayCounts expected = Count_Work_Days(c, start, end);
            const DayCounts got = once.count(start, end);
            if (!(got == expected)) {
                QFAIL(qPrintable(QStringLiteral("%1 .. %2: %3/%4 instead of %5/%6")
                                     .arg(start, end)
                                     .arg(got.calendarDays)
                                     .arg(got.holidays)
                                     .arg(expected.calendarDays)
                                     .arg(expected.holidays)));
            }
        }
    }

    // Every text against every other, both ways of reading the calendar: the numbers of a
    // calendar of eight-digit keys, and the texts once one key is not.
    void oneReadMatchesTheQueriesOnOddTexts_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("oddKey");
        for (const QString &backend : TestCatalog::backends()) {
            QTest::addRow("%s: generated", qPrintable(backend)) << backend << false;
            QTest::addRow("%s: a key not of digits", qPrintable(backend)) << backend << true;
        }
    }
    void oneReadMatchesTheQueriesOnOddTexts()
    {
        QFETCH(QString, backend);
        QFETCH(bool, oddKey);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        makeCalendar2555(c);
        if (oddKey) {
            c.execute(
                db::Statement{QStringLiteral("INSERT INTO TR_Day_Calendar (D_YYYYMMDD, Day_Status) "
                                             "VALUES ('255501Ab', 's')")});
        }
        const WorkDayCalendar once(c);
        const QStringList texts{QStringLiteral("6/1/2555"),
                                QStringLiteral("06/01/2555 10:30:00"),
                                QStringLiteral("'06/01/2555"),
                                QStringLiteral("0/1/2555"),
                                QStringLiteral("31/12/2555"),
                                QStringLiteral("9/1/25550"),
                                QStringLiteral("9/1/2555/"),
                                QStringLiteral("123/1/2555"),
                                QStringLiteral("6/123/2555"),
                                QStringLiteral("6/1/255"),
                                QStringLiteral(" 6/1/2555"),
                                QStringLiteral("6 /1/2555"),
                                QStringLiteral("6/1/ 2555"),
                                QStringLiteral("6//2555"),
                                QStringLiteral("/1/2555"),
                                QStringLiteral("1/13/2555"),
                                QStringLiteral("2555"),
                                QStringLiteral("25550105"),
                                QStringLiteral("๖/๑/๒๕๕๕"),
                                QStringLiteral("01/AB/2555"),
                                QString()};
        for (const QString &start : texts) {
            for (const QString &end : texts) {
                const DayCounts expected = Count_Work_Days(c, start, end);
                const DayCounts got = once.count(start, end);
                if (!(got == expected)) {
                    QFAIL(qPrintable(QStringLiteral("\"%1\" .. \"%2\": %3/%4 instead of %5/%6")
                                         .arg(start, end)
                                         .arg(got.calendarDays)
                                         .arg(got.holidays)
                                         .arg(expected.calendarDays)
                                         .arg(expected.holidays)));
                }
            }
        }
    }

    void emptyCalendarCountsNothing()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        const WorkDayCalendar once(catalog.connection());
        QVERIFY(once.count(QString(), QStringLiteral("31/12/2555")) == DayCounts{});
    }
};

QTEST_MAIN(TestWorkDays)
#include "tst_work_days.moc"
