#include "spreadsheet/NumberFormats.h"

#include "spreadsheet/Workbook.h"

#include <QDate>
#include <cmath>

namespace spreadsheet {

namespace {

// [h], [mm], [ss]: elapsed time, the only bracketed text that is part of the format.
bool elapsedTime(QStringView inner)
{
    if (inner.isEmpty())
        return false;
    const QChar first = inner[0].toLower();
    if (first != u'h' && first != u'm' && first != u's')
        return false;
    for (const QChar c : inner) {
        if (c.toLower() != first)
            return false;
    }
    return true;
}

struct Letters {
    int y = 0, m = 0, d = 0, h = 0, s = 0;

    void count(QChar c)
    {
        switch (c.toLower().unicode()) {
        case u'y':
            ++y;
            break;
        case u'm':
            ++m;
            break;
        case u'd':
            ++d;
            break;
        case u'h':
            ++h;
            break;
        case u's':
            ++s;
            break;
        default:
            break;
        }
    }
};

// The day of a serial as yyyy-mm-dd; empty past the year 9999.
QString dayText(qint64 day, bool date1904)
{
    QDate date;
    if (date1904)
        date = QDate(1904, 1, 1).addDays(day);
    else if (day == 60)
        return QStringLiteral("1900-02-29"); // the day the spreadsheets' 1900 has and no calendar
    else if (day < 60)
        date = QDate(1900, 1, 1).addDays(std::max<qint64>(day, 1) - 1);
    else
        date = QDate(1899, 12, 30).addDays(day);
    if (!date.isValid() || date.year() > 9999)
        return {};
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// The time of a fraction of a day as hh:mm:ss; a fraction that rounds to a whole day gives
// 24:00:00, which dateCellText carries over to the next day.
QString timeOfDay(double fraction)
{
    const long seconds = std::lround(fraction * 86400.0);
    return QString::asprintf("%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

} // namespace

DateKind builtInDateKind(int numFmtId)
{
    if (numFmtId >= 14 && numFmtId <= 17)
        return DateKind::Date;
    if (numFmtId == 22)
        return DateKind::DateTime;
    if ((numFmtId >= 18 && numFmtId <= 21) || (numFmtId >= 45 && numFmtId <= 47))
        return DateKind::Time;
    return DateKind::None;
}

DateKind formatDateKind(QStringView code)
{
    Letters n;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            if (end < 0)
                break;
            i = end;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // the next character is shown, or measured, as it is
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            if (end < 0)
                break;
            const QStringView inner = code.sliced(i + 1, end - i - 1);
            if (elapsedTime(inner)) {
                for (const QChar e : inner)
                    n.count(e);
            }
            i = end;
        } else {
            n.count(c);
        }
    }
    if (n.y && n.m && n.d && n.h)
        return DateKind::DateTime;
    if ((n.y && n.m) || (n.m && n.d))
        return DateKind::Date;
    if ((n.h && n.m) || (n.m && n.s))
        return DateKind::Time;
    return DateKind::None;
}

QString serialDateText(double serial, DateKind kind, bool date1904)
{
    // Past any date (and any qint64): no day to count.
    if (kind == DateKind::None || !std::isfinite(serial) || serial < 0 || serial > 1e7)
        return numberText(serial);
    const double whole = std::floor(serial);
    const QString time = timeOfDay(serial - whole);
    if (kind == DateKind::Time)
        return dateCellText(time);
    const QString day = dayText(qint64(whole), date1904);
    if (day.isEmpty())
        return numberText(serial);
    return dateCellText(kind == DateKind::Date ? day : day + u' ' + time);
}

} // namespace spreadsheet
