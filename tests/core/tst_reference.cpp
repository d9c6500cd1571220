// The reference tables' rules, without a window: what is refused and with which field, what
// each write leaves in the catalog, the user rules and several stations writing at once.

#include "TestCatalog.h"
#include "core/Access.h"
#include "core/Reference.h"
#include "data/Connection.h"

#include <QTest>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;
using reference::TableId;
using reference::Values;

Q_DECLARE_METATYPE(reference::TableId)

namespace {

void run(db::Connection &c, const QString &sql)
{
    c.execute(db::Statement{sql});
}

// Two officers, two types, a level-9 and a level-5 user, New Year's Day, and one document that
// refers to officer 01 and type 01.
void seed(db::Connection &c)
{
    run(c, u"INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES ('01', 'สมชาย', 'A'), "
           "('AB', 'Ann', 'A')"_s);
    run(c, u"INSERT INTO TR_DocType (DocType_Code, DocType_Name) VALUES ('01', 'ค่าวัสดุ'), "
           "('AB', 'ค่าจ้าง')"_s);
    run(c, u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('boss', 'b', 9), "
           "('clerk', 'c', 5)"_s);
    run(c, u"INSERT INTO TR_Hard_StopDay (D_DDMM, SD_Remark) VALUES ('01/01', 'ปีใหม่')"_s);
    run(c, u"INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, DocType_Code) "
           "VALUES ('QDTX2557/00001', '01', '01')"_s);
}

QStringList rows(db::Connection &c, TableId table)
{
    QStringList out;
    for (const QStringList &row : reference::list(c, table))
        out << row.join(u'|');
    return out;
}

// The statements that change something, among those sent.
QStringList writes(const QStringList &sent)
{
    QStringList out;
    for (const QString &s : sent) {
        if (s.startsWith(u"INSERT"_s) || s.startsWith(u"UPDATE"_s) || s.startsWith(u"DELETE"_s))
            out << s;
    }
    return out;
}

// One step of a scenario: its outcome's message must contain `refused` (empty: succeed), and a
// refusal must send no write.
void expect(db::Connection &c, const std::function<reference::Outcome()> &step,
            const QString &refused, int field = -1)
{
    QStringList sent;
    c.setObserver([&sent](const QString &s) { sent << s; });
    const reference::Outcome o = step();
    c.setObserver({});
    if (refused.isEmpty()) {
        QVERIFY2(o.ok(), qPrintable(o.refusal));
        QVERIFY(!writes(sent).isEmpty());
        return;
    }
    QVERIFY2(o.refusal.contains(refused), qPrintable(o.refusal));
    QCOMPARE(o.field, field);
    QCOMPARE(writes(sent), QStringList());
}

Values values(std::initializer_list<std::pair<QString, QString>> pairs)
{
    Values v;
    for (const auto &[column, value] : pairs)
        v.insert(column, value);
    return v;
}

} // namespace

