// The service-level summary: its figures over hand-made groups, its inputs, and a generated
// catalog summarised by the program and, independently, by a count made here day by day.

#include "TestCatalog.h"
#include "core/Calendar.h"
#include "core/Report.h"
#include "core/Reports.h"
#include "core/ServiceSummary.h"
#include "data/Connection.h"
#include "util/ThaiDate.h"

#include <QDate>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <cmath>

using summary::By;

Q_DECLARE_METATYPE(summary::By)

namespace {

// "key:group:days key:group:days ..."; a group may be empty ("A::3").
QList<summary::Item> itemsOf(const char *text)
{
    QList<summary::Item> items;
    for (const QString &word : QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(u':');
        items.append({parts.at(0), parts.at(1), parts.at(2).toInt()});
    }
    return items;
}

QStringList cellLines(const QList<summary::Figures> &groups)
{
    QStringList lines;
    for (const summary::Figures &f : groups)
        lines << summary::figuresCells(f).join(u'|');
    return lines;
}

QStringList openLines(const QList<summary::OpenFigures> &groups)
{
    QStringList lines;
    for (const summary::OpenFigures &f : groups)
        lines << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(f.group)
                     .arg(f.documents)
                     .arg(summary::tenthsText(f.meanTenths))
                     .arg(f.oldest)
                     .arg(f.oldestKey)
                     .arg(f.pastTarget);
    return lines;
}

// ---- the generated catalog and the count made here ----

const QDate FirstDay(2023, 1, 1); // the calendar: 2566 and 2567
const QDate LastDay(2024, 12, 31);
const QList<QDate> WeekdayHolidays{QDate(2023, 10, 13), QDate(2023, 10, 23), QDate(2023, 12, 5),
                                   QDate(2024, 4, 15),  QDate(2024, 7, 29),  QDate(2024, 9, 30)};
const QDate Today(2024, 10, 15); // 15/10/2567
const QDate PeriodFrom(2023, 10, 1);
const QDate PeriodTo(2024, 9, 30);

int workingDaysHere(const QDate &from, const QDate &to)
{
    int n = 0;
    for (QDate d = std::max(from, FirstDay); d <= to && d <= LastDay; d = d.addDays(1)) {
        if (d.dayOfWeek() < 6 && !WeekdayHolidays.contains(d))
            ++n;
    }
    return n;
}

QString thai(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/")) + QString::number(d.year() + 543);
}

// As the electronic-document export writes it: no zeros, a time of day.
QString sheetForm(const QDate &d)
{
    return QStringLiteral("%1/%2/%3 10:%4:00")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year() + 543)
        .arg(d.day() % 60, 2, 10, QLatin1Char('0'));
}

QString monthHere(const QDate &d)
{
    return d.toString(QStringLiteral("MM/")) + QString::number(d.year() + 543);
}

struct Doc {
    QString key;
    QString officer; // as stored; "-" for null
    QString type;
    QString status;
    QDate entry; // invalid: stored empty or null
    QDate exit;
};

// The officer or type code the summary groups by.
QString codeHere(const QString &stored)
{
    return stored == QLatin1String("-") ? QString() : stored.trimmed();
}

QList<Doc> generated()
{
    QRandomGenerator random(20240930);
    const QStringList officers{QStringLiteral("01"),
                               QStringLiteral("02"),
                               QStringLiteral("03"),
                               QStringLiteral("-"),
                               QString(),
                               QStringLiteral(" ")};
    const QStringList types{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("-")};
    QList<Doc> docs;
    for (int i = 0; i < 240; ++i) {
        Doc d;
        // Keys out of insertion order, so key order is not the catalog's.
        d.key = QStringLiteral("K%1").arg((i * 37) % 240, 4, 10, QLatin1Char('0'));
        d.officer = officers.at(random.bounded(int(officers.size())));
        d.type = types.at(random.bounded(int(types.size())));
        const int kind = random.bounded(10);
        d.status = kind < 6   ? QStringLiteral("4")
                   : kind < 8 ? QStringLiteral("3")
                              : QStringLiteral("2");
        d.entry = QDate(2023, 8, 1).addDays(random.bounded(440));
        d.exit = d.entry.addDays(random.bounded(25));
        if (d.status != QLatin1String("4"))
            d.exit = QDate();
        if (random.bounded(25) == 0)
            d.entry = QDate();
        docs.append(d);
    }
    // The period's first and last days are in it, the days beside them are not.
    const QList<QDate> edges{PeriodFrom, PeriodTo, PeriodFrom.addDays(-1), PeriodTo.addDays(1)};
    for (int i = 0; i < edges.size(); ++i)
        docs.append({QStringLiteral("E%1").arg(i), QStringLiteral("01"), QStringLiteral("01"),
                     QStringLiteral("4"), edges.at(i).addDays(-3), edges.at(i)});
    // Finished without an exit date; finished with no entry date, in the period.
    docs.append({QStringLiteral("N1"), QStringLiteral("02"), QStringLiteral("02"),
                 QStringLiteral("4"), QDate(2024, 1, 10), QDate()});
    docs.append({QStringLiteral("N2"), QStringLiteral("02"), QStringLiteral("02"),
                 QStringLiteral("4"), QDate(), QDate(2024, 1, 10)});
    return docs;
}

