#pragma once

// The working-day count: calendar days, holidays and working days between two date texts,
// counted from TR_Day_Calendar. Count_Work_Days sends the two counting queries; a report that
// counts thousands of documents reads the calendar once into WorkDayCalendar instead. The
// day-by-day list of a range (the breakdown panel's rows) is here too.

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace db {
class Connection;
class Statement;
} // namespace db

struct DayCounts {
    int calendarDays = 0;
    int holidays = 0;
    int workingDays = 0;
    bool operator==(const DayCounts &) const = default;
};

// The one holiday rule: a calendar day whose Day_Status is "S", letter case aside, as the
// catalog's counting query compares it.
bool isHolidayStatus(const QString &dayStatus);

// The two queries of a count, for the keys of dayKeyOfDate.
db::Statement calendarDaysStatement(const QString &k1, const QString &k2);
db::Statement holidaysStatement(const QString &k1, const QString &k2);

// Counts over the calendar rows whose keys lie in the range; a year not generated adds nothing.
DayCounts Count_Work_Days(db::Connection &c, const QString &start, const QString &end);

// "calendar_days holidays working_days", decimal without separators (the tool's count line).
QString dayCountsText(const DayCounts &counts);

// The same answers as Count_Work_Days from one read of the calendar, as long as the calendar
// does not change in between. Keys compare as the catalog compares them: as text, letter case
// aside; a status "S" (either case) is a holiday.
class WorkDayCalendar {
public:
    WorkDayCalendar() = default;
    // One SELECT of every calendar row.
    explicit WorkDayCalendar(db::Connection &c);

    void load(db::Connection &c);
    DayCounts count(const QString &start, const QString &end) const;
    int size() const { return static_cast<int>(keys_.size()); }

private:
    std::vector<QString> keys_; // sorted, folded as the catalog compares them
    std::vector<int> holidays_; // holidays_[i]: holidays among keys_[0..i-1]
    // keys_ as numbers when every one is eight digits (a generated calendar's are), else empty:
    // eight-digit texts compare as their numbers do.
    std::vector<int> numbers_;
};

// One calendar day of a range, as the breakdown lists it.
struct BreakdownDay {
    QString engDay;  // Eng_Day
    QString thaiDay; // Thai_Day
    QString nameDay; // Name_Day
    QString status;  // Day_Status
    QString remark;  // Day_Remark
    bool holiday() const { return isHolidayStatus(status); }
};

// The day list's query, in key order, for the keys of dayKeyOfDate.
db::Statement dayBreakdownStatement(const QString &k1, const QString &k2);

// Every calendar day between the two date texts, in key order.
QList<BreakdownDay> readDayBreakdown(db::Connection &c, const QString &startDate,
                                     const QString &endDate);

// The grid row of one day: number, the dates after an apostrophe, the trimmed name,
// "วันหยุด" or "-", the trimmed remark.
QStringList breakdownCells(int number, const BreakdownDay &day);
