// Tables as delimited text: what is dumped from one back end loads into the other with nothing
// lost, in either encoding; a load that cannot store every row stores none and names the line.

#include "TestCatalog.h"
#include "data/Connection.h"
#include "data/TableText.h"
#include "data/schema.h"

#include <QTest>

using namespace Qt::StringLiterals;
using table_text::Encoding;

namespace {

const schema::Table &table(const char *name)
{
    return *schema::findTable(QString::fromLatin1(name));
}

int rowCount(db::Connection &c, const char *name)
{
    db::Rows r = c.select(db::Statement{u"SELECT COUNT(*) AS n FROM "_s + QLatin1String(name)});
    r.next();
    return int(r.integer(u"n"_s));
}

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

void insert(db::Connection &c, const QString &statement)
{
    c.execute(db::Statement{statement});
}

QString quoted(const QString &text)
{
    return u'\'' + db::sqlText(text) + u'\'';
}

// Values no plain export survives: separators, quotes, line breaks, blanks at the ends, an
// empty text beside a NULL, Thai, numbers with no short binary form.
struct Voucher {
    QString key;
    std::optional<QString> topic;
    std::optional<QString> remark;
    std::optional<QString> fromUnit;
    std::optional<QString> fromSite;
    std::optional<double> money;
};

QList<Voucher> vouchers()
{
    return {
        {u"K1"_s, u"ฎีกา \"ด่วน\", งวดที่ 1"_s, u"บรรทัดแรก\r\nบรรทัดสอง\nสาม"_s, u" เว้นหน้าและหลัง "_s,
         u""_s, 1234.5},
        {u"K2"_s, u"tab\there; 'single' quotes"_s, std::nullopt, u"\t"_s, std::nullopt, 0.1},
        {u"k3"_s, u"๑๒๓ ฿ ตัวเลขไทย"_s, u"\"\""_s, std::nullopt, u","_s, -7e-7},
    };
}

QString literal(const std::optional<QString> &v)
{
    return v ? quoted(*v) : u"NULL"_s;
}

// The vouchers as the program writes them, each stamped with the server's time.
void addVouchers(db::Connection &c)
{
    for (const Voucher &v : vouchers()) {
        insert(c, u"INSERT INTO Main_Deega_Control (Doc_PK, Topic, Remark1, From_Unit, FromSite, "
                  "No_Money, Date_Ent_Asign) VALUES (%1, %2, %3, %4, %5, %6, CURRENT_TIMESTAMP)"_s
                      .arg(quoted(v.key), literal(v.topic), literal(v.remark), literal(v.fromUnit),
                           literal(v.fromSite))
                      .arg(v.money ? QString::number(*v.money, 'g', 17) : u"NULL"_s));
    }
    insert(c, u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('O''Neil', 'a,b', -3), "
              "('สมชาย', '\"x\"', 2147483647), ('nolevel', '', NULL)"_s);
}

struct Stamp {
    QString key;
    QDateTime time;
};

QList<Stamp> stamps(db::Connection &c)
{
    db::Rows r = c.select(
        db::Statement{u"SELECT Doc_PK, Date_Ent_Asign FROM Main_Deega_Control ORDER BY Doc_PK"_s});
    QList<Stamp> out;
    while (r.next())
        out << Stamp{r.text(u"Doc_PK"_s), r.dateTime(u"Date_Ent_Asign"_s)};
    return out;
}

std::optional<QString> textOrNull(const db::Rows &r, const QString &column)
{
    return r.isNull(column) ? std::nullopt : std::optional(r.text(column));
}

void expectVouchers(db::Connection &c)
{
    for (const Voucher &v : vouchers()) {
        db::Rows r = c.select(
            db::Statement{u"SELECT * FROM Main_Deega_Control WHERE Doc_PK = "_s + quoted(v.key)});
        QVERIFY2(r.next(), qPrintable(v.key));
        QCOMPARE(r.text(u"Doc_PK"_s), v.key); // letter case kept
        QCOMPARE(textOrNull(r, u"Topic"_s), v.topic);
        QCOMPARE(textOrNull(r, u"Remark1"_s), v.remark);
        QCOMPARE(textOrNull(r, u"From_Unit"_s), v.fromUnit);
        QCOMPARE(textOrNull(r, u"FromSite"_s), v.fromSite);
        QCOMPARE(r.isNull(u"No_Money"_s), !v.money);
        if (v.money)
            QCOMPARE(r.number(u"No_Money"_s), *v.money);
        QVERIFY(r.isNull(u"DocNo"_s));
    }
    auto user = [&c](const QString &name) {
        db::Rows u =
            c.select(db::Statement{u"SELECT * FROM TR_User WHERE UserName = "_s + quoted(name)});
        u.next();
        return u;
    };
    db::Rows noLevel = user(u"nolevel"_s);
    QVERIFY(noLevel.isNull(u"U_Level"_s));
    QCOMPARE(noLevel.text(u"Password"_s), QString(u""_s));
    QVERIFY(!noLevel.isNull(u"Password"_s));
    db::Rows oNeil = user(u"o'neil"_s);
    QCOMPARE(oNeil.text(u"UserName"_s), u"O'Neil"_s);
    QCOMPARE(oNeil.text(u"Password"_s), u"a,b"_s);
    QCOMPARE(oNeil.integer(u"U_Level"_s), -3);
    db::Rows thai = user(u"สมชาย"_s);
    QCOMPARE(thai.text(u"Password"_s), u"\"x\""_s);
    QCOMPARE(thai.integer(u"U_Level"_s), 2147483647);
    QCOMPARE(rowCount(c, "TR_User"), 3);
}

QString message(const std::function<void()> &work)
{
    try {
        work();
    } catch (const Failure &e) {
        return e.message();
    }
    return u"(no error)"_s;
}

// The calendar's rows, from the row with key 25560101 on, one a day; the remark of row `odd`
// (counted from 1) is `remark`.
QByteArray calendarText(int rows, int odd, const QString &remark)
{
    QString text = u"D_YYYYMMDD,Eng_Day,Thai_Day,Name_Day,Day_Status,Day_Remark\n"_s;
    QDate day(2013, 1, 1);
    for (int i = 1; i <= rows; ++i, day = day.addDays(1)) {
        const QString be = QString::number(day.year() + 543);
        text += u"%1,%2,%3,%4,N,%5\n"_s.arg(
            be + day.toString(u"MMdd"_s), day.toString(u"dd/MM/yyyy"_s),
            day.toString(u"dd/MM/"_s) + be, u"วัน"_s, i == odd ? remark : u"ok"_s);
    }
    return utf8(text);
}

} // namespace

