#include "admin/Admin.h"

#include "admin/Rows.h"
#include "core/Reference.h"
#include "data/Connection.h"
#include "data/schema.h"

namespace admin {

namespace {

reference::Values valuesOf(const User &user)
{
    return {{QStringLiteral("UserName"), user.name},
            {QStringLiteral("Password"), user.password},
            {QStringLiteral("U_Level"), QString::number(user.level)}};
}

void refuseUnless(const reference::Outcome &outcome)
{
    if (!outcome.ok())
        throw db::Error(outcome.refusal);
}

} // namespace

void checkUser(const User &user)
{
    refuseUnless(reference::checkValues(reference::rulesOf(reference::TableId::Users),
                                        valuesOf(user), true));
}

void initCatalog(db::Connection &connection, const User &first)
{
    checkUser(first);
    User stored = first;
    stored.name =
        reference::normalised(reference::rulesOf(reference::TableId::Users), valuesOf(first))
            .value(QStringLiteral("UserName"));
    schema::create(connection, [&] { insertUser(connection, stored); });
}

void addUser(db::Connection &connection, const User &user)
{
    refuseUnless(reference::add(connection, reference::TableId::Users, valuesOf(user)));
}

} // namespace admin
