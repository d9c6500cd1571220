// Password change, driven through the screen the menu opens.

#include "AppFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

QString storedPassword(TestCatalog &catalog, const QString &user)
{
    db::Rows r = catalog.connection().select(
        db::Statement{QStringLiteral("SELECT * FROM TR_User WHERE UserName='") + db::sqlText(user) +
                      QLatin1Char('\'')});
    return r.next() ? r.text(QStringLiteral("Password")) : QStringLiteral("<none>");
}

struct PasswordScreen {
    Screen *screen;
    QLineEdit *old_, *new_, *conf;
    QPushButton *save;
    void type(const QString &o, const QString &n, const QString &c)
    {
        old_->setText(o);
        new_->setText(n);
        conf->setText(c);
    }
};

PasswordScreen open(AppFixture &f, const QString &user, const QString &password)
{
    f.addUser(user, password, 5);
    f.start();
    f.login(user, password);
    Screen *s = f.window->openScreen(QStringLiteral("ChangePassword1"));
    return {s, s->findChild<QLineEdit *>(QStringLiteral("edtOld_Password")),
            s->findChild<QLineEdit *>(QStringLiteral("edtNew_Password")),
            s->findChild<QLineEdit *>(QStringLiteral("edtConf_Password")),
            s->findChild<QPushButton *>(QStringLiteral("btnSave_Data"))};
}

} // namespace

class TestChangePassword : public QObject {
    Q_OBJECT

private slots:
    void opensEmptyWithLimits()
    {
        AppFixture f(QStringLiteral("sqlite"));
        PasswordScreen p = open(f, QStringLiteral("clerk"), QStringLiteral("old"));
        QVERIFY(p.old_->text().isEmpty() && p.new_->text().isEmpty() && p.conf->text().isEmpty());
        for (QLineEdit *e : {p.old_, p.new_, p.conf}) {
            QCOMPARE(e->maxLength(), 10);
            QCOMPARE(e->echoMode(), QLineEdit::Password);
        }
    }

    void success_data() { TestCatalog::addBackendRows(); }
    void success()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        AppFixture f(backend);
        PasswordScreen p = open(f, QStringLiteral("O'Neil"), QStringLiteral("it's"));
        QStringList sent;
        f.window->session().connection.setObserver([&sent](const QString &s) { sent << s; });
        QSignalSpy ended(f.window.get(), &TfrmMain_Vostrel::programEnded);
        p.type(QStringLiteral("it's"), QStringLiteral("new'pw"), QStringLiteral("new'pw"));
        p.save->click();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QStringLiteral("ยืนยันการบันทึกข้อมูล "),
                              QStringLiteral("ทำการเปลี่ยนแปลงรหัสผ่านให้แล้ว โปรแกรมจะปิดตัวเองเพื่อให้\n"
                                             "เข้าระบบใหม่ (Login)")}));
        QCOMPARE(storedPassword(f.catalog, QStringLiteral("O'Neil")), QStringLiteral("new'pw"));
        QCOMPARE(ended.size(), 1);
        QCOMPARE(sent, (QStringList{
                           QStringLiteral("SELECT *\nFROM TR_User\nWhere (Username = 'O''Neil')\n"
                                          "And (Password ='it''s')"),
                           QStringLiteral("Update TR_User\nSet  Password ='new''pw'\n"
                                          "Where (Username = 'O''Neil')")}));
    }

    void wrongOldPassword()
    {
        AppFixture f(QStringLiteral("sqlite"));
        PasswordScreen p = open(f, QStringLiteral("clerk"), QStringLiteral("old"));
        p.type(QStringLiteral("wrong"), QStringLiteral("n1"), QStringLiteral("n1"));
        p.save->click();
        QCOMPARE(f.dialogs.last(), QStringLiteral("รหัสผ่านเดิมไม่ถูกต้อง"));
        QCOMPARE(f.focused(), QStringLiteral("edtOld_Password"));
        QCOMPARE(p.new_->text(), QStringLiteral("n1")); // fields kept
        QCOMPARE(storedPassword(f.catalog, QStringLiteral("clerk")), QStringLiteral("old"));
        QVERIFY(!f.window->hasEnded());
    }

    void confirmationDiffers()
    {
        AppFixture f(QStringLiteral("sqlite"));
        PasswordScreen p = open(f, QStringLiteral("clerk"), QStringLiteral("old"));
        p.type(QStringLiteral("old"), QStringLiteral("n1"), QStringLiteral("n2"));
        p.save->click();
        QCOMPARE(f.dialogs.last(), QStringLiteral("รหัสผ่านและรหัสยืนยันไม่เหมือนกัน กรุณาใส่ใหม่"));
        QVERIFY(p.new_->text().isEmpty());
        QVERIFY(p.conf->text().isEmpty());
        QCOMPARE(p.old_->text(), QStringLiteral("old"));
        QCOMPARE(f.focused(), QStringLiteral("edtNew_Password"));
        QCOMPARE(storedPassword(f.catalog, QStringLiteral("clerk")), QStringLiteral("old"));
    }

    void cancelChangesNothing()
    {
        AppFixture f(QStringLiteral("sqlite"));
        PasswordScreen p = open(f, QStringLiteral("clerk"), QStringLiteral("old"));
        QStringList sent;
        f.window->session().connection.setObserver([&sent](const QString &s) { sent << s; });
        p.type(QStringLiteral("old"), QStringLiteral("n1"), QStringLiteral("n1"));
        f.dialogs.answer(false);
        p.save->click();
        QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("ยืนยันการบันทึกข้อมูล ")});
        QVERIFY(sent.isEmpty());
        QCOMPARE(p.new_->text(), QStringLiteral("n1"));
        QVERIFY(!f.window->hasEnded());
    }

    // An empty new password is stored; the login then refuses that user an empty password.
    void emptyNewPasswordIsStored()
    {
        AppFixture f(QStringLiteral("sqlite"));
        PasswordScreen p = open(f, QStringLiteral("clerk"), QStringLiteral("old"));
        p.type(QStringLiteral("old"), QString(), QString());
        p.save->click();
        QCOMPARE(storedPassword(f.catalog, QStringLiteral("clerk")), QString());
        QVERIFY(f.window->hasEnded());
    }

    void exitButtonClosesOnlyTheScreen()
    {
        AppFixture f(QStringLiteral("sqlite"));
        PasswordScreen p = open(f, QStringLiteral("clerk"), QStringLiteral("old"));
        QPointer<Screen> screen = p.screen;
        screen->findChild<QPushButton *>(QStringLiteral("btnExit_Form"))->click();
        QTRY_VERIFY(screen.isNull());
        QVERIFY(!f.window->hasEnded());
        QVERIFY(f.window->findChild<QAction *>(QStringLiteral("N2"))->isVisible());
    }
};

QTEST_MAIN(TestChangePassword)
#include "tst_change_password.moc"
