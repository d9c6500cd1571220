// The five reports without a window: their statements for mixes of ticked criteria, and the
// rows they read from real catalogs, with working-day counts checked against a count made here
// day by day.

#include "TestCatalog.h"
#include "core/Calendar.h"
#include "core/Report.h"
#include "core/Reports.h"
#include "data/Connection.h"

#include <QDate>
#include <QLocale>
#include <QMap>
#include <QTest>

namespace {

using Values = QMap<QString, QString>;
using Rows = QList<QStringList>;

const QString Finished = QStringLiteral("เสร็จสิ้นดำเนินการ");
const QString FollowedUp = QStringLiteral("ติดตามดำเนินการ");

// A row of any table; columns not named stay null.
void insert(db::Connection &c, const QString &table, const Values &values)
{
    QStringList columns, literals;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << it.key();
        literals << u'\'' + db::sqlText(it.value()) + u'\'';
    }
    c.execute(db::Statement{QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                            columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                            literals.join(QStringLiteral(", ")) + QStringLiteral(")")});
}

void addDocument(db::Connection &c, const QString &key, Values values)
{
    values.insert(QStringLiteral("Doc_PK"), key);
    insert(c, QStringLiteral("Main_Deega_Control"), values);
}

// The rows of a run by their key; the database gives them in no promised order.
QMap<QString, QStringList> byKey(const Rows &rows)
{
    QMap<QString, QStringList> out;
    for (const QStringList &r : rows)
        out.insert(r.value(1), r);
    return out;
}

QStringList keysOf(const Rows &rows)
{
    QStringList keys = byKey(rows).keys();
    keys.sort();
    return keys;
}

QStringList lines(const report::Shape &shape, const criteria::Entered &entered)
{
    return report::statement(shape, entered).lines();
}

// The weekday holidays marked on the generated years 2555 and 2556, with their remarks.
const QMap<QDate, QString> &weekdayHolidays()
{
    static const QMap<QDate, QString> days{
        {QDate(2012, 1, 3), QStringLiteral("หยุดชดเชย")},
        {QDate(2012, 4, 13), QStringLiteral("สงกรานต์")},
        {QDate(2012, 12, 31), QStringLiteral("สิ้นปี")},
        {QDate(2013, 1, 2), QStringLiteral("หยุดพิเศษ")},
    };
    return days;
}

// Calendar years 2555 and 2556 with the weekday holidays above and a remark, with blanks
// around it, on a weekend day.
void makeCalendar(db::Connection &c)
{
    generateCalendar(c, 2555, 2556);
    const auto mark = [&c](const QDate &d, const QString &remark) {
        c.execute(db::Statement{QStringLiteral("UPDATE TR_Day_Calendar SET Day_Status = 'S', "
                                               "Day_Remark = '") +
                                db::sqlText(remark) + QStringLiteral("' WHERE D_YYYYMMDD = '") +
                                QString::number(d.year() + 543) +
                                d.toString(QStringLiteral("MMdd")) + u'\''});
    };
    for (auto it = weekdayHolidays().cbegin(); it != weekdayHolidays().cend(); ++it)
        mark(it.key(), it.value());
    mark(QDate(2012, 1, 1), QStringLiteral("  วันขึ้นปีใหม่ "));
}

// The count made day by day on the calendar above: days of the generated years only,
// weekends and the marked weekdays as holidays.
QStringList countedHere(const QDate &from, const QDate &to)
{
    int days = 0;
    int holidays = 0;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const int year = d.year() + 543;
        if (year < 2555 || year > 2556)
            continue;
        ++days;
        if (d.dayOfWeek() >= 6 || weekdayHolidays().contains(d))
            ++holidays;
    }
    return {QString::number(days), QString::number(holidays), QString::number(days - holidays)};
}

// The same for two Buddhist-era dates dd/mm/yyyy.
QStringList countedHere(const char *from, const char *to)
{
    const auto gregorian = [](const char *thai) {
        const QDate d = QDate::fromString(QString::fromLatin1(thai), QStringLiteral("dd/MM/yyyy"));
        return d.addYears(-543);
    };
    return countedHere(gregorian(from), gregorian(to));
}

QStringList counts(int days, int holidays)
{
    return {QString::number(days), QString::number(holidays), QString::number(days - holidays)};
}

QStringList none()
{
    return {QString(), QString(), QString()};
}

QStringList blanks(int n)
{
    return QStringList(n, QString());
}

} // namespace

Q_DECLARE_METATYPE(criteria::Entered)

class TestReports : public QObject {
    Q_OBJECT

private slots:
    // Every report's statement for mixes of ticked criteria, line by line.
    void statements_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<criteria::Entered>("entered");
        QTest::addColumn<QStringList>("expected");
        const QStringList documents{"SELECT Main_Deega_Control.*, TR_PerSon.*",
                                    "FROM Main_Deega_Control LEFT JOIN TR_PerSon",
                                    " ON Main_Deega_Control.Per_Code = TR_PerSon.Per_Code",
                                    "Where (Main_Deega_Control.doc_pk is not null)"};
        const QStringList erp{
            "SELECT Main_Deega_Control.*, M_Imp_ERP.*",
            "FROM Main_Deega_Control LEFT JOIN M_Imp_ERP ON (Main_Deega_Control.SAP_Doc_No = "
            "M_Imp_ERP.FI_Doc_No)",
            "AND (Main_Deega_Control.SAP_Fiscal_Year = M_Imp_ERP.Fiscal_Year)",
            "WHERE (M_Imp_ERP.Clearing_Doc<>'')"};
        const QStringList calendar{"SELECT *", "FROM TR_Day_Calendar",
                                   "Where (D_YYYYMMDD is not null )"};
        const QString finishedOnly = QStringLiteral("And (Main_Deega_Control.DocStatus ='4')");
        const auto off = std::nullopt;
        using L = QStringList;

