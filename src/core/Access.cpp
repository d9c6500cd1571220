#include "core/Access.h"

#include "data/Connection.h"
#include "data/History.h"
#include "data/Statement.h"
#include "data/schema.h"
#include "util/Utility.h"

namespace user_access {

db::Statement userStatement(const QString &name)
{
    return db::Statement{QStringLiteral("Select * From TR_User"),
                         QStringLiteral("Where UserName='") + db::sqlText(name) +
                             QLatin1Char('\'')};
}

LoginResult checkLogin(db::Connection &c, const QString &name, const QString &password)
{
    if (name.isEmpty())
        return {LoginOutcome::EmptyName};
    if (password.isEmpty())
        return {LoginOutcome::EmptyPassword};
    db::Rows user = c.select(userStatement(name));
    if (!user.next())
        return {LoginOutcome::UnknownUser};
    if (trimText(user.text(QStringLiteral("password"))) != password)
        return {LoginOutcome::WrongPassword};
    return {LoginOutcome::Ok, static_cast<int>(user.integer(QStringLiteral("U_Level")))};
}

LoginResult logIn(db::Connection &c, const QString &name, const QString &password)
{
    const LoginResult result = checkLogin(c, name, password);
    using db::history::Event;
    switch (result.outcome) {
    case LoginOutcome::EmptyName:
    case LoginOutcome::EmptyPassword:
        break; // nothing was asked of the catalog
    case LoginOutcome::UnknownUser:
    case LoginOutcome::WrongPassword:
        db::history::recordEvent(c, Event::LoginFailed, name);
        break;
    case LoginOutcome::Ok:
        db::history::recordEvent(c, Event::Login, name);
        c.setActor(name, c.actorStation());
        break;
    }
    return result;
}

QString loginMessage(LoginOutcome outcome)
{
    switch (outcome) {
    case LoginOutcome::Ok:
        break;
    case LoginOutcome::EmptyName:
        return QStringLiteral("กรุณาใส่ชื่อผู้ใช้ด้วย");
    case LoginOutcome::EmptyPassword:
        return QStringLiteral("กรุณาใส่รหัสผ่านด้วย");
    case LoginOutcome::UnknownUser:
        return QStringLiteral("ไม่พบชื่อผู้ใช้ในระบบ กรุณาใส่ชื่อใหม่");
    case LoginOutcome::WrongPassword:
        return QStringLiteral("รหัสผ่านไม่ถูกต้อง กรุณาใส่รหัสผ่านใหม่");
    }
    return {};
}

bool allows(const Rule &rule, int level)
{
    return level >= rule.minimumLevel;
}

EntryState stateAfterLogin(const Rule &rule, int level)
{
    const bool open = allows(rule, level);
    if (rule.below == Below::Hidden)
        return {open, true};
    return {true, open};
}

db::Statement serverDateStatement()
{
    return db::Statement{QStringLiteral("Select Getdate() As C_Date")};
}

StartUpValues startUpValuesOf(const QDateTime &serverNow)
{
    // Worked on the date text dd/mm/yyyy (Gregorian), as the division has always derived them.
    const QString s = engDateText(serverNow.date());
    QString fiscal = s.mid(6, 4);
    if (s.mid(3, 2).toInt() > 9)
        fiscal = QString::number(fiscal.toInt() + 1);
    return {serverNow, s.left(6) + QString::number(s.mid(6, 4).toInt() + BuddhistEraOffset),
            fiscal};
}

StartUpValues readStartUpValues(db::Connection &c)
{
    db::Rows now = c.select(serverDateStatement());
    if (!now.next())
        throw db::Error(QStringLiteral("ไม่ได้รับวันที่จากเครื่องแม่ข่าย"));
    const QDateTime serverNow = now.dateTime(QStringLiteral("C_Date"));
    if (!serverNow.isValid())
        throw db::Error(QStringLiteral("วันที่จากเครื่องแม่ข่ายอ่านไม่ได้: ") +
                        now.text(QStringLiteral("C_Date")));
    return startUpValuesOf(serverNow);
}

db::Statement versionStatement()
{
    return db::Statement{QStringLiteral("SELECT  *"), QStringLiteral("FROM TR_Version")};
}

VersionCheck checkVersion(db::Connection &c)
{
    db::Rows version = c.select(versionStatement());
    VersionCheck out;
    out.stored = version.next() ? version.text(QStringLiteral("Version_NO")) : QString();
    out.matches = trimText(out.stored) == schema::Version;
    return out;
}

QString invalidVersionMessage(const QString &stored)
{
    return QStringLiteral("Invalid Version ") + QLatin1Char('\n') +
           QStringLiteral("Pressent Version Is : ") + stored;
}

db::Statement passwordCheckStatement(const QString &user, const QString &oldPassword)
{
    return db::Statement{
        QStringLiteral("SELECT *"), QStringLiteral("FROM TR_User"),
        QStringLiteral("Where (Username = '") + db::sqlText(user) + QStringLiteral("')"),
        QStringLiteral("And (Password ='") + db::sqlText(oldPassword) + QStringLiteral("')")};
}

db::Statement passwordUpdateStatement(const QString &user, const QString &newPassword)
{
    return db::Statement{
        QStringLiteral("Update TR_User"),
        QStringLiteral("Set  Password ='") + db::sqlText(newPassword) + QLatin1Char('\''),
        QStringLiteral("Where (Username = '") + db::sqlText(user) + QStringLiteral("')")};
}

PasswordChange changePassword(db::Connection &c, const QString &user, const QString &oldPassword,
                              const QString &newPassword, const QString &confirmation)
{
    if (!c.select(passwordCheckStatement(user, oldPassword)).next())
        return PasswordChange::OldPasswordWrong;
    if (newPassword != confirmation)
        return PasswordChange::ConfirmationDiffers;
    c.execute(passwordUpdateStatement(user, newPassword));
    return PasswordChange::Changed;
}

QString passwordChangeMessage(PasswordChange outcome)
{
    switch (outcome) {
    case PasswordChange::Changed:
        return QStringLiteral("ทำการเปลี่ยนแปลงรหัสผ่านให้แล้ว โปรแกรมจะปิดตัวเองเพื่อให้") +
               QLatin1Char('\n') + QStringLiteral("เข้าระบบใหม่ (Login)");
    case PasswordChange::OldPasswordWrong:
        return QStringLiteral("รหัสผ่านเดิมไม่ถูกต้อง");
    case PasswordChange::ConfirmationDiffers:
        return QStringLiteral("รหัสผ่านและรหัสยืนยันไม่เหมือนกัน กรุณาใส่ใหม่");
    }
    return {};
}

} // namespace user_access