void store(db::Connection &c, const QList<Doc> &docs)
{
    generateCalendar(c, 2566, 2567);
    for (const QDate &d : WeekdayHolidays)
        c.execute(db::Statement{QStringLiteral("UPDATE TR_Day_Calendar SET Day_Status = 'S' "
                                               "WHERE D_YYYYMMDD = '%1%2'")
                                    .arg(d.year() + 543)
                                    .arg(d.toString(QStringLiteral("MMdd")))});
    db::Transaction t(c);
    int n = 0;
    for (const Doc &d : docs) {
        const auto literal = [](const QString &v) {
            return v == QLatin1String("-") ? QStringLiteral("NULL")
                                           : u'\'' + db::sqlText(v) + u'\'';
        };
        // Half the dates as the export writes them, half as typed.
        const auto date = [&n](const QDate &day) {
            return day.isValid() ? (n % 2 ? sheetForm(day) : thai(day)) : QString();
        };
        c.execute(db::Statement{
            QStringLiteral(
                "INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, DocType_Code, "
                "DocStatus, Date_Into_Fin, Modified_Date) VALUES (%1, %2, %3, %4, %5, %6)")
                .arg(literal(d.key), literal(d.officer), literal(d.type), literal(d.status),
                     literal(date(d.entry)), literal(date(d.exit)))});
        ++n;
    }
    t.commit();
}

QString byHere(const Doc &d, By by, bool open)
{
    switch (by) {
    case By::Officer:
        return codeHere(d.officer);
    case By::DocType:
        return codeHere(d.type);
    case By::Month:
        break;
    }
    return monthHere(open ? d.entry : d.exit);
}

// Groups in the summary's order: codes as text, months in time order, the empty group last.
QList<QString> orderedHere(QList<QString> groups, By by)
{
    const auto order = [by](const QString &g) {
        return std::make_pair(g.isEmpty(), by == By::Month ? g.mid(3) + g.left(2) : g);
    };
    std::sort(groups.begin(), groups.end(),
              [&](const QString &a, const QString &b) { return order(a) < order(b); });
    return groups;
}

QString oneDecimal(double v)
{
    return QString::number(std::floor(v * 10 + 0.5) / 10, 'f', 1);
}

// The eight printed cells of a group, computed here from its (key, days).
QStringList expectedCells(const QString &group, QList<std::pair<QString, int>> docs, int target)
{
    std::sort(docs.begin(), docs.end());
    QList<int> days;
    double sum = 0;
    int within = 0;
    QString longest;
    int most = -1;
    for (const auto &[key, n] : docs) {
        days << n;
        sum += n;
        within += n <= target;
        if (n > most) {
            most = n;
            longest = key;
        }
    }
    std::sort(days.begin(), days.end());
    const qsizetype n = days.size();
    const double median = n % 2 ? days.at(n / 2) : (days.at(n / 2 - 1) + days.at(n / 2)) / 2.0;
    // Nearest rank: the least value with at least nine tenths of the values at or below it.
    int p90 = days.last();
    for (const int v : days) {
        if (10 * std::count_if(days.begin(), days.end(), [v](int x) { return x <= v; }) >= 9 * n) {
            p90 = v;
            break;
        }
    }
    return {group,
            QString::number(n),
            oneDecimal(sum / double(n)),
            oneDecimal(median),
            QString::number(p90),
            QString::number(within),
            oneDecimal(within * 100.0 / double(n)),
            longest};
}

} // namespace

