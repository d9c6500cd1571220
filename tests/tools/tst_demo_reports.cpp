// The demo catalog as the report screens find it on a fresh start: each report, run through the
// core with the criteria its screen opens with, shows rows, and the day counts of the finished
// documents are those of the two counting queries over a calendar that holds their dates.

#include "TestCatalog.h"
#include "admin/Admin.h"
#include "core/Access.h"
#include "core/Reports.h"
#include "core/WorkDays.h"
#include "data/Connection.h"
#include "util/ThaiDate.h"
#include "util/Utility.h"

#include <QHash>
#include <QSet>
#include <QTest>

namespace {

// The criteria as a report screen opens: check boxes unticked, the rest on with their initial
// texts (a range starts with the same date in both boxes).
criteria::Entered atStart(db::Connection &c, const QList<criteria::Criterion> &list,
                          const QString &todayThai)
{
    criteria::Entered out;
    for (const criteria::Criterion &k : list) {
        const bool on = k.toggle == criteria::Switch::Always ||
                        (k.toggle == criteria::Switch::RadioPair && k.onAtStart);
        if (!on) {
            out.append(std::nullopt);
            continue;
        }
        const QStringList items =
            k.source == criteria::Items::Fixed ? k.items : reports::itemsOf(c, k.source);
        const QString start = criteria::initialText(k, todayThai, items);
        out.append(k.input == criteria::Input::DateRange ? QStringList{start, start}
                                                         : QStringList{start});
    }
    return out;
}

// A date text of a report cell ("'2/1/2556 10:02:00", "05/10/2557") as a Gregorian date.
QDate dateOf(QString text)
{
    if (text.startsWith(u'\''))
        text.remove(0, 1);
    // Parsed by parts: a Buddhist-era 29/02 is no leap day of the same number's Gregorian year.
    const QStringList parts = Norm_Date_Text(text).split(u'/');
    return QDate(parts.value(2).toInt() - BuddhistEraOffset, parts.value(1).toInt(),
                 parts.value(0).toInt());
}

QStringList countCells(const QStringList &row, int at)
{
    return row.mid(at, 3);
}

QStringList expectedCounts(db::Connection &c, const QString &start, const QString &end)
{
    const DayCounts n = Count_Work_Days(c, start, end);
    return {QString::number(n.calendarDays), QString::number(n.holidays),
            QString::number(n.workingDays)};
}

// The whole days of a range, both ends counted: what the calendar must hold.
QString daysOf(const QString &start, const QString &end)
{
    return QString::number(dateOf(start).daysTo(dateOf(end)) + 1);
}

} // namespace

