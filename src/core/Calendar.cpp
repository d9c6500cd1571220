#include "core/Calendar.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "data/schema.h"
#include "util/Utility.h"

#include <QDate>
#include <QLocale>

QString Calendar_Years_Error(int first, int last)
{
    if (last < first)
        return {};
    if (first < Calendar_First_Year || last > Calendar_Last_Year)
        return QStringLiteral("กรุณาใส่ปี พ.ศ. ระหว่าง %1 ถึง %2")
            .arg(Calendar_First_Year)
            .arg(Calendar_Last_Year);
    return {};
}

QList<Calendar_Day> Preview_Years(int first, int last)
{
    QList<Calendar_Day> days;
    if (last < first || !Calendar_Years_Error(first, last).isEmpty())
        return days;
    const QLocale locale = QLocale::system();
    // Qt numbers the weekdays 1 = Monday ... 7 = Sunday, the same numbering as column 6.
    QString names[8];
    for (int w = 1; w <= 7; ++w)
        names[w] = locale.dayName(w, QLocale::LongFormat);
    days.reserve((last - first + 1) * 366);
    for (int y = first; y <= last; ++y) {
        const int g = y - Buddhist_Era_Offset;
        const int n = QDate::isLeapYear(g) ? 366 : 365;
        QDate d(g, 1, 1);
        const QString thaiYear = QString::number(y);
        for (int i = 0; i < n; ++i, d = d.addDays(1)) {
            Calendar_Day day;
            day.engDay = Eng_Date_Text(d);
            day.thaiDay = day.engDay.left(6) + thaiYear;
            day.key = Day_Key(day.thaiDay);
            day.weekday = d.dayOfWeek();
            day.nameDay = names[day.weekday];
            day.status = day.weekday >= 6 ? schema::code::Day_Holiday : schema::code::Day_Working;
            days.append(day);
        }
    }
    return days;
}

db::Statement Day_Exists_Statement(const QString &key)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("where D_YYYYMMDD ='") + db::sqlText(key) +
                             QLatin1Char('\'')};
}

db::Statement Insert_Day_Statement(const Calendar_Day &day)
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

int Save_Days(db::Connection &c, const QList<Calendar_Day> &days,
              const std::function<void(int)> &progress)
{
    int inserted = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const Calendar_Day &day = days[i];
        // A grid row no preview filled has no key; storing it would make a day of nothing.
        if (!Trim_Text(day.key).isEmpty()) {
            db::Rows existing = c.select(Day_Exists_Statement(day.key));
            if (!existing.next()) {
                c.execute(Insert_Day_Statement(day));
                ++inserted;
            }
        }
        if (progress)
            progress(static_cast<int>(i + 1));
    }
    return inserted;
}

int Generate_Calendar(db::Connection &c, int first, int last,
                      const std::function<void(int)> &progress)
{
    const QString refused = Calendar_Years_Error(first, last);
    if (!refused.isEmpty())
        throw db::Error(refused);
    return Save_Days(c, Preview_Years(first, last), progress);
}

db::Statement Stop_Days_Statement()
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Hard_StopDay"),
                         QStringLiteral("Order by D_DDMM")};
}

QList<Hard_Stop_Day> Read_Stop_Days(db::Connection &c)
{
    QList<Hard_Stop_Day> days;
    db::Rows rows = c.select(Stop_Days_Statement());
    while (rows.next())
        days.append({rows.text(QStringLiteral("D_DDMM")), rows.text(QStringLiteral("SD_Remark"))});
    return days;
}

db::Statement Mark_Holiday_Statement(const Hard_Stop_Day &day)
{
    return db::Statement{QStringLiteral("UPDATE TR_Day_Calendar"),
                         QStringLiteral("SET Day_Status = 'S', Day_Remark = '") +
                             db::sqlText(day.remark) + QLatin1Char('\''),
                         QStringLiteral("WHERE SUBSTRING(Thai_Day,1,5) ='") +
                             db::sqlText(day.ddmm) + QLatin1Char('\'')};
}

int Mark_Holidays(db::Connection &c)
{
    // Read the whole list first: the updates then never interleave with an open result.
    const QList<Hard_Stop_Day> days = Read_Stop_Days(c);
    for (const Hard_Stop_Day &day : days)
        c.execute(Mark_Holiday_Statement(day));
    return static_cast<int>(days.size());
}
