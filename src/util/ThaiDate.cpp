#include "util/ThaiDate.h"

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Eng_Date_Text(const QDate &date)
{
    if (!date.isValid())
        return {};
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString Thai_Date_Text(const QDate &date)
{
    if (!date.isValid())
        return {};
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/') +
           QString::number(date.year() + Buddhist_Era_Offset);
}

QString Thai_Date_Time_Text(const QDateTime &moment)
{
    if (!moment.isValid())
        return {};
    return Thai_Date_Text(moment.date()) + QLatin1Char(' ') +
           moment.time().toString(QStringLiteral("HH:mm:ss"));
}

QString Fiscal_Year_Of(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QString::number(date.month() > 9 ? date.year() + 1 : date.year());
}