class TestReference : public QObject {
    Q_OBJECT

private slots:
    void dayMonth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("real");
        const std::pair<const char *, bool> cases[] = {
            {"01/01", true},  {"29/02", true},   {"31/12", true},  {"30/04", true},
            {"31/04", false}, {"30/02", false},  {"32/01", false}, {"00/01", false},
            {"01/00", false}, {"01/13", false},  {"1/5", false},   {"01/5", false},
            {"01-01", false}, {"0101", false},   {"", false},      {"01/01/2557", false},
            {"๐๑/๐๑", false}, {" 01/01", false},
        };
        for (const auto &[text, real] : cases)
            QTest::newRow(text) << QString::fromUtf8(text) << real;
    }
    void dayMonth()
    {
        QFETCH(QString, text);
        QFETCH(bool, real);
        QCOMPARE(reference::isDayMonth(text), real);
    }

    // The checks that need no catalog, with the field each refusal points at.
    void checkValues_data()
    {
        QTest::addColumn<TableId>("table");
        QTest::addColumn<Values>("given");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("field"); // -1: accepted
        QTest::addColumn<QString>("message");
        const QString longThai(100, u'ก');
        const auto row = [](const char *name, TableId t, Values v, bool adding, int field,
                            const QString &message) {
            QTest::newRow(name) << t << v << adding << field << message;
        };
        const TableId O = TableId::Officers, D = TableId::DocTypes, U = TableId::Users,
                      H = TableId::Holidays;
        row("officer", O, values({{u"Per_Code"_s, u"01"_s}, {u"Per_Name"_s, u"สมชาย"_s}}), true, -1,
            {});
        row("officer code of one", O, values({{u"Per_Code"_s, u"1"_s}, {u"Per_Name"_s, u"x"_s}}),
            true, 0, u"รหัสเจ้าหน้าที่ ต้องมี 2 ตัวอักษรพอดี"_s);
        row("officer code of three", O,
            values({{u"Per_Code"_s, u"012"_s}, {u"Per_Name"_s, u"x"_s}}), true, 0,
            u"(ใส่ \"012\" มี 3 ตัวอักษร)"_s);
        row("officer code holding a place mark", O,
            values({{u"Per_Code"_s, u"%4x"_s}, {u"Per_Name"_s, u"x"_s}}), true, 0,
            u"(ใส่ \"%4x\" มี 3 ตัวอักษร)"_s);
        row("officer code with a blank inside", O,
            values({{u"Per_Code"_s, u"0 1"_s}, {u"Per_Name"_s, u"x"_s}}), true, 0, u"ไม่มีช่องว่าง"_s);
        row("officer code blanks around", O,
            values({{u"Per_Code"_s, u" 01 "_s}, {u"Per_Name"_s, u"x"_s}}), true, -1, {});
        row("officer code missing", O, values({{u"Per_Name"_s, u"x"_s}}), true, 0,
            u"กรุณาใส่รหัสเจ้าหน้าที่"_s);
        row("officer name blanks only", O,
            values({{u"Per_Code"_s, u"01"_s}, {u"Per_Name"_s, u"   "_s}}), true, 1,
            u"กรุณาใส่ชื่อเจ้าหน้าที่"_s);
        row("officer name of 100", O, values({{u"Per_Code"_s, u"01"_s}, {u"Per_Name"_s, longThai}}),
            true, -1, {});
        row("officer name of 101", O,
            values({{u"Per_Code"_s, u"01"_s}, {u"Per_Name"_s, longThai + u'x'}}), true, 1,
            u"ชื่อเจ้าหน้าที่ยาวเกิน 100 ตัวอักษร (ใส่ 101 ตัวอักษร)"_s);
        row("officer name with a line break", O,
            values({{u"Per_Code"_s, u"01"_s}, {u"Per_Name"_s, u"a\nb"_s}}), true, 1,
            u"อักขระควบคุม"_s);
        row("officer status other", O,
            values({{u"Per_Code"_s, u"01"_s}, {u"Per_Name"_s, u"x"_s}, {u"Per_status"_s, u"Y"_s}}),
            true, 2, u"A (ใช้งาน) หรือ N (ไม่ใช้งาน)"_s);
        row("officer made inactive alone", O, values({{u"Per_status"_s, u"N"_s}}), false, -1, {});
        row("type with a Thai code", D,
            values({{u"DocType_Code"_s, u"กข"_s}, {u"DocType_Name"_s, u"x"_s}}), true, -1, {});
        row("type name missing", D, values({{u"DocType_Code"_s, u"03"_s}}), true, 1,
            u"กรุณาใส่ชื่อประเภทเอกสาร"_s);
        const auto user = [](const QString &name, const QString &pw, const QString &level) {
            return values({{u"UserName"_s, name}, {u"Password"_s, pw}, {u"U_Level"_s, level}});
        };
        row("user", U, user(u"O'Neil"_s, u"a'b"_s, u"-1"_s), true, -1, {});
        row("user name of 51", U, user(QString(51, u'n'), u"p"_s, u"5"_s), true, 0, u"ยาวเกิน 50"_s);
        row("user password empty", U, user(u"u"_s, QString(), u"5"_s), true, 1,
            u"ระบบไม่รับรหัสผ่านว่าง"_s);
        row("user password of 11", U, user(u"u"_s, u"12345678901"_s, u"5"_s), true, 1,
            u"รหัสผ่านยาวเกิน 10"_s);
        row("user password blank after", U, user(u"u"_s, u"pw "_s, u"5"_s), true, 1, u"ช่องว่าง"_s);
        row("user level a word", U, user(u"u"_s, u"p"_s, u"high"_s), true, 2,
            u"ระดับผู้ใช้ต้องเป็นจำนวนเต็ม"_s);
        row("user level missing", U, values({{u"UserName"_s, u"u"_s}, {u"Password"_s, u"p"_s}}),
            true, 2, u"กรุณาใส่ระดับผู้ใช้"_s);
        row("user password kept on a change", U, values({{u"U_Level"_s, u"7"_s}}), false, -1, {});
        row("holiday 29/02", H, values({{u"D_DDMM"_s, u"29/02"_s}, {u"SD_Remark"_s, u"x"_s}}), true,
            -1, {});
        row("holiday 31/04", H, values({{u"D_DDMM"_s, u"31/04"_s}, {u"SD_Remark"_s, u"x"_s}}), true,
            0, u"\"31/04\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM"_s);
        row("holiday 1/5", H, values({{u"D_DDMM"_s, u"1/5"_s}, {u"SD_Remark"_s, u"x"_s}}), true, 0,
            u"ไม่ใช่วันที่"_s);
        row("holiday name of 51", H,
            values({{u"D_DDMM"_s, u"05/12"_s}, {u"SD_Remark"_s, QString(51, u'ว')}}), true, 1,
            u"ยาวเกิน 50"_s);
    }
    void checkValues()
    {
        QFETCH(TableId, table);
        QFETCH(Values, given);
        QFETCH(bool, adding);
        QFETCH(int, field);
        QFETCH(QString, message);
        const reference::Outcome o =
            reference::checkValues(reference::rulesOf(table), given, adding);
        QCOMPARE(o.field, field);
        QVERIFY2(o.refusal.contains(message), qPrintable(o.refusal));
        QCOMPARE(o.ok(), message.isEmpty());
    }

    // Officers and types alike: add, refuse a taken code in any letter case, change, refuse
    // removing one that a document refers to, remove one that none does.
    void codedTables_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<TableId>("table");
        for (const QString &b : TestCatalog::backends()) {
            QTest::addRow("%s officers", qPrintable(b)) << b << TableId::Officers;
            QTest::addRow("%s types", qPrintable(b)) << b << TableId::DocTypes;
        }
    }
    void codedTables()
    {
        QFETCH(QString, backend);
        QFETCH(TableId, table);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        seed(c);
        const reference::Rules &r = reference::rulesOf(table);
        const QString code = QLatin1String(r.fields[0].column);
        const QString name = QLatin1String(r.fields[1].column);
        const bool officers = table == TableId::Officers;

        expect(c,
               [&] {
                   return reference::add(c, table, {{code, u"02"_s}, {name, u"it's"_s}});
               },
               {});
        const QString taken = officers ? u"รหัสเจ้าหน้าที่ AB (Ann)"_s : u"รหัสประเภทเอกสาร AB (ค่าจ้าง)"_s;
        expect(
            c,
            [&] {
                return reference::add(c, table, {{code, u"ab"_s}, {name, u"x"_s}});
            },
            taken + u" มีอยู่แล้ว"_s, 0);
        expect(
            c,
            [&] {
                return reference::add(c, table, {{code, u"123"_s}, {name, u"x"_s}});
            },
            u"ต้องมี 2 ตัวอักษรพอดี"_s, 0);
        expect(c, [&] { return reference::change(c, table, u"02"_s, {{name, u"ใหม่"_s}}); }, {});
        expect(
            c,
            [&] {
                return reference::change(c, table, u"09"_s, {{name, u"x"_s}});
            },
            u"ไม่พบ"_s, 0);
        expect(
            c,
            [&] {
                return reference::change(c, table, u"02"_s, {{code, u"03"_s}});
            },
            u"เปลี่ยนไม่ได้"_s, 0);
        expect(
            c, [&] { return reference::remove(c, table, u"01"_s); },
            u"มีเอกสารอ้างถึงอยู่ 1 เรื่อง จึงลบไม่ได้"_s, 0);
        if (officers) {
            // An officer with documents is made inactive instead.
            expect(c,
                   [&] {
                       return reference::change(c, table, u"01"_s, {{u"Per_status"_s, u"N"_s}});
                   },
                   {});
        }
        expect(c, [&] { return reference::remove(c, table, u"ab"_s); }, {});
        expect(
            c, [&] { return reference::remove(c, table, u"ab"_s); }, u"ไม่พบ"_s, 0);

        const QStringList after = officers ? QStringList{u"01|สมชาย|N"_s, u"02|ใหม่|A"_s}
                                           : QStringList{u"01|ค่าวัสดุ"_s, u"02|ใหม่"_s};
        QCOMPARE(rows(c, table), after);
    }

    // The fixed holidays: a real dd/mm only, once each; a row stored by hand without leading
    // zeros can still be renamed and removed.
    void holidays_data() { TestCatalog::addBackendRows(); }
    void holidays()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        seed(c);
        run(c, u"INSERT INTO TR_Hard_StopDay (D_DDMM, SD_Remark) VALUES ('1/5', 'แรงงาน')"_s);
        const auto day = [](const QString &ddmm, const QString &remark) {
            return Values{{u"D_DDMM"_s, ddmm}, {u"SD_Remark"_s, remark}};
        };
        const TableId H = TableId::Holidays;
        expect(c, [&] { return reference::add(c, H, day(u"29/02"_s, u"it's leap"_s)); }, {});
        expect(
            c, [&] { return reference::add(c, H, day(u"31/04"_s, u"x"_s)); }, u"ไม่ใช่วันที่ที่มีจริง"_s, 0);
        expect(
            c, [&] { return reference::add(c, H, day(u"01/01"_s, u"อีกครั้ง"_s)); },
            u"วันที่ (DD/MM) 01/01 (ปีใหม่) มีอยู่แล้ว"_s, 0);
        expect(c,
               [&] {
                   return reference::change(c, H, u"1/5"_s, {{u"SD_Remark"_s, u"วันแรงงาน"_s}});
               },
               {});
        QCOMPARE(rows(c, H),
                 (QStringList{u"01/01|ปีใหม่"_s, u"1/5|วันแรงงาน"_s, u"29/02|it's leap"_s}));
        expect(c, [&] { return reference::remove(c, H, u"1/5"_s); }, {});
        QCOMPARE(rows(c, H), (QStringList{u"01/01|ปีใหม่"_s, u"29/02|it's leap"_s}));
    }

    // The user rules, each from its own start: the acting user, what is done to whom, and the
    // levels left.
    void userRules_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QStringList>("users"); // name:level
        QTest::addColumn<QString>("actor");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("level"); // -1: remove the target
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QStringList>("after");
        struct Case {
            const char *name, *users, *actor, *target;
            int level;
            const char *refused, *after;
        };
        const Case cases[] = {
            {"self removed", "boss:9 chief:9", "boss", "boss", -1,
             "ไม่สามารถลบชื่อผู้ใช้ boss ที่กำลังใช้งานอยู่ได้", "boss:9 chief:9"},
            {"self in other letters", "boss:9 chief:9", "BOSS", "boss", -1, "กำลังใช้งานอยู่",
             "boss:9 chief:9"},
            {"own level lowered", "boss:9 chief:9", "chief", "chief", 7,
             "ไม่สามารถลดระดับของผู้ใช้ chief", "boss:9 chief:9"},
            {"own level kept", "boss:9 chief:9", "chief", "chief", 9, "", "boss:9 chief:9"},
            {"another 9 removed", "boss:9 chief:9", "boss", "chief", -1, "", "boss:9"},
            {"another 9 lowered", "boss:9 chief:9", "boss", "chief", 5, "", "boss:9 chief:5"},
            {"last 9 removed by the tool", "boss:9 clerk:5", "", "boss", -1,
             "boss เป็นผู้ใช้ระดับ 9 คนสุดท้าย", "boss:9 clerk:5"},
            {"last 9 lowered by the tool", "boss:9 clerk:5", "", "boss", 8, "คนสุดท้าย",
             "boss:9 clerk:5"},
            {"a level 12 remains", "boss:9 root:12", "", "boss", 5, "", "boss:5 root:12"},
            {"a level 5 removed", "boss:9 clerk:5", "boss", "clerk", -1, "", "boss:9"},
            {"a level 5 raised", "boss:9 clerk:5", "boss", "clerk", 9, "", "boss:9 clerk:9"},
        };
        for (const QString &b : TestCatalog::backends()) {
            for (const Case &k : cases) {
                QTest::addRow("%s %s", qPrintable(b), k.name)
                    << b << QString::fromUtf8(k.users).split(u' ') << QString::fromUtf8(k.actor)
                    << QString::fromUtf8(k.target) << k.level << QString::fromUtf8(k.refused)
                    << QString::fromUtf8(k.after).split(u' ');
            }
        }
    }
    void userRules()
    {
        QFETCH(QString, backend);
        QFETCH(QStringList, users);
        QFETCH(QString, actor);
        QFETCH(QString, target);
        QFETCH(int, level);
        QFETCH(QString, refused);
        QFETCH(QStringList, after);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        for (const QString &u : users)
            run(c,
                u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('%1', 'p', %2)"_s.arg(
                    u.section(u':', 0, 0), u.section(u':', 1)));
        const reference::Actor who{actor};
        const int levelField = 2;
        expect(
            c,
            [&] {
                return level < 0 ? reference::remove(c, TableId::Users, target, who)
                                 : reference::change(c, TableId::Users, target,
                                                     {{u"U_Level"_s, QString::number(level)}}, who);
            },
            refused, level < 0 ? 0 : levelField);
        QStringList left;
        for (const QStringList &row : reference::list(c, TableId::Users))
            left << row.join(u':');
        QCOMPARE(left, after);
    }

    // A user added or changed here logs in as the login panel checks it.
    void passwordsAsTheLoginReadsThem_data() { TestCatalog::addBackendRows(); }
    void passwordsAsTheLoginReadsThem()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const TableId U = TableId::Users;
        QVERIFY(reference::add(c, U,
                               {{u"UserName"_s, u" O'Neil "_s},
                                {u"Password"_s, u"it's 10 ch"_s},
                                {u"U_Level"_s, u" 7"_s}})
                    .ok());
        user_access::LoginResult login = user_access::checkLogin(c, u"o'neil"_s, u"it's 10 ch"_s);
        QVERIFY(login.ok());
        QCOMPARE(login.level, 7);
        QVERIFY(reference::change(c, U, u"O'NEIL"_s, {{u"Password"_s, u"ใหม่"_s}}).ok());
        QCOMPARE(user_access::checkLogin(c, u"O'Neil"_s, u"it's 10 ch"_s).outcome,
                 user_access::LoginOutcome::WrongPassword);
        QVERIFY(user_access::checkLogin(c, u"O'Neil"_s, u"ใหม่"_s).ok());
        // A change of level alone keeps the password.
        QVERIFY(reference::change(c, U, u"O'Neil"_s, {{u"U_Level"_s, u"9"_s}}).ok());
        QCOMPARE(user_access::checkLogin(c, u"O'Neil"_s, u"ใหม่"_s).level, 9);
    }

    // Stations at once, each on its own connection: of four removing the four level-9 users,
    // one is refused; of four adding the same holiday, one adds it and three are told it is
    // there. None meets a catalog error.
    void stationsAtOnce_data() { TestCatalog::addBackendRows(); }
    void stationsAtOnce()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        constexpr int Stations = 4;
        for (int i = 0; i < Stations; ++i)
            run(catalog.connection(),
                u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('a%1', 'p', 9)"_s.arg(
                    i));
        std::atomic<int> removed = 0, added = 0, refusedLast = 0, refusedTwice = 0;
        QStringList failures;
        std::mutex failuresLock;
        std::vector<std::thread> threads;
        for (int i = 0; i < Stations; ++i) {
            threads.emplace_back([&, i] {
                try {
                    auto c = catalog.openAnother();
                    const reference::Outcome r =
                        reference::remove(*c, TableId::Users, u"a%1"_s.arg(i));
                    const reference::Outcome a = reference::add(
                        *c, TableId::Holidays,
                        {{u"D_DDMM"_s, u"29/02"_s}, {u"SD_Remark"_s, u"station %1"_s.arg(i)}});
                    ++(r.ok() ? removed : refusedLast);
                    ++(a.ok() ? added : refusedTwice);
                    std::lock_guard<std::mutex> hold(failuresLock);
                    for (const reference::Outcome &o : {r, a}) {
                        if (!o.ok() && !o.refusal.contains(u"คนสุดท้าย"_s) &&
                            !o.refusal.contains(u"มีอยู่แล้ว"_s))
                            failures << o.refusal;
                    }
                } catch (const std::exception &e) {
                    std::lock_guard<std::mutex> hold(failuresLock);
                    failures << QString::fromUtf8(e.what());
                }
            });
        }
        for (std::thread &t : threads)
            t.join();
        QCOMPARE(failures, QStringList());
        QCOMPARE(removed.load(), Stations - 1);
        QCOMPARE(refusedLast.load(), 1);
        QCOMPARE(reference::list(catalog.connection(), TableId::Users).size(), 1);
        QCOMPARE(added.load(), 1);
        QCOMPARE(refusedTwice.load(), Stations - 1);
        QCOMPARE(reference::list(catalog.connection(), TableId::Holidays).size(), 1);
    }
};

QTEST_MAIN(TestReference)
#include "tst_reference.moc"