class TestTableText : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QChar>("separator");
        for (const char *from : {"sqlite", "postgresql"}) {
            for (const char *to : {"sqlite", "postgresql"}) {
                QTest::addRow("%s to %s, UTF-8, comma", from, to)
                    << QString::fromLatin1(from) << QString::fromLatin1(to) << int(Encoding::Utf8)
                    << QChar(u',');
                QTest::addRow("%s to %s, TIS-620, tab", from, to)
                    << QString::fromLatin1(from) << QString::fromLatin1(to) << int(Encoding::Tis620)
                    << QChar(u'\t');
            }
        }
    }
    void roundTrip()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, encoding);
        QFETCH(QChar, separator);
        REQUIRE_BACKEND(from);
        REQUIRE_BACKEND(to);
        TestCatalog source(from);
        addVouchers(source.connection());
        TestCatalog target(to);
        // A row already there goes: the table holds what the text holds.
        insert(target.connection(), u"INSERT INTO TR_User (UserName, U_Level) VALUES ('old', 1)"_s);

        for (const char *name : {"Main_Deega_Control", "TR_User"}) {
            const QByteArray text =
                table_text::dump(source.connection(), table(name), Encoding(encoding), separator);
            const int stored = table_text::load(target.connection(), table(name), text,
                                                {Encoding(encoding), true});
            QCOMPARE(stored, rowCount(source.connection(), name));
            // Dumped again, from the other side, the text is the same to the byte.
            QCOMPARE(
                table_text::dump(target.connection(), table(name), Encoding(encoding), separator),
                text);
        }
        expectVouchers(target.connection());
        // The server's stamps come over to the millisecond, in local time.
        const QList<Stamp> before = stamps(source.connection());
        const QList<Stamp> after = stamps(target.connection());
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            QVERIFY(before[i].time.isValid());
            QCOMPARE(after[i].time, before[i].time);
        }
    }

    // Every table of a catalog in use, there and back, in both encodings.
    void everyTableThereAndBack_data() { TestCatalog::addBackendRows(); }
    void everyTableThereAndBack()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog source(u"sqlite"_s);
        makeCalendar2555(source.connection());
        addVouchers(source.connection());
        insert(source.connection(), u"INSERT INTO TR_Hard_StopDay VALUES ('13/04', 'สงกรานต์'), "
                                    "('13/04', 'สงกรานต์')"_s); // no key: twice is two rows
        TestCatalog there(backend);
        TestCatalog back(u"sqlite"_s);
        for (const schema::Table &t : schema::tables()) {
            for (Encoding e : {Encoding::Utf8, Encoding::Tis620}) {
                const QByteArray text = table_text::dump(source.connection(), t, e);
                table_text::load(there.connection(), t, text, {e, true});
                const QByteArray again = table_text::dump(there.connection(), t, e);
                table_text::load(back.connection(), t, again, {e, true});
                QCOMPARE(table_text::dump(back.connection(), t, e), text);
            }
        }
        QCOMPARE(rowCount(back.connection(), "TR_Day_Calendar"), 366);
        QCOMPARE(rowCount(back.connection(), "TR_Hard_StopDay"), 2);
        QCOMPARE(rowCount(back.connection(), "TR_Version"), 1);
        expectVouchers(back.connection());
    }

    // Row 500 (line 501: the header is line 1) cannot be stored: the table is as it was,
    // whether the row is refused before the first write or by the server half-way.
    void failureOnRow500LeavesTheTable_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("error");
        for (const char *b : {"sqlite", "postgresql"}) {
            const QString backend = QString::fromLatin1(b);
            QTest::addRow("%s: too long", b)
                << backend << QString(51, u'ฎ') << false
                << u"บรรทัด 501 (แถวที่ 500): คอลัมน์ Day_Remark ยาว 51 ตัวอักษร เกิน 50"_s;
            QTest::addRow("%s: refused by the server, after the rows were deleted", b)
                << backend << u"refused"_s << true << u"บรรทัด 501 (แถวที่ 500): "_s;
        }
    }
    void failureOnRow500LeavesTheTable()
    {
        QFETCH(QString, backend);
        QFETCH(QString, remark);
        QFETCH(bool, replace);
        QFETCH(QString, error);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        makeCalendar2555(c);
        if (backend == u"sqlite"_s) {
            insert(c,
                   u"CREATE TRIGGER refuse BEFORE INSERT ON TR_Day_Calendar "
                   "WHEN NEW.Day_Remark = 'refused' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
        } else {
            insert(c, u"CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN "
                      "IF NEW.Day_Remark = 'refused' THEN RAISE EXCEPTION 'refused'; END IF; "
                      "RETURN NEW; END$$"_s);
            insert(c, u"CREATE TRIGGER refuse BEFORE INSERT ON TR_Day_Calendar FOR EACH ROW "
                      "EXECUTE FUNCTION refuse()"_s);
        }
        const QByteArray before = table_text::dump(c, table("TR_Day_Calendar"), Encoding::Utf8);

        const QString got = message([&] {
            table_text::load(c, table("TR_Day_Calendar"), calendarText(600, 500, remark),
                             {Encoding::Utf8, replace});
        });
        QVERIFY2(got.startsWith(error), qPrintable(got));
        QCOMPARE(table_text::dump(c, table("TR_Day_Calendar"), Encoding::Utf8), before);
        // The same text without the bad row loads whole.
        QCOMPARE(table_text::load(c, table("TR_Day_Calendar"), calendarText(600, 0, remark),
                                  {Encoding::Utf8, replace}),
                 600);
        QCOMPARE(rowCount(c, "TR_Day_Calendar"), replace ? 600 : 966);
    }

    void refusedNamingTheLine_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("error");
        const int u8 = int(Encoding::Utf8);
        QTest::newRow("code too long")
            << u"TR_PerSon"_s << utf8(u"Per_Code,Per_Name\n01,a\n123,b\n"_s) << u8
            << u"บรรทัด 3 (แถวที่ 2): คอลัมน์ Per_Code ยาว 3 ตัวอักษร เกิน 2 ตัวอักษรที่คอลัมน์เก็บได้"_s;
        QTest::newRow("Thai counted in characters, not bytes")
            << u"TR_PerSon"_s
            << utf8(u"Per_Code,Per_Name\n01,"_s + QString(100, u'ก') + u"\n02,"_s +
                    QString(101, u'ก') + u'\n')
            << u8 << u"บรรทัด 3 (แถวที่ 2): คอลัมน์ Per_Name ยาว 101 ตัวอักษร เกิน 100"_s;
        QTest::newRow("line after a quoted line break")
            << u"TR_PerSon"_s << utf8(u"Per_Code,Per_Name\n01,\"a\nb\"\n\n0123,x\n"_s) << u8
            << u"บรรทัด 5 (แถวที่ 2): คอลัมน์ Per_Code ยาว 4"_s;
        QTest::newRow("key twice, letter case aside")
            << u"TR_User"_s << utf8(u"UserName,Password,U_Level\nabc,1,1\nABC,2,2\n"_s) << u8
            << u"บรรทัด 3 (แถวที่ 2): คีย์ UserName = 'ABC' ซ้ำกับบรรทัด 2"_s;
        QTest::newRow("pair key twice")
            << u"M_Imp_ERP"_s << utf8(u"FI_Doc_No\tFiscal_Year\n1\t2557\n2\t2557\n1\t2557\n"_s)
            << u8 << u"บรรทัด 4 (แถวที่ 3): คีย์ (Fiscal_Year, FI_Doc_No) = ('2557', '1') ซ้ำกับบรรทัด 2"_s;
        QTest::newRow("key without a value")
            << u"TR_Day_Calendar"_s << utf8(u"D_YYYYMMDD,Day_Status\n25570101,N\n,N\n"_s) << u8
            << u"บรรทัด 3 (แถวที่ 2): ต้องมีค่าในคอลัมน์ D_YYYYMMDD"_s;
        QTest::newRow("no key column") << u"TR_Day_Calendar"_s << utf8(u"Day_Status\nN\n"_s) << u8
                                       << u"บรรทัด 1: ไม่มีคอลัมน์ D_YYYYMMDD ซึ่งเป็นคีย์"_s;
        QTest::newRow("unknown column")
            << u"TR_PerSon"_s << utf8(u"Per_Code,Nickname\n01,a\n"_s) << u8
            << u"บรรทัด 1: ตาราง TR_PerSon ไม่มีคอลัมน์ \"Nickname\""_s;
        QTest::newRow("column twice") << u"TR_PerSon"_s << utf8(u"Per_Code,per_code\n"_s) << u8
                                      << u"บรรทัด 1: คอลัมน์ per_code มีสองครั้ง"_s;
        QTest::newRow("fields missing")
            << u"TR_PerSon"_s << utf8(u"Per_Code,Per_Name\n01,a\n02\n"_s) << u8
            << u"บรรทัด 3 (แถวที่ 2): มี 1 ช่อง แต่หัวตารางมี 2 ช่อง"_s;
        QTest::newRow("no whole number")
            << u"TR_User"_s << utf8(u"UserName,U_Level\na,5.5\n"_s) << u8
            << u"บรรทัด 2 (แถวที่ 1): คอลัมน์ U_Level: \"5.5\" ไม่ใช่จำนวนเต็ม"_s;
        QTest::newRow("no number")
            << u"Main_Deega_Control"_s << utf8(u"Doc_PK,No_Money\nK,\"1,234\"\n"_s) << u8
            << u"บรรทัด 2 (แถวที่ 1): คอลัมน์ No_Money: \"1,234\" ไม่ใช่ตัวเลข"_s;
        QTest::newRow("no date-time")
            << u"Main_Deega_Control"_s << utf8(u"Doc_PK,Date_Ent_Deega\nK,31/12/2557\n"_s) << u8
            << u"บรรทัด 2 (แถวที่ 1): คอลัมน์ Date_Ent_Deega: \"31/12/2557\" ไม่ใช่วันเวลา"_s;
        QTest::newRow("no such day")
            << u"Main_Deega_Control"_s << utf8(u"Doc_PK,Date_Ent_Deega\nK,2014-02-30\n"_s) << u8
            << u"บรรทัด 2 (แถวที่ 1): คอลัมน์ Date_Ent_Deega"_s;
        QTest::newRow("NUL") << u"TR_PerSon"_s
                             << QByteArray("Per_Code,Per_Name\n01,a") + '\0' + "b\n"
                             << u8 << u"บรรทัด 2 (แถวที่ 1): คอลัมน์ Per_Name มีอักขระว่าง"_s;
        QTest::newRow("quote left open")
            << u"TR_PerSon"_s << utf8(u"Per_Code,Per_Name\n01,\"a\n02,b\n"_s) << u8
            << u"บรรทัด 2: เครื่องหมายคำพูด"_s;
        QTest::newRow("TIS-620 read as UTF-8")
            << u"TR_PerSon"_s << QByteArray("Per_Code,Per_Name\n01,a\n02,\xA1\xD2\n") << u8
            << u"บรรทัด 3: ไม่ใช่ข้อความ UTF-8"_s;
        QTest::newRow("no TIS-620 byte")
            << u"TR_PerSon"_s << QByteArray("Per_Code,Per_Name\n01,\xA1\xFC\n")
            << int(Encoding::Tis620) << u"บรรทัด 2: ไบต์ 0xfc ไม่ใช่อักษรใน TIS-620"_s;
        QTest::newRow("empty") << u"TR_PerSon"_s << QByteArray() << u8 << u"แฟ้มว่าง"_s;
    }
    void refusedNamingTheLine()
    {
        QFETCH(QString, table);
        QFETCH(QByteArray, text);
        QFETCH(int, encoding);
        QFETCH(QString, error);
        TestCatalog catalog(u"sqlite"_s);
        const schema::Table &t = *schema::findTable(table);
        const QString got = message([&] {
            table_text::load(catalog.connection(), t, text, {Encoding(encoding), false});
        });
        QVERIFY2(got.startsWith(error), qPrintable(got));
        db::Rows r = catalog.connection().select(
            db::Statement{u"SELECT COUNT(*) AS n FROM "_s + QLatin1String(t.name)});
        r.next();
        QCOMPARE(r.integer(u"n"_s), 0);
    }

    // Keys meet the rows already in the table, as the back end compares them.
    void keyOfARowAlreadyThere_data() { TestCatalog::addBackendRows(); }
    void keyOfARowAlreadyThere()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        insert(c, u"INSERT INTO TR_User (UserName, U_Level) VALUES ('Admin', 9)"_s);
        const QByteArray text = utf8(u"UserName,U_Level\nnew,1\nADMIN,2\n"_s);
        const QString got = message([&] {
            table_text::load(c, table("TR_User"), text, {Encoding::Utf8, false});
        });
        QVERIFY2(got.startsWith(u"บรรทัด 3 (แถวที่ 2): คีย์ UserName = 'ADMIN' มีอยู่แล้วในตาราง TR_User"_s),
                 qPrintable(got));
        QCOMPARE(rowCount(c, "TR_User"), 1);
        // A unique value may be NULL on many rows.
        QCOMPARE(table_text::load(c, table("TR_User"), utf8(u"UserName,U_Level\n,1\n,2\n"_s),
                                  {Encoding::Utf8, false}),
                 2);
        // A pair of key columns, given in another order than the key's.
        insert(c, u"INSERT INTO M_Imp_ERP (Fiscal_Year, FI_Doc_No) VALUES ('2557', 'a1')"_s);
        const QString pair = message([&] {
            table_text::load(c, table("M_Imp_ERP"),
                             utf8(u"FI_Doc_No,Fiscal_Year\na1,2556\nA1,2557\n"_s),
                             {Encoding::Utf8, false});
        });
        QVERIFY2(pair.startsWith(u"บรรทัด 3 (แถวที่ 2): คีย์ (Fiscal_Year, FI_Doc_No) = "
                                 "('2557', 'A1') มีอยู่แล้ว"_s),
                 qPrintable(pair));
        QCOMPARE(rowCount(c, "M_Imp_ERP"), 1);
    }

    // Columns in any order and letter case; one left out is NULL; blank lines are no rows.
    void headerAsGiven()
    {
        TestCatalog catalog(u"sqlite"_s);
        db::Connection &c = catalog.connection();
        QCOMPARE(table_text::load(c, table("TR_PerSon"),
                                  utf8(u"\uFEFFper_name\tPER_CODE\nสมชาย\t01\n\nสมศรี\t02\n"_s),
                                  {Encoding::Utf8, false}),
                 2);
        db::Rows r = c.select(db::Statement{u"SELECT * FROM TR_PerSon ORDER BY Per_Code"_s});
        QVERIFY(r.next());
        QCOMPARE(r.text(u"Per_Name"_s), u"สมชาย"_s);
        QVERIFY(r.isNull(u"Per_status"_s));
        QVERIFY(r.next());
        QCOMPARE(r.text(u"Per_Code"_s), u"02"_s);
    }

    // The embedded catalog keeps date-times in UTC, as CURRENT_TIMESTAMP writes them; the text
    // holds local time. The zone of the tests is far from UTC.
    void dateTimesStoredAsTheServerStoresThem()
    {
        TestCatalog catalog(u"sqlite"_s);
        db::Connection &c = catalog.connection();
        table_text::load(c, table("Main_Deega_Control"),
                         utf8(u"Doc_PK,Date_Ent_Asign,Date_Ent_Deega,Date_Ent_Nud_rec_Cheq\n"
                              "K,2014-10-05 13:45:00.123,2014-10-05T13:45,2014-10-05 13:45:07\n"_s),
                         {Encoding::Utf8, false});
        db::Rows raw =
            c.select(db::Statement{u"SELECT Date_Ent_Asign || '' AS a, Date_Ent_Deega || '' AS d, "
                                   "Date_Ent_Nud_rec_Cheq || '' AS n FROM Main_Deega_Control"_s});
        QVERIFY(raw.next());
        QCOMPARE(raw.text(u"a"_s), u"2014-10-05 06:45:00.123"_s);
        QCOMPARE(raw.text(u"d"_s), u"2014-10-05 06:45:00"_s);
        QCOMPARE(raw.text(u"n"_s), u"2014-10-05 06:45:07"_s);
        db::Rows r = c.select(db::Statement{u"SELECT * FROM Main_Deega_Control"_s});
        QVERIFY(r.next());
        QCOMPARE(r.dateTime(u"Date_Ent_Asign"_s),
                 QDateTime(QDate(2014, 10, 5), QTime(13, 45, 0, 123)));
        QCOMPARE(r.dateTime(u"Date_Ent_Deega"_s), QDateTime(QDate(2014, 10, 5), QTime(13, 45)));
    }

    // A character TIS-620 has no byte for is named, and no text is given.
    void tis620DumpNamesWhatItCannotWrite()
    {
        TestCatalog catalog(u"sqlite"_s);
        db::Connection &c = catalog.connection();
        insert(c,
               u"INSERT INTO TR_PerSon (Per_Code, Per_Name) VALUES ('01', 'ก'), ('02', 'Café')"_s);
        const QString got =
            message([&] { table_text::dump(c, table("TR_PerSon"), Encoding::Tis620); });
        QVERIFY2(got.startsWith(u"บรรทัด 3: อักษร \"é\" (U+00e9) ไม่มีใน TIS-620"_s), qPrintable(got));
        QVERIFY(!table_text::dump(c, table("TR_PerSon"), Encoding::Utf8).isEmpty());
    }

    void encodingNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("encoding"); // -1: no such encoding
        QTest::newRow("utf-8") << u"utf-8"_s << int(Encoding::Utf8);
        QTest::newRow("UTF8") << u"UTF8"_s << int(Encoding::Utf8);
        QTest::newRow("tis-620") << u"tis-620"_s << int(Encoding::Tis620);
        QTest::newRow("TIS620") << u"TIS620"_s << int(Encoding::Tis620);
        QTest::newRow("cp874") << u"cp874"_s << int(Encoding::Tis620);
        QTest::newRow("windows-874") << u"windows-874"_s << int(Encoding::Tis620);
        QTest::newRow("latin1") << u"latin1"_s << -1;
        QTest::newRow("empty") << QString() << -1;
    }
    void encodingNames()
    {
        QFETCH(QString, name);
        QFETCH(int, encoding);
        Encoding e = Encoding::Utf8;
        QCOMPARE(table_text::encodingNamed(name, e), encoding >= 0);
        if (encoding >= 0)
            QCOMPARE(int(e), encoding);
    }
};

QTEST_GUILESS_MAIN(TestTableText)
#include "tst_table_text.moc"
