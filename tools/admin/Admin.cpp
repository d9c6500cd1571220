#include "admin/Admin.h"

#include "admin/Rows.h"
#include "core/Access.h"
#include "data/Connection.h"
#include "data/schema.h"

namespace admin {

namespace {

constexpr int PasswordWidth = 10;

bool userExists(db::Connection &c, const QString &name)
{
    return c.select(user_access::userStatement(name)).next();
}

} // namespace

void checkUser(const User &user)
{
    if (user.name.isEmpty())
        throw db::Error(QStringLiteral("กรุณาระบุชื่อผู้ใช้ (--user)"));
    if (user.password.isEmpty())
        throw db::Error(QStringLiteral("กรุณาระบุรหัสผ่าน (--password): ระบบไม่รับรหัสผ่านว่าง"));
    if (user.password.size() > PasswordWidth)
        throw db::Error(QStringLiteral("รหัสผ่านยาวเกิน %1 ตัวอักษร").arg(PasswordWidth));
}

void initCatalog(db::Connection &connection, const User &first)
{
    checkUser(first);
    schema::create(connection, [&] { insertUser(connection, first); });
}

void addUser(db::Connection &connection, const User &user)
{
    checkUser(user);
    if (userExists(connection, user.name))
        throw db::Error(QStringLiteral("มีผู้ใช้ชื่อ %1 อยู่แล้ว").arg(user.name));
    insertUser(connection, user);
}

} // namespace admin
