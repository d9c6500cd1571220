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

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The number of the digits; -1 when one of them is none.
int digitsValue(QStringView digits)
{
    int n = 0;
    for (const QChar c : digits) {
        if (!isAsciiDigit(c))
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// dayKeyOfDate(date) as a number, for the texts whose key is eight digits because they read
// d/m/yyyy: day and month of one or two digits, four digits after the second "/" (what follows
// them, a time of day, is no part of the key). -1 for every other text, whose key is made the
// long way; making it without a single allocation is what a report's thousands of counts need.
int numericDayKey(QStringView date)
{
    const qsizetype slash1 = date.indexOf(u'/');
    if (slash1 < 1 || slash1 > 2)
        return -1;
    const qsizetype slash2 = date.indexOf(u'/', slash1 + 1);
    if (slash2 - slash1 < 2 || slash2 - slash1 > 3 || date.size() < slash2 + 5)
        return -1;
    const int day = digitsValue(date.first(slash1));
    const int month = digitsValue(date.sliced(slash1 + 1, slash2 - slash1 - 1));
    const int year = digitsValue(date.sliced(slash2 + 1, 4));
    if (day < 0 || month < 0 || year < 0)
        return -1;
    return (year * 100 + month) * 100 + day;
}

// A key of eight digits as its number; -1 for any other.
int numericKey(const QString &key)
{
    return key.size() == 8 ? digitsValue(key) : -1;
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
    numbers_.clear();
    holidays_.assign(1, 0);
    keys_.reserve(days.size());
    numbers_.reserve(days.size());
    holidays_.reserve(days.size() + 1);
    for (const Day &d : days) {
        keys_.push_back(d.key);
        numbers_.push_back(numericKey(d.key));
        holidays_.push_back(holidays_.back() + (d.holiday ? 1 : 0));
    }
    if (std::find(numbers_.begin(), numbers_.end(), -1) != numbers_.end())
        numbers_.clear();
}

DayCounts WorkDayCalendar::count(const QString &start, const QString &end) const
{
    DayCounts out;
    if (keys_.empty())
        return out;
    std::ptrdiff_t first = 0;
    std::ptrdiff_t last = 0;
    const int n1 = numbers_.empty() ? -1 : numericDayKey(start);
    const int n2 = n1 < 0 ? -1 : numericDayKey(end);
    if (n2 >= 0) {
        if (n2 < n1)
            return out;
        first = std::lower_bound(numbers_.begin(), numbers_.end(), n1) - numbers_.begin();
        last = std::upper_bound(numbers_.begin(), numbers_.end(), n2) - numbers_.begin();
    } else {
        const QString k1 = folded(dayKeyOfDate(start));
        const QString k2 = folded(dayKeyOfDate(end));
        if (k2 < k1)
            return out;
        first = std::lower_bound(keys_.begin(), keys_.end(), k1) - keys_.begin();
        last = std::upper_bound(keys_.begin(), keys_.end(), k2) - keys_.begin();
    }
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
