#include "core/Calendar.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "data/schema.h"
#include "util/Utility.h"

#include <QDate>
#include <QLocale>

QString calendarYearsError(int first, int last)
{
    if (last < first)
        return {};
    if (first < CalendarFirstYear || last > CalendarLastYear)
        return QStringLiteral("กรุณาใส่ปี พ.ศ. ระหว่าง %1 ถึง %2")
            .arg(CalendarFirstYear)
            .arg(CalendarLastYear);
    return {};
}

QList<CalendarDay> previewYears(int first, int last)
{
    QList<CalendarDay> days;
    if (last < first || !calendarYearsError(first, last).isEmpty())
        return days;
    const QLocale locale = QLocale::system();
    // Qt numbers the weekdays 1 = Monday ... 7 = Sunday, the same numbering as column 6.
    QString names[8];
    for (int w = 1; w <= 7; ++w)
        names[w] = locale.dayName(w, QLocale::LongFormat);
    days.reserve((last - first + 1) * 366);
    for (int y = first; y <= last; ++y) {
        const int g = y - BuddhistEraOffset;
        const int n = QDate::isLeapYear(g) ? 366 : 365;
        QDate d(g, 1, 1);
        const QString thaiYear = QString::number(y);
        for (int i = 0; i < n; ++i, d = d.addDays(1)) {
            CalendarDay day;
            day.engDay = engDateText(d);
            day.thaiDay = day.engDay.left(6) + thaiYear;
            day.key = Day_Key(day.thaiDay);
            day.weekday = d.dayOfWeek();
            day.nameDay = names[day.weekday];
            day.status = day.weekday >= 6 ? schema::code::DayHoliday : schema::code::DayWorking;
            days.append(day);
        }
    }
    return days;
}

db::Statement dayExistsStatement(const QString &key)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("where D_YYYYMMDD ='") + db::sqlText(key) +
                             QLatin1Char('\'')};
}

db::Statement insertDayStatement(const CalendarDay &day)
{
    return db::Statement{QStringLiteral("INSERT INTO TR_Day_Calendar"),
                         QStringLiteral("(D_YYYYMMDD, Eng_Day, Thai_Day"),
                         QStringLiteral(", Name_Day, Day_Status )"),
                         QStringLiteral("VALUES ('") + db::sqlText(day.key) +
                             QStringLiteral("', '") + db::sqlText(day.engDay) +
                             QStringLiteral("', '") + db::sqlText(day.thaiDay) + QLatin1Char('\''),
                         QStringLiteral(", '") + db::sqlText(day.nameDay) + QStringLiteral("', '") +
                             db::sqlText(day.status) + QStringLiteral("')")};
}

int saveDays(db::Connection &c, const QList<CalendarDay> &days,
             const std::function<void(int)> &progress)
{
    db::BulkWrites bulk(c);
    int inserted = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const CalendarDay &day = days[i];
        // A grid row no preview filled has no key; storing it would make a day of nothing.
        if (!trimText(day.key).isEmpty()) {
            if (!c.exists(dayExistsStatement(day.key))) {
                c.execute(insertDayStatement(day));
                ++inserted;
            }
        }
        if (progress)
            progress(static_cast<int>(i + 1));
    }
    bulk.finish();
    return inserted;
}

int generateCalendar(db::Connection &c, int first, int last,
                     const std::function<void(int)> &progress)
{
    const QString refused = calendarYearsError(first, last);
    if (!refused.isEmpty())
        throw db::Error(refused);
    return saveDays(c, previewYears(first, last), progress);
}

db::Statement stopDaysStatement()
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Hard_StopDay"),
                         QStringLiteral("Order by D_DDMM")};
}

QList<HardStopDay> readStopDays(db::Connection &c)
{
    QList<HardStopDay> days;
    db::Rows rows = c.select(stopDaysStatement());
    while (rows.next())
        days.append({rows.text(QStringLiteral("D_DDMM")), rows.text(QStringLiteral("SD_Remark"))});
    return days;
}

db::Statement markHolidayStatement(const HardStopDay &day)
{
    return db::Statement{QStringLiteral("UPDATE TR_Day_Calendar"),
                         QStringLiteral("SET Day_Status = 'S', Day_Remark = '") +
                             db::sqlText(day.remark) + QLatin1Char('\''),
                         QStringLiteral("WHERE SUBSTRING(Thai_Day,1,5) ='") +
                             db::sqlText(day.ddmm) + QLatin1Char('\'')};
}

int markHolidays(db::Connection &c)
{
    // Read the whole list first: the updates then never interleave with an open result.
    const QList<HardStopDay> days = readStopDays(c);
    for (const HardStopDay &day : days)
        c.execute(markHolidayStatement(day));
    return static_cast<int>(days.size());
}