class TestDemoReports : public QObject {
    Q_OBJECT

private slots:
    // On the server's date, and on the dates that end a month, a year or the whole calendar
    // (an SQLite clock can be pinned; a PostgreSQL catalog's schema sets its own).
    void everyReportFindsRows_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QDateTime>("pinned");
        const QTime ten(10, 0);
        QTest::newRow("sqlite") << QStringLiteral("sqlite") << QDateTime();
        QTest::newRow("postgresql") << QStringLiteral("postgresql") << QDateTime();
        QTest::newRow("1 January") << QStringLiteral("sqlite") << QDateTime(QDate(2027, 1, 1), ten);
        QTest::newRow("29 February")
            << QStringLiteral("sqlite") << QDateTime(QDate(2024, 2, 29), ten);
        QTest::newRow("31 December")
            << QStringLiteral("sqlite") << QDateTime(QDate(2026, 12, 31), ten);
    }
    void everyReportFindsRows()
    {
        QFETCH(QString, backend);
        QFETCH(QDateTime, pinned);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend, false);
        db::Connection &c = catalog.connection();
        if (pinned.isValid())
            c.pinServerClockForTests(pinned);
        admin::loadDemo(c);
        const user_access::StartUpValues now = user_access::readStartUpValues(c);
        const QDate today = now.serverNow.date();
        if (pinned.isValid())
            QCOMPARE(today, pinned.date());

        QHash<QString, QList<QStringList>> rowsOf;
        for (const reports::Named &r : reports::all()) {
            const report::Shape shape = r.shape();
            const QList<QStringList> rows =
                report::run(c, shape, atStart(c, shape.criteria, now.Today_Thai));
            QVERIFY2(!rows.isEmpty(), qPrintable(r.name));
            for (const QStringList &row : rows)
                QCOMPARE(row.size(), report::columnCount(shape));
            rowsOf.insert(r.name, rows);
        }

        // Days in the division: every finished document counted over its whole stay, and may be
        // broken down; the others have no counts. The stays spread from the calendar's first
        // year to the server's date.
        const report::Shape division = reports::daysInDivision();
        int finished = 0;
        QSet<int> years;
        for (const QStringList &row : rowsOf.value(QStringLiteral("days-in-division"))) {
            const QString entry = row.at(9);
            const QString exit = row.at(10);
            if (row.at(7) != QStringLiteral("เสร็จสิ้นดำเนินการ")) {
                QCOMPARE(countCells(row, 11), (QStringList{QString(), QString(), QString()}));
                continue;
            }
            ++finished;
            QVERIFY2(dateOf(entry).isValid() && dateOf(exit).isValid(), qPrintable(row.at(1)));
            QVERIFY2(dateOf(entry) <= dateOf(exit) && dateOf(exit) <= today, qPrintable(row.at(1)));
            QCOMPARE(countCells(row, 11), expectedCounts(c, entry, exit));
            QCOMPARE(row.at(11), daysOf(entry, exit));
            QCOMPARE(division.breakdown.refusal(row), QString());
            years << dateOf(entry).year() << dateOf(exit).year();
        }
        QVERIFY(finished >= 8);
        QVERIFY(years.contains(today.year() - 1));
        QVERIFY(years.contains(today.year()));

        // The movement report lists the finished documents; the first document type has some.
        QCOMPARE(rowsOf.value(QStringLiteral("movement")).size(), finished);
        const QString firstType = reports::itemsOf(c, criteria::Items::DocTypes).value(0);
        for (const QStringList &row : rowsOf.value(QStringLiteral("by-doc-type")))
            QCOMPARE(row.at(20), firstType);

        // Days to payment: cleared documents, each counted from its entry to the clearing, and
        // from the posting when the ERP has one; some have none and cannot be broken down.
        const report::Shape payment = reports::daysToPayment();
        int posted = 0;
        int unposted = 0;
        for (const QStringList &row : rowsOf.value(QStringLiteral("days-to-payment"))) {
            QVERIFY(!row.at(17).isEmpty());
            const QString entry = row.at(29);
            const QString posting = row.at(24);
            const QString clearing = row.at(30);
            QVERIFY2(dateOf(clearing).isValid() && dateOf(clearing) <= today,
                     qPrintable(row.at(1)));
            QCOMPARE(countCells(row, 31), expectedCounts(c, entry, clearing));
            QCOMPARE(row.at(31), daysOf(entry, clearing));
            if (posting == QStringLiteral("'")) {
                ++unposted;
                QCOMPARE(countCells(row, 26), (QStringList{QString(), QString(), QString()}));
                QCOMPARE(payment.breakdown.refusal(row), reports::CannotCount);
                continue;
            }
            ++posted;
            QVERIFY(dateOf(entry) <= dateOf(posting) && dateOf(posting) <= dateOf(clearing));
            QCOMPARE(countCells(row, 11), expectedCounts(c, entry, posting));
            QCOMPARE(countCells(row, 26), expectedCounts(c, posting, clearing));
            QCOMPARE(payment.breakdown.refusal(row), QString());
        }
        QVERIFY(posted >= 2);
        QVERIFY(unposted >= 1);

        // Ticked, the clearing month as the screen opens with it finds this month's payments.
        criteria::Entered thisMonth = atStart(c, payment.criteria, now.Today_Thai);
        thisMonth[0] =
            QStringList{criteria::initialText(payment.criteria.at(0), now.Today_Thai, {})};
        const QList<QStringList> cleared = report::run(c, payment, thisMonth);
        QVERIFY(!cleared.isEmpty());
        for (const QStringList &row : cleared)
            QCOMPARE(row.at(30).mid(4), now.Today_Thai.mid(3));

        // The calendar of the server's year, day by day.
        QCOMPARE(rowsOf.value(QStringLiteral("calendar-of-year")).size(),
                 QDate(today.year(), 1, 1).daysTo(QDate(today.year() + 1, 1, 1)));
    }
};

QTEST_GUILESS_MAIN(TestDemoReports)
#include "tst_demo_reports.moc"
