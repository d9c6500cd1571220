#include "admin/Rows.h"

#include "admin/Admin.h"
#include "data/Connection.h"

#include <QStringList>

namespace admin {

Value Value::text(const QString &v)
{
    return {QLatin1Char('\'') + db::sqlText(v) + QLatin1Char('\'')};
}

void insert(db::Connection &c, const char *table, const Row &row)
{
    QStringList columns;
    QStringList values;
    for (const auto &[column, value] : row) {
        columns << QLatin1String(column);
        values << value.sql;
    }
    c.execute(db::Statement{
        QStringLiteral("INSERT INTO %1").arg(QLatin1String(table)),
        QLatin1Char('(') + columns.join(QStringLiteral(", ")) + QLatin1Char(')'),
        QStringLiteral("VALUES (") + values.join(QStringLiteral(", ")) + QLatin1Char(')')});
}

void insertUser(db::Connection &c, const User &u)
{
    insert(c, "TR_User",
           {{"UserName", Value::text(u.name)},
            {"Password", Value::text(u.password)},
            {"U_Level", Value::integer(u.level)}});
}

} // namespace admin