class TestServiceSummary : public QObject {
    Q_OBJECT

private slots:
    void figures_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<int>("target");
        QTest::addColumn<By>("by");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("odd count")
            << "A:01:1 B:01:5 C:01:3" << 3 << By::Officer << QStringList{"01|3|3.0|3.0|5|2|66.7|B"};
        QTest::newRow("even count: the middle two's mean, the mean rounded half up")
            << "A:01:2 B:01:10 C:01:3 D:01:4" << 3 << By::Officer
            << QStringList{"01|4|4.8|3.5|10|2|50.0|B"};
        QTest::newRow("one document")
            << "A:02:7" << 3 << By::DocType << QStringList{"02|1|7.0|7.0|7|0|0.0|A"};
        QTest::newRow("ten: the ninth value")
            << "A:x:1 B:x:2 C:x:3 D:x:4 E:x:5 F:x:6 G:x:7 "
               "H:x:8 I:x:9 J:x:10"
            << 3 << By::Officer << QStringList{"x|10|5.5|5.5|9|3|30.0|J"};
        QTest::newRow("eleven: the tenth value")
            << "A:x:1 B:x:2 C:x:3 D:x:4 E:x:5 F:x:6 G:x:7 H:x:8 I:x:9 J:x:10 K:x:11" << 3
            << By::Officer << QStringList{"x|11|6.0|6.0|10|3|27.3|K"};
        QTest::newRow("a tie for the longest: the first key, whatever the order given")
            << "Z:01:5 B:01:5 M:01:2" << 2 << By::Officer << QStringList{"01|3|4.0|5.0|5|1|33.3|B"};
        QTest::newRow("shares half up: 1 of 16 is 6.3")
            << "A:g:1 B:g:9 C:g:9 D:g:9 E:g:9 F:g:9 G:g:9 H:g:9 I:g:9 J:g:9 K:g:9 L:g:9 M:g:9 "
               "N:g:9 O:g:9 P:g:9"
            << 3 << By::Officer << QStringList{"g|16|8.5|9.0|9|1|6.3|B"};
        QTest::newRow("no working day, target zero")
            << "A:g:0 B:g:0 C:g:1" << 0 << By::Officer << QStringList{"g|3|0.3|0.0|1|2|66.7|C"};
        QTest::newRow("groups: codes in order, the one without a code last")
            << "A::4 B:02:1 C:01:2 D::6" << 3 << By::Officer
            << QStringList{"01|1|2.0|2.0|2|1|100.0|C", "02|1|1.0|1.0|1|1|100.0|B",
                           "|2|5.0|5.0|6|0|0.0|D"};
        QTest::newRow("months in time order across the year's end")
            << "A:01/2567:1 B:12/2566:2 C:10/2567:3 D::4 E:02/2566:5" << 3 << By::Month
            << QStringList{"02/2566|1|5.0|5.0|5|0|0.0|E", "12/2566|1|2.0|2.0|2|1|100.0|B",
                           "01/2567|1|1.0|1.0|1|1|100.0|A", "10/2567|1|3.0|3.0|3|1|100.0|C",
                           "|1|4.0|4.0|4|0|0.0|D"};
        QTest::newRow("nothing") << "" << 3 << By::Officer << QStringList{};
    }
    void figures()
    {
        QFETCH(QString, items);
        QFETCH(int, target);
        QFETCH(By, by);
        QFETCH(QStringList, expected);
        const QList<summary::Figures> groups =
            summary::finishedFigures(itemsOf(items.toUtf8().constData()), target, by);
        QCOMPARE(cellLines(groups), expected);
        // Each group keeps its documents, in key order.
        for (const summary::Figures &f : groups) {
            QCOMPARE(f.items.size(), f.documents);
            for (qsizetype i = 1; i < f.items.size(); ++i)
                QVERIFY(f.items.at(i - 1).key < f.items.at(i).key);
        }
    }

    void openGroups()
    {
        const QList<summary::OpenFigures> groups =
            summary::openFigures(itemsOf("A:01:2 B:01:9 C:01:9 D::4 E:02:3"), 3, By::Officer);
        QCOMPARE(openLines(groups),
                 (QStringList{"01|3|6.7|9|B|2", "02|1|3.0|3|E|0", "|1|4.0|4|D|1"}));
    }

    void rounding_data()
    {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact") << qint64(6) << qint64(2) << "3.0";
        QTest::newRow("half up") << qint64(9) << qint64(4) << "2.3";
        QTest::newRow("below half") << qint64(1) << qint64(3) << "0.3";
        QTest::newRow("above half") << qint64(2) << qint64(3) << "0.7";
        QTest::newRow("large") << qint64(123456789) << qint64(1000) << "123456.8";
        QTest::newRow("no denominator") << qint64(5) << qint64(0) << "0.0";
        QTest::newRow("negative, half up") << qint64(-9) << qint64(4) << "-2.2";
    }
    void rounding()
    {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QFETCH(QString, text);
        QCOMPARE(summary::tenthsText(summary::roundedTenths(numerator, denominator)), text);
    }

    void inputs()
    {
        QCOMPARE(thaiDateOf(QStringLiteral("29/02/2567")), QDate(2024, 2, 29));
        for (const char *bad : {"29/02/2566", "1/10/2566", "31/04/2567", "", "  /  /    ",
                                "01/10/2566 10:00:00", "01-10-2566"})
            QVERIFY2(!thaiDateOf(QString::fromUtf8(bad)).isValid(), bad);
        QCOMPARE(summary::targetOf(QStringLiteral(" 5 ")), std::optional<int>(5));
        QCOMPARE(summary::targetOf(QStringLiteral("0")), std::optional<int>(0));
        QCOMPARE(summary::targetOf(QStringLiteral("999")), std::optional<int>(999));
        for (const char *bad : {"", "-1", "1000", "2.5", "three", "๓"})
            QVERIFY2(!summary::targetOf(QString::fromUtf8(bad)), bad);
        for (const By by : summary::allBys())
            QCOMPARE(summary::byOf(summary::byWord(by)), std::optional<By>(by));
        QVERIFY(!summary::byOf(QStringLiteral("Officer")));
        // Fiscal year 2015 ran from October 2014.
        const summary::Period p = summary::fiscalYearPeriod(QStringLiteral("2015"));
        QCOMPARE(p.from, QStringLiteral("01/10/2557"));
        QCOMPARE(p.to, QStringLiteral("30/09/2558"));
    }

    // The program's summary of a generated catalog against the one made here.
    void generatedCatalog_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<By>("by");
        QTest::addColumn<int>("target");
        for (const QString &backend : TestCatalog::backends()) {
            for (const By by : summary::allBys()) {
                for (const int target : {3, 8})
                    QTest::addRow("%s, %s, target %d", qPrintable(backend),
                                  qPrintable(summary::byWord(by)), target)
                        << backend << by << target;
            }
        }
    }
    void generatedCatalog()
    {
        QFETCH(QString, backend);
        QFETCH(By, by);
        QFETCH(int, target);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QList<Doc> docs = generated();
        store(c, docs);

        const summary::Request request{{thai(PeriodFrom), thai(PeriodTo)}, target, by};
        const summary::Summary s = summary::run(c, request, thai(Today));

        QMap<QString, QList<std::pair<QString, int>>> finished;
        QMap<QString, QList<std::pair<QString, int>>> open;
        int withoutEntry = 0;
        for (const Doc &d : docs) {
            if (d.status == QLatin1String("4")) {
                if (!d.exit.isValid() || d.exit < PeriodFrom || d.exit > PeriodTo)
                    continue;
                if (!d.entry.isValid()) {
                    ++withoutEntry;
                    continue;
                }
                finished[byHere(d, by, false)].append({d.key, workingDaysHere(d.entry, d.exit)});
            } else if (d.entry.isValid()) {
                open[byHere(d, by, true)].append({d.key, workingDaysHere(d.entry, Today)});
            }
        }
        QStringList expected;
        for (const QString &g : orderedHere(finished.keys(), by))
            expected << expectedCells(g, finished.value(g), target).join(u'|');
        QCOMPARE(cellLines(s.finished), expected);
        QCOMPARE(s.documents.withoutEntry, withoutEntry);

        QStringList expectedOpen;
        for (const QString &g : orderedHere(open.keys(), by)) {
            QList<std::pair<QString, int>> list = open.value(g);
            std::sort(list.begin(), list.end());
            int past = 0;
            qint64 sum = 0;
            std::pair<QString, int> oldest = list.first();
            for (const auto &p : list) {
                past += p.second > target;
                sum += p.second;
                if (p.second > oldest.second)
                    oldest = p;
            }
            expectedOpen << QStringLiteral("%1|%2|%3|%4|%5|%6")
                                .arg(g)
                                .arg(list.size())
                                .arg(oneDecimal(double(sum) / double(list.size())))
                                .arg(oldest.second)
                                .arg(oldest.first)
                                .arg(past);
        }
        QCOMPARE(openLines(s.open), expectedOpen);

        // The period's bounds are both in it.
        QSet<QString> keys;
        for (const summary::Document &d : s.documents.finished)
            keys.insert(d.key);
        QVERIFY(keys.contains(QStringLiteral("E0")) && keys.contains(QStringLiteral("E1")));
        QVERIFY(!keys.contains(QStringLiteral("E2")) && !keys.contains(QStringLiteral("E3")));
    }

    // A finished document's working days are the days-in-division report's, and a group's
    // documents list as that report's rows.
    void sameCountAsTheDaysInDivisionReport_data() { TestCatalog::addBackendRows(); }
    void sameCountAsTheDaysInDivisionReport()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        store(c, generated());
        const report::Shape shape = reports::daysInDivision();
        criteria::Entered entered(shape.criteria.size(), std::nullopt);
        entered.last() = QStringList{QStringLiteral("4. เสร็จสิ้นดำเนินการ")};
        QMap<QString, QString> reported;
        for (const QStringList &row : report::run(c, shape, entered))
            reported.insert(row.at(1), row.at(13));

        const summary::Summary s =
            summary::run(c, {{thai(PeriodFrom), thai(PeriodTo)}, 3, By::Officer}, thai(Today));
        QVERIFY(s.documents.finished.size() > 50);
        for (const summary::Document &d : s.documents.finished)
            QCOMPARE(QString::number(d.days), reported.value(d.key));

        const summary::Figures &group = s.finished.first();
        QStringList keys;
        for (const summary::Item &i : group.items)
            keys << i.key;
        const QList<QStringList> rows = summary::documentRows(c, keys);
        QCOMPARE(rows.size(), keys.size());
        QStringList listed;
        for (const QStringList &row : rows) {
            QCOMPARE(row.size(), report::columnCount(shape));
            QCOMPARE(row.at(13), reported.value(row.at(1)));
            listed << row.at(1);
        }
        listed.sort();
        QCOMPARE(listed, keys);
        QVERIFY(summary::documentRows(c, {}).isEmpty());
    }

    // No finished document in the period: no group, and the open ones still counted.
    void emptyPeriod_data() { TestCatalog::addBackendRows(); }
    void emptyPeriod()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        store(c, generated());
        const summary::Summary s = summary::run(
            c, {{QStringLiteral("01/01/2566"), QStringLiteral("31/01/2566")}, 3, By::Month},
            thai(Today));
        QVERIFY(s.finished.isEmpty());
        QVERIFY(!s.open.isEmpty());
        QVERIFY(summary::finishedGridRows(s.finished, {}).isEmpty());
    }

    void gridRowsCarryNames_data() { TestCatalog::addBackendRows(); }
    void gridRowsCarryNames()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{QStringLiteral("INSERT INTO TR_PerSon (Per_Code, Per_Name, "
                                               "Per_status) VALUES ('01', ' สมชาย ', 'A'), "
                                               "('02', 'สมหญิง', 'N')")});
        const QMap<QString, QString> names = summary::namesOf(c, By::Officer);
        QCOMPARE(names.value(QStringLiteral("01")), QStringLiteral("สมชาย"));
        QCOMPARE(names.value(QStringLiteral("02")), QStringLiteral("สมหญิง"));
        QVERIFY(summary::namesOf(c, By::Month).isEmpty());
        const QList<summary::Figures> groups =
            summary::finishedFigures(itemsOf("A:02:3 B::4"), 3, By::Officer);
        const QList<QStringList> rows = summary::finishedGridRows(groups, names);
        QCOMPARE(rows.at(0),
                 (QStringList{"1", "02", "สมหญิง", "1", "3.0", "3.0", "3", "1", "100.0", "A"}));
        QCOMPARE(rows.at(1).mid(0, 3), (QStringList{"2", "", "(ไม่ระบุ)"}));
        QCOMPARE(summary::finishedGridHeader(By::Officer).size(), rows.at(0).size());
    }
};

QTEST_GUILESS_MAIN(TestServiceSummary)
#include "tst_service_summary.moc"
