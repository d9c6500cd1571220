#include "core/WorkDays.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "util/Utility.h"

#include <algorithm>

namespace {

// Both back ends compare these text columns letter case aside.
QString folded(const QString &s)
{
    return s.toLower();
}

int countRows(db::Rows rows)
{
    int n = 0;
    while (rows.next())
        ++n;
    return n;
}

} // namespace

bool isHolidayStatus(const QString &dayStatus)
{
    return dayStatus.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
}

db::Statement calendarDaysStatement(const QString &k1, const QString &k2)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("Where D_YYYYMMDD between '") + db::sqlText(k1) +
                             QStringLiteral("' and '") + db::sqlText(k2) + QLatin1Char('\'')};
}

db::Statement holidaysStatement(const QString &k1, const QString &k2)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("Where (D_YYYYMMDD between '") + db::sqlText(k1) +
                             QStringLiteral("' and '") + db::sqlText(k2) + QStringLiteral("')"),
                         QStringLiteral("And (Day_Status='S')")};
}

DayCounts Count_Work_Days(db::Connection &c, const QString &start, const QString &end)
{
    const QString k1 = dayKeyOfDate(start);
    const QString k2 = dayKeyOfDate(end);
    DayCounts out;
    out.calendarDays = countRows(c.select(calendarDaysStatement(k1, k2)));
    out.holidays = countRows(c.select(holidaysStatement(k1, k2)));
    out.workingDays = out.calendarDays - out.holidays;
    return out;
}

QString dayCountsText(const DayCounts &counts)
{
    return QStringLiteral("%1 %2 %3")
        .arg(counts.calendarDays)
        .arg(counts.holidays)
        .arg(counts.workingDays);
}

WorkDayCalendar::WorkDayCalendar(db::Connection &c)
{
    load(c);
}

void WorkDayCalendar::load(db::Connection &c)
{
    struct Day {
        QString key;
        bool holiday;
    };
    std::vector<Day> days;
    db::Rows rows = c.select(db::Statement{QStringLiteral("SELECT D_YYYYMMDD, Day_Status"),
                                           QStringLiteral("FROM TR_Day_Calendar")});
    while (rows.next()) {
        days.push_back({folded(rows.text(QStringLiteral("D_YYYYMMDD"))),
                        isHolidayStatus(rows.text(QStringLiteral("Day_Status")))});
    }
    std::sort(days.begin(), days.end(), [](const Day &a, const Day &b) { return a.key < b.key; });
    keys_.clear();
    holidays_.assign(1, 0);
    keys_.reserve(days.size());
    holidays_.reserve(days.size() + 1);
    for (const Day &d : days) {
        keys_.push_back(d.key);
        holidays_.push_back(holidays_.back() + (d.holiday ? 1 : 0));
    }
}

DayCounts WorkDayCalendar::count(const QString &start, const QString &end) const
{
    const QString k1 = folded(dayKeyOfDate(start));
    const QString k2 = folded(dayKeyOfDate(end));
    DayCounts out;
    if (keys_.empty() || k2 < k1)
        return out;
    const auto first = std::lower_bound(keys_.begin(), keys_.end(), k1) - keys_.begin();
    const auto last = std::upper_bound(keys_.begin(), keys_.end(), k2) - keys_.begin();
    if (last <= first)
        return out;
    out.calendarDays = static_cast<int>(last - first);
    out.holidays = holidays_[static_cast<size_t>(last)] - holidays_[static_cast<size_t>(first)];
    out.workingDays = out.calendarDays - out.holidays;
    return out;
}

db::Statement dayBreakdownStatement(const QString &k1, const QString &k2)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("Where D_YYYYMMDD between '") + db::sqlText(k1) +
                             QStringLiteral("' and '") + db::sqlText(k2) + QLatin1Char('\''),
                         QStringLiteral("Order by D_YYYYMMDD")};
}

QList<BreakdownDay> readDayBreakdown(db::Connection &c, const QString &startDate,
                                     const QString &endDate)
{
    QList<BreakdownDay> days;
    db::Rows rows = c.select(dayBreakdownStatement(dayKeyOfDate(startDate), dayKeyOfDate(endDate)));
    while (rows.next()) {
        days.append({rows.text(QStringLiteral("Eng_Day")), rows.text(QStringLiteral("Thai_Day")),
                     rows.text(QStringLiteral("Name_Day")), rows.text(QStringLiteral("Day_Status")),
                     rows.text(QStringLiteral("Day_Remark"))});
    }
    return days;
}

QStringList breakdownCells(int number, const BreakdownDay &day)
{
    return {QString::number(number),
            u'\'' + day.engDay,
            u'\'' + Trim_Space(day.thaiDay),
            Trim_Space(day.nameDay),
            day.holiday() ? QStringLiteral("วันหยุด") : QStringLiteral("-"),
            Trim_Space(day.remark)};
}
