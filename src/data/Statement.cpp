#include "data/Statement.h"

namespace db {

namespace {

constexpr QChar kReplacement(0xFFFD);

} // namespace

QString sqlText(const QString &value)
{
    QString out;
    out.reserve(value.size() + 4);
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\'')) {
            out += QLatin1String("''");
        } else if (c.isHighSurrogate()) {
            if (i + 1 < n && value.at(i + 1).isLowSurrogate()) {
                out += c;
                out += value.at(++i);
            } else {
                out += kReplacement;
            }
        } else if (c.isLowSurrogate()) {
            out += kReplacement;
        } else if (c != QChar(u'\0')) {
            out += c;
        }
    }
    return out;
}

QString likeText(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size() + 4);
    for (const QChar c : value) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    return sqlText(escaped);
}

bool isSendable(QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.unicode() == 0 || c.isLowSurrogate())
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= n || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        }
    }
    return true;
}

} // namespace db
