#include "data/Statement.h"

namespace db {

QString sqlText(const QString &value)
{
    QString out;
    out.reserve(value.size() + 4);
    for (const QChar c : value) {
        if (c == QLatin1Char('\''))
            out += QLatin1String("''");
        else if (c != QChar(u'\0'))
            out += c;
    }
    return out;
}

} // namespace db