        QTest::newRow("days in division, nothing ticked")
            << "days-in-division" << criteria::Entered(9, off) << documents;
        QTest::newRow("days in division, every box")
            << "days-in-division" << criteria::Entered{L{"ศธ 0513"},
                                                       L{"05/01/2555"},
                                                       L{"ซื้อ"},
                                                       L{"12/2555"},
                                                       L{"07 สมชาย ใจดี"},
                                                       L{"A รับเช็คแล้ว"},
                                                       L{"S เสร็จสิ้นแล้ว"},
                                                       L{"01/01/2555", "31/01/2555"},
                                                       L{"4. เสร็จสิ้นดำเนินการ"}}
            << documents + L{"And (Main_Deega_Control.DocNumber like '%ศธ 0513%')",
                             "And (Main_Deega_Control.DocDate like '05/01/2555%')",
                             "And (Main_Deega_Control.Topic like '%ซื้อ%')",
                             "And (Main_Deega_Control.Deega_No like'%12/2555%')",
                             "And (Main_Deega_Control.Per_Code ='07')",
                             "And (Main_Deega_Control.IS_Rec_Cheq ='A')",
                             "And (Main_Deega_Control.IS_Success ='S')",
                             "And (DocNoDate_YYYYMMDD between '25550101' and '25550131')",
                             "And (DocStatus ='4')"};
        QTest::newRow("days in division, some boxes, quotes doubled, empty inputs")
            << "days-in-division" << criteria::Entered{L{"O'Neil"},
                                                       L{"  /  /    "},
                                                       off,
                                                       L{""},
                                                       off,
                                                       off,
                                                       off,
                                                       L{"05/10/2557", "05/10/2557"},
                                                       L{"2. รอดำเนินการ"}}
            << documents + L{"And (Main_Deega_Control.DocNumber like '%O''Neil%')",
                             "And (Main_Deega_Control.DocDate like '  /  /    %')",
                             "And (Main_Deega_Control.Deega_No like'%%')",
                             "And (DocNoDate_YYYYMMDD between '25571005' and '25571005')",
                             "And (DocStatus ='2')"};
        QTest::newRow("days in division, codes cut from typed texts")
            << "days-in-division"
            << criteria::Entered{off, off, L{"it's"}, off, L{"7"}, L{"x'"}, L{""}, off, L{"'3"}}
            << documents + L{"And (Main_Deega_Control.Topic like '%it''s%')",
                             "And (Main_Deega_Control.Per_Code ='7')",
                             "And (Main_Deega_Control.IS_Rec_Cheq ='x')",
                             "And (Main_Deega_Control.IS_Success ='')", "And (DocStatus ='''')"};

        QTest::newRow("movement, nothing ticked")
            << "movement" << criteria::Entered(7, off) << documents + L{finishedOnly};
        QTest::newRow("movement, every box")
            << "movement"
            << criteria::Entered{L{"1/2555"},   L{"05/01/2555"},  L{"O'Brien"},     L{"ฎ"},
                                 L{"12 สมหญิง"}, L{"N ยังไม่รับเช็ค"}, L{"N ยังไม่เสร็จสิ้น"}}
            << documents + L{"And (Main_Deega_Control.DocNumber like '%1/2555%')",
                             "And (Main_Deega_Control.DocDate like '05/01/2555%')",
                             "And (Main_Deega_Control.Topic like '%O''Brien%')",
                             "And (Main_Deega_Control.Deega_No like'%ฎ%')",
                             "And (Main_Deega_Control.Per_Code ='12')",
                             "And (Main_Deega_Control.IS_Rec_Cheq ='N')",
                             "And (Main_Deega_Control.IS_Success ='N')",
                             finishedOnly};
        QTest::newRow("movement, officer with an empty combo")
            << "movement" << criteria::Entered{off, off, off, off, L{""}, off, off}
            << documents + L{"And (Main_Deega_Control.Per_Code ='')", finishedOnly};

        QTest::newRow("by document type, the type alone")
            << "by-doc-type" << criteria::Entered{L{"03 ฎีกาเงินยืม"}, off, off, off}
            << documents + L{"And (Main_Deega_Control.DocType_Code ='03')"};
        QTest::newRow("by document type, every box")
            << "by-doc-type"
            << criteria::Entered{L{"0'ฎีกา"}, L{"07 สมชาย"}, L{"A"}, L{"S เสร็จสิ้นแล้ว"}}
            << documents + L{"And (Main_Deega_Control.DocType_Code ='0''')",
                             "And (Main_Deega_Control.Per_Code ='07')",
                             "And (Main_Deega_Control.IS_Rec_Cheq ='A')",
                             "And (Main_Deega_Control.IS_Success ='S')"};
        QTest::newRow("by document type, cleared type")
            << "by-doc-type" << criteria::Entered{L{""}, off, L{"N ยังไม่รับเช็ค"}, off}
            << documents + L{"And (Main_Deega_Control.DocType_Code ='')",
                             "And (Main_Deega_Control.IS_Rec_Cheq ='N')"};

