#include "util/ThaiDate.h"

#include <QRegularExpression>

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString engDateText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString thaiDateText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/') +
           QString::number(date.year() + BuddhistEraOffset);
}

namespace {

// The day of a text the form matches with day, month and Buddhist-era year captured.
QDate dayOf(const QRegularExpression &form, const QString &text)
{
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt() - BuddhistEraOffset, m.captured(2).toInt(),
                 m.captured(1).toInt());
}

} // namespace

QDate thaiDateOf(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{2})/([0-9]{2})/([0-9]{4})$"));
    return dayOf(form, text);
}

QDate typedDayOf(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^ *([0-9]{1,2}) */ *([0-9]{1,2}) */([0-9]{4})$"));
    return dayOf(form, text);
}

bool isBlankDateText(const QString &text)
{
    for (const QChar c : text) {
        if (c != u' ' && c != u'/' && c != u'_')
            return false;
    }
    return true;
}

bool isBlankOrDay(const QString &text)
{
    return isBlankDateText(text) || typedDayOf(text).isValid();
}

bool isMonthYearText(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(0[1-9]|1[0-2])/[0-9]{4}$"));
    return form.match(text).hasMatch();
}

QString thaiDateTimeText(const QDateTime &moment)
{
    if (!moment.isValid())
        return {};
    return thaiDateText(moment.date()) + QLatin1Char(' ') +
           moment.time().toString(QStringLiteral("HH:mm:ss"));
}

QString fiscalYearOf(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QString::number(date.month() > 9 ? date.year() + 1 : date.year());
}
