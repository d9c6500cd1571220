// Login, access levels, start-up values, version check and password change, without a window.

#include "TestCatalog.h"
#include "core/Access.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QTest>

using namespace user_access;

Q_DECLARE_METATYPE(user_access::LoginOutcome)
Q_DECLARE_METATYPE(user_access::PasswordChange)

namespace {

void addUser(db::Connection &c, const QString &name, const QString &password, int level)
{
    c.execute(db::Statement{QStringLiteral("INSERT INTO TR_User (UserName, Password, U_Level)"),
                            QStringLiteral("VALUES ('%1', '%2', %3)")
                                .arg(db::sqlText(name), db::sqlText(password))
                                .arg(level)});
}

QString storedPassword(db::Connection &c, const QString &user)
{
    db::Rows r = c.select(
        db::Statement{QStringLiteral("SELECT Password FROM TR_User"),
                      QStringLiteral("WHERE UserName='") + db::sqlText(user) + QLatin1Char('\'')});
    return r.next() ? r.text(QStringLiteral("Password")) : QStringLiteral("<none>");
}

// Records every statement the connection sends from now on.
QStringList &observe(db::Connection &c, QStringList &sent)
{
    c.setObserver([&sent](const QString &s) { sent << s; });
    return sent;
}

} // namespace

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void login_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<LoginOutcome>("outcome");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("message");
        const QString noName = QStringLiteral("กรุณาใส่ชื่อผู้ใช้ด้วย");
        const QString noPassword = QStringLiteral("กรุณาใส่รหัสผ่านด้วย");
        const QString unknown = QStringLiteral("ไม่พบชื่อผู้ใช้ในระบบ กรุณาใส่ชื่อใหม่");
        const QString wrong = QStringLiteral("รหัสผ่านไม่ถูกต้อง กรุณาใส่รหัสผ่านใหม่");
        struct Row {
            const char *label, *name, *password;
            LoginOutcome outcome;
            int level;
            QString message;
        };
        const Row rows[] = {
            {"no name", "", "pw", LoginOutcome::EmptyName, 0, noName},
            {"nothing typed", "", "", LoginOutcome::EmptyName, 0, noName},
            {"no password", "clerk", "", LoginOutcome::EmptyPassword, 0, noPassword},
            {"unknown name", "nobody", "pw", LoginOutcome::UnknownUser, 0, unknown},
            {"blank name reaches the lookup", "   ", "pw", LoginOutcome::UnknownUser, 0, unknown},
            {"quote in name", "x' OR '1'='1", "pw", LoginOutcome::UnknownUser, 0, unknown},
            {"wrong password", "clerk", "nope", LoginOutcome::WrongPassword, 0, wrong},
            {"letter case of password", "clerk", "CLERK1", LoginOutcome::WrongPassword, 0, wrong},
            {"typed trailing blank", "clerk", "clerk1 ", LoginOutcome::WrongPassword, 0, wrong},
            {"right password", "clerk", "clerk1", LoginOutcome::Ok, 5, QString()},
            {"name in another case, stored blanks", "SOMCHAI", "secret", LoginOutcome::Ok, 7,
             QString()},
            {"quotes in name and password", "O'Neil", "a'b", LoginOutcome::Ok, 3, QString()},
            {"negative level", "guest", "g", LoginOutcome::Ok, -1, QString()},
        };
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const Row &r : rows) {
                QTest::addRow("%s: %s", qPrintable(backend), r.label)
                    << backend << QString::fromUtf8(r.name) << QString::fromUtf8(r.password)
                    << r.outcome << r.level << r.message;
            }
        }
    }
    void login()
    {
        QFETCH(QString, backend);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(LoginOutcome, outcome);
        QFETCH(int, level);
        QFETCH(QString, message);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        addUser(c, QStringLiteral("clerk"), QStringLiteral("clerk1"), 5);
        addUser(c, QStringLiteral("Somchai"), QStringLiteral("secret  "), 7);
        addUser(c, QStringLiteral("O'Neil"), QStringLiteral("a'b"), 3);
        addUser(c, QStringLiteral("guest"), QStringLiteral("g"), -1);
        QStringList sent;
        observe(c, sent);

        const LoginResult got = checkLogin(c, name, password);
        QCOMPARE(got.outcome, outcome);
        QCOMPARE(got.ok(), outcome == LoginOutcome::Ok);
        QCOMPARE(got.level, level);
        QCOMPARE(loginMessage(got.outcome), message);
        // Nothing is asked of the catalog until both fields hold something.
        if (name.isEmpty() || password.isEmpty()) {
            QVERIFY(sent.isEmpty());
        } else {
            QString quoted = name;
            quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
            QCOMPARE(sent, QStringList{QStringLiteral("Select * From TR_User\nWhere UserName='") +
                                       quoted + QLatin1Char('\'')});
        }
    }

    // The boundaries of the three levels the menu follows.
    void levels_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("intake");
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<bool>("calendar");
        QTest::newRow("lowest") << std::numeric_limits<int>::min() << false << false << false;
        QTest::newRow("-1") << -1 << false << false << false;
        QTest::newRow("4") << 4 << false << false << false;
        QTest::newRow("5") << 5 << true << false << false;
        QTest::newRow("6") << 6 << true << false << false;
        QTest::newRow("7") << 7 << true << true << false;
        QTest::newRow("8") << 8 << true << true << false;
        QTest::newRow("9") << 9 << true << true << true;
        QTest::newRow("12") << 12 << true << true << true;
    }
    void levels()
    {
        QFETCH(int, level);
        QFETCH(bool, intake);
        QFETCH(bool, administrator);
        QFETCH(bool, calendar);
        const Rule intakeRule{IntakeLevel, Below::Disabled};
        const Rule adminRule{AdministratorLevel, Below::Hidden};
        const Rule calendarRule{CalendarLevel, Below::Disabled};
        QCOMPARE(allows(intakeRule, level), intake);
        QCOMPARE(allows(adminRule, level), administrator);
        QCOMPARE(allows(calendarRule, level), calendar);
        // Disabled entries stay in sight; hidden ones stay usable once shown.
        QCOMPARE(stateAfterLogin(intakeRule, level), (EntryState{true, intake}));
        QCOMPARE(stateAfterLogin(adminRule, level), (EntryState{administrator, true}));
        QCOMPARE(stateAfterLogin(Rule{}, level), (EntryState{true, true}));
    }

    void version_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("matches");
        struct Row {
            const char *label;
            bool present;
            const char *stored;
            bool matches;
        };
        const Row rows[] = {
            {"same", true, "2.0", true},
            {"trailing blank", true, "2.0 ", true},
            {"blanks and controls around", true, " \t2.0\r\n", true},
            {"2.00", true, "2.00", false},
            {"2.1", true, "2.1", false},
            {"inner blank", true, "2. 0", false},
            {"empty", true, "", false},
            {"no row", false, "", false},
        };
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const Row &r : rows) {
                QTest::addRow("%s: %s", qPrintable(backend), r.label)
                    << backend << r.present << QString::fromUtf8(r.stored) << r.matches;
            }
        }
    }
    void version()
    {
        QFETCH(QString, backend);
        QFETCH(bool, present);
        QFETCH(QString, stored);
        QFETCH(bool, matches);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{QStringLiteral("DELETE FROM TR_Version")});
        if (present)
            c.execute(
                db::Statement{QStringLiteral("INSERT INTO TR_Version (Version_NO) VALUES ('") +
                              db::sqlText(stored) + QStringLiteral("')")});
        QStringList sent;
        observe(c, sent);
        const VersionCheck got = checkVersion(c);
        QCOMPARE(got.stored, stored);
        QCOMPARE(got.matches, matches);
        QCOMPARE(sent, QStringList{QStringLiteral("SELECT  *\nFROM TR_Version")});
        QCOMPARE(invalidVersionMessage(got.stored),
                 QStringLiteral("Invalid Version \nPressent Version Is : ") + stored);
    }

    // The program-wide dates come from the server's clock; the fiscal year turns in October.
    void startUpValues_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QDateTime>("serverNow");
        QTest::addColumn<QString>("todayThai");
        QTest::addColumn<QString>("fiscalYear");
        struct Row {
            const char *label;
            QDateTime now;
            const char *todayThai, *fiscalYear;
        };
        const Row rows[] = {
            {"last second of September", QDateTime(QDate(2014, 9, 30), QTime(23, 59, 59)),
             "30/09/2557", "2014"},
            {"first moment of October", QDateTime(QDate(2014, 10, 1), QTime(0, 0)), "01/10/2557",
             "2015"},
            {"31 December", QDateTime(QDate(2014, 12, 31), QTime(12, 0)), "31/12/2557", "2015"},
            {"1 January", QDateTime(QDate(2015, 1, 1), QTime(0, 0, 1)), "01/01/2558", "2015"},
            {"leap day", QDateTime(QDate(2016, 2, 29), QTime(8, 15)), "29/02/2559", "2016"},
        };
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const Row &r : rows) {
                QTest::addRow("%s: %s", qPrintable(backend), r.label)
                    << backend << r.now << QString::fromUtf8(r.todayThai)
                    << QString::fromUtf8(r.fiscalYear);
            }
        }
    }
    void startUpValues()
    {
        QFETCH(QString, backend);
        QFETCH(QDateTime, serverNow);
        QFETCH(QString, todayThai);
        QFETCH(QString, fiscalYear);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.pinServerClockForTests(serverNow);
        QStringList sent;
        observe(c, sent);
        const StartUpValues got = readStartUpValues(c);
        QCOMPARE(got.serverNow, serverNow); // read as the server's local time, unshifted
        QCOMPARE(got.Today_Thai, todayThai);
        QCOMPARE(got.Fiscal_Year, fiscalYear);
        QCOMPARE(sent, QStringList{QStringLiteral("Select Getdate() As C_Date")});
    }

    // The year is handled as four-digit text, so early years keep their zeros until October.
    void startUpValuesOfEarlyYears()
    {
        const StartUpValues september = startUpValuesOf(QDateTime(QDate(999, 9, 1), QTime()));
        QCOMPARE(september.Today_Thai, QStringLiteral("01/09/1542"));
        QCOMPARE(september.Fiscal_Year, QStringLiteral("0999"));
        QCOMPARE(startUpValuesOf(QDateTime(QDate(999, 10, 1), QTime())).Fiscal_Year,
                 QStringLiteral("1000"));
    }

    void unreadableServerDate()
    {
        REQUIRE_BACKEND(QStringLiteral("postgresql"));
        TestCatalog catalog(QStringLiteral("postgresql"));
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{QStringLiteral("DROP FUNCTION getdate()")});
        c.execute(db::Statement{QStringLiteral("CREATE FUNCTION getdate() RETURNS text "
                                               "LANGUAGE sql AS $$SELECT 'soon'::text$$")});
        try {
            readStartUpValues(c);
            QFAIL("an unreadable date was accepted");
        } catch (const db::Error &e) {
            QCOMPARE(e.message(), QStringLiteral("วันที่จากเครื่องแม่ข่ายอ่านไม่ได้: soon"));
        }
    }

    void passwordChange_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<PasswordChange>("outcome");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        const QString oldWrong = QStringLiteral("รหัสผ่านเดิมไม่ถูกต้อง");
        const QString differ = QStringLiteral("รหัสผ่านและรหัสยืนยันไม่เหมือนกัน กรุณาใส่ใหม่");
        const QString changed = QStringLiteral("ทำการเปลี่ยนแปลงรหัสผ่านให้แล้ว โปรแกรมจะปิดตัวเองเพื่อให้\n"
                                               "เข้าระบบใหม่ (Login)");
        struct Row {
            const char *label, *user, *oldPassword, *newPassword, *confirmation;
            PasswordChange outcome;
            const char *stored;
            QString message;
        };
        const Row rows[] = {
            {"old password wrong", "O'Neil", "wrong", "n1", "n1", PasswordChange::OldPasswordWrong,
             "it's", oldWrong},
            {"old checked before the confirmation", "O'Neil", "wrong", "n1", "n2",
             PasswordChange::OldPasswordWrong, "it's", oldWrong},
            {"confirmation differs", "O'Neil", "it's", "n1", "n2",
             PasswordChange::ConfirmationDiffers, "it's", differ},
            {"quote reaches the table", "O'Neil", "it's", "new'pw", "new'pw",
             PasswordChange::Changed, "new'pw", changed},
            {"empty new password", "O'Neil", "it's", "", "", PasswordChange::Changed, "", changed},
            // The catalog compares the old password letter case aside, as it compares names.
            {"letter case aside", "o'neil", "IT'S", "n1", "n1", PasswordChange::Changed, "n1",
             changed},
        };
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const Row &r : rows) {
                QTest::addRow("%s: %s", qPrintable(backend), r.label)
                    << backend << QString::fromUtf8(r.user) << QString::fromUtf8(r.oldPassword)
                    << QString::fromUtf8(r.newPassword) << QString::fromUtf8(r.confirmation)
                    << r.outcome << QString::fromUtf8(r.stored) << r.message;
            }
        }
    }
    void passwordChange()
    {
        QFETCH(QString, backend);
        QFETCH(QString, user);
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(PasswordChange, outcome);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        addUser(c, QStringLiteral("O'Neil"), QStringLiteral("it's"), 5);
        addUser(c, QStringLiteral("clerk"), QStringLiteral("it's"), 5);
        QStringList sent;
        observe(c, sent);

        const PasswordChange got = changePassword(c, user, oldPassword, newPassword, confirmation);
        c.setObserver({});
        QCOMPARE(got, outcome);
        QCOMPARE(passwordChangeMessage(got), message);
        QCOMPARE(storedPassword(c, QStringLiteral("O'Neil")), stored);
        QCOMPARE(storedPassword(c, QStringLiteral("clerk")), QStringLiteral("it's"));

        auto quoted = [](QString s) { return s.replace(QLatin1Char('\''), QStringLiteral("''")); };
        QStringList expected{QStringLiteral("SELECT *\nFROM TR_User\nWhere (Username = '") +
                             quoted(user) + QStringLiteral("')\nAnd (Password ='") +
                             quoted(oldPassword) + QStringLiteral("')")};
        if (outcome == PasswordChange::Changed)
            expected << QStringLiteral("Update TR_User\nSet  Password ='") + quoted(newPassword) +
                            QStringLiteral("'\nWhere (Username = '") + quoted(user) +
                            QStringLiteral("')");
        QCOMPARE(sent, expected);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