        QTest::newRow("days to payment, nothing ticked")
            << "days-to-payment" << criteria::Entered{off, off} << erp;
        QTest::newRow("days to payment, both boxes")
            << "days-to-payment" << criteria::Entered{L{"01/2555"}, L{"02 เงินยืม"}}
            << erp + L{"AND (SUBSTring(Clearing_Date,4,7)='01/2555')",
                       "AND (Main_Deega_Control.DocType_Code='02')"};
        QTest::newRow("days to payment, blank month, quote in the type")
            << "days-to-payment" << criteria::Entered{L{"  /    "}, L{"'1"}}
            << erp + L{"AND (SUBSTring(Clearing_Date,4,7)='  /    ')",
                       "AND (Main_Deega_Control.DocType_Code='''1')"};

        QTest::newRow("calendar, one year")
            << "calendar-of-year" << criteria::Entered{L{"2557"}}
            << calendar + L{"And (SUBSTRING(d_yyyymmdd,1,4)='2557')", "Order by D_YYYYMMDD"};
        QTest::newRow("calendar, all")
            << "calendar-of-year" << criteria::Entered{off} << calendar + L{"Order by D_YYYYMMDD"};
        QTest::newRow("calendar, quote in the year")
            << "calendar-of-year" << criteria::Entered{L{"25'7"}}
            << calendar + L{"And (SUBSTRING(d_yyyymmdd,1,4)='25''7')", "Order by D_YYYYMMDD"};
    }
    void statements()
    {
        QFETCH(QString, report);
        QFETCH(criteria::Entered, entered);
        QFETCH(QStringList, expected);
        const reports::Named *named = nullptr;
        for (const reports::Named &n : reports::all()) {
            if (n.name == report)
                named = &n;
        }
        QVERIFY(named);
        const report::Shape shape = named->shape();
        QCOMPARE(shape.criteria.size(), entered.size());
        QCOMPARE(lines(shape, entered), expected);
    }

    // The criteria in words, as a printed report lists them.
    void enteredTexts_data()
    {
        using L = QStringList;
        QTest::addColumn<QString>("report");
        QTest::addColumn<criteria::Entered>("entered");
        QTest::addColumn<QStringList>("expected");
        const std::optional<QStringList> off;
        QTest::newRow("none ticked") << "movement" << criteria::Entered(7, off) << L{};
        QTest::newRow("officer and a range, in list order")
            << "days-in-division" << criteria::Entered{off,
                                                       off,
                                                       off,
                                                       off,
                                                       L{"01 สมชาย"},
                                                       off,
                                                       off,
                                                       L{"01/10/2567", "31/10/2567"},
                                                       off}
            << L{"ผู้รับผิดชอบ: 01 สมชาย", "วันที่หนังสือเข้ากองคลัง: 01/10/2567 ถึงวันที่ 31/10/2567"};
        QTest::newRow("an always-used type, trimmed")
            << "by-doc-type" << criteria::Entered{L{"01 Voucher  "}, off, L{"A รับเช็คแล้ว"}, off}
            << L{"ประเภทเอกสาร: 01 Voucher", "รับเช็ค หรือ ยัง: A รับเช็คแล้ว"};
        QTest::newRow("year") << "calendar-of-year" << criteria::Entered{L{"2557"}}
                              << L{"เฉพาะปี: 2557"};
        QTest::newRow("all years") << "calendar-of-year" << criteria::Entered{off} << L{"ทั้งหมด"};
        QTest::newRow("fewer entered than criteria")
            << "days-to-payment" << criteria::Entered{L{"01/2555"}}
            << L{"เดือนปี Clearing Date(KV-ERP): 01/2555"};
    }
    void enteredTexts()
    {
        QFETCH(QString, report);
        QFETCH(criteria::Entered, entered);
        QFETCH(QStringList, expected);
        for (const reports::Named &n : reports::all()) {
            if (n.name == report)
                QCOMPARE(criteria::enteredTexts(n.shape().criteria, entered), expected);
        }
    }

    // The grids' header rows and widths (0: the grid's standard width).
    void headersAndWidths()
    {
        const auto split = [](const char *texts) { return QString::fromUtf8(texts).split(u'|'); };
        const QStringList counts = split("จำนวนวัน|จำนวนวันหยุด|จำนวนวันทำการ");
        const QString lastEntry = QStringLiteral("วันที่เรื่องเข้ากองครั้งสุดท้าย");
        const QStringList movement =
            split("No|รหัส|วันที่เรื่องเข้ากอง|DocNumber|DocDate|Topic|To_Who|From Site|Doc Status|"
                  "วันที่เรื่องออกจากกอง|วันทีรับเรื่องวางฏีกา|ทะเบียนคุมฏีกา|เลขทีใบสำคัญ|วันที่บันทึกฏีกา|"
                  "เลขทีฏีกา|รับเช็คที่สาขา|สถานภาพจ่ายเช็ค|วันที่นัดรับเช็ค|สถานภาพเสร็จเสิ้น|ผู้รับผิดชอบ");
        const QList<int> movementWidths =
            QList<int>{30, 110, 120, 110, 90, 190, 190, 190, 0, 110} + QList<int>(10, 0);
        const QStringList documents =
            split("No|รหัส|DocNumber|DocDate|Topic|To_Who|From Site|Doc Status|วันที่เรื่องเข้ากอง");
        const QList<int> documentWidths{30, 110, 120, 110, 90, 190, 190, 190, 110, 110, 110};

        const report::Shape days = reports::daysInDivision();
        QCOMPARE(report::headerRow(days), (documents + QStringList{lastEntry, "วันที่เรื่องออกจากกอง"} +
                                           counts + QStringList{"ผู้รับผิดชอบ"}));
        QCOMPARE(report::widths(days), documentWidths + QList<int>(4, 0));

        QCOMPARE(report::headerRow(reports::movementDetail()), movement);
        QCOMPARE(report::widths(reports::movementDetail()), movementWidths);
        QCOMPARE(report::headerRow(reports::byDocType()), movement + QStringList{"ประเภทเอกสาร"});
        QCOMPARE(report::widths(reports::byDocType()), movementWidths + QList<int>{0});

        // Column 10's header ends in two closing parentheses, column 24's in one.
        const report::Shape payment = reports::daysToPayment();
        QCOMPARE(report::headerRow(payment),
                 (documents + QStringList{lastEntry, "วันที่ Posting Date(KV-ERP))"} + counts +
                  split("Fiscal_Year|FI_Doc_No|Check_No|Clearing_Doc|Deka_Number|Deka_Status|"
                        "Vendor_Name|Description_Erp|Fund_ERP|Functional_Area|"
                        "วันที่ Posting Date(KV-ERP)|วันที่ Clearing Date(KV-ERP)") +
                  counts + QStringList{lastEntry, "วันที่ Clearing Date(KV-ERP)"} + counts));
        QCOMPARE(report::widths(payment), documentWidths + QList<int>(23, 0));

        const report::Shape calendar = reports::calendarOfYear();
        QCOMPARE(report::headerRow(calendar),
                 split("No|Eng_Date|Thai Date|Name Of Day|Day Status|Day Remark"));
        QCOMPARE(report::widths(calendar), (QList<int>{30, 100, 100, 90, 90, 120}));
    }

    // Counts of finished documents against the count made here, for every kind of stored date.
    void daysInDivisionCounts_data() { TestCatalog::addBackendRows(); }
    void daysInDivisionCounts()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        makeCalendar(c);

        struct Case {
            const char *name;
            const char *entry;
            const char *exit;
            QDate from, to; // empty: nothing counted
        };
        const Case cases[] = {
            {"same working day", "04/01/2555", "04/01/2555", {2012, 1, 4}, {2012, 1, 4}},
            {"Friday to Monday", "06/01/2555", "09/01/2555", {2012, 1, 6}, {2012, 1, 9}},
            {"no leading zeros", "6/1/2555", "9/1/2555", {2012, 1, 6}, {2012, 1, 9}},
            {"apostrophe before the day", "'06/01/2555", "'09/01/2555", {2012, 1, 6}, {2012, 1, 9}},
            {"time after the year",
             "06/01/2555 10:30:00",
             "09/01/2555 8:00",
             {2012, 1, 6},
             {2012, 1, 9}},
            {"blanks around", " 6/1/2555 ", " 09/01/2555  ", {2012, 1, 6}, {2012, 1, 9}},
            {"starts on a weekday holiday", "03/01/2555", "05/01/2555", {2012, 1, 3}, {2012, 1, 5}},
            {"ends on a Sunday", "02/01/2555", "08/01/2555", {2012, 1, 2}, {2012, 1, 8}},
            {"across the years", "20/12/2555", "15/01/2556", {2012, 12, 20}, {2013, 1, 15}},
            {"into a year not generated",
             "20/12/2556",
             "10/01/2557",
             {2013, 12, 20},
             {2014, 1, 10}},
            {"from a year not generated", "25/12/2554", "05/01/2555", {2011, 12, 25}, {2012, 1, 5}},
            {"end before start", "09/01/2555", "06/01/2555", {2012, 1, 9}, {2012, 1, 6}},
            {"two whole years", "1/1/2555", "31/12/2556", {2012, 1, 1}, {2013, 12, 31}},
        };
        int n = 0;
        QMap<QString, const Case *> keyed;
        for (const Case &k : cases) {
            const QString key = QStringLiteral("QDTX2555/%1").arg(++n, 5, 10, QLatin1Char('0'));
            keyed.insert(key, &k);
            addDocument(c, key,
                        {{"DocStatus", "4"},
                         {"Doc_Stat", Finished},
                         {"Date_Into_Fin", QString::fromUtf8(k.entry)},
                         {"Modified_Date", QString::fromUtf8(k.exit)}});
        }
        const QMap<QString, QStringList> got =
            byKey(report::run(c, reports::daysInDivision(), criteria::Entered(9, std::nullopt)));
        QCOMPARE(got.size(), keyed.size());
        for (auto it = keyed.cbegin(); it != keyed.cend(); ++it) {
            const QStringList row = got.value(it.key());
            QCOMPARE(row.size(), 15);
            QVERIFY2(row.mid(11, 3) == countedHere(it.value()->from, it.value()->to),
                     qPrintable(QStringLiteral("%1: %2").arg(QString::fromUtf8(it.value()->name),
                                                             row.mid(11, 3).join(u' '))));
            // Shown trimmed, never normalised.
            QCOMPARE(row.at(9), QString::fromUtf8(it.value()->entry).trimmed());
        }
        // The count made here agrees with the known answers.
        QCOMPARE(got.value("QDTX2555/00001").mid(11, 3), counts(1, 0));
        QCOMPARE(got.value("QDTX2555/00002").mid(11, 3), counts(4, 2));
        QCOMPARE(got.value("QDTX2555/00007").mid(11, 3), counts(3, 1));
        QCOMPARE(got.value("QDTX2555/00012").mid(11, 3), counts(0, 0));
    }

    // Which rows get counts, what every column shows, and whose breakdown is refused.
    void daysInDivisionRows_data() { TestCatalog::addBackendRows(); }
    void daysInDivisionRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        makeCalendar(c);
        insert(c, "TR_PerSon",
               {{"Per_Code", "07"}, {"Per_Name", " สมชาย ใจดี "}, {"Per_status", "A"}});
        const Values dates{{"Date_Into_Fin", "04/01/2555"}, {"Modified_Date", "09/01/2555"}};
        Values full = dates;
        full.insert({{"DocNumber", " ศธ 0513/1 "},
                     {"DocDate", "02/01/2555"},
                     {"Topic", "  ซื้อ วัสดุ  "},
                     {"To_Who", "อธิการบดี"},
                     {"FromSite", "คณะวิทย์"},
                     {"Doc_Stat", Finished},
                     {"DocStatus", "4"},
                     {"DocNoDate", "03/01/2555"},
                     {"Per_Code", "07"}});
        addDocument(c, "QDTX2555/00001", full);
        Values following = dates;
        following.insert({{"DocStatus", "3"}, {"Doc_Stat", FollowedUp}, {"Per_Code", "99"}});
        addDocument(c, "QDTX2555/00002", following);
        // Counted by the code, refused by the text.
        Values codeOnly = dates;
        codeOnly.insert({{"DocStatus", "4"}, {"Doc_Stat", FollowedUp}});
        addDocument(c, "QDTX2555/00003", codeOnly);
        // Finished, but a date is missing: nothing to count.
        addDocument(c, "QDTX2555/00004",
                    {{"DocStatus", "4"}, {"Doc_Stat", Finished}, {"Date_Into_Fin", "04/01/2555"}});
        addDocument(c, "QDTX2555/00005",
                    {{"DocStatus", "4"},
                     {"Doc_Stat", Finished},
                     {"Date_Into_Fin", "  "},
                     {"Modified_Date", "09/01/2555"}});
        addDocument(c, "QDTX2555/00006", {{"Doc_Stat", Finished}});

        const report::Shape shape = reports::daysInDivision();
        const QMap<QString, QStringList> got =
            byKey(report::run(c, shape, criteria::Entered(9, std::nullopt)));
        QCOMPARE(got.size(), 6);
        QCOMPARE(got.value("QDTX2555/00001").mid(1),
                 (QStringList{"QDTX2555/00001", "ศธ 0513/1", "02/01/2555", "ซื้อ วัสดุ", "อธิการบดี",
                              "คณะวิทย์", Finished, "03/01/2555", "04/01/2555", "09/01/2555", "6",
                              "2", "4", "สมชาย ใจดี"}));
        // An officer the catalog does not know leaves the column empty.
        QCOMPARE(got.value("QDTX2555/00002").mid(11), none() + QStringList{QString()});
        QCOMPARE(got.value("QDTX2555/00003").mid(11, 3), counts(6, 2));
        QCOMPARE(got.value("QDTX2555/00004").mid(11, 3), none());
        QCOMPARE(got.value("QDTX2555/00005").mid(11, 3), none());
        QCOMPARE(got.value("QDTX2555/00006").mid(2), blanks(5) + QStringList{Finished} + blanks(7));

        // The running numbers go 1, 2, ... in the order read.
        QStringList numbers;
        for (const QStringList &row : got)
            numbers << row.at(0);
        numbers.sort();
        QCOMPARE(numbers, (QStringList{"1", "2", "3", "4", "5", "6"}));

        const auto refusal = [&](const char *key) {
            return shape.breakdown.refusal(got.value(QString::fromLatin1(key)));
        };
        QCOMPARE(shape.breakdown.startCol, 9);
        QCOMPARE(shape.breakdown.endCol, 10);
        QCOMPARE(refusal("QDTX2555/00001"), QString());
        QCOMPARE(refusal("QDTX2555/00002"), reports::NotFinished);
        QCOMPARE(refusal("QDTX2555/00003"), reports::NotFinished);
        QCOMPARE(refusal("QDTX2555/00004"), reports::CannotCount);
        QCOMPARE(refusal("QDTX2555/00005"), reports::CannotCount);
        QCOMPARE(refusal("QDTX2555/00006"), reports::CannotCount);
    }

    // The criteria as the catalog answers them: quotes reach the data intact, date keys bound
    // the entry range, and only the officer's code counts.
    void daysInDivisionCriteriaFind_data() { TestCatalog::addBackendRows(); }
    void daysInDivisionCriteriaFind()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        addDocument(c, "QDTX2555/00001",
                    {{"DocNumber", "O'Neil 1"},
                     {"DocNoDate_YYYYMMDD", "25550105"},
                     {"Per_Code", "07"},
                     {"DocStatus", "2"}});
        addDocument(c, "QDTX2555/00002",
                    {{"DocNumber", "ศธ 2"},
                     {"DocNoDate_YYYYMMDD", "25550106"},
                     {"Per_Code", "08"},
                     {"DocStatus", "4"}});
        addDocument(c, "QDTX2555/00003",
                    {{"DocNoDate_YYYYMMDD", "25550104"}, {"Per_Code", "07"}, {"DocStatus", "2"}});
        const report::Shape shape = reports::daysInDivision();
        const auto found = [&](int box, const QStringList &values) {
            criteria::Entered e(9, std::nullopt);
            e[box] = values;
            return keysOf(report::run(c, shape, e));
        };
        QCOMPARE(found(0, {"O'Neil"}), (QStringList{"QDTX2555/00001"}));
        // An empty text matches every document that has one.
        QCOMPARE(found(0, {""}), (QStringList{"QDTX2555/00001", "QDTX2555/00002"}));
        QCOMPARE(found(7, {"05/01/2555", "05/01/2555"}), (QStringList{"QDTX2555/00001"}));
        QCOMPARE(found(7, {"05/01/2555", "06/01/2555"}),
                 (QStringList{"QDTX2555/00001", "QDTX2555/00002"}));
        QCOMPARE(found(4, {"07 ชื่ออื่น"}), (QStringList{"QDTX2555/00001", "QDTX2555/00003"}));
        QCOMPARE(found(8, {"2. รอดำเนินการ"}), (QStringList{"QDTX2555/00001", "QDTX2555/00003"}));
    }

    void movementDetailRows_data() { TestCatalog::addBackendRows(); }
    void movementDetailRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        insert(c, "TR_PerSon", {{"Per_Code", "07"}, {"Per_Name", "สมชาย"}, {"Per_status", "N"}});
        addDocument(c, "QDTX2555/00001",
                    {{"DocStatus", "4"},
                     {"DocNoDate", " 03/01/2555 "},
                     {"DocNumber", "ศธ 1"},
                     {"DocDate", "02/01/2555"},
                     {"Topic", "\tซื้อ "},
                     {"To_Who", "อธิการบดี"},
                     {"FromSite", "คณะวิทย์"},
                     {"Doc_Stat", Finished},
                     {"Modified_Date", "09/01/2555"},
                     {"KumDeega_No", "K1"},
                     {"Sumkun_No", "S1"},
                     {"Deega_No", "D1"},
                     {"Rec_Cheq_Branch", "บางเขน"},
                     {"IS_Rec_Cheq", "A"},
                     {"Date_Nud_Rec_Cheq", "20/01/2555"},
                     {"IS_Success", "S"},
                     {"Per_Code", "07"}});
        addDocument(c, "QDTX2555/00002", {{"DocStatus", "4"}, {"Per_Code", "55"}});
        addDocument(c, "QDTX2555/00003", {{"DocStatus", "3"}});
        addDocument(c, "QDTX2555/00004", {{"DocStatus", "2"}, {"Topic", "ซื้อ"}});

        const QMap<QString, QStringList> got =
            byKey(report::run(c, reports::movementDetail(), criteria::Entered(7, std::nullopt)));
        QCOMPARE(got.keys(), (QStringList{"QDTX2555/00001", "QDTX2555/00002"}));
        const QStringList first = got.value("QDTX2555/00001");
        QCOMPARE(first.size(), 20);
        // Trim_Space leaves the tab; the officer is named even when no longer active.
        QCOMPARE(first.mid(1, 9),
                 (QStringList{"QDTX2555/00001", "'03/01/2555", "ศธ 1", "02/01/2555", "\tซื้อ",
                              "อธิการบดี", "คณะวิทย์", Finished, "'09/01/2555"}));
        QCOMPARE(first.mid(11),
                 (QStringList{"K1", "S1", "", "D1", "บางเขน", "A", "20/01/2555", "S", "สมชาย"}));
        // Empty dates show the apostrophe alone; an unknown officer an empty cell.
        QCOMPARE(got.value("QDTX2555/00002").mid(1),
                 (QStringList{"QDTX2555/00002", "'"} + blanks(6) + QStringList{"'"} + blanks(10)));

        // Criteria narrow the finished documents only.
        criteria::Entered topic(7, std::nullopt);
        topic[2] = QStringList{"ซื้อ"};
        QCOMPARE(keysOf(report::run(c, reports::movementDetail(), topic)),
                 (QStringList{"QDTX2555/00001"}));
        criteria::Entered nobody(7, std::nullopt);
        nobody[4] = QStringList{""};
        QVERIFY(report::run(c, reports::movementDetail(), nobody).isEmpty());
        QCOMPARE(reports::movementDetail().breakdown.startCol, -1);
    }

    void byDocTypeRows_data() { TestCatalog::addBackendRows(); }
    void byDocTypeRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        insert(c, "TR_PerSon", {{"Per_Code", "07"}, {"Per_Name", "สมชาย"}, {"Per_status", "A"}});
        addDocument(c, "QDTX2555/00001",
                    {{"DocType_Code", "01"},
                     {"DocStatus", "2"},
                     {"Topic", "\tซื้อ\r\n"},
                     {"DocNoDate", "\t03/01/2555 "},
                     {"Per_Code", "07"},
                     {"IS_Rec_Cheq", "N"}});
        addDocument(
            c, "QDTX2555/00002",
            {{"DocType_Code", "01"}, {"DocStatus", "4"}, {"Per_Code", "55"}, {"IS_Rec_Cheq", "A"}});
        addDocument(c, "QDTX2555/00003", {{"DocType_Code", "02"}, {"DocStatus", "4"}});
        addDocument(c, "QDTX2555/00004", {{"DocStatus", "4"}});

        const report::Shape shape = reports::byDocType();
        // Only the first two characters choose the type; column 20 shows the whole text.
        const QString typed = QStringLiteral("01 ฎีกาเบิกจ่าย (พิมพ์เอง)");
        const QMap<QString, QStringList> got = byKey(
            report::run(c, shape, {QStringList{typed}, std::nullopt, std::nullopt, std::nullopt}));
        QCOMPARE(got.keys(), (QStringList{"QDTX2555/00001", "QDTX2555/00002"}));
        const QStringList first = got.value("QDTX2555/00001");
        QCOMPARE(first.size(), 21);
        // Blanks and control characters go from both ends.
        QCOMPARE(first.at(2), QStringLiteral("'03/01/2555"));
        QCOMPARE(first.at(5), QStringLiteral("ซื้อ"));
        QCOMPARE(first.at(19), QStringLiteral("สมชาย"));
        QCOMPARE(first.at(20), typed);
        QCOMPARE(got.value("QDTX2555/00002").at(19), QString());
        QCOMPARE(got.value("QDTX2555/00002").at(20), typed);

        const criteria::Entered narrowed{QStringList{"01"}, QStringList{"07 x"}, QStringList{"N"},
                                         std::nullopt};
        QCOMPARE(keysOf(report::run(c, shape, narrowed)), QStringList{"QDTX2555/00001"});
        QVERIFY(report::run(c, shape, {QStringList{""}, std::nullopt, std::nullopt, std::nullopt})
                    .isEmpty());
        QCOMPARE(shape.breakdown.startCol, -1);
    }

    // The join to the ERP rows, the rewritten entry columns and the three ranges.
    void daysToPaymentRows_data() { TestCatalog::addBackendRows(); }
    void daysToPaymentRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        makeCalendar(c);
        const auto document = [&c](const char *key, const char *erpNo, const char *entry,
                                   const char *type = "01") {
            Values v{{"SAP_Doc_No", erpNo},
                     {"SAP_Fiscal_Year", "2555"},
                     {"DocType_Code", type},
                     {"Topic", "ซื้อ"},
                     {"DocNoDate", "02/01/2555"}};
            if (entry)
                v.insert("Date_Into_Fin", entry);
            addDocument(c, key, v);
        };
        const auto erp = [&c](const char *no, const char *clearingDoc, const char *posting,
                              const char *clearing, const char *year = "2555") {
            Values v{{"Fiscal_Year", year}, {"FI_Doc_No", no}, {"Vendor_Name", "ร้าน ก"}};
            if (clearingDoc)
                v.insert("Clearing_Doc", clearingDoc);
            if (posting)
                v.insert("Posting_Date", posting);
            if (clearing)
                v.insert("Clearing_Date", clearing);
            insert(c, "M_Imp_ERP", v);
        };
        document("QDTX2555/00001", "5100000001", "6/1/2555");
        erp("5100000001", "CL1", "09/01/2555", "16/01/2555");
        document("QDTX2555/00002", "5100000002", "6/1/2555"); // no ERP row
        document("QDTX2555/00003", "5100000003", "6/1/2555");
        erp("5100000003", "", "09/01/2555", "16/01/2555");
        document("QDTX2555/00004", "5100000004", "6/1/2555");
        erp("5100000004", nullptr, "09/01/2555", "16/01/2555");
        document("QDTX2555/00005", "5100000005", "6/1/2555");
        erp("5100000005", "CL5", "09/01/2555", "16/01/2555", "2556"); // another fiscal year
        document("QDTX2555/00006", "5100000006", " 10/1/2555 ");
        erp("5100000006", "CL6", nullptr, "20/01/2555");
        document("QDTX2555/00007", "5100000007", "10/1/2555", "02");
        erp("5100000007", "CL7", "13/01/2555", nullptr);
        document("QDTX2555/00008", "5100000008", "'02/01/2555");
        erp("5100000008", "CL8", "04/01/2555", "04/01/2555");
        document("QDTX2555/00009", "5100000009", nullptr);
        erp("5100000009", "CL9", "05/01/2555", "10/01/2555");
        document("QDTX2555/00010", "5100000010", "25/12/2555");
        erp("5100000010", "CL10", "05/01/2556", "10/01/2557");
        document("QDTX2555/00011", "5100000011", "01/02/2555", "02");
        erp("5100000011", "CL11", "02/02/2555", "03/02/2555");

        const report::Shape shape = reports::daysToPayment();
        const QMap<QString, QStringList> got =
            byKey(report::run(c, shape, {std::nullopt, std::nullopt}));
        QCOMPARE(got.keys(), (QStringList{"QDTX2555/00001", "QDTX2555/00006", "QDTX2555/00007",
                                          "QDTX2555/00008", "QDTX2555/00009", "QDTX2555/00010",
                                          "QDTX2555/00011"}));
        const QStringList full = got.value("QDTX2555/00001");
        QCOMPARE(full.size(), 34);
        QCOMPARE(full.mid(8, 3), (QStringList{"'02/01/2555", "'06/01/2555", "'09/01/2555"}));
        QCOMPARE(full.mid(11, 3), countedHere("06/01/2555", "09/01/2555"));
        QCOMPARE(full.mid(14, 7), (QStringList{"2555", "5100000001", "", "CL1", "", "", "ร้าน ก"}));
        QCOMPARE(full.mid(24, 2), (QStringList{"'09/01/2555", "'16/01/2555"}));
        QCOMPARE(full.mid(26, 3), countedHere("09/01/2555", "16/01/2555"));
        QCOMPARE(full.mid(29, 2), (QStringList{"'06/01/2555", "'16/01/2555"}));
        QCOMPARE(full.mid(31, 3), countedHere("06/01/2555", "16/01/2555"));
        QCOMPARE(full.mid(11, 3), counts(4, 2));

        // No posting date: column 9 as stored, range A and B empty, range C counted.
        const QStringList unposted = got.value("QDTX2555/00006");
        QCOMPARE(unposted.mid(9, 5), (QStringList{"'10/1/2555", "'"} + none()));
        QCOMPARE(unposted.mid(24, 5), (QStringList{"'", "'20/01/2555"} + none()));
        QCOMPARE(unposted.mid(29, 5), (QStringList{"'10/01/2555", "'20/01/2555"} +
                                       countedHere("10/01/2555", "20/01/2555")));

        // No clearing date: ranges B and C empty, column 29 as stored.
        const QStringList uncleared = got.value("QDTX2555/00007");
        QCOMPARE(uncleared.mid(9, 5), (QStringList{"'10/01/2555", "'13/01/2555"} +
                                       countedHere("10/01/2555", "13/01/2555")));
        QCOMPARE(uncleared.mid(24, 10), (QStringList{"'13/01/2555", "'"} + none() +
                                         QStringList{"'10/1/2555", "'"} + none()));

        // Posted and cleared on the same working day.
        QCOMPARE(got.value("QDTX2555/00008").mid(26, 3), counts(1, 0));
        QCOMPARE(got.value("QDTX2555/00008").at(9), QStringLiteral("'02/01/2555"));

        // No entry date: ranges A and C empty.
        const QStringList noEntry = got.value("QDTX2555/00009");
        QCOMPARE(noEntry.mid(11, 3), none());
        QCOMPARE(noEntry.mid(26, 3), countedHere("05/01/2555", "10/01/2555"));
        QCOMPARE(noEntry.mid(31, 3), none());

        // Across the years and into one not generated.
        const QStringList late = got.value("QDTX2555/00010");
        QCOMPARE(late.mid(11, 3), countedHere("25/12/2555", "05/01/2556"));
        QCOMPARE(late.mid(26, 3), countedHere("05/01/2556", "10/01/2557"));
        QCOMPARE(late.mid(31, 3), countedHere("25/12/2555", "10/01/2557"));
        QCOMPARE(late.at(31), QStringLiteral("372")); // 7 days of 2555 and all of 2556

        // The breakdown: range A, refused without a posting date or without an entry date.
        QCOMPARE(shape.breakdown.startCol, 9);
        QCOMPARE(shape.breakdown.endCol, 10);
        QCOMPARE(shape.breakdown.refusal(full), QString());
        QCOMPARE(shape.breakdown.refusal(uncleared), QString());
        QCOMPARE(shape.breakdown.refusal(unposted), reports::CannotCount);
        QCOMPARE(shape.breakdown.refusal(noEntry), reports::CannotCount);

        // The clearing month and the type narrow the list.
        QCOMPARE(
            keysOf(report::run(c, shape, {QStringList{"01/2555"}, std::nullopt})),
            (QStringList{"QDTX2555/00001", "QDTX2555/00006", "QDTX2555/00008", "QDTX2555/00009"}));
        const criteria::Entered both{QStringList{"02/2555"}, QStringList{"02 เงินยืม"}};
        QCOMPARE(keysOf(report::run(c, shape, both)), QStringList{"QDTX2555/00011"});
        const criteria::Entered type{std::nullopt, QStringList{"02"}};
        QCOMPARE(keysOf(report::run(c, shape, type)),
                 (QStringList{"QDTX2555/00007", "QDTX2555/00011"}));
        QVERIFY(report::run(c, shape, {QStringList{"  /    "}, std::nullopt}).isEmpty());
    }

    void calendarOfYearRows_data() { TestCatalog::addBackendRows(); }
    void calendarOfYearRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        makeCalendar(c);
        const report::Shape shape = reports::calendarOfYear();

        const Rows year = report::run(c, shape, {QStringList{"2555"}});
        QCOMPARE(year.size(), 366);
        const QLocale locale = QLocale::system();
        QCOMPARE(year.at(0), (QStringList{"1", "'01/01/2012", "'01/01/2555", locale.dayName(7),
                                          "วันหยุด", "วันขึ้นปีใหม่"}));
        QCOMPARE(year.at(2), (QStringList{"3", "'03/01/2012", "'03/01/2555", locale.dayName(2),
                                          "วันหยุด", "หยุดชดเชย"}));
        QCOMPARE(year.at(3),
                 (QStringList{"4", "'04/01/2012", "'04/01/2555", locale.dayName(3), "-", ""}));
        QCOMPARE(year.at(365).at(2), QStringLiteral("'31/12/2555"));
        QCOMPARE(report::run(c, shape, {QStringList{"2556"}}).size(), 365);

        // The year is compared with the Buddhist-era key.
        QVERIFY(report::run(c, shape, {QStringList{"2012"}}).isEmpty());

        const Rows all = report::run(c, shape, {std::nullopt});
        QCOMPARE(all.size(), 366 + 365);
        QDate d(2012, 1, 1);
        for (int i = 0; i < all.size(); ++i, d = d.addDays(1)) {
            const QStringList &row = all.at(i);
            QCOMPARE(row.at(0), QString::number(i + 1));
            QCOMPARE(row.at(1), u'\'' + d.toString(QStringLiteral("dd/MM/yyyy")));
            const bool holiday = d.dayOfWeek() >= 6 || weekdayHolidays().contains(d);
            QCOMPARE(row.at(4), holiday ? QStringLiteral("วันหยุด") : QStringLiteral("-"));
        }
        QCOMPARE(shape.breakdown.startCol, -1);
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
